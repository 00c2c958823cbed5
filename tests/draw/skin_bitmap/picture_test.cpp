// Skin pictures: loading from a resource module, scaling, right-to-left mirroring, pixel
// and region reads.
#include "skin_fixture.h"

#include <climits>

namespace talix::draw::testing {
namespace {

class PictureTest : public SkinTest {};

TEST_F(PictureTest, BitmapResourceLoadsWithoutMask) {
  CQuorBitmap picture;
  ASSERT_TRUE(picture.LoadFromRes(module_, kRampId));
  EXPECT_EQ(picture.GetWidth(), kRampWidth);
  EXPECT_EQ(picture.GetHeight(), kRampHeight);
  EXPECT_FALSE(picture.IsScaled());
  EXPECT_EQ(picture.GetMask(), nullptr);
  for (int y = 0; y < kRampHeight; ++y)
    for (int x = 0; x < kRampWidth; ++x) ASSERT_EQ(picture.GetPixel(x, y), RampPixel(x, y)) << x << "," << y;
}

TEST_F(PictureTest, PngAlphaBecomesTheInvertedMask) {
  CQuorBitmap picture;
  ASSERT_TRUE(picture.LoadFromRes(module_, kAlphaId));
  ASSERT_NE(picture.GetMask(), nullptr);
  EXPECT_EQ(SizeOf(picture.GetMask()).cx, 4);
  const Pixels mask = ReadBitmap(picture.GetMask());
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(picture.GetPixel(x, y), kAlphaPixels[y][x].rgb) << x << "," << y;
      EXPECT_EQ(mask[size_t(y * 4 + x)] & 0xFFFFFF, Grey(uint8_t(255 - kAlphaPixels[y][x].alpha)))
          << x << "," << y;
    }
}

TEST_F(PictureTest, MissingResourceLeavesAnEmptyPicture) {
  CQuorBitmap picture;
  EXPECT_FALSE(picture.LoadFromRes(module_, 999));
  EXPECT_FALSE(picture.LoadFromRes(nullptr, kRampId));
  EXPECT_EQ(picture.GetPrimary(), nullptr);
  EXPECT_EQ(picture.GetWidth(), 0);
  EXPECT_EQ(picture.GetPixel(0, 0), CLR_INVALID);
}

struct ScaleCase {
  const char* name;
  double x, y;
  bool autoScale;
  unsigned id;
  int width, height;
  bool scaled;
};

void PrintTo(const ScaleCase& c, std::ostream* os) { *os << c.name; }

class ScaleCases : public SkinTest, public ::testing::WithParamInterface<ScaleCase> {};

TEST_P(ScaleCases, LoadsAtTheScaledSize) {
  const ScaleCase& c = GetParam();
  Scale(c.x, c.y, c.autoScale);
  CQuorBitmap picture;
  ASSERT_TRUE(picture.LoadFromRes(module_, c.id));
  EXPECT_EQ(picture.GetWidth(), c.width);
  EXPECT_EQ(picture.GetHeight(), c.height);
  EXPECT_EQ(picture.IsScaled(), c.scaled);
  EXPECT_EQ(SizeOf(picture.GetPrimary()).cx, c.width);
  if (picture.GetMask()) {  // the mask always has the primary's size
    EXPECT_EQ(SizeOf(picture.GetMask()).cx, c.width);
    EXPECT_EQ(SizeOf(picture.GetMask()).cy, c.height);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Factors, ScaleCases,
    ::testing::Values(ScaleCase{"Both125", 1.25, 1.25, true, kRampId, 12, 8, true},
                      ScaleCase{"OneFactorIsOne", 1.25, 1.0, true, kRampId, 10, 7, false},
                      ScaleCase{"AutoScaleOff", 1.25, 1.25, false, kRampId, 10, 7, false},
                      ScaleCase{"MaskScaledAlong", 1.25, 1.5, true, kAlphaId, 5, 3, true},
                      ScaleCase{"Double", 2.0, 2.0, true, kRampId, 20, 14, true},
                      // Tiny or zero factors keep at least one pixel instead of losing it.
                      ScaleCase{"TinyClampsToOnePixel", 0.01, 0.01, true, kRampId, 1, 1, true},
                      ScaleCase{"ZeroClampsToOnePixel", 0.0, 0.0, true, kAlphaId, 1, 1, true},
                      // A factor no size can follow keeps the unscaled picture.
                      ScaleCase{"HugeKeepsUnscaled", 1e6, 1e6, true, kRampId, 10, 7, false},
                      ScaleCase{"NegativeKeepsUnscaled", -2.0, 2.0, true, kRampId, 10, 7, false}),
    [](const ::testing::TestParamInfo<ScaleCase>& info) { return std::string(info.param.name); });

TEST_F(PictureTest, ScaledPictureKeepsItsColours) {
  Scale(2.0, 2.0, true);
  CQuorBitmap picture;
  ASSERT_TRUE(picture.LoadFromRes(module_, kRampId));
  // Doubling: every source pixel covers a 2 x 2 block exactly.
  EXPECT_EQ(picture.GetPixel(0, 0), RampPixel(0, 0));
  EXPECT_EQ(picture.GetPixel(19, 13), RampPixel(9, 6));
  EXPECT_EQ(picture.GetPixel(7, 5), RampPixel(3, 2));
}

// Layout 1 flips pictures once; every other value is left-to-right.
class LayoutCases : public SkinTest, public ::testing::WithParamInterface<DWORD> {};

TEST_P(LayoutCases, RightToLeftFlipsPrimaryAndMaskOnce) {
  CQuorLib::m_dwLayout = GetParam();
  const bool flipped = GetParam() == 1;
  CQuorBitmap ramp, alpha;
  ASSERT_TRUE(ramp.LoadFromRes(module_, kRampId));
  ASSERT_TRUE(alpha.LoadFromRes(module_, kAlphaId));
  for (int y = 0; y < kRampHeight; ++y)
    for (int x = 0; x < kRampWidth; ++x)
      ASSERT_EQ(ramp.GetPixel(x, y), RampPixel(flipped ? kRampWidth - 1 - x : x, y)) << x << "," << y;
  const Pixels mask = ReadBitmap(alpha.GetMask());
  for (int x = 0; x < 4; ++x) {
    const RgbaPixel& source = kAlphaPixels[0][flipped ? 3 - x : x];
    EXPECT_EQ(alpha.GetPixel(x, 0), source.rgb) << x;
    EXPECT_EQ(mask[size_t(x)] & 0xFFFFFF, Grey(uint8_t(255 - source.alpha))) << x;
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, LayoutCases, ::testing::Values(DWORD{0}, DWORD{1}, DWORD{2}));

TEST_F(PictureTest, MirrorFlipsBackAndForth) {
  CQuorBitmap picture;
  ASSERT_TRUE(picture.LoadFromRes(module_, kAlphaId));
  picture.Mirror();
  EXPECT_EQ(picture.GetPixel(0, 0), kAlphaPixels[0][3].rgb);
  EXPECT_EQ(ReadBitmap(picture.GetMask())[0] & 0xFF, 0u);  // alpha 255 of column 3
  picture.Mirror();
  EXPECT_EQ(picture.GetPixel(0, 0), kAlphaPixels[0][0].rgb);
  CQuorBitmap empty;
  empty.Mirror();  // nothing to flip, nothing happens
  EXPECT_EQ(empty.GetPrimary(), nullptr);
}

TEST_F(PictureTest, PixelsOutsideThePictureAreInvalid) {
  CQuorBitmap picture;
  ASSERT_TRUE(picture.LoadFromRes(module_, kRampId));
  const POINT outside[] = {{-1, 0}, {0, -1}, {kRampWidth, 0}, {0, kRampHeight},
                           {INT_MAX, INT_MAX}, {INT_MIN, 3}};
  for (POINT p : outside) EXPECT_EQ(picture.GetPixel(p.x, p.y), CLR_INVALID) << p.x << "," << p.y;
  EXPECT_EQ(picture.GetPixel(kRampWidth - 1, kRampHeight - 1), RampPixel(9, 6));
}

TEST_F(PictureTest, RegionsLeaveOutTheKeyColour) {
  CQuorBitmap picture;
  ASSERT_TRUE(picture.LoadFromRes(module_, kAlphaId));
  // Primary keyed on the light pixel at (3, 0); mask keyed on opaque (0).
  Owned primary(picture.PrimaryToRegion(0xFAFAFA, 0));
  Owned mask(picture.MaskToRegion(0x000000, 0));
  ASSERT_NE(primary.region(), nullptr);
  ASSERT_NE(mask.region(), nullptr);
  EXPECT_FALSE(PtInRegion(primary.region(), 3, 0));
  EXPECT_TRUE(PtInRegion(primary.region(), 0, 0));
  EXPECT_TRUE(PtInRegion(primary.region(), 3, 1));
  EXPECT_FALSE(PtInRegion(mask.region(), 0, 0));  // opaque
  EXPECT_TRUE(PtInRegion(mask.region(), 1, 0));   // transparent
  EXPECT_TRUE(PtInRegion(mask.region(), 2, 1));   // partly transparent
  CQuorBitmap empty;
  EXPECT_EQ(empty.PrimaryToRegion(0, 0), nullptr);
  EXPECT_EQ(empty.MaskToRegion(0, 0), nullptr);
}

TEST_F(PictureTest, AttachedPictureGivesRegionsAndPixelsToo) {
  CQuorBitmap picture;
  picture.Attach(MakeBitmap(2, 1, {0x112233, 0xFF00FF}));
  EXPECT_EQ(picture.GetPixel(0, 0), 0x112233u);
  Owned region(picture.PrimaryToRegion(0xFF00FF, 0));
  ASSERT_NE(region.region(), nullptr);
  EXPECT_TRUE(PtInRegion(region.region(), 0, 0));
  EXPECT_FALSE(PtInRegion(region.region(), 1, 0));
  EXPECT_TRUE(DeleteObject(picture.Detach()));
}

}  // namespace
}  // namespace talix::draw::testing
