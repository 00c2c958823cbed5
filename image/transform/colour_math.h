// The per-channel colour rules of the transforms, on pixel values 0x00RRGGBB (any three
// channels in the three low bytes; the rules treat the channels alike).
//   Mix(a, b, p):   per channel (p * a + (100 - p) * b) / 100, integer division.
//   Fade(c, f):     per channel c * f / 256, or 255 when c * f reaches 65536; f >= 0.
//   DifRatio(a, b): (|da| + |db| + |dc|) / 3 over the three channels, integer division.
// The high byte of every result is 0.
#pragma once

#include <cstdint>
#include <cstdlib>

namespace talix::image {

inline uint32_t Channel(uint32_t value, int shift) { return (value >> shift) & 0xFFu; }

inline uint32_t MixChannels(uint32_t a, uint32_t b, int percent) {
  uint32_t result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int mixed = (percent * int(Channel(a, shift)) + (100 - percent) * int(Channel(b, shift))) / 100;
    result |= (uint32_t(mixed) & 0xFFu) << shift;
  }
  return result;
}

inline uint32_t FadeChannels(uint32_t color, int factor) {
  uint32_t result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int64_t product = int64_t(Channel(color, shift)) * factor;
    const uint32_t faded = product >= 65536 ? 255u : uint32_t(product / 256) & 0xFFu;
    result |= faded << shift;
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
