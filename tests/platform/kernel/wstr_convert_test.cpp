// MultiByteToWideChar / WideCharToMultiByte: sizes, terminators, round trips, ill-formed
// input and the documented failures.
#include <win/wstr.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

std::u16string ToWide(const std::string& bytes, DWORD flags = 0) {
  int n = MultiByteToWideChar(CP_UTF8, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::u16string out(n, u'#');
  if (n) {
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, flags, bytes.data(), static_cast<int>(bytes.size()), out.data(), n), n);
  }
  return out;
}

std::string ToNarrow(const std::u16string& text, DWORD flags = 0) {
  int n = WideCharToMultiByte(CP_UTF8, flags, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(n, '#');
  if (n) {
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, flags, text.data(), static_cast<int>(text.size()), out.data(), n,
                                  nullptr, nullptr),
              n);
  }
  return out;
}

TEST(CodePageConversion, RoundTripsIncludingSurrogatePairs) {
  struct Case {
    const char* utf8;
    std::u16string utf16;
  };
  const Case cases[] = {
      {"abc", u"abc"},
      {"Grüße", u"Grüße"},
      {"日本語", u"日本語"},
      {"\xF0\x9F\x98\x80!", u"\U0001F600!"},
      {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
      {"\xEF\xBF\xBD", u"\uFFFD"},  // a real replacement character is valid input
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToWide(c.utf8, MB_ERR_INVALID_CHARS), c.utf16) << c.utf8;
    EXPECT_EQ(ToNarrow(c.utf16, WC_ERR_INVALID_CHARS), c.utf8) << c.utf8;
  }
}

TEST(CodePageConversion, TerminatedInputCountsItsTerminator) {
  WCHAR wide[8];
  std::fill(wide, wide + 8, u'#');
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "hé", -1, nullptr, 0), 3);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "hé", -1, wide, 8), 3);
  EXPECT_EQ(std::u16string(wide, 4), std::u16string(u"hé\0#", 4));

  // An explicit length converts exactly those bytes, embedded nulls included, and adds
  // no terminator.
  std::fill(wide, wide + 8, u'#');
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "a\0b", 3, wide, 8), 3);
  EXPECT_EQ(std::u16string(wide, 4), std::u16string(u"a\0b#", 4));

  char narrow[8];
  std::fill(narrow, narrow + 8, '#');
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"hé", -1, narrow, 8, nullptr, nullptr), 4);
  EXPECT_EQ(std::string(narrow, 5), std::string("h\xC3\xA9\0#", 5));
}

TEST(CodePageConversion, IllFormedUtf8BecomesOneReplacementPerBrokenSequence) {
  struct Case {
    std::string input;
    std::u16string expected;
  };
  const Case cases[] = {
      {"\x80", u"\uFFFD"},
      {"a\xFF" "b", u"a\uFFFDb"},
      {"\xC0\x80", u"\uFFFD\uFFFD"},                  // overlong: C0 never starts a sequence
      {"\xE0\x80\x80", u"\uFFFD\uFFFD\uFFFD"},        // overlong three-byte form
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},        // encoded surrogate
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
      {"\xE2\x82", u"\uFFFD"},                        // cut short at the end
      {"\xF0\x9F\x98" "A", u"\uFFFDA"},               // cut short before a valid byte
      {"\xE2\x82\xAC\xE2", u"\u20AC\uFFFD"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToWide(c.input), c.expected) << testing::PrintToString(c.input);
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, c.input.data(), static_cast<int>(c.input.size()),
                                  nullptr, 0),
              0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
  }
}

TEST(CodePageConversion, LoneSurrogatesBecomeReplacementCharacters) {
  struct Case {
    std::u16string input;
    std::string expected;
  };
  const Case cases[] = {
      {std::u16string(1, u'\xD800'), "\xEF\xBF\xBD"},
      {std::u16string(u"a") + u'\xDC00' + u'\xD800' + u"b", "a\xEF\xBF\xBD\xEF\xBF\xBD" "b"},
      {std::u16string(u"x") + u'\xD83D', "x\xEF\xBF\xBD"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToNarrow(c.input), c.expected);
    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, c.input.data(), static_cast<int>(c.input.size()),
                                  nullptr, 0, nullptr, nullptr),
              0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION));
  }
}

TEST(CodePageConversion, ShortBuffersFailWithoutWritingPastThem) {
  WCHAR wide[4] = {u'#', u'#', u'#', u'#'};
  SetLastError(0);
  EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "abcd", -1, wide, 3), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(wide[3], u'#');

  char narrow[4] = {'#', '#', '#', '#'};
  SetLastError(0);
  EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"é€", 2, narrow, 3, nullptr, nullptr), 0) << "needs 5 bytes";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(narrow[3], '#');
}

TEST(CodePageConversion, InvalidCallsFailWithTheDocumentedErrors) {
  WCHAR wide[8];
  char narrow[8];
  BOOL used = FALSE;
  struct Call {
    const char* what;
    std::function<int()> call;
    DWORD error;
  };
  const Call calls[] = {
      {"unknown code page", [&] { return MultiByteToWideChar(1252, 0, "a", 1, wide, 8); }, ERROR_INVALID_PARAMETER},
      {"null input", [&] { return MultiByteToWideChar(CP_UTF8, 0, nullptr, 1, wide, 8); }, ERROR_INVALID_PARAMETER},
      {"empty input", [&] { return MultiByteToWideChar(CP_UTF8, 0, "a", 0, wide, 8); }, ERROR_INVALID_PARAMETER},
      {"negative output size", [&] { return MultiByteToWideChar(CP_UTF8, 0, "a", 1, wide, -1); }, ERROR_INVALID_PARAMETER},
      {"null output", [&] { return MultiByteToWideChar(CP_UTF8, 0, "a", 1, nullptr, 8); }, ERROR_INVALID_PARAMETER},
      {"precomposed flag", [&] { return MultiByteToWideChar(CP_UTF8, MB_PRECOMPOSED, "a", 1, wide, 8); }, ERROR_INVALID_FLAGS},
      {"input length -2", [&] { return WideCharToMultiByte(CP_UTF8, 0, u"a", -2, narrow, 8, nullptr, nullptr); },
       ERROR_INVALID_PARAMETER},
      {"default char", [&] { return WideCharToMultiByte(CP_UTF8, 0, u"a", 1, narrow, 8, "?", nullptr); },
       ERROR_INVALID_PARAMETER},
      {"used default", [&] { return WideCharToMultiByte(CP_ACP, 0, u"a", 1, narrow, 8, nullptr, &used); },
       ERROR_INVALID_PARAMETER},
      {"no best fit flag",
       [&] { return WideCharToMultiByte(CP_UTF8, WC_NO_BEST_FIT_CHARS, u"a", 1, narrow, 8, nullptr, nullptr); },
       ERROR_INVALID_FLAGS},
  };
  for (const Call& c : calls) {
    SetLastError(0);
    EXPECT_EQ(c.call(), 0) << c.what;
    EXPECT_EQ(GetLastError(), c.error) << c.what;
  }
}

TEST(CodePageConversion, AnsiOemAndThreadCodePagesAreUtf8) {
  EXPECT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
  EXPECT_EQ(GetOEMCP(), static_cast<UINT>(CP_UTF8));
  for (UINT code_page : {CP_ACP, CP_OEMCP, CP_THREAD_ACP}) {
    WCHAR wide[8] = {};
    EXPECT_EQ(MultiByteToWideChar(code_page, 0, "\xC3\xA4\xF0\x9F\x98\x80", -1, wide, 8), 4);
    EXPECT_EQ(std::u16string(wide), u"ä\U0001F600");
    char narrow[8] = {};
    EXPECT_EQ(WideCharToMultiByte(code_page, 0, wide, -1, narrow, 8, nullptr, nullptr), 7);
    EXPECT_STREQ(narrow, "\xC3\xA4\xF0\x9F\x98\x80");
  }
}

}  // namespace
