// TALIX_LoadBitmap: a screen-compatible copy of a theme image, owned by the caller.
#include "loader_fixture.h"

#include "frame/LibraryExports.h"
#include "frame/ResHandler.h"
#include "frame/ResourceLoaders.h"

#include <gtest/gtest.h>
#include <talix/host_handles.h>

#include <vector>

namespace {

using frametest::LoaderTest;

size_t LiveGdiObjects() { return talix::host::LiveHandles(talix::HandleKind::GdiObject); }

// The bitmap's pixels as top-down 32-bit BGRX values.
std::vector<DWORD> ReadPixels(HBITMAP bitmap, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> pixels(static_cast<size_t>(width) * height, 0xFFFFFFFFu);
  HDC screen = GetDC(nullptr);
  int rows = GetDIBits(screen, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(rows, height);
  return pixels;
}

// Screen format: 32 bits per pixel, the X byte 0.
void ExpectScreenBitmap(HBITMAP bitmap, int width, int height) {
  BITMAP info{};
  ASSERT_EQ(GetObjectW(bitmap, sizeof(info), &info), static_cast<int>(sizeof(info)));
  EXPECT_EQ(info.bmWidth, width);
  EXPECT_EQ(info.bmHeight, height);
  EXPECT_EQ(info.bmBitsPixel, 32);
  EXPECT_EQ(info.bmBits, nullptr);  // not a DIB section
}

DWORD Bgrx(int r, int g, int b) { return static_cast<DWORD>(b | g << 8 | r << 16); }

// Image 700: a 5x3 24-bit bitmap with pixel (x, y) = (40x + 10, 80y + 20, 20xy + 5).
TEST_F(LoaderTest, BitmapIsAScreenCompatibleCopyWithTheImagesPixels) {
  HBITMAP bitmap = TALIX_LoadBitmap(700);
  ASSERT_NE(bitmap, nullptr);
  ExpectScreenBitmap(bitmap, 5, 3);
  std::vector<DWORD> pixels = ReadPixels(bitmap, 5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(pixels[y * 5 + x], Bgrx(40 * x + 10, 80 * y + 20, 20 * x * y + 5)) << x << "," << y;
  EXPECT_TRUE(DeleteObject(bitmap));
}

// Image 701: a 3x2 PNG with alpha; the copy keeps the colours of its opaque pixels and
// drops the alpha channel.
TEST_F(LoaderTest, PngLosesItsAlphaInTheCopy) {
  HBITMAP bitmap = TALIX_LoadBitmap(701);
  ASSERT_NE(bitmap, nullptr);
  ExpectScreenBitmap(bitmap, 3, 2);
  std::vector<DWORD> pixels = ReadPixels(bitmap, 3, 2);
  EXPECT_EQ(pixels[0], Bgrx(200, 10, 30));
  EXPECT_EQ(pixels[3], Bgrx(1, 2, 3));
  EXPECT_EQ(pixels[5], Bgrx(60, 120, 180));
  for (DWORD pixel : pixels) EXPECT_EQ(pixel >> 24, 0u);
  EXPECT_TRUE(DeleteObject(bitmap));
}

// Failures leave nothing behind: every temporary object is gone.
TEST_F(LoaderTest, MissingImageOrThemeGivesNullAndLeaksNothing) {
  // A first copy makes GDI's stock objects and the screen's DC, which stay.
  ASSERT_TRUE(DeleteObject(TALIX_LoadBitmap(700)));
  const size_t before = LiveGdiObjects();
  EXPECT_EQ(TALIX_LoadBitmap(799), nullptr);
  EXPECT_EQ(TALIX_LoadBitmap(0), nullptr);
  EXPECT_EQ(LiveGdiObjects(), before);
  ASSERT_TRUE(DeleteObject(TALIX_LoadBitmap(701)));
  EXPECT_EQ(LiveGdiObjects(), before);
  UseTheme("");
  talix::frame::RecreateResourceHandler();
  EXPECT_EQ(TALIX_LoadBitmap(700), nullptr);
}

}  // namespace
