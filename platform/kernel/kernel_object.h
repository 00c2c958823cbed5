// Kernel objects: files, events, threads, mutexes, find handles and the like share one
// handle table and one CloseHandle. Waitable kinds derive from the waitable base of the
// synchronisation code.
#pragma once

#include "platform/kernel/handle_table.h"

#include <win/types.h>

#include <memory>

namespace talix {

class KernelObject {
 public:
  virtual ~KernelObject() = default;
};

TALIX_EXPORT HandleTable<KernelObject>& KernelObjects();

// Registers an object and returns its handle, or null (ERROR_NOT_ENOUGH_MEMORY) when full.
TALIX_EXPORT HANDLE AddKernelObject(std::shared_ptr<KernelObject> object);

// The object behind a handle if it is of type T, else null.
template <typename T>
std::shared_ptr<T> GetKernelObject(HANDLE handle) {
  return std::dynamic_pointer_cast<T>(KernelObjects().Get(ValueOfHandle(handle)));
}

}  // namespace talix
