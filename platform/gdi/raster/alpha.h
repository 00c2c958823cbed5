// AlphaBlend: blending a source rectangle over a destination with a constant alpha and
// optionally the source's own (premultiplied) alpha, stretching by nearest neighbour.
//
// Per channel (blue, green, red and alpha alike), with SCA the constant alpha and
// div255(x) = x / 255 rounded to nearest (exact: (x + 128 + ((x + 128) >> 8)) >> 8):
//   constant alpha only:     D = div255(S * SCA + D * (255 - SCA))
//   with the source's alpha: S' = SCA == 255 ? S : div255(S * SCA)   (all four channels)
//                            D = min(255, S' + div255(D * (255 - S'alpha)))
// i.e. Dst = Src * SCA/255 + Dst * (1 - SrcAlpha * SCA/255/255) rounded in two steps; the
// destination alpha follows the same formula (A = S'a + Da * (1 - S'a)). A source that is
// not properly premultiplied (colour above alpha) saturates at 255 instead of wrapping.
//
// Rectangles: extents must not be negative (no mirroring), the source rectangle must lie
// completely inside the source surface, and a rectangle on the same surface must not
// overlap the destination; otherwise nothing is drawn and the call fails. Unequal sizes
// stretch with the nearest-neighbour rule of stretch.h (every stretch mode behaves as
// COLORONCOLOR here). The destination is clipped to its bounds and `clip`.
//
// The row kernel has a portable core and an SSE2 version that replaces it when the
// compiler targets SSE2; the two give bit-identical results.
#pragma once

#include "platform/gdi/raster/stretch.h"

#include <cstdint>

namespace talix::gdi::raster {

// BLENDFUNCTION's meaningful part: SourceConstantAlpha and AlphaFormat == AC_SRC_ALPHA.
struct BlendFunction {
  uint8_t constant_alpha = 255;
  bool source_alpha = false;
};

// Blends `count` source pixels over `count` destination pixels (the rows may not overlap).
TALIX_EXPORT void BlendRowPortable(uint32_t* dst, const uint32_t* src, int count,
                                   BlendFunction blend);
// The SIMD version; the portable one where no SIMD version is built.
TALIX_EXPORT void BlendRowSimd(uint32_t* dst, const uint32_t* src, int count,
                               BlendFunction blend);
// True when BlendRowSimd is a real SIMD version.
TALIX_EXPORT bool HaveBlendRowSimd();

// The blend of the header comment; false (nothing drawn) on negative extents, a source
// rectangle leaving the source surface, or overlapping rectangles on one surface.
TALIX_EXPORT bool AlphaBlendCopy(const Surface32& dst, const BlitRect& dst_rect,
                                 const Surface32& src, const BlitRect& src_rect,
                                 BlendFunction blend, const pixman_region32_t* clip);

// x / 255 rounded to nearest, for 0 <= x <= 255 * 255.
inline uint32_t Div255(uint32_t x) {
  x += 128;
  return (x + (x >> 8)) >> 8;
}

// Checks shared by the blending copies: false when the rectangles break AlphaBlend's rules.
bool BlendRectsValid(const Surface32& dst, const BlitRect& dst_rect, const Surface32& src,
                     const BlitRect& src_rect);

}  // namespace talix::gdi::raster
