// Reduction of a 24-bit frame to the fixed palette, with or without error diffusion.
#pragma once

#include "image/GifLibrary.h"
#include "image/gif/fixed_palette.h"

namespace talix::gif {

// A new 8-bit image carrying the fixed palette, or null when memory runs out. With
// error diffusion the source pixels are changed as the error spreads over them.
TALIX_EXPORT CGifLibrary::CNImage* ReduceToFixedPalette(CGifLibrary::CNImage& source,
                                                        bool errorDiffusion,
                                                        NearestIndexFn nearest);

}  // namespace talix::gif
