// Case mapping, character classes and the comparisons built on them: they must hold for
// non-Latin scripts and whatever the C library's locale is.
#include <win/wstr.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/kernel/utf.h"

namespace {

using talix::ToUtf8;

TEST(WideCase, SimpleMappingsAcrossScripts) {
  struct Case {
    WCHAR lower;
    WCHAR upper;
  };
  const Case pairs[] = {
      {u'a', u'A'}, {u'ä', u'Ä'}, {u'ÿ', u'\u0178'}, {u'ő', u'Ő'}, {u'σ', u'Σ'},
      {u'ж', u'Ж'}, {u'ё', u'Ё'}, {u'ա', u'Ա'},      {u'ⓐ', u'Ⓐ'}, {u'ａ', u'Ａ'},
  };
  for (const Case& c : pairs) {
    EXPECT_EQ(towupper(c.lower), c.upper) << ToUtf8(std::u16string(1, c.lower));
    EXPECT_EQ(towlower(c.upper), c.lower) << ToUtf8(std::u16string(1, c.upper));
  }
  // No simple mapping or no case at all: the character stays.
  for (WCHAR c : {u'ß', u'א', u'ש', u'٣', u'1', u'_', u'日', u'\xD83D'}) {
    EXPECT_EQ(towupper(c), c);
    EXPECT_EQ(towlower(c), c);
  }
  EXPECT_EQ(towupper(u'ς'), u'Σ') << "final sigma";
  EXPECT_EQ(towlower(u'\u0130'), u'i') << "capital I with dot above";
}

TEST(WideCase, CaseInsensitiveComparisonFoldsEveryScript) {
  struct Case {
    const WCHAR* a;
    const WCHAR* b;
  };
  const Case equal[] = {
      {u"ÄÖÜ", u"äöü"},         {u"ΑΒΓΣ", u"αβγς"},   {u"ПРИВЕТ", u"привет"},
      {u"\u212A", u"k"},        {u"Straße", u"STRAßE"}, {u"שלום", u"שלום"},
      {u"heb", u"HEB"},         {u"", u""},
  };
  for (const Case& c : equal) {
    EXPECT_EQ(_wcsicmp(c.a, c.b), 0) << ToUtf8(c.a) << " / " << ToUtf8(c.b);
    EXPECT_EQ(lstrcmpiW(c.a, c.b), 0) << ToUtf8(c.a);
    EXPECT_EQ(CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, c.a, -1, c.b, -1), CSTR_EQUAL);
  }
  // Order: folded to lower case, so '_' (0x5F) sorts before letters, as on Windows.
  EXPECT_LT(_wcsicmp(u"_", u"A"), 0);
  EXPECT_LT(_wcsicmp(u"abc", u"ABCD"), 0);
  EXPECT_GT(_wcsicmp(u"b", u"A"), 0);
  EXPECT_NE(_wcsicmp(u"שלום", u"שלוס"), 0);
  EXPECT_EQ(_wcsnicmp(u"ÄÖÜ-rest", u"äöü-other", 4), 0);
  EXPECT_NE(_wcsnicmp(u"ÄÖÜ-rest", u"äöü-other", 5), 0);
  EXPECT_EQ(_wcsnicmp(u"ab", u"AB", 10), 0) << "stops at the terminator";
}

TEST(WideCase, InPlaceConversions) {
  WCHAR text[] = u"Grüße, ΣΟΦΊΑ, Привет, שלום";
  EXPECT_EQ(std::u16string(_wcsupr(text)), u"GRÜßE, ΣΟΦΊΑ, ПРИВЕТ, שלום");
  EXPECT_EQ(std::u16string(_wcslwr(text)), u"grüße, σοφία, привет, שלום");
  WCHAR buffer[] = u"abcdef";
  EXPECT_EQ(CharUpperBuffW(buffer, 3), 3u);
  EXPECT_EQ(std::u16string(buffer), u"ABCdef");
  EXPECT_EQ(std::u16string(CharLowerW(buffer)), u"abcdef");
  // A character in the low word of the pointer comes back converted the same way.
  LPWSTR as_char = reinterpret_cast<LPWSTR>(static_cast<uintptr_t>(u'ä'));
  EXPECT_EQ(reinterpret_cast<uintptr_t>(CharUpperW(as_char)), static_cast<uintptr_t>(u'Ä'));
  LPWSTR upper_char = reinterpret_cast<LPWSTR>(static_cast<uintptr_t>(u'Ж'));
  EXPECT_EQ(reinterpret_cast<uintptr_t>(CharLowerW(upper_char)), static_cast<uintptr_t>(u'ж'));
}

TEST(WideCase, CharacterClasses) {
  struct Case {
    WCHAR c;
    bool alpha, digit, space, upper, lower;
  };
  const Case cases[] = {
      {u'a', true, false, false, false, true},    {u'Ä', true, false, false, true, false},
      {u'ж', true, false, false, false, true},    {u'א', true, false, false, false, false},
      {u'日', true, false, false, false, false},  {u'7', false, true, false, false, false},
      {u'٣', false, true, false, false, false},   {u' ', false, false, true, false, false},
      {u'\t', false, false, true, false, false},  {u'\u3000', false, false, true, false, false},
      {u'!', false, false, false, false, false},  {u'\u0301', false, false, false, false, false},
  };
  for (const Case& c : cases) {
    std::string name = ToUtf8(std::u16string(1, c.c));
    EXPECT_EQ(iswalpha(c.c) != 0, c.alpha) << name;
    EXPECT_EQ(IsCharAlphaW(c.c) != 0, c.alpha) << name;
    EXPECT_EQ(iswdigit(c.c) != 0, c.digit) << name;
    EXPECT_EQ(iswalnum(c.c) != 0, c.alpha || c.digit) << name;
    EXPECT_EQ(IsCharAlphaNumericW(c.c) != 0, c.alpha || c.digit) << name;
    EXPECT_EQ(iswspace(c.c) != 0, c.space) << name;
    EXPECT_EQ(IsCharUpperW(c.c) != 0, c.upper) << name;
    EXPECT_EQ(IsCharLowerW(c.c) != 0, c.lower) << name;
  }
}

TEST(WideCase, LstrcmpSortsLikeAWordList) {
  std::vector<std::u16string> words = {u"b", u"B", u"ab", u"A", u"a", u"aB"};
  std::sort(words.begin(), words.end(),
            [](const std::u16string& x, const std::u16string& y) { return lstrcmpW(x.c_str(), y.c_str()) < 0; });
  // Case-folded order first; a difference only in case puts lower case first.
  std::vector<std::u16string> expected = {u"a", u"A", u"ab", u"aB", u"b", u"B"};
  EXPECT_EQ(words, expected);
  EXPECT_LT(lstrcmpW(nullptr, u""), 0);
  EXPECT_EQ(lstrcmpW(nullptr, nullptr), 0);
  EXPECT_GT(lstrcmpiW(u"a", nullptr), 0);
}

TEST(WideCase, CompareStringFlagsAndErrors) {
  EXPECT_EQ(CompareStringW(LOCALE_USER_DEFAULT, 0, u"abc", 2, u"abX", 2), CSTR_EQUAL) << "lengths bound the text";
  EXPECT_EQ(CompareStringW(LOCALE_USER_DEFAULT, 0, u"a", -1, u"A", -1), CSTR_LESS_THAN);
  EXPECT_EQ(CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORESYMBOLS, u"a-b c", -1, u"abc", -1), CSTR_EQUAL);
  EXPECT_EQ(CompareStringOrdinal(u"a", -1, u"B", -1, FALSE), CSTR_GREATER_THAN);
  EXPECT_EQ(CompareStringOrdinal(u"a", -1, u"B", -1, TRUE), CSTR_LESS_THAN);
  EXPECT_EQ(CompareStringOrdinal(u"straße", -1, u"STRASSE", -1, TRUE), CSTR_GREATER_THAN);
  EXPECT_EQ(CompareStringOrdinal(u"ab", 1, u"a", -1, FALSE), CSTR_EQUAL);

  SetLastError(0);
  EXPECT_EQ(CompareStringW(LOCALE_USER_DEFAULT, 0x40000000, u"a", -1, u"a", -1), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FLAGS));
  SetLastError(0);
  EXPECT_EQ(CompareStringW(LOCALE_USER_DEFAULT, 0, nullptr, -1, u"a", -1), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  SetLastError(0);
  EXPECT_EQ(CompareStringOrdinal(u"a", -2, u"a", -1, FALSE), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(WideCase, CharNextAndPrevKeepCombiningMarksWithTheirBase) {
  const WCHAR text[] = u"a\u030Ab\u0301\u0302c";
  EXPECT_EQ(CharNextW(text), text + 2);
  EXPECT_EQ(CharNextW(text + 2), text + 5);
  EXPECT_EQ(CharNextW(text + 6), text + 6) << "stays on the terminator";
  EXPECT_EQ(CharPrevW(text, text + 5), text + 2);
  EXPECT_EQ(CharPrevW(text, text + 2), text);
  EXPECT_EQ(CharPrevW(text, text), text) << "never before the start";
}

}  // namespace
