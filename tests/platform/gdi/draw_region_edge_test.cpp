// Region painting, DrawEdge, DrawFocusRect and DrawFrameControl through the API, as pixel
// maps.
#include "draw_pixel_map.h"

#include <win/sysmetrics.h>

namespace talix::gdi::testing {
namespace {

uint32_t SysPixel(int index) {
  COLORREF c = GetSysColor(index);
  return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

TEST(RegionPainting, FillFrameInvertAndPaint) {
  size_t live = LiveGdiObjects();
  {
    MemoryDc dc(8, 6);
    WritePixels(dc.bitmap(), 8, 6, std::vector<uint32_t>(48, 0xFFFFFF));
    const std::map<uint32_t, char> legend{{0xFFFFFF, '.'}, {0xFF0000, 'R'}, {0x000000, 'k'},
                                          {0x00FFFF, 'c'}, {0x0000FF, 'b'}};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HRGN region = CreateRectRgn(0, 0, 6, 5);
    SetWindowOrgEx(dc.dc(), -1, 0, nullptr);  // logical 0 is device 1
    ASSERT_TRUE(FrameRgn(dc.dc(), region, red, 2, 1));
    EXPECT_EQ(PixelMap(dc.bitmap(), legend),
              Rows({".RRRRRR.", ".RR..RR.", ".RR..RR.", ".RR..RR.", ".RRRRRR.", "........"}));
    ASSERT_TRUE(InvertRgn(dc.dc(), region));
    EXPECT_EQ(PixelMap(dc.bitmap(), legend),
              Rows({".cccccc.", ".cckkcc.", ".cckkcc.", ".cckkcc.", ".cccccc.", "........"}));
    ASSERT_TRUE(InvertRgn(dc.dc(), region));
    HRGN small = CreateRectRgn(2, 1, 4, 2);
    ASSERT_TRUE(FillRgn(dc.dc(), small, red));
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    HGDIOBJ old = SelectObject(dc.dc(), blue);
    OffsetRgn(small, 0, 2);
    ASSERT_TRUE(PaintRgn(dc.dc(), small));
    SelectObject(dc.dc(), old);
    EXPECT_EQ(PixelMap(dc.bitmap(), legend),
              Rows({".RRRRRR.", ".RRRRRR.", ".RR..RR.", ".RRbbRR.", ".RRRRRR.", "........"}));
    SetLastError(0);
    EXPECT_FALSE(FillRgn(dc.dc(), nullptr, red));
    EXPECT_FALSE(FrameRgn(dc.dc(), region, red, 0, 1));
    DeleteObject(small);
    DeleteObject(region);
    DeleteObject(red);
    DeleteObject(blue);
  }
  EXPECT_EQ(LiveGdiObjects(), live);
}

// Gives the edge colours distinct values for the test and puts the old ones back.
class DistinctEdgeColors {
 public:
  DistinctEdgeColors() {
    for (int i = 0; i < 5; ++i) old_[i] = GetSysColor(kIndices[i]);
    const COLORREF mine[5] = {RGB(250, 250, 250), RGB(220, 220, 220), RGB(130, 130, 130),
                              RGB(40, 40, 40), RGB(190, 190, 190)};
    SetSysColors(5, kIndices, mine);
  }
  ~DistinctEdgeColors() { SetSysColors(5, kIndices, old_); }

 private:
  static constexpr INT kIndices[5] = {COLOR_3DHILIGHT, COLOR_3DLIGHT, COLOR_3DSHADOW,
                                      COLOR_3DDKSHADOW, COLOR_BTNFACE};
  COLORREF old_[5];
};

TEST(DrawEdge, BorderColoursPerEdgeType) {
  DistinctEdgeColors colors;
  const std::map<uint32_t, char> legend{
      {SysPixel(COLOR_3DHILIGHT), 'H'}, {SysPixel(COLOR_3DLIGHT), 'L'},
      {SysPixel(COLOR_3DSHADOW), 'S'},  {SysPixel(COLOR_3DDKSHADOW), 'D'},
      {SysPixel(COLOR_BTNFACE), 'F'},   {0x123456, '.'}};
  ASSERT_EQ(legend.size(), 6u) << "the system colours must differ for this test";
  struct Case {
    UINT edge, flags;
    std::string expected;
  } cases[] = {
      {EDGE_RAISED, BF_RECT, Rows({"LLLLD", "LHHSD", "LH.SD", "LSSSD", "DDDDD"})},
      {EDGE_SUNKEN, BF_RECT | BF_MIDDLE, Rows({"SSSSH", "SDDLH", "SDFLH", "SLLLH", "HHHHH"})},
      {EDGE_ETCHED, BF_TOP | BF_LEFT, Rows({"SSSSS", "SHHHH", "SH...", "SH...", "SH..."})},
      {BDR_RAISEDOUTER, BF_BOTTOM | BF_RIGHT | BF_FLAT,
       Rows({"....S", "....S", "....S", "....S", "SSSSS"})},
  };
  for (const Case& c : cases) {
    MemoryDc dc(5, 5);
    WritePixels(dc.bitmap(), 5, 5, std::vector<uint32_t>(25, 0x123456));
    RECT rc{0, 0, 5, 5};
    ASSERT_TRUE(DrawEdge(dc.dc(), &rc, c.edge, c.flags));
    EXPECT_EQ(PixelMap(dc.bitmap(), legend), c.expected) << c.edge << " " << c.flags;
  }
  MemoryDc dc(5, 4);
  RECT rc{0, 0, 5, 4};
  ASSERT_TRUE(DrawEdge(dc.dc(), &rc, EDGE_SUNKEN, BF_RECT | BF_ADJUST));
  EXPECT_EQ(rc.left, 2);
  EXPECT_EQ(rc.top, 2);
  EXPECT_EQ(rc.right, 3);
  EXPECT_EQ(rc.bottom, 2);
}

TEST(DrawFocusRect, InvertsEveryOtherBorderPixelAndTwiceRestores) {
  MemoryDc dc(6, 5);
  WritePixels(dc.bitmap(), 6, 5, std::vector<uint32_t>(30, 0xFFFFFF));
  RECT rc{0, 0, 6, 5};
  ASSERT_TRUE(DrawFocusRect(dc.dc(), &rc));
  EXPECT_EQ(PixelMap(dc.bitmap(), {{0xFFFFFF, '.'}, {0, 'x'}}),
            Rows({"x.x.x.", ".....x", "x.....", ".....x", "x.x.x."}));
  ASSERT_TRUE(DrawFocusRect(dc.dc(), &rc));
  EXPECT_EQ(ReadPixels(dc.bitmap()), std::vector<uint32_t>(30, 0xFFFFFF));
  EXPECT_FALSE(DrawFocusRect(dc.dc(), nullptr));
}

TEST(DrawFrameControl, MenuGlyphsAreBlackOnWhiteInsideTheRectangle) {
  for (UINT glyph : {UINT(DFCS_MENUCHECK), UINT(DFCS_MENUBULLET), UINT(DFCS_MENUARROW)}) {
    MemoryDc dc(18, 18);
    WritePixels(dc.bitmap(), 18, 18, std::vector<uint32_t>(324, 0x808080));
    RECT rc{1, 1, 17, 17};
    ASSERT_TRUE(DrawFrameControl(dc.dc(), &rc, DFC_MENU, glyph));
    std::vector<uint32_t> px = ReadPixels(dc.bitmap());
    int black = 0;
    for (int y = 0; y < 18; ++y)
      for (int x = 0; x < 18; ++x) {
        uint32_t p = px[size_t(y * 18 + x)];
        bool inside = x >= 1 && x < 17 && y >= 1 && y < 17;
        if (!inside) EXPECT_EQ(p, 0x808080u) << glyph;
        else EXPECT_TRUE(p == 0 || p == 0xFFFFFF) << glyph;
        black += p == 0;
      }
    EXPECT_GT(black, 6) << glyph;
    EXPECT_LT(black, 16 * 16 / 2) << glyph;
  }
  MemoryDc dc(4, 4);
  RECT rc{0, 0, 4, 4};
  EXPECT_FALSE(DrawFrameControl(dc.dc(), &rc, DFC_CAPTION, 0));
}

}  // namespace
}  // namespace talix::gdi::testing
