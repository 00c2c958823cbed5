// Rectangle regions: corner order, empty rectangles, the coordinate range, SetRectRgn and
// the object's life in the GDI handle table.
#include "region_test_support.h"

#include <win/base.h>

#include <climits>

namespace talix::test {
namespace {

using RectRegionTest = RegionTest;

TEST_F(RectRegionTest, CornersInAnyOrderGiveTheSameRectangleAndEmptyRectsGiveEmptyRegions) {
  struct Case {
    RECT corners;
    RECT box;
    int type;
  } cases[] = {
      {{2, 3, 7, 9}, {2, 3, 7, 9}, SIMPLEREGION},
      {{7, 9, 2, 3}, {2, 3, 7, 9}, SIMPLEREGION},  // both swapped
      {{7, 3, 2, 9}, {2, 3, 7, 9}, SIMPLEREGION},  // x swapped
      {{-5, -4, -1, 0}, {-5, -4, -1, 0}, SIMPLEREGION},
      {{4, 4, 4, 9}, {0, 0, 0, 0}, NULLREGION},  // no width
      {{4, 4, 9, 4}, {0, 0, 0, 0}, NULLREGION},  // no height
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.corners.left << "," << c.corners.top << ","
                                    << c.corners.right << "," << c.corners.bottom);
    UniqueRgn direct(
        CreateRectRgn(c.corners.left, c.corners.top, c.corners.right, c.corners.bottom));
    UniqueRgn indirect(CreateRectRgnIndirect(&c.corners));
    ASSERT_TRUE(direct && indirect) << "an empty region is still a region";
    RECT box{};
    EXPECT_EQ(GetRgnBox(direct.get(), &box), c.type);
    EXPECT_EQ(box.left, c.box.left);
    EXPECT_EQ(box.top, c.box.top);
    EXPECT_EQ(box.right, c.box.right);
    EXPECT_EQ(box.bottom, c.box.bottom);
    RegionPixelModel expected;
    expected.AddRect(c.box.left, c.box.top, c.box.right, c.box.bottom);
    EXPECT_EQ(ModelOf(direct.get()), expected) << ModelOf(direct.get()).Picture({-6, -5, 10, 10});
    EXPECT_TRUE(EqualRgn(direct.get(), indirect.get()));
  }
}

TEST_F(RectRegionTest, CoordinatesAreClampedToTheRegionRange) {
  UniqueRgn huge(CreateRectRgn(INT_MIN, -5, INT_MAX, 5));
  ASSERT_TRUE(huge);
  RECT box{};
  EXPECT_EQ(GetRgnBox(huge.get(), &box), SIMPLEREGION);
  EXPECT_EQ(box.left, -(1 << 27));
  EXPECT_EQ(box.right, (1 << 27) - 1);
  EXPECT_TRUE(PtInRegion(huge.get(), 1 << 26, 0));
}

TEST_F(RectRegionTest, SetRectRgnReplacesTheWholeRegion) {
  UniqueRgn region = UnionOf({{0, 0, 4, 4}, {10, 10, 12, 12}});
  ASSERT_TRUE(SetRectRgn(region.get(), 9, 8, 3, 2));
  RegionPixelModel expected;
  expected.AddRect(3, 2, 9, 8);
  EXPECT_EQ(ModelOf(region.get()), expected);

  ASSERT_TRUE(SetRectRgn(region.get(), 5, 5, 5, 5));
  RECT box{1, 1, 1, 1};
  EXPECT_EQ(GetRgnBox(region.get(), &box), NULLREGION);
}

TEST_F(RectRegionTest, RegionsAreGdiObjectsThatDieOnce) {
  HRGN region = CreateRectRgn(0, 0, 1, 1);
  ASSERT_NE(region, nullptr);
  EXPECT_EQ(GetObjectType(region), DWORD{OBJ_REGION});
  EXPECT_TRUE(DeleteObject(region));
  EXPECT_FALSE(DeleteObject(region)) << "double delete";
  EXPECT_EQ(GetObjectType(region), 0u);
}

TEST_F(RectRegionTest, NullRectanglePointersFail) {
  SetLastError(0);
  EXPECT_EQ(CreateRectRgnIndirect(nullptr), nullptr);
  EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_PARAMETER});
  EXPECT_EQ(CreateEllipticRgnIndirect(nullptr), nullptr);
}

}  // namespace
}  // namespace talix::test
