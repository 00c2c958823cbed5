// Case-insensitive key and value names: names are compared through their upper-cased
// form, code unit by code unit, as the registry compares them.
// The mapping is the simple (one unit to one unit) upper-case mapping of the BMP.
#pragma once

#include <win/types.h>

#include <string>
#include <string_view>

namespace talix::registry {

TALIX_EXPORT char16_t UpcaseUnit(char16_t c);
TALIX_EXPORT std::u16string FoldName(std::u16string_view name);

}  // namespace talix::registry
