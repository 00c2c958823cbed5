// Image lists with icons, their strip bitmaps, lists loaded from resources and copies.
#include "image_list_fixture.h"

namespace talix::testing {
namespace {

constexpr int kIdStrip = 1;

// An 8x8 icon: alpha ramp (255, 192, 128, 0 by column pair) over red, or a red icon
// whose right half is transparent in its AND mask.
HICON MakeIcon(bool alpha) {
  std::vector<uint32_t> color(64);
  std::vector<int> mask(64);
  for (int i = 0; i < 64; ++i) {
    int column = i % 8;
    uint32_t a = alpha ? std::vector<uint32_t>{255, 192, 128, 0}[size_t(column / 2)] : 0;
    color[size_t(i)] = (a << 24) | (column >= 4 && !alpha ? 0 : kRed);
    mask[size_t(i)] = !alpha && column >= 4;
  }
  ICONINFO info{TRUE, 0, 0, MaskBitmap(8, 8, mask), ColorBitmap(8, 8, color)};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(info.hbmMask);
  DeleteObject(info.hbmColor);
  return icon;
}

// Every pixel of two canvases of the same size, as drawn by two functions.
void ExpectSameDrawing(int size, const std::function<void(HDC)>& a, const std::function<void(HDC)>& b) {
  Canvas left(size, size, kBlue), right(size, size, kBlue);
  a(left.dc());
  b(right.dc());
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) EXPECT_PRED2(Near, left.At(x, y), right.At(x, y)) << x << "," << y;
}

TEST_F(ImageListTest, IconsGoInScaledAndComeBackOut) {
  HICON alpha = MakeIcon(true);
  HICON masked = MakeIcon(false);
  HIMAGELIST list = ImageList_Create(4, 4, ILC_COLOR32 | ILC_MASK, 2, 2);
  EXPECT_EQ(ImageList_AddIcon(list, alpha), 0);
  EXPECT_EQ(ImageList_AddIcon(list, masked), 1);
  EXPECT_EQ(ImageList_ReplaceIcon(list, 5, masked), -1);
  EXPECT_EQ(ImageList_ReplaceIcon(list, -2, masked), -1);
  EXPECT_EQ(ImageList_ReplaceIcon(list, 0, nullptr), -1);
  EXPECT_EQ(ImageList_GetImageCount(list), 2);
  for (int i : {0, 1}) {
    SCOPED_TRACE(i);
    HICON source = i == 0 ? alpha : masked;
    ExpectSameDrawing(
        4, [&](HDC dc) { ImageList_Draw(list, i, dc, 0, 0, ILD_TRANSPARENT); },
        [&](HDC dc) { DrawIconEx(dc, 0, 0, source, 4, 4, 0, nullptr, DI_NORMAL); });
    HICON back = ImageList_GetIcon(list, i, ILD_NORMAL);
    ASSERT_NE(back, nullptr);
    ExpectSameDrawing(
        4, [&](HDC dc) { ImageList_Draw(list, i, dc, 0, 0, ILD_TRANSPARENT); },
        [&](HDC dc) { DrawIconEx(dc, 0, 0, back, 0, 0, 0, nullptr, DI_NORMAL); });
    DestroyIcon(back);
  }
  EXPECT_EQ(ImageList_ReplaceIcon(list, 0, masked), 0);
  ExpectSameDrawing(
      4, [&](HDC dc) { ImageList_Draw(list, 0, dc, 0, 0, ILD_TRANSPARENT); },
      [&](HDC dc) { ImageList_Draw(list, 1, dc, 0, 0, ILD_TRANSPARENT); });
  EXPECT_EQ(ImageList_GetIcon(list, 2, 0), nullptr);
  ImageList_Destroy(list);
  DestroyIcon(alpha);
  DestroyIcon(masked);
}

COLORREF StripPixel(HBITMAP strip, int x, int y) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, strip);
  COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return c;
}

TEST_F(ImageListTest, ImageInfoPointsIntoStripsThatFollowChanges) {
  HIMAGELIST list = ImageList_Create(4, 4, ILC_COLOR24 | ILC_MASK, 3, 1);
  std::vector<uint32_t> pixels(12 * 4);
  for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = std::vector<uint32_t>{kRed, kGreen, kBlue}[(i % 12) / 4];
  std::vector<int> mask(12 * 4, 0);
  mask[8] = 1;  // top-left pixel of the third image
  HBITMAP image = ColorBitmap(12, 4, pixels), bits = MaskBitmap(12, 4, mask);
  ASSERT_EQ(ImageList_Add(list, image, bits), 0);
  IMAGEINFO info{};
  ASSERT_TRUE(ImageList_GetImageInfo(list, 2, &info));
  EXPECT_EQ(info.rcImage.left, 0);
  EXPECT_EQ(info.rcImage.top, 8);
  EXPECT_EQ(info.rcImage.right, 4);
  EXPECT_EQ(info.rcImage.bottom, 12);
  EXPECT_EQ(StripPixel(info.hbmImage, 1, 9), RGB(0, 0, 255));
  EXPECT_EQ(StripPixel(info.hbmMask, 0, 8), RGB(255, 255, 255));
  EXPECT_EQ(StripPixel(info.hbmMask, 1, 8), RGB(0, 0, 0));
  ImageList_Remove(list, 0);
  ASSERT_TRUE(ImageList_GetImageInfo(list, 0, &info));
  EXPECT_EQ(StripPixel(info.hbmImage, 1, 1), RGB(0, 255, 0));
  EXPECT_FALSE(ImageList_GetImageInfo(list, 2, &info));
  EXPECT_FALSE(ImageList_GetImageInfo(list, 0, nullptr));

  HIMAGELIST unmasked = ImageList_Create(4, 4, ILC_COLOR24, 1, 1);
  ImageList_Add(unmasked, image, nullptr);
  ASSERT_TRUE(ImageList_GetImageInfo(unmasked, 0, &info));
  EXPECT_EQ(info.hbmMask, nullptr);
  DeleteObject(image);
  DeleteObject(bits);
  ImageList_Destroy(list);
  ImageList_Destroy(unmasked);
}

TEST_F(ImageListTest, LoadedStripsAndDuplicates) {
  HINSTANCE self = GetModuleHandleW(nullptr);
  HIMAGELIST list = ImageList_LoadImageW(self, MAKEINTRESOURCEW(kIdStrip), 4, 1, CLR_DEFAULT,
                                         IMAGE_BITMAP, LR_CREATEDIBSECTION);
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(list), 3);
  HIMAGELIST plain = ImageList_LoadBitmap(self, MAKEINTRESOURCEW(kIdStrip), 0, 1, CLR_NONE);
  ASSERT_NE(plain, nullptr);
  int cx = 0, cy = 0;
  ImageList_GetIconSize(plain, &cx, &cy);
  EXPECT_EQ(cx, 4);
  EXPECT_EQ(ImageList_GetImageCount(plain), 3);

  ImageList_SetBkColor(list, RGB(255, 255, 255));
  HIMAGELIST copy = ImageList_Duplicate(list);
  ASSERT_NE(copy, nullptr);
  ImageList_Remove(list, -1);
  EXPECT_EQ(ImageList_GetImageCount(copy), 3);
  EXPECT_EQ(ImageList_GetBkColor(copy), RGB(255, 255, 255));
  struct Case {
    HIMAGELIST list;
    UINT style;
    uint32_t corner, body;
  } cases[] = {{copy, ILD_TRANSPARENT, kBlue, kGreen},
               {copy, ILD_NORMAL, kWhite, kGreen},
               {plain, ILD_TRANSPARENT, 0xFF00FF, kGreen}};
  for (const Case& c : cases) {
    Canvas canvas(4, 4, kBlue);
    ASSERT_TRUE(ImageList_Draw(c.list, 1, canvas.dc(), 0, 0, c.style));
    EXPECT_EQ(canvas.At(0, 0), c.corner);
    EXPECT_EQ(canvas.At(3, 3), c.body);
  }
  EXPECT_EQ(ImageList_LoadImageW(self, MAKEINTRESOURCEW(99), 4, 1, CLR_NONE, IMAGE_BITMAP, 0), nullptr);
  EXPECT_EQ(ImageList_LoadImageW(self, MAKEINTRESOURCEW(kIdStrip), 4, 1, CLR_NONE, IMAGE_CURSOR, 0), nullptr);
  EXPECT_EQ(ImageList_Duplicate(nullptr), nullptr);
  for (HIMAGELIST l : {list, plain, copy}) ImageList_Destroy(l);
}

}  // namespace
}  // namespace talix::testing
