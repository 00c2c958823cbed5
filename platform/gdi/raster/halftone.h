// HALFTONE stretching: one box filter, used for every HALFTONE stretch.
//
// Definition. Each destination pixel, mapped back through the scale, covers a box of the
// source rectangle: along an axis with n = |destination extent| and m = |source extent|,
// destination pixel t (n - 1 - t when mirrored) covers the source interval
// [t * m / n, (t + 1) * m / n). Its value, per channel (alpha included), is the average of
// the source pixels under that box weighted by the area of each one the box covers.
//
// Fixed point. The filter is separable. Along each axis the overlap lengths o_j of the
// covered source pixels (cumulative sums C_j, total m) become integer weights
//     w_j = round(256 * C_j / m) - round(256 * C_(j-1) / m),
// which sum to exactly 256. The horizontal pass keeps the exact sums (at most 255 * 256),
// the vertical pass sums weight times those, and the result is (sum + 32768) >> 16. So:
// same size is an exact copy (one tap of weight 256), a uniform area stays exactly uniform
// (the weights sum to 256 * 256), and every result lies between the smallest and largest
// source value under the box.
//
// Source bounds: the filter writes the destination pixels the nearest-neighbour rule of
// stretch.h writes (those whose centre samples inside the source surface); parts of a box
// outside the source surface count as the nearest edge pixel, so nothing outside is read.
//
// Limits: at reductions beyond 256:1 a source pixel whose share of the box is below 1/256
// can get weight 0.
#pragma once

#include "platform/gdi/raster/stretch.h"

namespace talix::gdi::raster {

// The box filter's taps along one axis for the destination coordinates of `map`:
// destination coordinate map.begin + i sums weight[k] * pixel[index[k]] for k in
// [first[i], first[i + 1]).
struct BoxTaps {
  std::vector<int> first;
  std::vector<int> index;
  std::vector<uint16_t> weight;

  int MaxTaps() const;
};

TALIX_EXPORT BoxTaps BoxFilterTaps(int dst_origin, int dst_extent, int src_origin,
                                   int src_extent, int src_size, const AxisMap& map);

// The HALFTONE copy over the destination pixels of xs and ys (built by MapAxis from the
// same rectangles). Called by StretchCopy; the surfaces must not overlap.
void HalftoneCopy(const Surface32& dst, const BlitRect& dst_rect, const Surface32& src,
                  const BlitRect& src_rect, const AxisMap& xs, const AxisMap& ys,
                  const pixman_region32_t* clip);

}  // namespace talix::gdi::raster
