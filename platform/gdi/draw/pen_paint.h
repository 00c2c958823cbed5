// Painting device-coordinate shapes for the line, shape and region functions: pen pixels
// and brush interiors through the DC's ROP2 mix, regions with a brush through a raster
// operation. All coordinates here are device coordinates of the DC.
#pragma once

#include "platform/gdi/dc/dc_object.h"
#include "platform/gdi/objects/brush_object.h"
#include "platform/gdi/raster/lines.h"

#include <vector>

namespace talix::gdi {

// The ternary operation (pattern = pen or brush, destination) of a ROP2 mix: R2 value - 1
// is a truth table over (pen << 1 | destination).
uint8_t Rop3FromRop2(int rop2);

// Paints `shape` with `brush` (the DC's brush when null) through `rop3`.
bool PaintShape(DcObject& dc, const Region32& shape, const BrushObject* brush, uint8_t rop3);
// The same with a solid colour.
bool PaintShapeColor(DcObject& dc, const Region32& shape, COLORREF color, uint8_t rop3);

Region32 RegionOfSpans(const std::vector<raster::Span>& spans);
Region32 RegionOfPoints(const std::vector<raster::RasterPoint>& points);

// A region handle's rectangles (logical coordinates) in device coordinates.
Region32 LogicalRegionToDevice(const DcObject& dc, const pixman_region32_t& logical);

// The DC's pen as the drawing functions use it.
struct PenSpec {
  bool visible = true;           // false for PS_NULL (or no pen)
  raster::PenStyle style = raster::PenStyle::kSolid;
  int width = 1;                 // 1 for cosmetic pens
  bool insideFrame = false;      // PS_INSIDEFRAME
  COLORREF color = RGB(0, 0, 0);
};
PenSpec CurrentPen(const DcObject& dc);

// Draws line pixels with the pen through the ROP2 mix; gap pixels take the background
// colour in OPAQUE mode and are left alone in TRANSPARENT mode. `drawn` (optional)
// receives every pixel touched.
bool StrokePixels(DcObject& dc, const std::vector<raster::LinePixel>& pixels,
                  const PenSpec& pen, Region32* drawn = nullptr);

// Fills with the DC's brush through the ROP2 mix.
bool FillInterior(DcObject& dc, const Region32& interior);

}  // namespace talix::gdi
