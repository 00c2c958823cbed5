#include "platform/kernel/kernel_object.h"

#include <win/base.h>

namespace talix {

HandleTable<KernelObject>& KernelObjects() {
  static HandleTable<KernelObject> table(HandleKind::KernelObject);
  return table;
}

HANDLE AddKernelObject(std::shared_ptr<KernelObject> object) {
  uint32_t value = KernelObjects().Add(std::move(object));
  if (!value) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return HandleFromValue<HANDLE>(value);
}

}  // namespace talix

BOOL CloseHandle(HANDLE hObject) {
  if (!talix::KernelObjects().Take(talix::ValueOfHandle(hObject))) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}
