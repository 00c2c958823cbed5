// DrawEdge, DrawFocusRect and DrawFrameControl's menu glyphs.
//
// DrawEdge draws each border one pixel wide, outer border on the rectangle's edge and
// inner border just inside it. Colours: raised outer light COLOR_3DLIGHT / dark
// COLOR_3DDKSHADOW, raised inner COLOR_3DHILIGHT / COLOR_3DSHADOW, sunken outer
// COLOR_3DSHADOW / COLOR_3DHILIGHT, sunken inner COLOR_3DDKSHADOW / COLOR_3DLIGHT (top and
// left sides take the first, bottom and right the second; the bottom and right sides are
// drawn last and own the top-right and bottom-left corners). BF_SOFT swaps the top-left
// colours of the two borders; BF_FLAT draws the outer border COLOR_3DSHADOW and the inner
// COLOR_BTNFACE, BF_MONO the outer COLOR_WINDOWFRAME and the inner COLOR_WINDOW. BF_MIDDLE
// fills what remains with COLOR_BTNFACE (COLOR_WINDOW with BF_FLAT or BF_MONO).
//
// Limits: BF_DIAGONAL is refused; DrawFrameControl draws DFC_MENU glyphs only (check mark,
// bullet, arrow), black on white, in our own drawing, at most 1024 pixels square.
#include "platform/gdi/blit/rop3.h"
#include "platform/gdi/draw/pen_paint.h"
#include "platform/gdi/raster/ellipse_spans.h"
#include "platform/gdi/raster/shapes.h"

#include <win/base.h>
#include <win/gdi.h>
#include <win/sysmetrics.h>

#include <algorithm>

using namespace talix::gdi;
namespace r = talix::gdi::raster;

namespace {

struct BorderColors {
  int topLeft;
  int bottomRight;
};

BorderColors OuterColors(UINT edge, UINT flags) {
  if (flags & BF_MONO) return {COLOR_WINDOWFRAME, COLOR_WINDOWFRAME};
  if (flags & BF_FLAT) return {COLOR_3DSHADOW, COLOR_3DSHADOW};
  bool soft = (flags & BF_SOFT) != 0;
  if (edge & BDR_RAISEDOUTER) return {soft ? COLOR_3DHILIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW};
  return {soft ? COLOR_3DDKSHADOW : COLOR_3DSHADOW, COLOR_3DHILIGHT};
}

BorderColors InnerColors(UINT edge, UINT flags) {
  if (flags & BF_MONO) return {COLOR_WINDOW, COLOR_WINDOW};
  if (flags & BF_FLAT) return {COLOR_BTNFACE, COLOR_BTNFACE};
  bool soft = (flags & BF_SOFT) != 0;
  if (edge & BDR_RAISEDINNER) return {soft ? COLOR_3DLIGHT : COLOR_3DHILIGHT, COLOR_3DSHADOW};
  return {soft ? COLOR_3DSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT};
}

BOOL FillLogical(DcObject& dc, const RECT& logical, COLORREF color) {
  if (logical.right <= logical.left || logical.bottom <= logical.top) return TRUE;
  return PaintShapeColor(dc, Region32(dc.ToDevice(logical)), color, Rop3Index(PATCOPY));
}

// One border ring on the sides in `flags`; the rectangle shrinks by the sides drawn.
void DrawRing(DcObject& dc, RECT* rc, BorderColors colors, UINT flags) {
  RECT& r = *rc;
  COLORREF light = GetSysColor(colors.topLeft), dark = GetSysColor(colors.bottomRight);
  if (flags & BF_TOP) FillLogical(dc, RECT{r.left, r.top, r.right, r.top + 1}, light);
  if (flags & BF_LEFT) FillLogical(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, light);
  if (flags & BF_BOTTOM) FillLogical(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, dark);
  if (flags & BF_RIGHT) FillLogical(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, dark);
  if (flags & BF_TOP) ++r.top;
  if (flags & BF_LEFT) ++r.left;
  if (flags & BF_BOTTOM) --r.bottom;
  if (flags & BF_RIGHT) --r.right;
}

}  // namespace

BOOL DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return FALSE;
  if (!qrc || (grfFlags & BF_DIAGONAL)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  RECT inside = *qrc;
  if (edge & BDR_OUTER) DrawRing(*dc, &inside, OuterColors(edge, grfFlags), grfFlags);
  if (edge & BDR_INNER) DrawRing(*dc, &inside, InnerColors(edge, grfFlags), grfFlags);
  if (grfFlags & BF_MIDDLE) {
    int middle = (grfFlags & (BF_FLAT | BF_MONO)) ? COLOR_WINDOW : COLOR_BTNFACE;
    FillLogical(*dc, inside, GetSysColor(middle));
  }
  if (grfFlags & BF_ADJUST) *qrc = inside;
  return TRUE;
}

BOOL DrawFocusRect(HDC hDC, const RECT* lprc) {
  DcObject* dc = DcOrError(hDC);
  if (!dc) return FALSE;
  if (!lprc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  RECT d = dc->ToDevice(*lprc);
  r::RasterRect limit{0, 0, dc->Width(), dc->Height()};
  auto pixels = r::FocusRectPixels(r::RasterRect{d.left, d.top, d.right, d.bottom}, &limit);
  return PaintShape(*dc, RegionOfPoints(pixels), nullptr, Rop3Index(DSTINVERT)) ? TRUE : FALSE;
}

namespace {

// The glyphs in device coordinates of a square of side s at (x, y).
Region32 CheckGlyph(int x, int y, int s) {
  // A tick: down from the left third to the bottom third, then up to the right; three
  // pixels thick vertically.
  r::RasterPoint a{x + s / 4, y + s / 2 - 1};
  r::RasterPoint b{x + s * 5 / 12, y + s * 2 / 3};
  r::RasterPoint c{x + s * 3 / 4 + 1, y + s / 4 - 1};
  std::vector<r::RasterPoint> points;
  for (int t = 0; t < std::max(1, s / 6); ++t) {
    r::LineStyle style;
    for (const r::LinePixel& p : r::PolylinePixels(
             {{a.x, a.y + t}, {b.x, b.y + t}, {c.x, c.y + t}}, false, &style))
      points.push_back({p.x, p.y});
  }
  return RegionOfPoints(points);
}

Region32 BulletGlyph(int x, int y, int s) {
  int d = std::max(2, s * 3 / 8);
  int left = x + (s - d) / 2, top = y + (s - d) / 2;
  return RegionOfSpans(r::EllipseSpans(r::RasterRect{left, top, left + d, top + d}));
}

Region32 ArrowGlyph(int x, int y, int s) {
  int h = std::max(2, s / 2), w = h / 2;
  int left = x + (s - w) / 2, top = y + (s - h) / 2;
  return RegionOfSpans(r::PolygonSpans(
      {{{left, top}, {left + w, top + h / 2}, {left, top + h}}}, r::FillMode::kAlternate));
}

}  // namespace

// Glyphs are drawn at most this large, centred in larger rectangles.
constexpr int kMaxGlyph = 1024;

BOOL DrawFrameControl(HDC hdc, LPRECT lprc, UINT uType, UINT uState) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return FALSE;
  if (!lprc || uType != DFC_MENU) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
  }
  RECT d = dc->ToDevice(*lprc);
  int w = d.right - d.left, h = d.bottom - d.top;
  if (w <= 0 || h <= 0) return TRUE;
  int s = std::min({w, h, kMaxGlyph});
  int x = d.left + (w - s) / 2, y = d.top + (h - s) / 2;
  Region32 glyph;
  switch (uState & 0xFF) {
    case DFCS_MENUCHECK: glyph = CheckGlyph(x, y, s); break;
    case DFCS_MENUBULLET: glyph = BulletGlyph(x, y, s); break;
    case DFCS_MENUARROW: glyph = ArrowGlyph(x, y, s); break;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
  }
  glyph.Intersect(d);
  uint8_t copy = Rop3Index(PATCOPY);
  bool ok = PaintShapeColor(*dc, Region32(d), RGB(255, 255, 255), copy);
  ok = PaintShapeColor(*dc, glyph, RGB(0, 0, 0), copy) && ok;
  return ok ? TRUE : FALSE;
}
