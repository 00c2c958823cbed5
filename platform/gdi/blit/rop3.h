// The ternary raster operations: the operation code's index byte is a truth table over
// (pattern, source, destination) bits, bit (p << 2 | s << 1 | d) giving the result.
// Results keep 24 colour bits; the X byte is 0.
#pragma once

#include <win/gdi.h>

#include <cstdint>

namespace talix::gdi {

inline uint8_t Rop3Index(DWORD rop) { return uint8_t((rop >> 16) & 0xFF); }
inline bool RopUsesSource(uint8_t rop) { return (((rop >> 2) ^ rop) & 0x33) != 0; }
inline bool RopUsesPattern(uint8_t rop) { return (((rop >> 4) ^ rop) & 0x0F) != 0; }
inline bool RopUsesDestination(uint8_t rop) { return (((rop >> 1) ^ rop) & 0x55) != 0; }

// One pixel through any operation.
uint32_t Rop3Pixel(uint8_t rop, uint32_t p, uint32_t s, uint32_t d);

// dst[i] = rop(pat[i], src[i], dst[i]) for count pixels. pat and src may be null when
// the operation does not use them.
void ApplyRop3(uint8_t rop, const uint32_t* pat, const uint32_t* src, uint32_t* dst, int count);

}  // namespace talix::gdi
