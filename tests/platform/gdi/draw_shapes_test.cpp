// Lines and shapes through the API, as pixel maps: pen outline (P), brush interior (B),
// untouched background (.); dashed pens, ROP2 mixes, the NULL pen, right-to-left DCs.
#include "draw_pixel_map.h"

#include <random>

namespace talix::gdi::testing {
namespace {

constexpr uint32_t kPen = 0x000080, kBrush = 0x00C0C0, kPaper = 0xFFFFFF, kBack = 0x00FF00;
const std::map<uint32_t, char> kLegend{{kPen, 'P'}, {kBrush, 'B'}, {kPaper, '.'}, {kBack, 'g'}};

COLORREF AsColorRef(uint32_t pixel) {
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

// A white canvas with a pen and a brush selected; everything is put back at the end.
class Canvas {
 public:
  Canvas(int w, int h, int penStyle = PS_SOLID, int penWidth = 1)
      : dc_(w, h), w_(w), h_(h),
        pen_(CreatePen(penStyle, penWidth, AsColorRef(kPen))),
        brush_(CreateSolidBrush(AsColorRef(kBrush))) {
    Clear(kPaper);
    oldPen_ = SelectObject(dc_.dc(), pen_);
    oldBrush_ = SelectObject(dc_.dc(), brush_);
    SetBkColor(dc_.dc(), AsColorRef(kBack));
  }
  ~Canvas() {
    SelectObject(dc_.dc(), oldPen_);
    SelectObject(dc_.dc(), oldBrush_);
    DeleteObject(pen_);
    DeleteObject(brush_);
  }
  HDC dc() const { return dc_.dc(); }
  void Clear(uint32_t pixel) {
    WritePixels(dc_.bitmap(), w_, h_, std::vector<uint32_t>(size_t(w_ * h_), pixel));
  }
  std::string Map() const { return PixelMap(dc_.bitmap(), kLegend); }
  std::vector<uint32_t> Pixels() const { return ReadPixels(dc_.bitmap()); }
  void SetPixels(const std::vector<uint32_t>& px) { WritePixels(dc_.bitmap(), w_, h_, px); }

 private:
  MemoryDc dc_;
  int w_, h_;
  HPEN pen_;
  HBRUSH brush_;
  HGDIOBJ oldPen_, oldBrush_;
};

TEST(Shapes, PenOutlinesAndBrushInteriors) {
  size_t live = LiveGdiObjects();
  struct Case {
    const char* name;
    BOOL (*draw)(HDC);
    std::string expected;
  } cases[] = {
      {"Rectangle", [](HDC dc) { return Rectangle(dc, 1, 1, 6, 5); },
       Rows({".......", ".PPPPP.", ".PBBBP.", ".PBBBP.", ".PPPPP.", "......."})},
      {"Ellipse", [](HDC dc) { return Ellipse(dc, 1, 0, 6, 5); },
       Rows({"..PPP..", ".PBBBP.", ".PBBBP.", ".PBBBP.", "..PPP..", "......."})},
      {"RoundRect", [](HDC dc) { return RoundRect(dc, 0, 0, 7, 5, 4, 4); },
       Rows({".PPPPP.", "PBBBBBP", "PBBBBBP", "PBBBBBP", ".PPPPP.", "......."})},
      {"Polygon", [](HDC dc) {
         POINT pts[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}};
         return Polygon(dc, pts, 4);
       },
       Rows({".......", ".PPPPP.", ".PBBBP.", ".PBBBP.", ".PPPPP.", "......."})},
  };
  for (const Case& c : cases) {
    Canvas canvas(7, 6);
    ASSERT_TRUE(c.draw(canvas.dc())) << c.name;
    EXPECT_EQ(canvas.Map(), c.expected) << c.name;
  }
  EXPECT_EQ(LiveGdiObjects(), live);
}

TEST(Shapes, WithoutAPenTheFigureEndsOnePixelSooner) {
  Canvas canvas(6, 5);
  SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
  ASSERT_TRUE(Rectangle(canvas.dc(), 1, 1, 5, 4));
  EXPECT_EQ(canvas.Map(), Rows({"......", ".BBB..", ".BBB..", "......", "......"}));
  canvas.Clear(kPaper);
  ASSERT_TRUE(Ellipse(canvas.dc(), 0, 0, 6, 5));  // the 5x4 ellipse
  EXPECT_EQ(canvas.Map(), Rows({".BBB..", "BBBBB.", "BBBBB.", ".BBB..", "......"}));
}

TEST(Shapes, WidePensOnRectangles) {
  Canvas inside(7, 7, PS_INSIDEFRAME, 2);
  ASSERT_TRUE(Rectangle(inside.dc(), 0, 0, 6, 6));
  EXPECT_EQ(inside.Map(), Rows({"PPPPPP.", "PPPPPP.", "PPBBPP.", "PPBBPP.", "PPPPPP.",
                                "PPPPPP.", "......."}));
}

TEST(Shapes, XorMixDrawnTwiceRestoresTheCanvas) {
  std::mt19937 rng(7);
  std::vector<uint32_t> start(9 * 8);
  for (auto& p : start) p = rng() & 0xFFFFFF;
  BOOL (*figures[])(HDC) = {
      [](HDC dc) { return Rectangle(dc, 1, 1, 8, 7); },
      [](HDC dc) { return Ellipse(dc, 0, 0, 9, 8); },
      [](HDC dc) { return RoundRect(dc, 0, 1, 9, 8, 4, 4); },
      [](HDC dc) {
        POINT pts[] = {{0, 0}, {8, 3}, {2, 7}, {4, 1}};  // self-crossing
        return Polygon(dc, pts, 4);
      },
      [](HDC dc) {
        POINT pts[] = {{0, 0}, {8, 7}, {8, 0}, {0, 7}};
        return Polyline(dc, pts, 4);
      },
  };
  for (int style : {PS_SOLID, PS_DOT}) {
    Canvas canvas(9, 8, style);
    SetROP2(canvas.dc(), R2_XORPEN);
    for (auto* figure : figures) {
      canvas.SetPixels(start);
      ASSERT_TRUE(figure(canvas.dc()));
      EXPECT_NE(canvas.Pixels(), start);
      ASSERT_TRUE(figure(canvas.dc()));
      EXPECT_EQ(canvas.Pixels(), start) << "style " << style;
    }
  }
}

TEST(Shapes, Rop2MixesCombinePenAndDestination) {
  Canvas canvas(3, 1);
  struct Case { int rop2; uint32_t expected; } cases[] = {
      {R2_COPYPEN, kPen},           {R2_NOTCOPYPEN, ~kPen & 0xFFFFFF},
      {R2_BLACK, 0},                {R2_WHITE, 0xFFFFFF},
      {R2_NOT, ~0x123456u & 0xFFFFFF}, {R2_NOP, 0x123456},
      {R2_XORPEN, kPen ^ 0x123456}, {R2_MASKPEN, kPen & 0x123456},
      {R2_MERGEPEN, kPen | 0x123456}, {R2_NOTXORPEN, ~(kPen ^ 0x123456) & 0xFFFFFF},
      {R2_MASKPENNOT, kPen & ~0x123456u}, {R2_MERGENOTPEN, (~kPen | 0x123456) & 0xFFFFFF},
  };
  for (const Case& c : cases) {
    canvas.Clear(0x123456);
    SetROP2(canvas.dc(), c.rop2);
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    ASSERT_TRUE(LineTo(canvas.dc(), 2, 0));
    EXPECT_EQ(canvas.Pixels(), (std::vector<uint32_t>{c.expected, c.expected, 0x123456}))
        << "rop2 " << c.rop2;
  }
}

TEST(Lines, LineToStopsBeforeItsEndAndMovesTheCurrentPosition) {
  Canvas canvas(6, 4);
  POINT old{-1, -1};
  ASSERT_TRUE(MoveToEx(canvas.dc(), 1, 0, &old));
  EXPECT_EQ(old.x, 0);
  ASSERT_TRUE(LineTo(canvas.dc(), 5, 0));
  ASSERT_TRUE(LineTo(canvas.dc(), 5, 3));
  POINT now{};
  ASSERT_TRUE(GetCurrentPositionEx(canvas.dc(), &now));
  EXPECT_EQ(now.x, 5);
  EXPECT_EQ(now.y, 3);
  POINT more[] = {{2, 3}, {2, 2}};
  ASSERT_TRUE(PolylineTo(canvas.dc(), more, 2));
  EXPECT_EQ(canvas.Map(), Rows({".PPPPP", ".....P", ".....P", "..PPPP"}));
  ASSERT_TRUE(GetCurrentPositionEx(canvas.dc(), &now));
  EXPECT_EQ(now.y, 2);
  EXPECT_FALSE(Polyline(canvas.dc(), more, 1));
}

TEST(Lines, DashGapsTakeTheBackgroundOnlyWhenOpaque) {
  // PS_DOT: three pixels on, three off.
  Canvas canvas(12, 1, PS_DOT);
  MoveToEx(canvas.dc(), 0, 0, nullptr);
  ASSERT_TRUE(LineTo(canvas.dc(), 12, 0));
  EXPECT_EQ(canvas.Map(), Rows({"PPPgggPPPggg"}));
  canvas.Clear(kPaper);
  SetBkMode(canvas.dc(), TRANSPARENT);
  MoveToEx(canvas.dc(), 0, 0, nullptr);
  ASSERT_TRUE(LineTo(canvas.dc(), 12, 0));
  EXPECT_EQ(canvas.Map(), Rows({"PPP...PPP..."}));
  SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
  canvas.Clear(kPaper);
  ASSERT_TRUE(LineTo(canvas.dc(), 0, 0));
  EXPECT_EQ(canvas.Map(), Rows({"............"})) << "the null pen draws nothing";
}

TEST(Shapes, LogicalCoordinatesGoThroughOriginAndMirroring) {
  Canvas canvas(8, 4);
  SetWindowOrgEx(canvas.dc(), -1, 0, nullptr);
  ASSERT_TRUE(Rectangle(canvas.dc(), 0, 0, 3, 3));
  EXPECT_EQ(canvas.Map(), Rows({".PPP....", ".PBP....", ".PPP....", "........"}));
  canvas.Clear(kPaper);
  SetWindowOrgEx(canvas.dc(), 0, 0, nullptr);
  SetLayout(canvas.dc(), LAYOUT_RTL);
  MoveToEx(canvas.dc(), 0, 3, nullptr);
  ASSERT_TRUE(LineTo(canvas.dc(), 3, 3));
  ASSERT_TRUE(Rectangle(canvas.dc(), 0, 0, 2, 2));
  EXPECT_EQ(canvas.Map(), Rows({"......PP", "......PP", "........", ".....PPP"}));
}

TEST(Shapes, PolyFillModesAndBadArguments) {
  Canvas canvas(7, 7);
  SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
  // Two nested squares wound the same way: the hole is filled only under WINDING.
  POINT pts[] = {{0, 0}, {6, 0}, {6, 6}, {0, 6}, {2, 2}, {4, 2}, {4, 4}, {2, 4}};
  INT counts[] = {4, 4};
  EXPECT_EQ(GetPolyFillMode(canvas.dc()), ALTERNATE);
  ASSERT_TRUE(PolyPolygon(canvas.dc(), pts, counts, 2));
  EXPECT_EQ(canvas.Pixels()[size_t(3 * 7 + 3)], kPaper);
  EXPECT_EQ(SetPolyFillMode(canvas.dc(), WINDING), ALTERNATE);
  ASSERT_TRUE(PolyPolygon(canvas.dc(), pts, counts, 2));
  EXPECT_EQ(canvas.Pixels()[size_t(3 * 7 + 3)], kBrush);
  EXPECT_EQ(SetPolyFillMode(canvas.dc(), 7), 0);
  EXPECT_FALSE(Polygon(canvas.dc(), nullptr, 3));
  EXPECT_FALSE(Rectangle(nullptr, 0, 0, 1, 1));
  EXPECT_FALSE(LineTo(nullptr, 1, 1));
}

TEST(Shapes, HugeFiguresAreClippedToTheDc) {
  Canvas canvas(4, 3);
  constexpr int kFar = 1 << 30;
  ASSERT_TRUE(Rectangle(canvas.dc(), -kFar, -kFar, kFar, kFar));
  EXPECT_EQ(canvas.Pixels(), std::vector<uint32_t>(12, kBrush)) << "the border lies outside";
  ASSERT_TRUE(Ellipse(canvas.dc(), -kFar, -kFar, kFar, kFar));
  MoveToEx(canvas.dc(), -kFar, 1, nullptr);
  ASSERT_TRUE(LineTo(canvas.dc(), kFar, 1));
  EXPECT_EQ(canvas.Map(), Rows({"BBBB", "PPPP", "BBBB"}));
  RECT far{-kFar, -kFar, kFar, kFar};
  EXPECT_TRUE(DrawFocusRect(canvas.dc(), &far));
  EXPECT_TRUE(DrawFrameControl(canvas.dc(), &far, DFC_MENU, DFCS_MENUCHECK));
}

}  // namespace
}  // namespace talix::gdi::testing
