// DrawTextW/DrawTextExW: the strings shown (DT_MODIFYSTRING), DT_CALCRECT against the
// ink actually drawn, line breaking, alignment and prefixes.
#include "text_fixture.h"

#include <algorithm>

namespace talix::text::testing {
namespace {

// The string DrawTextExW shows for `text` in a rectangle `width` wide.
std::u16string Shown(HDC dc, std::u16string text, int width, UINT format) {
  std::vector<WCHAR> buffer(text.begin(), text.end());
  buffer.resize(text.size() + 5, 0);
  RECT rc{0, 0, width, 100};
  DrawTextExW(dc, buffer.data(), int(text.size()), &rc,
              format | DT_MODIFYSTRING | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT, nullptr);
  return std::u16string(buffer.data());
}

TEST(DrawText, EllipsesShowWhatFits) {
  TextDc dc(10, 10);
  HDC h = dc.dc();
  const int dots = TextWidth(h, u"...");
  struct Case {
    UINT format;
    std::u16string text;
    int width;
    std::u16string shown;
  } cases[] = {
      {DT_END_ELLIPSIS, u"Hello world", TextWidth(h, u"Hello world"), u"Hello world"},
      {DT_END_ELLIPSIS, u"Hello world", TextWidth(h, u"Hello w") + dots, u"Hello w..."},
      {DT_END_ELLIPSIS, u"Hello world", TextWidth(h, u"Hello w") + dots - 1, u"Hello ..."},
      {DT_WORD_ELLIPSIS, u"Hello world", TextWidth(h, u"Hello w") + dots, u"Hello..."},
      {DT_PATH_ELLIPSIS, u"C:\\folder\\sub\\file.txt",
       TextWidth(h, u"C:\\fo...\\file.txt"), u"C:\\fo...\\file.txt"},
      {DT_PATH_ELLIPSIS, u"C:\\folder\\sub\\file.txt", TextWidth(h, u"...\\file.txt"),
       u"...\\file.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.shown.begin(), c.shown.end()));
    EXPECT_EQ(Shown(h, c.text, c.width, c.format), c.shown);
  }
}

TEST(DrawText, CalcRectMatchesTheInk) {
  struct Case {
    UINT format;
    int width;
  } cases[] = {{DT_SINGLELINE, 300}, {DT_WORDBREAK, 90}, {DT_SINGLELINE | DT_END_ELLIPSIS, 80}};
  const std::u16string text = u"The quick brown fox jumps";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    TextDc dc(320, 200);
    SetBkMode(dc.dc(), TRANSPARENT);
    RECT calc{10, 10, 10 + c.width, 190};
    int height = DrawTextW(dc.dc(), text.c_str(), -1, &calc, c.format | DT_CALCRECT);
    EXPECT_EQ(height, calc.bottom - calc.top);
    EXPECT_EQ(dc.Ink().right, 0);  // nothing drawn
    RECT draw{10, 10, 10 + c.width, 190};
    EXPECT_EQ(DrawTextW(dc.dc(), text.c_str(), -1, &draw, c.format), height);
    RECT ink = dc.Ink();
    EXPECT_GE(ink.left, calc.left);
    EXPECT_GE(ink.top, calc.top);
    EXPECT_LE(ink.right, calc.right + 1);
    EXPECT_LE(ink.bottom, calc.bottom);
    EXPECT_GT(ink.right, calc.right - 4);
    EXPECT_LE(calc.right - calc.left, c.format & DT_WORDBREAK ? c.width : 300);
  }
}

TEST(DrawText, WordBreakLineCounts) {
  TextDc dc(10, 10);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc.dc(), &tm);
  const int word = TextWidth(dc.dc(), u"word");
  const int space = TextWidth(dc.dc(), u" ");
  struct Case {
    std::u16string text;
    int width;
    UINT format;
    int lines;
  } cases[] = {
      {u"word word word word", 4 * word + 3 * space, DT_WORDBREAK, 1},
      {u"word word word word", 2 * word + space, DT_WORDBREAK, 2},
      {u"word word word word", 2 * word + space - 1, DT_WORDBREAK, 4},
      {u"word   word", word + space, DT_WORDBREAK, 2},
      {u"wordwordword", word, DT_WORDBREAK, 3},  // a word wider than the line is split
      {u"one\ntwo\r\nthree", 1000, 0, 3},
      {u"one\ntwo\r\nthree", 1000, DT_SINGLELINE, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
    RECT rc{0, 0, c.width, 0};
    int height = DrawTextW(dc.dc(), c.text.c_str(), -1, &rc, c.format | DT_CALCRECT);
    EXPECT_EQ(height, c.lines * tm.tmHeight);
    EXPECT_LE(rc.right, std::max(c.width, word));
  }
}

TEST(DrawText, AlignmentInTheRectangle) {
  TEXTMETRICW tm{};
  const std::u16string text = u"Caption";
  struct Case {
    UINT format;
    int left;  // 0 left, 1 centre, 2 right
    int top;   // 0 top, 1 centre, 2 bottom
  } cases[] = {{DT_LEFT | DT_TOP, 0, 0},
               {DT_CENTER | DT_VCENTER | DT_SINGLELINE, 1, 1},
               {DT_RIGHT | DT_BOTTOM | DT_SINGLELINE, 2, 2},
               {DT_RIGHT | DT_VCENTER, 2, 0}};  // VCENTER needs SINGLELINE
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    TextDc dc(200, 100);
    SetBkColor(dc.dc(), RGB(0, 0, 0));  // the opaque cell shows the text's box
    GetTextMetricsW(dc.dc(), &tm);
    int w = TextWidth(dc.dc(), text);
    RECT rc{20, 10, 180, 90};
    int result = DrawTextW(dc.dc(), text.c_str(), -1, &rc, c.format);
    RECT ink = dc.Ink();
    int left = c.left == 0 ? 20 : c.left == 1 ? 20 + (160 - w) / 2 : 180 - w;
    int top = c.top == 0 ? 10 : c.top == 1 ? 10 + (80 - tm.tmHeight) / 2 : 90 - tm.tmHeight;
    EXPECT_EQ(ink.left, left);
    EXPECT_EQ(ink.top, top);
    EXPECT_EQ(ink.bottom - ink.top, tm.tmHeight);
    // With DT_VCENTER or DT_BOTTOM the result is the offset of the text's bottom.
    EXPECT_EQ(result, c.top == 0 ? tm.tmHeight : top + tm.tmHeight - 10);
  }
}

TEST(DrawText, PrefixesUnderlineTheMarkedCharacter) {
  struct Case {
    std::u16string text;
    UINT format;
    bool underline;
  } cases[] = {{u"&File", 0, true},        {u"&File", DT_NOPREFIX, false},
               {u"&File", DT_HIDEPREFIX, false}, {u"A&&B", 0, false},
               {u"&File", DT_PREFIXONLY, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()) + " " + std::to_string(c.format));
    TextDc dc(120, 40);
    SetBkMode(dc.dc(), TRANSPARENT);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc.dc(), &tm);
    RECT rc{0, 0, 120, 40};
    DrawTextW(dc.dc(), c.text.c_str(), -1, &rc, c.format | DT_SINGLELINE);
    // An underline is a full row of ink below the baseline under the 'F'.
    std::vector<uint32_t> px = dc.Pixels();
    int fWidth = TextWidth(dc.dc(), u"F");
    bool row = false;
    for (int y = tm.tmAscent; y < tm.tmHeight && !row; ++y) {
      bool full = true;
      for (int x = 1; x < fWidth - 1; ++x) full &= (px[size_t(y) * 120 + size_t(x)] & 0xFFFFFF) != 0xFFFFFF;
      row = full;
    }
    EXPECT_EQ(row, c.underline);
    if (c.format & DT_PREFIXONLY) EXPECT_LE(dc.Ink().top, tm.tmHeight);
    if (c.format & DT_PREFIXONLY) EXPECT_GE(dc.Ink().top, tm.tmAscent);  // no glyphs
  }
  TextDc dc(10, 10);
  RECT rc{0, 0, 1000, 0};
  DrawTextW(dc.dc(), u"A&&B", -1, &rc, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(rc.right, TextWidth(dc.dc(), u"A&B"));
}

TEST(DrawText, TabsExpandToEightAverageCharacters) {
  TextDc dc(10, 10);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc.dc(), &tm);
  RECT rc{0, 0, 1000, 0};
  DrawTextW(dc.dc(), u"a\tb", -1, &rc, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
  EXPECT_EQ(rc.right, 8 * tm.tmAveCharWidth + TextWidth(dc.dc(), u"b"));
  DRAWTEXTPARAMS params{sizeof params, 2, 5, 7, 0};
  WCHAR text[] = u"a\tb";
  rc = RECT{0, 0, 1000, 0};
  DrawTextExW(dc.dc(), text, -1, &rc, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS, &params);
  EXPECT_EQ(rc.right, 5 + 2 * tm.tmAveCharWidth + TextWidth(dc.dc(), u"b") + 7);
  EXPECT_EQ(params.uiLengthDrawn, 3u);
}

TEST(DrawText, ClipsUnlessNoClip) {
  for (UINT extra : {0u, UINT(DT_NOCLIP)}) {
    TextDc dc(200, 40);
    SetBkMode(dc.dc(), TRANSPARENT);
    RECT rc{10, 5, 40, 35};
    DrawTextW(dc.dc(), u"MMMMMMMM", -1, &rc, DT_SINGLELINE | extra);
    if (extra) EXPECT_GT(dc.Ink().right, 40);
    else EXPECT_LE(dc.Ink().right, 40);
  }
}

TEST(DrawText, RightToLeftReadingStartsAtTheRight) {
  TextDc dc(200, 40);
  SetBkMode(dc.dc(), TRANSPARENT);
  RECT rc{0, 0, 200, 40};
  DrawTextW(dc.dc(), u"\u05E9\u05DC\u05D5\u05DD", -1, &rc, DT_SINGLELINE | DT_RTLREADING);
  RECT ink = dc.Ink();
  EXPECT_GT(ink.left, 100);
  EXPECT_GE(ink.right, 195);
}

TEST(DrawText, BadArguments) {
  TextDc dc(10, 10);
  RECT rc{0, 0, 10, 10};
  EXPECT_EQ(DrawTextW(nullptr, u"a", 1, &rc, 0), 0);
  EXPECT_EQ(DrawTextW(dc.dc(), u"a", 1, nullptr, 0), 0);
  EXPECT_EQ(DrawTextW(dc.dc(), nullptr, 3, &rc, 0), 0);
  DRAWTEXTPARAMS bad{3, 0, 0, 0, 0};
  WCHAR text[] = u"a";
  EXPECT_EQ(DrawTextExW(dc.dc(), text, 1, &rc, 0, &bad), 0);
}

}  // namespace
}  // namespace talix::text::testing
