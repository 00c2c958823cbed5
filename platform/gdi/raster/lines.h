// Cosmetic (one-pixel) lines as GDI draws them for LineTo, Polyline, Polygon outlines and
// DrawEdge, with the pen styles, and the dotted frame of DrawFocusRect.
//
// Pixel rule. A line from (x0, y0) to (x1, y1) lights one pixel per step along its major
// axis (the axis of the larger extent; x when equal), starting at (x0, y0) and stopping
// before (x1, y1): the last pixel is excluded, so joined segments never light their joints
// twice. At step i (0 <= i < n, n the major extent) the minor coordinate moves by
// round(i * minor extent / n), where a tie (the line passing exactly between two pixels)
// stays on the side of the start point. This is the pixel the line leaves last through its
// diamond for every step that is not a tie; the tie direction is ours.
//
// Styles. Styled lines walk a pattern of on and off runs, counted in pixels along the line
// and continued from segment to segment through a LineStyle that the caller keeps (reset
// it for a new figure). Every pixel is reported with its on/off state: an off pixel is a
// gap, drawn with the background colour when the background mode is OPAQUE and left alone
// when it is TRANSPARENT. The run lengths of the dashed styles are our choice (the system's
// are not documented): PS_DASH 18 on 6 off, PS_DOT 3/3, PS_DASHDOT 9/6/3/6, PS_DASHDOTDOT
// 9/3/3/3/3/3; PS_ALTERNATE sets every other pixel.
#pragma once

#include "platform/gdi/raster/shapes.h"

#include <vector>

namespace talix::gdi::raster {

// The pen styles with a cosmetic pattern (CreatePen/ExtCreatePen values).
enum class PenStyle : int {
  kSolid = 0,
  kDash = 1,
  kDot = 2,
  kDashDot = 3,
  kDashDotDot = 4,
  kAlternate = 8,
};

// The position in a style's pattern, carried from one segment to the next.
class TALIX_EXPORT LineStyle {
 public:
  explicit LineStyle(PenStyle style = PenStyle::kSolid);

  bool OnAt(int64_t offset) const;  // the state `offset` pixels past the current position
  void Advance(int64_t pixels);
  void Reset() { position_ = 0; }

 private:
  std::vector<int> runs_;  // on, off, on, off, ...
  int period_ = 0;
  int64_t position_ = 0;
};

struct LinePixel {
  int x = 0;
  int y = 0;
  bool on = true;  // false: a gap of a styled pen

  bool operator==(const LinePixel& other) const = default;
};

// Appends the pixels of the segment from `from` to `to` (last pixel excluded) that lie in
// `limit` (optional; the style still advances over pixels outside it) and advances the
// style by the segment's length.
TALIX_EXPORT void AppendLinePixels(RasterPoint from, RasterPoint to, LineStyle* style,
                                   const RasterRect* limit, std::vector<LinePixel>* out);

// Polyline: the segments through the points in order (the last point's pixel excluded).
// Polygon outlines pass `closed` to add the segment back to the first point.
TALIX_EXPORT std::vector<LinePixel> PolylinePixels(const std::vector<RasterPoint>& points,
                                                   bool closed, LineStyle* style,
                                                   const RasterRect* limit = nullptr);

// DrawFocusRect's frame: every other pixel of the border of [left, right) x [top, bottom),
// those with (x + y) of the parity of (left + top), each pixel once (so XORing it twice
// restores the destination).
TALIX_EXPORT std::vector<RasterPoint> FocusRectPixels(const RasterRect& rect,
                                                      const RasterRect* limit = nullptr);

}  // namespace talix::gdi::raster
