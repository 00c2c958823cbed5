// When the tip shows and hides: hovering on the virtual clock, leaving, clicking,
// autopop, TTM_POPUP / TTM_POP, TTM_ACTIVATE, and the notifications' order.
#include "tooltip_fixture.h"

#include "platform/comctl/tooltip/tooltip.h"

#include <win/wstr.h>

namespace talix::testing {
namespace {

using comctl::tooltip::kLeaveCheckMs;

TEST_F(TooltipTest, ShowsAfterTheInitialDelayWithItsOwnCopyOfTheText) {
  WCHAR text[] = u"Save the file";
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS, text));
  wcscpy(text, u"Changed later");
  HWND focus = GetFocus();
  MoveTo(tool_, 50, 15);
  Advance(InitialDelay() - 1);
  EXPECT_FALSE(TipVisible());
  Advance(1);
  ASSERT_TRUE(TipVisible());
  EXPECT_EQ(TextOf(tool_, kToolId), u"Save the file");
  // Shown without taking activation or focus, below the cursor.
  EXPECT_EQ(GetActiveWindow(), parent_);
  EXPECT_EQ(GetFocus(), focus);
  POINT cursor;
  GetCursorPos(&cursor);
  RECT tip = TipRect();
  EXPECT_EQ(tip.left, cursor.x);
  EXPECT_GT(tip.top, cursor.y);
  EXPECT_TRUE(GetWindowLongW(tip_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(GetWindowLongW(tip_, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
}

TEST_F(TooltipTest, MovingOnTheToolRestartsTheInitialDelay) {
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS, u"Tip"));
  MoveTo(tool_, 10, 10);
  Advance(InitialDelay() - 10);
  MoveTo(tool_, 12, 10);
  Advance(20);
  EXPECT_FALSE(TipVisible());
  Advance(InitialDelay());
  EXPECT_TRUE(TipVisible());
}

// How a shown tip goes away. Afterwards it stays away while the pointer rests on the
// tool, and comes back after leaving and resting on the tool again.
enum class HideBy { Leave, Autopop, Click, Pop };
struct HideCase {
  const char* name;
  HideBy by;
};

class TooltipHideTest : public TooltipTest, public ::testing::WithParamInterface<HideCase> {
 protected:
  void Hide() {
    switch (GetParam().by) {
      case HideBy::Leave:
        MoveTo(parent_, 300, 200);  // the parent relays nothing: the tip notices by itself
        Advance(kLeaveCheckMs);
        break;
      case HideBy::Autopop:
        Advance(UINT(SendMessageW(tip_, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0)));
        break;
      case HideBy::Click:
        host::MouseDown();
        host::MouseUp();
        Pump();
        break;
      case HideBy::Pop: SendMessageW(tip_, TTM_POP, 0, 0); break;
    }
  }
};

TEST_P(TooltipHideTest, HidesWithTtnPopAndComesBackOnlyAfterLeaving) {
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS, u"Tip"));
  HoverUntilShown(tool_);
  ASSERT_TRUE(TipVisible());
  TakeNotices();
  Hide();
  EXPECT_FALSE(TipVisible());
  EXPECT_EQ(Codes(TakeNotices()), std::vector<UINT>{TTN_POP});
  if (GetParam().by != HideBy::Leave) {
    MoveTo(tool_, 51, 16);
    Advance(InitialDelay() * 2);
    EXPECT_FALSE(TipVisible()) << "back while the pointer stayed on the tool";
    MoveTo(parent_, 300, 200);
    Advance(kLeaveCheckMs);
  }
  HoverUntilShown(tool_);
  EXPECT_TRUE(TipVisible());
}

INSTANTIATE_TEST_SUITE_P(Ways, TooltipHideTest,
                         ::testing::Values(HideCase{"Leave", HideBy::Leave},
                                           HideCase{"Autopop", HideBy::Autopop},
                                           HideCase{"Click", HideBy::Click},
                                           HideCase{"Pop", HideBy::Pop}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TooltipTest, MovingToAnotherToolShowsItsTipAfterTheReshowDelay) {
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS, u"First"));
  ASSERT_TRUE(AddTool(second_, kSecondId, TTF_SUBCLASS, u"Second"));
  HoverUntilShown(tool_);
  ASSERT_TRUE(TipVisible());
  MoveTo(second_, 50, 15);
  EXPECT_FALSE(TipVisible());
  UINT reshow = UINT(SendMessageW(tip_, TTM_GETDELAYTIME, TTDT_RESHOW, 0));
  ASSERT_LT(reshow, InitialDelay());
  Advance(reshow);
  EXPECT_TRUE(TipVisible());
  TTTOOLINFOW current = Info(nullptr, 0);
  ASSERT_TRUE(SendMessageW(tip_, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&current)));
  EXPECT_EQ(current.hwnd, second_);
}

// With TTF_IDISHWND the tool is the window uId names, subclassed itself, while the
// notifications go to hwnd.
TEST_F(TooltipTest, WindowToolCoversItsWindowAndNotifiesItsHwnd) {
  TTTOOLINFOW ti = Info(parent_, UINT_PTR(second_));
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.lpszText = const_cast<LPWSTR>(u"Window tool");
  ASSERT_TRUE(SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
  HoverUntilShown(second_);
  ASSERT_TRUE(TipVisible());
  std::vector<Notice> notices = TakeNotices();
  ASSERT_FALSE(notices.empty());
  EXPECT_EQ(notices[0], (Notice{parent_, TTN_SHOW, UINT_PTR(second_), 0}));
  MoveTo(tool_, 5, 5);
  Advance(kLeaveCheckMs);
  EXPECT_FALSE(TipVisible());
}

TEST_F(TooltipTest, RelayedInputDrivesATipWithoutSubclassing) {
  ASSERT_TRUE(AddTool(tool_, kToolId, 0, u"Relayed"));
  HoverUntilShown(tool_);
  EXPECT_FALSE(TipVisible()) << "no relay, no subclass: the tooltip cannot know";
  Host().relayTo = tip_;
  MoveTo(tool_, 40, 10);
  Advance(InitialDelay());
  EXPECT_TRUE(TipVisible());
}

TEST_F(TooltipTest, PopupShowsAtOnceAndPopHides) {
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS, u"Now"));
  MoveTo(tool_, 30, 10);
  SendMessageW(tip_, TTM_POPUP, 0, 0);
  EXPECT_TRUE(TipVisible());
  Pump();
  SendMessageW(tip_, TTM_POP, 0, 0);
  EXPECT_FALSE(TipVisible());
  EXPECT_EQ(Codes(TakeNotices()),
            (std::vector<UINT>{TTN_SHOW, NM_CUSTOMDRAW, TTN_POP}));
}

TEST_F(TooltipTest, InactiveTooltipShowsNothingUntilActivatedAgain) {
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS, u"Tip"));
  SendMessageW(tip_, TTM_ACTIVATE, FALSE, 0);
  HoverUntilShown(tool_);
  SendMessageW(tip_, TTM_POPUP, 0, 0);
  Pump();
  EXPECT_FALSE(TipVisible());
  EXPECT_TRUE(TakeNotices().empty());
  SendMessageW(tip_, TTM_ACTIVATE, TRUE, 0);
  MoveTo(tool_, 20, 20);
  Advance(InitialDelay());
  EXPECT_TRUE(TipVisible());
}

TEST_F(TooltipTest, WithoutAlwaysTipAnInactiveOwnerGetsNoTip) {
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS, u"Tip"));
  HWND other = CreateWindowExW(0, kHostClass, u"other", WS_POPUP | WS_VISIBLE, 600, 600, 50, 50,
                               nullptr, nullptr, nullptr, nullptr);
  SetActiveWindow(other);
  HoverUntilShown(tool_);
  EXPECT_FALSE(TipVisible());
  DestroyWindow(other);
  SetWindowLongW(tip_, GWL_STYLE, GetWindowLongW(tip_, GWL_STYLE) | TTS_ALWAYSTIP);
  MoveTo(tool_, 20, 20);
  Advance(InitialDelay());
  EXPECT_TRUE(TipVisible());
}

TEST_F(TooltipTest, NotificationsGoToTheToolWindowInOrder) {
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS, LPSTR_TEXTCALLBACKW));
  Host().dispText = u"Asked for";
  Host().prepaintAnswer = CDRF_NOTIFYPOSTPAINT;
  HoverUntilShown(tool_);
  ASSERT_TRUE(TipVisible());
  SendMessageW(tip_, TTM_POP, 0, 0);
  std::vector<Notice> expected = {{tool_, TTN_GETDISPINFOW, kToolId, 0},
                                  {tool_, TTN_SHOW, kToolId, 0},
                                  {tool_, NM_CUSTOMDRAW, kToolId, CDDS_PREPAINT},
                                  {tool_, NM_CUSTOMDRAW, kToolId, CDDS_POSTPAINT},
                                  {tool_, TTN_POP, kToolId, 0}};
  EXPECT_EQ(TakeNotices(), expected);
}

TEST_F(TooltipTest, TtnShowAnsweredTrueKeepsTheOwnersPlacement) {
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS, u"Placed"));
  Host().placeAt = POINT{10, 20};
  HoverUntilShown(tool_);
  ASSERT_TRUE(TipVisible());
  EXPECT_EQ(TipRect().left, 10);
  EXPECT_EQ(TipRect().top, 20);
}

// The owner may destroy the tooltip from any notification; the tooltip then touches
// nothing of itself any more.
class TooltipDestroyedTest : public TooltipTest, public ::testing::WithParamInterface<UINT> {};

TEST_P(TooltipDestroyedTest, OwnerMayDestroyTheTooltipFromANotification) {
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS, LPSTR_TEXTCALLBACKW));
  Host().dispText = u"Short-lived";
  Host().destroyOn = GetParam();
  HoverUntilShown(tool_);
  MoveTo(parent_, 300, 200);
  Advance(kLeaveCheckMs);
  EXPECT_FALSE(IsWindow(tip_));
  MoveTo(tool_, 10, 10);
  EXPECT_EQ(Host().mouseMessages.back(), UINT(WM_MOUSEMOVE)) << "the tool window lost its input";
}

INSTANTIATE_TEST_SUITE_P(Notifications, TooltipDestroyedTest,
                         ::testing::Values(TTN_GETDISPINFOW, TTN_SHOW, NM_CUSTOMDRAW, TTN_POP),
                         [](const auto& info) -> std::string {
                           switch (info.param) {
                             case TTN_GETDISPINFOW: return "GetDispInfo";
                             case TTN_SHOW: return "Show";
                             case NM_CUSTOMDRAW: return "CustomDraw";
                             default: return "Pop";
                           }
                         });

// A TTF_TRANSPARENT tool's tip lets the mouse through to the window below it.
TEST_F(TooltipTest, TransparentTipIsNotHitByThePointer) {
  for (UINT transparent : {0u, UINT(TTF_TRANSPARENT)}) {
    ASSERT_TRUE(AddTool(tool_, kToolId, TTF_TRACK | TTF_ABSOLUTE | transparent, u"Over"));
    POINT at{kParentX + 250, kParentY + 200};
    SendMessageW(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x - 5, at.y - 5));
    TTTOOLINFOW ti = Info(tool_, kToolId);
    SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
    ASSERT_TRUE(TipVisible());
    EXPECT_EQ(WindowFromPoint(at), transparent ? parent_ : tip_);
    SendMessageW(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
    SendMessageW(tip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  }
}

TEST_F(TooltipTest, DestroyingTheToolWindowHidesItsTip) {
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS, u"Going"));
  HoverUntilShown(tool_);
  ASSERT_TRUE(TipVisible());
  DestroyWindow(tool_);
  Pump();
  EXPECT_FALSE(TipVisible());
  EXPECT_EQ(SendMessageW(tip_, TTM_GETCURRENTTOOLW, 0, 0), 0);
}

TEST_F(TooltipTest, TrackingTipShowsAtTheTrackPointUntilDeactivated) {
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_TRACK | TTF_ABSOLUTE, u"Tracked"));
  SendMessageW(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(300, 250));
  TTTOOLINFOW ti = Info(tool_, kToolId);
  SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
  ASSERT_TRUE(TipVisible());
  EXPECT_EQ(TipRect().left, 300);
  EXPECT_EQ(TipRect().top, 250);
  SendMessageW(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(310, 260));
  EXPECT_EQ(TipRect().left, 310);
  Advance(UINT(SendMessageW(tip_, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0)) + kLeaveCheckMs);
  EXPECT_TRUE(TipVisible()) << "a tracking tip stays until deactivated";
  SendMessageW(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
  EXPECT_FALSE(TipVisible());
}

}  // namespace
}  // namespace talix::testing
