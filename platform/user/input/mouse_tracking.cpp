// TrackMouseEvent: WM_MOUSELEAVE / WM_NCMOUSELEAVE when the cursor leaves the tracked
// window (or part), WM_MOUSEHOVER / WM_NCMOUSEHOVER when it rests in the hover
// rectangle for the hover time. Hover time runs on the platform clock: on the virtual
// clock a listener fires it as AdvanceClock passes it; on the real clock the tracked
// thread's queue notices it when it next looks or wakes.
//
// Limits: one tracking request per desktop (Windows keeps one per thread).
#include "platform/user/input/mouse_tracking.h"

#include "platform/kernel/sync/clock.h"
#include "platform/user/input/hit_test.h"
#include "platform/user/message/message_queue.h"

#include <cstdlib>

namespace talix::user {
namespace {

constexpr DWORD kDefaultHoverTime = 400;
constexpr int kHoverHalfWidth = 2;  // the hover rectangle is 4 by 4 pixels

bool InHoverRect(POINT start, POINT pt) {
  return std::abs(pt.x - start.x) <= kHoverHalfWidth && std::abs(pt.y - start.y) <= kHoverHalfWidth;
}

bool ClientContainsLocked(const Window& window, POINT pt) {
  RECT c = ClientScreenRectLocked(window);
  return pt.x >= c.left && pt.x < c.right && pt.y >= c.top && pt.y < c.bottom;
}

// Whether the cursor is over the tracked part of the window, by geometry.
bool OverTrackedLocked(const MouseTracking& t, POINT pt) {
  Window* under = GeometricWindowAtLocked(pt, {});
  if (!under || under->hwnd != t.hwnd) return false;
  return ClientContainsLocked(*under, pt) != ((t.flags & TME_NONCLIENT) != 0);
}

// Takes a hover that is due: fills the message and the queue it goes to.
bool TakeDueHoverLocked(uint64_t now, MSG* msg, std::shared_ptr<MessageQueue>* queue) {
  InputState& input = InputLocked();
  MouseTracking& t = input.tracking;
  if (!(t.flags & TME_HOVER) || t.hoverDue > now) return false;
  Window* window = WindowLocked(t.hwnd);
  if (!window || !window->queue) return false;
  POINT pt = input.cursor;
  bool nonClient = (t.flags & TME_NONCLIENT) != 0;
  POINT at = nonClient ? pt : ScreenToClientLocked(*window, pt);
  WPARAM wParam = nonClient ? static_cast<WPARAM>(DefNcHitTestLocked(*window, pt))
                            : MouseKeysOf(input.asyncKeys);
  *msg = MSG{t.hwnd, nonClient ? static_cast<UINT>(WM_NCMOUSEHOVER) : WM_MOUSEHOVER, wParam,
             MAKELPARAM(at.x, at.y), static_cast<DWORD>(now), pt};
  *queue = window->queue;
  t.flags &= ~TME_HOVER;  // hover tracking ends with its message
  if (!(t.flags & TME_LEAVE)) t = MouseTracking{};
  return true;
}

class HoverClockListener : public ClockListener {
 public:
  uint64_t NextDue() override {
    std::lock_guard<std::mutex> lock(UserLock());
    const MouseTracking& t = InputLocked().tracking;
    return (t.flags & TME_HOVER) ? t.hoverDue : kNeverDue;
  }
  void OnClock(uint64_t now) override {
    MSG msg;
    std::shared_ptr<MessageQueue> queue;
    {
      std::lock_guard<std::mutex> lock(UserLock());
      if (!TakeDueHoverLocked(now, &msg, &queue)) return;
      queue->posted.push_back(msg);
    }
    queue->Signal(QS_POSTMESSAGE | QS_ALLPOSTMESSAGE);
  }
};

void EnsureHoverListener() {
  static bool registered = [] {
    AddClockListener(new HoverClockListener);  // lives as long as the process
    return true;
  }();
  (void)registered;
}

uint64_t HoverDue(MessageQueue& queue) {
  MouseTracking& t = InputLocked().tracking;
  Window* window = WindowLocked(t.hwnd);
  if (!(t.flags & TME_HOVER) || !window || window->queue.get() != &queue) return kNeverDue;
  MSG msg;
  std::shared_ptr<MessageQueue> target;
  if (TakeDueHoverLocked(ClockNowMs(), &msg, &target)) {
    queue.posted.push_back(msg);
    queue.changed.fetch_or(QS_POSTMESSAGE | QS_ALLPOSTMESSAGE);
    return kNeverDue;
  }
  return t.hoverDue;
}

[[maybe_unused]] const bool g_dueAdded = [] {
  AddDueQuery(HoverDue);
  return true;
}();

}  // namespace

void TrackAfterMouseEvent(const RawInput& event, HWND target, int hitTest, bool captured) {
  HWND leaveTo = nullptr;
  UINT leave = WM_MOUSELEAVE;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    MouseTracking& t = InputLocked().tracking;
    if (!t.hwnd) return;
    bool wantClient = !(t.flags & TME_NONCLIENT);
    bool inside = captured ? OverTrackedLocked(t, event.pt)
                           : target == t.hwnd && (hitTest == HTCLIENT) == wantClient;
    if (!inside) {
      if (t.flags & TME_LEAVE) leaveTo = t.hwnd;
      leave = wantClient ? WM_MOUSELEAVE : WM_NCMOUSELEAVE;
      t = MouseTracking{};  // all tracking ends when the cursor leaves
    } else if ((t.flags & TME_HOVER) && event.kind == RawInput::MouseMove &&
               !InHoverRect(t.hoverStart, event.pt)) {
      t.hoverStart = event.pt;
      t.hoverDue = event.time + t.hoverTime;
    }
  }
  if (leaveTo) PostMessageW(leaveTo, leave, 0, 0);
}

}  // namespace talix::user

using namespace talix;
using namespace talix::user;

namespace {

BOOL QueryTracking(LPTRACKMOUSEEVENT event) {
  std::lock_guard<std::mutex> lock(UserLock());
  const MouseTracking& t = InputLocked().tracking;
  bool live = WindowLocked(t.hwnd) != nullptr;
  event->dwFlags = live ? t.flags : 0;
  event->hwndTrack = live ? t.hwnd : nullptr;
  event->dwHoverTime = live ? t.hoverTime : 0;
  return TRUE;
}

BOOL CancelTracking(const TRACKMOUSEEVENT& event) {
  std::lock_guard<std::mutex> lock(UserLock());
  MouseTracking& t = InputLocked().tracking;
  if (t.hwnd != event.hwndTrack) return TRUE;
  t.flags &= ~(event.dwFlags & (TME_LEAVE | TME_HOVER));
  if (!(t.flags & (TME_LEAVE | TME_HOVER))) t = MouseTracking{};
  return TRUE;
}

}  // namespace

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT event) {
  if (!event || event->cbSize != sizeof(TRACKMOUSEEVENT)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (event->dwFlags & TME_QUERY) return QueryTracking(event);
  if (!IsWindow(event->hwndTrack)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (event->dwFlags & TME_CANCEL) return CancelTracking(*event);
  EnsureHoverListener();
  DWORD wanted = event->dwFlags & (TME_LEAVE | TME_HOVER | TME_NONCLIENT);
  bool leftAlready = false;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    InputState& input = InputLocked();
    MouseTracking& t = input.tracking;
    MouseTracking request{event->hwndTrack, wanted, 0, input.cursor, 0};
    if (!OverTrackedLocked(request, input.cursor)) {
      leftAlready = (wanted & TME_LEAVE) != 0;
    } else {
      if (t.hwnd != event->hwndTrack || ((t.flags ^ wanted) & TME_NONCLIENT)) t = request;
      t.flags |= wanted;
      if (wanted & TME_HOVER) {
        t.hoverTime = event->dwHoverTime == HOVER_DEFAULT ? kDefaultHoverTime : event->dwHoverTime;
        t.hoverStart = input.cursor;
        t.hoverDue = ClockNowMs() + t.hoverTime;
      }
    }
  }
  if (leftAlready)  // documented: the cursor is not over the window, so the leave comes now
    PostMessageW(event->hwndTrack, (wanted & TME_NONCLIENT) ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
  return TRUE;
}
