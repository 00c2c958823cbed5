// The wide printf family: conversions against the C library's narrow printf where the
// two agree, Windows-only conventions by hand, and the exact cut/terminate/return
// behaviour of every counted function.
#include <win/wstr.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <string>

#include "platform/kernel/utf.h"

namespace {

using talix::FromUtf8;
using talix::ToUtf8;

std::u16string Widen(const char* s) { return FromUtf8(s); }

// Formats with ours into a roomy buffer; checks the length agrees with the text.
template <typename... Args>
std::u16string Wide(const char16_t* format, Args... args) {
  WCHAR buffer[512];
  int length = swprintf(buffer, 512, format, args...);
  EXPECT_EQ(length, static_cast<int>(std::u16string(buffer).size())) << ToUtf8(format);
  return buffer;
}

template <typename... Args>
std::u16string Narrow(const char* format, Args... args) {
  char buffer[512];
  std::snprintf(buffer, sizeof buffer, format, args...);
  return Widen(buffer);
}

// Conversions whose meaning is the same in both conventions, one argument each.
TEST(WideFormat, IntegersMatchThePrintfOfTheCLibrary) {
  struct Case {
    const char* format;
    long long value;
  };
  const Case cases[] = {
      {"%d", 0},         {"%d", 42},          {"%d", -42},        {"%d", INT_MIN},
      {"%i", INT_MAX},   {"%5d|", 42},        {"%-5d|", 42},      {"%05d", -42},
      {"%+d", 7},        {"% d", 7},          {"%+ d", 7},        {"%.3d", 7},
      {"%.0d", 0},       {"%8.3d", -7},       {"%08.3d", 7},      {"%-08d|", 7},
      {"%u", 4000000000}, {"%x", 255},        {"%X", 0xBEEF},     {"%#x", 255},
      {"%#X", 0},        {"%#o", 8},          {"%#o", 0},         {"%o", 0},
      {"%#.0o", 0},      {"%hd", 70000},      {"%hu", -1},        {"%hhd", 200},
      {"%#10.4x|", 0xAB}, {"%c", 'Q'},        {"%3c|", 'Q'},      {"%-3c|", 'Q'},
  };
  for (const Case& c : cases) {
    std::u16string format = Widen(c.format);
    EXPECT_EQ(Wide(format.c_str(), static_cast<int>(c.value)), Narrow(c.format, static_cast<int>(c.value)))
        << c.format << " " << c.value;
  }
  const Case wide_cases[] = {{"%lld", LLONG_MIN}, {"%llx", -1}, {"%20lld|", 123456789012345},
                             {"%-+20lld|", 5}, {"%zu", 1ll << 40}, {"%llo", 1ll << 62}};
  for (const Case& c : wide_cases) {
    std::u16string format = Widen(c.format);
    EXPECT_EQ(Wide(format.c_str(), c.value), Narrow(c.format, c.value)) << c.format;
  }
}

TEST(WideFormat, FloatsMatchThePrintfOfTheCLibrary) {
  struct Case {
    const char* format;
    double value;
  };
  const Case cases[] = {
      {"%f", 3.14159},      {"%.2f", 2.675},     {"%10.3e|", 12345.678}, {"%-10.1f|", -2.25},
      {"%+.0f", 2.5},       {"%g", 1e-5},        {"%G", 1e20},           {"%#g", 1.0},
      {"%a", 1.0},          {"%A", -0.375},      {"%e", 0.0},            {"%f", -0.0},
      {"%f", INFINITY},     {"%5f|", NAN},       {"%010.2f", -3.5},      {"%08.3e", 1.5},
      {"%012a", 1.0},       {"% .3f", 1.0},      {"%.0e", 15.0},         {"%#.0f", 3.0},
      {"%.30f", 0.1},       {"%f", 1e300},       {"%-12g|", 0.0001234},  {"%010f", -INFINITY},
  };
  for (const Case& c : cases) {
    std::u16string format = Widen(c.format);
    EXPECT_EQ(Wide(format.c_str(), c.value), Narrow(c.format, c.value)) << c.format;
  }
}

TEST(WideFormat, StringWidthAndPrecisionMatchThePrintfOfTheCLibrary) {
  const char* formats[] = {"%s", "%10s|", "%-10s|", "%.3s", "%8.2s|", "%.0s|", "%-3.10s|"};
  for (const char* f : formats) {
    std::u16string format = Widen(f);
    EXPECT_EQ(Wide(format.c_str(), u"hello"), Narrow(f, "hello")) << f;
  }
  EXPECT_EQ(Wide(u"%*d|%-*d|", 6, 42, 4, 7), Narrow("%*d|%-*d|", 6, 42, 4, 7));
  EXPECT_EQ(Wide(u"%*d|", -6, 42), Narrow("%*d|", -6, 42)) << "a negative * width left-aligns";
  EXPECT_EQ(Wide(u"%.*f|%.*d", 2, 1.23456, -1, 5), Narrow("%.*f|%.*d", 2, 1.23456, -1, 5));
}

TEST(WideFormat, WindowsTextConventions) {
  struct Case {
    std::u16string got;
    std::u16string expected;
  };
  const char* null_narrow = nullptr;
  const WCHAR* null_wide = nullptr;
  const Case cases[] = {
      {Wide(u"%s|%S|%ls|%hs|%ws", u"wide", "narrow", u"ls", "hs", u"ws"), u"wide|narrow|ls|hs|ws"},
      {Wide(u"%c%C%hc%lc%wc", u'Ж', 'x', 'y', u'Ω', u'ש'), u"ЖxyΩש"},
      {Wide(u"%s|%hs|%.3s|%S", null_wide, null_narrow, null_wide, null_narrow), u"(null)|(null)|(nu|(null)"},
      {Wide(u"%hs", "Grüße, שלום"), u"Grüße, שלום"},
      {Wide(u"%s", u"\U0001F600 ok"), u"\U0001F600 ok"},
      {Wide(u"%05s|%-5s|", u"ab", u"ab"), u"000ab|ab   |"},
      {Wide(u"%p", reinterpret_cast<void*>(0x1234ABCD)), u"000000001234ABCD"},
      {Wide(u"%ld %lu %lx", LONG(-5), ULONG(0xFFFFFFFF), ULONG(0xABCDEF01)), u"-5 4294967295 abcdef01"},
      {Wide(u"%I64d %I64u %I32d", LLONG_MIN, ULLONG_MAX, -3), u"-9223372036854775808 18446744073709551615 -3"},
      {Wide(u"%Iu %Ix", SIZE_MAX, size_t{0x1FFFFFFFF}), u"18446744073709551615 1ffffffff"},
      {Wide(u"100%% %y %"), u"100% y "},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.expected) << ToUtf8(c.expected);
}

// Each function writes "abcdef" (6 units) into a buffer of sentinels; the cases give the
// count, the return value and the units that must be there afterwards ('#' = untouched).
struct TruncationCase {
  size_t count;
  int result;
  std::u16string after;  // the first 9 units of the buffer; u'\0' is the terminator
};

template <typename Call>
void CheckTruncation(const char* name, const std::vector<TruncationCase>& cases, Call call) {
  for (const TruncationCase& c : cases) {
    WCHAR buffer[9];
    std::fill(buffer, buffer + 9, u'#');
    EXPECT_EQ(call(buffer, c.count), c.result) << name << " count " << c.count;
    EXPECT_EQ(std::u16string(buffer, 9), c.after) << name << " count " << c.count;
  }
}

using namespace std::string_literals;

TEST(WideFormat, CountedFunctionsCutTerminateAndReturnAsWindowsDoes) {
  CheckTruncation("_snwprintf",
                  {{0, -1, u"#########"s},
                   {5, -1, u"abcde####"s},
                   {6, 6, u"abcdef###"s},
                   {7, 6, u"abcdef\0##"s}},
                  [](WCHAR* b, size_t n) { return _snwprintf(b, n, u"%s", u"abcdef"); });
  CheckTruncation("swprintf",
                  {{0, -1, u"#########"s},
                   {1, -1, u"\0########"s},
                   {6, -1, u"abcde\0###"s},
                   {7, 6, u"abcdef\0##"s}},
                  [](WCHAR* b, size_t n) { return swprintf(b, n, u"%s", u"abcdef"); });
  CheckTruncation("swprintf_s",
                  {{6, -1, u"\0bcde####"s}, {7, 6, u"abcdef\0##"s}},
                  [](WCHAR* b, size_t n) { return swprintf_s(b, n, u"%s", u"abcdef"); });
  CheckTruncation("_snwprintf_s truncate",
                  {{6, -1, u"abcde\0###"s}, {7, 6, u"abcdef\0##"s}},
                  [](WCHAR* b, size_t n) { return _snwprintf_s(b, n, _TRUNCATE, u"%s", u"abcdef"); });
  CheckTruncation("_snwprintf_s count 3",
                  {{9, -1, u"abc\0#####"s}, {3, -1, u"\0b#######"s}},
                  [](WCHAR* b, size_t n) { return _snwprintf_s(b, n, 3, u"%s", u"abcdef"); });
  CheckTruncation("_snwprintf huge width",
                  {{4, -1, u"    #####"s}},
                  [](WCHAR* b, size_t n) { return _snwprintf(b, n, u"%1000000000d", 1); });
}

TEST(WideFormat, LengthQueriesAndTheLegacyForms) {
  EXPECT_EQ(_snwprintf(nullptr, 0, u"%d-%s", 123, u"ab"), 6);
  EXPECT_EQ(_scwprintf(u"%d-%s", 123, u"ab"), 6);
  EXPECT_EQ(_snwprintf(nullptr, 5, u"x"), -1);
  EXPECT_EQ(swprintf(nullptr, 5, u"x"), -1);

  WCHAR array[8];
  EXPECT_EQ(swprintf(array, u"%s", u"0123456789"), -1) << "the array form is bounded by the array";
  EXPECT_EQ(std::u16string(array), u"0123456");
  EXPECT_EQ(swprintf(array, u"%d", 42), 2);
  EXPECT_EQ(std::u16string(array), u"42");
  WCHAR* pointer = array;
  EXPECT_EQ(swprintf(pointer, u"%s=%d", u"k", 7), 3);
  EXPECT_EQ(std::u16string(array), u"k=7");
}

TEST(WideFormat, WsprintfStopsAtItsDocumentedBuffer) {
  std::u16string long_text(2000, u'x');
  std::vector<WCHAR> buffer(1100, u'#');
  EXPECT_EQ(wsprintfW(buffer.data(), u"%s", long_text.c_str()), 1023);
  EXPECT_EQ(buffer[1022], u'x');
  EXPECT_EQ(buffer[1023], u'\0');
  EXPECT_EQ(buffer[1024], u'#');
  EXPECT_EQ(wsprintfW(buffer.data(), u"Software\\%s\\Kelvane\\", u"Tavrin"), 24);
  EXPECT_EQ(std::u16string(buffer.data()), u"Software\\Tavrin\\Kelvane\\");
}

}  // namespace
