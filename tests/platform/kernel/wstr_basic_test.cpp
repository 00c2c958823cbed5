// Copying, searching, tokenising, number parsing/printing and the bounded copies of the
// C runtime on WCHAR, plus the lstr* copies.
#include <win/wstr.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::string_literals;

std::vector<std::u16string> Tokens(std::u16string text, const WCHAR* delim) {
  std::vector<std::u16string> out;
  WCHAR* context = nullptr;
  for (WCHAR* t = wcstok(text.data(), delim, &context); t; t = wcstok(nullptr, delim, &context)) out.push_back(t);
  return out;
}

TEST(WideString, Tokenising) {
  struct Case {
    std::u16string text;
    const WCHAR* delim;
    std::vector<std::u16string> tokens;
  };
  const Case cases[] = {
      {u"12.0.345", u".", {u"12", u"0", u"345"}},
      {u"..a..b..", u".", {u"a", u"b"}},
      {u"", u".", {}},
      {u"...", u".", {}},
      {u"a, b;c", u", ;", {u"a", u"b", u"c"}},
      {u"no delimiter", u"", {u"no delimiter"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Tokens(c.text, c.delim), c.tokens);

  // The two-argument form keeps one position per thread.
  WCHAR mine[] = u"a.b";
  EXPECT_EQ(std::u16string(wcstok(mine, u".")), u"a");
  std::thread other([] {
    WCHAR theirs[] = u"x.y.z";
    wcstok(theirs, u".");
    while (wcstok(nullptr, u".")) {
    }
  });
  other.join();
  WCHAR* next = wcstok(nullptr, u".");
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(std::u16string(next), u"b");
  EXPECT_EQ(wcstok(nullptr, u"."), nullptr);
}

TEST(WideString, CopyCompareAndSearch) {
  WCHAR buffer[8];
  std::fill(buffer, buffer + 8, u'#');
  wcsncpy(buffer, u"ab", 5);
  EXPECT_EQ(std::u16string(buffer, 6), u"ab\0\0\0#"s) << "pads with zeros up to count";
  wcsncpy(buffer, u"abcdefgh", 3);
  EXPECT_EQ(std::u16string(buffer, 4), u"abc\0"s) << "no terminator when the source is longer";
  wcscpy(buffer, u"ab");
  wcsncat(buffer, u"cdef", 2);
  EXPECT_EQ(std::u16string(buffer), u"abcd");
  wcscat(buffer, u"xyz");
  EXPECT_EQ(std::u16string(buffer), u"abcdxyz");

  EXPECT_GT(wcscmp(u"\xFFFF", u"a"), 0) << "units compare unsigned";
  EXPECT_LT(wcscmp(u"ab", u"abc"), 0);
  EXPECT_EQ(wcsncmp(u"abcX", u"abcY", 3), 0);

  const WCHAR* path = u"C:\\dir\\file.ext";
  EXPECT_EQ(wcschr(path, u'\\'), path + 2);
  EXPECT_EQ(wcsrchr(path, u'\\'), path + 6);
  EXPECT_EQ(wcschr(path, u'\0'), path + 15);
  EXPECT_EQ(wcschr(path, u'?'), nullptr);
  EXPECT_EQ(wcsstr(path, u"file"), path + 7);
  EXPECT_EQ(wcsstr(path, u""), path);
  EXPECT_EQ(wcsstr(path, u"filex"), nullptr);
  EXPECT_EQ(wcspbrk(path, u".:"), path + 1);
  EXPECT_EQ(wcsspn(u"aabbc", u"ab"), 4u);
  EXPECT_EQ(wcscspn(u"abc.d", u".,"), 3u);
  EXPECT_EQ(wcsnlen(u"abc", 2), 2u);

  WCHAR* copy = _wcsdup(u"Ωmega");
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(std::u16string(_wcsrev(copy)), u"agemΩ");
  std::free(copy);
  EXPECT_EQ(_wcsdup(nullptr), nullptr);
}

TEST(WideString, LstrCopiesAlwaysTerminate) {
  struct Case {
    int max_count;
    std::u16string after;
  };
  const Case cases[] = {{0, u"#####"s}, {1, u"\0####"s}, {3, u"ab\0##"s}, {5, u"abc\0#"s}};
  for (const Case& c : cases) {
    WCHAR buffer[5];
    std::fill(buffer, buffer + 5, u'#');
    EXPECT_EQ(lstrcpynW(buffer, u"abc", c.max_count), buffer);
    EXPECT_EQ(std::u16string(buffer, 5), c.after) << c.max_count;
  }
  WCHAR buffer[8];
  EXPECT_EQ(lstrcpynW(nullptr, u"a", 3), nullptr);
  EXPECT_EQ(lstrcpyW(buffer, nullptr), nullptr);
  EXPECT_EQ(lstrlenW(nullptr), 0);
  lstrcpyW(buffer, u"ab");
  lstrcatW(buffer, u"cd");
  EXPECT_EQ(lstrlenW(buffer), 4);
}

TEST(WideString, SecureCopiesReportAndEmptyOnOverflow) {
  WCHAR small[4] = {u'#', u'#', u'#', u'#'};
  EXPECT_EQ(wcscpy_s(small, u"abc"), 0);
  EXPECT_EQ(std::u16string(small), u"abc");
  EXPECT_EQ(wcscpy_s(small, u"abcd"), ERANGE);
  EXPECT_EQ(small[0], u'\0');
  EXPECT_EQ(wcsncpy_s(small, u"abcdef", 2), 0);
  EXPECT_EQ(std::u16string(small), u"ab");
  EXPECT_EQ(wcsncpy_s(small, u"abcdef", _TRUNCATE), STRUNCATE);
  EXPECT_EQ(std::u16string(small), u"abc");
  EXPECT_EQ(wcscat_s(small, u"d"), ERANGE);
  EXPECT_EQ(small[0], u'\0');
  EXPECT_EQ(wcscat_s(small, u"xy"), 0);
  EXPECT_EQ(wcscat_s(small, u"z"), 0);
  EXPECT_EQ(std::u16string(small), u"xyz");
  EXPECT_EQ(wcscpy_s(small, nullptr), EINVAL);
  EXPECT_EQ(wcscpy_s(nullptr, 4, u"a"), EINVAL);
}

TEST(WideString, ParsingIntegers) {
  struct Case {
    const WCHAR* text;
    int base;
    long long value;  // as wcstol returns it (32-bit long)
    int consumed;
  };
  const Case cases[] = {
      {u"42", 10, 42, 2},           {u"  -17x", 10, -17, 5},     {u"+5", 10, 5, 2},
      {u"", 10, 0, 0},              {u"abc", 10, 0, 0},          {u"0x1A", 0, 26, 4},
      {u"0x1A", 16, 26, 4},         {u"0x", 16, 0, 1},           {u"017", 0, 15, 3},
      {u"z", 36, 35, 1},            {u"2147483647", 10, INT_MAX, 10},
      {u"2147483648", 10, INT_MAX, 10}, {u"-2147483649", 10, INT_MIN, 11},
      {u"\u3000 9", 10, 9, 3},      {u"12", 1, 0, 0},
  };
  for (const Case& c : cases) {
    WCHAR* end = nullptr;
    EXPECT_EQ(wcstol(c.text, &end, c.base), c.value) << c.base;
    EXPECT_EQ(end - c.text, c.consumed) << c.base;
  }
  EXPECT_EQ(_wtoi(u"99999999999"), INT_MAX);
  EXPECT_EQ(_wtoi(u"-99999999999"), INT_MIN);
  EXPECT_EQ(_wtoi(u"0x10"), 0);
  EXPECT_EQ(_wtol(u" 7 "), 7);
  EXPECT_EQ(_wtoi64(u"-9223372036854775808"), LLONG_MIN);
  EXPECT_EQ(wcstoul(u"-1", nullptr, 10), 0xFFFFFFFFu);
  EXPECT_EQ(wcstoul(u"4294967296", nullptr, 10), 0xFFFFFFFFu);
  EXPECT_EQ(_wcstoui64(u"18446744073709551615", nullptr, 10), ULLONG_MAX);
  errno = 0;
  EXPECT_EQ(_wcstoi64(u"99999999999999999999", nullptr, 10), LLONG_MAX);
  EXPECT_EQ(errno, ERANGE);
}

TEST(WideString, ParsingFloats) {
  WCHAR* end = nullptr;
  const WCHAR* text = u"  3.5e2xyz";
  EXPECT_DOUBLE_EQ(wcstod(text, &end), 350.0);
  EXPECT_EQ(end, text + 7);
  EXPECT_DOUBLE_EQ(_wtof(u"-0.25"), -0.25);
  const WCHAR* none = u"abc";
  EXPECT_EQ(wcstod(none, &end), 0.0);
  EXPECT_EQ(end, none);
}

TEST(WideString, PrintingIntegers) {
  WCHAR buffer[70];
  struct Case {
    std::u16string got;
    std::u16string expected;
  };
  const Case cases[] = {
      {_itow(-123, buffer, 10), u"-123"},
      {_itow(-1, buffer, 16), u"ffffffff"},
      {_itow(255, buffer, 2), u"11111111"},
      {_itow(0, buffer, 10), u"0"},
      {_ltow(INT_MIN, buffer, 10), u"-2147483648"},
      {_ultow(0xFFFFFFFFu, buffer, 10), u"4294967295"},
      {_i64tow(LLONG_MIN, buffer, 10), u"-9223372036854775808"},
      {_ui64tow(ULLONG_MAX, buffer, 36), u"3w5e11264sgsf"},
      {_itow(5, buffer, 1), u""},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.expected);
}

}  // namespace
