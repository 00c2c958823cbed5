// Helpers for the icon tests: small icons built from given pixels, and live counts.
#pragma once

#include "dc_fixture.h"

#include <talix/host_handles.h>
#include <windows.h>

#include <vector>

namespace talix::gdi::testing {

constexpr uint32_t kWhitePx = 0xFFFFFF;

inline size_t LiveIcons() { return talix::host::LiveHandles(HandleKind::Icon); }

// A monochrome bitmap: 1 = white (transparent in a mask), 0 = black.
inline HBITMAP MonoBitmap(int width, int height, const std::vector<int>& bits) {
  HBITMAP bitmap = CreateBitmap(width, height, 1, 1, nullptr);
  std::vector<uint32_t> px;
  for (int b : bits) px.push_back(b ? kWhitePx : 0);
  WritePixels(bitmap, width, height, px);
  return bitmap;
}

inline HBITMAP ColorBitmap(int width, int height, const std::vector<uint32_t>& px) {
  HBITMAP bitmap = CreateBitmap(width, height, 1, 32, nullptr);
  WritePixels(bitmap, width, height, px);
  return bitmap;
}

// A 32-bit top-down DIB section holding 0xAARRGGBB pixels.
inline HBITMAP AlphaBitmap(int width, int height, const std::vector<uint32_t>& px) {
  BITMAPINFO bmi{};
  bmi.bmiHeader = DibHeader(width, -height, 32);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  memcpy(bits, px.data(), px.size() * 4);
  return bitmap;
}

// An icon (or cursor) from caller bitmaps, which are deleted again.
inline HICON IconFrom(HBITMAP mask, HBITMAP color, BOOL isIcon = TRUE, DWORD hx = 0, DWORD hy = 0) {
  ICONINFO info{isIcon, hx, hy, mask, color};
  HICON icon = CreateIconIndirect(&info);
  DeleteObject(mask);
  if (color) DeleteObject(color);
  return icon;
}

// 2x2 mask icon: top-left red (opaque), top-right transparent and black, bottom-left
// transparent and white (inverts), bottom-right green (opaque).
inline HICON TwoByTwoMaskIcon() {
  return IconFrom(MonoBitmap(2, 2, {0, 1, 1, 0}),
                  ColorBitmap(2, 2, {0xFF0000, 0x000000, kWhitePx, 0x00FF00}));
}

// A memory DC over a 32-bit compatible bitmap filled with one colour.
inline void Fill(const MemoryDc& dc, int width, int height, uint32_t px) {
  WritePixels(dc.bitmap(), width, height, std::vector<uint32_t>(size_t(width) * height, px));
}

}  // namespace talix::gdi::testing
