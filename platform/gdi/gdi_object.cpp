#include "platform/gdi/gdi_object.h"

#include <win/base.h>

namespace talix::gdi {

HandleTable<GdiObject>& GdiObjects() {
  static HandleTable<GdiObject> table(HandleKind::GdiObject);
  return table;
}

HGDIOBJ AddGdiObject(std::shared_ptr<GdiObject> object) {
  uint32_t value = GdiObjects().Add(std::move(object));
  if (!value) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return HandleFromValue<HGDIOBJ>(value);
}

}  // namespace talix::gdi

using talix::gdi::GdiObjects;

BOOL DeleteObject(HGDIOBJ ho) {
  talix::gdi::GdiObject* object = GdiObjects().Peek(talix::ValueOfHandle(ho));
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (object->IsStock()) return TRUE;  // as on Windows: succeeds and does nothing
  // DCs are deleted with DeleteDC; a selected object stays until deselected.
  if (object->Type() == OBJ_DC || object->Type() == OBJ_MEMDC || object->selectCount.load() > 0)
    return FALSE;
  return GdiObjects().Take(talix::ValueOfHandle(ho)) ? TRUE : FALSE;
}

DWORD GetObjectType(HGDIOBJ h) {
  talix::gdi::GdiObject* object = GdiObjects().Peek(talix::ValueOfHandle(h));
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return object->Type();
}
