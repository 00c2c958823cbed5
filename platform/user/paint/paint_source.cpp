// The queue source of WM_PAINT: a thread's queue yields WM_PAINT for one of its windows
// that has something to paint, when nothing was posted and no input waits. Parents come
// before their children (the shallowest window first, then the oldest handle), so a child
// paints over what its parent drew. Taking the message does not validate the window,
// except that a WM_PAINT made only by RDW_INTERNALPAINT is taken away with it.
#include "platform/kernel/sync/clock.h"
#include "platform/user/message/message_queue.h"
#include "platform/user/paint/paint_state.h"

namespace talix::user {
namespace {

uintptr_t HandleValue(HWND hwnd) { return reinterpret_cast<uintptr_t>(hwnd); }

int Depth(const Window& window) {
  int depth = 0;
  for (const Window* w = window.parent; w; w = w->parent) ++depth;
  return depth;
}

bool PaintSource(MessageQueue& queue, const MessageFilter& filter, bool remove, MSG* msg) {
  if (!filter.Accepts(WM_PAINT)) return false;
  Window* best = nullptr;
  PaintState* bestState = nullptr;
  int bestDepth = 0;
  for (auto& [hwnd, state] : PaintStatesLocked()) {
    Window* window = WindowLocked(hwnd);
    if (!window || window->threadId != queue.threadId || !NeedsPaintLocked(*window, *state) ||
        !filter.AcceptsWindowLocked(hwnd))
      continue;
    int depth = Depth(*window);
    bool later = depth == bestDepth && HandleValue(hwnd) > HandleValue(best ? best->hwnd : hwnd);
    if (best && (depth > bestDepth || later)) continue;
    best = window;
    bestState = state.get();
    bestDepth = depth;
  }
  if (!best) return false;
  if (remove && bestState->update.Empty() && !bestState->frame) bestState->internal = false;
  *msg = MSG{best->hwnd, WM_PAINT, 0, 0, static_cast<DWORD>(ClockNowMs()), queue.lastPos};
  return true;
}

[[maybe_unused]] const bool g_sourceAdded = [] {
  AddQueueSource(200, PaintSource);
  return true;
}();

}  // namespace
}  // namespace talix::user
