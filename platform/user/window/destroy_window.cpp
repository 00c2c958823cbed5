// DestroyWindow.
//
// Order: WM_PARENTNOTIFY to the parents of a child window; the window hidden if visible;
// owned windows destroyed; WM_DESTROY to the window and then to its children, parents
// before children; WM_NCDESTROY to the children and then to the window, children before
// parents; then the handles go stale. Timers, properties and posted messages of the
// windows go with them; observers (focus, capture) hear of each window before its
// WM_DESTROY.
#include "platform/user/menu/window_menus.h"
#include "platform/user/message/message_queue.h"
#include "platform/user/paint/paint_hooks.h"
#include "platform/user/timer/timers.h"
#include "platform/user/window/window_object.h"

#include <win/sync.h>

#include <algorithm>

namespace talix::user {
void NotifyParents(HWND hwnd, WORD event);
}

using namespace talix::user;

namespace {

std::vector<HWND> OwnedWindows(HWND owner) {
  std::lock_guard<std::mutex> lock(UserLock());
  std::vector<HWND> owned;
  Window* window = WindowLocked(owner);
  if (!window) return owned;
  for (Window* top : DesktopLocked().children)
    if (top->owner == window) owned.push_back(top->hwnd);
  return owned;
}

std::vector<HWND> Children(HWND hwnd, bool markDestroying) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowLocked(hwnd);
  if (!window) return {};
  if (markDestroying) window->destroying = true;
  return ChildHandlesLocked(*window);
}

void SendDestroyTree(HWND hwnd) {
  Children(hwnd, true);
  NotifyWindowGone(hwnd);
  SendMessageW(hwnd, WM_DESTROY, 0, 0);
  for (HWND child : Children(hwnd, false)) SendDestroyTree(child);
}

void ForgetWindowLocked(Window& window) {
  KillWindowTimersLocked(window.hwnd);
  ForgetPaintStateLocked(window);  // update region, surface, window region
  if (window.queue) {
    auto& posted = window.queue->posted;
    posted.erase(std::remove_if(posted.begin(), posted.end(),
                                [&](const MSG& m) { return m.hwnd == window.hwnd; }),
                 posted.end());
  }
  for (Window* top : DesktopLocked().children)
    if (top->owner == &window) top->owner = nullptr;
  UnlinkLocked(window);
  --window.cls->liveWindows;
}

void FreeTree(HWND hwnd) {
  for (HWND child : Children(hwnd, false)) FreeTree(child);
  SendMessageW(hwnd, WM_NCDESTROY, 0, 0);
  menu::DestroyWindowMenus(hwnd);
  std::shared_ptr<Window> keep = PeekWindowObject(hwnd);  // freed outside the lock
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowLocked(hwnd);
  if (!window) return;
  for (Window* child : std::vector<Window*>(window->children)) UnlinkLocked(*child);
  ForgetWindowLocked(*window);
  RemoveWindowObject(hwnd);
}

}  // namespace

BOOL DestroyWindow(HWND hwnd) {
  std::shared_ptr<Window> window = GetWindowObject(hwnd);
  if (!window) return FALSE;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    if (window.get() == &DesktopLocked() || window->threadId != GetCurrentThreadId()) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    if (window->destroying) return TRUE;  // already on its way
    window->destroying = true;
  }
  NotifyParents(hwnd, WM_DESTROY);
  if (IsWindowVisible(hwnd) || (GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE))
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (HWND owned : OwnedWindows(hwnd)) DestroyWindow(owned);
  SendDestroyTree(hwnd);
  FreeTree(hwnd);
  return TRUE;
}
