// Text tests draw with the committed Liberation Sans through a private fontconfig
// configuration, into white 32-bit memory DCs, and look at the ink.
#pragma once

#include <talix/host.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace talix::text::testing {

// Points fontconfig at data/fonts.conf before the first font is used.
inline const bool kPrivateFonts = [] {
  setenv("FONTCONFIG_FILE", TALIX_TEST_DATA_DIR "/fonts.conf", 1);
  return true;
}();

inline LOGFONTW Arial(LONG height, LONG weight = FW_NORMAL) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  const char16_t name[] = u"Arial";
  for (size_t i = 0; i < sizeof name / sizeof name[0]; ++i) lf.lfFaceName[i] = name[i];
  return lf;
}

// A white memory DC of the given size with a font selected; everything is released at
// the end of the scope.
class TextDc {
 public:
  TextDc(int width, int height, const LOGFONTW& lf = Arial(-16))
      : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)),
        bitmap_(CreateBitmap(width, height, 1, 32, nullptr)), font_(CreateFontIndirectW(&lf)) {
    oldBitmap_ = SelectObject(dc_, bitmap_);
    oldFont_ = SelectObject(dc_, font_);
    Clear();
  }
  ~TextDc() {
    SelectObject(dc_, oldFont_);
    SelectObject(dc_, oldBitmap_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
    DeleteObject(font_);
  }
  TextDc(const TextDc&) = delete;
  TextDc& operator=(const TextDc&) = delete;

  HDC dc() const { return dc_; }
  void Clear() { PatBlt(dc_, 0, 0, width_, height_, WHITENESS); }

  std::vector<uint32_t> Pixels() const {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width_;
    bmi.bmiHeader.biHeight = -height_;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    std::vector<uint32_t> px(size_t(width_) * size_t(height_));
    GetDIBits(dc_, bitmap_, 0, UINT(height_), px.data(), &bmi, DIB_RGB_COLORS);
    return px;
  }
  uint32_t At(int x, int y) const { return Pixels()[size_t(y) * size_t(width_) + size_t(x)]; }

  // The bounding box of pixels that differ from `background` (empty when none).
  RECT Ink(uint32_t background = 0xFFFFFF) const {
    std::vector<uint32_t> px = Pixels();
    RECT box{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if ((px[size_t(y) * size_t(width_) + size_t(x)] & 0xFFFFFF) != background) {
          box.left = std::min<LONG>(box.left, x);
          box.top = std::min<LONG>(box.top, y);
          box.right = std::max<LONG>(box.right, x + 1);
          box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    return box.right > box.left ? box : RECT{0, 0, 0, 0};
  }
  // Columns holding ink, as runs [start, end) from left to right.
  std::vector<std::pair<int, int>> InkColumns() const {
    std::vector<uint32_t> px = Pixels();
    std::vector<std::pair<int, int>> runs;
    bool in = false;
    for (int x = 0; x < width_; ++x) {
      bool ink = false;
      for (int y = 0; y < height_ && !ink; ++y)
        ink = (px[size_t(y) * size_t(width_) + size_t(x)] & 0xFFFFFF) != 0xFFFFFF;
      if (ink && !in) runs.push_back({x, x + 1});
      if (ink) runs.back().second = x + 1;
      in = ink;
    }
    return runs;
  }

 private:
  int width_, height_;
  HDC dc_;
  HBITMAP bitmap_;
  HFONT font_;
  HGDIOBJ oldBitmap_ = nullptr, oldFont_ = nullptr;
};

inline int TextWidth(HDC dc, std::u16string_view s) {
  SIZE size{};
  GetTextExtentPoint32W(dc, s.data(), int(s.size()), &size);
  return size.cx;
}

}  // namespace talix::text::testing
