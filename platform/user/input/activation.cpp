// Activation: the active window of each thread and the foreground window.
//
// Order of an activation from A to B: B raised (WM_WINDOWPOSCHANGING/CHANGED) unless the
// activation comes from SetWindowPos itself; A gets WM_NCACTIVATE(FALSE) and
// WM_ACTIVATE(WA_INACTIVE, B); WM_ACTIVATEAPP goes to every top-level window of the
// threads losing and gaining activation when they differ; B gets WM_NCACTIVATE(TRUE) and
// WM_ACTIVATE(how, A), whose default handling gives B the focus. Deactivating to no
// window ends with WM_KILLFOCUS to the window that had the focus.
//
// Limits: each thread counts as an application for WM_ACTIVATEAPP; minimizing does not
// pass activation on to the next window.
#include "platform/user/input/activation.h"

#include "platform/user/input/input_state.h"

namespace talix::user {
namespace {

struct Change {
  HWND previous = nullptr;     // the thread's active window before
  HWND foreground = nullptr;   // the foreground window before, if another
  DWORD thread = 0;
  DWORD previousThread = 0;    // thread of the previous foreground window
  bool same = false;
};

bool CanActivateLocked(const Window& window) {
  return (window.style & WS_VISIBLE) && !(window.style & WS_DISABLED) && !window.destroying;
}

// Updates the state; the messages follow outside the lock.
bool ApplyLocked(HWND* hwnd, Change* change) {
  Window* window = nullptr;
  if (*hwnd) {
    window = WindowLocked(*hwnd);
    if (!window) return false;
    window = TopLevelLocked(*window);
    if (window == &DesktopLocked()) return false;
    *hwnd = window->hwnd;
  }
  InputState& input = InputLocked();
  change->thread = window ? window->threadId : GetCurrentThreadId();
  ThreadInput& thread = ThreadInputLocked(change->thread);
  change->previous = WindowLocked(thread.active) ? thread.active : nullptr;
  Window* foreground = WindowLocked(input.foreground);
  change->foreground = foreground && input.foreground != change->previous ? input.foreground : nullptr;
  change->previousThread = foreground ? foreground->threadId
                           : change->previous ? change->thread : 0;
  change->same = change->previous == *hwnd && (!*hwnd || input.foreground == *hwnd);
  thread.active = *hwnd;
  if (*hwnd) input.foreground = *hwnd;
  else if (!foreground || input.foreground == change->previous) input.foreground = nullptr;
  return true;
}

bool Iconic(HWND hwnd) { return IsIconic(hwnd) != FALSE; }

void Deactivate(HWND hwnd, HWND next) {
  if (!hwnd || !IsWindow(hwnd)) return;
  SendMessageW(hwnd, WM_NCACTIVATE, FALSE, 0);
  SendMessageW(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, Iconic(hwnd)),
               reinterpret_cast<LPARAM>(next));
}

void SendActivateApp(DWORD thread, BOOL active, DWORD otherThread) {
  std::vector<HWND> windows;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    for (Window* top : DesktopLocked().children)
      if (top->threadId == thread) windows.push_back(top->hwnd);
  }
  for (HWND hwnd : windows) SendMessageW(hwnd, WM_ACTIVATEAPP, active, otherThread);
}

// The thread's focus window when it lies outside `active` (all of it when active is null).
HWND StrayFocus(DWORD thread, HWND active) {
  std::lock_guard<std::mutex> lock(UserLock());
  ThreadInput& input = ThreadInputLocked(thread);
  Window* focus = WindowLocked(input.focus);
  if (!focus) return nullptr;
  Window* window = active ? WindowLocked(active) : nullptr;
  if (window && (focus == window || IsDescendantLocked(*window, *focus))) return nullptr;
  return input.focus;
}

}  // namespace

HWND ActivateWindow(HWND hwnd, int how, bool raise) {
  Change change;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    if (!ApplyLocked(&hwnd, &change)) return nullptr;
  }
  if (change.same) return change.previous;
  if (raise && hwnd)
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  Deactivate(change.previous, hwnd);
  Deactivate(change.foreground, hwnd);
  if (!hwnd) {
    if (change.previous) SendActivateApp(change.thread, FALSE, 0);
  } else if (change.previousThread != change.thread) {
    if (change.previousThread) SendActivateApp(change.previousThread, FALSE, change.thread);
    SendActivateApp(change.thread, TRUE, change.previousThread);
  }
  if (hwnd && IsWindow(hwnd)) {
    SendMessageW(hwnd, WM_NCACTIVATE, TRUE, 0);
    SendMessageW(hwnd, WM_ACTIVATE, MAKEWPARAM(how, Iconic(hwnd)),
                 reinterpret_cast<LPARAM>(change.previous));
  }
  // A focus left in a window that is no longer active goes (only on this thread).
  if (change.thread == GetCurrentThreadId() && StrayFocus(change.thread, hwnd))
    MoveFocus(nullptr);
  return change.previous;
}

HWND NextWindowToActivate(HWND leaving) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowLocked(leaving);
  if (window && window->owner && window->owner->parent && CanActivateLocked(*window->owner))
    return window->owner->hwnd;
  for (Window* top : DesktopLocked().children) {
    if (top == window || !CanActivateLocked(*top) || (top->exStyle & WS_EX_NOACTIVATE))
      continue;
    return top->hwnd;
  }
  return nullptr;
}

void BeforeWindowPosChanged(HWND hwnd, UINT flags) {
  if (flags & (SWP_NOACTIVATE | SWP_HIDEWINDOW)) return;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    Window* window = WindowLocked(hwnd);
    if (!window || (window->style & WS_CHILD) || !window->parent ||
        !CanActivateLocked(*window) || (window->exStyle & WS_EX_NOACTIVATE))
      return;
    if (window->threadId != GetCurrentThreadId()) return;
  }
  ActivateWindow(hwnd, WA_ACTIVE, false);
}

}  // namespace talix::user

using namespace talix::user;

HWND SetActiveWindow(HWND hwnd) {
  if (hwnd) {
    std::lock_guard<std::mutex> lock(UserLock());
    Window* window = WindowOrErrorLocked(hwnd);
    if (!window) return nullptr;
    if (window->threadId != GetCurrentThreadId()) {
      SetLastError(ERROR_ACCESS_DENIED);
      return nullptr;
    }
  }
  return ActivateWindow(hwnd, WA_ACTIVE, true);
}

HWND GetActiveWindow(void) {
  std::lock_guard<std::mutex> lock(UserLock());
  ThreadInput* input = FindThreadInputLocked(GetCurrentThreadId());
  return input && WindowLocked(input->active) ? input->active : nullptr;
}

BOOL SetForegroundWindow(HWND hwnd) {
  {
    std::lock_guard<std::mutex> lock(UserLock());
    if (!WindowOrErrorLocked(hwnd)) return FALSE;
  }
  ActivateWindow(hwnd, WA_ACTIVE, true);
  return TRUE;
}

HWND GetForegroundWindow(void) {
  std::lock_guard<std::mutex> lock(UserLock());
  HWND foreground = InputLocked().foreground;
  return WindowLocked(foreground) ? foreground : nullptr;
}

namespace talix::user {

void AfterWindowPosChanged(HWND hwnd, UINT flags) {
  if (!(flags & SWP_HIDEWINDOW)) return;
  bool wasActive = false, focusInside = false, captureInside = false;
  HWND parent = nullptr;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    Window* window = WindowLocked(hwnd);
    if (!window) return;
    InputState& input = InputLocked();
    ThreadInput& thread = ThreadInputLocked(window->threadId);
    auto inside = [&](HWND h) {
      Window* w = WindowLocked(h);
      return w && (w == window || IsDescendantLocked(*window, *w));
    };
    wasActive = thread.active == hwnd || input.foreground == hwnd;
    focusInside = window->threadId == GetCurrentThreadId() && inside(thread.focus);
    captureInside = inside(input.capture);
    if ((window->style & WS_CHILD) && window->parent) parent = window->parent->hwnd;
  }
  if (captureInside) ReleaseCapture();
  if (wasActive) ActivateWindow(NextWindowToActivate(hwnd), WA_ACTIVE, false);
  else if (focusInside) MoveFocus(parent);
}

}  // namespace talix::user
