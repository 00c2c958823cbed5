// Window and client rectangles and coordinate mapping.
//
// Limits: WS_EX_LAYOUTRTL windows are not mirrored yet; their client coordinates run
// left to right like any other window's.
#include "platform/user/window/window_object.h"

using namespace talix::user;

namespace {

// The screen position of a window's client origin; the desktop's (and null's) is 0,0.
bool ClientOrigin(HWND hwnd, POINT* origin) {
  std::lock_guard<std::mutex> lock(UserLock());
  if (!hwnd) {
    *origin = POINT{0, 0};
    return true;
  }
  Window* window = WindowOrErrorLocked(hwnd);
  if (!window) return false;
  *origin = window->parent || window != &DesktopLocked() ? ClientOriginLocked(*window)
                                                          : POINT{0, 0};
  return true;
}

}  // namespace

BOOL GetWindowRect(HWND hwnd, LPRECT rect) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowLocked(hwnd);
  if (!window || !rect) {
    SetLastError(window ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  POINT base{0, 0};
  if (window->parent && window->parent->parent) base = ClientOriginLocked(*window->parent);
  *rect = RECT{window->rect.left + base.x, window->rect.top + base.y,
               window->rect.right + base.x, window->rect.bottom + base.y};
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowLocked(hwnd);
  if (!window || !rect) {
    SetLastError(window ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  *rect = RECT{0, 0, window->client.right - window->client.left,
               window->client.bottom - window->client.top};
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  POINT a, b;
  if (!ClientOrigin(from, &a) || !ClientOrigin(to, &b)) return 0;
  int dx = a.x - b.x, dy = a.y - b.y;
  for (UINT i = 0; points && i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  SetLastError(ERROR_SUCCESS);  // documented: a zero result is then told from failure
  return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point) {
  POINT origin;
  if (!point || !ClientOrigin(hwnd, &origin) || !hwnd) return FALSE;
  point->x += origin.x;
  point->y += origin.y;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point) {
  POINT origin;
  if (!point || !ClientOrigin(hwnd, &origin) || !hwnd) return FALSE;
  point->x -= origin.x;
  point->y -= origin.y;
  return TRUE;
}
