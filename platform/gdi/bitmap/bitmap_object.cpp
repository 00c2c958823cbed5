#include "platform/gdi/bitmap/bitmap_object.h"

#include <win/base.h>

#include <cstdlib>
#include <cstring>

namespace talix::gdi {
namespace {

bool SizeAllowed(int width, int height, int bpp, int align, int64_t* rowBytes) {
  if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide)
    return false;
  *rowBytes = RowBytes(width, bpp, align);
  return *rowBytes * height <= kMaxBitmapBytes;
}

}  // namespace

std::shared_ptr<BitmapObject> BitmapObject::Describe(uint8_t* bits, int width, int height,
                                                     const PixelFormat& format, bool dib,
                                                     bool topDown) {
  std::shared_ptr<BitmapObject> bitmap(new BitmapObject());
  bitmap->bits_ = bits;
  bitmap->width_ = width;
  bitmap->height_ = height;
  bitmap->format_ = format;
  bitmap->dib_ = dib;
  bitmap->topDown_ = topDown;
  bitmap->rowBytes_ = RowBytes(width, format.bpp, dib ? 4 : 2);
  return bitmap;
}

std::shared_ptr<BitmapObject> BitmapObject::Create(int width, int height,
                                                   const PixelFormat& format, bool dib,
                                                   bool topDown) {
  int64_t rowBytes = 0;
  if (!SizeAllowed(width, height, format.bpp, dib ? 4 : 2, &rowBytes)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  void* memory = std::calloc(size_t(rowBytes) * size_t(height), 1);
  if (!memory) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  auto bitmap = Describe(static_cast<uint8_t*>(memory), width, height, format, dib, topDown);
  bitmap->storage_ = {static_cast<uint8_t*>(memory), std::free};
  return bitmap;
}

std::shared_ptr<BitmapObject> BitmapObject::Wrap(uint8_t* bits, int width, int height,
                                                 const PixelFormat& format, bool topDown) {
  int64_t rowBytes = 0;
  if (!bits || !SizeAllowed(width, height, format.bpp, 4, &rowBytes)) return nullptr;
  return Describe(bits, width, height, format, true, topDown);
}

std::recursive_mutex& PixelLock() {
  static std::recursive_mutex lock;
  return lock;
}

bool BitmapObject::AsSurface32(Surface32* out) const {
  if (format_.bpp != 32 || !format_.IsBgrx32()) return false;
  out->bits = Row(0);
  out->width = width_;
  out->height = height_;
  out->stride = topDown_ ? rowBytes_ : -rowBytes_;
  return true;
}

void BitmapObject::ReadRow(int x, int y, int count, uint32_t* out) const {
  UnpackRow(format_, Row(y), x, count, out);
}

void BitmapObject::WriteRow(int x, int y, int count, const uint32_t* in) {
  if (!ClearsX()) {
    PackRow(format_, Row(y), x, count, in);
    return;
  }
  uint32_t* row = reinterpret_cast<uint32_t*>(Row(y)) + x;
  for (int i = 0; i < count; ++i) row[i] = in[i] & 0xFFFFFF;
}

bool BitmapObject::Claim(const void* dc) {
  if (IsStock()) return true;
  const void* expected = nullptr;
  return owner_.compare_exchange_strong(expected, dc) || expected == dc;
}

void BitmapObject::Release(const void* dc) {
  const void* expected = dc;
  owner_.compare_exchange_strong(expected, nullptr);
}

BITMAPINFOHEADER BitmapObject::DibHeader() const {
  BITMAPINFOHEADER h{};
  h.biSize = sizeof(BITMAPINFOHEADER);
  h.biWidth = width_;
  h.biHeight = topDown_ ? -height_ : height_;
  h.biPlanes = 1;
  h.biBitCount = static_cast<WORD>(format_.bpp);
  h.biCompression = (format_.redMask | format_.greenMask | format_.blueMask) ? BI_BITFIELDS : BI_RGB;
  h.biSizeImage = static_cast<DWORD>(ImageBytes());
  h.biClrUsed = format_.Indexed() ? static_cast<DWORD>(format_.palette.size()) : 0;
  return h;
}

int BitmapObject::GetObjectInfo(int cb, void* out) const {
  int size = dib_ && cb >= int(sizeof(DIBSECTION)) ? int(sizeof(DIBSECTION)) : int(sizeof(BITMAP));
  if (!out) return dib_ ? int(sizeof(DIBSECTION)) : int(sizeof(BITMAP));
  if (cb < int(sizeof(BITMAP))) return 0;
  DIBSECTION ds{};
  ds.dsBm.bmWidth = width_;
  ds.dsBm.bmHeight = height_;
  ds.dsBm.bmWidthBytes = static_cast<LONG>(rowBytes_);
  ds.dsBm.bmPlanes = 1;
  ds.dsBm.bmBitsPixel = static_cast<WORD>(format_.bpp);
  ds.dsBm.bmBits = dib_ ? bits_ : nullptr;
  if (size == int(sizeof(DIBSECTION))) {
    ds.dsBmih = DibHeader();
    ds.dsBitfields[0] = format_.redMask;
    ds.dsBitfields[1] = format_.greenMask;
    ds.dsBitfields[2] = format_.blueMask;
  }
  std::memcpy(out, &ds, size_t(size));
  return size;
}

}  // namespace talix::gdi
