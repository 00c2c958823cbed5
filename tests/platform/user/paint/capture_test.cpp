// Captures: window pixels, DIB sections and PNG files read back with libpng.
#include "paint_fixture.h"

#include "platform/user/compose/screen_copy.h"

#include <png.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace talix::testing {
namespace {

std::string TempPath(const char* name) {
  return (std::filesystem::temp_directory_path() /
          (std::string("talix_paint_") + std::to_string(::getpid()) + "_" + name))
      .string();
}

bool ReadPng(const std::string& path, host::CapturedImage* out) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&png, path.c_str())) return false;
  png.format = PNG_FORMAT_BGRA;
  out->width = static_cast<int>(png.width);
  out->height = static_cast<int>(png.height);
  out->pixels.resize(size_t(png.width) * png.height);
  bool ok = png_image_finish_read(&png, nullptr, out->pixels.data(), 0, nullptr);
  png_image_free(&png);
  return ok;
}

TEST_F(PaintTest, CapturesRoundTripThroughPng) {
  HWND hwnd = Filled(RGB(12, 34, 56), 0, 0, 30, 20, nullptr, WS_BORDER);
  HWND child = Filled(RGB(200, 100, 0), 3, 4, 5, 6, hwnd);
  host::PumpMessagesUntilIdle();
  host::CapturedImage image = Window(hwnd);
  ASSERT_EQ(image.width, 30);
  ASSERT_EQ(image.height, 20);
  EXPECT_EQ(image.At(0, 0), SysArgb(COLOR_WINDOWFRAME));
  EXPECT_EQ(image.At(1 + 3, 1 + 4), Argb(RGB(200, 100, 0)));
  host::CapturedImage part = Window(child);
  EXPECT_EQ(part.width, 5);
  EXPECT_EQ(part.At(4, 5), Argb(RGB(200, 100, 0)));

  std::string path = TempPath("window.png");
  ASSERT_TRUE(host::CaptureWindowToPng(hwnd, path.c_str()));
  host::CapturedImage read;
  ASSERT_TRUE(ReadPng(path, &read));
  EXPECT_EQ(read.width, image.width);
  EXPECT_EQ(read.height, image.height);
  EXPECT_EQ(read.pixels, image.pixels);
  std::remove(path.c_str());

  EXPECT_FALSE(host::WritePng(image, "/nonexistent-folder/x.png"));
  host::CapturedImage broken = image;
  broken.pixels.pop_back();
  EXPECT_FALSE(host::WritePng(broken, path.c_str())) << "pixel count does not match the size";
  EXPECT_FALSE(host::CaptureWindow(GetDesktopWindow(), &read));
}

TEST_F(PaintTest, CapturesComeAsTopDownDibSections) {
  HWND hwnd = Filled(RGB(12, 34, 56), 0, 0, 30, 20);
  host::PumpMessagesUntilIdle();
  HBITMAP bitmap = host::CaptureWindowBitmap(hwnd);
  ASSERT_TRUE(bitmap);
  DIBSECTION dib{};
  ASSERT_EQ(GetObjectW(bitmap, sizeof(dib), &dib), static_cast<int>(sizeof(dib)));
  EXPECT_EQ(dib.dsBm.bmWidth, 30);
  EXPECT_EQ(dib.dsBmih.biHeight, -20);
  EXPECT_EQ(dib.dsBm.bmBitsPixel, 32);
  EXPECT_EQ(static_cast<const uint32_t*>(dib.dsBm.bmBits)[0], Argb(RGB(12, 34, 56)));
  DeleteObject(bitmap);
  HBITMAP screen = host::CaptureScreenBitmap();
  ASSERT_TRUE(screen);
  BITMAP info{};
  GetObjectW(screen, sizeof(info), &info);
  EXPECT_EQ(info.bmWidth, host::GetScreenParams().width);
  DeleteObject(screen);
  host::CapturedImage part;
  ASSERT_TRUE(host::CaptureScreenRect(RECT{-5, 10, 20, 12}, &part));
  EXPECT_EQ(part.width, 20) << "cut to the screen";
  EXPECT_EQ(part.At(0, 0), Argb(RGB(12, 34, 56)));
  EXPECT_FALSE(host::CaptureScreenRect(RECT{-5, -5, 0, 0}, &part));
}

TEST_F(PaintTest, ScreenCopiesLeaveWhatLiesOutsideTheScreenAlone) {
  Filled(RGB(12, 34, 56), 0, 0, 30, 20);
  host::PumpMessagesUntilIdle();
  std::vector<uint32_t> rows(4 * 3, 0xDEADBEEFu);  // 4 x 3 pixels, tightly packed
  ASSERT_TRUE(user::CopyComposedScreen(RECT{-2, -1, 2, 2}, rows.data(), 16));
  EXPECT_EQ(rows[0], 0xDEADBEEFu) << "left of and above the screen";
  EXPECT_EQ(rows[4 + 1], 0xDEADBEEFu);
  EXPECT_EQ(rows[4 + 2], 0x000C2238u) << "BGRX, X = 0";
  EXPECT_EQ(rows[8 + 3], 0x000C2238u);
  EXPECT_FALSE(user::CopyComposedScreen(RECT{-9, -9, -1, -1}, rows.data(), 16));
}

}  // namespace
}  // namespace talix::testing
