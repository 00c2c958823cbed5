#include "image/codec/mono_formats.h"

#include "image/store/random15.h"

namespace talix::image {
namespace {

// A multi-byte integer of at most two bytes; false when longer or past the end.
bool ReadMultiByte(const uint8_t* data, size_t size, size_t* at, int* value) {
  int result = 0;
  for (int n = 0; n < 2; ++n) {
    if (*at >= size) return false;
    const uint8_t b = data[(*at)++];
    result = (result << 7) | (b & 0x7F);
    if (!(b & 0x80)) {
      *value = result;
      return true;
    }
  }
  return false;
}

void PutMultiByte(std::vector<uint8_t>* out, uint32_t value) {
  int groups = 1;
  while (groups < 5 && (value >> (7 * groups))) ++groups;
  for (int g = groups - 1; g >= 0; --g)
    out->push_back(uint8_t(((value >> (7 * g)) & 0x7F) | (g ? 0x80 : 0)));
}

void PutGrey(uint8_t* p, bool white) { p[0] = p[1] = p[2] = white ? 255 : 0; }

const uint8_t* TopDownPixel(const uint8_t* rows, int height, int rowSize, int x, int y) {
  return rows + size_t(height - 1 - y) * size_t(rowSize) + 3 * size_t(x);
}

}  // namespace

bool PixelIsLight(const uint8_t* bgr) {
  for (int c = 0; c < 3; ++c)
    if (!(Random15() / 255 < bgr[c])) return false;
  return true;
}

MonoStatus DecodeWbmp(const uint8_t* data, size_t size, Picture* out) {
  size_t at = 2;
  int width = 0, height = 0;
  if (size < 4 || data[0] != 0 || data[1] != 0) return MonoStatus::kBadFormat;
  if (!ReadMultiByte(data, size, &at, &width) || !ReadMultiByte(data, size, &at, &height))
    return MonoStatus::kBadFormat;
  if (width <= 0 || height <= 0) return MonoStatus::kBadFormat;
  const size_t rowBytes = (size_t(width) + 7) / 8;
  if ((size - at) / rowBytes < size_t(height)) return MonoStatus::kBadFormat;
  if (!out->Allocate(width, height)) return MonoStatus::kBadFormat;
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = data + at + size_t(y) * rowBytes;
    for (int x = 0; x < width; ++x) PutGrey(out->Pixel(x, y), (row[x / 8] >> (7 - x % 8)) & 1);
  }
  return MonoStatus::kOk;
}

MonoStatus DecodeOta(const uint8_t* data, size_t size, Picture* out) {
  if (size < 4 || size >= 8197 || data[0] != 0 || data[3] != 1) return MonoStatus::kBadFormat;
  const int width = data[1], height = data[2];
  if (width == 0 || height == 0) return MonoStatus::kBadFormat;
  const size_t bits = size_t(width) * size_t(height);
  if (size - 4 < (bits + 7) / 8) return MonoStatus::kBadFormat;
  if (!out->Allocate(width, height)) return MonoStatus::kBadFormat;
  for (size_t i = 0; i < bits; ++i) {
    const bool black = (data[4 + i / 8] >> (7 - i % 8)) & 1;
    PutGrey(out->Pixel(int(i % size_t(width)), int(i / size_t(width))), !black);
  }
  return MonoStatus::kOk;
}

std::vector<uint8_t> EncodeWbmp(const uint8_t* rows, int width, int height, int rowSize) {
  std::vector<uint8_t> out = {0, 0};
  PutMultiByte(&out, uint32_t(width));
  PutMultiByte(&out, uint32_t(height));
  const size_t rowBytes = (size_t(width) + 7) / 8;
  for (int y = 0; y < height; ++y) {
    const size_t start = out.size();
    out.resize(start + rowBytes, 0);
    for (int x = 0; x < width; ++x)
      if (PixelIsLight(TopDownPixel(rows, height, rowSize, x, y))) out[start + x / 8] |= uint8_t(0x80 >> (x % 8));
  }
  return out;
}

std::vector<uint8_t> EncodeOta(const uint8_t* rows, int width, int height, int rowSize) {
  std::vector<uint8_t> out = {0, uint8_t(width), uint8_t(height), 1};
  const size_t bits = size_t(width) * size_t(height);
  out.resize(4 + (bits + 7) / 8, 0);
  for (size_t i = 0; i < bits; ++i)
    if (!PixelIsLight(TopDownPixel(rows, height, rowSize, int(i % size_t(width)), int(i / size_t(width)))))
      out[4 + i / 8] |= uint8_t(0x80 >> (i % 8));
  return out;
}

}  // namespace talix::image
