// The copy rule shared by the graphics wrapper and the back buffer: equal sizes copy with
// BitBlt, unequal sizes stretch with HALFTONE (brush origin reset to (0, 0) as HALFTONE
// requires, the previous stretch mode restored afterwards). Always SRCCOPY.
#pragma once

#include <windows.h>

#include <climits>
#include <cstdint>

namespace talix::draw {

BOOL CopyOrStretch(HDC dst, int x, int y, int cx, int cy, HDC src, int srcX, int srcY,
                   int srcCx, int srcCy);

// Width and height of a rectangle, saturated to int so that hostile coordinates cannot
// overflow; negative for reversed rectangles.
inline int RectWidth(const RECT& r) {
  const int64_t w = int64_t(r.right) - r.left;
  return w > INT_MAX ? INT_MAX : w < INT_MIN ? INT_MIN : int(w);
}
inline int RectHeight(const RECT& r) {
  const int64_t h = int64_t(r.bottom) - r.top;
  return h > INT_MAX ? INT_MAX : h < INT_MIN ? INT_MIN : int(h);
}
// The rectangle (x, y, x + cx, y + cy), its far edges saturated to int.
inline RECT RectAt(int x, int y, int cx, int cy) {
  auto far = [](int a, int b) {
    const int64_t v = int64_t(a) + b;
    return LONG(v > INT_MAX ? INT_MAX : v < INT_MIN ? INT_MIN : v);
  };
  return RECT{x, y, far(x, cx), far(y, cy)};
}

}  // namespace talix::draw
