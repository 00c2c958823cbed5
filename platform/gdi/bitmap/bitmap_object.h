// The bitmap object: device-compatible bitmaps (32-bit BGRX with X = 0, or monochrome)
// and DIB sections (1, 4, 8, 16, 24 or 32 bits, bottom-up or top-down).
//
// Limits: device-compatible bitmaps other than 1 and 32 bits are stored like DIBs of that
// depth without a colour table of their own (16 and 24 bits; 4 and 8 use the default
// palette). Bitmaps are limited to 32767 pixels a side and 1 GiB of pixels.
#pragma once

#include "platform/gdi/bitmap/pixel_format.h"
#include "platform/gdi/gdi_object.h"
#include "platform/gdi/surface.h"

#include <win/gdi.h>

#include <atomic>
#include <memory>
#include <mutex>

namespace talix::gdi {

class BitmapObject : public GdiObject {
 public:
  // A zero-filled bitmap; null (with the last error set) when the size is refused or
  // memory runs out. Device-compatible rows are padded to 2 bytes, DIB rows to 4.
  static std::shared_ptr<BitmapObject> Create(int width, int height, const PixelFormat& format,
                                              bool dib, bool topDown);
  // A bitmap over memory someone else owns (a caller's DIB bits, the screen): nothing is
  // freed. Rows are padded to 4 bytes.
  static std::shared_ptr<BitmapObject> Wrap(uint8_t* bits, int width, int height,
                                            const PixelFormat& format, bool topDown);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Bpp() const { return format_.bpp; }
  const PixelFormat& Format() const { return format_; }
  bool IsDib() const { return dib_; }
  bool IsTopDown() const { return topDown_; }
  // Monochrome device-compatible: drawn with the DC's text and background colours.
  bool IsMonoDdb() const { return !dib_ && format_.bpp == 1; }
  // Writes into it store the X byte as 0.
  bool ClearsX() const { return !dib_ && format_.bpp == 32; }
  ptrdiff_t RowStride() const { return rowBytes_; }
  size_t ImageBytes() const { return size_t(rowBytes_) * size_t(height_); }
  uint8_t* Bits() const { return bits_; }
  // Row y counted from the top.
  uint8_t* Row(int y) const {
    return bits_ + ptrdiff_t(topDown_ ? y : height_ - 1 - y) * rowBytes_;
  }
  // The whole bitmap as a 32-bit surface; false for other depths.
  bool AsSurface32(Surface32* out) const;

  // Pixels [x, x + count) of row y as 32-bit pixels, and back (X cleared where required).
  void ReadRow(int x, int y, int count, uint32_t* out) const;
  void WriteRow(int x, int y, int count, const uint32_t* in);

  void SetPalette(std::vector<RGBQUAD> palette) { format_.palette = std::move(palette); }

  // The one memory DC a bitmap may be selected into (null when none); stock bitmaps are
  // shared by every DC and never claimed.
  bool Claim(const void* dc);
  void Release(const void* dc);
  const void* Owner() const { return owner_.load(); }

  int GetObjectInfo(int cb, void* out) const override;
  // The DIB section's header as GetObjectW reports it.
  BITMAPINFOHEADER DibHeader() const;

 private:
  BitmapObject() : GdiObject(OBJ_BITMAP) {}
  static std::shared_ptr<BitmapObject> Describe(uint8_t* bits, int width, int height,
                                                const PixelFormat& format, bool dib, bool topDown);

  int width_ = 0;
  int height_ = 0;
  PixelFormat format_;
  bool dib_ = false;
  bool topDown_ = true;
  ptrdiff_t rowBytes_ = 0;
  uint8_t* bits_ = nullptr;
  std::unique_ptr<uint8_t, void (*)(void*)> storage_{nullptr, nullptr};
  std::atomic<const void*> owner_{nullptr};
};

inline BitmapObject* PeekBitmap(const void* h) {
  return PeekGdiObject<BitmapObject>(h, OBJ_BITMAP);
}

// Held while reading or writing pixels, so that a worker thread drawing into a surface
// the UI thread also draws into (or reads) never races with it. Recursive.
TALIX_EXPORT std::recursive_mutex& PixelLock();
using PixelGuard = std::lock_guard<std::recursive_mutex>;

// The largest side and pixel count a bitmap may have.
constexpr int kMaxBitmapSide = 32767;
constexpr int64_t kMaxBitmapBytes = int64_t(1) << 30;

}  // namespace talix::gdi
