// A 32-bit pixel surface as the raster kernels see it: rows of 0xAARRGGBB words (bytes
// B, G, R, A/X in memory), top row first. Device-compatible bitmaps and 32-bit DIB
// sections are surfaces directly (a bottom-up DIB is a surface with a negative stride
// starting at its last row); other depths are converted to and from a surface.
#pragma once

#include <cstddef>
#include <cstdint>

namespace talix::gdi {

struct Surface32 {
  uint8_t* bits = nullptr;  // first pixel of the top row
  int width = 0;
  int height = 0;
  ptrdiff_t stride = 0;     // bytes from one row to the next (negative for bottom-up)

  uint32_t* Row(int y) const { return reinterpret_cast<uint32_t*>(bits + stride * y); }
};

}  // namespace talix::gdi
