// The push button driven by injected input: hot picture, clicks, Space and Return, check
// boxes and auto radio groups.
#include "button_fixture.h"

namespace buttontest {
namespace {

using talix::host::MouseDown;
using talix::host::MouseMove;
using talix::host::MouseUp;
using talix::host::PumpMessagesUntilIdle;

class ButtonInputTest : public ButtonTest {
 protected:
  void SetUp() override {
    ButtonTest::SetUp();
    skin_.SetSkinDef(PiecesSkin());
    skin_.Load();
    ASSERT_TRUE(skin_.IsValid());
    host_ = MakeHost();
  }
  void TearDown() override {
    for (auto& b : buttons_) b.reset();
    skin_.Unload();
    ButtonTest::TearDown();
  }
  // A button of the pieces skin at `rc` of the host (the host is at the screen origin).
  HWND Add(RECT rc, UINT id, DWORD style = 0) {
    buttons_.push_back(std::make_unique<CQuorButtonCtrl>());
    HWND hwnd = MakeButton(*buttons_.back(), host_, &skin_, rc, id, style);
    // Last in the tab and group order, as a dialog's controls are in template order.
    SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return hwnd;
  }
  // The red of the middle tile the button shows: tells the drawn state. Read one column
  // in, clear of the focus rectangle's edge.
  int ShownRed(HWND hwnd) {
    const auto image = Capture(hwnd);
    return int((image.At(kLeftWidth + 1, 10) >> 16) & 0xFF);
  }
  static void Move(int x, int y) {
    MouseMove(x, y);
    PumpMessagesUntilIdle();
  }
  static void Release() {
    MouseUp();
    PumpMessagesUntilIdle();
  }
  static void Press() {
    MouseDown();
    PumpMessagesUntilIdle();
  }
  static LRESULT Checked(HWND hwnd) { return SendMessageW(hwnd, BM_GETCHECK, 0, 0); }

  CQuorButtonSkin skin_;
  HWND host_ = nullptr;
  std::vector<std::unique_ptr<CQuorButtonCtrl>> buttons_;
};

// Middle reds of the test skin's states.
constexpr int kNormalRed = 0, kHotRed = 100, kPressedRed = 50, kDisabledRed = 150;

bool NearRed(int shown, int red) { return shown >= red - 2 && shown <= red + 2; }

TEST_F(ButtonInputTest, HoverShowsTheHotPictureUntilTheMouseLeaves) {
  HWND b = Add({10, 10, 110, 30}, 7);
  EXPECT_PRED2(NearRed, ShownRed(b), kNormalRed);
  Move(50, 20);
  EXPECT_PRED2(NearRed, ShownRed(b), kHotRed);
  Move(200, 100);
  EXPECT_PRED2(NearRed, ShownRed(b), kNormalRed);
  EnableWindow(b, FALSE);
  Move(50, 20);
  EXPECT_PRED2(NearRed, ShownRed(b), kDisabledRed);
}

TEST_F(ButtonInputTest, PressAndReleaseInsideClicks) {
  HWND b = Add({10, 10, 110, 30}, 7);
  Move(50, 20);
  Press();
  EXPECT_PRED2(NearRed, ShownRed(b), kPressedRed);
  EXPECT_TRUE(log.clicks.empty());
  Release();
  EXPECT_EQ(log.clicks, std::vector<WPARAM>{7});
  EXPECT_EQ(log.focus, std::vector<WPARAM>{7});
}

TEST_F(ButtonInputTest, ReleaseOutsideDoesNotClickAndShowsTheButtonUp) {
  HWND b = Add({10, 10, 110, 30}, 7);
  Move(50, 20);
  Press();
  Move(200, 100);
  EXPECT_PRED2(NearRed, ShownRed(b), kNormalRed);
  Move(60, 20);  // back over it while held: pressed again
  EXPECT_PRED2(NearRed, ShownRed(b), kPressedRed);
  Move(200, 100);
  Release();
  EXPECT_TRUE(log.clicks.empty());
}

TEST_F(ButtonInputTest, SpaceAndReturnClick) {
  HWND b = Add({10, 10, 110, 30}, 7, WS_TABSTOP);
  SetFocus(b);
  PumpMessagesUntilIdle();
  talix::host::KeyPress(VK_SPACE);
  PumpMessagesUntilIdle();
  EXPECT_EQ(log.clicks, std::vector<WPARAM>{7});
  talix::host::KeyPress(VK_RETURN);
  PumpMessagesUntilIdle();
  EXPECT_EQ(log.clicks, (std::vector<WPARAM>{7, 7}));
}

TEST_F(ButtonInputTest, AutoCheckBoxTogglesOnClicksInsideOnly) {
  HWND b = Add({10, 10, 110, 30}, 7, BS_AUTOCHECKBOX);
  EXPECT_EQ(GetWindowLongW(b, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  Move(50, 20);
  Press();
  Release();
  EXPECT_EQ(Checked(b), BST_CHECKED);
  Move(200, 100);
  EXPECT_PRED2(NearRed, ShownRed(b), kPressedRed);  // checked shows pressed
  Move(50, 20);
  Press();
  Move(200, 100);
  Release();
  EXPECT_EQ(Checked(b), BST_CHECKED);
  SetFocus(b);
  talix::host::KeyPress(VK_SPACE);
  PumpMessagesUntilIdle();
  EXPECT_EQ(Checked(b), BST_UNCHECKED);
}

TEST_F(ButtonInputTest, OnlyAutomaticKindsKeepTheCheck) {
  struct Case {
    DWORD type;
    LRESULT checked;
  } cases[] = {{BS_PUSHBUTTON, BST_UNCHECKED},   {BS_RADIOBUTTON, BST_UNCHECKED},
               {BS_CHECKBOX, BST_UNCHECKED},     {BS_AUTO3STATE, BST_UNCHECKED},
               {BS_OWNERDRAW, BST_UNCHECKED},    {BS_AUTOCHECKBOX, BST_CHECKED},
               {BS_AUTORADIOBUTTON, BST_CHECKED}};
  int x = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    HWND b = Add({x, 40, x + 40, 60}, 20 + c.type, c.type);
    x += 45;
    SendMessageW(b, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(Checked(b), c.checked);
    // Every type turns owner-drawn, types 4-7 included.
    EXPECT_EQ(GetWindowLongW(b, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  }
}

TEST_F(ButtonInputTest, AutoRadioGroupsStayExclusive) {
  // Group A: r1..r3; group B: r4 alone.
  HWND r1 = Add({10, 10, 60, 30}, 1, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP);
  HWND r2 = Add({70, 10, 120, 30}, 2, BS_AUTORADIOBUTTON);
  HWND r3 = Add({130, 10, 180, 30}, 3, BS_AUTORADIOBUTTON);
  HWND r4 = Add({190, 10, 240, 30}, 4, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP);
  SendMessageW(r4, BM_SETCHECK, BST_CHECKED, 0);
  talix::host::Click(30, 20);
  PumpMessagesUntilIdle();
  EXPECT_EQ(Checked(r1), BST_CHECKED);
  talix::host::Click(90, 20);
  PumpMessagesUntilIdle();
  EXPECT_EQ((std::vector<LRESULT>{Checked(r1), Checked(r2), Checked(r3), Checked(r4)}),
            (std::vector<LRESULT>{BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED, BST_CHECKED}));
  // Clicking the checked one keeps it checked.
  talix::host::Click(90, 20);
  PumpMessagesUntilIdle();
  EXPECT_EQ(Checked(r2), BST_CHECKED);
}

TEST_F(ButtonInputTest, CheckingADisabledRadioEndsItsGroupWalk) {
  // The group walk skips disabled members, so it never comes back to a disabled start.
  HWND r1 = Add({10, 10, 60, 30}, 1, BS_AUTORADIOBUTTON | WS_GROUP);
  HWND r2 = Add({70, 10, 120, 30}, 2, BS_AUTORADIOBUTTON);
  HWND r3 = Add({130, 10, 180, 30}, 3, BS_AUTORADIOBUTTON);
  SendMessageW(r2, BM_SETCHECK, BST_CHECKED, 0);
  PumpMessagesUntilIdle();
  EnableWindow(r1, FALSE);
  SendMessageW(r1, BM_SETCHECK, BST_CHECKED, 0);
  MSG msg;
  int posted = 0;
  while (PeekMessageW(&msg, nullptr, UWM_RADIOINFO, UWM_RADIOINFO, PM_REMOVE)) {
    ++posted;
    DispatchMessageW(&msg);
  }
  EXPECT_EQ(posted, 2);
  EXPECT_EQ((std::vector<LRESULT>{Checked(r1), Checked(r2), Checked(r3)}),
            (std::vector<LRESULT>{BST_CHECKED, BST_UNCHECKED, BST_UNCHECKED}));
}

TEST_F(ButtonInputTest, FocusRectangleOnlyOnFocusReactiveButtons) {
  // The focus rectangle's left edge runs down the first column of the middle.
  auto edgeDrawn = [&](HWND b) {
    SetFocus(b);
    const auto image = Capture(b);
    for (int y = 2; y < kPieceHeight - 2; ++y)
      if (!Near(image.At(kLeftWidth, y) & 0xFFFFFF, Rgb(MiddleColor(0)))) return true;
    return false;
  };
  HWND reactive = Add({10, 10, 110, 30}, 1);
  EXPECT_TRUE(edgeDrawn(reactive));
  buttons_.back()->SetFocusReactive(false);
  EXPECT_FALSE(edgeDrawn(reactive));
  CQuorButtonCtrl2 plain;
  HWND b2 = MakeButton(plain, host_, &skin_, RECT{10, 40, 110, 60}, 2);
  EXPECT_FALSE(edgeDrawn(b2));
}

TEST_F(ButtonInputTest, DoubleClickActsAsASecondPress) {
  HWND b = Add({10, 10, 110, 30}, 7, BS_AUTOCHECKBOX);
  const LPARAM at = MAKELPARAM(40, 10);
  Move(50, 20);
  SendMessageW(b, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(b, WM_LBUTTONUP, 0, at);
  SendMessageW(b, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageW(b, WM_LBUTTONUP, 0, at);
  PumpMessagesUntilIdle();
  EXPECT_EQ(Checked(b), BST_UNCHECKED);
  EXPECT_EQ(log.clicks, (std::vector<WPARAM>{7, 7}));
}

}  // namespace
}  // namespace buttontest
