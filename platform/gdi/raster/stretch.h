// Stretching copies (StretchBlt/StretchDIBits with SRCCOPY) and the nearest-neighbour
// sampler that AlphaBlend and TransparentBlt share.
//
// Rectangles are given as StretchBlt takes them: an origin and a signed extent per axis.
// Along an axis, origin o and extent e cover the pixels between the corners o and o + e:
// [o, o + e) when e > 0, [o + e, o) when e < 0. When the destination and source extents of
// an axis have different signs the image is mirrored along that axis; a zero extent draws
// nothing.
//
// Nearest-neighbour rule (COLORONCOLOR, and BLACKONWHITE/WHITEONBLACK, which on 32-bit
// colour surfaces have nothing to merge and behave the same): with n = |destination
// extent| and m = |source extent|, destination pixel t (0 <= t < n, counted from the
// normalised rectangle's left/top; n - 1 - t when mirrored) takes source pixel
//     s = floor((2t + 1) * m / (2n))
// counted from the normalised source rectangle's left/top: the source pixel under the
// centre of the destination pixel, mapped back through the scale. 2x up gives 0,0,1,1;
// 3 -> 2 gives 0,2.
//
// Source bounds: a destination pixel whose sample falls outside the source surface is not
// written (the source is never read outside its bounds). HALFTONE writes the same set of
// destination pixels (see halftone.h).
//
// Source and destination may share pixels: an overlapping copy first copies the whole
// source surface aside. Limits: copies only (SRCCOPY); other ROPs are the caller's
// (stretch into a temporary, then combine).
#pragma once

#include "platform/gdi/raster/clip.h"

#include <vector>

namespace talix::gdi::raster {

// SetStretchBltMode's values.
enum class StretchMode : int {
  kBlackOnWhite = 1,
  kWhiteOnBlack = 2,
  kColorOnColor = 3,
  kHalftone = 4,
};

// An origin and signed extents, as StretchBlt's arguments.
struct BlitRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// One axis of the nearest-neighbour mapping, already clipped to the destination size and
// to the source bounds: destination coordinate begin + i reads source coordinate source[i].
struct AxisMap {
  int begin = 0;
  std::vector<int> source;

  int end() const { return begin + static_cast<int>(source.size()); }
  bool Identity() const;  // source[i] == source[0] + i for all i
};

// Builds the mapping of one axis; returns false when nothing remains to draw.
TALIX_EXPORT bool MapAxis(int dst_origin, int dst_extent, int dst_size, int src_origin,
                          int src_extent, int src_size, AxisMap* out);

// Both axes of a copy from src_rect of src to dst_rect of dst; false when nothing remains.
TALIX_EXPORT bool MapRects(const Surface32& dst, const BlitRect& dst_rect, const Surface32& src,
                           const BlitRect& src_rect, AxisMap* xs, AxisMap* ys);

// Copies src's rectangle onto dst's rectangle with the given mode (HALFTONE goes to the
// box filter of halftone.h), clipped to dst's bounds and `clip` (null = none). Pixels are
// copied as is, alpha byte included.
TALIX_EXPORT void StretchCopy(const Surface32& dst, const BlitRect& dst_rect,
                              const Surface32& src, const BlitRect& src_rect,
                              StretchMode mode, const pixman_region32_t* clip);

// Internal pieces shared with the other stretching kernels.

// True when the two surfaces' pixel memory overlaps.
bool SurfacesOverlap(const Surface32& a, const Surface32& b);

// A private copy of a surface, for overlapping self-copies.
class SurfaceCopy {
 public:
  explicit SurfaceCopy(const Surface32& src);
  const Surface32& surface() const { return surface_; }

 private:
  std::vector<uint32_t> pixels_;
  Surface32 surface_;
};

}  // namespace talix::gdi::raster
