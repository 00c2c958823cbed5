#include "platform/gdi/raster/stretch.h"

#include "platform/gdi/raster/halftone.h"

#include <algorithm>
#include <cstring>

namespace talix::gdi::raster {

bool AxisMap::Identity() const {
  for (size_t i = 1; i < source.size(); ++i) {
    if (source[i] != source[0] + static_cast<int>(i)) return false;
  }
  return true;
}

bool MapAxis(int dst_origin, int dst_extent, int dst_size, int src_origin, int src_extent,
             int src_size, AxisMap* out) {
  out->source.clear();
  out->begin = 0;
  if (dst_extent == 0 || src_extent == 0 || dst_size <= 0 || src_size <= 0) return false;
  const int64_t d_lo = std::min<int64_t>(dst_origin, int64_t{dst_origin} + dst_extent);
  const int64_t s_lo = std::min<int64_t>(src_origin, int64_t{src_origin} + src_extent);
  const uint64_t n = static_cast<uint64_t>(dst_extent < 0 ? -int64_t{dst_extent} : dst_extent);
  const uint64_t m = static_cast<uint64_t>(src_extent < 0 ? -int64_t{src_extent} : src_extent);
  const bool mirror = (dst_extent < 0) != (src_extent < 0);
  const int64_t first = std::max<int64_t>(d_lo, 0);
  const int64_t last = std::min<int64_t>(d_lo + static_cast<int64_t>(n), dst_size);
  out->source.reserve(static_cast<size_t>(std::max<int64_t>(last - first, 0)));
  for (int64_t d = first; d < last; ++d) {
    uint64_t t = static_cast<uint64_t>(d - d_lo);
    if (mirror) t = n - 1 - t;
    const int64_t s = s_lo + static_cast<int64_t>(n == m ? t : (2 * t + 1) * m / (2 * n));
    if (s < 0 || s >= src_size) {
      if (out->source.empty()) continue;  // before the source: skip
      break;                              // past the source: the mapping is monotone
    }
    if (out->source.empty()) out->begin = static_cast<int>(d);
    out->source.push_back(static_cast<int>(s));
  }
  return !out->source.empty();
}

bool MapRects(const Surface32& dst, const BlitRect& dst_rect, const Surface32& src,
              const BlitRect& src_rect, AxisMap* xs, AxisMap* ys) {
  return MapAxis(dst_rect.x, dst_rect.width, dst.width, src_rect.x, src_rect.width, src.width,
                 xs) &&
         MapAxis(dst_rect.y, dst_rect.height, dst.height, src_rect.y, src_rect.height,
                 src.height, ys);
}

bool SurfacesOverlap(const Surface32& a, const Surface32& b) {
  auto span = [](const Surface32& s, const uint8_t** lo, const uint8_t** hi) {
    const uint8_t* first = s.bits;
    const uint8_t* last = s.bits + s.stride * (s.height - 1);
    *lo = std::min(first, last);
    *hi = std::max(first, last) + static_cast<size_t>(s.width) * 4;
  };
  if (a.bits == nullptr || b.bits == nullptr || a.height <= 0 || b.height <= 0) return false;
  const uint8_t *alo, *ahi, *blo, *bhi;
  span(a, &alo, &ahi);
  span(b, &blo, &bhi);
  return alo < bhi && blo < ahi;
}

SurfaceCopy::SurfaceCopy(const Surface32& src)
    : pixels_(static_cast<size_t>(src.width) * src.height) {
  surface_ = Surface32{reinterpret_cast<uint8_t*>(pixels_.data()), src.width, src.height,
                       static_cast<ptrdiff_t>(src.width) * 4};
  for (int y = 0; y < src.height; ++y)
    std::memcpy(surface_.Row(y), src.Row(y), static_cast<size_t>(src.width) * 4);
}

namespace {

void NearestCopy(const Surface32& dst, const Surface32& src, const AxisMap& xs,
                 const AxisMap& ys, const pixman_region32_t* clip) {
  const RasterRect mapped{xs.begin, ys.begin, xs.end(), ys.end()};
  const bool identity_x = xs.Identity();
  for (const RasterRect& r : ClipRects(dst.width, dst.height, clip, mapped)) {
    for (int y = r.top; y < r.bottom; ++y) {
      const uint32_t* srow = src.Row(ys.source[y - ys.begin]);
      uint32_t* drow = dst.Row(y);
      const int* sx = xs.source.data() + (r.left - xs.begin);
      if (identity_x) {
        std::memcpy(drow + r.left, srow + sx[0], static_cast<size_t>(r.Width()) * 4);
        continue;
      }
      for (int x = 0; x < r.Width(); ++x) drow[r.left + x] = srow[sx[x]];
    }
  }
}

}  // namespace

void StretchCopy(const Surface32& dst, const BlitRect& dst_rect, const Surface32& src,
                 const BlitRect& src_rect, StretchMode mode, const pixman_region32_t* clip) {
  AxisMap xs, ys;
  if (!MapRects(dst, dst_rect, src, src_rect, &xs, &ys)) {
    return;
  }
  if (SurfacesOverlap(dst, src)) {
    SurfaceCopy copy(src);
    StretchCopy(dst, dst_rect, copy.surface(), src_rect, mode, clip);
    return;
  }
  if (mode == StretchMode::kHalftone) {
    HalftoneCopy(dst, dst_rect, src, src_rect, xs, ys, clip);
    return;
  }
  NearestCopy(dst, src, xs, ys, clip);
}

}  // namespace talix::gdi::raster
