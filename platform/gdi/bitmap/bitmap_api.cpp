// Device-compatible bitmaps: CreateBitmap, CreateCompatibleBitmap, the raw bits.
#include "platform/gdi/bitmap/bitmap_object.h"
#include "platform/gdi/dc/dc_object.h"
#include "platform/gdi/objects/stock_objects.h"

#include <win/base.h>
#include <win/gdi.h>

#include <algorithm>
#include <cstring>

using namespace talix::gdi;

namespace {

HBITMAP Add(std::shared_ptr<BitmapObject> bitmap) {
  return bitmap ? static_cast<HBITMAP>(AddGdiObject(std::move(bitmap))) : nullptr;
}

PixelFormat DdbFormat(int bpp) {
  PixelFormat format;
  format.bpp = bpp;
  format.palette = DefaultPalette(bpp);
  return format;
}

// Raw rows as GetBitmapBits and SetBitmapBits see them: top-down, padded to 2 bytes.
int64_t RawRowBytes(const BitmapObject& b) { return RowBytes(b.Width(), b.Bpp(), 2); }

}  // namespace

HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits) {
  if (nWidth < 0 || nHeight < 0 || nPlanes != 1) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (nWidth == 0 || nHeight == 0) return DefaultBitmap();
  if (nBitCount != 1 && nBitCount != 4 && nBitCount != 8 && nBitCount != 16 &&
      nBitCount != 24 && nBitCount != 32) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto bitmap = BitmapObject::Create(nWidth, nHeight, DdbFormat(int(nBitCount)), false, true);
  if (!bitmap) return nullptr;
  HBITMAP h = Add(bitmap);
  if (h && lpBits) SetBitmapBits(h, DWORD(bitmap->ImageBytes()), lpBits);
  return h;
}

HBITMAP CreateBitmapIndirect(const BITMAP* pbm) {
  if (!pbm) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return CreateBitmap(pbm->bmWidth, pbm->bmHeight, pbm->bmPlanes, pbm->bmBitsPixel, pbm->bmBits);
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
  DcObject* dc = DcOrError(hdc);
  if (!dc) return nullptr;
  if (cx < 0 || cy < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (cx == 0 || cy == 0) return DefaultBitmap();
  const BitmapObject* current = dc->IsMemory() ? dc->Target() : nullptr;
  if (current && current->IsMonoDdb())
    return Add(BitmapObject::Create(cx, cy, DdbFormat(1), false, true));
  if (current && current->IsDib())  // a DIB section of the same format
    return Add(BitmapObject::Create(cx, cy, current->Format(), true, current->IsTopDown()));
  return Add(BitmapObject::Create(cx, cy, DdbFormat(32), false, true));
}

LONG GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits) {
  PixelGuard guard(PixelLock());
  BitmapObject* bitmap = PeekBitmap(hbit);
  if (!bitmap) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  int64_t rowBytes = RawRowBytes(*bitmap);
  int64_t total = rowBytes * bitmap->Height();
  if (!lpvBits) return LONG(total);
  int64_t wanted = std::min<int64_t>(std::max<LONG>(cb, 0), total);
  auto* out = static_cast<uint8_t*>(lpvBits);
  for (int y = 0; y < bitmap->Height() && y * rowBytes < wanted; ++y) {
    int64_t n = std::min(rowBytes, wanted - y * rowBytes);
    std::memcpy(out + y * rowBytes, bitmap->Row(y), size_t(std::min<int64_t>(n, bitmap->RowStride())));
  }
  return LONG(wanted);
}

LONG SetBitmapBits(HBITMAP hbm, DWORD cb, const void* pvBits) {
  PixelGuard guard(PixelLock());
  BitmapObject* bitmap = PeekBitmap(hbm);
  if (!bitmap || !pvBits) {
    SetLastError(bitmap ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return 0;
  }
  int64_t rowBytes = RawRowBytes(*bitmap);
  int64_t wanted = std::min<int64_t>(cb, rowBytes * bitmap->Height());
  auto* in = static_cast<const uint8_t*>(pvBits);
  for (int y = 0; y < bitmap->Height() && y * rowBytes < wanted; ++y) {
    int64_t n = std::min({rowBytes, wanted - y * rowBytes, int64_t(bitmap->RowStride())});
    std::memcpy(bitmap->Row(y), in + y * rowBytes, size_t(n));
    if (bitmap->ClearsX()) {
      auto* row = reinterpret_cast<uint32_t*>(bitmap->Row(y));
      for (int64_t x = 0; x < n / 4; ++x) row[x] &= 0xFFFFFF;
    }
  }
  return LONG(wanted);
}
