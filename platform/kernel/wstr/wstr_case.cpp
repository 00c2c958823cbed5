// Character classes, case mapping and case-insensitive comparison of the C runtime,
// all from the built-in tables (never the C library's locale).
#include <win/wstr.h>

#include "platform/kernel/wstr/char_tables.h"

using talix::CharClasses;
namespace ct = talix::chartables;

WCHAR towupper(WCHAR c) { return talix::ToUpperCase(c); }
WCHAR towlower(WCHAR c) { return talix::ToLowerCase(c); }
int iswspace(WCHAR c) { return (CharClasses(c) & ct::kSpace) != 0; }
int iswdigit(WCHAR c) { return (CharClasses(c) & ct::kDigit) != 0; }
int iswalpha(WCHAR c) { return (CharClasses(c) & ct::kAlpha) != 0; }
int iswalnum(WCHAR c) { return (CharClasses(c) & (ct::kAlpha | ct::kDigit)) != 0; }
int iswupper(WCHAR c) { return (CharClasses(c) & ct::kUpper) != 0; }
int iswlower(WCHAR c) { return (CharClasses(c) & ct::kLower) != 0; }
int iswxdigit(WCHAR c) {
  return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

int _wcsnicmp(const WCHAR* a, const WCHAR* b, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    int fa = talix::FoldCase(a[i]);
    int fb = talix::FoldCase(b[i]);
    if (fa != fb || !fa) return fa - fb;
  }
  return 0;
}

int _wcsicmp(const WCHAR* a, const WCHAR* b) { return _wcsnicmp(a, b, static_cast<size_t>(-1)); }

WCHAR* _wcslwr(WCHAR* s) {
  for (WCHAR* p = s; *p; ++p) *p = talix::ToLowerCase(*p);
  return s;
}

WCHAR* _wcsupr(WCHAR* s) {
  for (WCHAR* p = s; *p; ++p) *p = talix::ToUpperCase(*p);
  return s;
}
