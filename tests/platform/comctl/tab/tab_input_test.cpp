// Choosing tabs with the mouse and the keyboard: the parent hears TCN_SELCHANGING before
// and TCN_SELCHANGE after the change, may veto it, and gets NM_CLICK and TCN_KEYDOWN;
// the quiet messages send nothing; buttons move their focus apart from the selection;
// right-to-left controls hit-test and step through their mirrored tabs.
#include "tab_fixture.h"

namespace talix::testing {
namespace {

using TabInputTest = TabTest;
using Notices = std::vector<TabNotice>;

TEST_F(TabInputTest, ClickSelectsBetweenTheTwoNotifications) {
  HWND tab = Tab(0);
  AddTabs(tab, {u"General", u"Sharing", u"Security"});
  ClickTab(tab, 2);
  EXPECT_EQ(Selection(tab), 2);
  EXPECT_EQ(TakeNotices(), (Notices{{TCN_SELCHANGING, 0}, {TCN_SELCHANGE, 2}, {NM_CLICK, 2}}));
  EXPECT_EQ(GetFocus(), tab);
  EXPECT_EQ(SendMessageW(tab, TCM_GETCURFOCUS, 0, 0), 2);

  ClickTab(tab, 2);
  EXPECT_EQ(TakeNotices(), (Notices{{NM_CLICK, 2}})) << "the selected tab does not change";

  TabParent().vetoSelChanging = true;
  ClickTab(tab, 1);
  EXPECT_EQ(Selection(tab), 2) << "the parent vetoed the change";
  EXPECT_EQ(TakeNotices(), (Notices{{TCN_SELCHANGING, 2}, {NM_CLICK, 2}}));
}

TEST_F(TabInputTest, QuietMessagesSendNothing) {
  HWND tab = Tab(0);
  AddTabs(tab, {u"A", u"B", u"C"});
  SendMessageW(tab, TCM_SETCURSEL, 1, 0);
  SendMessageW(tab, TCM_SETCURSEL, -1, 0);
  EXPECT_EQ(Selection(tab), -1);
  EXPECT_TRUE(TakeNotices().empty());
  // TCM_SETCURFOCUS on tabs selects, and asks the parent.
  SendMessageW(tab, TCM_SETCURFOCUS, 2, 0);
  EXPECT_EQ(Selection(tab), 2);
  EXPECT_EQ(TakeNotices(), (Notices{{TCN_SELCHANGING, -1}, {TCN_SELCHANGE, 2}}));
}

TEST_F(TabInputTest, KeysStepThroughTheTabs) {
  HWND tab = Tab(0);
  AddTabs(tab, {u"A", u"B", u"C", u"D"});
  SetFocus(tab);
  Pump();
  TakeNotices();
  struct Case {
    UINT key;
    int selection;
  } const cases[] = {{VK_RIGHT, 1}, {VK_RIGHT, 2}, {VK_END, 3}, {VK_RIGHT, 3},
                     {VK_LEFT, 2},  {VK_HOME, 0},  {VK_LEFT, 0}, {VK_DOWN, 1}};
  int before = 0;
  for (const Case& c : cases) {
    host::KeyPress(c.key);
    Pump();
    EXPECT_EQ(Selection(tab), c.selection) << "key " << c.key;
    Notices expected{{TCN_KEYDOWN, before}};
    if (c.selection != before)
      expected.insert(expected.end(), {{TCN_SELCHANGING, before}, {TCN_SELCHANGE, c.selection}});
    EXPECT_EQ(TakeNotices(), expected) << "key " << c.key;
    before = c.selection;
  }
  EXPECT_EQ(TabParent().keys.front(), WORD(VK_RIGHT));
}

TEST_F(TabInputTest, ButtonsMoveTheFocusAndSelectWithSpace) {
  HWND tab = Tab(TCS_BUTTONS);
  AddTabs(tab, {u"A", u"B", u"C"});
  ClickTab(tab, 0);
  EXPECT_NE(GetFocus(), tab) << "buttons take the focus only with TCS_FOCUSONBUTTONDOWN";
  SetFocus(tab);
  Pump();
  TakeNotices();
  host::KeyPress(VK_RIGHT);
  host::KeyPress(VK_RIGHT);
  Pump();
  EXPECT_EQ(SendMessageW(tab, TCM_GETCURFOCUS, 0, 0), 2);
  EXPECT_EQ(Selection(tab), 0);
  EXPECT_EQ(TakeNotices(), (Notices{{TCN_KEYDOWN, 0},
                                    {TCN_FOCUSCHANGE, 0},
                                    {TCN_KEYDOWN, 0},
                                    {TCN_FOCUSCHANGE, 0}}));
  host::KeyPress(VK_SPACE);
  Pump();
  EXPECT_EQ(Selection(tab), 2);
  EXPECT_EQ(TakeNotices(),
            (Notices{{TCN_KEYDOWN, 0}, {TCN_SELCHANGING, 0}, {TCN_SELCHANGE, 2}}));
  SendMessageW(tab, TCM_SETCURFOCUS, 1, 0);
  EXPECT_EQ(Selection(tab), 2) << "TCM_SETCURFOCUS on buttons leaves the selection";
  EXPECT_TRUE(TakeNotices().empty());
}

TEST_F(TabInputTest, FocusStylesDecideWhetherAClickTakesTheFocus) {
  struct Case {
    DWORD style;
    bool takesFocus;
  } const cases[] = {{TCS_TABS, true},
                     {TCS_TABS | TCS_FOCUSNEVER, false},
                     {TCS_BUTTONS, false},
                     {TCS_BUTTONS | TCS_FOCUSONBUTTONDOWN, true}};
  for (const Case& c : cases) {
    SetFocus(parent_);
    HWND tab = Tab(c.style);
    AddTabs(tab, {u"A", u"B"});
    ClickTab(tab, 1);
    EXPECT_EQ(GetFocus() == tab, c.takesFocus) << std::hex << c.style;
    EXPECT_EQ(Selection(tab), 1);
    DestroyWindow(tab);
  }
}

TEST_F(TabInputTest, DestroyedByTheParentWhileSelecting) {
  HWND tab = Tab(0);
  AddTabs(tab, {u"A", u"B"});
  static HWND victim;
  victim = tab;
  SetWindowLongPtrW(parent_, GWLP_WNDPROC,
                    reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
                      if (m == WM_NOTIFY && reinterpret_cast<NMHDR*>(l)->code == TCN_SELCHANGING)
                        DestroyWindow(victim);
                      return TabParentProc(h, m, w, l);
                    }));
  ClickTab(tab, 1);
  EXPECT_FALSE(IsWindow(tab));
}

TEST_F(TabInputTest, RightToLeftControlMirrorsTabsAndKeys) {
  MakeRightToLeftParent();
  HWND tab = Tab(0);
  AddTabs(tab, {u"First", u"Second", u"Third"});
  ASSERT_TRUE(GetWindowLongW(tab, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
  POINT first = ScreenPoint(tab, ItemRect(tab, 0).left, 0);
  POINT second = ScreenPoint(tab, ItemRect(tab, 1).left, 0);
  EXPECT_GT(first.x, second.x) << "the first tab sits at the right";
  for (int i = 0; i < Count(tab); ++i) {
    RECT r = ItemRect(tab, i);
    POINT screen = ScreenPoint(tab, r.left + 3, (r.top + r.bottom) / 2);
    POINT client = screen;
    ScreenToClient(tab, &client);
    TCHITTESTINFO info{client, 0};
    EXPECT_EQ(SendMessageW(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), i);
    host::Click(screen.x, screen.y);
    Pump();
    EXPECT_EQ(Selection(tab), i) << "click on tab " << i;
  }
  host::KeyPress(VK_RIGHT);  // towards the start, which is on the right
  Pump();
  EXPECT_EQ(Selection(tab), 1);
  host::KeyPress(VK_LEFT);
  Pump();
  EXPECT_EQ(Selection(tab), 2);
}

}  // namespace
}  // namespace talix::testing
