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

namespace talix::image {
namespace {

uint32_t PixelOf(const DitherSource& source, int x, int y) {
  const uint8_t* p = source.rows + size_t(y) * size_t(source.rowSize) + size_t(x) * 3;
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
}

int ShadingFactor(float fraction, int difference, int strength, int level, uint8_t noise) {
  const double shade = 255.0 - std::sin(fraction * 3.14159) * double(difference / strength) *
                                   (double(level) - double(noise));
  return int(std::clamp(shade, 0.0, 65536.0));
}

}  // namespace

void ResampleWithDither(const DitherSource& source, const DitherRequest& request,
                        const uint8_t* noise, uint8_t* target, int targetRowSize) {
  const bool dither = request.strength != 0 && request.level != 0;
  const float stepX = float(request.sourceWidth) / float(request.targetWidth);
  const float stepY = float(request.sourceHeight) / float(request.targetHeight);
  const int lastX = source.width - 1, lastY = source.height - 1;
  size_t cursor = 0;
  float y = float(request.sourceY);
  for (int j = 0; j < request.targetHeight; ++j, y += stepY) {
    const int y0 = std::min(int(y), lastY), y1 = std::min(y0 + 1, lastY);
    const float fy = y - float(int(y));
    const int c = int((1 - fy) * 100);
    uint8_t* out = target + size_t(j) * size_t(targetRowSize);
    float x = float(request.sourceX);
    for (int k = 0; k < request.targetWidth; ++k, x += stepX) {
      const int x0 = std::min(int(x), lastX), x1 = std::min(x0 + 1, lastX);
      const float fx = x - float(int(x));
      const int l = int((1 - fx) * 100);
      const uint32_t i = PixelOf(source, x0, y0), kk = PixelOf(source, x1, y0);
      const uint32_t n = PixelOf(source, x0, y1), o = PixelOf(source, x1, y1);
      const uint32_t m = MixChannels(i, kk, l), p = MixChannels(n, o, l);
      uint32_t q = MixChannels(m, p, c);
      if (dither) {
        const int s1 = ShadingFactor(fy, ColourDifRatio(m, p), request.strength, request.level,
                                     noise[cursor]);
        q = FadeChannels(q, s1);
        const int d2 = ColourDifRatio(MixChannels(i, n, c), MixChannels(kk, o, c));
        const int s2 = ShadingFactor(fx, d2, request.strength, request.level, noise[cursor + 1]);
        q = FadeChannels(q, s2);
        cursor += 2;
        if (cursor >= kDitherNoiseBytes) cursor = 0;
      }
      out[size_t(k) * 3] = uint8_t(q);
      out[size_t(k) * 3 + 1] = uint8_t(q >> 8);
      out[size_t(k) * 3 + 2] = uint8_t(q >> 16);
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
