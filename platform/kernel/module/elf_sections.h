// Finding a named section in the bytes of an ELF file (64-bit little-endian, the only
// kind this platform builds), through the section header table.
#pragma once

#include "platform/kernel/module/byte_view.h"

#include <string_view>

namespace talix {

// The section resources are embedded in, in every ELF module built here.
inline constexpr std::string_view kResourceSectionName = "talix_rsrc";

bool LooksLikeElf(ByteView file);

// The file bytes of the section called `name`; empty (null data) when the file is not a
// well-formed ELF64 little-endian file or has no such section with contents.
// *malformed tells the two apart.
TALIX_EXPORT ByteView FindElfSection(ByteView file, std::string_view name, bool* malformed);

}  // namespace talix
