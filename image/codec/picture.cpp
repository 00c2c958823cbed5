#include "image/codec/picture.h"

#include <new>

namespace talix::image {

bool Picture::Allocate(int w, int h, uint32_t fill) {
  if (!FrameSizeAllowed(w, h)) return false;
  const size_t count = size_t(w) * size_t(h);
  try {
    bgr.assign(count * 3, 0);
  } catch (const std::bad_alloc&) {
    return false;
  }
  width = w;
  height = h;
  if (fill == 0) return true;  // assign zeroed the pixels already
  const uint8_t b = uint8_t(fill >> 16), g = uint8_t(fill >> 8), r = uint8_t(fill);
  for (size_t i = 0; i < count; ++i) {
    bgr[3 * i] = b;
    bgr[3 * i + 1] = g;
    bgr[3 * i + 2] = r;
  }
  return true;
}

}  // namespace talix::image
