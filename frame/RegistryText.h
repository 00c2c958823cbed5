// Text values of the registry, read bounded and always terminated.
#pragma once

#include <windows.h>

namespace talix::frame {

// Reads `value` of `root`\`keyName` into `buffer` of `size` characters. Only REG_SZ (and
// REG_EXPAND_SZ with `allowExpand`, left unexpanded) is taken; data that fill the buffer
// without their own terminator are refused. On failure the buffer is empty.
bool ReadRegistryText(HKEY root, const WCHAR* keyName, REGSAM access, const WCHAR* value, WCHAR* buffer,
                      size_t size, bool allowExpand);

}  // namespace talix::frame
