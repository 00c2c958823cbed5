// ResizeDither: the bilinear resample with a shading dither (see resize_dither.h) from a
// source rectangle of a frame in slot n (0..3) into a new frame of slot n + 4.
#include "image/transform/resize_dither.h"

#include "image/NBitmapUtil.h"
#include "image/store/random15.h"
#include "image/transform/colour_math.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <vector>

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

uint32_t PixelOf(const DitherSource& source, int x, int y) {
  const uint8_t* p = source.rows + size_t(y) * size_t(source.rowSize) + size_t(x) * 3;
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
}

// `quotient` is the difference divided by the dither strength (integer division).
int ShadingFactor(double sine, int quotient, int level, uint8_t noise) {
  const double shade = 255.0 - sine * double(quotient) * (double(level) - double(noise));
  return int(std::clamp(shade, 0.0, 65536.0));
}

}  // namespace

void ResampleWithDither(const DitherSource& source, const DitherRequest& request,
                        const uint8_t* noise, uint8_t* target, int targetRowSize) {
  const bool dither = request.strength != 0 && request.level != 0;
  const std::vector<AxisSample> columns =
      AxisSamples(request.sourceX, request.sourceWidth, request.targetWidth, source.width - 1);
  const std::vector<AxisSample> rows =
      AxisSamples(request.sourceY, request.sourceHeight, request.targetHeight, source.height - 1);
  // Differences are 0..255; their quotients by the strength are looked up.
  int quotients[256] = {};
  for (int d = 0; dither && d < 256; ++d) quotients[d] = d / request.strength;
  size_t cursor = 0;
  for (int j = 0; j < request.targetHeight; ++j) {
    const AxisSample& row = rows[size_t(j)];
    uint8_t* out = target + size_t(j) * size_t(targetRowSize);
    for (const AxisSample& column : columns) {
      const uint32_t i = PixelOf(source, column.first, row.first);
      const uint32_t k = PixelOf(source, column.second, row.first);
      const uint32_t n = PixelOf(source, column.first, row.second);
      const uint32_t o = PixelOf(source, column.second, row.second);
      const uint32_t m = MixChannels(i, k, column.weight), p = MixChannels(n, o, column.weight);
      uint32_t q = MixChannels(m, p, row.weight);
      if (dither) {
        const int s1 = ShadingFactor(row.sine, quotients[ColourDifRatio(m, p)], request.level, noise[cursor]);
        q = FadeChannels(q, s1);
        const int d2 = ColourDifRatio(MixChannels(i, n, row.weight), MixChannels(k, o, row.weight));
        const int s2 = ShadingFactor(column.sine, quotients[d2], request.level, noise[cursor + 1]);
        q = FadeChannels(q, s2);
        cursor += 2;
        if (cursor >= kDitherNoiseBytes) cursor = 0;
      }
      *out++ = uint8_t(q);
      *out++ = uint8_t(q >> 8);
      *out++ = uint8_t(q >> 16);
    }
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
  std::unique_ptr<uint8_t[]> pixels(new (std::nothrow) uint8_t[size_t(slot->m_nImageSize)]);
  // Packed rows: the form CreateBitmapFromData takes.
  const int targetRowSize = 3 * targetWidth;
  const size_t targetBytes = size_t(targetRowSize) * size_t(targetHeight);
  std::unique_ptr<uint8_t[]> result(new (std::nothrow) uint8_t[targetBytes]);
  if (!noise || !pixels || !result) return Fail(QUO_ERR_FAILED, 0);
  for (size_t i = 0; i < kDitherNoiseBytes; ++i) noise[i] = uint8_t(Random15() / 128);
  if (!ReadFrameRows(type, index, pixels.get(), true)) return Fail(QUO_ERR_GDI, 0);

  const DitherSource source{pixels.get(), width, height, slot->m_nRowSize};
  const DitherRequest request{sourceX,     sourceY,      sourceWidth,    sourceHeight,
                              targetWidth, targetHeight, ditherStrength, ditherLevel};
  ResampleWithDither(source, request, noise.get(), result.get(), targetRowSize);

  // The new frame of the target replaces the one at the index (the slot is replaced when
  // its size differs); its errors are CreateBitmapFromData's.
  CreateBitmapFromData(targetWidth, targetHeight, reinterpret_cast<char*>(result.get()),
                       static_cast<BitmapType>(type + 4), index);
  return 0;
}
