#include "platform/gdi/raster/clip.h"

#include <pixman.h>

#include <algorithm>

namespace talix::gdi::raster {

RasterRect Intersect(const RasterRect& a, const RasterRect& b) {
  RasterRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
               std::min(a.bottom, b.bottom)};
  if (r.Empty()) return RasterRect{};
  return r;
}

std::vector<RasterRect> ClipRects(int width, int height, const pixman_region32_t* clip,
                                  const RasterRect& area) {
  std::vector<RasterRect> out;
  RasterRect bounded = Intersect(area, RasterRect{0, 0, width, height});
  if (bounded.Empty()) return out;
  if (clip == nullptr) {
    out.push_back(bounded);
    return out;
  }
  int count = 0;
  const pixman_box32_t* boxes =
      pixman_region32_rectangles(const_cast<pixman_region32_t*>(clip), &count);
  for (int i = 0; i < count; ++i) {
    RasterRect r = Intersect(bounded, RasterRect{boxes[i].x1, boxes[i].y1, boxes[i].x2,
                                                 boxes[i].y2});
    if (!r.Empty()) out.push_back(r);
  }
  return out;
}

std::vector<Span> ClipSpans(int width, int height, const pixman_region32_t* clip,
                            const std::vector<Span>& spans) {
  std::vector<Span> out;
  out.reserve(spans.size());
  for (const Span& s : spans) {
    for (const RasterRect& r : ClipRects(width, height, clip, {s.x0, s.y, s.x1, s.y + 1}))
      out.push_back(Span{s.y, r.left, r.right});
  }
  return out;
}

ClipRegion::ClipRegion(const std::vector<RasterRect>& rects) : region_(new pixman_region32_t) {
  pixman_region32_init(region_);
  for (const RasterRect& r : rects) {
    if (r.Empty()) continue;
    pixman_region32_union_rect(region_, region_, r.left, r.top,
                               static_cast<unsigned>(int64_t{r.right} - r.left),
                               static_cast<unsigned>(int64_t{r.bottom} - r.top));
  }
}

ClipRegion::~ClipRegion() {
  pixman_region32_fini(region_);
  delete region_;
}

}  // namespace talix::gdi::raster
