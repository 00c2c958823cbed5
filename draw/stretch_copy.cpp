#include "draw/stretch_copy.h"

namespace talix::draw {

BOOL CopyOrStretch(HDC dst, int x, int y, int cx, int cy, HDC src, int srcX, int srcY,
                   int srcCx, int srcCy) {
  if (cx == srcCx && cy == srcCy) return BitBlt(dst, x, y, cx, cy, src, srcX, srcY, SRCCOPY);
  const int previous = SetStretchBltMode(dst, HALFTONE);
  SetBrushOrgEx(dst, 0, 0, nullptr);
  const BOOL done = StretchBlt(dst, x, y, cx, cy, src, srcX, srcY, srcCx, srcCy, SRCCOPY);
  if (previous) SetStretchBltMode(dst, previous);
  return done;
}

}  // namespace talix::draw
