// Putting one window's pixels onto the screen, row by row.
//
// Rules (S source, D screen, per colour channel; div255 rounds to nearest as in
// platform/gdi/raster/alpha.h):
//   opaque:            D = S
//   colour key:        pixels whose colour equals the key are left out
//   constant alpha A:  D = div255(S * A + D * (255 - A))
//   per-pixel alpha:   S premultiplied; S' = A == 255 ? S : div255(S * A) (alpha too);
//                      D = min(255, S' + div255(D * (255 - S'alpha)))
// The colour key is tested before any alpha. The screen's X byte is stored as 0.
#pragma once

#include <cstdint>

namespace talix::user {

struct LayerBlend {
  bool keyed = false;
  uint32_t key = 0;            // 0x00RRGGBB
  uint8_t constantAlpha = 255;
  bool sourceAlpha = false;    // premultiplied per-pixel alpha
};

// Puts `count` source pixels onto `count` screen pixels.
void BlendLayerRow(uint32_t* screen, const uint32_t* source, int count, const LayerBlend& blend);

}  // namespace talix::user
