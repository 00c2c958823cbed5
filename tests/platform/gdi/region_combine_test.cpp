// CombineRgn against the pixel model for every mode, with the destination also a source;
// OffsetRgn and EqualRgn.
#include "region_test_support.h"

#include <win/base.h>

namespace talix::test {
namespace {

using CombineTest = RegionTest;

struct Pair {
  const char* name;
  std::vector<RECT> a, b;
};

const Pair kPairs[] = {
    {"disjoint", {{0, 0, 4, 4}}, {{10, 0, 14, 4}}},
    {"overlapping", {{0, 0, 8, 8}}, {{4, 4, 12, 12}}},
    {"nested", {{0, 0, 20, 20}}, {{5, 5, 10, 10}}},
    {"equal", {{2, 2, 9, 9}}, {{2, 2, 9, 9}}},
    {"touching edges", {{0, 0, 5, 5}}, {{5, 0, 10, 5}}},
    {"stacked", {{0, 0, 6, 3}}, {{0, 3, 6, 6}}},
    {"empty second", {{1, 1, 5, 5}}, {}},
    {"both empty", {}, {}},
    {"complex", {{0, 0, 10, 2}, {0, 2, 2, 10}, {6, 6, 12, 12}}, {{1, 1, 8, 8}, {-4, 9, 3, 15}}},
    {"comb", {{0, 0, 2, 10}, {4, 0, 6, 10}, {8, 0, 10, 10}}, {{-1, 4, 11, 6}}},
};

const int kModes[] = {RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF, RGN_COPY};

TEST_F(CombineTest, EveryModeMatchesThePixelModelAndReportsItsType) {
  for (const Pair& p : kPairs) {
    RegionPixelModel a = RegionPixelModel::FromRects(p.a), b = RegionPixelModel::FromRects(p.b);
    for (int mode : kModes) {
      SCOPED_TRACE(testing::Message() << p.name << " mode " << mode);
      RegionPixelModel expected = RegionPixelModel::Combine(a, b, mode);
      UniqueRgn ra = UnionOf(p.a), rb = UnionOf(p.b), dst(CreateRectRgn(0, 0, 1, 1));
      EXPECT_EQ(CombineRgn(dst.get(), ra.get(), rb.get(), mode), expected.Type());
      EXPECT_EQ(ModelOf(dst.get()), expected) << ModelOf(dst.get()).Picture({-5, -1, 16, 16});
      EXPECT_EQ(ModelOf(ra.get()), a) << "source changed";
      EXPECT_EQ(ModelOf(rb.get()), b) << "source changed";

      // The destination may be either source.
      EXPECT_EQ(CombineRgn(ra.get(), ra.get(), rb.get(), mode), expected.Type());
      EXPECT_EQ(ModelOf(ra.get()), expected);
      UniqueRgn a2 = UnionOf(p.a);
      EXPECT_EQ(CombineRgn(rb.get(), a2.get(), rb.get(), mode), expected.Type());
      EXPECT_EQ(ModelOf(rb.get()), expected);
    }
  }
}

TEST_F(CombineTest, CombiningARegionWithItself) {
  UniqueRgn r = UnionOf({{0, 0, 4, 4}, {6, 6, 9, 9}});
  RegionPixelModel before = ModelOf(r.get());
  EXPECT_EQ(CombineRgn(r.get(), r.get(), r.get(), RGN_OR), COMPLEXREGION);
  EXPECT_EQ(ModelOf(r.get()), before);
  EXPECT_EQ(CombineRgn(r.get(), r.get(), r.get(), RGN_XOR), NULLREGION);
}

TEST_F(CombineTest, BadModesAndStaleHandlesFailAndLeaveTheDestination) {
  UniqueRgn dst = RectRgn(0, 0, 3, 3), src = RectRgn(5, 5, 7, 7);
  RegionPixelModel before = ModelOf(dst.get());
  HRGN stale = CreateRectRgn(0, 0, 1, 1);
  DeleteObject(stale);
  struct Case {
    HRGN dst, a, b;
    int mode;
    DWORD error;
  } cases[] = {
      {dst.get(), src.get(), src.get(), 0, ERROR_INVALID_PARAMETER},
      {dst.get(), src.get(), src.get(), 6, ERROR_INVALID_PARAMETER},
      {dst.get(), stale, src.get(), RGN_OR, ERROR_INVALID_HANDLE},
      {dst.get(), src.get(), stale, RGN_AND, ERROR_INVALID_HANDLE},
      {dst.get(), src.get(), nullptr, RGN_DIFF, ERROR_INVALID_HANDLE},
      {stale, src.get(), src.get(), RGN_OR, ERROR_INVALID_HANDLE},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_EQ(CombineRgn(c.dst, c.a, c.b, c.mode), ERROR);
    EXPECT_EQ(GetLastError(), c.error);
    EXPECT_EQ(ModelOf(dst.get()), before);
  }
  // RGN_COPY reads only the first source.
  EXPECT_EQ(CombineRgn(dst.get(), src.get(), nullptr, RGN_COPY), SIMPLEREGION);
  EXPECT_EQ(ModelOf(dst.get()), ModelOf(src.get()));
}

TEST_F(CombineTest, OffsetMovesEveryPixelAndRefusesToLeaveTheRange) {
  UniqueRgn r = UnionOf({{0, 0, 4, 4}, {6, 1, 8, 9}});
  RegionPixelModel before = ModelOf(r.get());
  EXPECT_EQ(OffsetRgn(r.get(), -7, 5), COMPLEXREGION);
  EXPECT_EQ(ModelOf(r.get()), before.Offset(-7, 5));

  SetLastError(0);
  EXPECT_EQ(OffsetRgn(r.get(), 1 << 27, 0), ERROR);
  EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_PARAMETER});
  EXPECT_EQ(ModelOf(r.get()), before.Offset(-7, 5)) << "a refused offset changes nothing";

  UniqueRgn empty = RectRgn(0, 0, 0, 0);
  EXPECT_EQ(OffsetRgn(empty.get(), 1 << 30, 1 << 30), NULLREGION);
}

TEST_F(CombineTest, EqualRgnComparesPixelsNotHistory) {
  UniqueRgn whole = RectRgn(0, 0, 10, 10);
  UniqueRgn halves = UnionOf({{0, 0, 10, 5}, {0, 5, 10, 10}});
  UniqueRgn columns = UnionOf({{5, 0, 10, 10}, {0, 0, 5, 10}});
  UniqueRgn smaller = RectRgn(0, 0, 10, 9);
  UniqueRgn empty1 = RectRgn(3, 3, 3, 3), empty2 = RectRgn(0, 0, 0, 0);
  UniqueRgn emptied = RectRgn(0, 0, 4, 4);
  CombineRgn(emptied.get(), emptied.get(), whole.get(), RGN_DIFF);
  EXPECT_TRUE(EqualRgn(whole.get(), halves.get()));
  EXPECT_TRUE(EqualRgn(halves.get(), columns.get()));
  EXPECT_FALSE(EqualRgn(whole.get(), smaller.get()));
  EXPECT_TRUE(EqualRgn(empty1.get(), empty2.get()));
  EXPECT_TRUE(EqualRgn(empty1.get(), emptied.get()));
  EXPECT_FALSE(EqualRgn(empty1.get(), whole.get()));
  SetLastError(0);
  EXPECT_EQ(EqualRgn(whole.get(), nullptr), ERROR);
  EXPECT_EQ(GetLastError(), DWORD{ERROR_INVALID_HANDLE});
}

}  // namespace
}  // namespace talix::test
