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

void FillFixedPalette(CGifLibrary::CNImage& image) {
  RGBQUAD* table = image.ColorTable();
  for (int i = 0; i < 256; ++i) {
    uint32_t c = kFixedPalette[i];
    table[i] = RGBQUAD{BYTE(BlueOf(c)), BYTE(GreenOf(c)), BYTE(RedOf(c)), 0};
  }
}

// The rows of both images as plain pointers and sizes, so that the byte stores of the
// loops below do not make the compiler reload them from the images on every pixel.
struct Rows {
  BYTE* first;
  size_t stride;
  BYTE* Row(int y) const { return first + size_t(y) * stride; }
};

template <typename Lookup>
void ReducePlain(Rows in, Rows out, int width, int height, const Lookup& nearest) {
  for (int y = 0; y < height; ++y) {
    const BYTE* p = in.Row(y);
    BYTE* indices = out.Row(y);
    for (int x = 0; x < width; ++x, p += 3) indices[x] = BYTE(nearest(p[2], p[1], p[0]));
  }
}

// The pixel being reduced is carried in registers from one step to the next (its 7/16
// share is added there, with the same clamp, and stored as well), so that the chain from
// one pixel's choice to the next pixel's colour does not wait on memory.
template <typename Lookup>
void ReduceDiffusing(Rows in, Rows out, int width, int height, const Lookup& nearest) {
  for (int y = 0; y < height; ++y) {
    BYTE* row = in.Row(y);
    BYTE* next = y + 1 < height ? in.Row(y + 1) : nullptr;
    BYTE* indices = out.Row(y);
    int blue = row[0], green = row[1], red = row[2];
    for (int x = 0; x < width; ++x) {
      BYTE* p = row + 3 * x;
      const int index = nearest(red, green, blue);
      indices[x] = BYTE(index);
      const uint32_t chosen = kFixedPalette[index];
      const Error e{red - RedOf(chosen), green - GreenOf(chosen), blue - BlueOf(chosen)};
      const bool right = x + 1 < width;
      if (right) blue = p[3], green = p[4], red = p[5];
      if (!(e.red | e.green | e.blue)) continue;
      if (right) {
        blue = ClampToByte(blue + e.blue * 7 / 16);
        green = ClampToByte(green + e.green * 7 / 16);
        red = ClampToByte(red + e.red * 7 / 16);
        p[3] = BYTE(blue), p[4] = BYTE(green), p[5] = BYTE(red);
      }
      if (!next) continue;
      BYTE* below = next + 3 * x;
      if (x > 0) Spread(below - 3, e, 2);
      Spread(below, e, 4);
      if (right) Spread(below + 3, e, 1);
    }
  }
}

template <typename Lookup>
void Reduce(CGifLibrary::CNImage& source, CGifLibrary::CNImage& reduced, bool errorDiffusion,
            const Lookup& nearest) {
  const Rows in{source.Row(0), size_t(source.m_rowSize)};
  const Rows out{reduced.Row(0), size_t(reduced.m_rowSize)};
  if (errorDiffusion)
    ReduceDiffusing(in, out, source.Width(), source.Height(), nearest);
  else
    ReducePlain(in, out, source.Width(), source.Height(), nearest);
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
    Reduce(source, *reduced, errorDiffusion, NearestColourTable::Get().InHand());
  } else {
    Reduce(source, *reduced, errorDiffusion, nearest);
  }
  return reduced.release();
}

}  // namespace talix::gif
