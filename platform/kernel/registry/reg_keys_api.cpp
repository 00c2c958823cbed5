// The key functions of the registry.
#include "platform/kernel/registry/reg_buffers.h"
#include "platform/kernel/registry/registry_store.h"

#include <algorithm>
#include <cstdio>

using talix::registry::CopyNameOut;
using talix::registry::IsPredefinedKey;
using talix::registry::KeyNode;
using talix::registry::LockedKey;
using talix::registry::RegistryStore;
using talix::registry::RegistryTree;

namespace {

std::u16string_view PathOf(LPCWSTR subKey) { return subKey ? std::u16string_view(subKey) : std::u16string_view(); }

// The key at subKey below an already resolved base.
LONG FindKey(const LockedKey& base, LPCWSTR subKey, std::shared_ptr<KeyNode>* key) {
  if (base.Status() != ERROR_SUCCESS) return base.Status();
  std::vector<std::u16string_view> names;
  LONG status = talix::registry::SplitKeyPath(PathOf(subKey), &names);
  if (status != ERROR_SUCCESS) return status;
  *key = RegistryTree::Find(base.Key(), names);
  return *key ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LONG NewHandle(RegistryStore& store, std::shared_ptr<KeyNode> key, REGSAM access, PHKEY result) {
  *result = store.AddHandle(std::move(key), talix::registry::MapKeyAccess(access));
  return *result ? ERROR_SUCCESS : ERROR_NOT_ENOUGH_MEMORY;
}

}  // namespace

LSTATUS RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  LockedKey base(hKey, 0);
  std::shared_ptr<KeyNode> key;
  if (LONG status = FindKey(base, lpSubKey, &key)) return status;
  // A predefined key opened without a subkey is handed back as it is.
  if (PathOf(lpSubKey).empty() && IsPredefinedKey(hKey)) {
    *phkResult = hKey;
    return ERROR_SUCCESS;
  }
  return NewHandle(base.Store(), std::move(key), samDesired, phkResult);
}

LSTATUS RegOpenKeyW(HKEY hKey, LPCWSTR lpSubKey, PHKEY phkResult) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  if (PathOf(lpSubKey).empty()) {
    *phkResult = hKey;
    return ERROR_SUCCESS;
  }
  return RegOpenKeyExW(hKey, lpSubKey, 0, MAXIMUM_ALLOWED, phkResult);
}

LSTATUS RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, LPWSTR, DWORD dwOptions, REGSAM samDesired,
                        const LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition) {
  if (!phkResult || !lpSubKey) return ERROR_INVALID_PARAMETER;
  *phkResult = nullptr;
  std::vector<std::u16string_view> names;
  LONG status = talix::registry::SplitKeyPath(lpSubKey, &names);
  if (status != ERROR_SUCCESS) return status;
  LockedKey base(hKey, 0);
  if (base.Status() != ERROR_SUCCESS) return base.Status();
  std::shared_ptr<KeyNode> key;
  bool created = false;
  status = RegistryTree::Create(base.Key(), names, (dwOptions & REG_OPTION_VOLATILE) != 0, &key, &created);
  if (status != ERROR_SUCCESS) return status;
  if (lpdwDisposition) *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  return NewHandle(base.Store(), std::move(key), samDesired, phkResult);
}

LSTATUS RegCreateKeyW(HKEY hKey, LPCWSTR lpSubKey, PHKEY phkResult) {
  if (!phkResult) return ERROR_INVALID_PARAMETER;
  if (PathOf(lpSubKey).empty()) {
    *phkResult = hKey;
    return ERROR_SUCCESS;
  }
  return RegCreateKeyExW(hKey, lpSubKey, 0, nullptr, REG_OPTION_NON_VOLATILE, MAXIMUM_ALLOWED, nullptr,
                         phkResult, nullptr);
}

LSTATUS RegCloseKey(HKEY hKey) {
  if (IsPredefinedKey(hKey)) return ERROR_SUCCESS;
  // Taken outside the registry mutex: dropping the last reference to a deleted key
  // frees it, which touches nothing else.
  auto open = RegistryStore::Instance().Handles().Take(talix::ValueOfHandle(hKey));
  return open ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LSTATUS RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey) {
  if (!lpSubKey) return ERROR_INVALID_PARAMETER;
  LockedKey base(hKey, 0);
  std::shared_ptr<KeyNode> key;
  if (LONG status = FindKey(base, lpSubKey, &key)) return status;
  // Root keys and keys with subkeys cannot be deleted this way.
  if (!key->Parent() || key->SubkeyCount() != 0) return ERROR_ACCESS_DENIED;
  key->Parent()->DeleteSubkey(key.get());
  return ERROR_SUCCESS;
}

LSTATUS RegDeleteTreeW(HKEY hKey, LPCWSTR lpSubKey) {
  LockedKey base(hKey, 0);
  std::shared_ptr<KeyNode> key;
  if (LONG status = FindKey(base, lpSubKey, &key)) return status;
  if (!lpSubKey) {
    key->DeleteAllSubkeys();
    key->ClearValues();
  } else {
    RegistryTree::DeleteTree(key.get());
  }
  return ERROR_SUCCESS;
}

LSTATUS RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, LPDWORD lpcchName, LPDWORD, LPWSTR lpClass,
                      LPDWORD lpcchClass, PFILETIME lpftLastWriteTime) {
  if (!lpName || !lpcchName || (lpClass && !lpcchClass)) return ERROR_INVALID_PARAMETER;
  LockedKey key(hKey, KEY_ENUMERATE_SUB_KEYS);
  if (key.Status() != ERROR_SUCCESS) return key.Status();
  if (dwIndex >= key->SubkeyCount()) return ERROR_NO_MORE_ITEMS;
  const KeyNode& child = *key->Subkey(dwIndex);
  LONG status = CopyNameOut(child.Name(), lpName, lpcchName);
  if (status == ERROR_SUCCESS && lpClass) status = CopyNameOut(u"", lpClass, lpcchClass);  // no classes
  if (status == ERROR_SUCCESS) talix::registry::StoreFileTime(child.LastWriteTime(), lpftLastWriteTime);
  return status;
}

namespace {

struct KeyInfo {
  DWORD subkeys = 0, maxSubkeyName = 0, values = 0, maxValueName = 0, maxValueData = 0;
};

KeyInfo GatherInfo(const KeyNode& key) {
  KeyInfo info;
  info.subkeys = static_cast<DWORD>(key.SubkeyCount());
  for (size_t i = 0; i < key.SubkeyCount(); ++i)
    info.maxSubkeyName = std::max(info.maxSubkeyName, static_cast<DWORD>(key.Subkey(i)->Name().size()));
  info.values = static_cast<DWORD>(key.ValueCount());
  for (size_t i = 0; i < key.ValueCount(); ++i) {
    info.maxValueName = std::max(info.maxValueName, static_cast<DWORD>(key.Value(i).name.size()));
    info.maxValueData = std::max(info.maxValueData, static_cast<DWORD>(key.Value(i).data.size()));
  }
  return info;
}

void Store(LPDWORD out, DWORD value) {
  if (out) *out = value;
}

}  // namespace

LSTATUS RegQueryInfoKeyW(HKEY hKey, LPWSTR lpClass, LPDWORD lpcchClass, LPDWORD, LPDWORD lpcSubKeys,
                         LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen, LPDWORD lpcValues,
                         LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen, LPDWORD lpcbSecurityDescriptor,
                         PFILETIME lpftLastWriteTime) {
  if (lpClass && !lpcchClass) return ERROR_INVALID_PARAMETER;
  LockedKey key(hKey, KEY_QUERY_VALUE);
  if (key.Status() != ERROR_SUCCESS) return key.Status();
  if (lpClass) {
    if (LONG status = CopyNameOut(u"", lpClass, lpcchClass)) return status;
  } else if (lpcchClass) {
    *lpcchClass = 0;
  }
  KeyInfo info = GatherInfo(*key.Key());
  Store(lpcSubKeys, info.subkeys);
  Store(lpcbMaxSubKeyLen, info.maxSubkeyName);  // characters, without the terminator
  Store(lpcbMaxClassLen, 0);
  Store(lpcValues, info.values);
  Store(lpcbMaxValueNameLen, info.maxValueName);  // characters, without the terminator
  Store(lpcbMaxValueLen, info.maxValueData);      // bytes
  Store(lpcbSecurityDescriptor, 0);
  talix::registry::StoreFileTime(key->LastWriteTime(), lpftLastWriteTime);
  return ERROR_SUCCESS;
}

LSTATUS RegFlushKey(HKEY hKey) {
  {
    LockedKey key(hKey, 0);
    if (key.Status() != ERROR_SUCCESS) return key.Status();
  }
  talix::registry::SaveStatus saved = RegistryStore::Instance().Flush();
  // The status code cannot say which file or why: tell the host's error stream.
  if (saved.status != ERROR_SUCCESS) std::fprintf(stderr, "talix: RegFlushKey: %s\n", saved.message.c_str());
  return saved.status;
}
