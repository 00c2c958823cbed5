// TextOutW and ExtTextOutW: where the ink lands for each alignment, clipping, the
// opaque background, colours, and reading order.
#include "text_fixture.h"

namespace talix::text::testing {
namespace {

struct AlignCase {
  UINT align;
  int expectLeft;    // where the text's box starts, given its width w: 0 = x, 1 = x - w, 2 = x - w/2
  int expectTop;     // 0: y is the cell top, 1: y is the baseline, 2: y is the cell bottom
};

TEST(TextOut, AlignmentPlacesTheTextBoxAroundTheReferencePoint) {
  const AlignCase cases[] = {
      {TA_LEFT | TA_TOP, 0, 0},      {TA_RIGHT | TA_TOP, 1, 0},
      {TA_CENTER | TA_TOP, 2, 0},    {TA_LEFT | TA_BASELINE, 0, 1},
      {TA_LEFT | TA_BOTTOM, 0, 2},   {TA_CENTER | TA_BASELINE, 2, 1},
  };
  TextDc ref(200, 60);
  SetBkMode(ref.dc(), TRANSPARENT);
  ASSERT_TRUE(TextOutW(ref.dc(), 10, 10, u"HHH", 3));
  const RECT refInk = ref.Ink();  // 'H' has no side bearing surprises: ink starts near x
  TEXTMETRICW tm{};
  GetTextMetricsW(ref.dc(), &tm);
  const int w = TextWidth(ref.dc(), u"HHH");
  for (const AlignCase& c : cases) {
    SCOPED_TRACE(c.align);
    TextDc dc(200, 60);
    SetBkMode(dc.dc(), TRANSPARENT);
    SetTextAlign(dc.dc(), c.align);
    ASSERT_TRUE(TextOutW(dc.dc(), 100, 30, u"HHH", 3));
    int left = c.expectLeft == 0 ? 100 : c.expectLeft == 1 ? 100 - w : 100 - w / 2;
    int top = c.expectTop == 0 ? 30 : c.expectTop == 1 ? 30 - tm.tmAscent : 30 - tm.tmHeight;
    RECT ink = dc.Ink();
    EXPECT_EQ(ink.left - left, refInk.left - 10);
    EXPECT_EQ(ink.top - top, refInk.top - 10);
    EXPECT_EQ(ink.right - ink.left, refInk.right - refInk.left);
  }
}

TEST(TextOut, OpaqueModeFillsTheCellWithTheBackgroundColour) {
  TextDc dc(100, 40);
  SetBkColor(dc.dc(), RGB(0, 0, 255));
  SetTextColor(dc.dc(), RGB(255, 0, 0));
  ASSERT_TRUE(TextOutW(dc.dc(), 5, 5, u"H H", 3));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc.dc(), &tm);
  RECT ink = dc.Ink();
  EXPECT_EQ(ink.left, 5);
  EXPECT_EQ(ink.top, 5);
  EXPECT_EQ(ink.right, 5 + TextWidth(dc.dc(), u"H H"));
  EXPECT_EQ(ink.bottom, 5 + tm.tmHeight);
  EXPECT_EQ(dc.At(5, 5), 0x0000FFu);  // blue background, X byte 0
  // Somewhere inside the 'H' stems the text colour is fully there.
  bool red = false;
  for (int x = 5; x < ink.right; ++x)
    for (int y = 5; y < ink.bottom; ++y) red |= dc.At(x, y) == 0xFF0000u;
  EXPECT_TRUE(red);
}

TEST(TextOut, ClippedAndOpaqueRectangles) {
  TextDc dc(120, 40);
  SetBkMode(dc.dc(), TRANSPARENT);
  RECT clip{10, 0, 30, 40};
  ASSERT_TRUE(ExtTextOutW(dc.dc(), 0, 5, ETO_CLIPPED, &clip, u"MMMMMMMM", 8, nullptr));
  RECT ink = dc.Ink();
  EXPECT_GE(ink.left, 10);
  EXPECT_LE(ink.right, 30);
  EXPECT_GT(ink.right - ink.left, 15);

  dc.Clear();
  SetBkColor(dc.dc(), RGB(0, 255, 0));
  RECT opaque{50, 2, 110, 38};
  ASSERT_TRUE(ExtTextOutW(dc.dc(), 0, 5, ETO_OPAQUE, &opaque, u"", 0, nullptr));
  EXPECT_EQ(dc.Ink().left, 50);
  EXPECT_EQ(dc.Ink().bottom, 38);
  EXPECT_EQ(dc.At(60, 20), 0x00FF00u);

  dc.Clear();
  ASSERT_TRUE(ExtTextOutW(dc.dc(), 55, 5, ETO_OPAQUE | ETO_CLIPPED, &opaque, u"MMMMMMMM", 8, nullptr));
  EXPECT_EQ(dc.Ink().right, 110);
  EXPECT_EQ(dc.At(108, 20) & 0xFFFFFF, dc.At(108, 20));
}

TEST(TextOut, DcClipRegionLimitsTheText) {
  TextDc dc(100, 40);
  SetBkMode(dc.dc(), TRANSPARENT);
  IntersectClipRect(dc.dc(), 0, 0, 100, 12);
  ASSERT_TRUE(TextOutW(dc.dc(), 2, 2, u"Hlg", 3));
  EXPECT_EQ(dc.Ink().bottom, 12);
}

TEST(TextOut, DxSetsTheCharacterPositions) {
  TextDc dc(200, 40);
  SetBkMode(dc.dc(), TRANSPARENT);
  const INT dx[] = {40, 40, 40};
  ASSERT_TRUE(ExtTextOutW(dc.dc(), 10, 5, 0, nullptr, u"lll", 3, dx));
  auto columns = dc.InkColumns();
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[1].first - columns[0].first, 40);
  EXPECT_EQ(columns[2].first - columns[1].first, 40);
}

TEST(TextOut, UpdateCpMovesThePositionAlong) {
  TextDc dc(200, 40);
  SetBkMode(dc.dc(), TRANSPARENT);
  SetTextAlign(dc.dc(), TA_UPDATECP);
  TextOutW(dc.dc(), 0, 0, u"ll", 2);
  TextOutW(dc.dc(), 0, 0, u"ll", 2);
  TextDc once(200, 40);
  SetBkMode(once.dc(), TRANSPARENT);
  TextOutW(once.dc(), 0, 0, u"llll", 4);
  EXPECT_EQ(dc.Pixels(), once.Pixels());
}

TEST(TextOut, NonAntialiasedQualityDrawsOnlyFullPixels) {
  LOGFONTW lf = Arial(-20);
  lf.lfQuality = NONANTIALIASED_QUALITY;
  TextDc mono(100, 40, lf);
  TextDc grey(100, 40);
  for (TextDc* dc : {&mono, &grey}) {
    SetBkMode(dc->dc(), TRANSPARENT);
    TextOutW(dc->dc(), 2, 2, u"Sag", 3);
  }
  auto partial = [](const std::vector<uint32_t>& px) {
    int n = 0;
    for (uint32_t p : px) n += (p & 0xFFFFFF) != 0 && (p & 0xFFFFFF) != 0xFFFFFF;
    return n;
  };
  EXPECT_EQ(partial(mono.Pixels()), 0);
  EXPECT_GT(partial(grey.Pixels()), 0);
}

// "I", then the Hebrew letters alef (wide) and vav (narrow), which are written right to
// left, spaced so that each letter is its own column of ink. Left-to-right reading keeps
// "I" first and shows the Hebrew run reversed (vav, alef); right-to-left reading puts
// the first letter, alef, rightmost of the Hebrew run and "I" at the far right.
TEST(TextOut, RightToLeftReadingOrdersMixedText) {
  const char16_t text[] = u"I \u05D0 \u05D5";
  auto columnsOf = [&](UINT options) {
    TextDc dc(200, 40);
    SetBkMode(dc.dc(), TRANSPARENT);
    ExtTextOutW(dc.dc(), 10, 5, options, nullptr, text, 5, nullptr);
    return dc.InkColumns();
  };
  auto widest = [](const std::vector<std::pair<int, int>>& columns) {
    size_t best = 0;
    for (size_t i = 1; i < columns.size(); ++i)
      if (columns[i].second - columns[i].first > columns[best].second - columns[best].first) best = i;
    return best;
  };
  auto ltr = columnsOf(0);
  auto rtl = columnsOf(ETO_RTLREADING);
  ASSERT_EQ(ltr.size(), 3u);
  ASSERT_EQ(rtl.size(), 3u);
  EXPECT_EQ(widest(ltr), 2u);  // I, vav, alef
  EXPECT_EQ(widest(rtl), 1u);  // vav, alef, I
  EXPECT_LE(ltr[0].first, 12);
  EXPECT_LE(rtl[0].first, 12);
}

TEST(TextOut, BadArguments) {
  EXPECT_FALSE(TextOutW(nullptr, 0, 0, u"a", 1));
  TextDc dc(10, 10);
  EXPECT_FALSE(TextOutW(dc.dc(), 0, 0, nullptr, 3));
  EXPECT_FALSE(TextOutW(dc.dc(), 0, 0, u"a", -1));
  EXPECT_TRUE(TextOutW(dc.dc(), 0, 0, u"", 0));
}

}  // namespace
}  // namespace talix::text::testing
