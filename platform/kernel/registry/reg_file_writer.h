// Writing the registry in the ".reg" export format, as the registry editor does: every
// key in brackets with its full path, subkeys in enumeration order, values in the order
// they were set, CRLF line ends, hex lists wrapped at about 80 columns.
//
// A REG_SZ value is written as "text" only when that reads back to the same bytes (an
// even size ending in its only null character, without line breaks); any other one is
// written as hex(1):. REG_DWORD values of four bytes are dword:, other types hex(N):.
// Volatile keys are not written.
#pragma once

#include "platform/kernel/registry/registry_tree.h"

#include <string>

namespace talix::registry {

TALIX_EXPORT std::u16string ExportRegText(const RegistryTree& tree);

}  // namespace talix::registry
