// Walking a version-information block: a tree of nodes, each {length, value length,
// type, key, value, children}, 32-bit aligned, rooted at "VS_VERSION_INFO".
#pragma once

#include "platform/kernel/module/byte_view.h"

#include <string_view>

namespace talix {

// Finds the value at `path`: "\" is the root's VS_FIXEDFILEINFO, then paths such as
// "\VarFileInfo\Translation" or "\StringFileInfo\040904b0\FileVersion" (keys match
// ignoring ASCII case). *length is in characters for text
// values and in bytes for binary ones. False when the path is not there or the block is
// malformed on the way; nothing outside `block` is read.
TALIX_EXPORT bool QueryVersionValue(ByteView block, std::u16string_view path, const BYTE** value,
                                    UINT* length);

}  // namespace talix
