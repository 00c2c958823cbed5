// Portable core of the mask blend (see blender.h).
#include "draw/blender.h"

namespace talix::draw {

void BlendBytesPortable(const uint8_t* mask, const uint8_t* fg, const uint8_t* bg, uint8_t* out,
                        size_t count) {
  const size_t whole = count & ~size_t{3};
  for (size_t i = 0; i < whole; ++i) out[i] = BlendByte(mask[i], fg[i], bg[i]);
}

}  // namespace talix::draw
