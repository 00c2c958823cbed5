// Reading compiled resources in the .res format: a sequence of records, each a header
// (data size, header size, type, name, language, ...) followed by the data, every record
// starting on a 32-bit boundary. The first record of a .res file is an empty marker.
#pragma once

#include "platform/kernel/module/byte_view.h"
#include "platform/kernel/module/resource_tree.h"

namespace talix {

// True when the bytes begin with the empty marker record of a .res file.
bool LooksLikeResFile(ByteView bytes);

// Adds the records of `bytes` to `tree` and finishes it in linker order. Returns false
// when a record is malformed; the records before it are kept.
TALIX_EXPORT bool ReadResFile(ByteView bytes, ResourceTree* tree);

}  // namespace talix
