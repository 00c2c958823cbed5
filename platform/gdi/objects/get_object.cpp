// GetObjectW: each object kind describes itself (bitmaps, brushes, pens; fonts through
// the font engine's objects); regions and DCs have no record.
#include "platform/gdi/gdi_object.h"

#include <win/base.h>
#include <win/gdi.h>

int GetObjectW(HANDLE h, int c, LPVOID pv) {
  talix::gdi::GdiObject* object =
      talix::gdi::GdiObjects().Peek(reinterpret_cast<uintptr_t>(h));
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (c < 0) return 0;
  return object->GetObjectInfo(c, pv);
}
