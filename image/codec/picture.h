// The decoded form the readers hand to the store: packed top-down B, G, R rows.
#pragma once

#include "image/NBitmapUtil.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace talix::image {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> bgr;  // 3 * width * height bytes, top row first

  // Sizes the picture, every pixel set to `fill` (COLORREF); false when refused.
  bool Allocate(int w, int h, uint32_t fill = 0);
  uint8_t* Pixel(int x, int y) { return bgr.data() + (size_t(y) * size_t(width) + size_t(x)) * 3; }
};

// A frame size the store accepts: positive and within the per-frame pixel cap.
inline bool FrameSizeAllowed(int64_t width, int64_t height) {
  return width > 0 && height > 0 && width * height <= CNBitmapUtil::kMaxFramePixels;
}

}  // namespace talix::image
