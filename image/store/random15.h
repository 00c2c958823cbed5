// The library's own seedable random generator with 15-bit output (0..32767), used by the
// random-threshold writers and the dithers so that their results are reproducible.
//
// Recurrence: state(n+1) = state(n) * 214013 + 2531011 (mod 2^32); each draw advances the
// state once and returns (state >> 16) & 0x7FFF. The state starts at 1.
//
// Limits: one process-wide state, not synchronised; draw from one thread at a time.
#pragma once

#include "frame/talix_export.h"

#include <cstdint>

namespace talix::image {

constexpr int kRandom15Max = 32767;

TALIX_LIB_API void SeedRandom15(uint32_t seed);
TALIX_LIB_API int Random15();

}  // namespace talix::image
