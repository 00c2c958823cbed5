// BitmapToRegion of a stored frame: the region covers exactly the pixels that do not match
// the key within the tolerance.
#include "transform_fixture.h"

namespace talix::image::testing {
namespace {

using U = CNBitmapUtil;

class RegionTest : public TransformTest {};

// A 7x5 picture: key colour 0xFF00FF around a shape, with near-key pixels at (1,1) and
// (5,3) that a tolerance of 4 per channel takes as key too.
Picture Keyed() {
  Picture p = Solid(7, 5, 0xFF00FF);
  for (int y = 1; y < 4; ++y)
    for (int x = 2; x < 6; ++x) p.pixels[size_t(y) * 7 + x] = 0x30A040;
  p.pixels[1 * 7 + 1] = 0xFC02FD;
  p.pixels[3 * 7 + 5] = 0xFB00FF;  // 4 off in red: inside the tolerance
  p.pixels[0 * 7 + 6] = 0x000000;
  return p;
}

TEST_F(RegionTest, CoversTheNonKeyPixelsWithinTheTolerance) {
  const Picture picture = Keyed();
  ASSERT_TRUE(store().Put(U::BT_BLENDED, 1, picture));
  for (unsigned long tolerance : {0x000000ul, 0x040404ul}) {
    HRGN region = store().BitmapToRegion(U::BT_BLENDED, 1, 0xFF00FF, tolerance);
    ASSERT_NE(region, nullptr);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x) {
        const uint32_t p = picture.at(x, y);
        bool key = true;
        for (int shift = 0; shift < 24; shift += 8) {
          const int d = int((p >> shift) & 0xFF) - int((0xFF00FFu >> shift) & 0xFF);
          key = key && std::abs(d) <= int((tolerance >> shift) & 0xFF);
        }
        EXPECT_EQ(PtInRegion(region, x, y) != FALSE, !key) << x << "," << y << " tolerance " << tolerance;
      }
    DeleteObject(region);
  }
}

TEST_F(RegionTest, MissingFramesAndSlotsGiveNoRegion) {
  EXPECT_EQ(store().BitmapToRegion(U::BT_IMAGE, 0, 0, 0), nullptr);
  EXPECT_EQ(store().GetLastError(), U::QUO_ERR_NO_IMAGE);
  EXPECT_EQ(store().BitmapToRegion(Slot(8), 0, 0, 0), nullptr);
  EXPECT_EQ(store().GetLastError(), U::QUO_ERR_NO_SLOT);
  ASSERT_TRUE(store().Put(U::BT_IMAGE, 0, Solid(3, 3, 0x123456)));
  HRGN empty = store().BitmapToRegion(U::BT_IMAGE, 0, 0x123456, 0);
  ASSERT_NE(empty, nullptr);
  RECT box{};
  EXPECT_EQ(GetRgnBox(empty, &box), NULLREGION);
  DeleteObject(empty);
}

}  // namespace
}  // namespace talix::image::testing
