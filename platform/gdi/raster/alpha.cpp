#include "platform/gdi/raster/alpha.h"

#include <algorithm>

namespace talix::gdi::raster {

namespace {

uint32_t Channel(uint32_t p, int shift) { return (p >> shift) & 0xff; }

uint32_t BlendConstant(uint32_t d, uint32_t s, uint32_t a) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    out |= Div255(Channel(s, shift) * a + Channel(d, shift) * (255 - a)) << shift;
  }
  return out;
}

uint32_t BlendPremultiplied(uint32_t d, uint32_t s, uint32_t a) {
  uint32_t scaled = s;
  if (a != 255) {
    scaled = 0;
    for (int shift = 0; shift < 32; shift += 8) scaled |= Div255(Channel(s, shift) * a) << shift;
  }
  const uint32_t inverse = 255 - (scaled >> 24);
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t v = Channel(scaled, shift) + Div255(Channel(d, shift) * inverse);
    out |= std::min<uint32_t>(v, 255) << shift;
  }
  return out;
}

bool RectsOverlap(const BlitRect& a, const BlitRect& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
         b.y < a.y + a.height;
}

}  // namespace

void BlendRowPortable(uint32_t* dst, const uint32_t* src, int count, BlendFunction blend) {
  const uint32_t a = blend.constant_alpha;
  if (blend.source_alpha) {
    for (int i = 0; i < count; ++i) dst[i] = BlendPremultiplied(dst[i], src[i], a);
  } else {
    for (int i = 0; i < count; ++i) dst[i] = BlendConstant(dst[i], src[i], a);
  }
}

bool BlendRectsValid(const Surface32& dst, const BlitRect& dst_rect, const Surface32& src,
                     const BlitRect& src_rect) {
  if (dst_rect.width < 0 || dst_rect.height < 0 || src_rect.width < 0 || src_rect.height < 0)
    return false;
  if (src_rect.x < 0 || src_rect.y < 0 || int64_t{src_rect.x} + src_rect.width > src.width ||
      int64_t{src_rect.y} + src_rect.height > src.height) {
    return false;
  }
  const bool same_surface = dst.bits == src.bits && dst.stride == src.stride;
  return !(same_surface && RectsOverlap(dst_rect, src_rect));
}

bool AlphaBlendCopy(const Surface32& dst, const BlitRect& dst_rect, const Surface32& src,
                    const BlitRect& src_rect, BlendFunction blend,
                    const pixman_region32_t* clip) {
  if (!BlendRectsValid(dst, dst_rect, src, src_rect)) return false;
  AxisMap xs, ys;
  if (!MapRects(dst, dst_rect, src, src_rect, &xs, &ys)) {
    return true;
  }
  if (SurfacesOverlap(dst, src) && !(dst.bits == src.bits && dst.stride == src.stride)) {
    SurfaceCopy copy(src);
    return AlphaBlendCopy(dst, dst_rect, copy.surface(), src_rect, blend, clip);
  }
  const bool identity_x = xs.Identity();
  std::vector<uint32_t> gathered;
  for (const RasterRect& r :
       ClipRects(dst.width, dst.height, clip, {xs.begin, ys.begin, xs.end(), ys.end()})) {
    gathered.resize(static_cast<size_t>(r.Width()));
    for (int y = r.top; y < r.bottom; ++y) {
      const uint32_t* srow = src.Row(ys.source[y - ys.begin]);
      const int* sx = xs.source.data() + (r.left - xs.begin);
      const uint32_t* line = srow + sx[0];
      if (!identity_x) {
        for (int x = 0; x < r.Width(); ++x) gathered[x] = srow[sx[x]];
        line = gathered.data();
      }
      BlendRowSimd(dst.Row(y) + r.left, line, r.Width(), blend);
    }
  }
  return true;
}

}  // namespace talix::gdi::raster
