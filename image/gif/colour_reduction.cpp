// Pixels are visited in storage order: bottom row of the picture first, each row from
// the left. Error diffusion spreads 7/16 of a pixel's error to the right and 2/16, 4/16,
// 1/16 to the three pixels of the next stored row (the row above in the picture); the
// weights sum to 14/16 on purpose, which damps the spread. Products truncate toward
// zero and every changed channel is clamped to a byte.
#include "image/gif/colour_reduction.h"

#include "image/gif/nearest_colour.h"

#include <memory>
#include <new>

namespace talix::gif {
namespace {

struct Error {
  int red, green, blue;
};

inline BYTE ClampToByte(int value) {
  return BYTE(value < 0 ? 0 : value > 255 ? 255 : value);
}

// Adds weight/16 of the error to a BGR pixel.
inline void Spread(BYTE* pixel, const Error& e, int weight) {
  pixel[0] = ClampToByte(pixel[0] + e.blue * weight / 16);
  pixel[1] = ClampToByte(pixel[1] + e.green * weight / 16);
  pixel[2] = ClampToByte(pixel[2] + e.red * weight / 16);
}

inline void DiffuseError(CGifLibrary::CNImage& source, int x, int y, const Error& e) {
  int width = source.Width();
  BYTE* row = source.Row(y);
  if (x + 1 < width) Spread(row + 3 * (x + 1), e, 7);
  if (y + 1 >= source.Height()) return;
  BYTE* next = source.Row(y + 1);
  if (x > 0) Spread(next + 3 * (x - 1), e, 2);
  Spread(next + 3 * x, e, 4);
  if (x + 1 < width) Spread(next + 3 * (x + 1), e, 1);
}

void FillFixedPalette(CGifLibrary::CNImage& image) {
  RGBQUAD* table = image.ColorTable();
  for (int i = 0; i < 256; ++i) {
    uint32_t c = kFixedPalette[i];
    table[i] = RGBQUAD{BYTE(BlueOf(c)), BYTE(GreenOf(c)), BYTE(RedOf(c)), 0};
  }
}

template <typename Lookup>
void Reduce(CGifLibrary::CNImage& source, CGifLibrary::CNImage& reduced, bool errorDiffusion,
            const Lookup& nearest) {
  for (int y = 0; y < source.Height(); ++y) {
    BYTE* in = source.Row(y);
    BYTE* out = reduced.Row(y);
    for (int x = 0; x < source.Width(); ++x) {
      const BYTE* p = in + 3 * x;
      int index = nearest(p[2], p[1], p[0]);
      out[x] = BYTE(index);
      if (!errorDiffusion) continue;
      uint32_t chosen = kFixedPalette[index];
      Error e{p[2] - RedOf(chosen), p[1] - GreenOf(chosen), p[0] - BlueOf(chosen)};
      if (e.red | e.green | e.blue) DiffuseError(source, x, y, e);
    }
  }
}

}  // namespace

CGifLibrary::CNImage* ReduceToFixedPalette(CGifLibrary::CNImage& source, bool errorDiffusion,
                                           NearestIndexFn nearest) {
  std::unique_ptr<CGifLibrary::CNImage> reduced(new (std::nothrow) CGifLibrary::CNImage);
  if (!reduced || source.BitsPerPixel() != 24 ||
      !reduced->Create(source.Width(), source.Height(), 8))
    return nullptr;
  FillFixedPalette(*reduced);
  if (nearest == NearestIndex) {  // the same answers, with the table's lookup inlined
    const NearestColourTable& table = NearestColourTable::Get();
    Reduce(source, *reduced, errorDiffusion,
           [&table](int r, int g, int b) { return table.Nearest(r, g, b); });
  } else {
    Reduce(source, *reduced, errorDiffusion, nearest);
  }
  return reduced.release();
}

}  // namespace talix::gif
