// Point and rectangle hit tests, bounding boxes, and what every region function does with
// a handle that is stale, null or not a region.
#include "region_test_support.h"

#include <win/base.h>

namespace talix::test {
namespace {

using RegionQueryTest = RegionTest;

TEST_F(RegionQueryTest, HitTestsExcludeTheRightAndBottomEdges) {
  UniqueRgn region = UnionOf({{0, 0, 10, 4}, {0, 4, 3, 10}});  // an L
  struct PointCase {
    int x, y;
    BOOL in;
  } points[] = {{0, 0, TRUE},  {9, 3, TRUE},   {10, 3, FALSE}, {9, 4, FALSE}, {2, 9, TRUE},
                {3, 9, FALSE}, {2, 10, FALSE}, {-1, 0, FALSE}, {5, 5, FALSE}};
  for (const PointCase& c : points)
    EXPECT_EQ(PtInRegion(region.get(), c.x, c.y), c.in) << c.x << "," << c.y;

  struct RectCase {
    RECT rect;
    BOOL in;
  } rects[] = {
      {{10, 0, 12, 4}, FALSE},  // touches the right edge only
      {{3, 4, 9, 9}, FALSE},    // inside the L's notch
      {{8, 3, 12, 6}, TRUE},    // overlaps one pixel
      {{12, 6, 8, 3}, TRUE},    // same, corners swapped
      {{2, 9, 2, 12}, FALSE},   // no width
      {{-5, -5, 20, 20}, TRUE},
  };
  for (const RectCase& c : rects)
    EXPECT_EQ(RectInRegion(region.get(), &c.rect), c.in)
        << c.rect.left << "," << c.rect.top << "," << c.rect.right << "," << c.rect.bottom;
}

TEST_F(RegionQueryTest, GetRgnBoxReportsTheTypeAndTheBounds) {
  struct Case {
    std::vector<RECT> rects;
    RECT box;
    int type;
  } cases[] = {
      {{}, {0, 0, 0, 0}, NULLREGION},
      {{{1, 2, 3, 4}}, {1, 2, 3, 4}, SIMPLEREGION},
      {{{1, 2, 3, 4}, {3, 2, 8, 4}}, {1, 2, 8, 4}, SIMPLEREGION},  // joins into one rectangle
      {{{1, 2, 3, 4}, {5, 6, 8, 9}}, {1, 2, 8, 9}, COMPLEXREGION},
  };
  for (const Case& c : cases) {
    UniqueRgn region = UnionOf(c.rects);
    RECT box{-1, -1, -1, -1};
    EXPECT_EQ(GetRgnBox(region.get(), &box), c.type);
    EXPECT_EQ(box.left, c.box.left);
    EXPECT_EQ(box.top, c.box.top);
    EXPECT_EQ(box.right, c.box.right);
    EXPECT_EQ(box.bottom, c.box.bottom);
  }
  UniqueRgn region = RectRgn(0, 0, 1, 1);
  EXPECT_EQ(GetRgnBox(region.get(), nullptr), ERROR);
}

TEST_F(RegionQueryTest, StaleNullAndForeignHandlesFailEverywhere) {
  HRGN stale = CreateRectRgn(0, 0, 5, 5);
  ASSERT_TRUE(DeleteObject(stale));
  HRGN replacement = CreateRectRgn(0, 0, 5, 5);  // may reuse the slot, never the handle
  ASSERT_NE(replacement, stale);
  HRGN junk = reinterpret_cast<HRGN>(static_cast<uintptr_t>(0x1234));
  RECT rect{0, 0, 2, 2};
  for (HRGN bad : {stale, HRGN{}, junk}) {
    SetLastError(0);
    EXPECT_EQ(OffsetRgn(bad, 1, 1), ERROR);
    EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_HANDLE});
    EXPECT_EQ(GetRgnBox(bad, &rect), ERROR);
    EXPECT_FALSE(PtInRegion(bad, 1, 1));
    EXPECT_FALSE(RectInRegion(bad, &rect));
    EXPECT_FALSE(SetRectRgn(bad, 0, 0, 1, 1));
    EXPECT_EQ(EqualRgn(bad, replacement), ERROR);
    EXPECT_EQ(CombineRgn(replacement, bad, replacement, RGN_OR), ERROR);
    EXPECT_EQ(GetRegionData(bad, 0, nullptr), 0u);
  }
  EXPECT_TRUE(PtInRegion(replacement, 1, 1)) << "the live region was not touched";
  DeleteObject(replacement);
}

}  // namespace
}  // namespace talix::test
