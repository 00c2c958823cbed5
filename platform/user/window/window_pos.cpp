// SetWindowPos, MoveWindow, ShowWindow and the visibility queries.
//
// Showing or placing a top-level window without SWP_NOACTIVATE activates it; hiding the
// active window activates another (platform/user/input/activation.h).
//
// Limits: minimizing keeps the window's rectangle (there is no icon area).
#include "platform/user/window/window_pos.h"

#include "platform/user/paint/paint_hooks.h"
#include "platform/user/input/activation.h"
#include "platform/user/window/window_object.h"

#include <talix/host_screen.h>

#include <win/sync.h>

#include <algorithm>

namespace talix::user {
namespace {

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

RECT Offset(RECT r, int dx, int dy) { return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

void RestackLocked(Window& window, HWND insertAfter) {
  Window* parent = window.parent;
  if (!parent) return;
  if (insertAfter == HWND_TOPMOST) window.exStyle |= WS_EX_TOPMOST;
  if (insertAfter == HWND_NOTOPMOST) window.exStyle &= ~WS_EX_TOPMOST;
  UnlinkLocked(window);
  Window* after = (insertAfter == HWND_TOP || insertAfter == HWND_BOTTOM ||
                   insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST)
                      ? nullptr
                      : WindowLocked(insertAfter);
  if (insertAfter == HWND_BOTTOM) {
    LinkChildLocked(*parent, window, true);
    return;
  }
  if (after && after->parent == parent && after != &window) {
    auto& siblings = parent->children;
    auto it = std::find(siblings.begin(), siblings.end(), after);
    siblings.insert(it + 1, &window);
    window.parent = parent;
    return;
  }
  LinkChildLocked(*parent, window, false);
}

// The WM_NCCALCSIZE step: the new client rectangle relative to the new window rectangle.
RECT CalcClient(HWND hwnd, const RECT& oldRect, const RECT& oldClient, const RECT& newRect,
                WINDOWPOS* pos) {
  NCCALCSIZE_PARAMS params{};
  params.rgrc[0] = newRect;
  params.rgrc[1] = oldRect;
  params.rgrc[2] = Offset(oldClient, oldRect.left, oldRect.top);
  params.lppos = pos;
  SendMessageW(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
  RECT client = Offset(params.rgrc[0], -newRect.left, -newRect.top);
  client.right = std::max(client.right, client.left);
  client.bottom = std::max(client.bottom, client.top);
  return client;
}

}  // namespace

void SendSizeAndMove(HWND hwnd) {
  RECT rect{}, client{};
  DWORD style = 0;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    Window* window = WindowLocked(hwnd);
    if (!window) return;
    rect = window->rect;
    client = window->client;
    style = window->style;
  }
  WPARAM kind = (style & WS_MINIMIZE) ? SIZE_MINIMIZED
                : (style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
  SendMessageW(hwnd, WM_SIZE, kind,
               MAKELPARAM(client.right - client.left, client.bottom - client.top));
  SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(rect.left + client.left, rect.top + client.top));
}

}  // namespace talix::user

using namespace talix::user;

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  std::shared_ptr<Window> window = GetWindowObject(hwnd);
  if (!window) return FALSE;
  RECT oldRect, oldClient;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    if (!window->parent && window.get() == &DesktopLocked()) {
      SetLastError(ERROR_ACCESS_DENIED);
      return FALSE;
    }
    oldRect = window->rect;
    oldClient = window->client;
  }
  if (flags & SWP_NOMOVE) x = oldRect.left, y = oldRect.top;
  if (flags & SWP_NOSIZE) cx = oldRect.right - oldRect.left, cy = oldRect.bottom - oldRect.top;
  WINDOWPOS pos{hwnd, insertAfter, x, y, std::max(cx, 0), std::max(cy, 0), flags};
  if (!(flags & SWP_NOSENDCHANGING))
    SendMessageW(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
  if (!IsWindow(hwnd)) return FALSE;
  RECT newRect{pos.x, pos.y, pos.x + std::max(pos.cx, 0), pos.y + std::max(pos.cy, 0)};
  bool sized = (newRect.right - newRect.left != oldRect.right - oldRect.left) ||
               (newRect.bottom - newRect.top != oldRect.bottom - oldRect.top);
  RECT newClient = (sized || (pos.flags & SWP_FRAMECHANGED))
                       ? CalcClient(hwnd, oldRect, oldClient, newRect, &pos)
                       : oldClient;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    if (!WindowLocked(hwnd)) return FALSE;
    window->rect = newRect;
    window->client = newClient;
    if (!(pos.flags & SWP_NOZORDER)) RestackLocked(*window, pos.hwndInsertAfter);
    if (pos.flags & SWP_SHOWWINDOW) window->style |= WS_VISIBLE;
    if (pos.flags & SWP_HIDEWINDOW) window->style &= ~WS_VISIBLE;
  }
  OnWindowPosChanged(hwnd, oldRect, oldClient, pos.flags);  // painting and the screen
  RECT oldClientAbs = Offset(oldClient, oldRect.left, oldRect.top);
  RECT newClientAbs = Offset(newClient, newRect.left, newRect.top);
  if (newClientAbs.left == oldClientAbs.left && newClientAbs.top == oldClientAbs.top)
    pos.flags |= kSwpNoClientMove;
  if (newClient.right - newClient.left == oldClient.right - oldClient.left &&
      newClient.bottom - newClient.top == oldClient.bottom - oldClient.top)
    pos.flags |= kSwpNoClientSize;
  if (SameRect(newRect, oldRect)) pos.flags |= SWP_NOMOVE | SWP_NOSIZE;
  BeforeWindowPosChanged(hwnd, pos.flags);  // activation of a shown or placed window
  SendMessageW(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  AfterWindowPosChanged(hwnd, pos.flags);  // a hidden window gives up focus and activation
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

namespace {

// Applies a minimize/maximize/restore change of state; returns the SetWindowPos flags and
// fills the new rectangle.
UINT ChangePlacement(Window& window, int cmd, RECT* target) {
  std::lock_guard<std::mutex> lock(UserLock());
  DWORD state = window.style & (WS_MINIMIZE | WS_MAXIMIZE);
  DWORD wanted = state;
  if (cmd == SW_MAXIMIZE) wanted = WS_MAXIMIZE;
  else if (cmd == SW_MINIMIZE || cmd == SW_SHOWMINIMIZED || cmd == SW_SHOWMINNOACTIVE ||
           cmd == SW_FORCEMINIMIZE) wanted = WS_MINIMIZE;
  else if (cmd == SW_RESTORE || cmd == SW_SHOWNORMAL || cmd == SW_SHOWDEFAULT) wanted = 0;
  if (wanted == state) return SWP_NOSIZE | SWP_NOMOVE;
  if (!state) window.normalRect = window.rect;
  window.style = (window.style & ~(WS_MINIMIZE | WS_MAXIMIZE)) | wanted;
  if (wanted == WS_MAXIMIZE) {
    RECT area = window.parent && window.parent->parent
                    ? RECT{0, 0, window.parent->client.right - window.parent->client.left,
                           window.parent->client.bottom - window.parent->client.top}
                    : talix::host::GetScreenParams().workArea;
    *target = area;
  } else if (wanted == WS_MINIMIZE) {
    *target = window.rect;
  } else {
    *target = window.normalRect;
  }
  return SWP_FRAMECHANGED;
}

}  // namespace

BOOL ShowWindow(HWND hwnd, int cmd) {
  std::shared_ptr<Window> window = GetWindowObject(hwnd);
  if (!window) return FALSE;
  bool wasVisible;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    wasVisible = (window->style & WS_VISIBLE) != 0;
  }
  if (cmd == SW_HIDE) {
    if (!wasVisible) return FALSE;
    SendMessageW(hwnd, WM_SHOWWINDOW, FALSE, 0);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
  }
  RECT target{};
  UINT placement = ChangePlacement(*window, cmd, &target);
  if (wasVisible && (placement & SWP_NOSIZE)) return TRUE;
  if (!wasVisible) SendMessageW(hwnd, WM_SHOWWINDOW, TRUE, 0);
  bool noActivate = cmd == SW_SHOWNA || cmd == SW_SHOWNOACTIVATE || cmd == SW_SHOWMINNOACTIVE;
  UINT flags = placement | SWP_SHOWWINDOW | (noActivate ? SWP_NOACTIVATE | SWP_NOZORDER : 0);
  SetWindowPos(hwnd, HWND_TOP, target.left, target.top, target.right - target.left,
               target.bottom - target.top, flags);
  return wasVisible ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
  std::lock_guard<std::mutex> lock(UserLock());
  for (Window* w = WindowLocked(hwnd); w; w = w->parent) {
    if (!(w->style & WS_VISIBLE)) return FALSE;
    if (!w->parent || !w->parent->parent) return TRUE;  // reached a top-level window
  }
  return FALSE;
}

static BOOL HasStyle(HWND hwnd, DWORD bit) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowLocked(hwnd);
  return window && (window->style & bit) ? TRUE : FALSE;
}

BOOL IsIconic(HWND hwnd) { return HasStyle(hwnd, WS_MINIMIZE); }
BOOL IsZoomed(HWND hwnd) { return HasStyle(hwnd, WS_MAXIMIZE); }

BOOL BringWindowToTop(HWND hwnd) {
  return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}
