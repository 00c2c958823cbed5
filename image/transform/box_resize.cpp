#include "image/transform/box_resize.h"

#include <algorithm>
#include <new>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace talix::image {
namespace {

constexpr uint64_t kWeightOne = 256;

// The taps of target pixel t, whose box is [t * m, (t + 1) * m) in units where one source
// pixel is n long.
void AppendPixelTaps(uint64_t t, uint64_t n, uint64_t m, BoxTaps* taps) {
  const uint64_t low = t * m, high = (t + 1) * m;
  const uint64_t first = low / n, last = std::min((high - 1) / n, m - 1);
  uint64_t covered = 0;
  int64_t previous = 0;
  for (uint64_t j = first; j <= last; ++j) {
    const uint64_t from = std::max(j * n, low), to = std::min((j + 1) * n, high);
    covered += to - from;
    const int64_t rounded = int64_t((2 * kWeightOne * covered + m) / (2 * m));
    const int64_t weight = rounded - previous;
    previous = rounded;
    if (weight == 0) continue;
    taps->index.push_back(int(j));
    taps->weight.push_back(uint16_t(weight));
  }
}

// The most source pixels, counted from the first to the last, that one target pixel reads.
int Span(const BoxTaps& taps) {
  int most = 1;
  for (size_t i = 0; i + 1 < taps.first.size(); ++i)
    if (taps.first[i + 1] > taps.first[i])
      most = std::max(most, taps.index[size_t(taps.first[i + 1] - 1)] - taps.index[size_t(taps.first[i])] + 1);
  return most;
}

// Horizontal sums of source rows, kept for the few rows one target row needs. Rows come
// in rising order, each target row's rows are consecutive, so a source row lives in slot
// row % capacity until a row `capacity` further on takes its place.
class RowSums {
 public:
  RowSums(const PixelRows& source, const BoxTaps& columns, int capacity)
      : source_(source), columns_(columns), capacity_(capacity),
        width_(int(columns.first.size()) - 1), keys_(size_t(capacity), -1),
        sums_(size_t(capacity) * size_t(width_) * 3) {}

  const uint16_t* Get(int sy) {
    const size_t slot = size_t(sy % capacity_);
    uint16_t* sums = sums_.data() + slot * size_t(width_) * 3;
    if (keys_[slot] != sy) {
      Fill(source_.Row(sy), sums);
      keys_[slot] = sy;
    }
    return sums;
  }

 private:
  void Fill(const uint8_t* row, uint16_t* out) const {
    const int* index = columns_.index.data();
    const uint16_t* weight = columns_.weight.data();
    for (int x = 0; x < width_; ++x, out += 3) {
      uint32_t b = 0, g = 0, r = 0;
      for (int k = columns_.first[size_t(x)]; k < columns_.first[size_t(x) + 1]; ++k) {
        const uint8_t* p = row + 3 * index[k];
        const uint32_t w = weight[k];
        b += w * p[0];
        g += w * p[1];
        r += w * p[2];
      }
      out[0] = uint16_t(b);
      out[1] = uint16_t(g);
      out[2] = uint16_t(r);
    }
  }

  const PixelRows& source_;
  const BoxTaps& columns_;
  int capacity_, width_;
  std::vector<int> keys_;
  std::vector<uint16_t> sums_;
};

// total[i] += weight * sums[i] for `count` values (products below 2^24, no overflow).
void AddWeighted(const uint16_t* sums, uint32_t weight, uint32_t* total, size_t count) {
  size_t i = 0;
#if defined(__SSE2__)
  const __m128i w = _mm_set1_epi16(short(weight));
  for (; i + 8 <= count; i += 8) {
    const __m128i h = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + i));
    const __m128i low = _mm_mullo_epi16(h, w), high = _mm_mulhi_epu16(h, w);
    __m128i* t = reinterpret_cast<__m128i*>(total + i);
    _mm_storeu_si128(t, _mm_add_epi32(_mm_loadu_si128(t), _mm_unpacklo_epi16(low, high)));
    _mm_storeu_si128(t + 1, _mm_add_epi32(_mm_loadu_si128(t + 1), _mm_unpackhi_epi16(low, high)));
  }
#endif
  for (; i < count; ++i) total[i] += weight * sums[i];
}

// out[i] = (total[i] + 32768) >> 16; every total is at most 255 * 65536.
void RoundOut(const uint32_t* total, uint8_t* out, size_t count) {
  size_t i = 0;
#if defined(__SSE2__)
  const __m128i half = _mm_set1_epi32(32768);
  for (; i + 16 <= count; i += 16) {
    __m128i v[4];
    for (int j = 0; j < 4; ++j)
      v[j] = _mm_srli_epi32(_mm_add_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(total + i) + j), half), 16);
    const __m128i words = _mm_packs_epi32(v[0], v[1]), more = _mm_packs_epi32(v[2], v[3]);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(words, more));
  }
#endif
  for (; i < count; ++i) out[i] = uint8_t((total[i] + 32768) >> 16);
}

}  // namespace

BoxTaps BoxFilterTaps(int targetLength, int sourceLength) {
  BoxTaps taps;
  const uint64_t n = uint64_t(targetLength), m = uint64_t(sourceLength);
  for (uint64_t t = 0; t < n; ++t) {
    taps.first.push_back(int(taps.index.size()));
    AppendPixelTaps(t, n, m, &taps);
  }
  taps.first.push_back(int(taps.index.size()));
  return taps;
}

bool BoxResize(const PixelRows& source, const PixelRows& target) {
  try {
    const BoxTaps columns = BoxFilterTaps(target.width, source.width);
    const BoxTaps rows = BoxFilterTaps(target.height, source.height);
    RowSums sums(source, columns, Span(rows));
    const size_t values = size_t(target.width) * 3;
    std::vector<uint32_t> total(values);
    for (int y = 0; y < target.height; ++y) {
      std::fill(total.begin(), total.end(), 0u);
      for (int k = rows.first[size_t(y)]; k < rows.first[size_t(y) + 1]; ++k)
        AddWeighted(sums.Get(rows.index[size_t(k)]), rows.weight[size_t(k)], total.data(), values);
      RoundOut(total.data(), target.Row(y), values);
    }
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

}  // namespace talix::image
