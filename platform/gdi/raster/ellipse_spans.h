// The pixel rule of ellipses and rounded rectangles, shared by Ellipse/RoundRect (filled
// and outlined with a one-pixel pen) and by elliptic and round-rectangle regions.
//
// Rule. The ellipse inscribed in box [left, right) x [top, bottom), with A = right - left
// and B = bottom - top, holds pixel (x, y) when its centre lies inside or on the ellipse:
// with X = 2(x - left) + 1 - A and Y = 2(y - top) + 1 - B,
//     X^2 * B^2 + Y^2 * A^2 <= A^2 * B^2.
// So a 1x1 box is one pixel, a 1xN box a column, and 5x5 gives rows of 3, 5, 5, 5, 3.
// A rounded rectangle is the box with its corners cut by the quarters of the ellipse of
// size corner_width x corner_height (clamped to the box): the ellipse cut through its
// centre lines and pulled apart to the box's corners. Corners of 0 give the box itself.
//
// The outline of a one-pixel pen is the set of shape pixels with a left, right, upper or
// lower neighbour outside the shape; the interior is the rest. Pass the rectangle as the
// drawing function got it; when it has no pen, GDI's figure is one pixel smaller to the
// right and bottom, which is the caller's adjustment.
#pragma once

#include "platform/gdi/raster/clip.h"

#include <vector>

namespace talix::gdi::raster {

// Row y of the rounded rectangle: [x0, x1) with x1 <= x0 when the row is empty.
TALIX_EXPORT Span RoundRectRow(const RasterRect& box, int corner_width, int corner_height,
                               int y);

// All rows, top to bottom, one span per non-empty row; `limit` (optional) keeps the rows
// and columns inside it.
TALIX_EXPORT std::vector<Span> RoundRectSpans(const RasterRect& box, int corner_width,
                                              int corner_height,
                                              const RasterRect* limit = nullptr);
TALIX_EXPORT std::vector<Span> EllipseSpans(const RasterRect& box,
                                            const RasterRect* limit = nullptr);

// A figure split into its one-pixel outline and its interior.
struct ShapeSpans {
  std::vector<Span> outline;
  std::vector<Span> interior;
};

TALIX_EXPORT ShapeSpans RoundRectShape(const RasterRect& box, int corner_width,
                                       int corner_height, const RasterRect* limit = nullptr);
TALIX_EXPORT ShapeSpans EllipseShape(const RasterRect& box, const RasterRect* limit = nullptr);

// Clips one span to a limit's columns; false when nothing is left.
bool ClipSpanToLimit(Span* span, const RasterRect* limit);

}  // namespace talix::gdi::raster
