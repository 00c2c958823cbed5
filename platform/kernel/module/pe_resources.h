// Reading the resource directory of a PE module (PE32 or PE32+) from its file bytes.
// Limits: only the resource directory is read; sections are located through their raw
// data in the file, so resources living in the zero-filled tail of a section (virtual
// size beyond the raw size) are not found.
#pragma once

#include "platform/kernel/module/byte_view.h"
#include "platform/kernel/module/resource_tree.h"

namespace talix {

// True when the bytes begin like a PE image ("MZ").
bool LooksLikePe(ByteView file);

// Parses the headers and resource directory of the image in `file` into `tree`.
// Returns ERROR_SUCCESS, or ERROR_BAD_EXE_FORMAT when the headers or section table are
// malformed. A damaged resource directory is not an error: the entries that check out
// are kept and the others are left out, so looking those up fails.
TALIX_EXPORT DWORD ReadPeResources(ByteView file, ResourceTree* tree);

}  // namespace talix
