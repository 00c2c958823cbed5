// Pixel maps for the drawing tests: a bitmap's pixels as rows of characters, one per
// colour, so expected drawings can be written out by hand.
#pragma once

#include "dc_fixture.h"

#include <map>
#include <string>

namespace talix::gdi::testing {

// Rows of the bitmap; colours (0x00RRGGBB) not in the legend show as '?'.
inline std::string PixelMap(HBITMAP bitmap, const std::map<uint32_t, char>& legend) {
  BITMAP info{};
  GetObjectW(bitmap, sizeof info, &info);
  std::vector<uint32_t> pixels = ReadPixels(bitmap);
  std::string out;
  for (int y = 0; y < info.bmHeight; ++y) {
    for (int x = 0; x < info.bmWidth; ++x) {
      auto it = legend.find(pixels[size_t(y) * size_t(info.bmWidth) + size_t(x)] & 0xFFFFFF);
      out += it == legend.end() ? '?' : it->second;
    }
    out += '\n';
  }
  return out;
}

// Rows joined with newlines, for writing expected maps one row a line.
inline std::string Rows(std::initializer_list<const char*> rows) {
  std::string out;
  for (const char* row : rows) (out += row) += '\n';
  return out;
}

// The raw 32-bit words of a 32-bit device-compatible bitmap (X byte included).
inline std::vector<uint32_t> RawPixels(HBITMAP bitmap, int count) {
  std::vector<uint32_t> words(size_t(count), 0);
  GetBitmapBits(bitmap, LONG(count * 4), words.data());
  return words;
}

// A 32-bit top-down DIB section of this size; *bits receives its pixels.
inline HBITMAP Dib32(int width, int height, uint32_t** bits) {
  BITMAPINFO bmi{};
  bmi.bmiHeader = DibHeader(width, -height, 32);
  void* p = nullptr;
  HBITMAP b = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &p, nullptr, 0);
  *bits = static_cast<uint32_t*>(p);
  return b;
}

}  // namespace talix::gdi::testing
