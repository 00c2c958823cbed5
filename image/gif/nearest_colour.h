// Fast nearest-colour lookup over the fixed palette, with exactly the answers of
// NearestIndexReference for every colour.
#pragma once

#include "image/gif/fixed_palette.h"

namespace talix::gif {

TALIX_EXPORT int NearestIndex(int red, int green, int blue);

}  // namespace talix::gif
