// Helpers of the image list tests: bitmaps from pixel arrays, a canvas to draw on, and a
// check that lists and GDI objects are all freed.
#pragma once

#include <talix/host.h>
#include <win/commctrl.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <vector>

namespace talix::testing {

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kYellow = 0xFFFF00,
                   kBlack = 0, kWhite = 0xFFFFFF;

// A 32-bit top-down DIB section holding `pixels` (0xAARRGGBB, rows top first).
inline HBITMAP ColorBitmap(int width, int height, const std::vector<uint32_t>& pixels) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  std::copy(pixels.begin(), pixels.end(), static_cast<uint32_t*>(bits));
  return bitmap;
}

// A monochrome bitmap: non-zero entries are 1 (transparent) bits.
inline HBITMAP MaskBitmap(int width, int height, const std::vector<int>& bits) {
  std::vector<uint8_t> rows(size_t((width + 15) / 16 * 2) * height, 0);
  size_t stride = (width + 15) / 16 * 2;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (bits[size_t(y) * width + x]) rows[y * stride + x / 8] |= uint8_t(0x80 >> (x % 8));
  return CreateBitmap(width, height, 1, 1, rows.data());
}

// A memory DC over a 32-bit DIB section filled with one colour.
class Canvas {
 public:
  Canvas(int width, int height, uint32_t fill) : width_(width) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    std::fill(bits_, bits_ + size_t(width) * height, fill);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  HDC dc() const { return dc_; }
  uint32_t At(int x, int y) const { return bits_[size_t(y) * width_ + x] & 0xFFFFFF; }

 private:
  int width_;
  HBITMAP bitmap_;
  uint32_t* bits_;
  HDC dc_;
  HGDIOBJ old_;
};

// True when every channel differs by at most 1 (rounding of blends).
inline bool Near(uint32_t a, uint32_t b) {
  constexpr int tolerance = 1;
  for (int shift = 0; shift < 24; shift += 8)
    if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > tolerance) return false;
  return true;
}

class ImageListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteDC(CreateCompatibleDC(nullptr));  // stock objects are made on first use
    lists_ = host::LiveHandles(HandleKind::ImageList);
    gdi_ = host::LiveHandles(HandleKind::GdiObject);
    icons_ = host::LiveHandles(HandleKind::Icon);
  }
  void TearDown() override {
    EXPECT_EQ(host::LiveHandles(HandleKind::ImageList), lists_) << "image lists leaked";
    EXPECT_EQ(host::LiveHandles(HandleKind::GdiObject), gdi_) << "GDI objects leaked";
    EXPECT_EQ(host::LiveHandles(HandleKind::Icon), icons_) << "icons leaked";
  }

 private:
  size_t lists_ = 0, gdi_ = 0, icons_ = 0;
};

}  // namespace talix::testing
