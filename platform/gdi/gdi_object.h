// GDI objects: DCs, bitmaps, brushes, pens, fonts, regions and palettes share one handle
// table. Stock objects are never deleted; an object selected into a DC cannot be deleted.
#pragma once

#include "platform/kernel/handle_table.h"

#include <win/gdi.h>

#include <atomic>
#include <memory>

namespace talix::gdi {

class GdiObject {
 public:
  explicit GdiObject(DWORD type) : type_(type) {}
  virtual ~GdiObject() = default;
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  DWORD Type() const { return type_; }
  bool IsStock() const { return stock_; }
  // GetObjectW for this kind: writes at most cb bytes of the kind's record into out (or
  // returns the record size when out is null); 0 when cb is too small or the kind has none.
  virtual int GetObjectInfo(int cb, void* out) const {
    (void)cb;
    (void)out;
    return 0;
  }
  void MarkStock() { stock_ = true; }
  // How many DCs hold this object selected; DeleteObject refuses while non-zero.
  std::atomic<int> selectCount{0};

 private:
  DWORD type_;
  bool stock_ = false;
};

TALIX_EXPORT HandleTable<GdiObject>& GdiObjects();

// Registers an object; null when the table is full.
TALIX_EXPORT HGDIOBJ AddGdiObject(std::shared_ptr<GdiObject> object);

// The object behind a handle when it has the given object type, else null. Raw access:
// GDI objects are used on the thread that owns them (the caller keeps the handle).
template <typename T>
T* PeekGdiObject(const void* handle, DWORD type) {
  GdiObject* object = GdiObjects().Peek(reinterpret_cast<uintptr_t>(handle));
  return object && object->Type() == type ? static_cast<T*>(object) : nullptr;
}

// A shared reference, for objects used across threads.
template <typename T>
std::shared_ptr<T> GetGdiObject(const void* handle, DWORD type) {
  auto object = GdiObjects().Get(reinterpret_cast<uintptr_t>(handle));
  return object && object->Type() == type ? std::static_pointer_cast<T>(object) : nullptr;
}

}  // namespace talix::gdi

// DeleteObject and GetObjectType are declared with the other GDI functions in win/gdi.h.
