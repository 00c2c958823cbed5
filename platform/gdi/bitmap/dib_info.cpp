#include "platform/gdi/bitmap/dib_info.h"

#include "platform/gdi/bitmap/bitmap_object.h"

#include <cstring>

namespace talix::gdi {
namespace {

bool DepthAllowed(int bpp) {
  return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

const uint8_t* AfterHeader(const BITMAPINFO* info) {
  return reinterpret_cast<const uint8_t*>(info) + info->bmiHeader.biSize;
}

}  // namespace

int ColorTableEntries(const BITMAPINFOHEADER& h) {
  if (h.biBitCount > 8) return h.biClrUsed > 256 ? 256 : int(h.biClrUsed);
  int full = 1 << h.biBitCount;
  return h.biClrUsed && h.biClrUsed < DWORD(full) ? int(h.biClrUsed) : full;
}

const RGBQUAD* ColorTableOf(const BITMAPINFO* info) {
  const uint8_t* p = AfterHeader(info);
  if (info->bmiHeader.biCompression == BI_BITFIELDS && info->bmiHeader.biSize == 40) p += 12;
  return reinterpret_cast<const RGBQUAD*>(p);
}

RGBQUAD* ColorTableOf(BITMAPINFO* info) {
  return const_cast<RGBQUAD*>(ColorTableOf(static_cast<const BITMAPINFO*>(info)));
}

bool ParseDibInfo(const BITMAPINFO* info, UINT usage, bool readColors, DibLayout* out) {
  if (!info || usage != DIB_RGB_COLORS) return false;
  const BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biSize > 1024) return false;
  if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN) return false;
  if (!DepthAllowed(h.biBitCount)) return false;
  int height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  if (h.biWidth > kMaxBitmapSide || height > kMaxBitmapSide) return false;
  PixelFormat format;
  format.bpp = h.biBitCount;
  if (h.biCompression == BI_BITFIELDS) {
    if (format.bpp != 16 && format.bpp != 32) return false;
    uint32_t masks[3];
    std::memcpy(masks, reinterpret_cast<const uint8_t*>(info) + 40, sizeof masks);
    if (!masks[0] || !masks[1] || !masks[2]) return false;
    format.redMask = masks[0];
    format.greenMask = masks[1];
    format.blueMask = masks[2];
  } else if (h.biCompression != BI_RGB) {
    return false;
  }
  if (format.Indexed()) {
    if (readColors) {
      const RGBQUAD* table = ColorTableOf(info);
      format.palette.assign(table, table + ColorTableEntries(h));
      for (auto& q : format.palette) q.rgbReserved = 0;
    } else {
      format.palette = DefaultPalette(format.bpp);
    }
  }
  out->width = h.biWidth;
  out->height = height;
  out->topDown = h.biHeight < 0;
  out->format = std::move(format);
  out->rowBytes = RowBytes(h.biWidth, h.biBitCount, 4);
  out->imageBytes = out->rowBytes * height;
  return out->imageBytes <= kMaxBitmapBytes;
}

}  // namespace talix::gdi
