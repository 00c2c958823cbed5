#include "platform/gdi/image_load/icon_image.h"

#include "platform/gdi/bitmap/dib_info.h"
#include "platform/gdi/image_load/bitmap_load.h"
#include "platform/gdi/image_load/icon_dir.h"

#include <win/sysmetrics.h>

#include <png.h>

#include <cstring>

namespace talix::gdi {

namespace {

std::shared_ptr<IconObject> DecodePng(const uint8_t* data, size_t size) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, data, size)) return nullptr;
  auto icon = std::make_shared<IconObject>();
  if (image.width > uint32_t(kMaxIconSide) || image.height > uint32_t(kMaxIconSide) ||
      !icon->Resize(int(image.width), int(image.height))) {
    png_image_free(&image);
    return nullptr;
  }
  image.format = PNG_FORMAT_BGRA;  // bytes B, G, R, A: one 0xAARRGGBB word a pixel
  if (!png_image_finish_read(&image, nullptr, icon->color.data(), 0, nullptr)) {
    png_image_free(&image);
    return nullptr;
  }
  for (size_t i = 0; i < icon->color.size(); ++i) icon->mask[i] = (icon->color[i] >> 24) == 0;
  icon->hasAlpha = true;
  return icon;
}

// The header and colour table, checked against the bytes; false when they do not fit.
bool ReadDibHeader(const uint8_t* data, size_t size, std::vector<uint8_t>* info,
                   DibLayout* layout) {
  size_t infoBytes = PackedDibInfoBytes(data, size);
  if (!infoBytes) return false;
  BITMAPINFOHEADER h;
  std::memcpy(&h, data, sizeof h);
  if (h.biWidth <= 0 || h.biHeight <= 0 || h.biHeight % 2 || h.biWidth > kMaxIconSide ||
      h.biHeight / 2 > kMaxIconSide)
    return false;
  if (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS) return false;
  info->assign(data, data + infoBytes);
  // The entry's height covers the image and its mask; the image is half of it.
  int32_t half = h.biHeight / 2;
  std::memcpy(info->data() + offsetof(BITMAPINFOHEADER, biHeight), &half, sizeof half);
  return ParseDibInfo(reinterpret_cast<const BITMAPINFO*>(info->data()), DIB_RGB_COLORS, true,
                      layout) &&
         !layout->topDown;
}

std::shared_ptr<IconObject> DecodeDib(const uint8_t* data, size_t size) {
  std::vector<uint8_t> info;
  DibLayout layout;
  if (!ReadDibHeader(data, size, &info, &layout)) return nullptr;
  size_t bitsAt = info.size();
  if (uint64_t(layout.imageBytes) > size - bitsAt) return nullptr;
  auto icon = std::make_shared<IconObject>();
  if (!icon->Resize(layout.width, layout.height)) return nullptr;
  int w = layout.width, h = layout.height;
  const uint8_t* xorBits = data + bitsAt;
  for (int y = 0; y < h; ++y)  // bottom-up rows
    UnpackRow(layout.format, xorBits + size_t(h - 1 - y) * layout.rowBytes, 0, w,
              icon->color.data() + size_t(y) * w);
  bool alpha = layout.format.bpp == 32 && icon->ColorHasAlpha();
  if (!alpha)
    for (uint32_t& p : icon->color) p &= 0xFFFFFF;
  size_t maskRow = size_t(RowBytes(w, 1, 4));
  size_t maskAt = bitsAt + size_t(layout.imageBytes);
  bool haveMask = maskRow * h <= size - maskAt;
  if (!haveMask && !alpha) return nullptr;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      size_t i = size_t(y) * w + x;
      icon->mask[i] = haveMask ? (data[maskAt + size_t(h - 1 - y) * maskRow + x / 8] >> (7 - x % 8)) & 1
                               : (icon->color[i] >> 24) == 0;
    }
  icon->hasAlpha = alpha;
  return icon;
}

}  // namespace

std::shared_ptr<IconObject> DecodeIconImage(const uint8_t* data, size_t size) {
  static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (!data) return nullptr;
  if (size >= 8 && std::memcmp(data, kPng, 8) == 0) return DecodePng(data, size);
  return DecodeDib(data, size);
}

std::shared_ptr<IconObject> ScaleIcon(const IconObject& icon, int width, int height) {
  auto out = std::make_shared<IconObject>(icon);
  if (width == icon.width && height == icon.height) return out;
  if (!out->Resize(width, height)) return nullptr;
  for (int y = 0; y < height; ++y) {
    int sy = int(int64_t(2 * y + 1) * icon.height / (2 * int64_t(height)));
    for (int x = 0; x < width; ++x) {
      int sx = int(int64_t(2 * x + 1) * icon.width / (2 * int64_t(width)));
      out->color[size_t(y) * width + x] = icon.color[size_t(sy) * icon.width + sx];
      out->mask[size_t(y) * width + x] = icon.mask[size_t(sy) * icon.width + sx];
    }
  }
  out->hotspot = {LONG(int64_t(icon.hotspot.x) * width / icon.width),
                  LONG(int64_t(icon.hotspot.y) * height / icon.height)};
  return out;
}

void RequestedIconSize(bool icon, int cx, int cy, UINT flags, int* outCx, int* outCy) {
  bool system = (flags & LR_DEFAULTSIZE) != 0;
  *outCx = cx ? cx : system ? GetSystemMetrics(icon ? SM_CXICON : SM_CXCURSOR) : 0;
  *outCy = cy ? cy : system ? GetSystemMetrics(icon ? SM_CYICON : SM_CYCURSOR) : 0;
}

}  // namespace talix::gdi
