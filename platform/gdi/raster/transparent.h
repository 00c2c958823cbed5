// TransparentBlt: a copy that leaves the destination alone wherever the source pixel has
// the key colour.
//
// The key is a COLORREF (0x00BBGGRR) and is compared with the source pixel's red, green
// and blue (its alpha byte is ignored). Unequal sizes stretch with the nearest-neighbour
// rule of stretch.h (negative extents mirror as there); destination pixels whose sample
// falls outside the source surface are left alone. The destination is clipped to its
// bounds and `clip`. Copied pixels are stored as they are in the source.
#pragma once

#include "platform/gdi/raster/stretch.h"

namespace talix::gdi::raster {

// The source pixel value (0x00RRGGBB) of a COLORREF.
inline uint32_t ColorRefToPixel(uint32_t colorref) {
  return ((colorref & 0xff) << 16) | (colorref & 0xff00) | ((colorref >> 16) & 0xff);
}

TALIX_EXPORT void TransparentCopy(const Surface32& dst, const BlitRect& dst_rect,
                                  const Surface32& src, const BlitRect& src_rect,
                                  uint32_t key_colorref, const pixman_region32_t* clip);

}  // namespace talix::gdi::raster
