// Text metrics: TEXTMETRICW from the face's tables, extents that agree with each other
// and with the ink, and dialog base units.
#include "text_fixture.h"

#include "platform/gdi/font/dialog_units.h"

namespace talix::text::testing {
namespace {

TEST(TextMetrics, HeightsFollowTheLogFont) {
  struct Case {
    LONG lfHeight;
    int emHeight;  // tmHeight - tmInternalLeading
    int cellHeight;  // 0: not fixed by the request
  } cases[] = {{-16, 16, 0}, {-11, 11, 0}, {20, 0, 20}, {13, 0, 13}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.lfHeight);
    TextDc dc(10, 10, Arial(c.lfHeight));
    TEXTMETRICW tm{};
    ASSERT_TRUE(GetTextMetricsW(dc.dc(), &tm));
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    if (c.emHeight) EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, c.emHeight);
    if (c.cellHeight) EXPECT_EQ(tm.tmHeight, c.cellHeight);
    EXPECT_GT(tm.tmInternalLeading, 0);
    EXPECT_GT(tm.tmAscent, 3 * tm.tmDescent);
    EXPECT_GT(tm.tmMaxCharWidth, tm.tmAveCharWidth);
    EXPECT_EQ(tm.tmWeight, FW_NORMAL);
    EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_TRUETYPE);
  }
}

TEST(TextMetrics, AverageWidthIsTheScaledTableValue) {
  // Liberation Sans: xAvgCharWidth 1176 of 2048 units per em.
  TextDc dc(10, 10, Arial(-2048 / 16));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc.dc(), &tm);
  EXPECT_EQ(tm.tmAveCharWidth, (1176 + 8) / 16);
  // lfWidth scales horizontally so the average width is what was asked.
  LOGFONTW narrow = Arial(16);
  narrow.lfWidth = 5;
  TextDc scaled(10, 10, narrow);
  GetTextMetricsW(scaled.dc(), &tm);
  EXPECT_EQ(tm.tmAveCharWidth, 5);
  EXPECT_LT(TextWidth(scaled.dc(), u"abcdef"), TextWidth(dc.dc(), u"abcdef"));
}

TEST(TextMetrics, BoldIsWiderAndReportsItsWeight) {
  TextDc regular(10, 10, Arial(-16));
  TextDc bold(10, 10, Arial(-16, FW_BOLD));
  TEXTMETRICW tm{};
  GetTextMetricsW(bold.dc(), &tm);
  EXPECT_EQ(tm.tmWeight, FW_BOLD);
  EXPECT_GT(TextWidth(bold.dc(), u"mmmm"), TextWidth(regular.dc(), u"mmmm"));
}

TEST(TextExtent, PartsAddUpAndFitCountsAreExact) {
  TextDc dc(10, 10);
  const std::u16string text = u"Measure me";
  int widths[10] = {};
  int fit = -1;
  SIZE size{};
  ASSERT_TRUE(GetTextExtentExPointW(dc.dc(), text.c_str(), 10, 10000, &fit, widths, &size));
  EXPECT_EQ(fit, 10);
  EXPECT_EQ(size.cx, widths[9]);
  EXPECT_EQ(widths[2], TextWidth(dc.dc(), u"Mea"));
  int chars[3] = {};
  ASSERT_TRUE(GetCharWidth32W(dc.dc(), 'M', 'M', chars));
  EXPECT_EQ(chars[0], widths[0]);
  ASSERT_TRUE(GetTextExtentExPointW(dc.dc(), text.c_str(), 10, widths[4], &fit, nullptr, &size));
  EXPECT_EQ(fit, 5);
  ASSERT_TRUE(GetTextExtentExPointW(dc.dc(), text.c_str(), 10, widths[4] - 1, &fit, nullptr, &size));
  EXPECT_EQ(fit, 4);
  EXPECT_FALSE(GetTextExtentPoint32W(dc.dc(), text.c_str(), 3, nullptr));
  EXPECT_FALSE(GetTextExtentPoint32W(nullptr, text.c_str(), 3, &size));
}

TEST(TextExtent, AgreesWithTheInk) {
  TextDc dc(300, 40);
  SetBkMode(dc.dc(), TRANSPARENT);
  const std::u16string text = u"Agree with ink";
  TextOutW(dc.dc(), 10, 5, text.c_str(), int(text.size()));
  SIZE size{};
  GetTextExtentPoint32W(dc.dc(), text.c_str(), int(text.size()), &size);
  RECT ink = dc.Ink();
  EXPECT_GE(ink.left, 10);
  EXPECT_LE(ink.left, 12);
  EXPECT_LE(ink.right, 10 + size.cx + 1);
  EXPECT_GE(ink.right, 10 + size.cx - 3);
  EXPECT_LE(ink.bottom, 5 + size.cy);
  ABC abc{};
  ASSERT_TRUE(GetCharABCWidthsW(dc.dc(), 'A', 'A', &abc));
  int w = 0;
  GetCharWidth32W(dc.dc(), 'A', 'A', &w);
  EXPECT_EQ(abc.abcA + int(abc.abcB) + abc.abcC, w);
}

TEST(TextFace, ReportsTheFaceAskedFor) {
  TextDc dc(10, 10);
  WCHAR face[LF_FACESIZE];
  EXPECT_EQ(GetTextFaceW(dc.dc(), LF_FACESIZE, face), 5);
  EXPECT_EQ(std::u16string(face), u"Arial");
  EXPECT_EQ(GetTextFaceW(dc.dc(), 0, nullptr), 6);
  EXPECT_EQ(GetTextFaceW(dc.dc(), 3, face), 2);
  EXPECT_EQ(std::u16string(face), u"Ar");
}

TEST(DialogUnits, ComeFromTheFontAndArePlausible) {
  LOGFONTW lf = Arial(-11);  // "MS Shell Dlg" 8 at 96 DPI
  HFONT font = CreateFontIndirectW(&lf);
  SIZE units = gdi::DialogBaseUnitsForFont(font);
  TextDc dc(10, 10, lf);
  int letters = TextWidth(dc.dc(), u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  TEXTMETRICW tm{};
  GetTextMetricsW(dc.dc(), &tm);
  EXPECT_EQ(units.cx, (letters + 26) / 52);
  EXPECT_EQ(units.cy, tm.tmHeight);
  EXPECT_GE(units.cx, 5);
  EXPECT_LE(units.cx, 7);
  EXPECT_EQ(gdi::DialogBaseUnitsForFont(font).cx, units.cx);  // stable
  DeleteObject(font);
  EXPECT_EQ(gdi::DialogBaseUnitsForFont(font).cx, 0);
  LONG base = GetDialogBaseUnits();
  EXPECT_GT(LOWORD(base), 4);
  EXPECT_EQ(HIWORD(base), host::GetScreenParams().systemFontHeight);
}

}  // namespace
}  // namespace talix::text::testing
