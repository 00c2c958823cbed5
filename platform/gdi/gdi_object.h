// GDI objects: DCs, bitmaps, brushes, pens, fonts, regions and palettes share one handle
// table. Stock objects are never deleted; an object selected into a DC cannot be deleted.
#pragma once

#include "platform/kernel/handle_table.h"

#include <win/types.h>

#include <atomic>
#include <memory>

// Object types, as GetObjectType reports them.
#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_DC 3
#define OBJ_METADC 4
#define OBJ_PAL 5
#define OBJ_FONT 6
#define OBJ_BITMAP 7
#define OBJ_REGION 8
#define OBJ_METAFILE 9
#define OBJ_MEMDC 10
#define OBJ_EXTPEN 11
#define OBJ_ENHMETADC 12
#define OBJ_ENHMETAFILE 13
#define OBJ_COLORSPACE 14

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

WINGDIAPI BOOL DeleteObject(HGDIOBJ ho);
WINGDIAPI DWORD GetObjectType(HGDIOBJ h);
