// BitBlt, PatBlt, the rectangle fills built on them, and single pixels.
#include "platform/gdi/bitmap/pixel_format.h"
#include "platform/gdi/blit/blit_engine.h"
#include "platform/gdi/blit/rop3.h"

#include <win/base.h>
#include <win/gdi.h>

using namespace talix::gdi;

namespace {

// Source pixels in the source bitmap for a destination rectangle of the given size.
BlitSource SourceFor(const DcObject& src, const DcObject& dst, int x, int y, int cx, int cy,
                     DWORD rop) {
  BlitSource s;
  s.bitmap = src.Target();
  RECT device = src.ToDevice(RectOfSize(x, y, cx, cy));
  POINT origin = src.Origin();
  s.rect = RectOfSize(int64_t(device.left) + origin.x, int64_t(device.top) + origin.y, cx, cy);
  bool keepOrientation = (rop & NOMIRRORBITMAP) ||
                         (dst.State().layout & LAYOUT_BITMAPORIENTATIONPRESERVED);
  s.flip = dst.Mirrored() != src.Mirrored() && !keepOrientation;
  s.bkColor = src.State().bkColor;
  return s;
}

BOOL FillWithBrush(HDC hdc, const RECT& logical, uint8_t rop, const BrushObject* brush) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return FALSE;
  BlitJob job;
  job.dc = dc;
  job.rect = dc->ToDevice(logical);
  job.rop = rop;
  job.brush = brush;
  job.useDcBrush = brush == nullptr;
  return RunBlit(job) ? TRUE : FALSE;
}

// FillRect and FrameRect accept a system colour index + 1 in place of a brush.
const BrushObject* BrushOrSysColor(HBRUSH hbr) {
  uintptr_t value = reinterpret_cast<uintptr_t>(hbr);
  if (value > 0 && value <= 31) hbr = GetSysColorBrush(int(value - 1));
  return PeekBrush(hbr);
}

}  // namespace

BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1, DWORD rop) {
  uint8_t rop3 = Rop3Index(rop);
  if (!RopUsesSource(rop3)) return PatBlt(hdc, x, y, cx, cy, rop);
  DcObject* dst = DcOrError(hdc);
  DcObject* src = DcOrError(hdcSrc);
  if (!dst || !src) return FALSE;
  if (cx <= 0 || cy <= 0) return TRUE;
  BlitJob job;
  job.dc = dst;
  job.rect = dst->ToDevice(RectOfSize(x, y, cx, cy));
  job.rop = rop3;
  job.source = SourceFor(*src, *dst, x1, y1, cx, cy, rop);
  return RunBlit(job) ? TRUE : FALSE;
}

BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop) {
  uint8_t rop3 = Rop3Index(rop);
  if (RopUsesSource(rop3)) {
    if (!DcOrError(hdc)) return FALSE;
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return FillWithBrush(hdc, RectOfSize(x, y, w, h), rop3, nullptr);
}

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  const BrushObject* brush = BrushOrSysColor(hbr);
  if (!lprc || !brush) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (lprc->right <= lprc->left || lprc->bottom <= lprc->top) return DcOrError(hDC) ? 1 : 0;
  return FillWithBrush(hDC, *lprc, Rop3Index(PATCOPY), brush);
}

int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr) {
  const BrushObject* brush = BrushOrSysColor(hbr);
  if (!lprc || !brush) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const RECT& r = *lprc;
  if (r.right <= r.left || r.bottom <= r.top) return DcOrError(hDC) ? 1 : 0;
  uint8_t rop = Rop3Index(PATCOPY);
  const RECT edges[4] = {{r.left, r.top, r.right, r.top + 1},
                         {r.left, r.bottom - 1, r.right, r.bottom},
                         {r.left, r.top, r.left + 1, r.bottom},
                         {r.right - 1, r.top, r.right, r.bottom}};
  for (const RECT& edge : edges)
    if (!FillWithBrush(hDC, edge, rop, brush)) return 0;
  return 1;
}

BOOL InvertRect(HDC hDC, const RECT* lprc) {
  if (!lprc) return FALSE;
  return FillWithBrush(hDC, *lprc, Rop3Index(DSTINVERT), nullptr);
}

namespace {

// The surface pixel behind a logical point, when the DC may draw there.
BitmapObject* VisiblePixel(HDC hdc, int x, int y, POINT* surface) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return nullptr;
  POINT d = dc->ToDevice(POINT{x, y});
  if (!dc->EffectiveClip().Contains(d.x, d.y)) return nullptr;
  BitmapObject* target = dc->Target();
  *surface = POINT{d.x + dc->Origin().x, d.y + dc->Origin().y};
  return target;
}

}  // namespace

COLORREF GetPixel(HDC hdc, int x, int y) {
  PixelGuard guard(PixelLock());
  POINT p;
  BitmapObject* target = VisiblePixel(hdc, x, y, &p);
  if (!target) return CLR_INVALID;
  uint32_t pixel = 0;
  target->ReadRow(p.x, p.y, 1, &pixel);
  return PixelToColorRef(pixel);
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
  PixelGuard guard(PixelLock());
  POINT p;
  BitmapObject* target = VisiblePixel(hdc, x, y, &p);
  if (!target) return CLR_INVALID;
  uint32_t pixel = ColorRefToPixel(color);
  target->WriteRow(p.x, p.y, 1, &pixel);
  target->ReadRow(p.x, p.y, 1, &pixel);
  return PixelToColorRef(pixel);
}

BOOL SetPixelV(HDC hdc, int x, int y, COLORREF color) {
  return SetPixel(hdc, x, y, color) != CLR_INVALID ? TRUE : FALSE;
}
