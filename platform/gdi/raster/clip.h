// Shared vocabulary of the raster kernels: rectangles and spans in surface coordinates,
// and the visible part of a destination (its bounds, an optional clip region, an area).
//
// Every kernel writes only inside ClipRects(dst, clip, area): the destination bounds
// intersected with the clip region (null = no further clip) and the area drawn.
#pragma once

#include "platform/gdi/surface.h"

#include <win/types.h>

#include <vector>

// The region type is pixman's; the kernels only read its rectangles.
typedef struct pixman_region32 pixman_region32_t;

namespace talix::gdi::raster {

// A rectangle [left, right) x [top, bottom); empty when right <= left or bottom <= top.
struct RasterRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  bool Empty() const { return right <= left || bottom <= top; }
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

// A horizontal run of pixels [x0, x1) on row y.
struct Span {
  int y = 0;
  int x0 = 0;
  int x1 = 0;

  bool operator==(const Span& other) const = default;
};

TALIX_EXPORT RasterRect Intersect(const RasterRect& a, const RasterRect& b);

// The visible rectangles of `area` on a destination of width x height: y-x banded (sorted
// by top, then left), non-overlapping, none empty.
TALIX_EXPORT std::vector<RasterRect> ClipRects(int width, int height,
                                               const pixman_region32_t* clip,
                                               const RasterRect& area);

// Clips spans to the destination bounds and the clip region; spans that vanish are dropped,
// a span crossing a gap in the clip becomes several.
TALIX_EXPORT std::vector<Span> ClipSpans(int width, int height, const pixman_region32_t* clip,
                                         const std::vector<Span>& spans);

// An owned clip region built from rectangles (their union), for callers that have no
// region object at hand: kernels take region.get().
class TALIX_EXPORT ClipRegion {
 public:
  explicit ClipRegion(const std::vector<RasterRect>& rects);
  ~ClipRegion();
  ClipRegion(const ClipRegion&) = delete;
  ClipRegion& operator=(const ClipRegion&) = delete;

  const pixman_region32_t* get() const { return region_; }

 private:
  pixman_region32_t* region_;
};

}  // namespace talix::gdi::raster
