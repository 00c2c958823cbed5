#include "frame/RegistryText.h"

namespace talix::frame {

bool ReadRegistryText(HKEY root, const WCHAR* keyName, REGSAM access, const WCHAR* value, WCHAR* buffer,
                      size_t size, bool allowExpand) {
  if (!buffer || size == 0) return false;
  buffer[0] = 0;
  HKEY key = nullptr;
  if (!keyName || !value || RegOpenKeyExW(root, keyName, 0, access, &key) != ERROR_SUCCESS) return false;
  DWORD type = REG_NONE;
  DWORD bytes = static_cast<DWORD>(size * sizeof(WCHAR));
  LONG status = RegQueryValueExW(key, value, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &bytes);
  RegCloseKey(key);
  bool text = type == REG_SZ || (allowExpand && type == REG_EXPAND_SZ);
  size_t count = bytes / sizeof(WCHAR);
  if (status == ERROR_SUCCESS && text) {
    if (count < size) {
      buffer[count] = 0;
      return true;
    }
    if (buffer[size - 1] == 0) return true;
  }
  buffer[0] = 0;
  return false;
}

}  // namespace talix::frame
