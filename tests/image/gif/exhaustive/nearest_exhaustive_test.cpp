// The fast nearest-colour lookup gives the plain search's index for every 24-bit colour.
#include "image/gif/nearest_colour.h"

#include <gtest/gtest.h>

namespace {

TEST(GifNearestColour, FastLookupEqualsPlainSearchForAllColours) {
  long mismatches = 0;
  int firstMismatch = -1;
  for (int red = 0; red < 256; ++red)
    for (int green = 0; green < 256; ++green)
      for (int blue = 0; blue < 256; ++blue) {
        if (talix::gif::NearestIndex(red, green, blue) ==
            talix::gif::NearestIndexReference(red, green, blue))
          continue;
        if (mismatches++ == 0) firstMismatch = red << 16 | green << 8 | blue;
      }
  EXPECT_EQ(mismatches, 0) << "first at " << std::hex << firstMismatch;
}

}  // namespace
