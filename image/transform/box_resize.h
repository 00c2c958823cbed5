// The box filter of a HALFTONE stretch of a whole 24-bit frame, worked directly between
// two frames' rows. It gives exactly the bytes of the platform's HALFTONE StretchBlt of the
// whole frame (one box filter for every reduction and enlargement):
//
// Along an axis of n target and m source pixels, target pixel t covers the source
// interval [t * m / n, (t + 1) * m / n). With C_j the part of that box covered by source
// pixels up to j (in units of 1/n pixel) the pixel's weights are
//   w_j = round(256 * C_j / m) - round(256 * C_(j-1) / m)   (halves rounded up),
// which sum to 256; pixels of weight 0 are left out. The horizontal pass keeps the exact
// sums per channel (at most 255 * 256), the vertical pass sums weight times those, and
// each channel is (sum + 32768) >> 16.
//
// Limits: at reductions beyond 256:1 a source pixel whose share of the box is below
// 1/256 gets weight 0, as in the stretch it matches.
#pragma once

#include "frame/talix_export.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace talix::image {

// Target pixel i of an axis sums weight[k] * pixel[index[k]] for k in [first[i], first[i + 1]).
struct BoxTaps {
  std::vector<int> first;
  std::vector<int> index;
  std::vector<uint16_t> weight;
};

TALIX_LIB_API BoxTaps BoxFilterTaps(int targetLength, int sourceLength);

// Rows of 24-bit pixels: the top row, and the bytes from one row to the next below it
// (negative for rows stored bottom-up).
struct PixelRows {
  uint8_t* top;
  int width, height;
  ptrdiff_t step;
  uint8_t* Row(int y) const { return top + y * step; }
};

// The whole of `source` box-filtered into the whole of `target`; false when memory runs out
// (nothing written then).
TALIX_LIB_API bool BoxResize(const PixelRows& source, const PixelRows& target);

}  // namespace talix::image
