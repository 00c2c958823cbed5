// Number parsing and printing of the C runtime on WCHAR strings.
#include <win/wstr.h>

#include <cerrno>
#include <climits>
#include <cctype>
#include <cstdlib>
#include <string>

#include "platform/kernel/wstr/c_locale.h"

namespace {

int DigitValue(WCHAR c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'z') return c - u'a' + 10;
  if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
  return 99;
}

struct ParsedInteger {
  ULONGLONG magnitude = 0;
  bool negative = false;
  bool overflow = false;  // the magnitude passed ULLONG_MAX
  const WCHAR* end;       // where parsing stopped (the start when nothing was read)
};

// The common part of the strto* family: white space, sign, "0x"/"0" prefixes by base,
// digits; base 0 picks 8, 10 or 16 from the prefix.
ParsedInteger ParseInteger(const WCHAR* s, int base) {
  ParsedInteger r;
  r.end = s;
  if (!s || base < 0 || base == 1 || base > 36) return r;
  const WCHAR* p = s;
  while (iswspace(*p)) ++p;
  if (*p == u'-' || *p == u'+') r.negative = *p++ == u'-';
  bool hex_prefix = p[0] == u'0' && (p[1] == u'x' || p[1] == u'X') && DigitValue(p[2]) < 16;
  if ((base == 0 || base == 16) && hex_prefix) {
    p += 2;
    base = 16;
  } else if (base == 0) {
    base = p[0] == u'0' ? 8 : 10;
  }
  const WCHAR* digits = p;
  for (int d; (d = DigitValue(*p)) < base; ++p) {
    if (r.magnitude > (ULLONG_MAX - d) / base) r.overflow = true;
    r.magnitude = r.magnitude * base + d;
  }
  if (p != digits) r.end = p;
  return r;
}

// Signed result clamped to [min_value, max_value]; sets errno on overflow.
LONGLONG ClampSigned(const ParsedInteger& r, LONGLONG min_value, LONGLONG max_value) {
  ULONGLONG limit = r.negative ? static_cast<ULONGLONG>(-(min_value + 1)) + 1
                               : static_cast<ULONGLONG>(max_value);
  if (r.overflow || r.magnitude > limit) {
    errno = ERANGE;
    return r.negative ? min_value : max_value;
  }
  return r.negative ? static_cast<LONGLONG>(0 - r.magnitude) : static_cast<LONGLONG>(r.magnitude);
}

// Unsigned result: a negative sign negates in the unsigned type, as strtoul does.
ULONGLONG ClampUnsigned(const ParsedInteger& r, ULONGLONG max_value) {
  if (r.overflow || r.magnitude > max_value) {
    errno = ERANGE;
    return max_value;
  }
  return r.negative ? (0 - r.magnitude) & max_value : r.magnitude;
}

void SetEnd(WCHAR** end, const WCHAR* at) {
  if (end) *end = const_cast<WCHAR*>(at);
}

WCHAR* FormatUnsigned(ULONGLONG value, bool negative, WCHAR* buffer, int radix) {
  if (!buffer) return buffer;
  if (radix < 2 || radix > 36) {
    buffer[0] = 0;
    return buffer;
  }
  WCHAR digits[65];
  int n = 0;
  do {
    int d = static_cast<int>(value % radix);
    digits[n++] = static_cast<WCHAR>(d < 10 ? u'0' + d : u'a' + d - 10);
    value /= radix;
  } while (value);
  WCHAR* out = buffer;
  if (negative) *out++ = u'-';
  while (n) *out++ = digits[--n];
  *out = 0;
  return buffer;
}

WCHAR* FormatSigned(LONGLONG value, WCHAR* buffer, int radix, ULONGLONG unsigned_mask) {
  if (radix == 10 && value < 0) {
    return FormatUnsigned(0 - static_cast<ULONGLONG>(value), true, buffer, radix);
  }
  return FormatUnsigned(static_cast<ULONGLONG>(value) & unsigned_mask, false, buffer, radix);
}

}  // namespace

LONGLONG _wcstoi64(const WCHAR* s, WCHAR** end, int base) {
  ParsedInteger r = ParseInteger(s, base);
  SetEnd(end, r.end);
  return ClampSigned(r, LLONG_MIN, LLONG_MAX);
}

ULONGLONG _wcstoui64(const WCHAR* s, WCHAR** end, int base) {
  ParsedInteger r = ParseInteger(s, base);
  SetEnd(end, r.end);
  return ClampUnsigned(r, ULLONG_MAX);
}

LONG wcstol(const WCHAR* s, WCHAR** end, int base) {
  ParsedInteger r = ParseInteger(s, base);
  SetEnd(end, r.end);
  return static_cast<LONG>(ClampSigned(r, INT32_MIN, INT32_MAX));
}

ULONG wcstoul(const WCHAR* s, WCHAR** end, int base) {
  ParsedInteger r = ParseInteger(s, base);
  SetEnd(end, r.end);
  return static_cast<ULONG>(ClampUnsigned(r, UINT32_MAX));
}

int _wtoi(const WCHAR* s) { return static_cast<int>(wcstol(s, nullptr, 10)); }
LONG _wtol(const WCHAR* s) { return wcstol(s, nullptr, 10); }
LONGLONG _wtoi64(const WCHAR* s) { return _wcstoi64(s, nullptr, 10); }

double wcstod(const WCHAR* s, WCHAR** end) {
  SetEnd(end, s);
  if (!s) return 0;
  // Numbers are ASCII: narrow the longest run of characters a number can contain and let
  // the C library parse it in the "C" locale.
  const WCHAR* p = s;
  while (iswspace(*p)) ++p;
  std::string narrow;
  for (const WCHAR* q = p; *q < 0x80 && *q && narrow.size() < 4096; ++q) {
    char c = static_cast<char>(*q);
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '+' && c != '-') break;
    narrow += c;
  }
  char* narrow_end = nullptr;
  double value = strtod_l(narrow.c_str(), &narrow_end, talix::CLocale());
  if (narrow_end != narrow.c_str()) SetEnd(end, p + (narrow_end - narrow.c_str()));
  return value;
}

double _wtof(const WCHAR* s) { return wcstod(s, nullptr); }

WCHAR* _itow(int value, WCHAR* buffer, int radix) { return FormatSigned(value, buffer, radix, UINT32_MAX); }
WCHAR* _ltow(LONG value, WCHAR* buffer, int radix) { return FormatSigned(value, buffer, radix, UINT32_MAX); }
WCHAR* _ultow(ULONG value, WCHAR* buffer, int radix) { return FormatUnsigned(value, false, buffer, radix); }
WCHAR* _i64tow(LONGLONG value, WCHAR* buffer, int radix) { return FormatSigned(value, buffer, radix, ULLONG_MAX); }
WCHAR* _ui64tow(ULONGLONG value, WCHAR* buffer, int radix) { return FormatUnsigned(value, false, buffer, radix); }
