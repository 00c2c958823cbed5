#include "platform/gdi/dc/dc_object.h"

#include <win/base.h>

#include <algorithm>

namespace talix::gdi {

void DcObject::DeselectAll() {
  if (BitmapObject* bitmap = PeekBitmap(state_.bitmap)) bitmap->Release(this);
  for (HGDIOBJ h : {HGDIOBJ(state_.bitmap), HGDIOBJ(state_.brush), HGDIOBJ(state_.pen),
                    HGDIOBJ(state_.font)})
    Drop(h);
  state_.bitmap = nullptr;
  state_.brush = nullptr;
  state_.pen = nullptr;
  state_.font = nullptr;
}

void DcObject::Hold(HGDIOBJ h) {
  if (GdiObject* object = GdiObjects().Peek(reinterpret_cast<uintptr_t>(h))) ++object->selectCount;
}

void DcObject::Drop(HGDIOBJ h) {
  if (GdiObject* object = GdiObjects().Peek(reinterpret_cast<uintptr_t>(h)))
    if (object->selectCount.load() > 0) --object->selectCount;
}

BitmapObject* DcObject::Target() const {
  if (IsMemory()) return PeekBitmap(state_.bitmap);
  return fixed_.get();
}

void DcObject::SetFixedTarget(std::shared_ptr<BitmapObject> surface, POINT origin, SIZE extent) {
  fixed_ = std::move(surface);
  origin_ = origin;
  extent_ = extent;
}

int DcObject::Width() const {
  if (extent_.cx > 0) return extent_.cx;
  BitmapObject* target = Target();
  return target ? target->Width() : 0;
}

int DcObject::Height() const {
  if (extent_.cy > 0) return extent_.cy;
  BitmapObject* target = Target();
  return target ? target->Height() : 0;
}

POINT DcObject::ToDevice(POINT p) const {
  POINT d{p.x - state_.windowOrg.x + state_.viewportOrg.x,
          p.y - state_.windowOrg.y + state_.viewportOrg.y};
  if (Mirrored()) d.x = Width() - 1 - d.x;
  return d;
}

RECT DcObject::ToDevice(const RECT& r) const {
  int dx = state_.viewportOrg.x - state_.windowOrg.x;
  int dy = state_.viewportOrg.y - state_.windowOrg.y;
  RECT d{std::min(r.left, r.right) + dx, std::min(r.top, r.bottom) + dy,
         std::max(r.left, r.right) + dx, std::max(r.top, r.bottom) + dy};
  if (Mirrored()) {
    int w = Width();
    LONG left = w - d.right;
    d.right = w - d.left;
    d.left = left;
  }
  return d;
}

POINT DcObject::ToLogical(POINT d) const {
  if (Mirrored()) d.x = Width() - 1 - d.x;
  return POINT{d.x - state_.viewportOrg.x + state_.windowOrg.x,
               d.y - state_.viewportOrg.y + state_.windowOrg.y};
}

RECT DcObject::ToLogical(const RECT& device) const {
  RECT d = device;
  if (Mirrored()) {
    int w = Width();
    LONG left = w - d.right;
    d.right = w - d.left;
    d.left = left;
  }
  int dx = state_.windowOrg.x - state_.viewportOrg.x;
  int dy = state_.windowOrg.y - state_.viewportOrg.y;
  return RECT{d.left + dx, d.top + dy, d.right + dx, d.bottom + dy};
}

Region32 DcObject::EffectiveClip() const {
  Region32 clip(Bounds());
  if (visible_) clip.Intersect(*visible_);
  if (state_.clip) clip.Intersect(*state_.clip);
  return clip;
}

DcObject* DcOrError(HDC h) {
  DcObject* dc = PeekDc(h);
  if (!dc) SetLastError(ERROR_INVALID_HANDLE);
  return dc;
}

}  // namespace talix::gdi
