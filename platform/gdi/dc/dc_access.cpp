#include "platform/gdi/dc/dc_access.h"

#include "platform/gdi/blit/blit_engine.h"
#include "platform/gdi/blit/rop3.h"
#include "platform/gdi/dc/dc_object.h"

#include <algorithm>

namespace talix::gdi {

bool DcSurface32(HDC hdc, Surface32* out) {
  DcObject* dc = PeekDc(hdc);
  BitmapObject* target = dc ? dc->Target() : nullptr;
  return target && target->AsSurface32(out);
}

bool DcIsMonochrome(HDC hdc) {
  DcObject* dc = PeekDc(hdc);
  BitmapObject* target = dc ? dc->Target() : nullptr;
  return target && target->IsMonoDdb();
}

bool DcClipRegion(HDC hdc, pixman_region32_t* out) {
  DcObject* dc = PeekDc(hdc);
  if (!dc) return false;
  Region32 clip = dc->EffectiveClip();
  clip.Translate(dc->Origin().x, dc->Origin().y);
  pixman_region32_copy(out, clip.get());
  return true;
}

bool DcLogicalToSurface(HDC hdc, const RECT& logical, RECT* out) {
  DcObject* dc = PeekDc(hdc);
  if (!dc || !out) return false;
  RECT d = dc->ToDevice(logical);
  POINT o = dc->Origin();
  *out = RECT{d.left + o.x, d.top + o.y, d.right + o.x, d.bottom + o.y};
  return true;
}

bool DcIsMirrored(HDC hdc) {
  DcObject* dc = PeekDc(hdc);
  return dc && dc->Mirrored();
}

ScopedSurface32::ScopedSurface32(HDC hdc, const RECT& surfaceRect) : guard_(PixelLock()) {
  DcObject* dc = PeekDc(hdc);
  target_ = dc ? dc->Target() : nullptr;
  if (!target_) return;
  rect_ = RECT{std::max<LONG>(surfaceRect.left, 0), std::max<LONG>(surfaceRect.top, 0),
               std::min<LONG>(surfaceRect.right, target_->Width()),
               std::min<LONG>(surfaceRect.bottom, target_->Height())};
  int w = rect_.right - rect_.left, h = rect_.bottom - rect_.top;
  if (w <= 0 || h <= 0) return;
  Surface32 whole;
  if (target_->AsSurface32(&whole)) {
    surface_.bits = reinterpret_cast<uint8_t*>(whole.Row(rect_.top) + rect_.left);
    surface_.stride = whole.stride;
  } else {
    copy_.resize(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y)
      target_->ReadRow(rect_.left, rect_.top + y, w, copy_.data() + size_t(y) * size_t(w));
    surface_.bits = reinterpret_cast<uint8_t*>(copy_.data());
    surface_.stride = ptrdiff_t(w) * 4;
  }
  surface_.width = w;
  surface_.height = h;
}

void ScopedSurface32::Commit() {
  if (copy_.empty()) return;
  for (int y = 0; y < surface_.height; ++y)
    target_->WriteRow(rect_.left, rect_.top + y, surface_.width, surface_.Row(y));
}

bool DcFillRegion(HDC hdc, const pixman_region32_t* surfaceRegion, DWORD rop) {
  DcObject* dc = PeekDc(hdc);
  if (!dc || !surfaceRegion) return false;
  uint8_t rop3 = Rop3Index(rop);
  if (RopUsesSource(rop3)) return false;
  Region32 shape(surfaceRegion);
  shape.Translate(-dc->Origin().x, -dc->Origin().y);
  BlitJob job;
  job.dc = dc;
  job.rect = shape.Box();
  job.shape = &shape;
  job.rop = rop3;
  return RunBlit(job);
}

}  // namespace talix::gdi
