// Keyboard navigation through IsDialogMessageW: Tab and Shift+Tab over tab stops, arrows
// within WS_GROUP groups, mnemonics, nested control parents; the default push button
// follows the focus; Enter, Escape and WM_CLOSE become WM_COMMAND.
#include "dialog_test_support.h"

namespace talix::testing {
namespace {

class NavigationTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    Log().endOnCommand = false;
    dialog_ = CreateDialogParamW(Self(), MAKEINTRESOURCEW(IDD_FORM), nullptr, RecordingDialogProc, 0);
    ASSERT_NE(dialog_, nullptr);
    ShowWindow(dialog_, SW_SHOWNORMAL);
    PumpDialog(dialog_);
  }
  void TearDown() override {
    DestroyWindow(dialog_);
    DialogTest::TearDown();
  }
  int FocusId() const { return GetDlgCtrlID(GetFocus()); }
  HWND Item(int id) const { return GetDlgItem(dialog_, id); }
  void ShiftTab() {
    host::KeyDown(VK_SHIFT);
    host::KeyPress(VK_TAB);
    host::KeyUp(VK_SHIFT);
    PumpDialog(dialog_);
  }

  HWND dialog_ = nullptr;
};

TEST_F(NavigationTest, InitialFocusIsTheFirstTabStop) {
  EXPECT_EQ(FocusId(), IDC_NAME);
  // An edit field taking the focus from the dialog manager gets its text selected.
  EXPECT_EQ(GetWindowLongPtrW(Item(IDC_NAME), kSelSlot), MAKELONG(0, -1));
}

TEST_F(NavigationTest, TabVisitsTabStopsInOrderAndWraps) {
  // Tab stops: the edit, the first radio (group start), the check box, OK, Cancel, Apply;
  // the hidden and disabled controls have none, and the label is no tab stop.
  const int forward[] = {IDC_RADIO1, IDC_CHECK, IDOK, IDCANCEL, IDC_APPLY, IDC_NAME};
  for (int id : forward) {
    Press(dialog_, VK_TAB);
    EXPECT_EQ(FocusId(), id);
  }
  const int backward[] = {IDC_APPLY, IDCANCEL, IDOK};
  for (int id : backward) {
    ShiftTab();
    EXPECT_EQ(FocusId(), id);
  }
  // The same walk through the function itself.
  EXPECT_EQ(GetNextDlgTabItem(dialog_, nullptr, FALSE), Item(IDC_NAME));
  EXPECT_EQ(GetNextDlgTabItem(dialog_, nullptr, TRUE), Item(IDC_APPLY));
  EXPECT_EQ(GetNextDlgTabItem(dialog_, Item(IDC_RADIO2), FALSE), Item(IDC_CHECK));
  EXPECT_EQ(GetNextDlgTabItem(nullptr, nullptr, FALSE), nullptr);
}

TEST_F(NavigationTest, ArrowsStayInTheGroupAndSkipHiddenAndDisabled) {
  SetFocus(Item(IDC_RADIO1));
  // Group: radio 1 (WS_GROUP), radio 2, hidden, disabled, radio 3; the check box starts
  // the next group.
  struct { UINT key; int expected; } steps[] = {
      {VK_DOWN, IDC_RADIO2}, {VK_DOWN, IDC_RADIO3}, {VK_DOWN, IDC_RADIO1},
      {VK_UP, IDC_RADIO3},   {VK_LEFT, IDC_RADIO2}, {VK_RIGHT, IDC_RADIO3}};
  for (auto& step : steps) {
    Press(dialog_, step.key);
    EXPECT_EQ(FocusId(), step.expected) << step.key;
  }
  EXPECT_EQ(GetNextDlgGroupItem(dialog_, Item(IDC_RADIO3), FALSE), Item(IDC_RADIO1));
  EXPECT_EQ(GetNextDlgGroupItem(dialog_, Item(IDC_CHECK), FALSE), Item(IDC_CHECK));
  // Arrows the edit field wants stay with it.
  SetFocus(Item(IDC_NAME));
  Press(dialog_, VK_DOWN);
  EXPECT_EQ(FocusId(), IDC_NAME);
}

TEST_F(NavigationTest, MnemonicsClickButtonsAndLabelsPassToTheNextControl) {
  SetFocus(Item(IDC_CHECK));
  Log().commands.clear();
  host::TypeText(u"a");  // "&Apply": a push button is clicked
  PumpDialog(dialog_);
  EXPECT_EQ(Log().commands, std::vector<WPARAM>{IDC_APPLY});
  host::TypeText(u"s");  // "&Second": a radio button takes the focus and is clicked
  PumpDialog(dialog_);
  EXPECT_EQ(FocusId(), IDC_RADIO2);
  host::TypeText(u"N");  // "&Name:" is a label: the edit after it takes the focus
  PumpDialog(dialog_);
  EXPECT_EQ(FocusId(), IDC_NAME);
  // The edit wants characters: typing goes into it, not to mnemonics.
  host::TypeText(u"c");
  PumpDialog(dialog_);
  EXPECT_EQ(FocusId(), IDC_NAME);
  WCHAR text[8];
  GetWindowTextW(Item(IDC_NAME), text, 8);
  EXPECT_EQ(std::u16string(text), u"c");
}

TEST_F(NavigationTest, DefaultButtonFollowsTheFocus) {
  EXPECT_EQ(SendMessageW(dialog_, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));
  EXPECT_EQ(ButtonType(Item(IDOK)), DWORD(BS_DEFPUSHBUTTON));
  // Focus on another push button: it looks default, OK does not, the default id stays.
  SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDCANCEL)), TRUE);
  EXPECT_EQ(ButtonType(Item(IDCANCEL)), DWORD(BS_DEFPUSHBUTTON));
  EXPECT_EQ(ButtonType(Item(IDOK)), DWORD(BS_PUSHBUTTON));
  EXPECT_EQ(LOWORD(SendMessageW(dialog_, DM_GETDEFID, 0, 0)), IDOK);
  // Focus on something else: the default id's button looks default again.
  Press(dialog_, VK_TAB);  // to Apply
  Press(dialog_, VK_TAB);  // to the edit
  EXPECT_EQ(FocusId(), IDC_NAME);
  EXPECT_EQ(ButtonType(Item(IDOK)), DWORD(BS_DEFPUSHBUTTON));
  EXPECT_EQ(ButtonType(Item(IDCANCEL)), DWORD(BS_PUSHBUTTON));
  EXPECT_EQ(ButtonType(Item(IDC_APPLY)), DWORD(BS_PUSHBUTTON));
  // DM_SETDEFID moves the default.
  SendMessageW(dialog_, DM_SETDEFID, IDC_APPLY, 0);
  EXPECT_EQ(SendMessageW(dialog_, DM_GETDEFID, 0, 0), MAKELONG(IDC_APPLY, DC_HASDEFID));
  EXPECT_EQ(ButtonType(Item(IDC_APPLY)), DWORD(BS_DEFPUSHBUTTON));
  EXPECT_EQ(ButtonType(Item(IDOK)), DWORD(BS_PUSHBUTTON));
}

TEST_F(NavigationTest, EnterEscapeAndCloseBecomeCommands) {
  struct Case {
    const char* name;
    int focus;
    UINT key;  // 0: WM_CLOSE
    int expected;
  } cases[] = {
      {"Enter in the edit: the default id", IDC_NAME, VK_RETURN, IDOK},
      {"Enter on a push button: that button", IDC_APPLY, VK_RETURN, IDC_APPLY},
      {"Escape", IDC_NAME, VK_ESCAPE, IDCANCEL},
      {"WM_CLOSE", IDC_NAME, 0, IDCANCEL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(c.focus)), TRUE);
    Log().commands.clear();
    if (c.key)
      Press(dialog_, c.key);
    else
      SendMessageW(dialog_, WM_CLOSE, 0, 0);
    PumpDialog(dialog_);
    EXPECT_EQ(Log().commands, std::vector<WPARAM>{WPARAM(c.expected)});
  }
  // A disabled default button or Cancel button takes no command.
  EnableWindow(Item(IDOK), FALSE);
  EnableWindow(Item(IDCANCEL), FALSE);
  SetFocus(Item(IDC_NAME));
  Log().commands.clear();
  Press(dialog_, VK_RETURN);
  Press(dialog_, VK_ESCAPE);
  SendMessageW(dialog_, WM_CLOSE, 0, 0);
  PumpDialog(dialog_);
  EXPECT_TRUE(Log().commands.empty());
}

TEST_F(DialogTest, NestedControlParentsAreWalkedThrough) {
  HWND dialog = CreateDialogParamW(Self(), MAKEINTRESOURCEW(IDD_NESTED), nullptr, RecordingDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  HWND pane = GetDlgItem(dialog, IDC_PANE);
  HWND inner[2];
  for (int i = 0; i < 2; ++i) {
    inner[i] = CreateWindowExW(0, kButtonClass, u"in", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 5,
                               5 + 20 * i, 40, 14, pane,
                               reinterpret_cast<HMENU>(static_cast<intptr_t>(IDC_INNER1 + i)), nullptr, nullptr);
    SetWindowPos(inner[i], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  ShowWindow(dialog, SW_SHOWNORMAL);
  PumpDialog(dialog);
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
  HWND expected[] = {inner[0], inner[1], GetDlgItem(dialog, IDC_AFTER), GetDlgItem(dialog, IDOK)};
  for (HWND h : expected) {
    Press(dialog, VK_TAB);
    EXPECT_EQ(GetFocus(), h);
  }
  // A disabled pane is passed over with everything in it.
  EnableWindow(pane, FALSE);
  EXPECT_EQ(GetNextDlgTabItem(dialog, GetDlgItem(dialog, IDOK), FALSE), GetDlgItem(dialog, IDC_AFTER));
  DestroyWindow(dialog);
}

}  // namespace
}  // namespace talix::testing
