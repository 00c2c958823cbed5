// The wide printf family: each function differs only in how it cuts, terminates and
// reports text that does not fit its buffer.
#include <win/wstr.h>

#include <algorithm>
#include <cerrno>
#include <climits>

#include "platform/kernel/wstr/format_engine.h"

using talix::FormatWide;

namespace {

// The longest text a caller can be told about in an int.
constexpr size_t kMaxLength = INT_MAX;
// The documented buffer of wsprintfW/wvsprintfW, terminator included.
constexpr size_t kWsprintfBuffer = 1024;

// The legacy Windows contract: text shorter than count is terminated; text of exactly
// count units is stored unterminated and returns count; longer text stores count units,
// unterminated, and returns -1. A null buffer with count 0 asks for the length.
int FormatCounted(WCHAR* buffer, size_t count, const WCHAR* format, va_list args) {
  if (!format || (!buffer && count)) return -1;
  size_t length = FormatWide(buffer, count, format, args);
  if (!buffer) return length > kMaxLength ? -1 : static_cast<int>(length);
  if (length > count || length > kMaxLength) return -1;
  if (length < count) buffer[length] = 0;
  return static_cast<int>(length);
}

// The always-terminated contract: text that does not fit with its terminator is cut at
// capacity - 1 units and reported as -1.
int FormatTerminated(WCHAR* buffer, size_t capacity, const WCHAR* format, va_list args) {
  if (!format || !buffer || capacity == 0) return -1;
  size_t length = FormatWide(buffer, capacity - 1, format, args);
  if (length >= capacity || length > kMaxLength) {
    buffer[capacity - 1] = 0;
    return -1;
  }
  buffer[length] = 0;
  return static_cast<int>(length);
}

}  // namespace

int _vsnwprintf(WCHAR* buffer, size_t count, const WCHAR* format, va_list args) {
  return FormatCounted(buffer, count, format, args);
}

int _snwprintf(WCHAR* buffer, size_t count, const WCHAR* format, ...) {
  va_list args;
  va_start(args, format);
  int result = FormatCounted(buffer, count, format, args);
  va_end(args);
  return result;
}

int vswprintf(WCHAR* buffer, size_t count, const WCHAR* format, va_list args) {
  return FormatTerminated(buffer, count, format, args);
}

int swprintf(WCHAR* buffer, size_t count, const WCHAR* format, ...) {
  va_list args;
  va_start(args, format);
  int result = FormatTerminated(buffer, count, format, args);
  va_end(args);
  return result;
}

int _vswprintf(WCHAR* buffer, const WCHAR* format, va_list args) {
  return FormatTerminated(buffer, kMaxLength, format, args);
}

int _swprintf(WCHAR* buffer, const WCHAR* format, ...) {
  va_list args;
  va_start(args, format);
  int result = FormatTerminated(buffer, kMaxLength, format, args);
  va_end(args);
  return result;
}

int _vscwprintf(const WCHAR* format, va_list args) {
  if (!format) return -1;
  size_t length = FormatWide(nullptr, 0, format, args);
  return length > kMaxLength ? -1 : static_cast<int>(length);
}

int _scwprintf(const WCHAR* format, ...) {
  va_list args;
  va_start(args, format);
  int result = _vscwprintf(format, args);
  va_end(args);
  return result;
}

int _vsnwprintf_s(WCHAR* buffer, size_t size, size_t count, const WCHAR* format, va_list args) {
  if (!buffer || size == 0 || !format) {
    errno = EINVAL;
    return -1;
  }
  bool truncate = count == _TRUNCATE;
  // Without _TRUNCATE the text is limited to count units, which must fit with the
  // terminator; otherwise the whole buffer less the terminator is available.
  size_t limit = truncate ? size - 1 : count;
  size_t stored_max = std::min(limit, size - 1);
  size_t length = FormatWide(buffer, stored_max, format, args);
  if (length <= stored_max) {
    buffer[length] = 0;
    return static_cast<int>(length);
  }
  if (truncate || (limit < size && length > limit)) {
    // Cut at the limit: with _TRUNCATE that is reported as -1, with a count it is the
    // requested behaviour and returns -1 as well.
    buffer[stored_max] = 0;
    return -1;
  }
  buffer[0] = 0;
  errno = ERANGE;
  return -1;
}

int _snwprintf_s(WCHAR* buffer, size_t size, size_t count, const WCHAR* format, ...) {
  va_list args;
  va_start(args, format);
  int result = _vsnwprintf_s(buffer, size, count, format, args);
  va_end(args);
  return result;
}

int vswprintf_s(WCHAR* buffer, size_t size, const WCHAR* format, va_list args) {
  if (!buffer || size == 0 || !format) {
    errno = EINVAL;
    return -1;
  }
  size_t length = FormatWide(buffer, size - 1, format, args);
  if (length >= size) {
    buffer[0] = 0;
    errno = ERANGE;
    return -1;
  }
  buffer[length] = 0;
  return static_cast<int>(length);
}

int swprintf_s(WCHAR* buffer, size_t size, const WCHAR* format, ...) {
  va_list args;
  va_start(args, format);
  int result = vswprintf_s(buffer, size, format, args);
  va_end(args);
  return result;
}

int wvsprintfW(LPWSTR buffer, LPCWSTR format, va_list args) {
  if (!buffer || !format) return 0;
  size_t length = FormatWide(buffer, kWsprintfBuffer - 1, format, args);
  size_t stored = std::min(length, kWsprintfBuffer - 1);
  buffer[stored] = 0;
  return static_cast<int>(stored);
}

int wsprintfW(LPWSTR buffer, LPCWSTR format, ...) {
  va_list args;
  va_start(args, format);
  int result = wvsprintfW(buffer, format, args);
  va_end(args);
  return result;
}
