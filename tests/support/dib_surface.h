// A 32-bit top-down DIB section selected into its own memory DC: tests draw into dc() and
// read pixels back as 0xRRGGBB with At(). Header only, shared by the test folders.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace talix::testing {

class DibSurface {
 public:
  DibSurface(int cx, int cy, uint32_t fill = 0) : cx_(cx) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = -cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    dib_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, dib_);
    for (size_t i = 0; bits_ && i < size_t(cx) * size_t(cy); ++i) bits_[i] = fill;
  }
  ~DibSurface() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(dib_);
  }
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  HDC dc() const { return dc_; }
  uint32_t At(int x, int y) const { return bits_[size_t(y) * size_t(cx_) + size_t(x)] & 0xFFFFFF; }

 private:
  int cx_;
  HBITMAP dib_;
  HDC dc_;
  HGDIOBJ old_;
  uint32_t* bits_ = nullptr;
};

}  // namespace talix::testing
