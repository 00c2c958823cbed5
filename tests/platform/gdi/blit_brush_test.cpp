// Brush fills: hatch and pattern alignment to the brush origin, background modes,
// monochrome patterns, FillRect/FrameRect/InvertRect and the null brush.
#include "dc_fixture.h"

namespace talix::gdi::testing {
namespace {

constexpr int kW = 20, kH = 11;

TEST(HatchBrush, AlignsToTheBrushOriginAndHonoursTheBackgroundMode) {
  MemoryDc dc(kW, kH);
  HBRUSH hatch = CreateHatchBrush(HS_VERTICAL, RGB(255, 0, 0));
  SelectObject(dc.dc(), hatch);
  SetBkColor(dc.dc(), RGB(0, 0, 255));
  // Find the hatch column with origin 0, then move the origin and expect the move.
  PatBlt(dc.dc(), 0, 0, kW, kH, PATCOPY);
  auto px = ReadPixels(dc.bitmap());
  int column = -1;
  for (int x = 0; x < 8; ++x)
    if (px[size_t(x)] == 0xFF0000u) column = x;
  ASSERT_GE(column, 0);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x)
      ASSERT_EQ(px[size_t(y * kW + x)], (x % 8 == column) ? 0xFF0000u : 0x0000FFu) << x << "," << y;

  SetBrushOrgEx(dc.dc(), 3, 0, nullptr);
  SetBkMode(dc.dc(), TRANSPARENT);
  WritePixels(dc.bitmap(), kW, kH, std::vector<uint32_t>(kW * kH, 0x00FF00));
  PatBlt(dc.dc(), 0, 0, kW, kH, PATCOPY);
  px = ReadPixels(dc.bitmap());
  for (int x = 0; x < kW; ++x)
    EXPECT_EQ(px[size_t(x)], ((x - 3 + 8) % 8 == column) ? 0xFF0000u : 0x00FF00u)
        << "gaps keep the destination in TRANSPARENT mode, x " << x;
  SelectObject(dc.dc(), GetStockObject(WHITE_BRUSH));
  DeleteObject(hatch);
}

TEST(PatternBrush, TilesFromTheOriginAndMonochromeUsesDcColours) {
  size_t live = LiveGdiObjects();
  {
    MemoryDc dc(kW, kH);
    // A 3x2 colour pattern: any size tiles.
    HBITMAP tile = CreateBitmap(3, 2, 1, 32, nullptr);
    const std::vector<uint32_t> tilePixels{1, 2, 3, 4, 5, 6};
    WritePixels(tile, 3, 2, tilePixels);
    HBRUSH colour = CreatePatternBrush(tile);
    SetBrushOrgEx(dc.dc(), 1, 1, nullptr);
    RECT all{0, 0, kW, kH};
    FillRect(dc.dc(), &all, colour);
    auto px = ReadPixels(dc.bitmap());
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x)
        ASSERT_EQ(px[size_t(y * kW + x)], tilePixels[size_t(((y + 1) % 2) * 3 + (x + 2) % 3)])
            << x << "," << y;

    // Monochrome: 0 bits in the text colour, 1 bits in the background colour.
    const WORD rows[2] = {0x80, 0x40};  // 2x2: (0,0) and (1,1) set
    HBITMAP monoTile = CreateBitmap(2, 2, 1, 1, rows);
    HBRUSH mono = CreatePatternBrush(monoTile);
    SetBrushOrgEx(dc.dc(), 0, 0, nullptr);
    SetTextColor(dc.dc(), RGB(10, 20, 30));
    SetBkColor(dc.dc(), RGB(200, 100, 50));
    FillRect(dc.dc(), &all, mono);
    EXPECT_EQ(GetPixel(dc.dc(), 0, 0), RGB(200, 100, 50));
    EXPECT_EQ(GetPixel(dc.dc(), 1, 0), RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(dc.dc(), 3, 3), RGB(200, 100, 50));
    for (HGDIOBJ h : {HGDIOBJ(tile), HGDIOBJ(colour), HGDIOBJ(monoTile), HGDIOBJ(mono)})
      DeleteObject(h);
  }
  EXPECT_EQ(LiveGdiObjects(), live);
}

TEST(RectFills, FrameInvertAndNullBrush) {
  MemoryDc dc(6, 5);
  HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  WritePixels(dc.bitmap(), 6, 5, std::vector<uint32_t>(30, 0xFFFFFF));
  RECT r{1, 1, 5, 4};
  EXPECT_TRUE(FrameRect(dc.dc(), &r, black));
  auto px = ReadPixels(dc.bitmap());
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) {
      bool inRect = x >= 1 && x < 5 && y >= 1 && y < 4;
      bool border = inRect && (x == 1 || x == 4 || y == 1 || y == 3);
      EXPECT_EQ(px[size_t(y * 6 + x)], border ? 0u : 0xFFFFFFu) << x << "," << y;
    }
  EXPECT_TRUE(InvertRect(dc.dc(), &r));
  EXPECT_EQ(GetPixel(dc.dc(), 1, 1), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc.dc(), 2, 2), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc.dc(), 0, 0), RGB(255, 255, 255));

  SelectObject(dc.dc(), GetStockObject(NULL_BRUSH));
  EXPECT_TRUE(PatBlt(dc.dc(), 0, 0, 6, 5, PATCOPY));
  EXPECT_EQ(GetPixel(dc.dc(), 2, 2), RGB(0, 0, 0)) << "the null brush paints nothing";
  EXPECT_EQ(FillRect(dc.dc(), &r, nullptr), 0);
}

}  // namespace
}  // namespace talix::gdi::testing
