// Helpers for the image-loading tests: the fixture files, and what an icon holds.
#pragma once

#include <talix/host_handles.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace talix::icons::testing {

inline std::string DataPath(const char* name) { return std::string(TALIX_ICON_DATA) + "/" + name; }
inline std::u16string Wide(const std::string& s) { return std::u16string(s.begin(), s.end()); }

inline std::vector<uint8_t> ReadData(const char* name) {
  std::ifstream in(DataPath(name), std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline size_t LiveIcons() { return talix::host::LiveHandles(HandleKind::Icon); }
inline size_t LiveGdi() {
  GetStockObject(WHITE_BRUSH);
  return talix::host::LiveHandles(HandleKind::GdiObject);
}

// A bitmap's pixels as 32-bit words, top row first.
inline std::vector<uint32_t> Pixels(HBITMAP bitmap) {
  BITMAP info{};
  GetObjectW(bitmap, sizeof info, &info);
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = info.bmWidth;
  bmi.bmiHeader.biHeight = -info.bmHeight;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  std::vector<uint32_t> px(size_t(info.bmWidth) * size_t(info.bmHeight));
  GetDIBits(nullptr, bitmap, 0, UINT(info.bmHeight), px.data(), &bmi, DIB_RGB_COLORS);
  return px;
}

// What a test needs to know of an icon: size, hot spot, kind, and its planes.
struct IconFacts {
  int width = 0, height = 0;
  bool isIcon = false;
  int hotX = 0, hotY = 0;
  std::vector<uint32_t> color, mask;
};

inline IconFacts FactsOf(HICON icon) {
  IconFacts facts;
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return facts;
  BITMAP bm{};
  GetObjectW(info.hbmColor, sizeof bm, &bm);
  facts.width = bm.bmWidth;
  facts.height = bm.bmHeight;
  facts.isIcon = info.fIcon;
  facts.hotX = int(info.xHotspot);
  facts.hotY = int(info.yHotspot);
  if (info.hbmColor) {
    // 32-bit DIB sections keep their alpha; read them directly.
    DIBSECTION ds{};
    if (GetObjectW(info.hbmColor, sizeof ds, &ds) == int(sizeof ds)) {
      const auto* bits = static_cast<const uint32_t*>(ds.dsBm.bmBits);
      bool bottomUp = ds.dsBmih.biHeight > 0;
      for (int y = 0; y < bm.bmHeight; ++y) {
        const uint32_t* row = bits + size_t(bottomUp ? bm.bmHeight - 1 - y : y) * bm.bmWidth;
        facts.color.insert(facts.color.end(), row, row + bm.bmWidth);
      }
    } else {
      facts.color = Pixels(info.hbmColor);
    }
  }
  facts.mask = Pixels(info.hbmMask);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return facts;
}

}  // namespace talix::icons::testing
