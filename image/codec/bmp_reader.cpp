#include "image/codec/bmp_reader.h"

#include <array>
#include <cstring>

namespace talix::image {
namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3;

uint32_t Le16(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8; }
uint32_t Le32(const uint8_t* p) { return Le16(p) | Le16(p + 2) << 16; }

struct BmpLayout {
  int64_t width = 0, height = 0;
  bool topDown = false;
  int bits = 0;
  uint32_t compression = kRgb;
  uint32_t masks[3] = {0, 0, 0};  // red, green, blue
  std::array<uint32_t, 256> palette{};  // 0x00RRGGBB
  int paletteSize = 0;
  size_t pixelOffset = 0;
};

bool ReadPalette(const uint8_t* data, size_t size, size_t at, int entrySize, int count,
                 BmpLayout* bmp) {
  bmp->paletteSize = count > 256 ? 256 : count;
  for (int i = 0; i < bmp->paletteSize; ++i) {
    const size_t p = at + size_t(i) * size_t(entrySize);
    if (p + 3 > size) {
      bmp->paletteSize = i;
      return i > 0;
    }
    bmp->palette[i] = uint32_t(data[p + 2]) << 16 | uint32_t(data[p + 1]) << 8 | data[p];
  }
  return true;
}

bool ReadLayout(const uint8_t* data, size_t size, BmpLayout* bmp) {
  if (size < 26 || data[0] != 'B' || data[1] != 'M') return false;
  bmp->pixelOffset = Le32(data + 10);
  const uint32_t headerSize = Le32(data + 14);
  if (headerSize == 12) {
    bmp->width = Le16(data + 18);
    bmp->height = Le16(data + 20);
    bmp->bits = int(Le16(data + 24));
  } else if (headerSize >= 40 && 14 + size_t(headerSize) <= size) {
    bmp->width = int32_t(Le32(data + 18));
    bmp->height = int32_t(Le32(data + 22));
    bmp->bits = int(Le16(data + 28));
    bmp->compression = Le32(data + 30);
  } else {
    return false;
  }
  if (bmp->height < 0) {
    bmp->topDown = true;
    bmp->height = -bmp->height;
  }
  if (!FrameSizeAllowed(bmp->width, bmp->height)) return false;
  const size_t paletteAt = 14 + headerSize;
  if (bmp->bits <= 8) {
    if (bmp->bits != 1 && bmp->bits != 4 && bmp->bits != 8) return false;
    uint32_t used = headerSize >= 40 ? Le32(data + 46) : 0;
    int count = used == 0 || used > (1u << bmp->bits) ? 1 << bmp->bits : int(used);
    return ReadPalette(data, size, paletteAt, headerSize == 12 ? 3 : 4, count, bmp);
  }
  if (bmp->compression == kBitfields) {
    // The masks follow a 40-byte header or sit inside a larger one.
    if (paletteAt + (headerSize == 40 ? 12 : 0) > size || 54 + 12 > size) return false;
    for (int i = 0; i < 3; ++i) bmp->masks[i] = Le32(data + 54 + 4 * i);
    return bmp->bits == 16 || bmp->bits == 32;
  }
  if (bmp->compression != kRgb) return false;
  if (bmp->bits == 16) {
    bmp->masks[0] = 0x7C00, bmp->masks[1] = 0x03E0, bmp->masks[2] = 0x001F;
    return true;
  }
  if (bmp->bits == 32) {
    bmp->masks[0] = 0xFF0000, bmp->masks[1] = 0xFF00, bmp->masks[2] = 0xFF;
    return true;
  }
  return bmp->bits == 24;
}

// One colour channel of a masked pixel, widened to 8 bits by repeating its bits (so
// 5-bit 31 gives 255 and 5-bit 3 gives 24); wider channels keep their top 8 bits.
uint8_t MaskedChannel(uint32_t value, uint32_t mask) {
  if (!mask) return 0;
  int shift = 0, width = 0;
  while (!((mask >> shift) & 1)) ++shift;
  while (shift + width < 32 && ((mask >> (shift + width)) & 1)) ++width;
  const uint32_t v = (value & mask) >> shift;
  if (width >= 8) return uint8_t(v >> (width - 8));
  uint32_t out = 0;
  int bits = 0;
  for (; bits < 8; bits += width) out = (out << width) | v;
  return uint8_t(out >> (bits - 8));
}

void PutColour(uint8_t* p, uint32_t rgb) {
  p[0] = uint8_t(rgb), p[1] = uint8_t(rgb >> 8), p[2] = uint8_t(rgb >> 16);
}

uint32_t PaletteColour(const BmpLayout& bmp, uint32_t index) {
  return index < uint32_t(bmp.paletteSize) ? bmp.palette[index] : 0;
}

// Uncompressed rows.
bool DecodeRows(const uint8_t* data, size_t size, const BmpLayout& bmp, Picture* out) {
  const size_t rowBytes = ((size_t(bmp.width) * size_t(bmp.bits) + 31) / 32) * 4;
  if (bmp.pixelOffset > size || (size - bmp.pixelOffset) / rowBytes < size_t(bmp.height)) return false;
  for (int row = 0; row < bmp.height; ++row) {
    const uint8_t* src = data + bmp.pixelOffset + size_t(row) * rowBytes;
    const int y = bmp.topDown ? row : int(bmp.height) - 1 - row;
    uint8_t* dst = out->Pixel(0, y);
    for (int x = 0; x < bmp.width; ++x, dst += 3) {
      switch (bmp.bits) {
        case 1: PutColour(dst, PaletteColour(bmp, (src[x / 8] >> (7 - x % 8)) & 1)); break;
        case 4: PutColour(dst, PaletteColour(bmp, (src[x / 2] >> (x % 2 ? 0 : 4)) & 15)); break;
        case 8: PutColour(dst, PaletteColour(bmp, src[x])); break;
        case 24: std::memcpy(dst, src + 3 * x, 3); break;
        default: {
          const uint32_t v = bmp.bits == 16 ? Le16(src + 2 * x) : Le32(src + 4 * x);
          dst[0] = MaskedChannel(v, bmp.masks[2]);
          dst[1] = MaskedChannel(v, bmp.masks[1]);
          dst[2] = MaskedChannel(v, bmp.masks[0]);
        }
      }
    }
  }
  return true;
}

// Run-length rows (RLE8 or RLE4); a truncated stream keeps what it decoded.
bool DecodeRle(const uint8_t* data, size_t size, const BmpLayout& bmp, Picture* out) {
  if (bmp.pixelOffset >= size || bmp.topDown) return false;
  const bool four = bmp.compression == kRle4;
  size_t at = bmp.pixelOffset;
  int64_t x = 0, row = 0;
  auto put = [&](uint32_t index) {
    if (x < bmp.width && row < bmp.height)
      PutColour(out->Pixel(int(x), int(bmp.height - 1 - row)), PaletteColour(bmp, index));
    ++x;
  };
  while (at + 2 <= size && row < bmp.height) {
    const uint8_t count = data[at], value = data[at + 1];
    at += 2;
    if (count) {
      for (int i = 0; i < count; ++i) put(four ? (i % 2 ? value & 15 : value >> 4) : value);
    } else if (value == 0) {
      x = 0, ++row;
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      if (at + 2 > size) break;
      x += data[at], row += data[at + 1];
      at += 2;
    } else {
      const size_t bytes = four ? (value + 1) / 2 : value;
      if (at + bytes > size) break;
      for (int i = 0; i < value; ++i)
        put(four ? (i % 2 ? data[at + i / 2] & 15 : data[at + i / 2] >> 4) : data[at + i]);
      at += (bytes + 1) & ~size_t(1);
    }
  }
  return true;
}

}  // namespace

bool DecodeBmp(const uint8_t* data, size_t size, Picture* out) {
  BmpLayout bmp;
  if (!ReadLayout(data, size, &bmp)) return false;
  const bool rle = (bmp.compression == kRle8 && bmp.bits == 8) || (bmp.compression == kRle4 && bmp.bits == 4);
  if (bmp.bits <= 8 && bmp.compression != kRgb && !rle) return false;
  if (!out->Allocate(int(bmp.width), int(bmp.height), rle ? (bmp.palette[0] >> 16 | (bmp.palette[0] & 0xFF00) | (bmp.palette[0] & 0xFF) << 16) : 0))
    return false;
  return rle ? DecodeRle(data, size, bmp, out) : DecodeRows(data, size, bmp, out);
}

}  // namespace talix::image
