#include "platform/kernel/registry/name_fold.h"

#include "platform/kernel/wstr/char_tables.h"

namespace talix::registry {

char16_t UpcaseUnit(char16_t c) { return ToUpperCase(c); }

std::u16string FoldName(std::u16string_view name) {
  std::u16string folded(name);
  for (char16_t& c : folded) c = UpcaseUnit(c);
  return folded;
}

}  // namespace talix::registry
