// Focus, capture and enabling; and forgetting windows that go away.
//
// Limits: capture is one per desktop (GetCapture answers only the owner thread);
// focus can be set only to windows of the calling thread.
#include "platform/user/input/activation.h"
#include "platform/user/input/input_state.h"

#include <algorithm>

namespace talix::user {
namespace {

bool InsideLocked(const Window& root, HWND hwnd) {
  Window* w = WindowLocked(hwnd);
  return w && (w == &root || IsDescendantLocked(root, *w));
}

void ForgetWindow(HWND hwnd) {
  std::lock_guard<std::mutex> lock(UserLock());
  InputState& input = InputLocked();
  if (input.capture == hwnd) input.capture = nullptr;
  if (input.foreground == hwnd) input.foreground = nullptr;
  if (input.tracking.hwnd == hwnd) input.tracking = MouseTracking{};
  if (input.lastClick.hwnd == hwnd) input.lastClick = ClickMemory{};
  ForEachThreadInputLocked([&](ThreadInput& thread) {
    if (thread.active == hwnd) thread.active = nullptr;
    if (thread.focus == hwnd) thread.focus = nullptr;
    size_t before = thread.routed.size();
    thread.routed.erase(std::remove_if(thread.routed.begin(), thread.routed.end(),
                                       [&](const RoutedInput& r) { return r.msg.hwnd == hwnd; }),
                        thread.routed.end());
    input.routedPending -= before - thread.routed.size();
  });
}

[[maybe_unused]] const bool g_observer = [] {
  AddWindowGoneObserver(ForgetWindow);
  return true;
}();

}  // namespace

HWND MoveFocus(HWND hwnd) {
  HWND old;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    ThreadInput& thread = ThreadInputLocked(GetCurrentThreadId());
    old = WindowLocked(thread.focus) ? thread.focus : nullptr;
    if (old == hwnd) return old;
    thread.focus = hwnd;
  }
  if (old) SendMessageW(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  if (hwnd && GetFocus() == hwnd)
    SendMessageW(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

}  // namespace talix::user

using namespace talix::user;

HWND SetFocus(HWND hwnd) {
  if (hwnd) {
    HWND top;
    bool active;
    {
      std::lock_guard<std::mutex> lock(UserLock());
      Window* window = WindowOrErrorLocked(hwnd);
      if (!window || window->destroying) return nullptr;
      if (window->threadId != GetCurrentThreadId()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
      }
      top = TopLevelLocked(*window)->hwnd;
      active = ThreadInputLocked(window->threadId).active == top;
    }
    if (!active) ActivateWindow(top, WA_ACTIVE, true);
    if (!IsWindow(hwnd)) return nullptr;
  }
  return MoveFocus(hwnd);
}

HWND GetFocus(void) {
  std::lock_guard<std::mutex> lock(UserLock());
  ThreadInput* thread = FindThreadInputLocked(GetCurrentThreadId());
  return thread && WindowLocked(thread->focus) ? thread->focus : nullptr;
}

HWND SetCapture(HWND hwnd) {
  HWND previous;
  bool mine;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    if (hwnd && !WindowOrErrorLocked(hwnd)) return nullptr;
    InputState& input = InputLocked();
    Window* old = WindowLocked(input.capture);
    previous = old ? input.capture : nullptr;
    mine = old && old->threadId == GetCurrentThreadId();
    input.capture = hwnd;
  }
  if (previous && previous != hwnd)
    SendMessageW(previous, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  return mine ? previous : nullptr;
}

BOOL ReleaseCapture(void) {
  HWND previous;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    InputState& input = InputLocked();
    previous = WindowLocked(input.capture) ? input.capture : nullptr;
    input.capture = nullptr;
  }
  if (previous) SendMessageW(previous, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture(void) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowLocked(InputLocked().capture);
  return window && window->threadId == GetCurrentThreadId() ? window->hwnd : nullptr;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  bool wasDisabled;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    Window* window = WindowOrErrorLocked(hwnd);
    if (!window) return FALSE;
    wasDisabled = (window->style & WS_DISABLED) != 0;
  }
  if (wasDisabled == !enable) return wasDisabled ? TRUE : FALSE;
  if (!enable) SendMessageW(hwnd, WM_CANCELMODE, 0, 0);
  bool focusInside = false, captureInside = false;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    Window* window = WindowLocked(hwnd);
    if (!window) return wasDisabled ? TRUE : FALSE;
    if (enable) {
      window->style &= ~WS_DISABLED;
    } else {
      window->style |= WS_DISABLED;
      ThreadInput* thread = FindThreadInputLocked(GetCurrentThreadId());
      focusInside = thread && InsideLocked(*window, thread->focus);
      captureInside = InsideLocked(*window, InputLocked().capture);
    }
  }
  if (focusInside) MoveFocus(nullptr);
  if (captureInside) ReleaseCapture();
  SendMessageW(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowOrErrorLocked(hwnd);
  return window && !(window->style & WS_DISABLED) ? TRUE : FALSE;
}
