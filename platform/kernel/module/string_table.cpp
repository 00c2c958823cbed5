#include "platform/kernel/module/string_table.h"

namespace talix {

bool FindStringInBlock(ByteView block, UINT id, const WCHAR** text, WORD* length) {
  uint64_t at = 0;
  for (UINT i = 0; i < id % 16; ++i) {
    uint16_t skip;
    if (!block.U16(at, &skip)) return false;
    at += 2 + uint64_t{skip} * 2;
  }
  if (!block.U16(at, length) || *length == 0 || !block.Has(at + 2, uint64_t{*length} * 2)) return false;
  *text = reinterpret_cast<const WCHAR*>(block.Data() + at + 2);
  return true;
}

}  // namespace talix
