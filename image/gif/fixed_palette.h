// The fixed palette that frames deeper than 8 bits are reduced to, and the plain
// nearest-colour search that defines which entry a colour maps to.
#pragma once

#include <win/types.h>

#include <cstdint>

namespace talix::gif {

TALIX_EXPORT extern const uint32_t kFixedPalette[256];  // 0xRRGGBB

inline int RedOf(uint32_t rgb) { return int(rgb >> 16) & 0xFF; }
inline int GreenOf(uint32_t rgb) { return int(rgb >> 8) & 0xFF; }
inline int BlueOf(uint32_t rgb) { return int(rgb) & 0xFF; }

inline int ColourDistance(uint32_t entry, int red, int green, int blue) {
  int dr = red - RedOf(entry), dg = green - GreenOf(entry), db = blue - BlueOf(entry);
  return dr * dr + dg * dg + db * db;
}

// The lowest palette index at the smallest squared distance, visiting every entry in
// index order. Slow; NearestIndex gives the same answers fast.
TALIX_EXPORT int NearestIndexReference(int red, int green, int blue);

using NearestIndexFn = int (*)(int red, int green, int blue);

}  // namespace talix::gif
