#include "platform/gdi/raster/fill.h"
#include "platform/gdi/raster/lines.h"
#include "platform/gdi/raster/shapes.h"
#include "raster_test_surface.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace talix::gdi::raster {
namespace {

// '#' for outline (or filled) pixels, 'o' for interior ones, '.' elsewhere; a pixel
// produced twice shows as '2'.
std::string Render(int width, int height, const std::vector<Span>& ink,
                   const std::vector<Span>& interior = {}) {
  std::string grid;
  for (int y = 0; y < height; ++y) grid += std::string(width, '.') + "\n";
  auto put = [&](const std::vector<Span>& spans, char c) {
    for (const Span& s : spans) {
      for (int x = s.x0; x < s.x1; ++x) {
        char& cell = grid[static_cast<size_t>(s.y) * (width + 1) + x];
        cell = cell == '.' ? c : '2';
      }
    }
  };
  put(ink, '#');
  put(interior, 'o');
  return grid;
}

std::string Render(int width, int height, const ShapeSpans& shape) {
  return Render(width, height, shape.outline, shape.interior);
}

TEST(RasterShapes, RectangleBorderLiesInsideTheFigure) {
  EXPECT_EQ(Render(6, 5, RectangleShape({1, 1, 5, 4}, 1)),
            "......\n"
            ".####.\n"
            ".#oo#.\n"
            ".####.\n"
            "......\n");
  EXPECT_EQ(Render(6, 6, RectangleShape({0, 0, 6, 6}, 2)),
            "######\n"
            "######\n"
            "##oo##\n"
            "##oo##\n"
            "######\n"
            "######\n");
  EXPECT_EQ(Render(4, 3, RectangleShape({0, 0, 3, 2}, 0)),
            "ooo.\n"
            "ooo.\n"
            "....\n");
  EXPECT_EQ(Render(4, 3, RectangleShape({0, 0, 3, 3}, 2)),  // pen wider than half: solid
            "###.\n"
            "###.\n"
            "###.\n");
  EXPECT_TRUE(RectangleShape({3, 3, 3, 5}, 1).outline.empty());
}

TEST(RasterShapes, SmallAndDegenerateEllipses) {
  struct Case {
    RasterRect box;
    int width, height;
    const char* filled;
  };
  const Case cases[] = {
      {{1, 1, 2, 2}, 3, 3, "...\n.#.\n...\n"},
      {{1, 0, 2, 3}, 3, 3, ".#.\n.#.\n.#.\n"},
      {{0, 1, 3, 2}, 3, 3, "...\n###\n...\n"},
      {{0, 0, 2, 2}, 2, 2, "##\n##\n"},
      {{0, 0, 4, 4}, 4, 4, ".##.\n####\n####\n.##.\n"},
      {{0, 0, 5, 5}, 5, 5, ".###.\n#####\n#####\n#####\n.###.\n"},
      {{0, 0, 7, 3}, 7, 3, ".#####.\n#######\n.#####.\n"},
      {{2, 2, 2, 5}, 3, 3, "...\n...\n...\n"},  // empty box
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Render(c.width, c.height, EllipseSpans(c.box)), c.filled)
        << c.box.left << "," << c.box.top << "," << c.box.right << "," << c.box.bottom;
  }
}

TEST(RasterShapes, EllipseOutlineAndInteriorSplitTheFigure) {
  EXPECT_EQ(Render(5, 5, EllipseShape({0, 0, 5, 5})),
            ".###.\n"
            "#ooo#\n"
            "#ooo#\n"
            "#ooo#\n"
            ".###.\n");
  EXPECT_EQ(Render(7, 7, EllipseShape({0, 0, 7, 7})),
            "..###..\n"
            ".#ooo#.\n"
            "#ooooo#\n"
            "#ooooo#\n"
            "#ooooo#\n"
            ".#ooo#.\n"
            "..###..\n");
  EXPECT_EQ(Render(3, 2, EllipseShape({0, 0, 3, 2})), "###\n###\n");
}

TEST(RasterShapes, RoundRectCutsTheCornersWithTheCornerEllipse) {
  EXPECT_EQ(Render(8, 6, RoundRectSpans({0, 0, 8, 6}, 4, 4)),
            ".######.\n"
            "########\n"
            "########\n"
            "########\n"
            "########\n"
            ".######.\n");
  // Corners as large as the box give the ellipse; zero corners give the box.
  EXPECT_EQ(RoundRectSpans({0, 0, 9, 6}, 50, 50), EllipseSpans({0, 0, 9, 6}));
  EXPECT_EQ(RoundRectSpans({0, 0, 9, 6}, 0, 3), RectangleShape({0, 0, 9, 6}, 0).interior);
}

TEST(RasterShapes, LimitKeepsTheSameOutlineInsideIt) {
  const RasterRect box{-3, -2, 9, 11};
  const RasterRect limit{0, 0, 6, 5};
  const ShapeSpans whole = EllipseShape(box);
  const ShapeSpans cut = EllipseShape(box, &limit);
  EXPECT_EQ(Render(6, 5, cut), Render(6, 5, ClipSpans(6, 5, nullptr, whole.outline),
                                      ClipSpans(6, 5, nullptr, whole.interior)));
  // Hostile sizes: only the limited rows are generated, and the 128-bit test holds.
  const ShapeSpans huge = EllipseShape({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, &limit);
  EXPECT_EQ(Render(6, 5, huge.interior), "######\n######\n######\n######\n######\n");
  EXPECT_EQ(PolygonSpans({{{INT32_MIN, INT32_MIN}, {INT32_MAX, 0}, {0, INT32_MAX}}},
                         FillMode::kWinding, &limit).size(), 5u);
  EXPECT_TRUE(FocusRectPixels({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, &limit).empty());
  EXPECT_EQ(RectangleShape({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, 1, &limit).interior.size(),
            5u);
}

TEST(RasterShapes, PolygonFillModes) {
  // A triangle: rows [0, 4), pixels up to ceil(crossing) exclusive.
  EXPECT_EQ(Render(4, 4, PolygonSpans({{{0, 0}, {4, 0}, {0, 4}}}, FillMode::kAlternate)),
            "####\n"
            "###.\n"
            "##..\n"
            "#...\n");
  // Two overlapping squares, the same way round: the overlap is a hole only under ALTERNATE.
  const std::vector<std::vector<RasterPoint>> squares = {
      {{0, 0}, {4, 0}, {4, 4}, {0, 4}}, {{2, 2}, {6, 2}, {6, 6}, {2, 6}}};
  EXPECT_EQ(Render(6, 6, PolygonSpans(squares, FillMode::kAlternate)),
            "####..\n"
            "####..\n"
            "##..##\n"
            "##..##\n"
            "..####\n"
            "..####\n");
  EXPECT_EQ(Render(6, 6, PolygonSpans(squares, FillMode::kWinding)),
            "####..\n"
            "####..\n"
            "######\n"
            "######\n"
            "..####\n"
            "..####\n");
  // One self-intersecting polygon going round the square twice: winding number 2.
  const std::vector<RasterPoint> twice = {{0, 0}, {3, 0}, {3, 3}, {0, 3},
                                          {0, 0}, {3, 0}, {3, 3}, {0, 3}};
  EXPECT_TRUE(PolygonSpans({twice}, FillMode::kAlternate).empty());
  EXPECT_EQ(Render(3, 3, PolygonSpans({twice}, FillMode::kWinding)), "###\n###\n###\n");
}

TEST(RasterShapes, PolygonsSharingAnEdgeShareNoPixel) {
  const std::vector<std::vector<RasterPoint>> halves = {{{0, 0}, {5, 0}, {0, 5}},
                                                        {{5, 0}, {5, 5}, {0, 5}}};
  std::vector<Span> spans;
  for (const auto& p : halves) {
    for (const Span& s : PolygonSpans({p}, FillMode::kAlternate)) spans.push_back(s);
  }
  EXPECT_EQ(Render(5, 5, spans), "#####\n#####\n#####\n#####\n#####\n");
}

std::vector<LinePixel> Line(RasterPoint a, RasterPoint b, PenStyle style = PenStyle::kSolid,
                            const RasterRect* limit = nullptr) {
  LineStyle pen(style);
  std::vector<LinePixel> out;
  AppendLinePixels(a, b, &pen, limit, &out);
  return out;
}

TEST(RasterLines, OnePixelPerStepWithoutTheLastPixel) {
  struct Case {
    RasterPoint a, b;
    std::vector<LinePixel> pixels;
  };
  const Case cases[] = {
      {{0, 0}, {5, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}}},
      {{0, 0}, {4, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},  // ties stay on the start's side
      {{4, 2}, {0, 0}, {{4, 2}, {3, 2}, {2, 1}, {1, 1}}},
      {{0, 0}, {1, 3}, {{0, 0}, {0, 1}, {1, 2}}},
      {{2, 0}, {2, 3}, {{2, 0}, {2, 1}, {2, 2}}},
      {{3, 3}, {0, 0}, {{3, 3}, {2, 2}, {1, 1}}},
      {{1, 1}, {1, 1}, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Line(c.a, c.b), c.pixels) << c.a.x << "," << c.a.y << " -> " << c.b.x << ","
                                        << c.b.y;
  }
}

std::string Pattern(const std::vector<LinePixel>& pixels) {
  std::string s;
  for (const LinePixel& p : pixels) s += p.on ? '#' : '-';
  return s;
}

TEST(RasterLines, StylesWalkTheirPatternAcrossSegmentsAndLimits) {
  EXPECT_EQ(Pattern(Line({0, 0}, {13, 0}, PenStyle::kDot)), "###---###---#");
  EXPECT_EQ(Pattern(Line({0, 0}, {7, 0}, PenStyle::kAlternate)), "#-#-#-#");
  EXPECT_EQ(Pattern(Line({0, 0}, {30, 0}, PenStyle::kDashDot)),
            "#########------###------######");
  EXPECT_EQ(Pattern(Line({0, 0}, {26, 0}, PenStyle::kDashDotDot)),
            "#########---###---###---##");
  EXPECT_EQ(Pattern(Line({0, 0}, {25, 0}, PenStyle::kDash)), "##################------#");
  // The pattern runs on at the corner of a polyline...
  LineStyle dot(PenStyle::kDot);
  EXPECT_EQ(Pattern(PolylinePixels({{0, 0}, {4, 0}, {4, 4}}, false, &dot)), "###---##");
  // ... and over the part of a line outside the limit.
  const RasterRect limit{0, -1, 5, 1};
  const std::vector<LinePixel> cut = Line({-10, 0}, {10, 0}, PenStyle::kDot, &limit);
  ASSERT_EQ(cut.size(), 5u);
  EXPECT_EQ(cut.front().x, 0);
  EXPECT_EQ(Pattern(cut), "--###");
}

TEST(RasterLines, LimitKeepsExactlyThePixelsInsideIt) {
  const RasterRect limit{2, 1, 7, 6};
  const RasterPoint ends[][2] = {{{-3, -2}, {11, 9}}, {{9, 0}, {0, 8}}, {{4, 12}, {5, -4}},
                                 {{10, 3}, {-6, 2}}, {{3, 3}, {3, 3}}};
  for (const auto& e : ends) {
    LineStyle whole_style(PenStyle::kDashDot), cut_style(PenStyle::kDashDot);
    std::vector<LinePixel> whole, cut;
    AppendLinePixels(e[0], e[1], &whole_style, nullptr, &whole);
    AppendLinePixels(e[0], e[1], &cut_style, &limit, &cut);
    std::vector<LinePixel> expected;
    for (const LinePixel& p : whole) {
      if (p.x >= limit.left && p.x < limit.right && p.y >= limit.top && p.y < limit.bottom)
        expected.push_back(p);
    }
    EXPECT_EQ(cut, expected) << e[0].x << "," << e[0].y << " -> " << e[1].x << "," << e[1].y;
  }
  // A line across the whole coordinate space costs only its visible part.
  std::vector<LinePixel> huge;
  AppendLinePixels({INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}, nullptr, &limit, &huge);
  EXPECT_LE(huge.size(), 5u);
}

TEST(RasterLines, ClosedOutlinesLightEveryCornerOnce) {
  LineStyle solid;
  const std::vector<LinePixel> outline =
      PolylinePixels({{0, 0}, {3, 0}, {3, 2}, {0, 2}}, true, &solid);
  std::vector<Span> spans;
  for (const LinePixel& p : outline) spans.push_back({p.y, p.x, p.x + 1});
  EXPECT_EQ(Render(4, 3, spans), "####\n#..#\n####\n");
}

TEST(RasterLines, FocusRectIsEveryOtherBorderPixelOnce) {
  std::vector<Span> spans;
  for (const RasterPoint& p : FocusRectPixels({0, 0, 4, 3})) spans.push_back({p.y, p.x, p.x + 1});
  EXPECT_EQ(Render(4, 3, spans), "#.#.\n...#\n#.#.\n");
  spans.clear();
  for (const RasterPoint& p : FocusRectPixels({1, 0, 4, 4})) spans.push_back({p.y, p.x, p.x + 1});
  EXPECT_EQ(Render(5, 4, spans), ".#.#.\n.....\n.#.#.\n..#..\n");
  spans.clear();
  const RasterRect limit{0, 0, 3, 2};
  for (const RasterPoint& p : FocusRectPixels({0, 0, 4, 3}, &limit))
    spans.push_back({p.y, p.x, p.x + 1});
  EXPECT_EQ(Render(4, 3, spans), "#.#.\n....\n....\n");
}

TEST(RasterFill, FillsOnlyTheVisiblePixels) {
  testing::TestSurface dst(6, 4, true, 0);
  ClipRegion clip({{0, 0, 2, 4}, {4, 1, 6, 3}});
  Fill(dst, {-3, 1, 9, 9}, 0xff0000ff, clip.get());
  EXPECT_EQ(testing::Map(dst, 0xff0000ff), "......\n##..##\n##..##\n##....\n");
  FillSpans(dst, {{0, -2, 3}, {3, 1, 8}}, 0x00ff0000, nullptr);
  EXPECT_EQ(testing::Map(dst, 0x00ff0000), "###...\n......\n......\n.#####\n");
}

}  // namespace
}  // namespace talix::gdi::raster
