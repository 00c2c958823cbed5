// AlphaBlend and TransparentBlt (and their Gdi-prefixed names): the blending and keyed
// kernels run on a 32-bit view of the destination rectangle.
//
// Limits: TransparentBlt refuses negative extents (it never mirrors); both stretch by
// the nearest pixel whatever the stretch mode.
#include "platform/gdi/dc/dc_access.h"
#include "platform/gdi/draw/source_pixels.h"
#include "platform/gdi/raster/alpha.h"
#include "platform/gdi/raster/transparent.h"

#include <win/base.h>
#include <win/gdi.h>

using namespace talix::gdi;
namespace r = talix::gdi::raster;

namespace {

BOOL Refuse() {
  SetLastError(ERROR_INVALID_PARAMETER);
  return FALSE;
}

// One keyed or blended copy: the two DCs' rectangles resolved to surfaces.
class DcPair {
 public:
  DcPair(HDC hdcDest, HDC hdcSrc) : dst_(DcOrError(hdcDest)), src_(DcOrError(hdcSrc)) {}
  bool Valid() const { return dst_ && src_ && dst_->Target() && src_->Target(); }

  // Surface rectangles of both sides (extents must not be negative).
  void Resolve(int xd, int yd, int wd, int hd, int xs, int ys, int ws, int hs) {
    RECT d = dst_->ToDevice(RectOfSize(xd, yd, wd, hd));
    RECT s = src_->ToDevice(RectOfSize(xs, ys, ws, hs));
    POINT od = dst_->Origin(), os = src_->Origin();
    dstRect_ = RECT{d.left + od.x, d.top + od.y, d.right + od.x, d.bottom + od.y};
    srcRect_ = RECT{s.left + os.x, s.top + os.y, s.right + os.x, s.bottom + os.y};
  }
  bool SourceInside() const {
    const BitmapObject* b = src_->Target();
    return srcRect_.left >= 0 && srcRect_.top >= 0 && srcRect_.right <= b->Width() &&
           srcRect_.bottom <= b->Height();
  }
  bool SameBitmapOverlap() const {
    return src_->Target() == dst_->Target() && srcRect_.left < dstRect_.right &&
           dstRect_.left < srcRect_.right && srcRect_.top < dstRect_.bottom &&
           dstRect_.top < srcRect_.bottom;
  }
  // Images are flipped between layouts, as BitBlt does.
  bool Mirror() const {
    return dst_->Mirrored() != src_->Mirrored() &&
           !(dst_->State().layout & LAYOUT_BITMAPORIENTATIONPRESERVED);
  }

  // Runs `draw(dstSurface, dstRect, clip)` on a 32-bit view of the destination.
  template <typename Draw>
  void OnDestination(HDC hdcDest, Draw draw) {
    ScopedSurface32 pixels(hdcDest, dstRect_);
    if (!pixels.Valid()) return;
    RECT view = pixels.Rect();
    pixman_region32_t clip;
    pixman_region32_init(&clip);
    DcClipRegion(hdcDest, &clip);
    pixman_region32_translate(&clip, -view.left, -view.top);
    r::BlitRect to{dstRect_.left - view.left, dstRect_.top - view.top,
                   dstRect_.right - dstRect_.left, dstRect_.bottom - dstRect_.top};
    draw(pixels.Surface(), to, &clip);
    pixman_region32_fini(&clip);
    if (dst_->Target()->ClearsX()) ClearXBytes(*dst_->Target(), view);
    pixels.Commit();
  }

  DcObject* dst_;
  DcObject* src_;
  RECT dstRect_{}, srcRect_{};
};

}  // namespace

BOOL GdiAlphaBlend(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest,
                   HDC hdcSrc, int xoriginSrc, int yoriginSrc, int wSrc, int hSrc,
                   BLENDFUNCTION ftn) {
  PixelGuard guard(PixelLock());
  DcPair pair(hdcDest, hdcSrc);
  if (!pair.Valid()) return FALSE;
  if (ftn.BlendOp != AC_SRC_OVER || ftn.BlendFlags != 0 || (ftn.AlphaFormat & ~AC_SRC_ALPHA))
    return Refuse();
  if (wDest < 0 || hDest < 0 || wSrc < 0 || hSrc < 0) return Refuse();
  pair.Resolve(xoriginDest, yoriginDest, wDest, hDest, xoriginSrc, yoriginSrc, wSrc, hSrc);
  if (!pair.SourceInside() || pair.SameBitmapOverlap()) return Refuse();
  if (wDest == 0 || hDest == 0 || wSrc == 0 || hSrc == 0) return TRUE;
  SourcePixels source(*pair.src_->Target(), pair.srcRect_, pair.dst_, pair.Mirror());
  if (pair.Mirror()) source.MirrorRows();
  r::BlitRect from{pair.srcRect_.left - source.Offset().x, pair.srcRect_.top - source.Offset().y,
                   wSrc, hSrc};
  r::BlendFunction blend{ftn.SourceConstantAlpha, (ftn.AlphaFormat & AC_SRC_ALPHA) != 0};
  pair.OnDestination(hdcDest, [&](const Surface32& dst, const r::BlitRect& to,
                                  const pixman_region32_t* clip) {
    r::AlphaBlendCopy(dst, to, source.Surface(), from, blend, clip);
  });
  return TRUE;
}

BOOL AlphaBlend(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest,
                HDC hdcSrc, int xoriginSrc, int yoriginSrc, int wSrc, int hSrc,
                BLENDFUNCTION ftn) {
  return GdiAlphaBlend(hdcDest, xoriginDest, yoriginDest, wDest, hDest, hdcSrc, xoriginSrc,
                       yoriginSrc, wSrc, hSrc, ftn);
}

BOOL GdiTransparentBlt(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest,
                       HDC hdcSrc, int xoriginSrc, int yoriginSrc, int wSrc, int hSrc,
                       UINT crTransparent) {
  PixelGuard guard(PixelLock());
  DcPair pair(hdcDest, hdcSrc);
  if (!pair.Valid()) return FALSE;
  if (wDest < 0 || hDest < 0 || wSrc < 0 || hSrc < 0) return Refuse();
  if (wDest == 0 || hDest == 0 || wSrc == 0 || hSrc == 0) return TRUE;
  pair.Resolve(xoriginDest, yoriginDest, wDest, hDest, xoriginSrc, yoriginSrc, wSrc, hSrc);
  SourcePixels source(*pair.src_->Target(), pair.srcRect_, pair.dst_);
  if (source.Empty()) return TRUE;
  bool mirror = pair.Mirror();
  // Mirroring between layouts: a negative source extent read from the right edge.
  r::BlitRect from{(mirror ? pair.srcRect_.right : pair.srcRect_.left) - source.Offset().x,
                   pair.srcRect_.top - source.Offset().y, mirror ? -wSrc : wSrc, hSrc};
  pair.OnDestination(hdcDest, [&](const Surface32& dst, const r::BlitRect& to,
                                  const pixman_region32_t* clip) {
    r::TransparentCopy(dst, to, source.Surface(), from, crTransparent & 0xFFFFFF, clip);
  });
  return TRUE;
}

BOOL TransparentBlt(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest,
                    HDC hdcSrc, int xoriginSrc, int yoriginSrc, int wSrc, int hSrc,
                    UINT crTransparent) {
  return GdiTransparentBlt(hdcDest, xoriginDest, yoriginDest, wDest, hDest, hdcSrc, xoriginSrc,
                           yoriginSrc, wSrc, hSrc, crTransparent);
}
