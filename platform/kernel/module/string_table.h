// String table blocks (RT_STRING): block n holds strings 16*(n-1) .. 16*(n-1)+15, each a
// 16-bit length followed by that many UTF-16 characters, not terminated.
#pragma once

#include "platform/kernel/module/byte_view.h"

namespace talix {

inline WORD StringBlockOf(UINT id) { return static_cast<WORD>(((id & 0xFFFF) >> 4) + 1); }

// Finds string `id` in its block. False when the slot is empty or the block is too short
// for it; *text then is not set. *text may be unaligned: copy it with memcpy.
TALIX_EXPORT bool FindStringInBlock(ByteView block, UINT id, const WCHAR** text, WORD* length);

}  // namespace talix
