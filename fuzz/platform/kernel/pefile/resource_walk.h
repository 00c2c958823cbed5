// Touches everything a resource tree hands out, so that a bad pointer or size from a
// reader shows up under the sanitizers: every byte of every resource, every string of
// every string block, the usual version paths.
#pragma once

#include "platform/kernel/module/resource_tree.h"
#include "platform/kernel/module/string_table.h"
#include "platform/kernel/module/version_info.h"

#include <cstring>

namespace talix::fuzz {

inline void QueryVersionPaths(ByteView block) {
  static const char16_t* const kPaths[] = {u"\\", u"\\VarFileInfo\\Translation",
                                           u"\\StringFileInfo\\040904b0\\FileVersion",
                                           u"\\StringFileInfo\\040904B0\\ProductName"};
  for (const char16_t* path : kPaths) {
    const BYTE* value = nullptr;
    UINT length = 0;
    if (QueryVersionValue(block, path, &value, &length) && length) {
      volatile BYTE last = value[0];
      (void)last;
    }
  }
}

inline unsigned WalkResources(const ResourceTree& tree) {
  unsigned sum = 0;
  for (const ResourceTypeNode& type : tree.Types())
    for (const ResourceNameNode& name : type.names)
      for (const ResourceData& data : name.languages) {
        for (DWORD i = 0; i < data.size; ++i) sum += data.bytes[i];
        ByteView bytes(data.bytes, data.size);
        if (type.key.isId && type.key.id == 6) {
          for (UINT id = 0; id < 16; ++id) {
            const WCHAR* text;
            WORD length;
            if (FindStringInBlock(bytes, id, &text, &length)) {
              char16_t last;
              std::memcpy(&last, text + length - 1, sizeof last);
              sum += last;
            }
          }
        }
        if (type.key.isId && type.key.id == 16) QueryVersionPaths(bytes);
      }
  return sum;
}

}  // namespace talix::fuzz
