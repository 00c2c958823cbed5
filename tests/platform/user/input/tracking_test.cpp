// TrackMouseEvent on the virtual clock, the cursor position and shape.
#include "input_test_support.h"

namespace talix::testing {
namespace {

TRACKMOUSEEVENT Request(HWND hwnd, DWORD flags, DWORD hover = HOVER_DEFAULT) {
  return TRACKMOUSEEVENT{sizeof(TRACKMOUSEEVENT), flags, hwnd, hover};
}

DWORD TrackedFlags() {
  TRACKMOUSEEVENT query = Request(nullptr, TME_QUERY);
  EXPECT_TRUE(TrackMouseEvent(&query));
  return query.dwFlags;
}

TEST_F(InputTest, HoverComesAfterTheHoverTimeAndLeaveWhenTheCursorLeaves) {
  HWND hwnd = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  host::MouseMove(50, 40);
  Pump();
  TRACKMOUSEEVENT track = Request(hwnd, TME_LEAVE | TME_HOVER);
  ASSERT_TRUE(TrackMouseEvent(&track));
  EXPECT_EQ(TrackedFlags(), static_cast<DWORD>(TME_LEAVE | TME_HOVER));
  SeenLog().clear();
  host::AdvanceClock(250);
  host::MouseMove(60, 40);  // out of the hover rectangle: the hover time starts again
  Pump();
  host::AdvanceClock(399);
  Pump();
  EXPECT_EQ(Find(hwnd, WM_MOUSEHOVER), nullptr);
  host::AdvanceClock(1);
  Pump();
  const Seen* hover = Find(hwnd, WM_MOUSEHOVER);
  ASSERT_NE(hover, nullptr);
  EXPECT_EQ(hover->lParam, MAKELPARAM(60, 40));
  EXPECT_EQ(TrackedFlags(), static_cast<DWORD>(TME_LEAVE)) << "hover tracking ends with its message";
  SeenLog().clear();
  host::MouseMove(300, 300);
  host::MouseMove(50, 50);
  host::MouseMove(301, 300);
  Pump();
  EXPECT_EQ(Take({WM_MOUSELEAVE}), (std::vector<Step>{{hwnd, WM_MOUSELEAVE}})) << "one leave";
  EXPECT_EQ(TrackedFlags(), 0u);
  DestroyWindow(hwnd);
}

TEST_F(InputTest, LeaveTrackingCanBeCancelledAndIsImmediateWhenAlreadyOutside) {
  HWND hwnd = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  host::MouseMove(10, 10);
  Pump();
  TRACKMOUSEEVENT track = Request(hwnd, TME_LEAVE);
  ASSERT_TRUE(TrackMouseEvent(&track));
  TRACKMOUSEEVENT cancel = Request(hwnd, TME_CANCEL | TME_LEAVE);
  ASSERT_TRUE(TrackMouseEvent(&cancel));
  SeenLog().clear();
  host::MouseMove(200, 200);
  Pump();
  EXPECT_EQ(Find(hwnd, WM_MOUSELEAVE), nullptr);
  ASSERT_TRUE(TrackMouseEvent(&track));  // the cursor is outside already
  Pump();
  EXPECT_EQ(Take({WM_MOUSELEAVE}), (std::vector<Step>{{hwnd, WM_MOUSELEAVE}}));

  TRACKMOUSEEVENT wrongSize = track;
  wrongSize.cbSize = 16;
  SetLastError(0);
  EXPECT_FALSE(TrackMouseEvent(&wrongSize));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  DestroyWindow(hwnd);
}

TEST_F(InputTest, NonClientTrackingEndsWhenTheCursorEntersTheClientArea) {
  HWND hwnd = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  RECT w;
  GetWindowRect(hwnd, &w);
  host::MouseMove((w.left + w.right) / 2, w.top + GetSystemMetrics(SM_CYFRAME) + 3);
  Pump();
  TRACKMOUSEEVENT track = Request(hwnd, TME_LEAVE | TME_NONCLIENT);
  ASSERT_TRUE(TrackMouseEvent(&track));
  SeenLog().clear();
  host::MouseMove((w.left + w.right) / 2, (w.top + w.bottom) / 2);
  Pump();
  EXPECT_EQ(Take({WM_NCMOUSELEAVE, WM_MOUSELEAVE}), (std::vector<Step>{{hwnd, WM_NCMOUSELEAVE}}));
  DestroyWindow(hwnd);
}

TEST_F(InputTest, SetCursorPosMovesTheMouseAndTheClassCursorIsSetOverTheClientArea) {
  HWND top = Make(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  HCURSOR beam = LoadCursorW(nullptr, IDC_IBEAM), arrow = LoadCursorW(nullptr, IDC_ARROW);
  ASSERT_TRUE(beam && arrow);
  SetClassLongPtrW(top, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(beam));
  RECT w;
  GetWindowRect(top, &w);
  SeenLog().clear();
  ASSERT_TRUE(SetCursorPos(250, 200));
  Pump();
  POINT pt;
  ASSERT_TRUE(GetCursorPos(&pt));
  EXPECT_EQ(pt.x, 250);
  EXPECT_EQ(pt.y, 200);
  EXPECT_NE(Find(top, WM_MOUSEMOVE), nullptr);
  EXPECT_EQ(GetCursor(), beam);
  host::MouseMove(250, w.top + GetSystemMetrics(SM_CYFRAME) + 3);
  Pump();
  EXPECT_EQ(GetCursor(), arrow);
  host::MouseMove(w.left + 1, 200);
  Pump();
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_SIZEWE));

  HWND child = Make(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top);
  SetCursor(arrow);
  Answers()[{top, WM_SETCURSOR}] = TRUE;  // the parent takes over
  POINT inChild{10, 10};
  ClientToScreen(top, &inChild);
  host::MouseMove(inChild.x, inChild.y);
  Pump();
  EXPECT_EQ(GetCursor(), arrow);
  DestroyWindow(top);
  (void)child;
}

}  // namespace
}  // namespace talix::testing
