// The text of a .reg file: decoding its bytes into lines, and encoding text for writing.
#pragma once

#include <win/types.h>

#include <string>
#include <string_view>
#include <vector>

namespace talix::registry {

// What is wrong with a .reg file and on which line (1-based; 0 when no line applies).
struct RegFileError {
  size_t line = 0;
  std::string message;
};
// "line 7: expected '=' after the value name".
TALIX_EXPORT std::string FormatRegFileError(const RegFileError& error);

// Splits the bytes of a .reg file into lines without their line ends. The bytes are
// UTF-16LE when they start with a byte order mark FF FE, else UTF-8 (an EF BB BF mark is
// skipped). Malformed UTF-8, NUL characters and big-endian UTF-16 are errors.
TALIX_EXPORT bool DecodeRegLines(std::string_view bytes, std::vector<std::u16string>* lines,
                                 RegFileError* error);

// The bytes of a file holding text in UTF-16LE with a byte order mark.
TALIX_EXPORT std::string EncodeUtf16Le(std::u16string_view text);

}  // namespace talix::registry
