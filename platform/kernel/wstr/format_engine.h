// The formatter behind the wide printf family: Windows conventions for %s/%S/%c/%C and
// the size prefixes, written into a bounded buffer.
#pragma once

#include <win/types.h>

#include <cstdarg>
#include <cstddef>

namespace talix {

// Formats into buffer, storing at most capacity units and never a terminator. Returns
// the full length of the text, which may exceed capacity (the caller decides how to
// cut and terminate).
TALIX_EXPORT size_t FormatWide(WCHAR* buffer, size_t capacity, const WCHAR* format, va_list args);

}  // namespace talix
