// Pixel formats of bitmaps and DIBs, and conversion of rows to and from 32-bit pixels
// (0x00RRGGBB words; the top byte is kept for 32-bit formats with the standard masks).
//
// Limits: only uncompressed rows (BI_RGB and BI_BITFIELDS); indexed writes pick the
// nearest palette entry by squared RGB distance (no dithering).
#pragma once

#include <win/gdi.h>

#include <cstdint>
#include <vector>

namespace talix::gdi {

struct PixelFormat {
  int bpp = 32;
  // Channel masks for 16- and 32-bit pixels; zero means the BI_RGB defaults.
  uint32_t redMask = 0, greenMask = 0, blueMask = 0;
  std::vector<RGBQUAD> palette;  // 1, 4 and 8 bits

  bool Indexed() const { return bpp <= 8; }
  // True for 32-bit pixels laid out as B, G, R, X bytes.
  bool IsBgrx32() const;
};

// Bytes of one row of width pixels, padded to `align` bytes.
int64_t RowBytes(int64_t width, int bpp, int align);

// Converts pixels [x0, x0 + count) of a packed row to 32-bit pixels and back.
void UnpackRow(const PixelFormat& format, const uint8_t* row, int x0, int count, uint32_t* out);
void PackRow(const PixelFormat& format, uint8_t* row, int x0, int count, const uint32_t* in);

// The palette a DIB of this depth gets when the bitmap has none of its own: black and
// white, the 16 VGA colours, or the VGA colours followed by a 6x6x6 cube and greys.
std::vector<RGBQUAD> DefaultPalette(int bpp);
int NearestIndex(const std::vector<RGBQUAD>& palette, uint32_t pixel);

inline uint32_t ColorRefToPixel(COLORREF c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
inline COLORREF PixelToColorRef(uint32_t p) {
  return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
}
inline uint32_t QuadToPixel(const RGBQUAD& q) {
  return (uint32_t(q.rgbRed) << 16) | (uint32_t(q.rgbGreen) << 8) | q.rgbBlue;
}

}  // namespace talix::gdi
