// DrawIconEx and DrawIcon.
//
// The icon is scaled to the requested size by nearest neighbour (the source pixel under
// each destination pixel's centre). DI_MASK alone copies the AND mask, DI_IMAGE alone the
// colour image; both (DI_NORMAL) blend 32-bit alpha icons per pixel over the destination
// and apply the AND mask then the XOR image to the others. On a mirrored (RTL) DC the
// icon is drawn mirrored unless the DC has LAYOUT_BITMAPORIENTATIONPRESERVED or the call
// passes DI_NOMIRROR. Limits: istepIfAniCur is ignored (no animated cursors); DI_COMPAT
// changes nothing (there are no separate default cursors).
#include "platform/gdi/dc/dc_access.h"
#include "platform/gdi/dc/dc_object.h"
#include "platform/gdi/icon/icon_object.h"
#include "platform/gdi/raster/alpha.h"

#include <win/errors.h>
#include <win/sysmetrics.h>

#include <algorithm>

using namespace talix;
using namespace talix::gdi;

namespace {

// Source index along one axis for destination pixel t of n, from m source pixels.
inline int Sample(int t, int n, int m) { return int((int64_t(2 * t + 1) * m) / (int64_t(2) * n)); }

uint32_t BlendPixel(uint32_t d, uint32_t s) {
  uint32_t a = s >> 24, out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    uint32_t sc = (s >> shift) & 0xFF, dc = (d >> shift) & 0xFF;
    out |= raster::Div255(sc * a + dc * (255 - a)) << shift;
  }
  uint32_t da = d >> 24;
  return out | ((a + raster::Div255(da * (255 - a))) << 24);
}

uint32_t IconPixel(const IconObject& icon, uint32_t d, size_t i, UINT flags) {
  uint32_t s = icon.color[i];
  bool keep = icon.mask[i] != 0;
  switch (flags & DI_NORMAL) {
    case DI_MASK:
      return keep ? 0xFFFFFF : 0;
    case DI_IMAGE:
      return s;
    default:
      if (icon.hasAlpha) return BlendPixel(d, s);
      return keep ? d ^ (s & 0xFFFFFF) : s & 0xFFFFFF;
  }
}

struct Placement {
  RECT surface;  // destination in surface coordinates
  bool flip;
};

void DrawPixels(HDC hdc, const IconObject& icon, const Placement& at, UINT flags) {
  DcObject* dc = PeekDc(hdc);
  bool clearX = dc && dc->Target() && dc->Target()->ClearsX();
  pixman_region32_t clip;
  pixman_region32_init(&clip);
  DcClipRegion(hdc, &clip);
  ScopedSurface32 pixels(hdc, at.surface);
  if (pixels.Valid()) {
    RECT r = pixels.Rect();
    pixman_region32_intersect_rect(&clip, &clip, r.left, r.top, r.right - r.left, r.bottom - r.top);
    int cx = at.surface.right - at.surface.left, cy = at.surface.bottom - at.surface.top;
    int n = 0;
    const pixman_box32_t* boxes = pixman_region32_rectangles(&clip, &n);
    for (int b = 0; b < n; ++b)
      for (int y = boxes[b].y1; y < boxes[b].y2; ++y) {
        uint32_t* row = pixels.Surface().Row(y - r.top);
        int sy = Sample(y - at.surface.top, cy, icon.height);
        for (int x = boxes[b].x1; x < boxes[b].x2; ++x) {
          int t = x - at.surface.left;
          int sx = Sample(at.flip ? cx - 1 - t : t, cx, icon.width);
          uint32_t& d = row[x - r.left];
          d = IconPixel(icon, d, size_t(sy) * icon.width + sx, flags);
          if (clearX) d &= 0xFFFFFF;
        }
      }
    pixels.Commit();
  }
  pixman_region32_fini(&clip);
}

// Draws into an offscreen filled with the brush, then copies it in one go.
BOOL DrawFlickerFree(HDC hdc, int x, int y, HICON icon, int cx, int cy, HBRUSH brush,
                     UINT flags) {
  HDC mem = CreateCompatibleDC(hdc);
  HBITMAP bitmap = mem ? CreateCompatibleBitmap(hdc, cx, cy) : nullptr;
  BOOL ok = FALSE;
  if (bitmap) {
    HGDIOBJ old = SelectObject(mem, bitmap);
    RECT all{0, 0, cx, cy};
    FillRect(mem, &all, brush);
    ok = DrawIconEx(mem, 0, 0, icon, cx, cy, 0, nullptr, flags);
    // The copy mirrors on an RTL DC as the icon itself would be.
    DWORD rop = SRCCOPY | ((flags & DI_NOMIRROR) ? NOMIRRORBITMAP : 0);
    if (ok) ok = BitBlt(hdc, x, y, cx, cy, mem, 0, 0, rop);
    SelectObject(mem, old);
    DeleteObject(bitmap);
  }
  if (mem) DeleteDC(mem);
  return ok;
}

}  // namespace

BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth,
                UINT istepIfAniCur, HBRUSH hbrFlickerFreeDraw, UINT diFlags) {
  (void)istepIfAniCur;
  auto icon = IconOrError(hIcon);
  if (!icon) return FALSE;
  if (!PeekDc(hdc)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!(diFlags & DI_NORMAL) || cxWidth < 0 || cyWidth < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  bool systemSize = (diFlags & DI_DEFAULTSIZE) != 0;
  if (cxWidth == 0)
    cxWidth = systemSize ? GetSystemMetrics(icon->isIcon ? SM_CXICON : SM_CXCURSOR) : icon->width;
  if (cyWidth == 0)
    cyWidth = systemSize ? GetSystemMetrics(icon->isIcon ? SM_CYICON : SM_CYCURSOR) : icon->height;
  if (cxWidth <= 0 || cyWidth <= 0 || cxWidth > kMaxIconSide * 8 || cyWidth > kMaxIconSide * 8) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (hbrFlickerFreeDraw)
    return DrawFlickerFree(hdc, xLeft, yTop, hIcon, cxWidth, cyWidth, hbrFlickerFreeDraw,
                           diFlags);
  Placement at{};
  DcLogicalToSurface(hdc, RECT{xLeft, yTop, xLeft + cxWidth, yTop + cyWidth}, &at.surface);
  at.flip = DcIsMirrored(hdc) && !(GetLayout(hdc) & LAYOUT_BITMAPORIENTATIONPRESERVED) &&
            !(diFlags & DI_NOMIRROR);
  DrawPixels(hdc, *icon, at, diFlags);
  return TRUE;
}

BOOL DrawIcon(HDC hDC, int X, int Y, HICON hIcon) {
  return DrawIconEx(hDC, X, Y, hIcon, 0, 0, 0, nullptr, DI_NORMAL | DI_COMPAT | DI_DEFAULTSIZE);
}
