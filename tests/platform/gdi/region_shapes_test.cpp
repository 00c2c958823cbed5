// Ellipse, rounded-rectangle and polygon regions: hand-drawn small shapes, and every box
// or polygon of a small family checked pixel by pixel against the centre rule.
#include "region_test_support.h"

#include "platform/gdi/region/region_shapes.h"

#include <win/base.h>

#include <random>
#include <string>

namespace talix::test {
namespace {

using ShapeRegionTest = RegionTest;

// Pixels as rows of '#' (in) and '.' (out), the first row at y = top, first column x = left.
RegionPixelModel FromPicture(int left, int top, const std::vector<std::string>& rows) {
  RegionPixelModel m;
  for (size_t y = 0; y < rows.size(); ++y)
    for (size_t x = 0; x < rows[y].size(); ++x)
      if (rows[y][x] == '#') m.Set(left + int(x), top + int(y), true);
  return m;
}

const RECT kView{-2, -2, 14, 12};

TEST_F(ShapeRegionTest, SmallShapesCoverTheExpectedPixels) {
  struct Case {
    const char* name;
    UniqueRgn region;
    std::vector<std::string> pixels;  // from (0, 0)
  };
  POINT triangle[] = {{0, 0}, {4, 0}, {0, 4}};
  POINT diamond[] = {{3, 0}, {6, 3}, {3, 6}, {0, 3}};
  Case cases[] = {
      {"circle 4", UniqueRgn(CreateEllipticRgn(0, 0, 4, 4)), {".##.", "####", "####", ".##."}},
      {"ellipse 6x3", UniqueRgn(CreateEllipticRgn(0, 0, 6, 3)), {".####.", "######", ".####."}},
      {"ellipse 1x1", UniqueRgn(CreateEllipticRgn(0, 0, 1, 1)), {"#"}},
      {"round rect 6x6 corners 4x4",
       UniqueRgn(CreateRoundRectRgn(0, 0, 6, 6, 4, 4)),
       {".####.", "######", "######", "######", "######", ".####."}},
      {"round rect corners 0", UniqueRgn(CreateRoundRectRgn(0, 0, 3, 2, 0, 0)), {"###", "###"}},
      {"triangle",
       UniqueRgn(CreatePolygonRgn(triangle, 3, ALTERNATE)),
       {"###.", "##..", "#...", "...."}},
      {"diamond",
       UniqueRgn(CreatePolygonRgn(diamond, 4, ALTERNATE)),
       // Centres on a left edge are in, on a right edge out.
       {"..#...", ".###..", "#####.", "#####.", ".###..", "..#..."}},
  };
  for (Case& c : cases) {
    ASSERT_TRUE(c.region) << c.name;
    RegionPixelModel expected = FromPicture(0, 0, c.pixels);
    RegionPixelModel actual = ModelOf(c.region.get());
    EXPECT_EQ(actual, expected) << c.name << "\n" << actual.Picture(kView);
  }
}

TEST_F(ShapeRegionTest, EllipsesAndRoundRectsOfEverySmallSizeFollowTheCentreRule) {
  for (int w = 0; w <= 20; ++w) {
    for (int h = 0; h <= 20; ++h) {
      RECT box{-3, 2, -3 + w, 2 + h};
      UniqueRgn ellipse(CreateEllipticRgn(box.right, box.bottom, box.left, box.top));  // swapped
      ASSERT_TRUE(ellipse);
      RegionPixelModel expected;
      for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x)
          expected.Set(x, y, EllipseCoversPixel(box, x, y));
      RegionPixelModel actual = ModelOf(ellipse.get());
      ASSERT_EQ(actual, expected) << w << "x" << h << "\n" << actual.Picture({-4, 1, 18, 23});

      // Corner ellipses as big as the box make the rounded rectangle that ellipse.
      UniqueRgn round(CreateRoundRectRgn(box.left, box.top, box.right, box.bottom, w + 5, h));
      ASSERT_TRUE(round);
      EXPECT_TRUE(EqualRgn(round.get(), ellipse.get())) << w << "x" << h;
    }
  }
}

TEST_F(ShapeRegionTest, RoundRectCornersAreQuartersOfTheCornerEllipse) {
  // In each corner, the w / 2 x h / 2 pixels are those of the w x h ellipse placed in that
  // corner of the box; the rest of the box is full.
  const int width = 12, height = 10;
  for (int w = 1; w <= 9; ++w) {
    for (int h = 1; h <= 9; ++h) {
      UniqueRgn round(CreateRoundRectRgn(0, 0, width, height, w, h));
      RegionPixelModel expected;
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
          bool left = x < w / 2, right = x >= width - w / 2;
          bool top = y < h / 2, bottom = y >= height - h / 2;
          bool in = true;
          if ((left || right) && (top || bottom)) {
            RECT corner{left ? 0 : width - w, top ? 0 : height - h, 0, 0};
            corner.right = corner.left + w;
            corner.bottom = corner.top + h;
            in = EllipseCoversPixel(corner, x, y);
          }
          expected.Set(x, y, in);
        }
      }
      RegionPixelModel actual = ModelOf(round.get());
      EXPECT_EQ(actual, expected) << w << "x" << h << "\n" << actual.Picture({0, 0, width, height});
    }
  }
}

TEST_F(ShapeRegionTest, PolygonsFollowTheCentreRuleUnderBothFillModes) {
  std::mt19937 random(20261211);
  std::uniform_int_distribution<int> coord(-6, 30), count(3, 9);
  for (int round = 0; round < 150; ++round) {
    std::vector<std::vector<POINT>> polygons(1 + round % 3);
    std::vector<POINT> flat;
    std::vector<INT> counts;
    for (auto& poly : polygons) {
      poly.resize(count(random));
      for (POINT& p : poly) p = POINT{coord(random), coord(random)};
      flat.insert(flat.end(), poly.begin(), poly.end());
      counts.push_back(static_cast<INT>(poly.size()));
    }
    for (int mode : {ALTERNATE, WINDING}) {
      UniqueRgn region(CreatePolyPolygonRgn(flat.data(), counts.data(), int(counts.size()), mode));
      ASSERT_TRUE(region);
      RegionPixelModel expected;
      for (int y = -8; y < 32; ++y)
        for (int x = -8; x < 32; ++x) expected.Set(x, y, PolygonCoversPixel(polygons, mode, x, y));
      RegionPixelModel actual = ModelOf(region.get());
      ASSERT_EQ(actual, expected) << "round " << round << " mode " << mode << "\n"
                                  << actual.Picture({-8, -8, 32, 32}) << "expected\n"
                                  << expected.Picture({-8, -8, 32, 32});
    }
  }
}

TEST_F(ShapeRegionTest, FillModesDifferOnNestedFigures) {
  // Outer and inner squares drawn the same way round: ALTERNATE leaves a hole, WINDING
  // fills it; with the inner one reversed both leave the hole.
  POINT same[] = {{0, 0}, {8, 0}, {8, 8}, {0, 8}, {2, 2}, {6, 2}, {6, 6}, {2, 6}};
  POINT reversed[] = {{0, 0}, {8, 0}, {8, 8}, {0, 8}, {2, 2}, {2, 6}, {6, 6}, {6, 2}};
  INT counts[] = {4, 4};
  RegionPixelModel full = RegionPixelModel::FromRects({{0, 0, 8, 8}});
  RegionPixelModel ring =
      RegionPixelModel::Combine(full, RegionPixelModel::FromRects({{2, 2, 6, 6}}), RGN_DIFF);
  struct Case {
    POINT* points;
    int mode;
    const RegionPixelModel& expected;
  } cases[] = {{same, ALTERNATE, ring},
               {same, WINDING, full},
               {reversed, ALTERNATE, ring},
               {reversed, WINDING, ring}};
  for (const Case& c : cases) {
    UniqueRgn region(CreatePolyPolygonRgn(c.points, counts, 2, c.mode));
    ASSERT_TRUE(region);
    EXPECT_EQ(ModelOf(region.get()), c.expected) << ModelOf(region.get()).Picture({-1, -1, 10, 10});
  }
  // A polygon through a rectangle's corners is that rectangle.
  UniqueRgn square(CreatePolygonRgn(same, 4, WINDING));
  UniqueRgn rect = RectRgn(0, 0, 8, 8);
  EXPECT_TRUE(EqualRgn(square.get(), rect.get()));
}

TEST_F(ShapeRegionTest, BadPolygonInputAndOversizedShapesFail) {
  POINT points[] = {{0, 0}, {4, 0}, {4, 4}};
  POINT far[] = {{0, 0}, {1 << 28, 0}, {0, 4}};
  INT badCounts[] = {3, 1};
  struct Case {
    const char* name;
    HRGN region;
    DWORD error;
  } cases[] = {
      {"fill mode 0", CreatePolygonRgn(points, 3, 0), ERROR_INVALID_PARAMETER},
      {"fill mode 3", CreatePolygonRgn(points, 3, 3), ERROR_INVALID_PARAMETER},
      {"one point", CreatePolygonRgn(points, 1, ALTERNATE), ERROR_INVALID_PARAMETER},
      {"no points", CreatePolygonRgn(nullptr, 3, ALTERNATE), ERROR_INVALID_PARAMETER},
      {"a polygon of one point", CreatePolyPolygonRgn(points, badCounts, 2, ALTERNATE),
       ERROR_INVALID_PARAMETER},
      {"no polygons", CreatePolyPolygonRgn(points, badCounts, 0, ALTERNATE),
       ERROR_INVALID_PARAMETER},
      {"point beyond the range", CreatePolygonRgn(far, 3, ALTERNATE), ERROR_INVALID_PARAMETER},
      {"ellipse taller than the row limit", CreateEllipticRgn(0, 0, 4, 1 << 22),
       ERROR_NOT_ENOUGH_MEMORY},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.region, nullptr) << c.name;
    if (c.region) DeleteObject(c.region);
  }
  SetLastError(0);
  EXPECT_EQ(CreateRoundRectRgn(0, 0, 10, 1 << 21, 4, 4), nullptr);
  EXPECT_EQ(GetLastError(), DWORD{ERROR_NOT_ENOUGH_MEMORY});
  // Two points enclose nothing but still make a region.
  UniqueRgn line(CreatePolygonRgn(points, 2, ALTERNATE));
  ASSERT_TRUE(line);
  RECT box{};
  EXPECT_EQ(GetRgnBox(line.get(), &box), NULLREGION);
}

TEST(RegionShapeSpans, ClippedSpansAreTheShapeCutToTheClip) {
  // The span generators are shared with shape filling, which clips them to a surface.
  RECT box{-5, -3, 17, 11}, clip{0, 0, 8, 6};
  POINT star[] = {{6, -4}, {9, 12}, {-6, 2}, {18, 2}, {3, 12}};
  INT count = 5;
  auto collect = [](RegionPixelModel* m) {
    return [m](int32_t y, const gdi::Span* spans, size_t n) {
      for (size_t i = 0; i < n; ++i)
        for (int x = spans[i].left; x < spans[i].right; ++x) m->Set(x, y, true);
      return true;
    };
  };
  RegionPixelModel whole, clipped;
  for (int shape = 0; shape < 3; ++shape) {
    whole = RegionPixelModel();
    clipped = RegionPixelModel();
    auto run = [&](const RECT* c, RegionPixelModel* m) {
      if (shape == 0) return gdi::EllipseSpans(box, c, collect(m));
      if (shape == 1) return gdi::RoundRectSpans(box, 7, 5, c, collect(m));
      return gdi::PolyPolygonSpans(star, &count, 1, WINDING, c, collect(m));
    };
    ASSERT_TRUE(run(nullptr, &whole));
    ASSERT_TRUE(run(&clip, &clipped));
    EXPECT_EQ(clipped,
              RegionPixelModel::Combine(whole, RegionPixelModel::FromRects({clip}), RGN_AND))
        << "shape " << shape << "\n"
        << clipped.Picture({-6, -4, 18, 12});
    EXPECT_FALSE(whole.Empty());
  }
  // A sink that stops makes the generator stop and report it.
  int rows = 0;
  EXPECT_FALSE(gdi::EllipseSpans(box, nullptr,
                                 [&](int32_t, const gdi::Span*, size_t) { return ++rows < 3; }));
  EXPECT_EQ(rows, 3);
}

}  // namespace
}  // namespace talix::test
