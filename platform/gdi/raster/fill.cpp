#include "platform/gdi/raster/fill.h"

#include <algorithm>

namespace talix::gdi::raster {

void Fill(const Surface32& dst, const RasterRect& rect, uint32_t pixel,
          const pixman_region32_t* clip) {
  for (const RasterRect& r : ClipRects(dst.width, dst.height, clip, rect)) {
    for (int y = r.top; y < r.bottom; ++y) {
      uint32_t* row = dst.Row(y);
      std::fill(row + r.left, row + r.right, pixel);
    }
  }
}

void FillSpans(const Surface32& dst, const std::vector<Span>& spans, uint32_t pixel,
               const pixman_region32_t* clip) {
  for (const Span& s : ClipSpans(dst.width, dst.height, clip, spans)) {
    uint32_t* row = dst.Row(s.y);
    std::fill(row + s.x0, row + s.x1, pixel);
  }
}

}  // namespace talix::gdi::raster
