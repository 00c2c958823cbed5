// Case-insensitive key and value names: names are compared through their upper-cased
// form, code unit by code unit, as the registry compares them.
//
// Limit: the upper-case mapping covers ASCII, Latin-1, Latin Extended-A, Greek, Cyrillic
// and full-width Latin letters; other code units map to themselves.
#pragma once

#include <win/types.h>

#include <string>
#include <string_view>

namespace talix::registry {

TALIX_EXPORT char16_t UpcaseUnit(char16_t c);
TALIX_EXPORT std::u16string FoldName(std::u16string_view name);

}  // namespace talix::registry
