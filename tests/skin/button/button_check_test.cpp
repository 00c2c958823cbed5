// Check state: what a click and the space bar do to each button type, BM_SETCHECK values,
// automatic radio groups, and which messages still reach the window's own procedure.
#include "button_fixture.h"

#include "draw/QuorBitmap.h"

#include <algorithm>
#include <array>

namespace buttontest {
namespace {

class ButtonCheckTest : public ButtonTest {
 protected:
  LRESULT Check(HWND hwnd) { return SendMessageW(hwnd, BM_GETCHECK, 0, 0); }
  static void Space() { talix::host::KeyPress(VK_SPACE); }
};

// The check after the first and the second activation, from unchecked. A click toggles
// type 3 (and types with both low bits, 7 and 0xB) and checks the radio-like types; the
// space bar toggles all of them.
struct TypeCase {
  DWORD type;
  LRESULT afterOneClick, afterTwoClicks, afterOneSpace, afterTwoSpaces;
};
// (Group boxes are left out: they let the mouse through to their parent.)
constexpr std::array<TypeCase, 9> kTypeCases = {{
    {BS_PUSHBUTTON, 0, 0, 0, 0},
    {BS_DEFPUSHBUTTON, 0, 0, 0, 0},
    {BS_CHECKBOX, 0, 0, 0, 0},
    {BS_AUTOCHECKBOX, 1, 0, 1, 0},
    {BS_RADIOBUTTON, 1, 1, 1, 0},
    {BS_3STATE, 1, 1, 1, 0},
    {BS_AUTO3STATE, 1, 1, 1, 0},
    {BS_AUTORADIOBUTTON, 1, 1, 1, 0},
    {BS_OWNERDRAW, 1, 0, 1, 0},
}};

TEST_F(ButtonCheckTest, ClickAndSpaceByButtonType) {
  for (const TypeCase& c : kTypeCases) {
    SCOPED_TRACE(testing::Message() << "type " << c.type);
    ProbeButton& button = AddButton(200 + c.type, c.type);
    const HWND hwnd = button.m_hWnd;
    const POINT centre = Centre(hwnd);
    talix::host::Click(centre.x, centre.y);
    Settle();
    EXPECT_EQ(Check(hwnd), c.afterOneClick);
    talix::host::Click(centre.x, centre.y);
    Settle();
    EXPECT_EQ(Check(hwnd), c.afterTwoClicks);
    EXPECT_EQ(TakeNotifications().size(), 2u);

    SendMessageW(hwnd, BM_SETCHECK, BST_UNCHECKED, 0);
    ASSERT_EQ(GetFocus(), hwnd);
    Space();
    Settle();
    EXPECT_EQ(Check(hwnd), c.afterOneSpace);
    Space();
    Settle();
    EXPECT_EQ(Check(hwnd), c.afterTwoSpaces);
    EXPECT_EQ(TakeNotifications().size(), 2u);
    DestroyWindow(hwnd);
  }
}

TEST_F(ButtonCheckTest, SetCheckKeepsOnlyTheCheckBits) {
  const HWND hwnd = AddButton(101, BS_AUTOCHECKBOX).m_hWnd;
  SendMessageW(hwnd, BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_EQ(Check(hwnd), BST_INDETERMINATE);
  SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(Check(hwnd), BST_CHECKED) << "a new check replaces the old one";
  // Values with the pushed and focus bits must not leave the button stuck pushed.
  SendMessageW(hwnd, BM_SETCHECK, WPARAM(-1), 0);
  EXPECT_EQ(SendMessageW(hwnd, BM_GETSTATE, 0, 0), BST_CHECKED | BST_INDETERMINATE);
  SendMessageW(hwnd, BM_SETCHECK, BST_PUSHED | BST_FOCUS, 0);
  EXPECT_EQ(SendMessageW(hwnd, BM_GETSTATE, 0, 0), 0);
}

class RadioGroupTest : public ButtonCheckTest {
 protected:
  // first (WS_GROUP, auto radio), second (auto radio), plain (radio), push (push button),
  // next (WS_GROUP, auto radio: the next group). All checked but `second`.
  void SetUp() override {
    ButtonCheckTest::SetUp();
    // New windows go on top of their siblings: made last to first, the dialog order is
    // first, second, plain, push, next.
    next = AddButton(5, BS_AUTORADIOBUTTON, 210, 10, COMMON_BUTTON_SMALL, WS_GROUP).m_hWnd;
    push = AddButton(4, BS_PUSHBUTTON, 160, 10, COMMON_BUTTON_SMALL).m_hWnd;
    plain = AddButton(3, BS_RADIOBUTTON, 110, 10, COMMON_BUTTON_SMALL).m_hWnd;
    second = AddButton(2, BS_AUTORADIOBUTTON, 60, 10, COMMON_BUTTON_SMALL).m_hWnd;
    first = AddButton(1, BS_AUTORADIOBUTTON, 10, 10, COMMON_BUTTON_SMALL, WS_GROUP).m_hWnd;
    for (HWND hwnd : {first, plain, push, next}) SendMessageW(hwnd, BM_SETCHECK, BST_CHECKED, 0);
  }
  std::array<LRESULT, 5> Checks() {
    return {Check(first), Check(second), Check(plain), Check(push), Check(next)};
  }
  HWND first, second, plain, push, next;
};

TEST_F(RadioGroupTest, CheckingAnAutoRadioUnchecksTheRadiosOfItsGroupOnly) {
  SendMessageW(second, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(Checks(), (std::array<LRESULT, 5>{0, 1, 0, 1, 1}));
}

TEST_F(RadioGroupTest, PlainRadioAndIndeterminateUncheckNothing) {
  SendMessageW(plain, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(second, BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_EQ(Checks(), (std::array<LRESULT, 5>{1, 2, 1, 1, 1}));
}

TEST_F(RadioGroupTest, ClickingAnAutoRadioMakesItTheOnlyCheckedOne) {
  const POINT centre = Centre(second);
  talix::host::Click(centre.x, centre.y);
  Settle();
  EXPECT_EQ(Checks(), (std::array<LRESULT, 5>{0, 1, 0, 1, 1}));
}

// The group walk never reaches a disabled or hidden button; it must still end.
TEST_F(RadioGroupTest, WalkFromADisabledOrHiddenButtonEnds) {
  EnableWindow(second, FALSE);
  SendMessageW(second, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(Checks(), (std::array<LRESULT, 5>{0, 1, 0, 1, 1}));

  EnableWindow(second, TRUE);
  SendMessageW(first, BM_SETCHECK, BST_CHECKED, 0);
  ShowWindow(second, SW_HIDE);
  SendMessageW(second, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(Check(first), BST_UNCHECKED);
  EXPECT_EQ(Check(second), BST_CHECKED);
}

// A window of its own class, taken over by a button: it records what the button passes on.
class SubclassedButtonTest : public ButtonCheckTest {
 protected:
  static LRESULT CALLBACK Recorder(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    seen_.push_back(msg);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  void SetUp() override {
    ButtonCheckTest::SetUp();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Recorder;
    wc.lpszClassName = u"TalixButtonTestRecorder";
    ASSERT_NE(RegisterClassExW(&wc), 0);
    hwnd_ = CreateWindowExW(0, wc.lpszClassName, u"", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON,
                            30, 30, 5, 5, parent_, reinterpret_cast<HMENU>(77), nullptr, nullptr);
    ASSERT_TRUE(hwnd_);
    button_ = std::make_unique<CQuorCommonButtonCtrl>();
  }
  void TearDown() override {
    button_.reset();
    ButtonCheckTest::TearDown();
    UnregisterClassW(u"TalixButtonTestRecorder", nullptr);
  }
  bool Seen(UINT msg) const { return std::find(seen_.begin(), seen_.end(), msg) != seen_.end(); }

  HWND hwnd_ = nullptr;
  std::unique_ptr<CQuorCommonButtonCtrl> button_;  // made after the leak check's count
  static inline std::vector<UINT> seen_;
};

TEST_F(SubclassedButtonTest, TakesOverStylesSizeAndTheMessagesItHandles) {
  ASSERT_TRUE(button_->SubclassWindow(hwnd_, ECommonButtonSize(7)));
  EXPECT_EQ(GetWindowLongW(hwnd_, GWL_STYLE) & 0xF, 0) << "the type bits 0xB are cleared";
  EXPECT_TRUE(GetWindowLongW(hwnd_, GWL_STYLE) & WS_CLIPSIBLINGS);
  EXPECT_TRUE(GetWindowLongW(hwnd_, GWL_STYLE) & WS_CLIPCHILDREN);
  EXPECT_TRUE(GetWindowLongW(hwnd_, GWL_EXSTYLE) & WS_EX_NOPARENTNOTIFY);
  EXPECT_EQ(button_->GetCtrlID(), 77u);
  // Any size value but small, medium or large gives the medium pictures.
  const auto& medium = CQuorCommonButtonSkin::m_DefaultMediumSkinDef;
  EXPECT_EQ(CQuorCommonButtonSkinDef(*button_->GetSkin()).States[0].nBackgroundID,
            medium.States[0].nBackgroundID);
  RECT rect{};
  GetClientRect(hwnd_, &rect);
  EXPECT_EQ(rect.right, button_->GetSkin()->State(COMMON_BUTTON_FOCUSED).GetBackground()->GetWidth());

  seen_.clear();
  SetFocus(hwnd_);
  talix::host::KeyPress('A');
  talix::host::KeyPress(VK_SPACE);
  const POINT centre = Centre(hwnd_);
  talix::host::Click(centre.x, centre.y);
  Settle();
  EXPECT_TRUE(Seen(WM_KEYDOWN)) << "other keys reach the window's own procedure";
  EXPECT_EQ(std::count(seen_.begin(), seen_.end(), UINT(WM_KEYDOWN)), 1);
  for (UINT msg : {UINT(WM_LBUTTONDOWN), UINT(WM_LBUTTONUP), UINT(WM_SETFOCUS), UINT(WM_PAINT),
                   UINT(BM_SETSTATE), UINT(BM_SETCHECK)})
    EXPECT_FALSE(Seen(msg)) << "message " << msg;
  EXPECT_EQ(TakeNotifications().size(), 2u) << "space and click";
}

TEST_F(SubclassedButtonTest, TextChangeIsStoredAndKeepsTheSkinSize) {
  ASSERT_TRUE(button_->SubclassWindow(hwnd_, COMMON_BUTTON_LARGE));
  RECT before{};
  GetClientRect(hwnd_, &before);
  SetWindowTextW(hwnd_, u"Save");
  WCHAR text[16] = {};
  GetWindowTextW(hwnd_, text, 16);
  EXPECT_EQ(std::u16string(text), u"Save");
  RECT after{};
  GetClientRect(hwnd_, &after);
  EXPECT_EQ(after.right, before.right);
  EXPECT_TRUE(Seen(WM_SETTEXT));
}

}  // namespace
}  // namespace buttontest
