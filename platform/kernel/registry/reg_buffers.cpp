#include "platform/kernel/registry/reg_buffers.h"

#include <algorithm>
#include <cstring>

namespace talix::registry {

LONG CopyNameOut(std::u16string_view name, LPWSTR buffer, LPDWORD cch) {
  if (name.size() >= *cch) return ERROR_MORE_DATA;
  std::copy(name.begin(), name.end(), buffer);
  buffer[name.size()] = u'\0';
  *cch = static_cast<DWORD>(name.size());
  return ERROR_SUCCESS;
}

LONG CopyDataOut(const std::vector<BYTE>& data, LPBYTE buffer, LPDWORD cb) {
  if (!cb) return ERROR_SUCCESS;
  auto size = static_cast<DWORD>(data.size());
  if (buffer) {
    if (*cb < size) {
      *cb = size;
      return ERROR_MORE_DATA;
    }
    if (size) std::memcpy(buffer, data.data(), size);
  }
  *cb = size;
  return ERROR_SUCCESS;
}

}  // namespace talix::registry
