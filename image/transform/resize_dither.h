// The bilinear resample with a shading dither behind CNBitmapUtil::ResizeDither.
//
// Target pixel (k, j) samples the source at x = sx + k * sw / tw, y = sy + j * sh / th, both
// accumulated step by step in single precision (x restarts at sx on every row). With
// x0 = (int)x, fx = x - x0, y0 = (int)y, fy = y - y0, L = (int)((1 - fx) * 100) and
// C = (int)((1 - fy) * 100), and I, K, N, O the pixels (x0, y0), (x0 + 1, y0), (x0, y0 + 1),
// (x0 + 1, y0 + 1):  M = Mix(I, K, L), P = Mix(N, O, L), Q = Mix(M, P, C)  (colour_math.h).
//
// With dithering on (strength and level both non-zero), two noise bytes n1, n2 are taken
// per pixel from a cursor that advances by 2 and wraps at the table's end, and
//   s1 = (int)(255 - sin(fy * 3.14159) * (DifRatio(M, P) / strength) * (level - n1))
//   s2 = (int)(255 - sin(fx * 3.14159) * (DifRatio(Mix(I, N, C), Mix(K, O, C)) / strength)
//                  * (level - n2))
// (the divisions by strength are integer divisions); Q = Fade(Fade(Q, s1), s2).
//
// Edges: x0 + 1 and y0 + 1 are clamped to the last column and row of the source, so a
// rectangle that reaches the frame's right or bottom edge repeats the edge pixel rather
// than reading past the rows. A negative shading factor (a large difference with a level
// above the noise) would wrap through the byte store; it is taken as 0 (black), and
// factors are capped at 65536, past which every non-zero channel saturates at 255 anyway.
#pragma once

#include "frame/talix_export.h"

#include <cstddef>
#include <cstdint>

namespace talix::image {

constexpr size_t kDitherNoiseBytes = 131072;

struct DitherSource {
  const uint8_t* rows;  // 24-bit B, G, R rows: the top row; the next is rowSize bytes on
  int width, height;    // (negative for rows stored bottom-up, as in a bottom-up section)
  ptrdiff_t rowSize;
};

struct DitherRequest {
  int sourceX, sourceY, sourceWidth, sourceHeight;  // inside the source
  int targetWidth, targetHeight;
  int strength, level;
};

// Writes targetHeight rows of 3 * targetWidth bytes into `target`, the top row first and
// each next one targetRowSize bytes on (negative for bottom-up rows). `noise` holds
// kDitherNoiseBytes bytes (used only with dithering on).
TALIX_LIB_API void ResampleWithDither(const DitherSource& source, const DitherRequest& request,
                                      const uint8_t* noise, uint8_t* target,
                                      ptrdiff_t targetRowSize);

}  // namespace talix::image
