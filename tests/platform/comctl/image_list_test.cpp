// Image lists: adding, replacing and removing images, and drawing them in every style.
#include "image_list_fixture.h"

namespace talix::testing {
namespace {

constexpr int kSide = 4;

// A strip of solid images, one colour each.
HBITMAP SolidStrip(const std::vector<uint32_t>& colors) {
  int width = kSide * static_cast<int>(colors.size());
  std::vector<uint32_t> pixels(size_t(width) * kSide);
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < width; ++x) pixels[size_t(y) * width + x] = colors[size_t(x / kSide)];
  return ColorBitmap(width, kSide, pixels);
}

// The colour of the image at index `i`, read back by drawing it opaquely.
uint32_t DrawnColor(HIMAGELIST list, int i) {
  Canvas canvas(kSide, kSide, kWhite);
  EXPECT_TRUE(ImageList_Draw(list, i, canvas.dc(), 0, 0, ILD_IMAGE));
  return canvas.At(1, 1);
}

TEST_F(ImageListTest, AddReplaceRemoveAndCount) {
  HIMAGELIST list = ImageList_Create(kSide, kSide, ILC_COLOR24 | ILC_MASK, 4, 4);
  ASSERT_NE(list, nullptr);
  HBITMAP three = SolidStrip({kRed, kGreen, kBlue});
  HBITMAP narrow = ColorBitmap(kSide * 2 + 2, kSide, std::vector<uint32_t>((kSide * 2 + 2) * kSide, kYellow));
  HBITMAP tiny = ColorBitmap(kSide - 1, kSide, std::vector<uint32_t>((kSide - 1) * kSide, kYellow));
  EXPECT_EQ(ImageList_Add(list, three, nullptr), 0);
  EXPECT_EQ(ImageList_Add(list, narrow, nullptr), 3);  // two whole images fit
  EXPECT_EQ(ImageList_Add(list, tiny, nullptr), -1);
  EXPECT_EQ(ImageList_GetImageCount(list), 5);
  HBITMAP white = SolidStrip({kWhite});
  ASSERT_TRUE(ImageList_Replace(list, 1, white, nullptr));
  EXPECT_FALSE(ImageList_Replace(list, 5, white, nullptr));
  std::vector<uint32_t> colors;
  for (int i = 0; i < 5; ++i) colors.push_back(DrawnColor(list, i));
  EXPECT_EQ(colors, (std::vector<uint32_t>{kRed, kWhite, kBlue, kYellow, kYellow}));

  ASSERT_TRUE(ImageList_Remove(list, 0));
  EXPECT_EQ(DrawnColor(list, 0), kWhite);
  EXPECT_FALSE(ImageList_Remove(list, 4));
  EXPECT_FALSE(ImageList_Draw(list, 4, nullptr, 0, 0, ILD_NORMAL));
  ASSERT_TRUE(ImageList_SetImageCount(list, 6));
  EXPECT_EQ(ImageList_GetImageCount(list), 6);
  EXPECT_EQ(DrawnColor(list, 5), kBlack);
  ASSERT_TRUE(ImageList_SetImageCount(list, 2));
  EXPECT_EQ(DrawnColor(list, 1), kBlue);
  ASSERT_TRUE(ImageList_Remove(list, -1));
  EXPECT_EQ(ImageList_GetImageCount(list), 0);

  ImageList_Add(list, three, nullptr);
  ASSERT_TRUE(ImageList_SetIconSize(list, 2, 3));
  int cx = 0, cy = 0;
  ASSERT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
  EXPECT_EQ(cx * 10 + cy, 23);
  EXPECT_EQ(ImageList_GetImageCount(list), 0);
  EXPECT_FALSE(ImageList_SetIconSize(list, 0, 3));

  EXPECT_EQ(ImageList_GetBkColor(list), static_cast<COLORREF>(CLR_NONE));
  EXPECT_EQ(ImageList_SetBkColor(list, RGB(1, 2, 3)), static_cast<COLORREF>(CLR_NONE));
  EXPECT_EQ(ImageList_GetBkColor(list), RGB(1, 2, 3));
  for (HBITMAP b : {three, narrow, tiny, white}) DeleteObject(b);
  ASSERT_TRUE(ImageList_Destroy(list));
  EXPECT_FALSE(ImageList_Destroy(list));
  EXPECT_EQ(ImageList_GetImageCount(list), 0);
  EXPECT_EQ(ImageList_Create(0, 4, ILC_COLOR32, 1, 1), nullptr);
}

// One 4x4 image: the left half red, the right half transparent in the mask (yellow under
// it in the source bitmap). Drawn over a blue canvas.
struct HalfMasked {
  HIMAGELIST list;
  explicit HalfMasked(UINT flags) {
    list = ImageList_Create(kSide, kSide, flags, 1, 1);
    std::vector<uint32_t> pixels(kSide * kSide);
    std::vector<int> mask(kSide * kSide);
    for (int i = 0; i < kSide * kSide; ++i) {
      bool right = i % kSide >= kSide / 2;
      pixels[size_t(i)] = right ? kYellow : kRed;
      mask[size_t(i)] = right;
    }
    HBITMAP image = ColorBitmap(kSide, kSide, pixels);
    HBITMAP bits = MaskBitmap(kSide, kSide, mask);
    EXPECT_EQ(ImageList_Add(list, image, bits), 0);
    DeleteObject(image);
    DeleteObject(bits);
  }
  ~HalfMasked() { ImageList_Destroy(list); }
};

uint32_t Mixed(uint32_t a, uint32_t b, int percent) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8)
    out |= ((((a >> shift) & 0xFF) * (100 - percent) + ((b >> shift) & 0xFF) * percent + 50) / 100) << shift;
  return out;
}

uint32_t Highlight() {
  COLORREF c = GetSysColor(COLOR_HIGHLIGHT);
  return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

TEST_F(ImageListTest, DrawStylesOverAKnownBackground) {
  struct Case {
    const char* name;
    UINT listFlags;
    COLORREF listBk;
    COLORREF rgbBk, rgbFg;
    UINT style;
    uint32_t left, right;
  } cases[] = {
      {"normal, no background", ILC_COLOR24 | ILC_MASK, CLR_NONE, CLR_DEFAULT, CLR_DEFAULT, ILD_NORMAL, kRed, kBlue},
      {"normal, list background", ILC_COLOR24 | ILC_MASK, RGB(0, 255, 0), CLR_DEFAULT, CLR_DEFAULT, ILD_NORMAL, kRed, kGreen},
      {"transparent despite background", ILC_COLOR24 | ILC_MASK, RGB(0, 255, 0), CLR_DEFAULT, CLR_DEFAULT, ILD_TRANSPARENT, kRed, kBlue},
      {"explicit background", ILC_COLOR24 | ILC_MASK, CLR_NONE, RGB(255, 255, 255), CLR_DEFAULT, ILD_NORMAL, kRed, kWhite},
      {"mask", ILC_COLOR24 | ILC_MASK, CLR_NONE, CLR_DEFAULT, CLR_DEFAULT, ILD_MASK, kBlack, kWhite},
      {"image", ILC_COLOR24 | ILC_MASK, CLR_NONE, CLR_DEFAULT, CLR_DEFAULT, ILD_IMAGE, kRed, kBlack},
      {"blend50 with blue", ILC_COLOR24 | ILC_MASK, CLR_NONE, CLR_NONE, RGB(0, 0, 255), ILD_BLEND50, Mixed(kRed, kBlue, 50), kBlue},
      {"blend25 with white", ILC_COLOR24 | ILC_MASK, CLR_NONE, CLR_NONE, RGB(255, 255, 255), ILD_BLEND25, Mixed(kRed, kWhite, 25), kBlue},
      {"selected", ILC_COLOR24 | ILC_MASK, CLR_NONE, CLR_NONE, CLR_DEFAULT, ILD_SELECTED, Mixed(kRed, Highlight(), 50), kBlue},
      {"focus", ILC_COLOR24 | ILC_MASK, CLR_NONE, CLR_NONE, CLR_DEFAULT, ILD_FOCUS, Mixed(kRed, Highlight(), 25), kBlue},
      {"blend50 fades into the destination", ILC_COLOR24 | ILC_MASK, CLR_NONE, CLR_NONE, CLR_NONE, ILD_BLEND50, 0x800080, kBlue},
      {"no mask: opaque", ILC_COLOR24, CLR_NONE, CLR_NONE, CLR_DEFAULT, ILD_TRANSPARENT, kRed, kYellow},
      {"no mask: no blend", ILC_COLOR24, CLR_NONE, CLR_NONE, RGB(0, 0, 255), ILD_BLEND50, kRed, kYellow},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HalfMasked image(c.listFlags);
    ImageList_SetBkColor(image.list, c.listBk);
    Canvas canvas(8, 6, kBlue);
    ASSERT_TRUE(ImageList_DrawEx(image.list, 0, canvas.dc(), 2, 1, 0, 0, c.rgbBk, c.rgbFg, c.style));
    EXPECT_PRED2(Near, canvas.At(2, 1), c.left);
    EXPECT_PRED2(Near, canvas.At(5, 4), c.right);
    EXPECT_EQ(canvas.At(1, 1), kBlue);  // outside the image
    EXPECT_EQ(canvas.At(6, 1), kBlue);
    EXPECT_EQ(canvas.At(2, 5), kBlue);
  }
}

TEST_F(ImageListTest, DrawExDrawsOnlyThePartAsked) {
  HalfMasked image(ILC_COLOR24);
  Canvas canvas(8, 8, kBlue);
  ASSERT_TRUE(ImageList_DrawEx(image.list, 0, canvas.dc(), 0, 0, 1, 2, CLR_NONE, CLR_NONE, ILD_NORMAL));
  EXPECT_EQ(canvas.At(0, 1), kRed);
  EXPECT_EQ(canvas.At(1, 0), kBlue);
  EXPECT_EQ(canvas.At(0, 2), kBlue);
}

// Alpha 255 red, 128 red, 0 (red underneath), and opaque green, a pixel each per row.
HBITMAP AlphaRow() {
  std::vector<uint32_t> pixels;
  for (int y = 0; y < kSide; ++y)
    for (uint32_t p : {0xFFFF0000u, 0x80FF0000u, 0x00FF0000u, 0xFF00FF00u}) pixels.push_back(p);
  return ColorBitmap(kSide, kSide, pixels);
}

TEST_F(ImageListTest, AlphaImagesBlendPerPixel) {
  HBITMAP bitmap = AlphaRow();
  uint32_t half = Mixed(kBlue, kRed, 50);  // 128 of 255 over blue, within rounding
  struct Case {
    const char* name;
    UINT flags;
    COLORREF bk;
    uint32_t expected[4];
  } cases[] = {
      {"32-bit, transparent", ILC_COLOR32, CLR_NONE, {kRed, half, kBlue, kGreen}},
      {"32-bit with mask flag", ILC_COLOR32 | ILC_MASK, CLR_NONE, {kRed, half, kBlue, kGreen}},
      {"32-bit over white", ILC_COLOR32, RGB(255, 255, 255), {kRed, Mixed(kWhite, kRed, 50), kWhite, kGreen}},
      {"24-bit flattens over black", ILC_COLOR24 | ILC_MASK, CLR_NONE, {kRed, 0x800000, kBlue, kGreen}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HIMAGELIST list = ImageList_Create(kSide, kSide, c.flags, 1, 1);
    ASSERT_EQ(ImageList_Add(list, bitmap, nullptr), 0);
    ImageList_SetBkColor(list, c.bk);
    Canvas canvas(kSide, kSide, kBlue);
    ASSERT_TRUE(ImageList_Draw(list, 0, canvas.dc(), 0, 0, ILD_NORMAL));
    for (int x = 0; x < 4; ++x) EXPECT_PRED2(Near, canvas.At(x, 2), c.expected[x]) << x;
    ImageList_Destroy(list);
  }
  DeleteObject(bitmap);
}

TEST_F(ImageListTest, AddMaskedMasksOneColour) {
  HIMAGELIST list = ImageList_Create(kSide, kSide, ILC_COLOR24 | ILC_MASK, 1, 1);
  HBITMAP image = ColorBitmap(kSide, kSide, {kYellow, kRed, kRed, kYellow, kRed, kRed, kRed, kRed,
                                             kRed, kRed, kRed, kRed, kRed, kRed, kRed, kYellow});
  ASSERT_EQ(ImageList_AddMasked(list, image, RGB(255, 255, 0)), 0);
  Canvas canvas(kSide, kSide, kBlue);
  ImageList_Draw(list, 0, canvas.dc(), 0, 0, ILD_TRANSPARENT);
  EXPECT_EQ(canvas.At(0, 0), kBlue);
  EXPECT_EQ(canvas.At(3, 0), kBlue);
  EXPECT_EQ(canvas.At(1, 0), kRed);
  EXPECT_EQ(canvas.At(3, 3), kBlue);
  ImageList_Draw(list, 0, canvas.dc(), 0, 0, ILD_IMAGE);
  EXPECT_EQ(canvas.At(0, 0), kBlack);  // the list's copy is black under the mask
  DeleteObject(image);
  ImageList_Destroy(list);
}

TEST_F(ImageListTest, RightToLeftKeepsOrientationUnlessMirrored) {
  for (UINT mirror : {0u, static_cast<UINT>(ILC_MIRROR)}) {
    SCOPED_TRACE(mirror);
    HalfMasked image(ILC_COLOR24 | mirror);  // red left, yellow right
    Canvas canvas(8, 4, kBlue);
    SetLayout(canvas.dc(), LAYOUT_RTL);
    ASSERT_TRUE(ImageList_Draw(image.list, 0, canvas.dc(), 0, 0, ILD_NORMAL));
    // Logical x 0..3 is device x 4..7 on a mirrored DC.
    EXPECT_EQ(canvas.At(4, 0), mirror ? kYellow : kRed);
    EXPECT_EQ(canvas.At(7, 0), mirror ? kRed : kYellow);
    EXPECT_EQ(canvas.At(3, 0), kBlue);
  }
}

}  // namespace
}  // namespace talix::testing
