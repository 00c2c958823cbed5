// The store's colour and pixel helpers: colour mixing and fading, colour distance, the
// 15-bit random draw, and pixel access to a "current image" of 24-bit top-down rows.
//
// Limits: the current image of GetPixel/PutPixel is library-wide (one per process), as the
// store's pixel work always was; pixel work of two stores must not run at the same time.
#include "frame/QuorLib.h"
#include "image/NBitmapUtil.h"
#include "image/store/random15.h"
#include "image/transform/colour_math.h"

namespace {

// The current image of GetPixel/PutPixel: 24-bit rows, top row first, rows padded to 4.
struct CurrentImage {
  unsigned char* data = nullptr;
  int width = 0;
  int height = 0;
  int rowSize = 0;
};
CurrentImage g_current;

void TakeCurrentImage(unsigned char* data, int width, int height) {
  const bool usable = width > 0 && height > 0 && int64_t(width) * height <= CNBitmapUtil::kMaxFramePixels;
  g_current = usable ? CurrentImage{data, width, height, (3 * width + 3) & ~3} : CurrentImage{};
}

unsigned char* PixelAt(int x, int y) {
  if (!g_current.data || x < 0 || y < 0 || x >= g_current.width || y >= g_current.height)
    return nullptr;
  return g_current.data + size_t(y) * size_t(g_current.rowSize) + size_t(x) * 3;
}

}  // namespace

unsigned long CNBitmapUtil::MixColors(unsigned long a, unsigned long b, int percent) {
  return talix::image::MixChannels(uint32_t(a), uint32_t(b), percent);
}

unsigned long CNBitmapUtil::FadeColor(unsigned long color, int factor) {
  // A negative factor has no meaning for a fade; it darkens to black.
  return talix::image::FadeChannels(uint32_t(color), factor);
}

int CNBitmapUtil::GetColorDifRatio(unsigned long a, unsigned long b) {
  return talix::image::ColourDifRatio(uint32_t(a), uint32_t(b));
}

int CNBitmapUtil::Random(int range) {
  // rand() / (32767 / range) divides by zero for a range of 0 or above 32767.
  if (range < 1 || range > talix::image::kRandom15Max) return 0;
  return talix::image::Random15() / (talix::image::kRandom15Max / range);
}

unsigned long CNBitmapUtil::GetPixel(int x, int y, unsigned char* data, int width, int height) {
  if (data) TakeCurrentImage(data, width, height);
  const unsigned char* pixel = PixelAt(x, y);
  if (!pixel) return 0;
  return static_cast<unsigned long>(pixel[0] | pixel[1] << 8 | pixel[2] << 16);
}

int CNBitmapUtil::PutPixel(int x, int y, unsigned long color, unsigned char* data, int width,
                           int height) {
  if (data) TakeCurrentImage(data, width, height);
  unsigned char* pixel = PixelAt(x, y);
  if (!pixel) return 0;
  pixel[0] = static_cast<unsigned char>(color);
  pixel[1] = static_cast<unsigned char>(color >> 8);
  pixel[2] = static_cast<unsigned char>(color >> 16);
  return 1;
}

int CNBitmapUtil::TestColorMatch(unsigned long a, unsigned long b, unsigned long tolerance) {
  return CQuorLib::TestColorMatch(a, b, tolerance);
}
