#include "platform/gdi/raster/transparent.h"

namespace talix::gdi::raster {

void TransparentCopy(const Surface32& dst, const BlitRect& dst_rect, const Surface32& src,
                     const BlitRect& src_rect, uint32_t key_colorref,
                     const pixman_region32_t* clip) {
  AxisMap xs, ys;
  if (!MapRects(dst, dst_rect, src, src_rect, &xs, &ys)) {
    return;
  }
  if (SurfacesOverlap(dst, src)) {
    SurfaceCopy copy(src);
    TransparentCopy(dst, dst_rect, copy.surface(), src_rect, key_colorref, clip);
    return;
  }
  const uint32_t key = ColorRefToPixel(key_colorref);
  for (const RasterRect& r :
       ClipRects(dst.width, dst.height, clip, {xs.begin, ys.begin, xs.end(), ys.end()})) {
    for (int y = r.top; y < r.bottom; ++y) {
      const uint32_t* srow = src.Row(ys.source[y - ys.begin]);
      uint32_t* drow = dst.Row(y);
      for (int x = r.left; x < r.right; ++x) {
        const uint32_t p = srow[xs.source[x - xs.begin]];
        if ((p & 0xffffff) != key) drow[x] = p;
      }
    }
  }
}

}  // namespace talix::gdi::raster
