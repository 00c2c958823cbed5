// StretchBlt and StretchDIBits through the API: identity against BitBlt, the HALFTONE
// filter's uniformity, mirroring, raster operations, clipping, right-to-left DCs, depths.
#include "draw_pixel_map.h"

#include <random>

namespace talix::gdi::testing {
namespace {

std::vector<uint32_t> RandomPixels(size_t n, uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<uint32_t> v(n);
  for (auto& p : v) p = rng() & 0xFFFFFF;
  return v;
}

TEST(StretchBlt, SameSizeMatchesBitBltInEveryMode) {
  size_t live = LiveGdiObjects();
  {
    MemoryDc src(7, 5), viaBitBlt(9, 8), viaStretch(9, 8);
    WritePixels(src.bitmap(), 7, 5, RandomPixels(35, 1));
    ASSERT_TRUE(BitBlt(viaBitBlt.dc(), 2, 1, 6, 5, src.dc(), 1, 0, SRCCOPY));
    for (int mode : {BLACKONWHITE, WHITEONBLACK, COLORONCOLOR, HALFTONE}) {
      WritePixels(viaStretch.bitmap(), 9, 8, std::vector<uint32_t>(72, 0));
      SetStretchBltMode(viaStretch.dc(), mode);
      ASSERT_TRUE(StretchBlt(viaStretch.dc(), 2, 1, 6, 5, src.dc(), 1, 0, 6, 5, SRCCOPY));
      EXPECT_EQ(ReadPixels(viaStretch.bitmap()), ReadPixels(viaBitBlt.bitmap())) << mode;
    }
  }
  EXPECT_EQ(LiveGdiObjects(), live);
}

TEST(StretchBlt, HalftoneKeepsUniformAreasUniform) {
  MemoryDc src(5, 3), dst(13, 7);
  WritePixels(src.bitmap(), 5, 3, std::vector<uint32_t>(15, 0x00345678));
  SetStretchBltMode(dst.dc(), HALFTONE);
  struct Case { int w, h, sw, sh; } cases[] = {{13, 7, 5, 3}, {2, 1, 5, 3}, {7, 5, 3, 2}};
  for (const Case& c : cases) {
    WritePixels(dst.bitmap(), 13, 7, std::vector<uint32_t>(91, 0));
    ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, c.w, c.h, src.dc(), 0, 0, c.sw, c.sh, SRCCOPY));
    std::vector<uint32_t> px = ReadPixels(dst.bitmap());
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 13; ++x)
        EXPECT_EQ(px[size_t(y * 13 + x)], (x < c.w && y < c.h) ? 0x345678u : 0u)
            << c.w << "x" << c.h << " at " << x << "," << y;
  }
}

TEST(StretchBlt, NegativeExtentsMirror) {
  MemoryDc src(3, 2), dst(3, 2);
  WritePixels(src.bitmap(), 3, 2, {1, 2, 3, 4, 5, 6});
  struct Case {
    int x, y, w, h, sx, sy, sw, sh;
    std::vector<uint32_t> expected;
  } cases[] = {
      {3, 0, -3, 2, 0, 0, 3, 2, {3, 2, 1, 6, 5, 4}},   // destination flipped left-right
      {0, 2, 3, -2, 0, 0, 3, 2, {4, 5, 6, 1, 2, 3}},   // upside down
      {0, 0, 3, 2, 3, 2, -3, -2, {6, 5, 4, 3, 2, 1}},  // the source read backwards
      {3, 2, -3, -2, 3, 2, -3, -2, {1, 2, 3, 4, 5, 6}},  // both: no mirroring
  };
  for (int mode : {COLORONCOLOR, HALFTONE}) {
    SetStretchBltMode(dst.dc(), mode);
    for (const Case& c : cases) {
      ASSERT_TRUE(StretchBlt(dst.dc(), c.x, c.y, c.w, c.h, src.dc(), c.sx, c.sy, c.sw, c.sh,
                             SRCCOPY));
      EXPECT_EQ(ReadPixels(dst.bitmap()), c.expected) << mode << " " << c.w << "," << c.sw;
    }
  }
}

TEST(StretchBlt, RasterOperationsCombineTheStretchedImage) {
  MemoryDc src(2, 1), dst(5, 2);
  WritePixels(src.bitmap(), 2, 1, {0x00FF00FF, 0x000F0F0F});
  WritePixels(dst.bitmap(), 5, 2, std::vector<uint32_t>(10, 0x00F0F0F0));
  SetStretchBltMode(dst.dc(), COLORONCOLOR);
  ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, 4, 2, src.dc(), 0, 0, 2, 1, SRCINVERT));
  uint32_t a = 0x000FF00F, b = 0x00FFFFFF, d = 0x00F0F0F0;
  EXPECT_EQ(ReadPixels(dst.bitmap()),
            (std::vector<uint32_t>{a, a, b, b, d, a, a, b, b, d}));
  // A pattern-only operation ignores the source entirely.
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  HGDIOBJ old = SelectObject(dst.dc(), red);
  ASSERT_TRUE(StretchBlt(dst.dc(), 4, 0, 1, 2, nullptr, 0, 0, 0, 0, PATCOPY));
  SelectObject(dst.dc(), old);
  DeleteObject(red);
  EXPECT_EQ(ReadPixels(dst.bitmap())[4], 0x00FF0000u);
}

TEST(StretchBlt, ClipsToTheClipRegionAndTheSource) {
  MemoryDc src(2, 2), dst(6, 6);
  WritePixels(src.bitmap(), 2, 2, {1, 2, 3, 4});
  HRGN clip = CreateRectRgn(1, 1, 6, 3);
  SelectClipRgn(dst.dc(), clip);
  DeleteObject(clip);
  SetStretchBltMode(dst.dc(), COLORONCOLOR);
  // 3x3 source rectangle of which only 2x2 exists: the missing column and row stay alone.
  ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, 6, 6, src.dc(), 0, 0, 3, 3, SRCCOPY));
  EXPECT_EQ(ReadPixels(dst.bitmap()), (std::vector<uint32_t>{
                                          0, 0, 0, 0, 0, 0,  //
                                          0, 1, 2, 2, 0, 0,  //
                                          0, 3, 4, 4, 0, 0,  //
                                          0, 0, 0, 0, 0, 0,  //
                                          0, 0, 0, 0, 0, 0,  //
                                          0, 0, 0, 0, 0, 0}));
}

TEST(StretchBlt, RightToLeftDestinationFlipsLikeBitBlt) {
  MemoryDc src(2, 1), rtl(6, 1), viaBitBlt(6, 1);
  WritePixels(src.bitmap(), 2, 1, {1, 2});
  SetLayout(rtl.dc(), LAYOUT_RTL);
  SetLayout(viaBitBlt.dc(), LAYOUT_RTL);
  SetStretchBltMode(rtl.dc(), COLORONCOLOR);
  ASSERT_TRUE(BitBlt(viaBitBlt.dc(), 0, 0, 2, 1, src.dc(), 0, 0, SRCCOPY));
  ASSERT_TRUE(StretchBlt(rtl.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 2, 1, SRCCOPY));
  EXPECT_EQ(ReadPixels(rtl.bitmap()), ReadPixels(viaBitBlt.bitmap()));
  ASSERT_TRUE(StretchBlt(rtl.dc(), 0, 0, 4, 1, src.dc(), 0, 0, 2, 1, SRCCOPY));
  EXPECT_EQ(ReadPixels(rtl.bitmap()), (std::vector<uint32_t>{0, 0, 2, 2, 1, 1}));
  ASSERT_TRUE(StretchBlt(rtl.dc(), 0, 0, 4, 1, src.dc(), 0, 0, 2, 1, SRCCOPY | NOMIRRORBITMAP));
  EXPECT_EQ(ReadPixels(rtl.bitmap()), (std::vector<uint32_t>{0, 0, 1, 1, 2, 2}));
}

TEST(StretchBlt, DepthsConvertAndCompatibleTargetsKeepXZero) {
  uint32_t* bits = nullptr;
  HBITMAP dib = Dib32(2, 1, &bits);
  bits[0] = 0x80102030;
  bits[1] = 0xFF405060;
  MemoryDc src(dib), dst(4, 1);
  SetStretchBltMode(dst.dc(), COLORONCOLOR);
  ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, 4, 1, src.dc(), 0, 0, 2, 1, SRCCOPY));
  EXPECT_EQ(RawPixels(dst.bitmap(), 4),
            (std::vector<uint32_t>{0x102030, 0x102030, 0x405060, 0x405060}));
  ASSERT_TRUE(StretchBlt(dst.dc(), 0, 0, 4, 1, src.dc(), 0, 0, 2, 1, NOTSRCCOPY));
  EXPECT_EQ(RawPixels(dst.bitmap(), 4)[3], 0xBFAF9Fu);

  // A monochrome source takes the destination's text (0 bits) and background colours.
  const uint8_t monoRows[4] = {0x40, 0, 0x80, 0};  // row 0: 0 1, row 1: 1 0
  MemoryDc mono(CreateBitmap(2, 2, 1, 1, monoRows)), colour(4, 2);
  SetTextColor(colour.dc(), RGB(255, 0, 0));
  SetBkColor(colour.dc(), RGB(0, 0, 255));
  SetStretchBltMode(colour.dc(), COLORONCOLOR);
  ASSERT_TRUE(StretchBlt(colour.dc(), 0, 0, 4, 2, mono.dc(), 0, 0, 2, 2, SRCCOPY));
  uint32_t t = 0xFF0000, k = 0x0000FF;
  EXPECT_EQ(ReadPixels(colour.bitmap()), (std::vector<uint32_t>{t, t, k, k, k, k, t, t}));
}

TEST(StretchDIBits, StretchesPalettedAndBottomUpDibs) {
  struct Dib8 {
    BITMAPINFOHEADER header;
    RGBQUAD colors[2];
  } info8{DibHeader(2, -2, 8), {{0x30, 0x20, 0x10, 0}, {0x60, 0x50, 0x40, 0}}};
  info8.header.biClrUsed = 2;
  const uint8_t indices[8] = {0, 1, 0, 0, 1, 0, 0, 0};  // rows padded to 4 bytes
  MemoryDc dc(4, 4);
  SetStretchBltMode(dc.dc(), COLORONCOLOR);
  EXPECT_EQ(StretchDIBits(dc.dc(), 0, 0, 4, 4, 0, 0, 2, 2, indices,
                          reinterpret_cast<BITMAPINFO*>(&info8), DIB_RGB_COLORS, SRCCOPY),
            2);
  uint32_t a = 0x102030, b = 0x405060;
  EXPECT_EQ(ReadPixels(dc.bitmap()),
            (std::vector<uint32_t>{a, a, b, b, a, a, b, b, b, b, a, a, b, b, a, a}));

  // 24-bit bottom-up, 3x2: memory rows bottom first. The 2x2 block from DIB (1, 0),
  // halved in width.
  BITMAPINFO info24{};
  info24.bmiHeader = DibHeader(3, 2, 24);
  const uint8_t rgb[2 * 12] = {1, 1, 1, 2, 2, 2, 3, 3, 3, 0, 0, 0,   // bottom row
                               4, 4, 4, 5, 5, 5, 6, 6, 6, 0, 0, 0};  // top row
  MemoryDc small(1, 2);
  EXPECT_EQ(StretchDIBits(small.dc(), 0, 0, 1, 2, 1, 0, 2, 2, rgb, &info24, DIB_RGB_COLORS,
                          SRCCOPY),
            2);
  // Nearest sample of 2 -> 1 is the second column: DIB columns 1..2 give column 2.
  EXPECT_EQ(ReadPixels(small.bitmap()), (std::vector<uint32_t>{0x060606, 0x030303}));
}

}  // namespace
}  // namespace talix::gdi::testing
