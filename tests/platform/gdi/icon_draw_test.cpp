// DrawIconEx / DrawIcon pixels: mask, image and normal drawing of mask and alpha icons,
// stretching, RTL DCs and flicker-free drawing through a brush.
#include "icon_fixture.h"

namespace talix::gdi::testing {
namespace {

constexpr uint32_t kGrey = 0x808080;

struct DrawCase {
  const char* name;
  UINT flags;
  std::vector<uint32_t> expected;  // the 2x2 mask icon drawn at (0, 0) over grey
};

TEST(IconDraw, MaskIconEachFlagOverGrey) {
  const DrawCase cases[] = {
      {"mask", DI_MASK, {0, kWhitePx, kWhitePx, 0}},
      {"image", DI_IMAGE, {0xFF0000, 0x000000, kWhitePx, 0x00FF00}},
      // AND with the mask, then XOR with the image: transparent black keeps the grey,
      // transparent white inverts it.
      {"normal", DI_NORMAL, {0xFF0000, kGrey, kGrey ^ kWhitePx, 0x00FF00}},
  };
  HICON icon = TwoByTwoMaskIcon();
  for (const DrawCase& c : cases) {
    MemoryDc dc(2, 2);
    Fill(dc, 2, 2, kGrey);
    EXPECT_TRUE(DrawIconEx(dc.dc(), 0, 0, icon, 0, 0, 0, nullptr, c.flags)) << c.name;
    EXPECT_EQ(ReadPixels(dc.bitmap()), c.expected) << c.name;
  }
  DestroyIcon(icon);
}

TEST(IconDraw, AlphaIconBlendsPerPixel) {
  // Half-transparent red, fully transparent, opaque green (the mask is ignored).
  HICON icon = IconFrom(MonoBitmap(3, 1, {1, 1, 1}),
                        AlphaBitmap(3, 1, {0x80FF0000, 0x00000000, 0xFF00FF00}));
  MemoryDc dc(3, 1);
  Fill(dc, 3, 1, 0x0000FF);
  ASSERT_TRUE(DrawIconEx(dc.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
  // red 255*128/255 = 128, blue 255*127/255 = 127 (rounded to nearest).
  EXPECT_EQ(ReadPixels(dc.bitmap()), (std::vector<uint32_t>{0x80007F, 0x0000FF, 0x00FF00}));
  DestroyIcon(icon);
}

TEST(IconDraw, StretchesToRequestedSizeAndOffset) {
  HICON icon = TwoByTwoMaskIcon();
  MemoryDc dc(5, 4);
  Fill(dc, 5, 4, kGrey);
  ASSERT_TRUE(DrawIconEx(dc.dc(), 1, 0, icon, 4, 4, 0, nullptr, DI_IMAGE));
  std::vector<uint32_t> px = ReadPixels(dc.bitmap());
  const uint32_t R = 0xFF0000, K = 0, W = kWhitePx, G = 0x00FF00;
  EXPECT_EQ(px, (std::vector<uint32_t>{kGrey, R, R, K, K,  //
                                       kGrey, R, R, K, K,  //
                                       kGrey, W, W, G, G,  //
                                       kGrey, W, W, G, G}));
  DestroyIcon(icon);
}

TEST(IconDraw, RtlDcMirrorsUnlessOrientationPreserved) {
  struct {
    DWORD layout;
    UINT extraFlags;
    std::vector<uint32_t> firstRow;  // the icon's top row at logical (0, 0) of a 4-wide DC
  } cases[] = {
      {LAYOUT_RTL, 0, {kGrey, kGrey, 0x000000, 0xFF0000}},
      {LAYOUT_RTL | LAYOUT_BITMAPORIENTATIONPRESERVED, 0, {kGrey, kGrey, 0xFF0000, 0x000000}},
      {LAYOUT_RTL, DI_NOMIRROR, {kGrey, kGrey, 0xFF0000, 0x000000}},
  };
  HICON icon = TwoByTwoMaskIcon();
  for (const auto& c : cases) {
    MemoryDc dc(4, 2);
    Fill(dc, 4, 2, kGrey);
    SetLayout(dc.dc(), c.layout);
    ASSERT_TRUE(DrawIconEx(dc.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_IMAGE | c.extraFlags));
    std::vector<uint32_t> px = ReadPixels(dc.bitmap());
    px.resize(4);
    EXPECT_EQ(px, c.firstRow) << c.layout << " " << c.extraFlags;
  }
  DestroyIcon(icon);
}

TEST(IconDraw, FlickerFreeBrushReplacesBackground) {
  size_t gdi0 = LiveGdiObjects();
  HICON icon = TwoByTwoMaskIcon();
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  {
    MemoryDc dc(3, 2);
    Fill(dc, 3, 2, kGrey);
    ASSERT_TRUE(DrawIconEx(dc.dc(), 1, 0, icon, 0, 0, 0, blue, DI_NORMAL));
    EXPECT_EQ(ReadPixels(dc.bitmap()),
              (std::vector<uint32_t>{kGrey, 0xFF0000, 0x0000FF, kGrey, 0xFFFF00, 0x00FF00}));
  }
  DestroyIcon(icon);
  DeleteObject(blue);
  EXPECT_EQ(LiveGdiObjects(), gdi0);  // the offscreen is gone again
}

TEST(IconDraw, ClipLimitsDrawing) {
  HICON icon = TwoByTwoMaskIcon();
  MemoryDc dc(2, 2);
  Fill(dc, 2, 2, kGrey);
  IntersectClipRect(dc.dc(), 0, 0, 1, 2);
  ASSERT_TRUE(DrawIconEx(dc.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_IMAGE));
  EXPECT_EQ(ReadPixels(dc.bitmap()), (std::vector<uint32_t>{0xFF0000, kGrey, kWhitePx, kGrey}));
  DestroyIcon(icon);
}

TEST(IconDraw, DefaultSizeAndDrawIconUseSystemIconSize) {
  HICON icon = TwoByTwoMaskIcon();
  int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
  for (int viaDrawIcon = 0; viaDrawIcon < 2; ++viaDrawIcon) {
    MemoryDc dc(cx + 1, cy + 1);
    Fill(dc, cx + 1, cy + 1, kGrey);
    if (viaDrawIcon)
      ASSERT_TRUE(DrawIcon(dc.dc(), 0, 0, icon));
    else
      ASSERT_TRUE(DrawIconEx(dc.dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE));
    EXPECT_EQ(GetPixel(dc.dc(), cx - 1, cy - 1), RGB(0, 255, 0));  // the green corner
    EXPECT_EQ(GetPixel(dc.dc(), cx, cy), RGB(128, 128, 128));     // nothing beyond
  }
  DestroyIcon(icon);
}

TEST(IconDraw, BadArgumentsFail) {
  HICON icon = TwoByTwoMaskIcon();
  MemoryDc dc(2, 2);
  SetLastError(0);
  EXPECT_FALSE(DrawIconEx(dc.dc(), 0, 0, nullptr, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_CURSOR_HANDLE));
  EXPECT_FALSE(DrawIconEx(nullptr, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_FALSE(DrawIconEx(dc.dc(), 0, 0, icon, 0, 0, 0, nullptr, 0));
  EXPECT_FALSE(DrawIconEx(dc.dc(), 0, 0, icon, -1, 2, 0, nullptr, DI_NORMAL));
  DestroyIcon(icon);
}

}  // namespace
}  // namespace talix::gdi::testing
