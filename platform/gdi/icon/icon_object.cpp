#include "platform/gdi/icon/icon_object.h"

#include "platform/gdi/bitmap/bitmap_object.h"
#include "platform/gdi/bitmap/pixel_format.h"

#include <win/errors.h>

namespace talix::gdi {

bool IconObject::Resize(int w, int h) {
  if (w <= 0 || h <= 0 || w > kMaxIconSide || h > kMaxIconSide) return false;
  width = w;
  height = h;
  color.assign(size_t(w) * size_t(h), 0);
  mask.assign(size_t(w) * size_t(h), 0);
  return true;
}

bool IconObject::ColorHasAlpha() const {
  for (uint32_t p : color)
    if (p >> 24) return true;
  return false;
}

HandleTable<IconObject>& Icons() {
  static auto* table = new HandleTable<IconObject>(HandleKind::Icon);
  return *table;
}

HICON AddIcon(std::shared_ptr<IconObject> icon) {
  uint32_t value = Icons().Add(std::move(icon));
  if (!value) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return HandleFromValue<HICON>(value);
}

std::shared_ptr<IconObject> IconOrError(HICON icon) {
  auto object = Icons().Get(ValueOfHandle(icon));
  if (!object) SetLastError(ERROR_INVALID_CURSOR_HANDLE);
  return object;
}

bool ReadBitmapPixels(HBITMAP bitmap, int* width, int* height, std::vector<uint32_t>* out) {
  PixelGuard guard(PixelLock());
  BitmapObject* object = PeekBitmap(bitmap);
  if (!object) return false;
  *width = object->Width();
  *height = object->Height();
  out->assign(size_t(*width) * size_t(*height), 0);
  for (int y = 0; y < *height; ++y) object->ReadRow(0, y, *width, out->data() + size_t(y) * *width);
  bool keepAlpha = object->IsDib() && object->Bpp() == 32;
  if (!keepAlpha)
    for (uint32_t& p : *out) p &= 0xFFFFFF;
  return true;
}

namespace {

HBITMAP NewBitmap(int width, int height, int bpp, bool dib, const uint32_t* pixels) {
  PixelFormat format;
  format.bpp = bpp;
  if (bpp == 1) format.palette = DefaultPalette(1);
  auto bitmap = BitmapObject::Create(width, height, format, dib, !dib);
  if (!bitmap) return nullptr;
  for (int y = 0; y < height; ++y) bitmap->WriteRow(0, y, width, pixels + size_t(y) * width);
  return static_cast<HBITMAP>(AddGdiObject(bitmap));
}

}  // namespace

bool MakeIconBitmaps(const IconObject& icon, HBITMAP* mask, HBITMAP* color) {
  size_t n = icon.mask.size();
  std::vector<uint32_t> maskPixels(icon.hasColorBitmap ? n : 2 * n);
  for (size_t i = 0; i < n; ++i) maskPixels[i] = icon.mask[i] ? 0xFFFFFF : 0;
  if (!icon.hasColorBitmap)
    for (size_t i = 0; i < n; ++i) maskPixels[n + i] = icon.color[i] & 0xFFFFFF ? 0xFFFFFF : 0;
  int maskHeight = icon.hasColorBitmap ? icon.height : 2 * icon.height;
  *mask = NewBitmap(icon.width, maskHeight, 1, false, maskPixels.data());
  *color = nullptr;
  if (!*mask) return false;
  if (!icon.hasColorBitmap) return true;
  *color = NewBitmap(icon.width, icon.height, 32, icon.hasAlpha, icon.color.data());
  if (*color) return true;
  DeleteObject(*mask);
  *mask = nullptr;
  return false;
}

}  // namespace talix::gdi
