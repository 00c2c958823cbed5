// The mouse on a common button: hover, press and release inside and outside, dragging off
// and back, double clicks.
#include "button_fixture.h"

namespace buttontest {
namespace {

using talix::host::MouseDown;
using talix::host::MouseMove;
using talix::host::MouseUp;

class ButtonMouseTest : public ButtonTest {};

TEST_F(ButtonMouseTest, HoverShowsTheHotLookUntilTheCursorLeaves) {
  ProbeButton& button = AddButton(101);
  const POINT centre = Centre(button.m_hWnd);
  MouseMove(centre.x, centre.y);
  Settle();
  EXPECT_TRUE(button.IsHot());
  EXPECT_EQ(button.GetGraphicalState(), COMMON_BUTTON_HOT);

  const POINT outside = Outside();
  MouseMove(outside.x, outside.y);
  Settle();
  EXPECT_FALSE(button.IsHot());
  EXPECT_EQ(button.GetGraphicalState(), COMMON_BUTTON_NORMAL);
  EXPECT_TRUE(TakeNotifications().empty());
}

TEST_F(ButtonMouseTest, PressAndReleaseInsidePostsOneClickAndTakesTheFocus) {
  ProbeButton& button = AddButton(101);
  const POINT centre = Centre(button.m_hWnd);
  MouseMove(centre.x, centre.y);
  MouseDown();
  Settle();
  EXPECT_EQ(GetCapture(), button.m_hWnd);
  EXPECT_EQ(GetFocus(), button.m_hWnd);
  EXPECT_EQ(button.GetGraphicalState(), COMMON_BUTTON_FOCUSED_PUSHED);
  EXPECT_TRUE(TakeNotifications().empty()) << "no click before the release";

  MouseUp();
  Settle();
  const auto clicks = TakeNotifications();
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0].wParam, MAKEWPARAM(101, BN_CLICKED));
  EXPECT_EQ(clicks[0].lParam, reinterpret_cast<LPARAM>(button.m_hWnd));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(SendMessageW(button.m_hWnd, BM_GETSTATE, 0, 0), BST_FOCUS);
  EXPECT_EQ(button.GetGraphicalState(), COMMON_BUTTON_FOCUSED);
}

TEST_F(ButtonMouseTest, ReleaseOutsideNeitherClicksNorChecks) {
  ProbeButton& button = AddButton(101, BS_AUTOCHECKBOX);
  const POINT centre = Centre(button.m_hWnd);
  const POINT outside = Outside();
  MouseMove(centre.x, centre.y);
  MouseDown();
  MouseMove(outside.x, outside.y);
  Settle();
  // Dragged off while held: the button pops up.
  EXPECT_EQ(button.GetGraphicalState(), COMMON_BUTTON_FOCUSED);
  MouseUp();
  Settle();
  EXPECT_TRUE(TakeNotifications().empty());
  EXPECT_EQ(SendMessageW(button.m_hWnd, BM_GETSTATE, 0, 0), BST_FOCUS);
  EXPECT_FALSE(button.IsHot());
}

TEST_F(ButtonMouseTest, DraggedOffAndBackClicksOnce) {
  ProbeButton& button = AddButton(101);
  const POINT centre = Centre(button.m_hWnd);
  const POINT outside = Outside();
  MouseMove(centre.x, centre.y);
  MouseDown();
  MouseMove(outside.x, outside.y);
  Settle();
  EXPECT_EQ(button.GetGraphicalState(), COMMON_BUTTON_FOCUSED);
  MouseMove(centre.x, centre.y);
  Settle();
  EXPECT_EQ(SendMessageW(button.m_hWnd, BM_GETSTATE, 0, 0), BST_FOCUS | BST_PUSHED);
  EXPECT_EQ(button.GetGraphicalState(), COMMON_BUTTON_FOCUSED_PUSHED);
  MouseUp();
  Settle();
  EXPECT_EQ(TakeNotifications().size(), 1u);
}

TEST_F(ButtonMouseTest, DoubleClickCountsAsTwoClicks) {
  ProbeButton& button = AddButton(101, BS_AUTOCHECKBOX);
  const POINT centre = Centre(button.m_hWnd);
  talix::host::Click(centre.x, centre.y);
  talix::host::Click(centre.x, centre.y);
  Settle();
  EXPECT_EQ(TakeNotifications().size(), 2u);
  EXPECT_EQ(SendMessageW(button.m_hWnd, BM_GETCHECK, 0, 0), BST_UNCHECKED)
      << "an automatic check box toggled twice";
}

TEST_F(ButtonMouseTest, ButtonWithoutParentStillToggles) {
  // A top-level button has no parent to notify; the space bar still works it.
  ProbeButton button;
  RECT rect{10, 420, 0, 0};
  ASSERT_TRUE(button.Create(nullptr, rect, 7, WS_POPUP | WS_VISIBLE | BS_AUTOCHECKBOX, 0,
                            COMMON_BUTTON_SMALL));
  SendMessageW(button.m_hWnd, WM_KEYDOWN, VK_SPACE, 0);
  SendMessageW(button.m_hWnd, WM_KEYUP, VK_SPACE, 0);
  Settle();
  EXPECT_TRUE(TakeNotifications().empty());
  EXPECT_EQ(SendMessageW(button.m_hWnd, BM_GETSTATE, 0, 0), BST_CHECKED);
}

}  // namespace
}  // namespace buttontest
