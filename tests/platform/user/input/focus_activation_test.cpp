// Focus, activation and enabling: message order on SetFocus, show, hide and destroy.
#include "input_test_support.h"

namespace talix::testing {
namespace {

const std::set<UINT> kActivation = {WM_NCACTIVATE, WM_ACTIVATE, WM_ACTIVATEAPP, WM_KILLFOCUS,
                                    WM_SETFOCUS};

TEST_F(InputTest, SetFocusKillsTheOldFocusThenSetsTheNewWithEachOtherInWParam) {
  HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
  HWND a = Make(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top);
  HWND b = Make(WS_CHILD | WS_VISIBLE, 60, 0, 50, 50, top);
  EXPECT_EQ(SetFocus(a), top);
  SeenLog().clear();
  EXPECT_EQ(SetFocus(b), a);
  EXPECT_EQ(Take(kActivation), (std::vector<Step>{{a, WM_KILLFOCUS}, {b, WM_SETFOCUS}}));
  SetFocus(a);
  EXPECT_EQ(reinterpret_cast<HWND>(Find(b, WM_KILLFOCUS)->wParam), a);
  EXPECT_EQ(reinterpret_cast<HWND>(Find(a, WM_SETFOCUS)->wParam), b);
  SeenLog().clear();
  EXPECT_EQ(SetFocus(a), a) << "no messages when the focus stays";
  EXPECT_TRUE(Take(kActivation).empty());
  EXPECT_EQ(SetFocus(nullptr), a);
  EXPECT_EQ(GetFocus(), nullptr);
  SetLastError(0);
  EXPECT_EQ(SetFocus(reinterpret_cast<HWND>(uintptr_t{0x4321})), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  DestroyWindow(top);
}

TEST_F(InputTest, FocusOnAChildOfAnInactiveWindowActivatesThatWindowFirst) {
  HWND first = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND second = Make(WS_POPUP | WS_VISIBLE, 200, 0, 100, 100);
  HWND child = Make(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, first);
  SeenLog().clear();
  SetFocus(child);
  std::vector<Step> expected = {{second, WM_NCACTIVATE}, {second, WM_ACTIVATE},
                                {first, WM_NCACTIVATE},  {first, WM_ACTIVATE},
                                {second, WM_KILLFOCUS},  {first, WM_SETFOCUS},
                                {first, WM_KILLFOCUS},   {child, WM_SETFOCUS}};
  EXPECT_EQ(Take(kActivation), expected);
  EXPECT_EQ(GetActiveWindow(), first);
  DestroyWindow(second);
  DestroyWindow(first);
}

TEST_F(InputTest, HidingOrDestroyingTheActiveWindowActivatesTheNextOne) {
  HWND owner = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND other = Make(WS_POPUP | WS_VISIBLE, 300, 0, 100, 100);
  HWND owned = Make(WS_POPUP | WS_VISIBLE, 150, 0, 100, 100, owner);
  ASSERT_EQ(GetActiveWindow(), owned);
  SeenLog().clear();
  ShowWindow(owned, SW_HIDE);  // its owner comes back, though another window is above it
  std::vector<Step> expected = {{owned, WM_NCACTIVATE}, {owned, WM_ACTIVATE},
                                {owner, WM_NCACTIVATE}, {owner, WM_ACTIVATE},
                                {owned, WM_KILLFOCUS},  {owner, WM_SETFOCUS}};
  EXPECT_EQ(Take(kActivation), expected);
  EXPECT_EQ(GetActiveWindow(), owner);
  DestroyWindow(owner);  // takes `owned` with it; `other` is next
  EXPECT_EQ(GetActiveWindow(), other);
  EXPECT_EQ(GetFocus(), other);
  SeenLog().clear();
  DestroyWindow(other);  // nothing left: the application is deactivated
  EXPECT_EQ(Take(kActivation),
            (std::vector<Step>{{other, WM_NCACTIVATE}, {other, WM_ACTIVATE},
                               {other, WM_ACTIVATEAPP}, {other, WM_KILLFOCUS}}));
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(GetForegroundWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(InputTest, HidingOrDestroyingTheFocusChildGivesTheFocusToItsParent) {
  HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
  for (bool destroy : {false, true}) {
    HWND child = Make(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top);
    SetFocus(child);
    SeenLog().clear();
    if (destroy) DestroyWindow(child); else ShowWindow(child, SW_HIDE);
    EXPECT_EQ(Take(kActivation), (std::vector<Step>{{child, WM_KILLFOCUS}, {top, WM_SETFOCUS}}));
    EXPECT_EQ(GetFocus(), top);
  }
  DestroyWindow(top);
}

TEST_F(InputTest, ShowingActivatesUnlessAskedNotTo) {
  struct Case {
    int cmd;
    bool activates;
  } cases[] = {{SW_SHOW, true}, {SW_SHOWNORMAL, true}, {SW_SHOWNA, false},
               {SW_SHOWNOACTIVATE, false}};
  for (const Case& c : cases) {
    HWND base = Make(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    HWND shown = Make(WS_POPUP, 100, 0, 50, 50);
    ShowWindow(shown, c.cmd);
    EXPECT_EQ(GetActiveWindow() == shown, c.activates) << c.cmd;
    EXPECT_EQ(GetFocus() == shown, c.activates) << c.cmd;
    DestroyWindow(shown);
    DestroyWindow(base);
  }
  HWND a = Make(WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
  HWND b = Make(WS_POPUP | WS_VISIBLE, 100, 0, 50, 50);
  SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetActiveWindow(), b);
  SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(SetActiveWindow(b), a);
  EXPECT_EQ(GetTopWindow(nullptr), b);
  DestroyWindow(a);
  DestroyWindow(b);
}

TEST_F(InputTest, DisablingTakesTheFocusAndTheMouseAway) {
  HWND top = Make(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
  HWND child = Make(WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, top);
  SetFocus(child);
  SeenLog().clear();
  EXPECT_FALSE(EnableWindow(child, FALSE)) << "it was enabled";
  EXPECT_EQ(Take({WM_CANCELMODE, WM_KILLFOCUS, WM_ENABLE}),
            (std::vector<Step>{{child, WM_CANCELMODE}, {child, WM_KILLFOCUS}, {child, WM_ENABLE}}));
  EXPECT_FALSE(IsWindowEnabled(child));
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_TRUE(EnableWindow(child, FALSE)) << "already disabled: no messages";
  EXPECT_TRUE(Take({WM_ENABLE}).empty());

  POINT inChild{20, 20};
  EXPECT_EQ(WindowFromPoint(inChild), top) << "a disabled child stands for its parent";
  EXPECT_EQ(ChildWindowFromPointEx(top, POINT{15, 15}, CWP_SKIPDISABLED), top);
  EXPECT_EQ(ChildWindowFromPointEx(top, POINT{15, 15}, CWP_ALL), child);
  host::Click(20, 20);
  Pump();
  EXPECT_TRUE(Take({WM_LBUTTONDOWN}) == (std::vector<Step>{{top, WM_LBUTTONDOWN}}));

  EnableWindow(top, FALSE);
  SeenLog().clear();
  host::Click(100, 100);
  Pump();
  EXPECT_TRUE(Take({WM_LBUTTONDOWN, WM_LBUTTONUP}).empty()) << "a disabled window gets no clicks";
  EXPECT_TRUE(EnableWindow(top, TRUE));
  EXPECT_TRUE(IsWindowEnabled(top));
  DestroyWindow(top);
}

}  // namespace
}  // namespace talix::testing
