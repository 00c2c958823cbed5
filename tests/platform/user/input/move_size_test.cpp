// Dragging the caption moves the window, dragging an edge sizes it, caption buttons act
// when released over themselves.
#include "input_test_support.h"

namespace talix::testing {
namespace {

POINT CaptionPoint(HWND hwnd) {
  RECT w;
  GetWindowRect(hwnd, &w);
  return POINT{(w.left + w.right) / 2,
               w.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2};
}

TEST_F(InputTest, DraggingTheCaptionMovesTheWindow) {
  HWND hwnd = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  POINT start = CaptionPoint(hwnd);
  SeenLog().clear();
  host::MouseMove(start.x, start.y);
  host::MouseDown();
  host::MouseMove(start.x + 10, start.y + 5);
  host::MouseMove(start.x + 30, start.y + 20);
  host::MouseUp();
  Pump();
  RECT w;
  GetWindowRect(hwnd, &w);
  EXPECT_EQ(w.left, 130);
  EXPECT_EQ(w.top, 120);
  EXPECT_EQ(w.right - w.left, 300);
  std::vector<Step> expected = {{hwnd, WM_NCLBUTTONDOWN}, {hwnd, WM_SYSCOMMAND},
                                {hwnd, WM_ENTERSIZEMOVE}, {hwnd, WM_MOVING},
                                {hwnd, WM_MOVING},        {hwnd, WM_MOVING},
                                {hwnd, WM_CAPTURECHANGED}, {hwnd, WM_EXITSIZEMOVE}};
  EXPECT_EQ(Take({WM_NCLBUTTONDOWN, WM_SYSCOMMAND, WM_ENTERSIZEMOVE, WM_MOVING,
                  WM_CAPTURECHANGED, WM_EXITSIZEMOVE}),
            expected);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_GE(GetKeyState(VK_LBUTTON), 0);
  DestroyWindow(hwnd);
}

TEST_F(InputTest, EscapePutsADraggedWindowBack) {
  HWND hwnd = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  POINT start = CaptionPoint(hwnd);
  host::MouseMove(start.x, start.y);
  host::MouseDown();
  host::MouseMove(start.x + 50, start.y);
  host::KeyPress(VK_ESCAPE);
  host::MouseUp();
  Pump();
  RECT w;
  GetWindowRect(hwnd, &w);
  EXPECT_EQ(w.left, 100);
  DestroyWindow(hwnd);
}

TEST_F(InputTest, DraggingAnEdgeSizesTheWindowDownToTheMinimumTrackSize) {
  HWND hwnd = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  RECT w;
  GetWindowRect(hwnd, &w);
  int y = (w.top + w.bottom) / 2;
  host::MouseMove(w.right - 1, y);
  host::MouseDown();
  host::MouseMove(w.right + 39, y);
  host::MouseUp();
  Pump();
  GetWindowRect(hwnd, &w);
  EXPECT_EQ(w.left, 100);
  EXPECT_EQ(w.right - w.left, 340);
  host::MouseMove(w.left, y);
  host::MouseDown();
  host::MouseMove(w.left + 1000, y);
  host::MouseUp();
  Pump();
  GetWindowRect(hwnd, &w);
  EXPECT_EQ(w.right - w.left, GetSystemMetrics(SM_CXMINTRACK));
  EXPECT_EQ(w.right, 440) << "the opposite edge stays";
  DestroyWindow(hwnd);
}

TEST_F(InputTest, TheCloseButtonClosesOnlyWhenReleasedOverIt) {
  HWND hwnd = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  RECT w;
  GetWindowRect(hwnd, &w);
  POINT close{w.right - GetSystemMetrics(SM_CXFRAME) - 2, CaptionPoint(hwnd).y};
  ASSERT_EQ(SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(close.x, close.y)), HTCLOSE);
  host::MouseMove(close.x, close.y);
  host::MouseDown();
  host::MouseMove(close.x - 100, close.y);
  host::MouseUp();
  Pump();
  EXPECT_TRUE(IsWindow(hwnd)) << "released away from the button";
  host::AdvanceClock(GetDoubleClickTime() + 1);  // a plain press, not a double click
  host::Click(close.x, close.y);
  Pump();
  EXPECT_FALSE(IsWindow(hwnd));
  if (IsWindow(hwnd)) DestroyWindow(hwnd);
}

}  // namespace
}  // namespace talix::testing
