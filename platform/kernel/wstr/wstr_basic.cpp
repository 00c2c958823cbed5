// Length, copy, comparison and search of terminated WCHAR strings.
#include <win/wstr.h>

#include <cstdlib>
#include <cstring>

size_t wcslen(const WCHAR* s) {
  const WCHAR* p = s;
  while (*p) ++p;
  return static_cast<size_t>(p - s);
}

size_t wcsnlen(const WCHAR* s, size_t max_count) {
  size_t n = 0;
  while (n < max_count && s[n]) ++n;
  return n;
}

WCHAR* wcscpy(WCHAR* dst, const WCHAR* src) {
  WCHAR* out = dst;
  while ((*out++ = *src++) != 0) {
  }
  return dst;
}

WCHAR* wcsncpy(WCHAR* dst, const WCHAR* src, size_t count) {
  size_t n = 0;
  for (; n < count && src[n]; ++n) dst[n] = src[n];
  for (; n < count; ++n) dst[n] = 0;
  return dst;
}

WCHAR* wcscat(WCHAR* dst, const WCHAR* src) {
  wcscpy(dst + wcslen(dst), src);
  return dst;
}

WCHAR* wcsncat(WCHAR* dst, const WCHAR* src, size_t count) {
  WCHAR* out = dst + wcslen(dst);
  size_t n = 0;
  for (; n < count && src[n]; ++n) out[n] = src[n];
  out[n] = 0;
  return dst;
}

int wcscmp(const WCHAR* a, const WCHAR* b) {
  while (*a && *a == *b) ++a, ++b;
  return static_cast<int>(*a) - static_cast<int>(*b);
}

int wcsncmp(const WCHAR* a, const WCHAR* b, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (a[i] != b[i] || !a[i]) return static_cast<int>(a[i]) - static_cast<int>(b[i]);
  }
  return 0;
}

const WCHAR* wcschr(const WCHAR* s, WCHAR c) {
  for (;; ++s) {
    if (*s == c) return s;
    if (!*s) return nullptr;
  }
}

const WCHAR* wcsrchr(const WCHAR* s, WCHAR c) {
  const WCHAR* found = nullptr;
  for (;; ++s) {
    if (*s == c) found = s;
    if (!*s) return found;
  }
}

const WCHAR* wcsstr(const WCHAR* s, const WCHAR* needle) {
  size_t n = wcslen(needle);
  if (n == 0) return s;
  for (; *s; ++s) {
    if (*s == *needle && wcsncmp(s, needle, n) == 0) return s;
  }
  return nullptr;
}

const WCHAR* wcspbrk(const WCHAR* s, const WCHAR* accept) {
  for (; *s; ++s) {
    if (wcschr(accept, *s)) return s;
  }
  return nullptr;
}

size_t wcsspn(const WCHAR* s, const WCHAR* accept) {
  size_t n = 0;
  while (s[n] && wcschr(accept, s[n])) ++n;
  return n;
}

size_t wcscspn(const WCHAR* s, const WCHAR* reject) {
  size_t n = 0;
  while (s[n] && !wcschr(reject, s[n])) ++n;
  return n;
}

WCHAR* wcstok(WCHAR* s, const WCHAR* delim, WCHAR** context) {
  if (!s) s = *context;
  if (!s) return nullptr;
  s += wcsspn(s, delim);
  if (!*s) {
    *context = s;
    return nullptr;
  }
  WCHAR* end = s + wcscspn(s, delim);
  if (*end) {
    *end = 0;
    *context = end + 1;
  } else {
    *context = end;
  }
  return s;
}

WCHAR* wcstok(WCHAR* s, const WCHAR* delim) {
  thread_local WCHAR* context = nullptr;
  return wcstok(s, delim, &context);
}

WCHAR* _wcsdup(const WCHAR* s) {
  if (!s) return nullptr;
  size_t bytes = (wcslen(s) + 1) * sizeof(WCHAR);
  auto* copy = static_cast<WCHAR*>(std::malloc(bytes));
  if (copy) std::memcpy(copy, s, bytes);
  return copy;
}

WCHAR* _wcsrev(WCHAR* s) {
  size_t n = wcslen(s);
  for (size_t i = 0; i < n / 2; ++i) {
    WCHAR t = s[i];
    s[i] = s[n - 1 - i];
    s[n - 1 - i] = t;
  }
  return s;
}

WCHAR* wmemcpy(WCHAR* dst, const WCHAR* src, size_t count) {
  if (count) std::memcpy(dst, src, count * sizeof(WCHAR));
  return dst;
}

WCHAR* wmemmove(WCHAR* dst, const WCHAR* src, size_t count) {
  if (count) std::memmove(dst, src, count * sizeof(WCHAR));
  return dst;
}

WCHAR* wmemset(WCHAR* dst, WCHAR c, size_t count) {
  for (size_t i = 0; i < count; ++i) dst[i] = c;
  return dst;
}

int wmemcmp(const WCHAR* a, const WCHAR* b, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  return 0;
}
