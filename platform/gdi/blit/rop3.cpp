#include "platform/gdi/blit/rop3.h"

namespace talix::gdi {

constexpr uint32_t kColorBits = 0x00FFFFFF;

uint32_t Rop3Pixel(uint8_t rop, uint32_t p, uint32_t s, uint32_t d) {
  // Sum of the minterms the truth table selects.
  uint32_t result = 0;
  for (int i = 0; i < 8; ++i) {
    if (!((rop >> i) & 1)) continue;
    uint32_t term = (i & 4 ? p : ~p) & (i & 2 ? s : ~s) & (i & 1 ? d : ~d);
    result |= term;
  }
  return result & kColorBits;
}

void ApplyRop3(uint8_t rop, const uint32_t* pat, const uint32_t* src, uint32_t* dst, int count) {
  switch (rop) {
    case 0x00: for (int i = 0; i < count; ++i) dst[i] = 0; return;
    case 0xFF: for (int i = 0; i < count; ++i) dst[i] = kColorBits; return;
    case 0xCC: for (int i = 0; i < count; ++i) dst[i] = src[i] & kColorBits; return;
    case 0x33: for (int i = 0; i < count; ++i) dst[i] = ~src[i] & kColorBits; return;
    case 0xF0: for (int i = 0; i < count; ++i) dst[i] = pat[i] & kColorBits; return;
    case 0x55: for (int i = 0; i < count; ++i) dst[i] = ~dst[i] & kColorBits; return;
    case 0x88: for (int i = 0; i < count; ++i) dst[i] = src[i] & dst[i] & kColorBits; return;
    case 0xEE: for (int i = 0; i < count; ++i) dst[i] = (src[i] | dst[i]) & kColorBits; return;
    case 0x66: for (int i = 0; i < count; ++i) dst[i] = (src[i] ^ dst[i]) & kColorBits; return;
    case 0x5A: for (int i = 0; i < count; ++i) dst[i] = (pat[i] ^ dst[i]) & kColorBits; return;
    case 0xAA: for (int i = 0; i < count; ++i) dst[i] &= kColorBits; return;
    default: break;
  }
  static const uint32_t kZero = 0;
  bool usesP = RopUsesPattern(rop), usesS = RopUsesSource(rop);
  for (int i = 0; i < count; ++i)
    dst[i] = Rop3Pixel(rop, usesP ? pat[i] : kZero, usesS ? src[i] : kZero, dst[i]);
}

}  // namespace talix::gdi
