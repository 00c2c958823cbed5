// Helpers shared by the GDI object-model tests: memory DCs over bitmaps, pixel reads,
// region handles and live-object counts.
#pragma once

#include "platform/gdi/region_object.h"

#include <talix/host_handles.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace talix::gdi::testing {

// Live GDI objects, counting the stock objects (made on first use) as already there.
inline size_t LiveGdiObjects() {
  GetStockObject(WHITE_BRUSH);
  return talix::host::LiveHandles(HandleKind::GdiObject);
}

// A memory DC with a bitmap selected; both are deleted at the end of the scope.
class MemoryDc {
 public:
  explicit MemoryDc(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)), bitmap_(bitmap) {
    old_ = SelectObject(dc_, bitmap_);
  }
  // A 32-bit device-compatible bitmap of this size.
  MemoryDc(int width, int height) : MemoryDc(CreateBitmap(width, height, 1, 32, nullptr)) {}
  ~MemoryDc() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

// The bitmap's pixels as 32-bit words, top row first (GetDIBits, top-down).
inline std::vector<uint32_t> ReadPixels(HBITMAP bitmap) {
  BITMAP info{};
  GetObjectW(bitmap, sizeof info, &info);
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = info.bmWidth;
  bmi.bmiHeader.biHeight = -info.bmHeight;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  std::vector<uint32_t> pixels(size_t(info.bmWidth) * size_t(info.bmHeight));
  GetDIBits(nullptr, bitmap, 0, UINT(info.bmHeight), pixels.data(), &bmi, DIB_RGB_COLORS);
  return pixels;
}

// Writes 32-bit pixels (top row first) into a bitmap.
inline void WritePixels(HBITMAP bitmap, int width, int height, const std::vector<uint32_t>& px) {
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = -height;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  SetDIBits(nullptr, bitmap, 0, UINT(height), px.data(), &bmi, DIB_RGB_COLORS);
}

// A region handle of one rectangle (or none when empty).
inline HRGN RectRegion(int left, int top, int right, int bottom) {
  auto region = std::make_shared<RegionObject>();
  if (right > left && bottom > top)
    pixman_region32_init_rect(&region->region, left, top, unsigned(right - left),
                              unsigned(bottom - top));
  return static_cast<HRGN>(AddGdiObject(region));
}

inline BITMAPINFOHEADER DibHeader(int width, int height, int bpp) {
  BITMAPINFOHEADER h{};
  h.biSize = sizeof h;
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = WORD(bpp);
  h.biCompression = BI_RGB;
  return h;
}

}  // namespace talix::gdi::testing
