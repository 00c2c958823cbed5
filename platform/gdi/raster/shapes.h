// Span generators for Rectangle and Polygon/PolyPolygon interiors. The caller fills the
// spans with the brush or pen through its ROP2 mix (FillSpans in fill.h for R2_COPYPEN
// with a solid colour). Ellipses and rounded rectangles are in ellipse_spans.h.
#pragma once

#include "platform/gdi/raster/ellipse_spans.h"

#include <vector>

namespace talix::gdi::raster {

struct RasterPoint {
  int x = 0;
  int y = 0;
};

// Rectangle: the figure covers [left, right) x [top, bottom) (the right and bottom edges
// excluded, as GDI draws it). The pen of `pen_width` pixels lies inside the figure (one
// pixel for cosmetic pens; 0 = no pen, all interior); the interior is what remains.
TALIX_EXPORT ShapeSpans RectangleShape(const RasterRect& rect, int pen_width,
                                       const RasterRect* limit = nullptr);

// SetPolyFillMode's values.
enum class FillMode : int { kAlternate = 1, kWinding = 2 };

// The interior of one or more closed polygons (each closed back to its first point),
// sampled at integer pixel positions: pixel (x, y) is inside when the point (x, y) is,
// under the fill mode (ALTERNATE: an odd number of edge crossings to its left; WINDING: a
// non-zero sum of edge directions). Edges cover the rows [min y, max y), and on a row the
// pixels from ceil(left crossing) to ceil(right crossing) exclusive, so polygons sharing an
// edge never share a pixel and a rectangle polygon (0,0)-(10,10) fills 10 x 10 pixels.
// Spans come sorted by row, then x, merged where they touch. `limit` (optional) keeps the
// rows and columns inside it.
TALIX_EXPORT std::vector<Span> PolygonSpans(const std::vector<std::vector<RasterPoint>>& polygons,
                                            FillMode mode, const RasterRect* limit = nullptr);

}  // namespace talix::gdi::raster
