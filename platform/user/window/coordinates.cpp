// Window and client rectangles and coordinate mapping.
//
// A WS_EX_LAYOUTRTL window's client x coordinates run from its right edge: client pixel
// column 0 is the rightmost column of the client area, so a screen column s maps to client
// column (right - 1 - s), the same mapping mouse messages use. MapWindowPoints with two
// points (a rectangle) whose mapping changes direction swaps and shifts them so the result
// is again a rectangle with left < right covering the same pixels.
#include "platform/user/window/window_object.h"

using namespace talix::user;

namespace {

// How one window's client coordinates relate to the screen.
struct ClientMapping {
  RECT client{};  // screen rectangle of the client area; empty for the desktop and null
  bool mirrored = false;

  POINT ToScreen(POINT p) const {
    return mirrored ? POINT{client.right - 1 - p.x, p.y + client.top}
                    : POINT{p.x + client.left, p.y + client.top};
  }
  POINT FromScreen(POINT p) const {
    return mirrored ? POINT{client.right - 1 - p.x, p.y - client.top}
                    : POINT{p.x - client.left, p.y - client.top};
  }
};

// The mapping of a window (the desktop's and null's is the identity).
bool MappingOf(HWND hwnd, ClientMapping* mapping) {
  std::lock_guard<std::mutex> lock(UserLock());
  *mapping = ClientMapping{};
  if (!hwnd) return true;
  Window* window = WindowOrErrorLocked(hwnd);
  if (!window) return false;
  if (window == &DesktopLocked()) return true;
  mapping->client = ClientScreenRectLocked(*window);
  mapping->mirrored = (window->exStyle & WS_EX_LAYOUTRTL) != 0;
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
  *rect = WindowScreenRectLocked(*window);
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
  ClientMapping a, b;
  if (!MappingOf(from, &a) || !MappingOf(to, &b)) return 0;
  POINT origin = b.FromScreen(a.ToScreen(POINT{0, 0}));
  for (UINT i = 0; points && i < count; ++i) points[i] = b.FromScreen(a.ToScreen(points[i]));
  if (points && count == 2 && a.mirrored != b.mirrored) {
    LONG left = points[1].x + 1, right = points[0].x + 1;
    points[0].x = left;
    points[1].x = right;
  }
  SetLastError(ERROR_SUCCESS);  // documented: a zero result is then told from failure
  return MAKELONG(static_cast<WORD>(origin.x), static_cast<WORD>(origin.y));
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point) {
  ClientMapping mapping;
  if (!point || !hwnd || !MappingOf(hwnd, &mapping)) return FALSE;
  *point = mapping.ToScreen(*point);
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point) {
  ClientMapping mapping;
  if (!point || !hwnd || !MappingOf(hwnd, &mapping)) return FALSE;
  *point = mapping.FromScreen(*point);
  return TRUE;
}
