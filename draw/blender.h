// The mask blend of the bitmap operations: for every byte i,
//   out[i] = (fg[i] * mask[i] + bg[i] * (255 - mask[i])) >> 8
// in 16-bit unsigned arithmetic (the sum never exceeds 65025). The shift divides by 256,
// so a full mask gives 255/256 of the foreground (255 -> 254) and an empty one 255/256 of
// the background. Bytes are taken four at a time: the last count % 4 bytes are left as
// they are (callers pass whole padded 24-bit rows, whose length is a multiple of 4).
//
// A portable core and an SSE2 version (sixteen bytes per step in 16-bit lanes) that gives
// the same bytes; BlendBytes picks the SSE2 one when the compiler targets SSE2.
#pragma once

#include "frame/talix_export.h"

#include <cstddef>
#include <cstdint>

namespace talix::draw {

TALIX_LIB_API void BlendBytesPortable(const uint8_t* mask, const uint8_t* fg, const uint8_t* bg,
                                      uint8_t* out, size_t count);
// The SSE2 version; the portable one where SSE2 is not built.
TALIX_LIB_API void BlendBytesSse2(const uint8_t* mask, const uint8_t* fg, const uint8_t* bg,
                                  uint8_t* out, size_t count);
// True when BlendBytesSse2 is a real SSE2 version.
TALIX_LIB_API bool HaveBlendBytesSse2();

inline void BlendBytes(const uint8_t* mask, const uint8_t* fg, const uint8_t* bg, uint8_t* out,
                       size_t count) {
  BlendBytesSse2(mask, fg, bg, out, count);
}

// The rule for one byte.
inline uint8_t BlendByte(uint8_t mask, uint8_t fg, uint8_t bg) {
  return static_cast<uint8_t>((unsigned(fg) * mask + unsigned(bg) * (255u - mask)) >> 8);
}

}  // namespace talix::draw
