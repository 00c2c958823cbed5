// The per-channel colour rules of the transforms, on pixel values 0x00RRGGBB (any three
// channels in the three low bytes; the rules treat the channels alike).
//   Mix(a, b, p):   per channel (p * a + (100 - p) * b) / 100, integer division.
//   Fade(c, f):     per channel c * f / 256, or 255 when c * f reaches 65536; f < 0 as 0.
//   DifRatio(a, b): (|da| + |db| + |dc|) / 3 over the three channels, integer division.
// The high byte of every result is 0.
#pragma once

#include <cstdint>
#include <cstdlib>

namespace talix::image {

inline uint32_t Channel(uint32_t value, int shift) { return (value >> shift) & 0xFFu; }

inline uint32_t MixChannels(uint32_t a, uint32_t b, int percent) {
  // Percent is 0..100 wherever the store mixes, so every term is non-negative and the
  // divisions are unsigned; other percents take the signed path of the rule.
  if (percent < 0 || percent > 100) {
    uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
      const int mixed = (percent * int(Channel(a, shift)) + (100 - percent) * int(Channel(b, shift))) / 100;
      result |= (uint32_t(mixed) & 0xFFu) << shift;
    }
    return result;
  }
  const uint32_t p = uint32_t(percent), q = 100u - p;
  return (p * Channel(a, 0) + q * Channel(b, 0)) / 100u |
         (p * Channel(a, 8) + q * Channel(b, 8)) / 100u << 8 |
         (p * Channel(a, 16) + q * Channel(b, 16)) / 100u << 16;
}

inline uint32_t FadeChannels(uint32_t color, int factor) {
  // Callers pass factor >= 0; past 65536 every non-zero channel saturates anyway.
  const uint32_t f = factor < 0 ? 0u : factor > 65536 ? 65536u : uint32_t(factor);
  uint32_t result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t product = Channel(color, shift) * f;
    result |= (product >= 65536u ? 255u : product >> 8) << shift;
  }
  return result;
}

inline int ColourDifRatio(uint32_t a, uint32_t b) {
  int sum = 0;
  for (int shift = 0; shift < 24; shift += 8)
    sum += std::abs(int(Channel(a, shift)) - int(Channel(b, shift)));
  return sum / 3;
}

}  // namespace talix::image
