// Rectangle arithmetic: the documented results, empty rectangles and saturation.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>

namespace {

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

TEST(RectTest, IntersectUnionAndSubtract) {
  struct Case {
    RECT a, b;
    BOOL intersects;
    RECT intersection, unionRect;
    BOOL subtracted;
    RECT difference;
  } cases[] = {
      // Overlapping corners: the difference is a itself (b covers no whole side).
      {{0, 0, 10, 10}, {5, 5, 15, 15}, TRUE, {5, 5, 10, 10}, {0, 0, 15, 15}, TRUE, {0, 0, 10, 10}},
      // Touching edges do not intersect (right and bottom are exclusive).
      {{0, 0, 10, 10}, {10, 0, 20, 10}, FALSE, {0, 0, 0, 0}, {0, 0, 20, 10}, TRUE, {0, 0, 10, 10}},
      // b covers the top band of a: it is cut away.
      {{0, 0, 10, 10}, {-5, -5, 15, 4}, TRUE, {0, 0, 10, 4}, {-5, -5, 15, 10}, TRUE, {0, 4, 10, 10}},
      // b covers the right band.
      {{0, 0, 10, 10}, {6, -1, 11, 11}, TRUE, {6, 0, 10, 10}, {0, -1, 11, 11}, TRUE, {0, 0, 6, 10}},
      // b covers all of a.
      {{2, 2, 4, 4}, {0, 0, 10, 10}, TRUE, {2, 2, 4, 4}, {0, 0, 10, 10}, FALSE, {0, 0, 0, 0}},
      // An empty a counts for nothing in the union.
      {{3, 3, 3, 9}, {1, 1, 2, 2}, FALSE, {0, 0, 0, 0}, {1, 1, 2, 2}, FALSE, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    RECT out{7, 7, 7, 7};
    EXPECT_EQ(IntersectRect(&out, &c.a, &c.b), c.intersects);
    EXPECT_TRUE(Same(out, c.intersection));
    EXPECT_TRUE(UnionRect(&out, &c.a, &c.b));
    EXPECT_TRUE(Same(out, c.unionRect));
    EXPECT_EQ(SubtractRect(&out, &c.a, &c.b), c.subtracted);
    EXPECT_TRUE(Same(out, c.difference));
  }
  RECT empty{5, 5, 5, 5}, out;
  EXPECT_FALSE(UnionRect(&out, &empty, &empty));
}

TEST(RectTest, PointsEdgesAndEmptiness) {
  RECT r;
  ASSERT_TRUE(SetRect(&r, 1, 2, 4, 6));
  EXPECT_TRUE(PtInRect(&r, POINT{1, 2}));
  EXPECT_TRUE(PtInRect(&r, POINT{3, 5}));
  EXPECT_FALSE(PtInRect(&r, POINT{4, 5}));
  EXPECT_FALSE(PtInRect(&r, POINT{3, 6}));
  EXPECT_FALSE(IsRectEmpty(&r));
  RECT flipped{4, 2, 1, 6};
  EXPECT_TRUE(IsRectEmpty(&flipped));
  EXPECT_TRUE(IsRectEmpty(nullptr));
  ASSERT_TRUE(SetRectEmpty(&r));
  EXPECT_TRUE(IsRectEmpty(&r));
  EXPECT_FALSE(SetRect(nullptr, 0, 0, 1, 1));
  EXPECT_FALSE(OffsetRect(nullptr, 1, 1));
  EXPECT_FALSE(IntersectRect(nullptr, &r, &r));
}

TEST(RectTest, OffsetAndInflateSaturate) {
  RECT r{0, 0, 10, 10};
  ASSERT_TRUE(OffsetRect(&r, 5, -3));
  EXPECT_TRUE(Same(r, RECT{5, -3, 15, 7}));
  ASSERT_TRUE(InflateRect(&r, 2, -1));
  EXPECT_TRUE(Same(r, RECT{3, -2, 17, 6}));
  RECT far{INT_MAX - 1, 0, INT_MAX, 1};
  ASSERT_TRUE(OffsetRect(&far, 10, 0));
  EXPECT_EQ(far.left, INT_MAX);
  EXPECT_EQ(far.right, INT_MAX);
  RECT copy;
  ASSERT_TRUE(CopyRect(&copy, &r));
  EXPECT_TRUE(Same(copy, r));
}

}  // namespace
