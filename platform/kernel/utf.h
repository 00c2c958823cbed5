// UTF-16 <-> UTF-8 at the host boundary (file names, environment, fonts, X11).
#pragma once

#include <win/types.h>

#include <string>
#include <string_view>

namespace talix {

constexpr char32_t kReplacementChar = 0xFFFD;

// Ill-formed input (unpaired surrogates, bad UTF-8) becomes U+FFFD.
TALIX_EXPORT std::string ToUtf8(std::u16string_view text);
TALIX_EXPORT std::string ToUtf8(const WCHAR* text);  // null gives ""
TALIX_EXPORT std::u16string FromUtf8(std::string_view text);

// Decodes one sequence at text[i] (i < text.size()) and advances i past it. An
// ill-formed sequence gives U+FFFD, sets *valid to false and advances past its
// maximal well-formed prefix only (at least one byte), so each broken sequence costs
// one replacement, as Unicode recommends.
TALIX_EXPORT char32_t DecodeUtf8(std::string_view text, size_t& i, bool* valid = nullptr);
// Writes the UTF-8 form of c (at most U+10FFFF, no surrogate) to out; returns its length.
TALIX_EXPORT size_t EncodeUtf8(char32_t c, char out[4]);
// Reads one code point from UTF-16 at text[i], joining a surrogate pair; a lone
// surrogate gives U+FFFD and clears *valid.
TALIX_EXPORT char32_t DecodeUtf16(std::u16string_view text, size_t& i, bool* valid = nullptr);

}  // namespace talix
