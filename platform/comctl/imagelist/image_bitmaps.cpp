#include "platform/comctl/imagelist/image_bitmaps.h"

#include <algorithm>
#include <cstring>

namespace talix::comctl {

HBITMAP NewColorSection(int width, int height, uint32_t** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  *bits = static_cast<uint32_t*>(pixels);
  return bitmap;
}

HBITMAP NewMaskBitmap(const uint8_t* mask, int width, int height) {
  size_t stride = ((size_t(width) + 15) / 16) * 2;  // monochrome rows are WORD-aligned
  std::vector<uint8_t> bits(stride * height, 0);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (mask[size_t(y) * width + x]) bits[y * stride + x / 8] |= uint8_t(0x80 >> (x % 8));
  return CreateBitmap(width, height, 1, 1, bits.data());
}

namespace {

// Draws one part of an icon (DI_IMAGE or DI_MASK) into a fresh plane.
bool DrawIconPart(HICON icon, int cx, int cy, UINT part, std::vector<uint32_t>* out) {
  uint32_t* bits = nullptr;
  HBITMAP section = NewColorSection(cx, cy, &bits);
  HDC dc = CreateCompatibleDC(nullptr);
  if (!section || !dc) {
    if (section) DeleteObject(section);
    if (dc) DeleteDC(dc);
    return false;
  }
  HGDIOBJ old = SelectObject(dc, section);
  std::memset(bits, 0, size_t(cx) * cy * 4);
  bool drawn = DrawIconEx(dc, 0, 0, icon, cx, cy, 0, nullptr, part) != FALSE;
  if (drawn) out->assign(bits, bits + size_t(cx) * cy);
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(section);
  return drawn;
}

}  // namespace

bool RenderIcon(const ImageList& list, HICON icon, ListImage* out) {
  std::vector<uint32_t> color, mask;
  if (!DrawIconPart(icon, list.cx, list.cy, DI_IMAGE, &color) ||
      !DrawIconPart(icon, list.cx, list.cy, DI_MASK, &mask))
    return false;
  out->color = std::move(color);
  out->mask.resize(mask.size());
  for (size_t i = 0; i < mask.size(); ++i) out->mask[i] = (mask[i] & 0xFFFFFF) != 0;
  out->alpha = std::any_of(out->color.begin(), out->color.end(),
                           [](uint32_t c) { return (c >> 24) != 0; });
  NormalizeImage(list, out);
  return true;
}

}  // namespace talix::comctl
