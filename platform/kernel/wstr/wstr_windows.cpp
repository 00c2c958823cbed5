// The Windows string functions: lstr*, Char*, IsChar* and the comparisons.
#include <win/wstr.h>

#include <cstdint>

#include "platform/kernel/wstr/char_tables.h"

namespace ct = talix::chartables;

namespace {

bool IsMark(WCHAR c) { return (talix::CharClasses(c) & ct::kMark) != 0; }

// A pointer value below 64K is a character in disguise (CharUpperW/CharLowerW).
bool IsCharacterInPointer(LPCWSTR s) { return (reinterpret_cast<uintptr_t>(s) >> 16) == 0; }

WCHAR CharacterInPointer(LPCWSTR s) { return static_cast<WCHAR>(reinterpret_cast<uintptr_t>(s)); }
LPWSTR CharacterAsPointer(WCHAR c) { return reinterpret_cast<LPWSTR>(static_cast<uintptr_t>(c)); }

size_t LengthOf(LPCWSTR s, int length) { return length < 0 ? wcslen(s) : static_cast<size_t>(length); }

// Orders two units that fold to the same character: lower case first.
int CaseTie(WCHAR a, WCHAR b) {
  bool lower_a = iswlower(a), lower_b = iswlower(b);
  if (lower_a != lower_b) return lower_a ? -1 : 1;
  return a < b ? -1 : a > b ? 1 : 0;
}

// Word-sort approximation: first by case-folded unit, then lower case before upper case
// at the first position that differs only in case.
int CollateCompare(LPCWSTR a, size_t na, LPCWSTR b, size_t nb, bool ignore_case, bool ignore_symbols) {
  int tie = 0;
  size_t i = 0, j = 0;
  for (;;) {
    if (ignore_symbols) {
      while (i < na && !iswalnum(a[i])) ++i;
      while (j < nb && !iswalnum(b[j])) ++j;
    }
    if (i == na || j == nb) break;
    WCHAR fa = talix::FoldCase(a[i]), fb = talix::FoldCase(b[j]);
    if (fa != fb) return fa < fb ? -1 : 1;
    if (!tie) tie = CaseTie(a[i], b[j]);
    ++i, ++j;
  }
  if (i != na || j != nb) return i == na ? -1 : 1;
  return ignore_case ? 0 : tie;
}

}  // namespace

int lstrlenW(LPCWSTR s) { return s ? static_cast<int>(wcslen(s)) : 0; }

LPWSTR lstrcpyW(LPWSTR dst, LPCWSTR src) { return dst && src ? wcscpy(dst, src) : nullptr; }

LPWSTR lstrcpynW(LPWSTR dst, LPCWSTR src, int max_count) {
  if (!dst || !src) return nullptr;
  if (max_count <= 0) return dst;
  int n = 0;
  for (; n < max_count - 1 && src[n]; ++n) dst[n] = src[n];
  dst[n] = 0;
  return dst;
}

LPWSTR lstrcatW(LPWSTR dst, LPCWSTR src) { return dst && src ? wcscat(dst, src) : nullptr; }

int lstrcmpW(LPCWSTR a, LPCWSTR b) {
  if (!a || !b) return !a && !b ? 0 : !a ? -1 : 1;
  return CollateCompare(a, wcslen(a), b, wcslen(b), false, false);
}

int lstrcmpiW(LPCWSTR a, LPCWSTR b) {
  if (!a || !b) return !a && !b ? 0 : !a ? -1 : 1;
  return CollateCompare(a, wcslen(a), b, wcslen(b), true, false);
}

LPWSTR CharUpperW(LPWSTR s) {
  if (IsCharacterInPointer(s)) return CharacterAsPointer(talix::ToUpperCase(CharacterInPointer(s)));
  return _wcsupr(s);
}

LPWSTR CharLowerW(LPWSTR s) {
  if (IsCharacterInPointer(s)) return CharacterAsPointer(talix::ToLowerCase(CharacterInPointer(s)));
  return _wcslwr(s);
}

DWORD CharUpperBuffW(LPWSTR s, DWORD length) {
  if (!s) return 0;
  for (DWORD i = 0; i < length; ++i) s[i] = talix::ToUpperCase(s[i]);
  return length;
}

DWORD CharLowerBuffW(LPWSTR s, DWORD length) {
  if (!s) return 0;
  for (DWORD i = 0; i < length; ++i) s[i] = talix::ToLowerCase(s[i]);
  return length;
}

LPWSTR CharNextW(LPCWSTR s) {
  if (!s || !*s) return const_cast<LPWSTR>(s);
  ++s;
  while (*s && IsMark(*s)) ++s;
  return const_cast<LPWSTR>(s);
}

LPWSTR CharPrevW(LPCWSTR start, LPCWSTR current) {
  if (!start || !current || current <= start) return const_cast<LPWSTR>(start);
  --current;
  while (current > start && IsMark(*current)) --current;
  return const_cast<LPWSTR>(current);
}

BOOL IsCharAlphaW(WCHAR c) { return iswalpha(c) ? TRUE : FALSE; }
BOOL IsCharAlphaNumericW(WCHAR c) { return iswalnum(c) ? TRUE : FALSE; }
BOOL IsCharUpperW(WCHAR c) { return iswupper(c) ? TRUE : FALSE; }
BOOL IsCharLowerW(WCHAR c) { return iswlower(c) ? TRUE : FALSE; }

int CompareStringW(LCID, DWORD flags, LPCWSTR a, int a_length, LPCWSTR b, int b_length) {
  constexpr DWORD kKnown = NORM_IGNORECASE | NORM_IGNORENONSPACE | NORM_IGNORESYMBOLS |
                           LINGUISTIC_IGNORECASE | LINGUISTIC_IGNOREDIACRITIC | SORT_STRINGSORT |
                           NORM_IGNOREKANATYPE | NORM_IGNOREWIDTH;
  if (!a || !b || a_length < -1 || b_length < -1) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (flags & ~kKnown) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  bool ignore_case = flags & (NORM_IGNORECASE | LINGUISTIC_IGNORECASE);
  int order = CollateCompare(a, LengthOf(a, a_length), b, LengthOf(b, b_length), ignore_case,
                             flags & NORM_IGNORESYMBOLS);
  return CSTR_EQUAL + order;
}

int CompareStringOrdinal(LPCWSTR a, int a_length, LPCWSTR b, int b_length, BOOL ignore_case) {
  if (!a || !b || a_length < -1 || b_length < -1) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  size_t na = LengthOf(a, a_length), nb = LengthOf(b, b_length);
  for (size_t i = 0; i < na && i < nb; ++i) {
    WCHAR ca = ignore_case ? talix::ToUpperCase(a[i]) : a[i];
    WCHAR cb = ignore_case ? talix::ToUpperCase(b[i]) : b[i];
    if (ca != cb) return ca < cb ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
  }
  return na == nb ? CSTR_EQUAL : na < nb ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
}
