// The value functions of the registry.
#include "platform/kernel/registry/reg_buffers.h"
#include "platform/kernel/registry/registry_store.h"

using talix::registry::CheckDataArgs;
using talix::registry::CopyDataOut;
using talix::registry::LockedKey;
using talix::registry::RegValue;

namespace {

std::u16string_view NameOf(LPCWSTR valueName) {
  return valueName ? std::u16string_view(valueName) : std::u16string_view();
}

}  // namespace

LSTATUS RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData,
                         LPDWORD lpcbData) {
  if (lpReserved) return ERROR_INVALID_PARAMETER;
  if (LONG status = CheckDataArgs(lpData, lpcbData)) return status;
  LockedKey key(hKey, KEY_QUERY_VALUE);
  if (key.Status() != ERROR_SUCCESS) return key.Status();
  const RegValue* value = key->FindValue(NameOf(lpValueName));
  if (!value) return ERROR_FILE_NOT_FOUND;
  if (lpType) *lpType = value->type;
  return CopyDataOut(value->data, lpData, lpcbData);
}

LSTATUS RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData) {
  std::u16string_view name = NameOf(lpValueName);
  // The registry file is line-based: a name with a line break could not be saved.
  if (name.find_first_of(u"\r\n") != std::u16string_view::npos) return ERROR_INVALID_PARAMETER;
  if (!lpData && cbData) return ERROR_NOACCESS;
  std::vector<BYTE> data(lpData, lpData + (lpData ? cbData : 0));
  LockedKey key(hKey, KEY_SET_VALUE);
  if (key.Status() != ERROR_SUCCESS) return key.Status();
  key->SetValue(name, dwType, std::move(data));
  return ERROR_SUCCESS;
}

LSTATUS RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName) {
  LockedKey key(hKey, KEY_SET_VALUE);
  if (key.Status() != ERROR_SUCCESS) return key.Status();
  return key->DeleteValue(NameOf(lpValueName)) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

LSTATUS RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, LPDWORD lpcchValueName, LPDWORD lpReserved,
                      LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
  if (!lpValueName || !lpcchValueName || lpReserved) return ERROR_INVALID_PARAMETER;
  if (LONG status = CheckDataArgs(lpData, lpcbData)) return status;
  LockedKey key(hKey, KEY_QUERY_VALUE);
  if (key.Status() != ERROR_SUCCESS) return key.Status();
  if (dwIndex >= key->ValueCount()) return ERROR_NO_MORE_ITEMS;
  const RegValue& value = key->Value(dwIndex);
  if (LONG status = talix::registry::CopyNameOut(value.name, lpValueName, lpcchValueName)) return status;
  if (lpType) *lpType = value.type;
  return CopyDataOut(value.data, lpData, lpcbData);
}
