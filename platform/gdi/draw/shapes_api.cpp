// The current position, lines, polygons, rectangles, ellipses and rounded rectangles.
//
// Figures are rasterised in device coordinates (after the DC's origins and right-to-left
// mirroring); outlines are drawn with the DC's pen and interiors with its brush, both
// through the ROP2 mix, each pixel once.
//
// Limits: pens wider than one pixel draw Rectangle borders only (centred on the figure's
// edge; PS_INSIDEFRAME inside it); lines, polygons, ellipses and rounded rectangles draw
// them one pixel wide. A pen's dash pattern restarts with every call.
#include "platform/gdi/draw/pen_paint.h"
#include "platform/gdi/raster/ellipse_spans.h"
#include "platform/gdi/raster/shapes.h"

#include <win/base.h>
#include <win/gdi.h>
#include <win/region.h>

#include <algorithm>

using namespace talix::gdi;
namespace r = talix::gdi::raster;

namespace {

// Pixels beyond the DC's area are never drawn, so figures are rasterised only within it
// (huge coordinates cost no memory).
r::RasterRect Limit(const DcObject& dc) { return r::RasterRect{0, 0, dc.Width(), dc.Height()}; }

r::RasterPoint DevicePoint(const DcObject& dc, POINT logical) {
  POINT d = dc.ToDevice(logical);
  return r::RasterPoint{d.x, d.y};
}

r::RasterRect DeviceBox(const DcObject& dc, int left, int top, int right, int bottom) {
  RECT logical{std::min(left, right), std::min(top, bottom), std::max(left, right),
               std::max(top, bottom)};
  RECT d = dc.ToDevice(logical);
  return r::RasterRect{d.left, d.top, d.right, d.bottom};
}

// Lines through the points (device coordinates), with the DC's pen.
BOOL StrokePath(DcObject& dc, const std::vector<r::RasterPoint>& points, bool closed) {
  PenSpec pen = CurrentPen(dc);
  r::LineStyle style(pen.style);
  r::RasterRect limit = Limit(dc);
  return StrokePixels(dc, r::PolylinePixels(points, closed, &style, &limit), pen) ? TRUE : FALSE;
}

// A figure's outline with the pen, then its interior (minus what the pen drew) with the
// brush.
BOOL PaintFigure(DcObject& dc, const std::vector<r::LinePixel>& outline,
                 const Region32& outlineSolid, Region32 interior, const PenSpec& pen) {
  Region32 drawn;
  bool ok = StrokePixels(dc, outline, pen, &drawn);
  if (pen.visible && !outlineSolid.Empty()) {
    ok = PaintShapeColor(dc, outlineSolid, pen.color, Rop3FromRop2(dc.State().rop2)) && ok;
    drawn.Union(outlineSolid);
  }
  interior.Subtract(drawn);
  return (FillInterior(dc, interior) && ok) ? TRUE : FALSE;
}

std::vector<r::LinePixel> AsLinePixels(const std::vector<r::Span>& spans) {
  std::vector<r::LinePixel> out;
  for (const r::Span& s : spans)
    for (int x = s.x0; x < s.x1; ++x) out.push_back(r::LinePixel{x, s.y, true});
  return out;
}

}  // namespace

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return FALSE;
  if (lppt) *lppt = dc->State().currentPos;
  dc->State().currentPos = POINT{ClampCoord(x), ClampCoord(y)};
  return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, LPPOINT lppt) {
  DcObject* dc = DcOrError(hdc);
  if (!dc || !lppt) return FALSE;
  *lppt = dc->State().currentPos;
  return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return FALSE;
  POINT to{ClampCoord(x), ClampCoord(y)};
  BOOL ok = StrokePath(*dc, {DevicePoint(*dc, dc->State().currentPos), DevicePoint(*dc, to)},
                       false);
  dc->State().currentPos = to;
  return ok;
}

BOOL Polyline(HDC hdc, const POINT* apt, int cpt) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return FALSE;
  if (!apt || cpt < 2) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::vector<r::RasterPoint> points;
  for (int i = 0; i < cpt; ++i) points.push_back(DevicePoint(*dc, apt[i]));
  return StrokePath(*dc, points, false);
}

BOOL PolylineTo(HDC hdc, const POINT* apt, DWORD cpt) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return FALSE;
  if (!apt || cpt == 0 || cpt > 0x1000000) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::vector<r::RasterPoint> points{DevicePoint(*dc, dc->State().currentPos)};
  for (DWORD i = 0; i < cpt; ++i) points.push_back(DevicePoint(*dc, apt[i]));
  BOOL ok = StrokePath(*dc, points, false);
  dc->State().currentPos = apt[cpt - 1];
  return ok;
}

int SetPolyFillMode(HDC hdc, int mode) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return 0;
  if (mode != ALTERNATE && mode != WINDING) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  int old = dc->State().polyFillMode;
  dc->State().polyFillMode = mode;
  return old;
}

int GetPolyFillMode(HDC hdc) {
  DcObject* dc = DcOrError(hdc);
  return dc ? dc->State().polyFillMode : 0;
}

BOOL PolyPolygon(HDC hdc, const POINT* apt, const INT* asz, int csz) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return FALSE;
  if (!apt || !asz || csz <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::vector<std::vector<r::RasterPoint>> polygons;
  size_t next = 0;
  for (int i = 0; i < csz; ++i) {
    if (asz[i] < 2 || asz[i] > 0x1000000) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    std::vector<r::RasterPoint> polygon;
    for (int k = 0; k < asz[i]; ++k) polygon.push_back(DevicePoint(*dc, apt[next++]));
    polygons.push_back(std::move(polygon));
  }
  PenSpec pen = CurrentPen(*dc);
  r::RasterRect limit = Limit(*dc);
  std::vector<r::LinePixel> outline;
  for (const auto& polygon : polygons) {
    r::LineStyle style(pen.style);
    auto pixels = r::PolylinePixels(polygon, true, &style, &limit);
    outline.insert(outline.end(), pixels.begin(), pixels.end());
  }
  auto mode = dc->State().polyFillMode == WINDING ? r::FillMode::kWinding
                                                  : r::FillMode::kAlternate;
  Region32 interior = RegionOfSpans(r::PolygonSpans(polygons, mode, &limit));
  return PaintFigure(*dc, outline, Region32(), interior, pen);
}

BOOL Polygon(HDC hdc, const POINT* apt, int cpt) {
  INT count = cpt;
  return PolyPolygon(hdc, apt, &count, 1);
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return FALSE;
  PenSpec pen = CurrentPen(*dc);
  int x0 = std::min(left, right), x1 = std::max(left, right);
  int y0 = std::min(top, bottom), y1 = std::max(top, bottom);
  if (!pen.visible) {  // without a pen the figure ends one pixel sooner
    r::RasterRect box = DeviceBox(*dc, x0, y0, x1 - 1, y1 - 1);
    return FillInterior(*dc, Region32(RECT{box.left, box.top, box.right, box.bottom})) ? TRUE
                                                                                        : FALSE;
  }
  if (pen.width > 1) {
    int grow = pen.insideFrame ? 0 : (pen.width - 1) / 2;
    int extra = pen.insideFrame ? 0 : pen.width / 2;
    r::RasterRect box = DeviceBox(*dc, x0 - grow, y0 - grow, x1 + extra, y1 + extra);
    r::RasterRect limit = Limit(*dc);
    r::ShapeSpans shape = r::RectangleShape(box, pen.width, &limit);
    return PaintFigure(*dc, {}, RegionOfSpans(shape.outline), RegionOfSpans(shape.interior), pen);
  }
  r::RasterRect box = DeviceBox(*dc, x0, y0, x1, y1);
  if (box.Empty()) return TRUE;
  r::RasterRect limit = Limit(*dc);
  std::vector<r::RasterPoint> corners{{box.left, box.top},
                                      {box.right - 1, box.top},
                                      {box.right - 1, box.bottom - 1},
                                      {box.left, box.bottom - 1}};
  r::LineStyle style(pen.style);
  auto outline = r::PolylinePixels(corners, true, &style, &limit);
  r::ShapeSpans shape = r::RectangleShape(box, 1, &limit);
  if (box.Width() == 1 || box.Height() == 1) outline = AsLinePixels(shape.outline);
  return PaintFigure(*dc, outline, Region32(), RegionOfSpans(shape.interior), pen);
}

namespace {

// Ellipse and RoundRect: the figure's outline with the pen, the rest with the brush.
BOOL RoundFigure(HDC hdc, int left, int top, int right, int bottom, int cw, int ch, bool ellipse) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return FALSE;
  PenSpec pen = CurrentPen(*dc);
  int x0 = std::min(left, right), x1 = std::max(left, right);
  int y0 = std::min(top, bottom), y1 = std::max(top, bottom);
  if (!pen.visible) {
    --x1;
    --y1;
  }
  r::RasterRect box = DeviceBox(*dc, x0, y0, x1, y1);
  if (box.Empty()) return TRUE;
  r::RasterRect limit = Limit(*dc);
  r::ShapeSpans shape =
      ellipse ? r::EllipseShape(box, &limit) : r::RoundRectShape(box, cw, ch, &limit);
  Region32 interior = RegionOfSpans(shape.interior);
  if (!pen.visible) {
    interior.Union(RegionOfSpans(shape.outline));
    return FillInterior(*dc, interior) ? TRUE : FALSE;
  }
  return PaintFigure(*dc, AsLinePixels(shape.outline), Region32(), interior, pen);
}

}  // namespace

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  return RoundFigure(hdc, left, top, right, bottom, 0, 0, true);
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height) {
  return RoundFigure(hdc, left, top, right, bottom, std::abs(width), std::abs(height), false);
}
