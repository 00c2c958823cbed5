// The tip's size from its text (one line, or wrapped under a maximum width) and its
// painting: the default look and what NM_CUSTOMDRAW's answers change.
#include "tooltip_fixture.h"

#include <algorithm>

namespace talix::testing {
namespace {

// The size DrawTextW gives `text` in the tooltip's font for `width` (0: one line).
SIZE TextSize(HWND tip, const char16_t* text, int width) {
  HDC hdc = GetDC(tip);
  HGDIOBJ old = SelectObject(hdc, reinterpret_cast<HFONT>(SendMessageW(tip, WM_GETFONT, 0, 0)));
  RECT r{0, 0, width, 0};
  DrawTextW(hdc, text, -1, &r,
            DT_CALCRECT | DT_NOPREFIX | (width ? DT_WORDBREAK : DT_SINGLELINE));
  SelectObject(hdc, old);
  ReleaseDC(tip, hdc);
  return SIZE{r.right, r.bottom};
}

// The window rectangle TTM_ADJUSTRECT gives for a text rectangle of `size`.
SIZE WindowFor(HWND tip, SIZE size) {
  RECT r{0, 0, size.cx, size.cy};
  EXPECT_TRUE(SendMessageW(tip, TTM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&r)));
  return SIZE{r.right - r.left, r.bottom - r.top};
}

constexpr const char16_t* kLongText = u"A tip long enough to need several lines at this width";

TEST_F(TooltipTest, TipIsSizedToItsTextOnOneLine) {
  RECT margin{4, 3, 6, 5};
  SendMessageW(tip_, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margin));
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS, kLongText));
  SIZE expected = WindowFor(tip_, TextSize(tip_, kLongText, 0));
  TTTOOLINFOW ti = Info(tool_, kToolId);
  LRESULT bubble = SendMessageW(tip_, TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&ti));
  EXPECT_EQ(LOWORD(bubble), expected.cx);
  EXPECT_EQ(HIWORD(bubble), expected.cy);
  HoverUntilShown(tool_);
  ASSERT_TRUE(TipVisible());
  RECT tip = TipRect();
  EXPECT_EQ(tip.right - tip.left, expected.cx);
  EXPECT_EQ(tip.bottom - tip.top, expected.cy);
  // The text rectangle lies inside the margins.
  RECT text = tip;
  SendMessageW(tip_, TTM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&text));
  EXPECT_GE(text.left - tip.left, margin.left);
  EXPECT_GE(tip.bottom - text.bottom, margin.bottom);
}

TEST_F(TooltipTest, MaximumWidthWrapsTheTextAtSpaces) {
  constexpr int kMaxWidth = 120;
  SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, kMaxWidth);
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS, kLongText));
  HoverUntilShown(tool_);
  ASSERT_TRUE(TipVisible());
  RECT tip = TipRect();
  SIZE oneLine = TextSize(tip_, kLongText, 0);
  EXPECT_LE(tip.right - tip.left, kMaxWidth);
  EXPECT_GE(tip.bottom - tip.top, 3 * oneLine.cy) << "wrapped onto at least three lines";
  SIZE chrome = WindowFor(tip_, SIZE{0, 0});
  SIZE wrapped = TextSize(tip_, kLongText, kMaxWidth - chrome.cx);
  EXPECT_EQ(tip.bottom - tip.top, wrapped.cy + chrome.cy);
}

TEST_F(TooltipTest, WithoutNoPrefixAmpersandsAreTakenOutAndTabsEndTheText) {
  HWND plain = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, parent_, nullptr, nullptr, nullptr);
  TTTOOLINFOW ti = Info(tool_, kToolId);
  ti.uFlags = 0;
  ti.lpszText = const_cast<LPWSTR>(u"&Save && go\tCtrl+S");
  ASSERT_TRUE(SendMessageW(plain, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
  SIZE expected = WindowFor(plain, TextSize(plain, u"Save & go", 0));
  LRESULT bubble = SendMessageW(plain, TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&ti));
  EXPECT_EQ(LOWORD(bubble), expected.cx);
  EXPECT_EQ(HIWORD(bubble), expected.cy);
}

// The pixels of a screen rectangle, after painting.
std::vector<COLORREF> ScreenPixels(RECT rect) {
  host::PumpMessagesUntilIdle();
  host::CapturedImage image;
  EXPECT_TRUE(host::CaptureScreenRect(rect, &image));
  std::vector<COLORREF> out;
  for (uint32_t p : image.pixels) out.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
  return out;
}

// The client pixels of the shown tip, as the screen shows them (the tip is topmost).
std::vector<COLORREF> TipPixels(HWND tip) {
  RECT client;
  GetClientRect(tip, &client);
  MapWindowPoints(tip, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return ScreenPixels(client);
}

size_t CountOf(const std::vector<COLORREF>& pixels, COLORREF colour) {
  return size_t(std::count(pixels.begin(), pixels.end(), colour));
}

// Pixels of text drawn in dark blue over a light background: blue well above red.
size_t BlueTextPixels(const std::vector<COLORREF>& pixels) {
  return size_t(std::count_if(pixels.begin(), pixels.end(), [](COLORREF c) {
    return GetBValue(c) > GetRValue(c) + 100;
  }));
}

struct DrawCase {
  const char* name;
  LRESULT prepaintAnswer;
  std::vector<DWORD> stages;
  bool defaultLook;  // background colour with text in the text colour
};

class TooltipDrawTest : public TooltipTest, public ::testing::WithParamInterface<DrawCase> {};

TEST_P(TooltipDrawTest, CustomDrawAnswersDecideWhoPaints) {
  const DrawCase& c = GetParam();
  constexpr COLORREF kBack = RGB(255, 255, 200), kText = RGB(0, 0, 160);
  SendMessageW(tip_, TTM_SETTIPBKCOLOR, kBack, 0);
  SendMessageW(tip_, TTM_SETTIPTEXTCOLOR, kText, 0);
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS, u"Painted tip"));
  Host().prepaintAnswer = c.prepaintAnswer;
  HoverUntilShown(tool_);
  ASSERT_TRUE(TipVisible());
  std::vector<COLORREF> pixels = TipPixels(tip_);
  std::vector<DWORD> stages;
  for (const Notice& n : TakeNotices())
    if (n.code == NM_CUSTOMDRAW) stages.push_back(n.stage);
  EXPECT_EQ(stages, c.stages);
  if (c.defaultLook) {
    EXPECT_GT(CountOf(pixels, kBack), pixels.size() / 2);
    EXPECT_GT(BlueTextPixels(pixels), 10u) << "no text drawn";
    EXPECT_EQ(CountOf(pixels, Host().ownerFill), 0u);
  } else {
    EXPECT_EQ(CountOf(pixels, Host().ownerFill), pixels.size()) << "the owner's paint was covered";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, TooltipDrawTest,
    ::testing::Values(DrawCase{"DoDefault", CDRF_DODEFAULT, {CDDS_PREPAINT}, true},
                      DrawCase{"NotifyPostPaint", CDRF_NOTIFYPOSTPAINT,
                               {CDDS_PREPAINT, CDDS_POSTPAINT}, true},
                      DrawCase{"SkipDefault", CDRF_SKIPDEFAULT, {CDDS_PREPAINT}, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TooltipTest, TitleAddsALineAboveTheText) {
  ASSERT_TRUE(AddTool(tool_, kToolId, 0, u"Body"));
  TTTOOLINFOW ti = Info(tool_, kToolId);
  LRESULT plain = SendMessageW(tip_, TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&ti));
  constexpr const char16_t* kTitle = u"A title much wider than the body";
  ASSERT_TRUE(SendMessageW(tip_, TTM_SETTITLEW, TTI_NONE, reinterpret_cast<LPARAM>(kTitle)));
  LRESULT titled = SendMessageW(tip_, TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&ti));
  SIZE title = TextSize(tip_, kTitle, 0);
  EXPECT_EQ(LOWORD(titled), WindowFor(tip_, title).cx);
  EXPECT_GE(HIWORD(titled), HIWORD(plain) + title.cy);
}

// The way a skinned owner takes over: it sizes the tip in TTN_SHOW, lets the default
// painting run and paints the whole window over it at CDDS_POSTPAINT.
TEST_F(TooltipTest, OwnerSizesTheTipAndPaintsItAfterTheDefault) {
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS, LPSTR_TEXTCALLBACKW));
  Host().dispText = u"Skinned";
  Host().resizeTo = SIZE{90, 40};
  Host().prepaintAnswer = CDRF_NOTIFYPOSTPAINT;
  Host().paintsAfter = true;
  HoverUntilShown(tool_);
  ASSERT_TRUE(TipVisible());
  RECT tip = TipRect();
  EXPECT_EQ(tip.right - tip.left, 90);
  EXPECT_EQ(tip.bottom - tip.top, 40);
  POINT cursor;
  GetCursorPos(&cursor);
  EXPECT_GT(tip.top, cursor.y) << "placed below the cursor at its new size";
  std::vector<COLORREF> pixels = ScreenPixels(tip);
  EXPECT_EQ(CountOf(pixels, Host().ownerFill), pixels.size()) << "the owner's paint was covered";
}

}  // namespace
}  // namespace talix::testing
