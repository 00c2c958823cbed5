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
  int64_t x = int64_t(p.x) - state_.windowOrg.x + state_.viewportOrg.x;
  int64_t y = int64_t(p.y) - state_.windowOrg.y + state_.viewportOrg.y;
  if (Mirrored()) x = int64_t(Width()) - 1 - x;
  return POINT{ClampCoord(x), ClampCoord(y)};
}

RECT DcObject::ToDevice(const RECT& r) const {
  int64_t dx = int64_t(state_.viewportOrg.x) - state_.windowOrg.x;
  int64_t dy = int64_t(state_.viewportOrg.y) - state_.windowOrg.y;
  int64_t left = std::min(r.left, r.right) + dx, right = std::max(r.left, r.right) + dx;
  if (Mirrored()) {
    int64_t w = Width();
    std::swap(left, right);
    left = w - left;
    right = w - right;
  }
  return RECT{ClampCoord(left), ClampCoord(std::min(r.top, r.bottom) + dy), ClampCoord(right),
              ClampCoord(std::max(r.top, r.bottom) + dy)};
}

POINT DcObject::ToLogical(POINT d) const {
  int64_t x = d.x;
  if (Mirrored()) x = int64_t(Width()) - 1 - x;
  return POINT{ClampCoord(x - state_.viewportOrg.x + state_.windowOrg.x),
               ClampCoord(int64_t(d.y) - state_.viewportOrg.y + state_.windowOrg.y)};
}

RECT DcObject::ToLogical(const RECT& device) const {
  int64_t left = device.left, right = device.right;
  if (Mirrored()) {
    int64_t w = Width();
    std::swap(left, right);
    left = w - left;
    right = w - right;
  }
  int64_t dx = int64_t(state_.windowOrg.x) - state_.viewportOrg.x;
  int64_t dy = int64_t(state_.windowOrg.y) - state_.viewportOrg.y;
  return RECT{ClampCoord(left + dx), ClampCoord(device.top + dy), ClampCoord(right + dx),
              ClampCoord(device.bottom + dy)};
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
