// The non-client area DefWindowProcW draws: frames, the caption bar in its active and
// inactive colours, and the caption text.
#include "paint_fixture.h"

namespace talix::testing {
namespace {

// Pixels of the caption bar's row `y` (inside the frame) that differ from the bar colour.
int MarkedPixels(const host::CapturedImage& image, int y, uint32_t bar) {
  int frame = GetSystemMetrics(SM_CXDLGFRAME), marked = 0;
  for (int x = frame; x < image.width - frame; ++x) marked += image.At(x, y) != bar;
  return marked;
}

TEST_F(PaintTest, FramesAreDrawnInTheirSystemColours) {
  struct Case {
    const char* name;
    DWORD style;
    int x, y;  // a pixel of the frame
    int color;
  } cases[] = {
      {"border", WS_BORDER, 0, 10, COLOR_WINDOWFRAME},
      {"dialog frame", WS_DLGFRAME, GetSystemMetrics(SM_CXDLGFRAME) - 1, 20, COLOR_3DFACE},
      {"sizing frame", WS_THICKFRAME, GetSystemMetrics(SM_CXFRAME) - 1, 20, COLOR_INACTIVEBORDER},
  };
  for (const Case& c : cases) {
    HWND hwnd = Make(WS_POPUP | WS_VISIBLE | c.style, 0, 0, 80, 60);
    host::PumpMessagesUntilIdle();
    host::CapturedImage image = Window(hwnd);
    EXPECT_EQ(image.At(c.x, c.y), SysArgb(c.color)) << c.name;
    RECT client;
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    EXPECT_EQ(image.At(origin.x, origin.y + 5), SysArgb(COLOR_BTNFACE)) << c.name << ": client";
    DestroyWindow(hwnd);
  }
}

TEST_F(PaintTest, NcActivateRedrawsTheCaptionInTheActiveColours) {
  HWND hwnd = Make(WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 200, 60, nullptr, 0, kClass, u"");
  host::PumpMessagesUntilIdle();
  int y = GetSystemMetrics(SM_CYDLGFRAME) + 2, x = 190;
  ASSERT_EQ(GetActiveWindow(), hwnd) << "showing activates";
  EXPECT_EQ(Window(hwnd).At(x, y), SysArgb(COLOR_ACTIVECAPTION));
  EXPECT_EQ(SendMessageW(hwnd, WM_NCACTIVATE, FALSE, 0), TRUE);
  EXPECT_EQ(Window(hwnd).At(x, y), SysArgb(COLOR_INACTIVECAPTION));
  EXPECT_EQ(SendMessageW(hwnd, WM_NCACTIVATE, TRUE, -1), TRUE);
  EXPECT_EQ(Window(hwnd).At(x, y), SysArgb(COLOR_INACTIVECAPTION)) << "lParam -1: not redrawn";
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  EXPECT_EQ(Window(hwnd).At(x, y), SysArgb(COLOR_ACTIVECAPTION));
}

TEST_F(PaintTest, CaptionTextIsDrawnOnTheBar) {
  int top = GetSystemMetrics(SM_CYDLGFRAME);
  int rows = GetSystemMetrics(SM_CYCAPTION) - 1;
  for (const char16_t* text : {u"", u"Caption"}) {
    HWND hwnd = Make(WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 200, 60, nullptr, 0, kClass, text);
    host::PumpMessagesUntilIdle();
    ASSERT_EQ(GetActiveWindow(), hwnd) << "showing activates";
    host::CapturedImage image = Window(hwnd);
    int marked = 0;
    for (int y = top; y < top + rows; ++y)
      marked += MarkedPixels(image, y, SysArgb(COLOR_ACTIVECAPTION));
    if (*text)
      EXPECT_GT(marked, 0) << "text drawn";
    else
      EXPECT_EQ(marked, 0) << "a bare bar";
    DestroyWindow(hwnd);
  }
}

}  // namespace
}  // namespace talix::testing
