// The C runtime's wide-string functions on WCHAR, string conversion and case folding.
//
// The C runtime functions are C++ overloads on WCHAR (char16_t); they sit beside the C
// library's wchar_t functions of the same names without touching them. Windows string
// functions (lstr*, Char*, CompareString*, the code page conversions) are exported C
// functions.
//
// Limits:
// - Case mapping and character classes cover the Basic Multilingual Plane with simple
//   (one unit to one unit) mappings, the same in every locale; setlocale has no effect.
// - The ANSI and OEM code pages are UTF-8 (as on a Windows system whose code page is
//   65001): narrow strings given to %hs/%S and CP_ACP conversions are read as UTF-8.
// - lstrcmpW/CompareStringW order by case-folded code unit and then put lower case
//   before upper case; this matches the Windows word sort for letters and digits, not
//   for punctuation, which Windows mostly ignores.
// - Formatting: "l" means 32 bits, as long is on Windows; use "ll", "I64" or "z" for
//   64-bit values. Floating-point output always uses '.' and its precision stops at 512.
//   %n writes nothing.
// - The secure (_s) functions return their error code and empty the destination where
//   Windows would call the invalid-parameter handler.
#pragma once

#include <win/base.h>

// The C++ library imports the C functions into std with using-declarations; those must
// see only the C library's wchar_t functions, so these headers come before ours.
#include <cstdarg>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <string>
#include <type_traits>

typedef int errno_t;
#ifndef _TRUNCATE
#define _TRUNCATE (static_cast<size_t>(-1))
#endif

// ---- C runtime: length, copy, compare, search -----------------------------------------
TALIX_CRT_API size_t wcslen(const WCHAR* s);
TALIX_CRT_API size_t wcsnlen(const WCHAR* s, size_t max_count);
TALIX_CRT_API WCHAR* wcscpy(WCHAR* dst, const WCHAR* src);
// Pads with zeros up to count and does not terminate when src is count units or longer.
TALIX_CRT_API WCHAR* wcsncpy(WCHAR* dst, const WCHAR* src, size_t count);
TALIX_CRT_API WCHAR* wcscat(WCHAR* dst, const WCHAR* src);
// Appends at most count units of src, always terminated.
TALIX_CRT_API WCHAR* wcsncat(WCHAR* dst, const WCHAR* src, size_t count);
TALIX_CRT_API int wcscmp(const WCHAR* a, const WCHAR* b);
TALIX_CRT_API int wcsncmp(const WCHAR* a, const WCHAR* b, size_t count);
// Case-insensitive: compares case-folded units (so "ÄÖÜ" equals "äöü", "ς" equals "Σ").
TALIX_CRT_API int _wcsicmp(const WCHAR* a, const WCHAR* b);
TALIX_CRT_API int _wcsnicmp(const WCHAR* a, const WCHAR* b, size_t count);
TALIX_CRT_API const WCHAR* wcschr(const WCHAR* s, WCHAR c);
TALIX_CRT_API const WCHAR* wcsrchr(const WCHAR* s, WCHAR c);
TALIX_CRT_API const WCHAR* wcsstr(const WCHAR* s, const WCHAR* needle);
TALIX_CRT_API const WCHAR* wcspbrk(const WCHAR* s, const WCHAR* accept);
inline WCHAR* wcschr(WCHAR* s, WCHAR c) { return const_cast<WCHAR*>(wcschr(static_cast<const WCHAR*>(s), c)); }
inline WCHAR* wcsrchr(WCHAR* s, WCHAR c) { return const_cast<WCHAR*>(wcsrchr(static_cast<const WCHAR*>(s), c)); }
inline WCHAR* wcsstr(WCHAR* s, const WCHAR* n) { return const_cast<WCHAR*>(wcsstr(static_cast<const WCHAR*>(s), n)); }
inline WCHAR* wcspbrk(WCHAR* s, const WCHAR* a) { return const_cast<WCHAR*>(wcspbrk(static_cast<const WCHAR*>(s), a)); }
TALIX_CRT_API size_t wcsspn(const WCHAR* s, const WCHAR* accept);
TALIX_CRT_API size_t wcscspn(const WCHAR* s, const WCHAR* reject);
// Splits s at any of delim; context carries the position between calls.
TALIX_CRT_API WCHAR* wcstok(WCHAR* s, const WCHAR* delim, WCHAR** context);
// The two-argument form keeps its position per thread.
TALIX_CRT_API WCHAR* wcstok(WCHAR* s, const WCHAR* delim);
// A copy from malloc (release with free); null for a null string or no memory.
TALIX_CRT_API WCHAR* _wcsdup(const WCHAR* s);
TALIX_CRT_API WCHAR* _wcslwr(WCHAR* s);
TALIX_CRT_API WCHAR* _wcsupr(WCHAR* s);
TALIX_CRT_API WCHAR* _wcsrev(WCHAR* s);
TALIX_CRT_API WCHAR* wmemcpy(WCHAR* dst, const WCHAR* src, size_t count);
TALIX_CRT_API WCHAR* wmemmove(WCHAR* dst, const WCHAR* src, size_t count);
TALIX_CRT_API WCHAR* wmemset(WCHAR* dst, WCHAR c, size_t count);
TALIX_CRT_API int wmemcmp(const WCHAR* a, const WCHAR* b, size_t count);

// ---- C runtime: characters (pass a WCHAR; an int argument would be ambiguous with the
// C library's wint_t versions) --------------------------------------------------------
TALIX_CRT_API WCHAR towupper(WCHAR c);
TALIX_CRT_API WCHAR towlower(WCHAR c);
TALIX_CRT_API int iswspace(WCHAR c);
TALIX_CRT_API int iswdigit(WCHAR c);  // decimal digits of every script
TALIX_CRT_API int iswalpha(WCHAR c);
TALIX_CRT_API int iswalnum(WCHAR c);
TALIX_CRT_API int iswupper(WCHAR c);
TALIX_CRT_API int iswlower(WCHAR c);
TALIX_CRT_API int iswxdigit(WCHAR c);

// ---- C runtime: numbers ----------------------------------------------------------------
// Leading white space, an optional sign, ASCII digits; out-of-range values saturate.
TALIX_CRT_API int _wtoi(const WCHAR* s);
TALIX_CRT_API LONG _wtol(const WCHAR* s);
TALIX_CRT_API LONGLONG _wtoi64(const WCHAR* s);
TALIX_CRT_API LONG wcstol(const WCHAR* s, WCHAR** end, int base);
TALIX_CRT_API ULONG wcstoul(const WCHAR* s, WCHAR** end, int base);
TALIX_CRT_API LONGLONG _wcstoi64(const WCHAR* s, WCHAR** end, int base);
TALIX_CRT_API ULONGLONG _wcstoui64(const WCHAR* s, WCHAR** end, int base);
TALIX_CRT_API double wcstod(const WCHAR* s, WCHAR** end);
TALIX_CRT_API double _wtof(const WCHAR* s);
// Radix 2..36; a negative value gets a '-' in radix 10 only. The buffer must hold the
// result (at most 33 units for 32 bits, 65 for 64 bits, plus the terminator).
TALIX_CRT_API WCHAR* _itow(int value, WCHAR* buffer, int radix);
TALIX_CRT_API WCHAR* _ltow(LONG value, WCHAR* buffer, int radix);
TALIX_CRT_API WCHAR* _ultow(ULONG value, WCHAR* buffer, int radix);
TALIX_CRT_API WCHAR* _i64tow(LONGLONG value, WCHAR* buffer, int radix);
TALIX_CRT_API WCHAR* _ui64tow(ULONGLONG value, WCHAR* buffer, int radix);

// ---- C runtime: bounded copies (0 on success, else EINVAL or ERANGE) -------------------
TALIX_CRT_API errno_t wcscpy_s(WCHAR* dst, size_t size, const WCHAR* src);
// count may be _TRUNCATE: copy what fits and return STRUNCATE when cut.
TALIX_CRT_API errno_t wcsncpy_s(WCHAR* dst, size_t size, const WCHAR* src, size_t count);
TALIX_CRT_API errno_t wcscat_s(WCHAR* dst, size_t size, const WCHAR* src);
template <size_t N>
errno_t wcscpy_s(WCHAR (&dst)[N], const WCHAR* src) { return wcscpy_s(dst, N, src); }
template <size_t N>
errno_t wcsncpy_s(WCHAR (&dst)[N], const WCHAR* src, size_t count) { return wcsncpy_s(dst, N, src, count); }
template <size_t N>
errno_t wcscat_s(WCHAR (&dst)[N], const WCHAR* src) { return wcscat_s(dst, N, src); }
#ifndef STRUNCATE
#define STRUNCATE 80
#endif

// ---- C runtime: formatting ---------------------------------------------------------------
// Windows conventions: %s and %ls are WIDE strings, %S and %hs narrow (UTF-8) strings;
// %c is a WCHAR, %C/%hc a narrow char; a null string prints "(null)". Also %d %i %u %o
// %x %X %p %e %E %f %F %g %G %a %A %%, flags "-+ #0", width and precision with '*',
// sizes hh h l ll L I I32 I64 z j t w.
//
// _snwprintf: when the text is shorter than count it is stored terminated and its length
// returned; exactly count units are stored unterminated with count returned; longer text
// stores count units, unterminated, and returns -1.
TALIX_CRT_API int _vsnwprintf(WCHAR* buffer, size_t count, const WCHAR* format, va_list args);
TALIX_CRT_API int _snwprintf(WCHAR* buffer, size_t count, const WCHAR* format, ...);
// swprintf/vswprintf with a count: the result is always terminated; text that does not
// fit with its terminator is cut at count - 1 units and -1 is returned.
TALIX_CRT_API int vswprintf(WCHAR* buffer, size_t count, const WCHAR* format, va_list args);
TALIX_CRT_API int swprintf(WCHAR* buffer, size_t count, const WCHAR* format, ...);
// The length the text would have, without terminator.
TALIX_CRT_API int _vscwprintf(const WCHAR* format, va_list args);
TALIX_CRT_API int _scwprintf(const WCHAR* format, ...);
// Secure forms: count (at most size - 1, or _TRUNCATE to cut to the buffer) limits the
// text; when it does not fit, the buffer is emptied (or cut and terminated with
// _TRUNCATE) and -1 returned.
TALIX_CRT_API int _vsnwprintf_s(WCHAR* buffer, size_t size, size_t count, const WCHAR* format,
                                va_list args);
TALIX_CRT_API int _snwprintf_s(WCHAR* buffer, size_t size, size_t count, const WCHAR* format, ...);
TALIX_CRT_API int vswprintf_s(WCHAR* buffer, size_t size, const WCHAR* format, va_list args);
TALIX_CRT_API int swprintf_s(WCHAR* buffer, size_t size, const WCHAR* format, ...);
template <size_t N>
int swprintf_s(WCHAR (&buffer)[N], const WCHAR* format, ...) {
  va_list args;
  va_start(args, format);
  int result = vswprintf_s(buffer, N, format, args);
  va_end(args);
  return result;
}
// The legacy form without a count. Given an array, it is bounded by the array's size
// (cut, terminated, -1 when the text does not fit); given a pointer, it trusts the
// caller's buffer as Windows does.
template <size_t N>
int swprintf(WCHAR (&buffer)[N], const WCHAR* format, ...) {
  va_list args;
  va_start(args, format);
  int result = vswprintf(buffer, N, format, args);
  va_end(args);
  return result;
}
// Unbounded legacy forms: the caller vouches for the buffer.
TALIX_CRT_API int _vswprintf(WCHAR* buffer, const WCHAR* format, va_list args);
TALIX_CRT_API int _swprintf(WCHAR* buffer, const WCHAR* format, ...);
template <typename Pointer>
  requires std::is_same_v<Pointer, WCHAR*>
int swprintf(Pointer buffer, const WCHAR* format, ...) {
  va_list args;
  va_start(args, format);
  int result = _vswprintf(buffer, format, args);
  va_end(args);
  return result;
}

// ---- Windows: formatting -----------------------------------------------------------------
// Stores at most 1023 units plus the terminator (the documented 1024-unit buffer) and
// returns the number stored. Accepts every conversion of the C runtime functions above,
// floating point included (Windows' own wsprintfW has none).
WINUSERAPI int wvsprintfW(LPWSTR buffer, LPCWSTR format, va_list args);
WINUSERAPI int wsprintfW(LPWSTR buffer, LPCWSTR format, ...);
inline int wvsprintf(LPWSTR buffer, LPCWSTR format, va_list args) { return wvsprintfW(buffer, format, args); }
inline int wsprintf(LPWSTR buffer, LPCWSTR format, ...) {
  va_list args;
  va_start(args, format);
  int result = wvsprintfW(buffer, format, args);
  va_end(args);
  return result;
}

// ---- Windows: string functions -----------------------------------------------------------
// Null strings are tolerated: lstrlenW gives 0, the copies give null, lstrcmpW sorts
// null first.
WINBASEAPI int lstrlenW(LPCWSTR s);
WINBASEAPI LPWSTR lstrcpyW(LPWSTR dst, LPCWSTR src);
// Copies at most max_count - 1 units and always terminates (nothing for max_count 0).
WINBASEAPI LPWSTR lstrcpynW(LPWSTR dst, LPCWSTR src, int max_count);
WINBASEAPI LPWSTR lstrcatW(LPWSTR dst, LPCWSTR src);
WINBASEAPI int lstrcmpW(LPCWSTR a, LPCWSTR b);
WINBASEAPI int lstrcmpiW(LPCWSTR a, LPCWSTR b);
// A pointer whose high bits are all zero carries one character in its low word; the
// converted character comes back the same way. Otherwise the string is converted in place.
WINUSERAPI LPWSTR CharUpperW(LPWSTR s);
WINUSERAPI LPWSTR CharLowerW(LPWSTR s);
WINUSERAPI DWORD CharUpperBuffW(LPWSTR s, DWORD length);
WINUSERAPI DWORD CharLowerBuffW(LPWSTR s, DWORD length);
// Steps over one character with the combining marks that follow it; stays on the
// terminator. CharPrevW never goes before start.
WINUSERAPI LPWSTR CharNextW(LPCWSTR s);
WINUSERAPI LPWSTR CharPrevW(LPCWSTR start, LPCWSTR current);
WINUSERAPI BOOL IsCharAlphaW(WCHAR c);
WINUSERAPI BOOL IsCharAlphaNumericW(WCHAR c);
WINUSERAPI BOOL IsCharUpperW(WCHAR c);
WINUSERAPI BOOL IsCharLowerW(WCHAR c);

#define LOCALE_NEUTRAL 0x0000
#define LOCALE_INVARIANT 0x007F
#define LOCALE_USER_DEFAULT 0x0400
#define LOCALE_SYSTEM_DEFAULT 0x0800
#define NORM_IGNORECASE 0x00000001
#define NORM_IGNORENONSPACE 0x00000002
#define NORM_IGNORESYMBOLS 0x00000004
#define LINGUISTIC_IGNORECASE 0x00000010
#define LINGUISTIC_IGNOREDIACRITIC 0x00000020
#define SORT_STRINGSORT 0x00001000
#define NORM_IGNOREKANATYPE 0x00010000
#define NORM_IGNOREWIDTH 0x00020000
#define CSTR_LESS_THAN 1
#define CSTR_EQUAL 2
#define CSTR_GREATER_THAN 3
// Length -1 means terminated. NORM_IGNORECASE/LINGUISTIC_IGNORECASE fold case,
// NORM_IGNORESYMBOLS skips what is neither letter nor digit; the other flags are
// accepted and have no effect. Returns CSTR_* or 0 (ERROR_INVALID_PARAMETER/FLAGS).
WINBASEAPI int CompareStringW(LCID locale, DWORD flags, LPCWSTR a, int a_length, LPCWSTR b,
                              int b_length);
// Code-unit order; ignore_case compares upper-case forms.
WINBASEAPI int CompareStringOrdinal(LPCWSTR a, int a_length, LPCWSTR b, int b_length,
                                    BOOL ignore_case);

inline int lstrlen(LPCWSTR s) { return lstrlenW(s); }
inline LPWSTR lstrcpy(LPWSTR d, LPCWSTR s) { return lstrcpyW(d, s); }
inline LPWSTR lstrcpyn(LPWSTR d, LPCWSTR s, int n) { return lstrcpynW(d, s, n); }
inline LPWSTR lstrcat(LPWSTR d, LPCWSTR s) { return lstrcatW(d, s); }
inline int lstrcmp(LPCWSTR a, LPCWSTR b) { return lstrcmpW(a, b); }
inline int lstrcmpi(LPCWSTR a, LPCWSTR b) { return lstrcmpiW(a, b); }
inline LPWSTR CharUpper(LPWSTR s) { return CharUpperW(s); }
inline LPWSTR CharLower(LPWSTR s) { return CharLowerW(s); }
inline DWORD CharUpperBuff(LPWSTR s, DWORD n) { return CharUpperBuffW(s, n); }
inline DWORD CharLowerBuff(LPWSTR s, DWORD n) { return CharLowerBuffW(s, n); }
inline LPWSTR CharNext(LPCWSTR s) { return CharNextW(s); }
inline LPWSTR CharPrev(LPCWSTR start, LPCWSTR current) { return CharPrevW(start, current); }
inline BOOL IsCharAlpha(WCHAR c) { return IsCharAlphaW(c); }
inline BOOL IsCharAlphaNumeric(WCHAR c) { return IsCharAlphaNumericW(c); }
inline BOOL IsCharUpper(WCHAR c) { return IsCharUpperW(c); }
inline BOOL IsCharLower(WCHAR c) { return IsCharLowerW(c); }
inline int CompareString(LCID l, DWORD f, LPCWSTR a, int na, LPCWSTR b, int nb) {
  return CompareStringW(l, f, a, na, b, nb);
}

// ---- Windows: code page conversion ---------------------------------------------------------
#define CP_ACP 0
#define CP_OEMCP 1
#define CP_MACCP 2
#define CP_THREAD_ACP 3
#define CP_UTF8 65001
#define MB_PRECOMPOSED 0x00000001
#define MB_COMPOSITE 0x00000002
#define MB_USEGLYPHCHARS 0x00000004
#define MB_ERR_INVALID_CHARS 0x00000008
#define WC_DISCARDNS 0x00000010
#define WC_SEPCHARS 0x00000020
#define WC_DEFAULTCHAR 0x00000040
#define WC_ERR_INVALID_CHARS 0x00000080
#define WC_COMPOSITECHECK 0x00000200
#define WC_NO_BEST_FIT_CHARS 0x00000400

// The ANSI, OEM and thread code pages are all UTF-8 (65001), so CP_ACP, CP_OEMCP and
// CP_THREAD_ACP behave exactly as CP_UTF8: flags other than the *_ERR_INVALID_CHARS one
// fail with ERROR_INVALID_FLAGS, and lpDefaultChar/lpUsedDefaultChar must be null. Other
// code pages fail with ERROR_INVALID_PARAMETER.
WINBASEAPI UINT GetACP(void);
WINBASEAPI UINT GetOEMCP(void);
// Length -1: the input is terminated and the terminator is converted and counted too.
// Output size 0: returns the size needed. Too small: 0 with ERROR_INSUFFICIENT_BUFFER.
// Ill-formed input becomes U+FFFD (one per maximal ill-formed sequence), or with
// MB_ERR_INVALID_CHARS / WC_ERR_INVALID_CHARS fails with ERROR_NO_UNICODE_TRANSLATION.
WINBASEAPI int MultiByteToWideChar(UINT code_page, DWORD flags, LPCSTR multi_byte,
                                   int multi_byte_length, LPWSTR wide, int wide_length);
WINBASEAPI int WideCharToMultiByte(UINT code_page, DWORD flags, LPCWSTR wide, int wide_length,
                                   LPSTR multi_byte, int multi_byte_length, LPCSTR default_char,
                                   LPBOOL used_default_char);
