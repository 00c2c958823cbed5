#include "platform/gdi/draw/pen_paint.h"

#include "platform/gdi/blit/blit_engine.h"
#include "platform/gdi/objects/pen_object.h"

namespace talix::gdi {

uint8_t Rop3FromRop2(int rop2) {
  int table = (rop2 >= R2_BLACK && rop2 <= R2_WHITE ? rop2 : R2_COPYPEN) - 1;
  uint8_t rop3 = 0;
  for (int index = 0; index < 8; ++index) {
    int p = (index >> 2) & 1, d = index & 1;
    rop3 |= uint8_t(((table >> (p << 1 | d)) & 1) << index);
  }
  return rop3;
}

bool PaintShape(DcObject& dc, const Region32& shape, const BrushObject* brush, uint8_t rop3) {
  if (shape.Empty()) return true;
  BlitJob job;
  job.dc = &dc;
  job.rect = shape.Box();
  job.rop = rop3;
  job.brush = brush;
  job.useDcBrush = brush == nullptr;
  job.shape = &shape;
  return RunBlit(job);
}

bool PaintShapeColor(DcObject& dc, const Region32& shape, COLORREF color, uint8_t rop3) {
  LOGBRUSH log{BS_SOLID, color & 0xFFFFFF, 0};
  BrushObject brush(log);
  return PaintShape(dc, shape, &brush, rop3);
}

namespace {

Region32 RegionOfBoxes(std::vector<pixman_box32_t>& boxes) {
  Region32 out;
  if (!boxes.empty())
    pixman_region32_init_rects(out.get(), boxes.data(), int(boxes.size()));
  return out;
}

}  // namespace

Region32 RegionOfSpans(const std::vector<raster::Span>& spans) {
  std::vector<pixman_box32_t> boxes;
  boxes.reserve(spans.size());
  for (const raster::Span& s : spans)
    if (s.x1 > s.x0) boxes.push_back(pixman_box32_t{s.x0, s.y, s.x1, s.y + 1});
  return RegionOfBoxes(boxes);
}

Region32 RegionOfPoints(const std::vector<raster::RasterPoint>& points) {
  std::vector<pixman_box32_t> boxes;
  boxes.reserve(points.size());
  for (const raster::RasterPoint& p : points) {
    if (!boxes.empty() && boxes.back().y1 == p.y && boxes.back().x2 == p.x)
      ++boxes.back().x2;  // runs along a row become one box
    else
      boxes.push_back(pixman_box32_t{p.x, p.y, p.x + 1, p.y + 1});
  }
  return RegionOfBoxes(boxes);
}

Region32 LogicalRegionToDevice(const DcObject& dc, const pixman_region32_t& logical) {
  Region32 device(&logical);
  const DcState& s = dc.State();
  device.Translate(s.viewportOrg.x - s.windowOrg.x, s.viewportOrg.y - s.windowOrg.y);
  if (dc.Mirrored()) device.MirrorX(dc.Width());
  return device;
}

PenSpec CurrentPen(const DcObject& dc) {
  PenSpec spec;
  const PenObject* pen = PeekPen(dc.State().pen);
  if (!pen) {
    spec.visible = false;
    return spec;
  }
  const LOGPEN& log = pen->Log();
  int style = int(log.lopnStyle & PS_STYLE_MASK);
  spec.color = pen->IsDcPen() ? dc.State().dcPenColor : log.lopnColor;
  spec.width = log.lopnWidth.x > 1 ? int(log.lopnWidth.x) : 1;
  spec.visible = style != PS_NULL;
  spec.insideFrame = style == PS_INSIDEFRAME;
  // Dashes belong to one-pixel pens; wider pens draw solid.
  if (spec.width == 1 && style >= PS_DASH && style <= PS_DASHDOTDOT)
    spec.style = raster::PenStyle(style);
  return spec;
}

bool StrokePixels(DcObject& dc, const std::vector<raster::LinePixel>& pixels,
                  const PenSpec& pen, Region32* drawn) {
  if (!pen.visible || pixels.empty()) return true;
  std::vector<raster::RasterPoint> on, off;
  for (const raster::LinePixel& p : pixels) (p.on ? on : off).push_back({p.x, p.y});
  bool opaque = dc.State().bkMode == OPAQUE;
  Region32 onRegion = RegionOfPoints(on);
  Region32 offRegion = opaque ? RegionOfPoints(off) : Region32();
  offRegion.Subtract(onRegion);  // a pixel crossed twice is drawn once
  uint8_t rop3 = Rop3FromRop2(dc.State().rop2);
  bool ok = PaintShapeColor(dc, onRegion, pen.color, rop3);
  if (opaque) ok = PaintShapeColor(dc, offRegion, dc.State().bkColor, rop3) && ok;
  if (drawn) {
    *drawn = onRegion;
    drawn->Union(offRegion);
  }
  return ok;
}

bool FillInterior(DcObject& dc, const Region32& interior) {
  return PaintShape(dc, interior, nullptr, Rop3FromRop2(dc.State().rop2));
}

}  // namespace talix::gdi
