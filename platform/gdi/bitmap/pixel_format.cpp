#include "platform/gdi/bitmap/pixel_format.h"

#include <cstring>

namespace talix::gdi {
namespace {

struct Channel {
  uint32_t mask;
  int shift;
  int bits;
};

Channel MakeChannel(uint32_t mask) {
  Channel c{mask, 0, 0};
  if (!mask) return c;
  while (!((mask >> c.shift) & 1)) ++c.shift;
  while (c.shift + c.bits < 32 && ((mask >> (c.shift + c.bits)) & 1)) ++c.bits;
  return c;
}

uint32_t Extract(const Channel& c, uint32_t p) {
  if (!c.bits) return 0;
  uint32_t v = (p & c.mask) >> c.shift;
  if (c.bits >= 8) return v >> (c.bits - 8);
  // Narrow channels widen by repeating their bits: 5-bit 0x1F is 0xFF, 0x10 is 0x84.
  uint32_t wide = 0;
  for (int pos = 8 - c.bits; pos > -c.bits; pos -= c.bits) wide |= pos >= 0 ? v << pos : v >> -pos;
  return wide & 0xFF;
}

uint32_t Insert(const Channel& c, uint32_t v8) {
  if (!c.bits) return 0;
  uint32_t v = c.bits >= 8 ? v8 << (c.bits - 8) : v8 >> (8 - c.bits);
  return (v << c.shift) & c.mask;
}

struct Masks {
  Channel r, g, b;
};

Masks MasksOf(const PixelFormat& f) {
  if (f.redMask | f.greenMask | f.blueMask)
    return {MakeChannel(f.redMask), MakeChannel(f.greenMask), MakeChannel(f.blueMask)};
  if (f.bpp == 16) return {MakeChannel(0x7C00), MakeChannel(0x03E0), MakeChannel(0x001F)};
  return {MakeChannel(0xFF0000), MakeChannel(0xFF00), MakeChannel(0xFF)};
}

uint32_t PaletteColor(const PixelFormat& f, unsigned index) {
  return index < f.palette.size() ? QuadToPixel(f.palette[index]) : 0;
}

// Remembers the last colour looked up: runs of one colour are common.
class NearestCache {
 public:
  explicit NearestCache(const std::vector<RGBQUAD>& palette) : palette_(palette) {}
  unsigned Find(uint32_t pixel) {
    pixel &= 0xFFFFFF;
    if (pixel != last_) {
      last_ = pixel;
      index_ = static_cast<unsigned>(NearestIndex(palette_, pixel));
    }
    return index_;
  }

 private:
  const std::vector<RGBQUAD>& palette_;
  uint32_t last_ = 0xFFFFFFFF;
  unsigned index_ = 0;
};

}  // namespace

bool PixelFormat::IsBgrx32() const {
  return bpp == 32 && ((!redMask && !greenMask && !blueMask) ||
                       (redMask == 0xFF0000 && greenMask == 0xFF00 && blueMask == 0xFF));
}

int64_t RowBytes(int64_t width, int bpp, int align) {
  int64_t bits = width * bpp;
  int64_t alignBits = int64_t(align) * 8;
  return (bits + alignBits - 1) / alignBits * align;
}

int NearestIndex(const std::vector<RGBQUAD>& palette, uint32_t pixel) {
  int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
  int best = 0;
  int bestDistance = 1 << 30;
  for (size_t i = 0; i < palette.size(); ++i) {
    int dr = r - palette[i].rgbRed, dg = g - palette[i].rgbGreen, db = b - palette[i].rgbBlue;
    int d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) {
      bestDistance = d;
      best = static_cast<int>(i);
      if (!d) break;
    }
  }
  return best;
}

void UnpackRow(const PixelFormat& f, const uint8_t* row, int x0, int count, uint32_t* out) {
  switch (f.bpp) {
    case 1:
    case 4:
    case 8: {
      int perByte = 8 / f.bpp;
      unsigned mask = (1u << f.bpp) - 1;
      for (int i = 0; i < count; ++i) {
        int x = x0 + i;
        int shift = 8 - f.bpp * (x % perByte + 1);
        out[i] = PaletteColor(f, (row[x / perByte] >> shift) & mask);
      }
      return;
    }
    case 24:
      for (int i = 0; i < count; ++i) {
        const uint8_t* p = row + 3 * (x0 + i);
        out[i] = (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
      }
      return;
    case 32:
      if (f.IsBgrx32()) {
        std::memcpy(out, row + 4 * size_t(x0), 4 * size_t(count));
        return;
      }
      break;
    default:
      break;
  }
  Masks m = MasksOf(f);
  for (int i = 0; i < count; ++i) {
    uint32_t p;
    if (f.bpp == 16) {
      p = row[2 * (x0 + i)] | (uint32_t(row[2 * (x0 + i) + 1]) << 8);
    } else {
      std::memcpy(&p, row + 4 * size_t(x0 + i), 4);
    }
    out[i] = (Extract(m.r, p) << 16) | (Extract(m.g, p) << 8) | Extract(m.b, p);
  }
}

void PackRow(const PixelFormat& f, uint8_t* row, int x0, int count, const uint32_t* in) {
  switch (f.bpp) {
    case 1:
    case 4:
    case 8: {
      NearestCache nearest(f.palette);
      int perByte = 8 / f.bpp;
      unsigned mask = (1u << f.bpp) - 1;
      for (int i = 0; i < count; ++i) {
        int x = x0 + i;
        int shift = 8 - f.bpp * (x % perByte + 1);
        uint8_t& byte = row[x / perByte];
        byte = static_cast<uint8_t>((byte & ~(mask << shift)) | (nearest.Find(in[i]) << shift));
      }
      return;
    }
    case 24:
      for (int i = 0; i < count; ++i) {
        uint8_t* p = row + 3 * (x0 + i);
        p[0] = in[i] & 0xFF;
        p[1] = (in[i] >> 8) & 0xFF;
        p[2] = (in[i] >> 16) & 0xFF;
      }
      return;
    case 32:
      if (f.IsBgrx32()) {
        std::memcpy(row + 4 * size_t(x0), in, 4 * size_t(count));
        return;
      }
      break;
    default:
      break;
  }
  Masks m = MasksOf(f);
  for (int i = 0; i < count; ++i) {
    uint32_t c = in[i];
    uint32_t p = Insert(m.r, (c >> 16) & 0xFF) | Insert(m.g, (c >> 8) & 0xFF) | Insert(m.b, c & 0xFF);
    if (f.bpp == 16) {
      row[2 * (x0 + i)] = p & 0xFF;
      row[2 * (x0 + i) + 1] = (p >> 8) & 0xFF;
    } else {
      std::memcpy(row + 4 * size_t(x0 + i), &p, 4);
    }
  }
}

std::vector<RGBQUAD> DefaultPalette(int bpp) {
  static const uint8_t kVga[16][3] = {
      {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
      {0, 128, 128},   {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
      {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
  auto quad = [](int r, int g, int b) {
    return RGBQUAD{static_cast<BYTE>(b), static_cast<BYTE>(g), static_cast<BYTE>(r), 0};
  };
  std::vector<RGBQUAD> palette;
  if (bpp == 1) return {quad(0, 0, 0), quad(255, 255, 255)};
  if (bpp != 4 && bpp != 8) return palette;
  for (auto& c : kVga) palette.push_back(quad(c[0], c[1], c[2]));
  if (bpp == 4) return palette;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) palette.push_back(quad(r * 51, g * 51, b * 51));
  for (int i = 1; palette.size() < 256; ++i) palette.push_back(quad(i * 10, i * 10, i * 10));
  return palette;
}

}  // namespace talix::gdi
