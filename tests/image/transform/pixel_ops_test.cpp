// The store's colour helpers and its pixel access to a current image.
#include "image/store/random15.h"
#include "transform_fixture.h"

namespace talix::image::testing {
namespace {

class PixelOpsTest : public TransformTest {};

TEST_F(PixelOpsTest, MixFadeAndDifference) {
  struct Mix { unsigned long a, b; int p; unsigned long expected; };
  // 25% of red 255 and 75% of green 255: red 63, green 191, blue 0.
  for (const Mix& m : {Mix{0x0000FF, 0x00FF00, 25, 0x00BF3F}, Mix{0x102030, 0x102030, 77, 0x102030},
                       Mix{0xFFFFFF, 0x000000, 100, 0xFFFFFF}, Mix{0xFFFFFF, 0x000000, 1, 0x020202}})
    EXPECT_EQ(store().MixColors(m.a, m.b, m.p), m.expected) << std::hex << m.a << " " << m.b << " " << std::dec << m.p;

  struct Fade { unsigned long c; int f; unsigned long expected; };
  for (const Fade& f : {Fade{0x804020, 256, 0x804020}, Fade{0x804020, 128, 0x402010},
                        Fade{0xFF8001, 300, 0xFF9601}, Fade{0x102030, -5, 0}, Fade{0x010101, 65536, 0xFFFFFF}})
    EXPECT_EQ(store().FadeColor(f.c, f.f), f.expected) << std::hex << f.c << " " << std::dec << f.f;

  EXPECT_EQ(store().GetColorDifRatio(0x0A0B0C, 0x0C0B0A), 1);  // (2 + 0 + 2) / 3
  EXPECT_EQ(store().GetColorDifRatio(0xFFFFFFFF, 0x00FFFFFF), 0) << "the high byte is not a channel";
  EXPECT_EQ(store().GetColorDifRatio(0xFFFFFF, 0), 255);
}

TEST_F(PixelOpsTest, RandomStaysInRangeAndRefusesRangesThatWouldDivideByZero) {
  talix::image::SeedRandom15(3);
  for (int range : {1, 2, 100, 32767}) {
    for (int i = 0; i < 200; ++i) {
      const int r = store().Random(range);
      ASSERT_GE(r, 0);
      ASSERT_LE(r, range) << range;  // 32767 / (32767 / n) may reach n itself
    }
  }
  EXPECT_EQ(store().Random(0), 0);
  EXPECT_EQ(store().Random(-4), 0);
  EXPECT_EQ(store().Random(40000), 0);
}

TEST_F(PixelOpsTest, PixelsOfTheCurrentImageWithinItsBounds) {
  // A 3x2 image of 24-bit rows padded to 12 bytes.
  unsigned char rows[24] = {};
  EXPECT_EQ(store().PutPixel(2, 1, 0xA1B2C3, rows, 3, 2), 1);
  EXPECT_EQ(rows[12 + 6], 0xC3);
  EXPECT_EQ(rows[12 + 7], 0xB2);
  EXPECT_EQ(rows[12 + 8], 0xA1);
  EXPECT_EQ(store().GetPixel(2, 1), 0xA1B2C3ul) << "the current image stays";
  EXPECT_EQ(store().PutPixel(0, 0, 0x010203), 1);
  EXPECT_EQ(store().GetPixel(0, 0, rows, 3, 2), 0x010203ul);
  struct Outside { int x, y; };
  for (const Outside o : {Outside{3, 0}, Outside{0, 2}, Outside{-1, 0}, Outside{0, -1}}) {
    EXPECT_EQ(store().PutPixel(o.x, o.y, 0xFFFFFF), 0);
    EXPECT_EQ(store().GetPixel(o.x, o.y), 0ul);
  }
  EXPECT_EQ(store().GetPixel(0, 0, rows, 0, 2), 0ul) << "an image without size is no image";
  EXPECT_EQ(store().GetPixel(0, 0), 0ul);
  for (unsigned char b : {rows[9], rows[10], rows[11], rows[21], rows[22], rows[23]}) EXPECT_EQ(b, 0);
}

TEST_F(PixelOpsTest, ColourMatchUsesTheToleranceOfEachChannel) {
  EXPECT_EQ(store().TestColorMatch(0x102030, 0x102030, 0), 1);
  EXPECT_EQ(store().TestColorMatch(0x102030, 0x102031, 0), 0);
  EXPECT_EQ(store().TestColorMatch(0x102030, 0x0F2232, 0x010202), 1);
  EXPECT_EQ(store().TestColorMatch(0x102030, 0x0F2232, 0x010201), 0);
}

}  // namespace
}  // namespace talix::image::testing
