// Writing a CGifLibrary's frames with a chosen nearest-colour search (Save uses the
// fast one; benchmarks compare it with the plain search).
#pragma once

#include "image/GifLibrary.h"
#include "image/gif/fixed_palette.h"

namespace talix::gif {

TALIX_EXPORT bool SaveFrames(CGifLibrary& gif, const WCHAR* path, NearestIndexFn nearest);

}  // namespace talix::gif
