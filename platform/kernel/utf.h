// UTF-16 <-> UTF-8 at the host boundary (file names, environment, fonts, X11).
#pragma once

#include <win/types.h>

#include <string>
#include <string_view>

namespace talix {

// Ill-formed input (unpaired surrogates, bad UTF-8) becomes U+FFFD.
TALIX_EXPORT std::string ToUtf8(std::u16string_view text);
TALIX_EXPORT std::string ToUtf8(const WCHAR* text);  // null gives ""
TALIX_EXPORT std::u16string FromUtf8(std::string_view text);

}  // namespace talix
