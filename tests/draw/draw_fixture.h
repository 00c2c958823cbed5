// Shared pieces of the bitmap-operation tests: bitmaps made from and read back as 32-bit
// pixel values 0x00RRGGBB (top row first), a probe for the protected members, and a
// fixture that checks each test gives back every GDI handle it took.
#pragma once

#include "draw/gdi_scope.h"
#include "frame/QuorLib.h"

#include <talix/host_handles.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace talix::draw::testing {

using Pixels = std::vector<uint32_t>;

// Reaches CQuorLib's protected helpers.
struct QuorLibProbe : CQuorLib {
  using CQuorLib::BlenderFunc;
  using CQuorLib::CreateBitmapInfoStruct;
};

// A screen-compatible bitmap holding the pixels.
inline HBITMAP MakeBitmap(LONG width, LONG height, const Pixels& pixels) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  BITMAPINFO bmi = TopDown32Header(width, height);
  SetDIBits(nullptr, bitmap, 0, UINT(height), pixels.data(), &bmi, DIB_RGB_COLORS);
  return bitmap;
}

inline HBITMAP MakeSolid(LONG width, LONG height, uint32_t pixel) {
  return MakeBitmap(width, height, Pixels(size_t(width) * size_t(height), pixel));
}

inline SIZE SizeOf(HBITMAP bitmap) {
  BITMAP info{};
  GetObject(bitmap, sizeof info, &info);
  return SIZE{info.bmWidth, info.bmHeight};
}

inline Pixels ReadBitmap(HBITMAP bitmap) {
  const SIZE size = SizeOf(bitmap);
  Pixels pixels(size_t(size.cx) * size_t(size.cy));
  BITMAPINFO bmi = TopDown32Header(size.cx, size.cy);
  GetDIBits(nullptr, bitmap, 0, UINT(size.cy), pixels.data(), &bmi, DIB_RGB_COLORS);
  return pixels;
}

inline uint32_t Grey(uint8_t v) { return uint32_t(v) * 0x010101u; }

// Checks that every test returns the GDI handles it took and deletes what it owns.
class DrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GetStockObject(WHITE_BRUSH);  // stock objects are made on first use
    live_ = talix::host::LiveHandles(HandleKind::GdiObject);
  }
  void TearDown() override {
    EXPECT_EQ(talix::host::LiveHandles(HandleKind::GdiObject), live_) << "GDI handles leaked";
  }

 private:
  size_t live_ = 0;
};

// Deletes the object at the end of a scope; the test keeps the handle for checks.
class Owned {
 public:
  explicit Owned(HGDIOBJ h) : h_(h) {}
  ~Owned() {
    if (h_) {
      EXPECT_TRUE(DeleteObject(h_));
    }
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  template <typename T>
  T as() const {
    return static_cast<T>(h_);
  }
  HBITMAP bitmap() const { return static_cast<HBITMAP>(h_); }
  HRGN region() const { return static_cast<HRGN>(h_); }

 private:
  HGDIOBJ h_;
};

}  // namespace talix::draw::testing
