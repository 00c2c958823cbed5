// Helpers for the GIF writer tests: bitmaps made through GDI, temporary files, and
// reading written files back with giflib.
#pragma once

#include "image/GifLibrary.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace giftest {

// A 24-bit DIB section; colour(x, y) gives 0xRRGGBB with y = 0 at the top of the picture.
inline HBITMAP MakeBitmap24(int width, int height, const std::function<uint32_t(int, int)>& colour) {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return nullptr;
  int rowSize = (width * 3 + 3) & ~3;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint8_t* p = static_cast<uint8_t*>(bits) + size_t(height - 1 - y) * rowSize + 3 * x;
      uint32_t c = colour(x, y);
      p[0] = uint8_t(c), p[1] = uint8_t(c >> 8), p[2] = uint8_t(c >> 16);
    }
  return bitmap;
}

// An indexed DIB section (1, 4 or 8 bits) with its own palette; index(x, y) as above.
inline HBITMAP MakeIndexedBitmap(int width, int height, int bpp, const std::vector<uint32_t>& palette,
                                 const std::function<int(int, int)>& index) {
  std::vector<uint8_t> block(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
  auto* info = reinterpret_cast<BITMAPINFO*>(block.data());
  info->bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, WORD(bpp), BI_RGB, 0, 0, 0, 0, 0};
  for (size_t i = 0; i < palette.size(); ++i)
    info->bmiColors[i] = RGBQUAD{uint8_t(palette[i]), uint8_t(palette[i] >> 8),
                                 uint8_t(palette[i] >> 16), 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return nullptr;
  int rowSize = ((width * bpp + 31) / 32) * 4;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint8_t* row = static_cast<uint8_t*>(bits) + size_t(height - 1 - y) * rowSize;
      int bit = x * bpp, shift = 8 - bpp - bit % 8;
      row[bit / 8] = uint8_t(row[bit / 8] | (index(x, y) << shift));
    }
  return bitmap;
}

// A temporary file for one test, with its Windows-form name.
class TempFile {
 public:
  explicit TempFile(const std::string& name)
      : host_((std::filesystem::temp_directory_path() /
               ("talix_gif_" + std::to_string(getpid()) + "_" + name)).string()) {
    std::filesystem::remove(host_);
  }
  ~TempFile() { std::filesystem::remove(host_); }
  const std::string& Host() const { return host_; }
  std::u16string Windows() const {
    std::u16string path = u"Z:";
    for (char c : host_) path += c == '/' ? u'\\' : char16_t(c);
    return path;
  }
  std::vector<uint8_t> Bytes() const {
    std::ifstream in(host_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

 private:
  std::string host_;
};

// A file read by giflib; null when giflib refuses it.
struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};
using DecodedGif = std::unique_ptr<GifFileType, GifCloser>;

inline DecodedGif Decode(const std::string& hostPath) {
  int error = 0;
  GifFileType* gif = DGifOpenFileName(hostPath.c_str(), &error);
  if (!gif) return nullptr;
  DecodedGif owned(gif);
  if (DGifSlurp(gif) != GIF_OK) return nullptr;
  return owned;
}

// The 0xRRGGBB colour of a decoded pixel through the global table.
inline uint32_t DecodedColour(const GifFileType* gif, int index) {
  const GifColorType& c = gif->SColorMap->Colors[index];
  return uint32_t(c.Red) << 16 | uint32_t(c.Green) << 8 | c.Blue;
}

}  // namespace giftest
