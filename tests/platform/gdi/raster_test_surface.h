// Pixel buffers for the raster kernel tests: a surface that owns its pixels, top-down or
// bottom-up (negative stride), filled with patterns and compared as maps.
#pragma once

#include "platform/gdi/surface.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace talix::gdi::raster::testing {

class TestSurface {
 public:
  TestSurface(int width, int height, bool bottom_up = false, uint32_t fill = 0)
      : pixels_(static_cast<size_t>(width) * height, fill) {
    surface_.width = width;
    surface_.height = height;
    surface_.stride = static_cast<ptrdiff_t>(width) * 4;
    surface_.bits = reinterpret_cast<uint8_t*>(pixels_.data());
    if (bottom_up && height > 0) {
      surface_.bits += surface_.stride * (height - 1);
      surface_.stride = -surface_.stride;
    }
  }

  const Surface32& surface() const { return surface_; }
  operator const Surface32&() const { return surface_; }
  int width() const { return surface_.width; }
  int height() const { return surface_.height; }
  uint32_t& At(int x, int y) { return surface_.Row(y)[x]; }
  uint32_t At(int x, int y) const { return surface_.Row(y)[x]; }

  void FillRandom(uint32_t seed) {
    std::mt19937 rng(seed);
    for (uint32_t& p : pixels_) p = rng();
  }
  // Pixel (x, y) = marker | (y << 12) | x: every pixel names its position (x < 4096).
  void FillCoordinates(uint32_t marker = 0xff000000u) {
    for (int y = 0; y < height(); ++y)
      for (int x = 0; x < width(); ++x) At(x, y) = marker | (uint32_t(y) << 12) | uint32_t(x);
  }
  bool operator==(const TestSurface& other) const {
    if (width() != other.width() || height() != other.height()) return false;
    for (int y = 0; y < height(); ++y)
      for (int x = 0; x < width(); ++x)
        if (At(x, y) != other.At(x, y)) return false;
    return true;
  }

 private:
  std::vector<uint32_t> pixels_;
  Surface32 surface_;
};

// Rows of '#' (pixel equals `ink`) and '.' (anything else).
inline std::string Map(const TestSurface& s, uint32_t ink) {
  std::string out;
  for (int y = 0; y < s.height(); ++y) {
    for (int x = 0; x < s.width(); ++x) out += s.At(x, y) == ink ? '#' : '.';
    out += '\n';
  }
  return out;
}

}  // namespace talix::gdi::raster::testing
