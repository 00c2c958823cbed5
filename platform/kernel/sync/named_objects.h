// The per-process namespace of named synchronisation objects.
//
// "Local\name" and a plain "name" are the same per-process object. "Global\name" keeps
// its prefix as part of the key; for events it also reaches other processes (see
// shared_event.h). Names are case-sensitive, as Windows object names are; an empty name
// is no name. Entries hold weak references: an object dies with its last handle.
#pragma once

#include "platform/kernel/sync/waitable.h"

#include <functional>
#include <string>

namespace talix {

enum class NameScope { Unnamed, Local, Global };

struct ObjectName {
  NameScope scope = NameScope::Unnamed;
  std::u16string key;   // registry key; "Global\..." keeps its prefix
  std::u16string base;  // the name without any prefix
  DWORD error = 0;      // non-zero: the name is not acceptable
};

ObjectName ParseObjectName(LPCWSTR name);

std::mutex& NamesLock();
std::shared_ptr<Waitable> FindNamedLocked(const std::u16string& key);
void RegisterNamedLocked(const std::u16string& key, const std::shared_ptr<Waitable>& object);

// Makes a new object for a name nobody in this process holds, or (for OpenEventW) finds
// one that exists only in another process. Sets *existed when the object already existed
// elsewhere. Null with the last error set on failure.
template <typename T>
using MakeNamed = std::function<std::shared_ptr<T>(const ObjectName&, bool* existed)>;

// The object this process knows by the name, or else what `make` gives (registered
// under the name). False, with ERROR_INVALID_HANDLE, when the name belongs to an object
// of another type.
template <typename T>
bool FindOrMakeNamed(const ObjectName& parsed, const MakeNamed<T>& make,
                     std::shared_ptr<T>* object, bool* existed) {
  std::lock_guard<std::mutex> lock(NamesLock());
  if (std::shared_ptr<Waitable> found = FindNamedLocked(parsed.key)) {
    *object = std::dynamic_pointer_cast<T>(found);
    *existed = true;
    if (!*object) SetLastError(ERROR_INVALID_HANDLE);
    return *object != nullptr;
  }
  if (make) *object = make(parsed, existed);
  if (*object) RegisterNamedLocked(parsed.key, *object);
  return true;
}

// CreateEventW/CreateMutexW: a handle to the named object if it exists (last error
// ERROR_ALREADY_EXISTS), else to a new one (last error 0). A name held by an object of
// another type fails with ERROR_INVALID_HANDLE.
template <typename T>
HANDLE CreateNamedObject(LPCWSTR name, const MakeNamed<T>& make) {
  ObjectName parsed = ParseObjectName(name);
  if (parsed.error) {
    SetLastError(parsed.error);
    return nullptr;
  }
  std::shared_ptr<T> object;
  bool existed = false;
  if (parsed.scope == NameScope::Unnamed)
    object = make(parsed, &existed);
  else if (!FindOrMakeNamed(parsed, make, &object, &existed))
    return nullptr;
  if (!object) return nullptr;
  HANDLE handle = AddKernelObject(object);
  if (handle) SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return handle;
}

// OpenEventW/OpenMutexW: ERROR_FILE_NOT_FOUND when no such object exists.
template <typename T>
HANDLE OpenNamedObject(LPCWSTR name, const MakeNamed<T>& openElsewhere = nullptr) {
  ObjectName parsed = ParseObjectName(name);
  if (parsed.error || parsed.scope == NameScope::Unnamed) {
    SetLastError(parsed.error ? parsed.error : ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::shared_ptr<T> object;
  bool existed = false;
  if (!FindOrMakeNamed(parsed, openElsewhere, &object, &existed)) return nullptr;
  if (!object) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  return AddKernelObject(object);
}

}  // namespace talix
