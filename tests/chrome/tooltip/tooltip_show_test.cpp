// Hovering a tool shows the shared tooltip with the host's text in the toolkit's look:
// sized to the text plus 10 pixels on each side, a grey gradient from 0xF8F8F8 at the top
// to 0xE7E7E7 at the bottom, the text centred; leaving hides it.
#include "tooltip_fixture.h"

#include <win/wstr.h>

#include <algorithm>

namespace tiptest {
namespace {

// An independent measure of the tooltip font's lines: the longest line's width and the
// sum of the lines' heights.
SIZE TextBlock(const WCHAR* const* lines) {
  LOGFONTW lf{};
  lf.lfHeight = 14;
  lf.lfWeight = 500;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  wcscpy(lf.lfFaceName, u"Arial");
  HFONT font = CreateFontIndirectW(&lf);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SIZE block{0, 0};
  for (; *lines; ++lines) {
    const WCHAR* line = *lines;
    SIZE extent{};
    GetTextExtentPoint32W(dc, line, int(wcslen(line)), &extent);
    block.cx = std::max(block.cx, extent.cx);
    block.cy += metrics.tmHeight;
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(font);
  return block;
}

struct SizeCase {
  const char* name;
  const WCHAR* text;
  const WCHAR* lines[3];  // null-terminated
};

class TooltipSizeTest : public TooltipTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(TooltipSizeTest, ShowsTheHostsTextSizedWithTenPixelMargins) {
  CQuorTooltip tip;
  tip.SetTooltip(first_, GetParam().text);
  HWND shared = SharedWindow(top_);
  HoverUntilShown(first_);
  ASSERT_TRUE(IsWindowVisible(shared));
  RECT frame{};
  GetWindowRect(shared, &frame);
  SIZE block = TextBlock(GetParam().lines);
  EXPECT_EQ(frame.right - frame.left, block.cx + 20);
  EXPECT_EQ(frame.bottom - frame.top, block.cy + 20);
  Leave(top_);
  EXPECT_FALSE(IsWindowVisible(shared));
  tip.UnregisterToolWindow(first_);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TooltipSizeTest,
    ::testing::Values(SizeCase{"OneLine", u"Save the file", {u"Save the file", nullptr}},
                      SizeCase{"TwoLines", u"Short\nThe longer line", {u"Short", u"The longer line", nullptr}}),
    [](const auto& info) { return std::string(info.param.name); });

// Pixels of the client area (inside the one-pixel border).
class TooltipLookTest : public TooltipTest {
 protected:
  talix::host::CapturedImage ShowAndCapture(const WCHAR* text) {
    tip_.SetTooltip(first_, text);
    shared_ = SharedWindow(top_);
    HoverUntilShown(first_);
    Pump();
    talix::host::CapturedImage image;
    EXPECT_TRUE(IsWindowVisible(shared_));
    EXPECT_TRUE(talix::host::CaptureWindow(shared_, &image));
    return image;
  }
  void TearDown() override {
    tip_.UnregisterToolWindow(first_);
    TooltipTest::TearDown();
  }
  CQuorTooltip tip_;
  HWND shared_ = nullptr;
};

uint32_t Grey(uint8_t v) { return 0xFF000000u | v << 16 | v << 8 | v; }

TEST_F(TooltipLookTest, PaintsTheGradientWithTheTextCentredInTheButtonTextColour) {
  talix::host::CapturedImage image = ShowAndCapture(u"Centred");
  ASSERT_GT(image.height, 22);
  RECT client{};
  GetClientRect(shared_, &client);
  POINT origin{0, 0};
  ClientToScreen(shared_, &origin);
  RECT frame{};
  GetWindowRect(shared_, &frame);
  int bx = origin.x - frame.left, by = origin.y - frame.top;
  int h = client.bottom;
  // The first and last rows, and a row in the middle between them.
  EXPECT_EQ(image.At(bx + 2, by), Grey(0xF8));
  EXPECT_EQ(image.At(bx + 2, by + h - 1), Grey(0xE7));
  uint32_t middle = image.At(bx + 2, by + h / 2) & 0xFF;
  EXPECT_LT(middle, 0xF8u);
  EXPECT_GT(middle, 0xE7u);
  // The text: dark pixels only inside the 10-pixel margins, centred within a pixel or two.
  COLORREF ink = GetSysColor(COLOR_BTNTEXT);
  int left = image.width, right = -1, top = image.height, bottom = -1;
  uint32_t darkest = 0xFFFFFFFF;
  for (int y = by; y < by + h; ++y)
    for (int x = bx; x < bx + client.right; ++x) {
      uint32_t px = image.At(x, y);
      if ((px & 0xFF) < (darkest & 0xFF)) darkest = px;
      if ((px & 0xFF) > 0x80) continue;
      left = std::min(left, x - bx), right = std::max(right, x - bx);
      top = std::min(top, y - by), bottom = std::max(bottom, y - by);
    }
  ASSERT_GE(right, 0) << "no text drawn";
  EXPECT_EQ(darkest, 0xFF000000u | GetRValue(ink) << 16 | GetGValue(ink) << 8 | GetBValue(ink));
  EXPECT_GE(left, 9);
  EXPECT_LE(right, client.right - 10);
  EXPECT_GE(top, 9);
  EXPECT_LE(bottom, h - 10);
  EXPECT_LE(std::abs(left - (client.right - 1 - right)), 3);
}

TEST_F(TooltipLookTest, ANewTextShowsTheNextTime) {
  talix::host::CapturedImage narrow = ShowAndCapture(u"W");
  Leave(top_);
  tip_.SetTooltip(first_, u"A much longer text than before");
  HoverUntilShown(first_);
  RECT frame{};
  GetWindowRect(shared_, &frame);
  EXPECT_GT(frame.right - frame.left, narrow.width + 50);
  Leave(top_);
}

}  // namespace
}  // namespace tiptest
