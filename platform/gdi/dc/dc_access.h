// DC access for the pixel kernels (stretching, alpha blending, transparent copies,
// shape spans): a DC's target as 32-bit pixels, its effective clip, coordinate mapping
// and brush fills through the raster-operation engine.
//
// Surface coordinates are pixels of the DC's target bitmap: device coordinates plus the
// DC's origin (GetDCOrgEx). A kernel works like this:
//   RECT dst;  DcLogicalToSurface(hdc, logicalRect, &dst);   // mirrored for RTL DCs
//   pixman_region32_t clip; pixman_region32_init(&clip);
//   DcClipRegion(hdc, &clip);                                // may be written
//   ScopedSurface32 pixels(hdc, dst);                        // 32-bit view of dst
//   ... write pixels.Surface() only inside clip ...
//   pixels.Commit();                                         // no-op for 32-bit targets
// Writes into device-compatible bitmaps must store the X byte as 0.
#pragma once

#include "platform/gdi/surface.h"

#include <win/gdi.h>

#include <pixman.h>

#include <memory>
#include <mutex>
#include <vector>

namespace talix::gdi {

class BitmapObject;

// Held while reading or writing pixels (recursive). ScopedSurface32 holds it for its
// lifetime; a kernel that reaches pixels another way takes it itself.
TALIX_EXPORT std::recursive_mutex& PixelLock();

// The whole target of a DC whose bitmap is 32-bit BGRX (compatible bitmaps, the screen,
// 32-bit DIB sections); false for other depths or a bad DC.
TALIX_EXPORT bool DcSurface32(HDC hdc, Surface32* out);

// True when the DC's target is a monochrome device-compatible bitmap (drawn with the
// text and background colours when it is a source).
TALIX_EXPORT bool DcIsMonochrome(HDC hdc);

// What may be drawn, in surface coordinates: the DC's area ∩ its visible region ∩ its
// clip region. `out` must be initialised; false for a bad DC.
TALIX_EXPORT bool DcClipRegion(HDC hdc, pixman_region32_t* out);

// A logical rectangle in surface coordinates (normalised; mirrored on RTL DCs), and
// whether images drawn into the DC from an unmirrored source must be flipped.
TALIX_EXPORT bool DcLogicalToSurface(HDC hdc, const RECT& logical, RECT* out);
TALIX_EXPORT bool DcIsMirrored(HDC hdc);

// A 32-bit working view of a rectangle of a DC's target (surface coordinates, clipped
// to the target). For 32-bit targets it points into the bitmap; for other depths it is
// a converted copy, written back by Commit() (pixels are matched to the target's depth).
// Holds PixelLock() while it lives.
class TALIX_EXPORT ScopedSurface32 {
 public:
  ScopedSurface32(HDC hdc, const RECT& surfaceRect);
  ScopedSurface32(const ScopedSurface32&) = delete;
  ScopedSurface32& operator=(const ScopedSurface32&) = delete;

  bool Valid() const { return surface_.bits != nullptr; }
  // Pixel (0, 0) of the surface is Rect().left, Rect().top of the target.
  const Surface32& Surface() const { return surface_; }
  RECT Rect() const { return rect_; }
  void Commit();

 private:
  std::lock_guard<std::recursive_mutex> guard_;
  BitmapObject* target_ = nullptr;
  RECT rect_{};
  Surface32 surface_;
  std::vector<uint32_t> copy_;
};

// Fills a region (surface coordinates) with the DC's selected brush through a raster
// operation (PATCOPY, PATINVERT, ...), honouring the clip, brush origin and colours.
TALIX_EXPORT bool DcFillRegion(HDC hdc, const pixman_region32_t* surfaceRegion, DWORD rop);

}  // namespace talix::gdi
