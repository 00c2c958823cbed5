#include "platform/gdi/draw/stretch_copy.h"

#include "platform/gdi/blit/blit_engine.h"
#include "platform/gdi/blit/rop3.h"
#include "platform/gdi/dc/dc_access.h"
#include "platform/gdi/draw/source_pixels.h"
#include "platform/gdi/raster/stretch.h"

#include <cstdlib>

namespace talix::gdi {
namespace {

namespace r = raster;

r::StretchMode ModeOf(const DcObject& dc) {
  int mode = dc.State().stretchMode;
  return mode >= BLACKONWHITE && mode <= HALFTONE ? r::StretchMode(mode)
                                                  : r::StretchMode::kColorOnColor;
}

// The source rectangle in the coordinates of the surface holding it.
r::BlitRect SourceRect(const StretchSource& src, const SourcePixels& pixels) {
  return r::BlitRect{src.x - pixels.Offset().x, src.y - pixels.Offset().y, src.width,
                     src.height};
}

// The destination as the kernel takes it: corner and signed extents. flipX/flipY are the
// destination's own reversals (negative extents, layout mirroring); the kernel mirrors an
// axis whose destination and source extents differ in sign.
r::BlitRect DestRect(const RECT& box, bool flipX, bool flipY) {
  int w = box.right - box.left, h = box.bottom - box.top;
  return r::BlitRect{flipX ? box.right : box.left, flipY ? box.bottom : box.top,
                     flipX ? -w : w, flipY ? -h : h};
}

// SRCCOPY straight into a 32-bit target.
void StretchDirect(DcObject& dc, BitmapObject& target, const RECT& device, bool flipX,
                   bool flipY, const StretchSource& src, const SourcePixels& pixels) {
  Surface32 surface;
  target.AsSurface32(&surface);
  POINT origin = dc.Origin();
  RECT box = RECT{device.left + origin.x, device.top + origin.y, device.right + origin.x,
                  device.bottom + origin.y};
  Region32 clip = dc.EffectiveClip();
  clip.Intersect(device);
  clip.Translate(origin.x, origin.y);
  r::StretchCopy(surface, DestRect(box, flipX, flipY), pixels.Surface(),
                 SourceRect(src, pixels), ModeOf(dc), clip.get());
  if (!src.bitmap->ClearsX()) ClearXBytes(target, box);
}

// Any operation: stretch into a temporary image, then combine it with the destination.
bool StretchThroughTemporary(DcObject& dc, const RECT& device, bool flipX, bool flipY,
                             const StretchSource& src, const SourcePixels& pixels,
                             uint8_t rop) {
  int w = device.right - device.left, h = device.bottom - device.top;
  auto temp = BitmapObject::Create(w, h, PixelFormat{}, true, true);
  if (!temp) return false;
  Surface32 surface;
  temp->AsSurface32(&surface);
  r::BlitRect to = DestRect(RECT{0, 0, w, h}, flipX, flipY);
  r::BlitRect from = SourceRect(src, pixels);
  r::AxisMap xs, ys;
  if (!r::MapRects(surface, to, pixels.Surface(), from, &xs, &ys)) return true;
  r::StretchCopy(surface, to, pixels.Surface(), from, ModeOf(dc), nullptr);
  Region32 written(RECT{device.left + xs.begin, device.top + ys.begin, device.left + xs.end(),
                        device.top + ys.end()});
  BlitJob job;
  job.dc = &dc;
  job.rect = device;
  job.rop = rop;
  job.source.bitmap = temp.get();
  job.source.rect = RECT{0, 0, w, h};
  // A monochrome source was copied as black and white: keep it so on a monochrome target.
  job.source.bkColor = src.bitmap->IsMonoDdb() ? RGB(255, 255, 255) : src.bkColor;
  job.shape = &written;
  return RunBlit(job);
}

}  // namespace

bool StretchOnto(DcObject& dc, int x, int y, int width, int height, const StretchSource& src,
                 DWORD rop) {
  PixelGuard guard(PixelLock());
  BitmapObject* target = dc.Target();
  if (!target) return false;
  uint8_t rop3 = Rop3Index(rop);
  if (width == 0 || height == 0 || src.width == 0 || src.height == 0) return true;
  if (!RopUsesSource(rop3)) {
    BlitJob job;
    job.dc = &dc;
    job.rect = dc.ToDevice(RectOfSize(width < 0 ? int64_t(x) + width : x,
                                      height < 0 ? int64_t(y) + height : y, std::abs(width),
                                      std::abs(height)));
    job.rop = rop3;
    return RunBlit(job);
  }
  if (!src.bitmap) return false;
  RECT logical = RectOfSize(width < 0 ? int64_t(x) + width : x,
                            height < 0 ? int64_t(y) + height : y, std::abs(int64_t(width)),
                            std::abs(int64_t(height)));
  RECT device = dc.ToDevice(logical);
  bool keepOrientation = (rop & NOMIRRORBITMAP) ||
                         (dc.State().layout & LAYOUT_BITMAPORIENTATIONPRESERVED);
  bool flipX = (width < 0) != (dc.Mirrored() != src.mirrored && !keepOrientation);
  bool flipY = height < 0;
  RECT wanted = RectOfSize(src.width < 0 ? int64_t(src.x) + src.width : src.x,
                           src.height < 0 ? int64_t(src.y) + src.height : src.y,
                           std::abs(int64_t(src.width)), std::abs(int64_t(src.height)));
  SourcePixels pixels(*src.bitmap, wanted, &dc);
  if (pixels.Empty()) return true;
  Surface32 direct;
  if (rop3 == Rop3Index(SRCCOPY) && target->AsSurface32(&direct) && !src.bitmap->IsMonoDdb()) {
    StretchDirect(dc, *target, device, flipX, flipY, src, pixels);
    return true;
  }
  return StretchThroughTemporary(dc, device, flipX, flipY, src, pixels, rop3);
}

}  // namespace talix::gdi
