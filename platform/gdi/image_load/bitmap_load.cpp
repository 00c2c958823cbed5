#include "platform/gdi/image_load/bitmap_load.h"

#include "platform/gdi/bitmap/dib_info.h"
#include "platform/gdi/image_load/icon_dir.h"

#include <win/errors.h>

#include <cstring>
#include <vector>

namespace talix::gdi {

namespace {

HBITMAP Invalid() {
  SetLastError(ERROR_INVALID_DATA);
  return nullptr;
}

}  // namespace

size_t PackedDibInfoBytes(const uint8_t* dib, size_t size) {
  if (!dib || size < sizeof(BITMAPINFOHEADER)) return 0;
  uint32_t headerSize = ReadU32(dib);
  if (headerSize < sizeof(BITMAPINFOHEADER) || headerSize > size || headerSize > 1024) return 0;
  BITMAPINFOHEADER h;
  std::memcpy(&h, dib, sizeof h);
  if (h.biBitCount > 32 || h.biClrUsed > 256) return 0;
  size_t entries = h.biClrUsed ? h.biClrUsed : h.biBitCount <= 8 ? size_t(1) << h.biBitCount : 0;
  size_t table = 4 * entries;
  if (h.biCompression == BI_BITFIELDS && headerSize == sizeof h) table += 12;
  return table <= size - headerSize ? headerSize + table : 0;
}

namespace {

HBITMAP FromParts(const uint8_t* dib, size_t infoBytes, const uint8_t* bits, size_t bitsSize,
                  UINT flags) {
  // An aligned private copy of the header: resource bytes need not be aligned.
  std::vector<uint32_t> info((infoBytes + 3) / 4);
  std::memcpy(info.data(), dib, infoBytes);
  auto* bmi = reinterpret_cast<const BITMAPINFO*>(info.data());
  DibLayout layout;
  if (!ParseDibInfo(bmi, DIB_RGB_COLORS, true, &layout)) return Invalid();
  if (int64_t(layout.width) * layout.height > kMaxLoadedBitmapPixels ||
      uint64_t(layout.imageBytes) > bitsSize)
    return Invalid();
  if (flags & LR_CREATEDIBSECTION) {
    void* out = nullptr;
    HBITMAP dibSection = CreateDIBSection(nullptr, bmi, DIB_RGB_COLORS, &out, nullptr, 0);
    if (dibSection) std::memcpy(out, bits, size_t(layout.imageBytes));
    return dibSection;
  }
  HBITMAP bitmap = CreateBitmap(layout.width, layout.height, 1, (flags & LR_MONOCHROME) ? 1 : 32,
                                nullptr);
  if (bitmap && !SetDIBits(nullptr, bitmap, 0, UINT(layout.height), bits, bmi, DIB_RGB_COLORS)) {
    DeleteObject(bitmap);
    return Invalid();
  }
  return bitmap;
}

}  // namespace

HBITMAP BitmapFromPackedDib(const uint8_t* dib, size_t size, UINT flags) {
  size_t infoBytes = PackedDibInfoBytes(dib, size);
  if (!infoBytes) return Invalid();
  return FromParts(dib, infoBytes, dib + infoBytes, size - infoBytes, flags);
}

HBITMAP BitmapFromFileBytes(const uint8_t* data, size_t size, UINT flags) {
  constexpr size_t kFileHeader = 14;
  if (!data || size < kFileHeader || data[0] != 'B' || data[1] != 'M') return Invalid();
  uint32_t bitsAt = ReadU32(data + 10);
  const uint8_t* dib = data + kFileHeader;
  size_t infoBytes = PackedDibInfoBytes(dib, size - kFileHeader);
  if (!infoBytes || bitsAt < kFileHeader + infoBytes || bitsAt > size) return Invalid();
  return FromParts(dib, infoBytes, data + bitsAt, size - bitsAt, flags);
}

}  // namespace talix::gdi
