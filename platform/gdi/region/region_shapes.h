// Pixel coverage of ellipses, rounded rectangles and polygons, as rows of spans.
//
// One rule for every shape, shared by shape regions and by shape filling:
//   A pixel (x, y) is covered when its centre (x + 0.5, y + 0.5) lies inside the shape.
//   Ellipses and rounded corners: a centre exactly on the ellipse counts as inside.
//   Polygons: a centre exactly on an edge counts when the edge is a left edge of the
//   span and not when it is a right edge; rows never meet a vertex, because vertices
//   have integer coordinates and row centres do not. So a polygon through the corners of
//   a rectangle covers exactly that rectangle with right and bottom edges excluded, the
//   same pixels as CreateRectRgn of its corners, and polygons that share an edge never
//   both cover a pixel.
// The ellipse of a bounding box (left, top, right, bottom) has its centre at the box's
// centre and its radii half the box's width and height; the box's right and bottom are
// exclusive, so the ellipse of (0, 0, 4, 4) covers 12 pixels of the 4 x 4 box (the four
// corners are out). A rounded rectangle is its box with each corner cut by a quarter of
// the w x h corner ellipse, that ellipse clamped to the box; w or h of 0 gives the plain
// box.
//
// Limits: box corners are clamped to the 27-bit region range and polygon points must lie
// within it. A shape of more than kMaxShapeRows rows (after the optional clip) is refused
// before any row is delivered; a polygon that needs more than kMaxShapeSpans spans or
// 2^24 edge crossings is refused when the budget runs out, possibly after some rows.
#pragma once

#include <win/types.h>

#include <cstddef>
#include <cstdint>
#include <functional>

namespace talix::gdi {

constexpr int64_t kMaxShapeRows = int64_t{1} << 20;
constexpr int64_t kMaxShapeSpans = int64_t{1} << 21;

// Pixels left .. right - 1 of one row.
struct Span {
  int32_t left;
  int32_t right;
};

// Receives the spans of one row, left to right, not overlapping, none empty; rows come
// top to bottom and rows without spans are skipped. Return false to stop early.
using SpanRowSink = std::function<bool(int32_t y, const Span* spans, size_t count)>;

// How far the covered pixels of row `row` (0 .. height - 1) of the ellipse inscribed in a
// width x height box stand in from each side: the row covers inset .. width - inset - 1,
// nothing when inset is width / 2 and width is even. Width and height up to 2^28.
TALIX_EXPORT int64_t EllipseRowInset(int64_t width, int64_t height, int64_t row);

// The shapes, optionally clipped to `clip` (right and bottom exclusive). The box may have
// its corners in any order. False when the shape is too big (see above) or the sink
// stopped; an empty shape calls the sink for no row and returns true.
TALIX_EXPORT bool EllipseSpans(const RECT& box, const RECT* clip, const SpanRowSink& sink);
TALIX_EXPORT bool RoundRectSpans(const RECT& box, int ellipseWidth, int ellipseHeight,
                                 const RECT* clip, const SpanRowSink& sink);

// Polygons, each closed automatically (last point back to the first), filled together
// with ALTERNATE (even-odd) or WINDING (non-zero) rule. False for a bad fill mode, counts
// below 2, points beyond the 27-bit range, a shape that is too big, or a stopped sink.
TALIX_EXPORT bool PolyPolygonSpans(const POINT* points, const INT* counts, int polygonCount,
                                   int fillMode, const RECT* clip, const SpanRowSink& sink);

}  // namespace talix::gdi
