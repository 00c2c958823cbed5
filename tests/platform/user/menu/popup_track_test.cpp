// TrackPopupMenu(Ex): the menu loop driven by keys and the mouse, its notifications and
// how it ends.
#include "popup_test_support.h"

using namespace talix;
using namespace talix::testing;

namespace {

constexpr UINT kOpen = 100, kSave = 101, kExit = 102, kNew = 200, kOne = 210;

// "&Open", separator, "&Save" (grayed), "E&xit".
HMENU FlatMenu() {
  return BuildMenu({{MF_STRING, kOpen, u"&Open"},
                    {MF_SEPARATOR, 0, nullptr},
                    {MF_STRING | MF_GRAYED, kSave, u"&Save"},
                    {MF_STRING, kExit, u"E&xit"}});
}

// "&File" > ("&New", "&Recent" > "One"), "E&xit".
HMENU NestedMenu() {
  return BuildMenu({{MF_POPUP, 0, u"&File",
                     {{MF_STRING, kNew, u"&New"}, {MF_POPUP, 0, u"&Recent", {{MF_STRING, kOne, u"One"}}}}},
                    {MF_STRING, kExit, u"E&xit"}});
}

LPARAM L(HMENU menu) { return reinterpret_cast<LPARAM>(menu); }
WPARAM W(HMENU menu) { return reinterpret_cast<WPARAM>(menu); }

using PopupTrackTest = PopupTest;

TEST_F(PopupTrackTest, KeysChooseACommandWithTheNotificationsInOrder) {
  HMENU menu = FlatMenu();
  Script({[] {
    host::KeyPress(VK_DOWN);  // Open
    host::KeyPress(VK_DOWN);  // the separator is skipped; grayed Save can be highlighted
    host::KeyPress(VK_DOWN);  // Exit
    host::KeyPress(VK_RETURN);
  }});
  EXPECT_TRUE(TrackPopupMenu(menu, TPM_LEFTALIGN, 50, 60, 0, owner_, nullptr));
  std::vector<Note> expected = {
      {WM_ENTERMENULOOP, TRUE, 0},
      {WM_INITMENUPOPUP, W(menu), MAKELPARAM(0, FALSE)},
      {WM_MENUSELECT, MAKEWPARAM(kOpen, MF_HILITE), L(menu)},
      {WM_MENUSELECT, MAKEWPARAM(kSave, MF_HILITE | MF_GRAYED), L(menu)},
      {WM_MENUSELECT, MAKEWPARAM(kExit, MF_HILITE), L(menu)},
      {WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0},
      {WM_UNINITMENUPOPUP, W(menu), 0},
      {WM_EXITMENULOOP, TRUE, 0},
  };
  EXPECT_EQ(Owner().notes, expected) << "the command is posted, not sent";
  host::PumpMessagesUntilIdle();
  ASSERT_EQ(Owner().notes.size(), expected.size() + 1);
  EXPECT_EQ(Owner().notes.back(), (Note{WM_COMMAND, MAKEWPARAM(kExit, 0), 0}));
  EXPECT_TRUE(Popups().empty());
  DestroyMenu(menu);
}

TEST_F(PopupTrackTest, ReturnCmdGivesTheChoiceOrZeroForEveryWayOfCancelling) {
  struct Case {
    const char* name;
    std::function<void(HWND owner)> act;
    UINT expected;
  };
  const Case cases[] = {
      {"enter on the first item", [](HWND) { host::KeyPress(VK_DOWN); host::KeyPress(VK_RETURN); }, kOpen},
      {"mnemonic", [](HWND) { host::TypeText(u"x"); }, kExit},
      {"up wraps to the last item", [](HWND) { host::KeyPress(VK_UP); host::KeyPress(VK_RETURN); }, kExit},
      {"end then enter", [](HWND) { host::KeyPress(VK_END); host::KeyPress(VK_RETURN); }, kExit},
      {"escape", [](HWND) { host::KeyPress(VK_ESCAPE); }, 0},
      {"enter on a grayed item", [](HWND) { host::TypeText(u"s"); host::KeyPress(VK_RETURN); }, 0},
      {"EndMenu", [](HWND) { EndMenu(); }, 0},
      {"WM_CANCELMODE to the owner", [](HWND owner) { SendMessageW(owner, WM_CANCELMODE, 0, 0); }, 0},
      {"a click outside", [](HWND) { host::Click(300, 300); }, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HMENU menu = FlatMenu();
    HWND owner = owner_;
    Script({[&c, owner] { c.act(owner); }});
    EXPECT_EQ(static_cast<UINT>(TrackPopupMenuEx(menu, TPM_RETURNCMD, 50, 60, owner_, nullptr)),
              c.expected);
    EXPECT_TRUE(Popups().empty());
    Owner().notes.clear();
    host::PumpMessagesUntilIdle();
    EXPECT_TRUE(NotesOf(WM_COMMAND).empty()) << "TPM_RETURNCMD posts nothing";
    DestroyMenu(menu);
  }
}

TEST_F(PopupTrackTest, AClickOutsideEndsTheMenuAndStillReachesTheWindowUnderIt) {
  HMENU menu = FlatMenu();
  RECT client;
  GetClientRect(owner_, &client);
  POINT inOwner{client.right - 20, client.bottom - 20};
  ClientToScreen(owner_, &inOwner);
  Script({[inOwner] { host::Click(inOwner.x, inOwner.y); }});
  EXPECT_EQ(TrackPopupMenuEx(menu, TPM_RETURNCMD, 120, 130, owner_, nullptr), 0);
  EXPECT_TRUE(NotesOf(WM_LBUTTONDOWN).empty()) << "not dispatched inside the menu loop";
  host::PumpMessagesUntilIdle();
  ASSERT_EQ(NotesOf(WM_LBUTTONDOWN).size(), 1u);
  EXPECT_EQ(Kinds().back(), static_cast<UINT>(WM_LBUTTONDOWN));
  DestroyMenu(menu);
}

TEST_F(PopupTrackTest, RightAndLeftOpenAndCloseSubmenus) {
  HMENU menu = NestedMenu();
  HMENU file = GetSubMenu(menu, 0), recent = GetSubMenu(file, 1);
  std::vector<size_t> openCounts;
  auto count = [&openCounts] { openCounts.push_back(Popups().size()); };
  Script({[] { host::KeyPress(VK_DOWN); host::KeyPress(VK_RIGHT); },  // File opens, New lit
          [&] { count(); host::KeyPress(VK_DOWN); host::KeyPress(VK_RIGHT); },  // Recent opens
          [&] { count(); host::KeyPress(VK_LEFT); },
          [&] { count(); host::KeyPress(VK_ESCAPE); },
          [&] { count(); host::KeyPress(VK_ESCAPE); }});
  EXPECT_EQ(TrackPopupMenuEx(menu, TPM_RETURNCMD, 50, 60, owner_, nullptr), 0);
  EXPECT_EQ(openCounts, (std::vector<size_t>{2, 3, 2, 1}));
  std::vector<Note> inits = NotesOf(WM_INITMENUPOPUP), uninits = NotesOf(WM_UNINITMENUPOPUP);
  EXPECT_EQ(inits, (std::vector<Note>{{WM_INITMENUPOPUP, W(menu), MAKELPARAM(0, 0)},
                                      {WM_INITMENUPOPUP, W(file), MAKELPARAM(0, 0)},
                                      {WM_INITMENUPOPUP, W(recent), MAKELPARAM(1, 0)}}));
  EXPECT_EQ(uninits, (std::vector<Note>{{WM_UNINITMENUPOPUP, W(recent), 0},
                                        {WM_UNINITMENUPOPUP, W(file), 0},
                                        {WM_UNINITMENUPOPUP, W(menu), 0}}));
  // Selecting a popup item names its position; a command item its id.
  std::vector<Note> selects = NotesOf(WM_MENUSELECT);
  ASSERT_GE(selects.size(), 3u);
  EXPECT_EQ(selects[0], (Note{WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP | MF_HILITE), L(menu)}));
  EXPECT_EQ(selects[1], (Note{WM_MENUSELECT, MAKEWPARAM(kNew, MF_HILITE), L(file)}));
  DestroyMenu(menu);
}

TEST_F(PopupTrackTest, MnemonicsOpenSubmenusAndChooseInside) {
  HMENU menu = NestedMenu();
  Script({[] { host::TypeText(u"fr"); }, [] { host::KeyPress(VK_RETURN); }});
  EXPECT_EQ(static_cast<UINT>(TrackPopupMenuEx(menu, TPM_RETURNCMD, 50, 60, owner_, nullptr)), kOne);
  DestroyMenu(menu);
}

TEST_F(PopupTrackTest, UnmatchedLettersAskTheOwnerWithMenuChar) {
  HMENU menu = FlatMenu();
  Owner().menuCharAnswer = MAKELRESULT(3, MNC_EXECUTE);
  Script({[] { host::TypeText(u"z"); }});
  EXPECT_EQ(static_cast<UINT>(TrackPopupMenuEx(menu, TPM_RETURNCMD, 50, 60, owner_, nullptr)), kExit);
  EXPECT_EQ(NotesOf(WM_MENUCHAR), (std::vector<Note>{{WM_MENUCHAR, MAKEWPARAM(u'z', MF_POPUP), L(menu)}}));
  DestroyMenu(menu);
}

TEST_F(PopupTrackTest, HoverHighlightsAndOpensAndAReleaseChooses) {
  HMENU menu = NestedMenu();
  HMENU file = GetSubMenu(menu, 0);
  size_t openAfterHover = 0;
  Script({[&] { POINT p = ItemCentre(menu, 0); host::MouseMove(p.x, p.y); },
          [&] {
            openAfterHover = Popups().size();
            POINT p = ItemCentre(file, 0);
            host::MouseMove(p.x, p.y);
            host::MouseDown();
            host::MouseUp();
          }});
  EXPECT_EQ(static_cast<UINT>(TrackPopupMenuEx(menu, TPM_RETURNCMD, 50, 60, owner_, nullptr)), kNew);
  EXPECT_EQ(openAfterHover, 2u);
  std::vector<Note> selects = NotesOf(WM_MENUSELECT);
  ASSERT_GE(selects.size(), 2u);
  EXPECT_EQ(selects[0], (Note{WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP | MF_HILITE | MF_MOUSESELECT), L(menu)}));
  DestroyMenu(menu);
}

TEST_F(PopupTrackTest, TheRightButtonChoosesOnlyWithRightButtonTracking) {
  for (UINT flags : {0u, static_cast<UINT>(TPM_RIGHTBUTTON)}) {
    SCOPED_TRACE(flags);
    HMENU menu = FlatMenu();
    Script({[&] {
              POINT p = ItemCentre(menu, 0);
              host::Click(p.x, p.y, host::MouseButton::Right);
            },
            [] { host::KeyPress(VK_ESCAPE); }});  // still open with left-button tracking
    UINT chosen = static_cast<UINT>(TrackPopupMenuEx(menu, flags | TPM_RETURNCMD, 50, 60, owner_, nullptr));
    EXPECT_EQ(chosen, flags ? kOpen : 0u);
    EXPECT_EQ(NotesOf(WM_MENURBUTTONUP),
              (std::vector<Note>{{WM_MENURBUTTONUP, 0, L(menu)}}));
    Owner().notes.clear();
    DestroyMenu(menu);
  }
}

TEST_F(PopupTrackTest, NotifyByPositionMenusPostMenuCommandInstead) {
  HMENU menu = FlatMenu();
  MENUINFO info{sizeof(MENUINFO), MIM_STYLE, MNS_NOTIFYBYPOS};
  ASSERT_TRUE(SetMenuInfo(menu, &info));
  Script({[] { host::TypeText(u"x"); }});
  EXPECT_TRUE(TrackPopupMenuEx(menu, 0, 50, 60, owner_, nullptr));
  host::PumpMessagesUntilIdle();
  EXPECT_TRUE(NotesOf(WM_COMMAND).empty());
  EXPECT_EQ(NotesOf(WM_MENUCOMMAND), (std::vector<Note>{{WM_MENUCOMMAND, 3, L(menu)}}));
  DestroyMenu(menu);
}

TEST_F(PopupTrackTest, NoNotifySendsNothingToTheOwner) {
  HMENU menu = FlatMenu();
  Script({[] { host::KeyPress(VK_DOWN); host::KeyPress(VK_RETURN); }});
  EXPECT_EQ(static_cast<UINT>(TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_NONOTIFY, 50, 60, owner_, nullptr)),
            kOpen);
  host::PumpMessagesUntilIdle();
  EXPECT_TRUE(Owner().notes.empty());
  DestroyMenu(menu);
}

TEST_F(PopupTrackTest, BadArgumentsAndASecondMenuFail) {
  HMENU menu = FlatMenu();
  SetLastError(0);
  EXPECT_FALSE(TrackPopupMenuEx(nullptr, 0, 0, 0, owner_, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
  EXPECT_FALSE(TrackPopupMenuEx(menu, 0, 0, 0, reinterpret_cast<HWND>(0x1234), nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  TPMPARAMS wrongSize{};
  EXPECT_FALSE(TrackPopupMenuEx(menu, 0, 0, 0, owner_, &wrongSize));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(Owner().notes.empty()) << "a refused call sends nothing, no WM_EXITMENULOOP";
  BOOL nested = TRUE;
  DWORD nestedError = 0;
  HWND owner = owner_;
  Script({[&] {
    nested = TrackPopupMenuEx(menu, 0, 0, 0, owner, nullptr);
    nestedError = GetLastError();
    host::KeyPress(VK_ESCAPE);
  }});
  EXPECT_TRUE(TrackPopupMenuEx(menu, 0, 50, 60, owner_, nullptr)) << "cancelled, but tracked";
  EXPECT_FALSE(nested);
  EXPECT_EQ(nestedError, static_cast<DWORD>(ERROR_POPUP_ALREADY_ACTIVE));
  EXPECT_TRUE(Owner().notes.size() > 0 && NotesOf(WM_ENTERMENULOOP).size() == 1);
  DestroyMenu(menu);
}

// The message-filter hook sees the loop's messages with MSGF_MENU; a hook that cancels
// the menu and posts a message of its own (a menu bar switching popups) gets the loop
// to return before that message is dispatched.
struct HookLog {
  std::vector<std::pair<int, UINT>> seen;
  HWND owner = nullptr;
  bool posted = false;
};
HookLog* g_hookLog = nullptr;

LRESULT CALLBACK FilterHook(int code, WPARAM wParam, LPARAM lParam) {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  if (code >= 0 && g_hookLog) {
    g_hookLog->seen.emplace_back(code, msg->message);
    if (code == MSGF_MENU && msg->message == WM_KEYDOWN && msg->wParam == VK_RIGHT) {
      SendMessageW(g_hookLog->owner, WM_CANCELMODE, 0, 0);
      PostMessageW(g_hookLog->owner, WM_COMMAND, 4242, 0);
      g_hookLog->posted = true;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(PopupTrackTest, TheMessageFilterHookSeesTheLoopAndCanCancelIt) {
  HMENU menu = FlatMenu();
  HookLog log;
  log.owner = owner_;
  g_hookLog = &log;
  HHOOK hook = SetWindowsHookExW(WH_MSGFILTER, FilterHook, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  Script({[] { host::KeyPress(VK_DOWN); host::KeyPress(VK_RIGHT); host::KeyPress(VK_RETURN); }});
  EXPECT_EQ(TrackPopupMenuEx(menu, TPM_RETURNCMD, 50, 60, owner_, nullptr), 0)
      << "cancelled before the Enter";
  EXPECT_TRUE(log.posted);
  EXPECT_TRUE(NotesOf(WM_COMMAND).empty()) << "the posted message waits for the caller's loop";
  bool sawDown = false;
  for (auto [code, message] : log.seen) {
    EXPECT_EQ(code, MSGF_MENU);
    sawDown = sawDown || message == WM_KEYDOWN;
  }
  EXPECT_TRUE(sawDown);
  UnhookWindowsHookEx(hook);
  g_hookLog = nullptr;
  host::PumpMessagesUntilIdle();
  EXPECT_EQ(NotesOf(WM_COMMAND), (std::vector<Note>{{WM_COMMAND, 4242, 0}}));
  DestroyMenu(menu);
}

TEST_F(PopupTrackTest, PopupsAreAlignedByTheFlagsAndKeptOnTheWorkArea) {
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  struct Case {
    UINT flags;
    POINT at;
    bool rightOfX, belowY;  // where the popup lies against the point
  };
  const Case cases[] = {
      {TPM_LEFTALIGN | TPM_TOPALIGN, {200, 200}, true, true},
      {TPM_RIGHTALIGN | TPM_BOTTOMALIGN, {200, 200}, false, false},
      {TPM_LEFTALIGN, {work.right - 5, 200}, false, true},      // flipped to the left
      {TPM_TOPALIGN, {200, work.bottom - 5}, true, false},      // flipped upwards
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    HMENU menu = FlatMenu();
    RECT placed{};
    Script({[&] {
      std::vector<HWND> popups = Popups();
      if (!popups.empty()) GetWindowRect(popups[0], &placed);
      host::KeyPress(VK_ESCAPE);
    }});
    TrackPopupMenuEx(menu, c.flags, c.at.x, c.at.y, owner_, nullptr);
    EXPECT_EQ(c.rightOfX ? placed.left : placed.right, c.at.x);
    EXPECT_EQ(c.belowY ? placed.top : placed.bottom, c.at.y);
    EXPECT_LE(placed.right, work.right);
    EXPECT_LE(placed.bottom, work.bottom);
    DestroyMenu(menu);
  }
}

}  // namespace

namespace {

TEST_F(PopupTrackTest, SubmenusCascadeRightAndFlipLeftAtTheWorkAreaEdge) {
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  for (bool nearEdge : {false, true}) {
    SCOPED_TRACE(nearEdge);
    HMENU menu = NestedMenu();
    RECT outer{}, inner{};
    Script({[] { host::KeyPress(VK_DOWN); host::KeyPress(VK_RIGHT); },
            [&] {
              std::vector<HWND> popups = Popups();
              if (popups.size() == 2) {
                GetWindowRect(popups[0], &outer);
                GetWindowRect(popups[1], &inner);
              }
              host::KeyPress(VK_ESCAPE);
              host::KeyPress(VK_ESCAPE);
            }});
    int x = nearEdge ? work.right - 60 : 100;
    TrackPopupMenuEx(menu, 0, x, 100, owner_, nullptr);
    ASSERT_GT(inner.right, inner.left);
    if (nearEdge) {
      EXPECT_LE(inner.right, outer.left + 3) << "flipped to the left";
    } else {
      EXPECT_GE(inner.left, outer.right - 3) << "to the right";
    }
    EXPECT_LE(inner.right, work.right);
    DestroyMenu(menu);
  }
}

}  // namespace
