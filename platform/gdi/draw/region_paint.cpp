// FillRgn, FrameRgn, PaintRgn and InvertRgn: a region handle (logical coordinates) painted
// through the raster-operation engine.
//
// FillRgn and FrameRgn paint with their brush like FillRect (PATCOPY); PaintRgn uses the
// DC's brush through its ROP2 mix; InvertRgn inverts.
#include "platform/gdi/blit/rop3.h"
#include "platform/gdi/draw/pen_paint.h"
#include "platform/gdi/region_object.h"

#include <win/base.h>
#include <win/gdi.h>

#include <algorithm>

using namespace talix::gdi;

namespace {

// The DC and the region in its device coordinates; false with the last error set.
bool Resolve(HDC hdc, HRGN hrgn, DcObject** dc, Region32* device) {
  *dc = DcOrError(hdc);
  if (!*dc) return false;
  RegionObject* region = PeekRegion(hrgn);
  if (!region) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  *device = LogicalRegionToDevice(**dc, region->region);
  return true;
}

const BrushObject* BrushOrError(HBRUSH hbr) {
  const BrushObject* brush = PeekBrush(hbr);
  if (!brush) SetLastError(ERROR_INVALID_HANDLE);
  return brush;
}

// The part of the region within w pixels of its left or right edge or h pixels of its top
// or bottom edge.
Region32 FrameOf(const Region32& region, int w, int h) {
  Region32 inner = region;
  for (int d = 1; d <= w && !inner.Empty(); ++d)
    for (int sign : {-1, 1}) {
      Region32 shifted = region;
      shifted.Translate(sign * d, 0);
      inner.Intersect(shifted);
    }
  for (int d = 1; d <= h && !inner.Empty(); ++d)
    for (int sign : {-1, 1}) {
      Region32 shifted = region;
      shifted.Translate(0, sign * d);
      inner.Intersect(shifted);
    }
  Region32 frame = region;
  frame.Subtract(inner);
  return frame;
}

}  // namespace

BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr) {
  DcObject* dc = nullptr;
  Region32 device;
  if (!Resolve(hdc, hrgn, &dc, &device)) return FALSE;
  const BrushObject* brush = BrushOrError(hbr);
  if (!brush) return FALSE;
  return PaintShape(*dc, device, brush, Rop3Index(PATCOPY)) ? TRUE : FALSE;
}

BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h) {
  DcObject* dc = nullptr;
  Region32 device;
  if (!Resolve(hdc, hrgn, &dc, &device)) return FALSE;
  const BrushObject* brush = BrushOrError(hbr);
  if (!brush) return FALSE;
  if (w <= 0 || h <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  RECT box = device.Box();
  // Beyond the region's size every pixel is frame; the loops need go no further.
  w = std::min(w, int(box.right - box.left));
  h = std::min(h, int(box.bottom - box.top));
  return PaintShape(*dc, FrameOf(device, w, h), brush, Rop3Index(PATCOPY)) ? TRUE : FALSE;
}

BOOL PaintRgn(HDC hdc, HRGN hrgn) {
  DcObject* dc = nullptr;
  Region32 device;
  if (!Resolve(hdc, hrgn, &dc, &device)) return FALSE;
  return FillInterior(*dc, device) ? TRUE : FALSE;
}

BOOL InvertRgn(HDC hdc, HRGN hrgn) {
  DcObject* dc = nullptr;
  Region32 device;
  if (!Resolve(hdc, hrgn, &dc, &device)) return FALSE;
  return PaintShape(*dc, device, nullptr, Rop3Index(DSTINVERT)) ? TRUE : FALSE;
}
