#include "platform/gdi/raster/halftone.h"
#include "platform/gdi/raster/stretch.h"
#include "raster_test_surface.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace talix::gdi::raster {
namespace {

using testing::TestSurface;

constexpr uint32_t kUntouched = 0x12345678;

// Source column that a coordinate-filled source pixel came from.
int SrcX(uint32_t p) { return static_cast<int>(p & 0xfff); }

std::vector<int> Columns(const TestSurface& dst, int y) {
  std::vector<int> out;
  for (int x = 0; x < dst.width(); ++x)
    out.push_back(dst.At(x, y) == kUntouched ? -1 : SrcX(dst.At(x, y)));
  return out;
}

TEST(RasterStretch, SameSizeIsAnExactCopyInEveryModeAndLayout) {
  for (StretchMode mode : {StretchMode::kColorOnColor, StretchMode::kHalftone}) {
    for (bool bottom_up : {false, true}) {
      TestSurface src(13, 7, bottom_up);
      src.FillRandom(7);
      TestSurface dst(13, 7, !bottom_up, kUntouched);
      StretchCopy(dst, {0, 0, 13, 7}, src, {0, 0, 13, 7}, mode, nullptr);
      EXPECT_TRUE(dst == src) << "mode " << int(mode) << " bottom_up " << bottom_up;
    }
  }
}

TEST(RasterStretch, NearestNeighbourPicksTheSourcePixelUnderEachCentre) {
  struct Case {
    int dst_w, src_w;
    std::vector<int> expected;
  };
  const Case cases[] = {
      {4, 2, {0, 0, 1, 1}},          // 2x up
      {2, 3, {0, 2}},                // 3 -> 2
      {3, 2, {0, 1, 1}},             // 2 -> 3: centres at 1/3, 1, 5/3 source pixels
      {5, 10, {1, 3, 5, 7, 9}},      // 2x down takes the second of each pair
      {-4, 2, {1, 1, 0, 0}},         // negative destination width mirrors
      {2, -3, {2, 0}},               // negative source width mirrors
  };
  for (const Case& c : cases) {
    TestSurface src(10, 1);
    src.FillCoordinates();
    TestSurface dst(std::abs(c.dst_w), 1, false, kUntouched);
    const int dst_x = c.dst_w < 0 ? -c.dst_w : 0;  // the corner the extent starts from
    const int src_x = c.src_w < 0 ? -c.src_w : 0;
    StretchCopy(dst, {dst_x, 0, c.dst_w, 1}, src, {src_x, 0, c.src_w, 1},
                StretchMode::kColorOnColor, nullptr);
    EXPECT_EQ(Columns(dst, 0), c.expected) << c.dst_w << " from " << c.src_w;
  }
}

TEST(RasterStretch, NegativeExtentsMirrorRowsAndColumnsExactly) {
  TestSurface src(6, 4);
  src.FillCoordinates();
  TestSurface dst(6, 4, false, kUntouched);
  StretchCopy(dst, {6, 4, -6, -4}, src, {0, 0, 6, 4}, StretchMode::kColorOnColor, nullptr);
  TestSurface both(6, 4, false, kUntouched);  // both extents negative: no mirror
  StretchCopy(both, {6, 0, -6, 4}, src, {6, 0, -6, 4}, StretchMode::kHalftone, nullptr);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) {
      EXPECT_EQ(dst.At(x, y), src.At(5 - x, 3 - y));
      EXPECT_EQ(both.At(x, y), src.At(x, y));
    }
  }
}

TEST(RasterStretch, HalftoneKeepsUniformAreasExactlyUniform) {
  const BlitRect sizes[] = {{0, 0, 7, 3}, {0, 0, 40, 33}, {0, 0, -17, 5}, {0, 0, 3, -29},
                            {0, 0, 1, 1}};
  for (const BlitRect& d : sizes) {
    TestSurface src(11, 9, false, 0x80c0ff13);
    TestSurface dst(40, 33, false, kUntouched);
    BlitRect at = d;
    at.x = d.width < 0 ? -d.width : 0;
    at.y = d.height < 0 ? -d.height : 0;
    StretchCopy(dst, at, src, {1, 2, 9, 6}, StretchMode::kHalftone, nullptr);
    for (int y = 0; y < std::abs(d.height); ++y)
      for (int x = 0; x < std::abs(d.width); ++x)
        ASSERT_EQ(dst.At(x, y), 0x80c0ff13u) << d.width << "x" << d.height << " at " << x;
  }
}

TEST(RasterStretch, HalftoneAveragesByCoveredArea) {
  // Source row 0, 90, 180 (blue) to 2 pixels: boxes [0, 1.5) and [1.5, 3) with weights
  // 171/85 and 85/171 of 256: 7650/256 -> 30 and 38430/256 -> 150.
  TestSurface src(3, 1);
  src.At(0, 0) = 0;
  src.At(1, 0) = 90;
  src.At(2, 0) = 180;
  TestSurface dst(2, 1);
  StretchCopy(dst, {0, 0, 2, 1}, src, {0, 0, 3, 1}, StretchMode::kHalftone, nullptr);
  EXPECT_EQ(dst.At(0, 0), 30u);
  EXPECT_EQ(dst.At(1, 0), 150u);
  // A 2x2 block of 0 and 255 down to one pixel: 127.5 rounds up.
  TestSurface checker(2, 2);
  checker.At(0, 0) = checker.At(1, 1) = 0xffffffff;
  TestSurface one(1, 1);
  StretchCopy(one, {0, 0, 1, 1}, checker, {0, 0, 2, 2}, StretchMode::kHalftone, nullptr);
  EXPECT_EQ(one.At(0, 0), 0x80808080u);
}

TEST(RasterStretch, HalftoneStaysWithinTheBoxAndKeepsRampsMonotone) {
  TestSurface src(37, 1);
  for (int x = 0; x < 37; ++x) src.At(x, 0) = uint32_t(x * 7);
  for (int w : {5, 23, 36, 38, 90}) {
    TestSurface dst(w, 1);
    StretchCopy(dst, {0, 0, w, 1}, src, {0, 0, 37, 1}, StretchMode::kHalftone, nullptr);
    for (int x = 1; x < w; ++x) EXPECT_LE(dst.At(x - 1, 0), dst.At(x, 0)) << w;
    EXPECT_LE(dst.At(w - 1, 0), 36u * 7);
  }
}

TEST(RasterStretch, BoxWeightsAlwaysSumToOne) {
  for (int n : {1, 3, 7, 64, 1000}) {
    for (int m : {1, 2, 5, 63, 999, 4000}) {
      AxisMap map;
      ASSERT_TRUE(MapAxis(0, n, n, 0, m, m, &map));
      const BoxTaps taps = BoxFilterTaps(0, n, 0, m, m, map);
      for (int i = 0; i < n; ++i) {
        int sum = 0;
        for (int k = taps.first[i]; k < taps.first[i + 1]; ++k) sum += taps.weight[k];
        ASSERT_EQ(sum, 256) << n << " from " << m << " pixel " << i;
      }
    }
  }
}

// A stretch clipped by the destination's edges writes exactly the pixels of the unclipped
// stretch that fall inside, and nothing else.
TEST(RasterStretch, ClipsAtEveryDestinationEdge) {
  TestSurface src(8, 6);
  src.FillCoordinates();
  for (StretchMode mode : {StretchMode::kColorOnColor, StretchMode::kHalftone}) {
    TestSurface whole(13, 9, false, kUntouched);
    StretchCopy(whole, {0, 0, 13, 9}, src, {0, 0, 8, 6}, mode, nullptr);
    const int offsets[][2] = {{-5, 0}, {0, -4}, {4, 0}, {0, 3}, {-2, -2}, {3, 2}};
    for (const auto& o : offsets) {
      TestSurface dst(13, 9, false, kUntouched);
      StretchCopy(dst, {o[0], o[1], 13, 9}, src, {0, 0, 8, 6}, mode, nullptr);
      for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 13; ++x) {
          const int wx = x - o[0], wy = y - o[1];
          const bool inside = wx >= 0 && wx < 13 && wy >= 0 && wy < 9;
          ASSERT_EQ(dst.At(x, y), inside ? whole.At(wx, wy) : kUntouched)
              << "offset " << o[0] << "," << o[1] << " at " << x << "," << y;
        }
      }
    }
  }
}

TEST(RasterStretch, WritesOnlyInsideTheClipRegion) {
  TestSurface src(4, 4);
  src.FillCoordinates();
  ClipRegion clip({{1, 1, 3, 2}, {0, 5, 2, 7}});
  TestSurface dst(8, 8, false, kUntouched);
  StretchCopy(dst, {0, 0, 8, 8}, src, {0, 0, 4, 4}, StretchMode::kColorOnColor, clip.get());
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool in_clip = (x >= 1 && x < 3 && y == 1) || (x < 2 && y >= 5 && y < 7);
      EXPECT_EQ(dst.At(x, y) != kUntouched, in_clip) << x << "," << y;
      if (in_clip) {
        EXPECT_EQ(dst.At(x, y), src.At(x / 2, y / 2));
      }
    }
  }
}

TEST(RasterStretch, NeverReadsOutsideTheSource) {
  // Source rectangle hanging 2 columns off the left and 1 row off the bottom of a 4x4
  // source; 1:1, so exactly those destination pixels stay untouched.
  TestSurface src(4, 4);
  src.FillCoordinates();
  for (StretchMode mode : {StretchMode::kColorOnColor, StretchMode::kHalftone}) {
    TestSurface dst(5, 5, false, kUntouched);
    StretchCopy(dst, {0, 0, 5, 5}, src, {-2, 0, 5, 5}, mode, nullptr);
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 5; ++x) {
        const bool readable = x >= 2 && y < 4;
        ASSERT_EQ(dst.At(x, y), readable ? src.At(x - 2, y) : kUntouched) << x << "," << y;
      }
    }
  }
  // Halftone boxes at the edge of a 2x stretch read only edge pixels.
  TestSurface small(2, 1, false, 0x00ffffff);
  TestSurface dst(4, 1, false, kUntouched);
  StretchCopy(dst, {0, 0, 4, 1}, small, {-1, 0, 2, 1}, StretchMode::kHalftone, nullptr);
  EXPECT_EQ(dst.At(0, 0), kUntouched);
  EXPECT_EQ(dst.At(1, 0), kUntouched);
  EXPECT_EQ(dst.At(2, 0), 0x00ffffffu);
}

TEST(RasterStretch, OverlappingSelfCopyReadsTheOriginalPixels) {
  TestSurface s(6, 1);
  s.FillCoordinates();
  StretchCopy(s, {1, 0, 5, 1}, s, {0, 0, 5, 1}, StretchMode::kColorOnColor, nullptr);
  EXPECT_EQ(Columns(s, 0), (std::vector<int>{0, 0, 1, 2, 3, 4}));
}

TEST(RasterStretch, HostileExtentsDrawNothingOrStayInBounds) {
  TestSurface src(3, 3, false, 0xff00ff00);
  TestSurface dst(4, 4, false, kUntouched);
  StretchCopy(dst, {0, 0, 0, 4}, src, {0, 0, 3, 3}, StretchMode::kHalftone, nullptr);
  StretchCopy(dst, {0, 0, 4, 4}, src, {0, 0, 3, 0}, StretchMode::kColorOnColor, nullptr);
  EXPECT_EQ(dst.At(0, 0), kUntouched);
  StretchCopy(dst, {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, src,
              {INT32_MAX, 0, INT32_MIN, 3}, StretchMode::kHalftone, nullptr);
  StretchCopy(dst, {-2, -2, 8, 8}, src, {-1000000000, 0, 2000000000, 3},
              StretchMode::kHalftone, nullptr);
  SUCCEED();  // the sanitizers judge: no read or write out of bounds
}

}  // namespace
}  // namespace talix::gdi::raster
