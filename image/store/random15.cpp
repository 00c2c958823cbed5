// The process-wide 15-bit generator; see random15.h for its recurrence.
#include "image/store/random15.h"

namespace talix::image {
namespace {
uint32_t g_state = 1;
}  // namespace

void SeedRandom15(uint32_t seed) { g_state = seed; }

int Random15() {
  g_state = g_state * 214013u + 2531011u;
  return int((g_state >> 16) & 0x7FFF);
}

}  // namespace talix::image
