// Bounded copies of the C runtime. Where Windows would call the invalid-parameter
// handler (which ends the process by default) these return the error code and leave
// the destination empty.
#include <win/wstr.h>

#include <cerrno>

namespace {

// A count no string reaches, distinct from _TRUNCATE: copy the whole string or fail.
constexpr size_t kWholeString = static_cast<size_t>(-2);

errno_t Fail(WCHAR* dst, size_t size, errno_t error) {
  if (dst && size) dst[0] = 0;
  return error;
}

}  // namespace

errno_t wcsncpy_s(WCHAR* dst, size_t size, const WCHAR* src, size_t count) {
  if (!dst && size == 0 && count == 0) return 0;
  if (!dst || size == 0) return EINVAL;
  if (!src) return count == 0 ? (dst[0] = 0, 0) : Fail(dst, size, EINVAL);
  size_t n = 0;
  while (n < count && src[n] && n < size) {
    dst[n] = src[n];
    ++n;
  }
  if (n < size) {
    dst[n] = 0;
    return 0;
  }
  if (count == _TRUNCATE) {
    dst[size - 1] = 0;
    return STRUNCATE;
  }
  return Fail(dst, size, ERANGE);
}

errno_t wcscpy_s(WCHAR* dst, size_t size, const WCHAR* src) {
  if (!dst || size == 0) return EINVAL;
  if (!src) return Fail(dst, size, EINVAL);
  return wcsncpy_s(dst, size, src, kWholeString);
}

errno_t wcscat_s(WCHAR* dst, size_t size, const WCHAR* src) {
  if (!dst || size == 0) return EINVAL;
  if (!src) return Fail(dst, size, EINVAL);
  size_t used = wcsnlen(dst, size);
  if (used == size) return Fail(dst, size, EINVAL);  // the destination was not terminated
  errno_t result = wcsncpy_s(dst + used, size - used, src, kWholeString);
  if (result != 0) dst[0] = 0;
  return result;
}
