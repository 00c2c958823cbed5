// ResizeDither: the bilinear resample with a shading dither (see resize_dither.h) from a
// source rectangle of a frame in slot n (0..3) into a new frame of slot n + 4.
#include "image/transform/resize_dither.h"

#include "image/NBitmapUtil.h"
#include "image/store/random15.h"
#include "image/transform/frame_bits.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace talix::image {
namespace {

// One sample position along an axis: the two pixels it falls between (the second clamped
// to the last one), the weight of the first in percent, and the sine of its fraction.
struct AxisSample {
  int first, second;
  int weight;
  double sine;
};

// The samples of `count` target pixels starting at `start`, stepping by length / count in
// single precision as the rule accumulates them. They are the same on every row (and every
// column), so they are worked out once.
std::vector<AxisSample> AxisSamples(int start, int length, int count, int last) {
  std::vector<AxisSample> samples(static_cast<size_t>(count));
  const float step = float(length) / float(count);
  float position = float(start);
  for (AxisSample& s : samples) {
    const int whole = int(position);
    const float fraction = position - float(whole);
    s.first = std::min(whole, last);
    s.second = std::min(s.first + 1, last);
    s.weight = int((1 - fraction) * 100);
    s.sine = std::sin(fraction * 3.14159);
    position += step;
  }
  return samples;
}

// A column sample with its two pixels as byte offsets into a row.
struct ColumnTap {
  int first, second;
  int weight;
  double sine;
};

std::vector<ColumnTap> ColumnTaps(const std::vector<AxisSample>& samples) {
  std::vector<ColumnTap> taps(samples.size());
  for (size_t i = 0; i < samples.size(); ++i)
    taps[i] = ColumnTap{3 * samples[i].first, 3 * samples[i].second, samples[i].weight, samples[i].sine};
  return taps;
}

// The weights are percentages 0..100 (a fraction in [0, 1) gives 1 - fraction in (0, 1]),
// so every mix is of non-negative terms: (w * a + (100 - w) * b) / 100 per channel.
inline int Mix(int a, int b, int weight) { return (weight * a + (100 - weight) * b) / 100; }

// The three channels of a pixel, blue first.
struct Rgb {
  int c[3];
};

inline Rgb MixPixels(const Rgb& a, const Rgb& b, int weight) {
  return Rgb{{Mix(a.c[0], b.c[0], weight), Mix(a.c[1], b.c[1], weight), Mix(a.c[2], b.c[2], weight)}};
}

inline Rgb Load(const uint8_t* p) { return Rgb{{p[0], p[1], p[2]}}; }

inline int DifRatio(const Rgb& a, const Rgb& b) {
  return (std::abs(a.c[0] - b.c[0]) + std::abs(a.c[1] - b.c[1]) + std::abs(a.c[2] - b.c[2])) / 3;
}

// `quotient` is the difference divided by the dither strength (integer division). No
// branches: the difference is noise to a branch predictor.
inline int ShadingFactor(double sine, int quotient, int level, uint8_t noise) {
  const double shade = 255.0 - sine * double(quotient) * (double(level) - double(noise));
  return int(std::min(std::max(shade, 0.0), 65536.0));
}

// Fade of colour_math.h for a factor already in 0..65536.
inline int FadeChannel(int channel, int factor) {
  const int product = channel * factor;
  return product >= 65536 ? 255 : product >> 8;
}

inline void Fade(Rgb* q, int factor) {
  *q = Rgb{{FadeChannel(q->c[0], factor), FadeChannel(q->c[1], factor), FadeChannel(q->c[2], factor)}};
}

inline void Store(uint8_t* out, const Rgb& q) {
  out[0] = uint8_t(q.c[0]);
  out[1] = uint8_t(q.c[1]);
  out[2] = uint8_t(q.c[2]);
}

struct DitherState {
  const int* quotients;  // difference / strength for differences 0..255
  int level;
  const uint8_t* noise;
  size_t cursor;
};

// The two shadings of a pixel: d1 the difference of the row mixes M and P, d2 that of the
// column mixes; the noise cursor moves on by two bytes.
inline void Shade(Rgb* q, int d1, int d2, double rowSine, double columnSine, DitherState* state) {
  const uint8_t* noise = state->noise + state->cursor;
  Fade(q, ShadingFactor(rowSine, state->quotients[d1], state->level, noise[0]));
  Fade(q, ShadingFactor(columnSine, state->quotients[d2], state->level, noise[1]));
  state->cursor += 2;
  if (state->cursor >= kDitherNoiseBytes) state->cursor = 0;
}

#if defined(__SSE2__)

// The mixes two pixels at a time, in 16-bit lanes (B, G, R, 0 per pixel): w * a is at most
// 25500, and x / 100 is (x * 5243) >> 19 exactly for every x below 43699.

// Pixels a and b as the low and high halves of a register.
inline __m128i Pair(const uint8_t* a, const uint8_t* b) {
  const __m128i low = _mm_cvtsi32_si128(int(a[0] | a[1] << 8 | a[2] << 16));
  const __m128i high = _mm_cvtsi32_si128(int(b[0] | b[1] << 8 | b[2] << 16));
  return _mm_unpacklo_epi8(_mm_unpacklo_epi32(low, high), _mm_setzero_si128());
}

struct LaneWeight {
  __m128i first, second;  // w and 100 - w in every lane
  explicit LaneWeight(int w) : first(_mm_set1_epi16(short(w))), second(_mm_set1_epi16(short(100 - w))) {}
};

inline __m128i MixLanes(__m128i a, __m128i b, const LaneWeight& w) {
  const __m128i sum = _mm_add_epi16(_mm_mullo_epi16(a, w.first), _mm_mullo_epi16(b, w.second));
  return _mm_srli_epi16(_mm_mulhi_epu16(sum, _mm_set1_epi16(5243)), 3);
}

// The low pixel of a register as channels.
inline Rgb LowPixel(__m128i v) {
  const uint64_t lanes = uint64_t(_mm_cvtsi128_si64(v));
  return Rgb{{int(lanes & 0xFFFF), int((lanes >> 16) & 0xFFFF), int((lanes >> 32) & 0xFFFF)}};
}

// DifRatio of the low and high pixels of a register.
inline int DifRatioOfHalves(__m128i v) {
  const __m128i d = _mm_sub_epi16(v, _mm_unpackhi_epi64(v, v));
  const Rgb a = LowPixel(_mm_max_epi16(d, _mm_sub_epi16(_mm_setzero_si128(), d)));
  return (a.c[0] + a.c[1] + a.c[2]) / 3;
}

// M and P (low, high) and Q = Mix(M, P, C) (low) of one target pixel.
struct Mixes {
  __m128i mp, q;
};

inline Mixes MixPixel(__m128i upper, __m128i lower, const LaneWeight& columnWeight,
                      const LaneWeight& rowWeight) {
  Mixes m;
  m.mp = MixLanes(upper, lower, columnWeight);
  m.q = MixLanes(m.mp, _mm_unpackhi_epi64(m.mp, m.mp), rowWeight);
  return m;
}

// One target row from source rows `top` and `bottom` without the dither.
void PlainRow(const uint8_t* top, const uint8_t* bottom, int rowWeight,
              const std::vector<ColumnTap>& columns, uint8_t* out) {
  const LaneWeight vertical(rowWeight);
  for (const ColumnTap& column : columns) {
    // Left pixels (I over N) and right ones (K over O); their mix by the column weight
    // gives M over P.
    const __m128i left = Pair(top + column.first, bottom + column.first);
    const __m128i right = Pair(top + column.second, bottom + column.second);
    Store(out, LowPixel(MixPixel(left, right, LaneWeight(column.weight), vertical).q));
    out += 3;
  }
}

// One target row with the dither.
void DitherRow(const uint8_t* top, const uint8_t* bottom, const AxisSample& row,
               const std::vector<ColumnTap>& columns, DitherState* state, uint8_t* out) {
  const LaneWeight vertical(row.weight);
  for (const ColumnTap& column : columns) {
    const __m128i left = Pair(top + column.first, bottom + column.first);     // I, N
    const __m128i right = Pair(top + column.second, bottom + column.second);  // K, O
    const Mixes mixes = MixPixel(left, right, LaneWeight(column.weight), vertical);
    // Mix(I, N, C) and Mix(K, O, C) side by side.
    const __m128i columnMixes =
        MixLanes(_mm_unpacklo_epi64(left, right), _mm_unpackhi_epi64(left, right), vertical);
    Rgb q = LowPixel(mixes.q);
    Shade(&q, DifRatioOfHalves(mixes.mp), DifRatioOfHalves(columnMixes), row.sine, column.sine, state);
    Store(out, q);
    out += 3;
  }
}

#else

// One target row from source rows `top` and `bottom` without the dither.
void PlainRow(const uint8_t* top, const uint8_t* bottom, int rowWeight,
              const std::vector<ColumnTap>& columns, uint8_t* out) {
  for (const ColumnTap& column : columns) {
    const Rgb i = Load(top + column.first), k = Load(top + column.second);
    const Rgb n = Load(bottom + column.first), o = Load(bottom + column.second);
    Store(out, MixPixels(MixPixels(i, k, column.weight), MixPixels(n, o, column.weight), rowWeight));
    out += 3;
  }
}

// One target row with the dither.
void DitherRow(const uint8_t* top, const uint8_t* bottom, const AxisSample& row,
               const std::vector<ColumnTap>& columns, DitherState* state, uint8_t* out) {
  for (const ColumnTap& column : columns) {
    const Rgb i = Load(top + column.first), k = Load(top + column.second);
    const Rgb n = Load(bottom + column.first), o = Load(bottom + column.second);
    const Rgb m = MixPixels(i, k, column.weight), p = MixPixels(n, o, column.weight);
    Rgb q = MixPixels(m, p, row.weight);
    const int d2 = DifRatio(MixPixels(i, n, row.weight), MixPixels(k, o, row.weight));
    Shade(&q, DifRatio(m, p), d2, row.sine, column.sine, state);
    Store(out, q);
    out += 3;
  }
}

#endif

}  // namespace

void ResampleWithDither(const DitherSource& source, const DitherRequest& request,
                        const uint8_t* noise, uint8_t* target, ptrdiff_t targetRowSize) {
  const bool dither = request.strength != 0 && request.level != 0;
  const std::vector<ColumnTap> columns = ColumnTaps(
      AxisSamples(request.sourceX, request.sourceWidth, request.targetWidth, source.width - 1));
  const std::vector<AxisSample> rows =
      AxisSamples(request.sourceY, request.sourceHeight, request.targetHeight, source.height - 1);
  // Differences are 0..255; their quotients by the strength are looked up.
  int quotients[256] = {};
  for (int d = 0; dither && d < 256; ++d) quotients[d] = d / request.strength;
  DitherState state{quotients, request.level, noise, 0};
  for (int j = 0; j < request.targetHeight; ++j) {
    const AxisSample& row = rows[size_t(j)];
    const uint8_t* top = source.rows + row.first * source.rowSize;
    const uint8_t* bottom = source.rows + row.second * source.rowSize;
    uint8_t* out = target + j * targetRowSize;
    if (dither)
      DitherRow(top, bottom, row, columns, &state, out);
    else
      PlainRow(top, bottom, row.weight, columns, out);
  }
}

}  // namespace talix::image

int CNBitmapUtil::ResizeDither(BitmapType type, int index, int sourceX, int sourceY,
                               int sourceWidth, int sourceHeight, int targetWidth,
                               int targetHeight, int ditherStrength, int ditherLevel) {
  using namespace talix::image;
  if (type < BT_IMAGE || type > BT_BLENDED) return Fail(QUO_ERR_NO_SLOT, 0);
  CNBitmap* slot = GetBitmapObject(type);
  const BITMAPINFO* header = slot ? slot->m_pBitmapInfo : nullptr;
  if (!header || !GetBitmapHandle(type, index)) return Fail(QUO_ERR_NO_IMAGE, 0);
  const int width = header->bmiHeader.biWidth, height = header->bmiHeader.biHeight;
  if (sourceX < 0 || sourceX >= width) return Fail(QUO_ERR_PARAM3, 0);
  if (sourceY < 0 || sourceY >= height) return Fail(QUO_ERR_PARAM4, 0);
  if (sourceWidth <= 0 || sourceWidth > width - sourceX) return Fail(QUO_ERR_PARAM5, 0);
  if (sourceHeight <= 0 || sourceHeight > height - sourceY) return Fail(QUO_ERR_PARAM6, 0);
  if (targetWidth <= 0 || !RowSizeFor(targetWidth, 1)) return Fail(QUO_ERR_PARAM7, 0);
  if (targetHeight <= 0 || !RowSizeFor(targetWidth, targetHeight)) return Fail(QUO_ERR_PARAM8, 0);

  // The noise is drawn on every call, dithering or not, so the generator's sequence after a
  // call does not depend on the dither arguments.
  std::unique_ptr<uint8_t[]> noise(new (std::nothrow) uint8_t[kDitherNoiseBytes]);
  if (!noise) return Fail(QUO_ERR_FAILED, 0);
  for (size_t i = 0; i < kDitherNoiseBytes; ++i) noise[i] = uint8_t(Random15() / 128);

  // The source is read in place when the frame is a section we can reach, else copied out.
  std::unique_ptr<uint8_t[]> copy;
  DitherSource source{nullptr, width, height, slot->m_nRowSize};
  FrameBits sourceBits;
  if (sourceBits.Attach(GetBitmapHandle(type, index), width, height)) {
    source.rows = sourceBits.Row(0);
    source.rowSize = sourceBits.RowStep();
  } else {
    copy.reset(new (std::nothrow) uint8_t[size_t(slot->m_nImageSize)]);
    if (!copy) return Fail(QUO_ERR_FAILED, 0);
    if (!ReadFrameRows(type, index, copy.get(), true)) return Fail(QUO_ERR_GDI, 0);
    source.rows = copy.get();
  }

  // The new frame of the target replaces the one at the index (the slot is replaced when
  // its size differs); its errors are CreateBitmapFromData's. The rows are written straight
  // into the new section.
  const auto targetType = static_cast<BitmapType>(type + 4);
  DeleteBitmap(targetType, index);
  void* bits = nullptr;
  HBITMAP frame = CreateFrameSection(targetWidth, targetHeight, &bits);
  if (!frame) return Fail(QUO_ERR_BAD_FORMAT, 0);
  const ptrdiff_t targetStride = RowSizeFor(targetWidth, targetHeight);
  uint8_t* targetTop = static_cast<uint8_t*>(bits) + (targetHeight - 1) * targetStride;
  const DitherRequest request{sourceX,     sourceY,      sourceWidth,    sourceHeight,
                              targetWidth, targetHeight, ditherStrength, ditherLevel};
  ResampleWithDither(source, request, noise.get(), targetTop, -targetStride);
  if (!InstallFrame(targetType, index, frame, targetWidth, targetHeight))
    return Fail(QUO_ERR_BAD_FORMAT, 0);
  return 0;
}
