// Filling caller buffers the way the registry functions document it.
#pragma once

#include <win/registry.h>

#include <string_view>
#include <vector>

namespace talix::registry {

// Copies a name with its terminator when it fits in *cch characters (terminator
// included) and sets *cch to its length; else ERROR_MORE_DATA, leaving *cch as it was.
LONG CopyNameOut(std::u16string_view name, LPWSTR buffer, LPDWORD cch);

// Checks the data arguments before anything is written: a buffer without a size is
// ERROR_INVALID_PARAMETER.
inline LONG CheckDataArgs(const BYTE* buffer, const DWORD* cb) {
  return buffer && !cb ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
}

// Copies value data: without a buffer only the size is stored; a short buffer gives
// ERROR_MORE_DATA with the size needed in *cb.
LONG CopyDataOut(const std::vector<BYTE>& data, LPBYTE buffer, LPDWORD cb);

inline void StoreFileTime(uint64_t time, PFILETIME out) {
  if (!out) return;
  out->dwLowDateTime = static_cast<DWORD>(time);
  out->dwHighDateTime = static_cast<DWORD>(time >> 32);
}

}  // namespace talix::registry
