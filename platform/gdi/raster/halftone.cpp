#include "platform/gdi/raster/halftone.h"

#include <algorithm>

namespace talix::gdi::raster {

namespace {

constexpr int kWeightOne = 256;

// Appends the taps of one destination pixel covering [t * m, (t + 1) * m) in units where
// one source pixel is n long, with source pixel j (relative to s_lo) clamped to the bounds.
void AppendPixelTaps(uint64_t t, uint64_t n, uint64_t m, int64_t s_lo, int src_size,
                     BoxTaps* taps) {
  const uint64_t box_lo = t * m, box_hi = (t + 1) * m;
  const int64_t j_first = std::max<int64_t>(static_cast<int64_t>(box_lo / n), -s_lo);
  const int64_t j_last =
      std::min<int64_t>(static_cast<int64_t>((box_hi - 1) / n), src_size - 1 - s_lo);
  uint64_t covered = 0;
  int64_t previous = 0;
  for (int64_t j = j_first; j <= j_last; ++j) {
    const uint64_t lo = j == j_first ? box_lo : std::max(static_cast<uint64_t>(j) * n, box_lo);
    const uint64_t hi = j == j_last ? box_hi : std::min(static_cast<uint64_t>(j + 1) * n, box_hi);
    covered += hi - lo;
    const int64_t rounded = static_cast<int64_t>((2 * kWeightOne * covered + m) / (2 * m));
    const int64_t weight = rounded - previous;
    previous = rounded;
    if (weight == 0) continue;
    taps->index.push_back(static_cast<int>(s_lo + j));
    taps->weight.push_back(static_cast<uint16_t>(weight));
  }
}

// Horizontal sums of source rows (exact, at most 255 * 256 per channel), kept for the few
// rows the current destination row needs.
class RowCache {
 public:
  RowCache(const Surface32& src, const BoxTaps& xt, int capacity)
      : src_(src), xt_(xt), width_(static_cast<int>(xt.first.size()) - 1),
        keys_(capacity, -1), rows_(capacity) {}

  // The row for source row sy; `needed` lists the rows that must stay cached.
  const uint16_t* Get(int sy, const int* needed, int needed_count) {
    for (size_t i = 0; i < keys_.size(); ++i) {
      if (keys_[i] == sy) return rows_[i].data();
    }
    size_t slot = 0;
    while (slot < keys_.size() && keys_[slot] >= 0 &&
           std::find(needed, needed + needed_count, keys_[slot]) != needed + needed_count) {
      ++slot;
    }
    keys_[slot] = sy;
    Fill(sy, &rows_[slot]);
    return rows_[slot].data();
  }

 private:
  void Fill(int sy, std::vector<uint16_t>* row) {
    row->assign(static_cast<size_t>(width_) * 4, 0);
    const uint32_t* s = src_.Row(sy);
    uint16_t* out = row->data();
    for (int x = 0; x < width_; ++x, out += 4) {
      uint32_t b = 0, g = 0, r = 0, a = 0;
      for (int k = xt_.first[x]; k < xt_.first[x + 1]; ++k) {
        const uint32_t p = s[xt_.index[k]], w = xt_.weight[k];
        b += w * (p & 0xff);
        g += w * ((p >> 8) & 0xff);
        r += w * ((p >> 16) & 0xff);
        a += w * (p >> 24);
      }
      out[0] = static_cast<uint16_t>(b);
      out[1] = static_cast<uint16_t>(g);
      out[2] = static_cast<uint16_t>(r);
      out[3] = static_cast<uint16_t>(a);
    }
  }

  const Surface32& src_;
  const BoxTaps& xt_;
  int width_;
  std::vector<int> keys_;
  std::vector<std::vector<uint16_t>> rows_;
};

// Vertical pass of one destination row over [left, right) (columns relative to xs.begin).
void FilterRow(RowCache* cache, const BoxTaps& yt, int yi, int left, int right,
               std::vector<uint32_t>* acc, uint32_t* out) {
  const int count = right - left;
  acc->assign(static_cast<size_t>(count) * 4, 0);
  const int* needed = yt.index.data() + yt.first[yi];
  const int needed_count = yt.first[yi + 1] - yt.first[yi];
  for (int k = yt.first[yi]; k < yt.first[yi + 1]; ++k) {
    const uint16_t* h = cache->Get(yt.index[k], needed, needed_count) + left * 4;
    const uint32_t w = yt.weight[k];
    uint32_t* a = acc->data();
    for (int i = 0; i < count * 4; ++i) a[i] += w * h[i];
  }
  const uint32_t* a = acc->data();
  for (int x = 0; x < count; ++x, a += 4) {
    out[x] = ((a[0] + 32768) >> 16) | (((a[1] + 32768) >> 16) << 8) |
             (((a[2] + 32768) >> 16) << 16) | (((a[3] + 32768) >> 16) << 24);
  }
}

}  // namespace

int BoxTaps::MaxTaps() const {
  int most = 0;
  for (size_t i = 1; i < first.size(); ++i) most = std::max(most, first[i] - first[i - 1]);
  return most;
}

BoxTaps BoxFilterTaps(int dst_origin, int dst_extent, int src_origin, int src_extent,
                      int src_size, const AxisMap& map) {
  BoxTaps taps;
  const int64_t d_lo = std::min<int64_t>(dst_origin, int64_t{dst_origin} + dst_extent);
  const int64_t s_lo = std::min<int64_t>(src_origin, int64_t{src_origin} + src_extent);
  const uint64_t n = static_cast<uint64_t>(dst_extent < 0 ? -int64_t{dst_extent} : dst_extent);
  const uint64_t m = static_cast<uint64_t>(src_extent < 0 ? -int64_t{src_extent} : src_extent);
  const bool mirror = (dst_extent < 0) != (src_extent < 0);
  for (int d = map.begin; d < map.end(); ++d) {
    uint64_t t = static_cast<uint64_t>(d - d_lo);
    if (mirror) t = n - 1 - t;
    taps.first.push_back(static_cast<int>(taps.index.size()));
    AppendPixelTaps(t, n, m, s_lo, src_size, &taps);
  }
  taps.first.push_back(static_cast<int>(taps.index.size()));
  return taps;
}

void HalftoneCopy(const Surface32& dst, const BlitRect& dst_rect, const Surface32& src,
                  const BlitRect& src_rect, const AxisMap& xs, const AxisMap& ys,
                  const pixman_region32_t* clip) {
  const BoxTaps xt =
      BoxFilterTaps(dst_rect.x, dst_rect.width, src_rect.x, src_rect.width, src.width, xs);
  const BoxTaps yt =
      BoxFilterTaps(dst_rect.y, dst_rect.height, src_rect.y, src_rect.height, src.height, ys);
  RowCache cache(src, xt, std::max(1, yt.MaxTaps()));
  std::vector<uint32_t> acc;
  const std::vector<RasterRect> rects =
      ClipRects(dst.width, dst.height, clip, {xs.begin, ys.begin, xs.end(), ys.end()});
  for (size_t band = 0; band < rects.size();) {
    size_t band_end = band;
    while (band_end < rects.size() && rects[band_end].top == rects[band].top) ++band_end;
    for (int y = rects[band].top; y < rects[band].bottom; ++y) {
      for (size_t i = band; i < band_end; ++i) {
        FilterRow(&cache, yt, y - ys.begin, rects[i].left - xs.begin, rects[i].right - xs.begin,
                  &acc, dst.Row(y) + rects[i].left);
      }
    }
    band = band_end;
  }
}

}  // namespace talix::gdi::raster
