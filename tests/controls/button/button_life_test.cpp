// Frame animation on the virtual clock, tooltips, sizing, and creating and destroying
// buttons without leaks.
#include "button_fixture.h"

#include <win/commctrl.h>

namespace buttontest {
namespace {

using talix::host::AdvanceClock;
using talix::host::PumpMessagesUntilIdle;

using ButtonLifeTest = ButtonTest;

constexpr COLORREF kFrameA = RGB(255, 0, 255), kFrameB = RGB(0, 255, 255);

TEST_F(ButtonLifeTest, FramesAlternateOnTheirIntervalWhileTheirStateShows) {
  // Frames 110..112 with 111 missing; drawn at the top-left of the gap (6, 0).
  CQuorButtonSkinDef def = PiecesSkin();
  def.m_Normal.m_nImagePos = IMAGEPOS_LEFT;
  def.m_Normal.m_nFirstFrameID = IDP_FRAME_FIRST;
  def.m_Normal.m_nLastFrameID = IDP_FRAME_LAST;
  def.m_Normal.m_nFrameInterval = 50;
  CQuorButtonSkin skin;
  skin.SetSkinDef(def);
  skin.Load();
  ASSERT_EQ(skin.GetStateSkin(eButtonNormal).GetFrameCount(), 2u);
  {
    CQuorButtonCtrl button;
    HWND b = MakeButton(button, MakeHost(), &skin, RECT{10, 10, 110, 30}, 5);
    auto shown = [&] { return Capture(b).At(kLeftWidth + 1, 1) & 0xFFFFFF; };
    EXPECT_NEAR_RGB(shown(), Rgb(MiddleColor(1)));
    std::vector<COLORREF> expected = {kFrameA, kFrameB, kFrameA};
    // The first frame is asked for 1 ms after the drawing; timers run 10 ms apart at
    // the shortest (USER_TIMER_MINIMUM).
    const UINT steps[] = {USER_TIMER_MINIMUM, 50, 50};
    for (size_t i = 0; i < expected.size(); ++i) {
      SCOPED_TRACE(i);
      AdvanceClock(steps[i]);
      EXPECT_NEAR_RGB(shown(), Rgb(expected[i]));
    }
    // Hot has no frames: the animation stops with the state change.
    talix::host::MouseMove(50, 20);
    PumpMessagesUntilIdle();
    AdvanceClock(50);
    EXPECT_NEAR_RGB(shown(), Rgb(MiddleColor(1, 100)));
  }
  skin.Unload();
}

TEST_F(ButtonLifeTest, ToolTipRegistersTheButtonAndFollowsItsText) {
  CQuorButtonSkin skin;
  HWND tip = nullptr;
  {
    CQuorButtonCtrl button;
    HWND b = MakeButton(button, MakeHost(), &skin, RECT{10, 10, 110, 30}, 5);
    button.SetToolTipText(u"first");
    tip = button.GetToolTip();
    ASSERT_TRUE(tip);
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    button.SetToolTipText(u"second");
    EXPECT_EQ(button.GetToolTip(), tip);
    WCHAR text[32] = {};
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = GetParent(b);
    tool.uId = reinterpret_cast<UINT_PTR>(b);
    tool.lpszText = text;
    SendMessageW(tip, TTM_GETTEXTW, 32, reinterpret_cast<LPARAM>(&tool));
    EXPECT_EQ(std::u16string(text), u"second");
  }
  EXPECT_FALSE(IsWindow(tip));
}

TEST_F(ButtonLifeTest, MakingAndDestroyingButtonsLeavesNothingBehind) {
  CQuorButtonSkin skin;
  skin.SetSkinDef(PiecesSkin());
  skin.Load();
  HWND host = MakeHost();
  const size_t windows = talix::host::LiveWindowCount();
  const size_t gdi = talix::host::LiveHandles(talix::HandleKind::GdiObject);
  const size_t cached = CQuorResourceManager::GetCache().size();
  for (int i = 0; i < 100; ++i) {
    CQuorButtonCtrl button;
    HWND b = MakeButton(button, host, &skin, RECT{10, 10, 110, 30}, 5, BS_AUTORADIOBUTTON);
    SetWindowTextW(b, u"Go");
    button.SetToolTipText(u"tip");
    talix::host::MouseMove(50, 20);
    PumpMessagesUntilIdle();
    talix::host::MouseMove(200, 100);
    if (i % 2) DestroyWindow(b);  // the window first, or the object first
  }
  PumpMessagesUntilIdle();
  EXPECT_EQ(talix::host::LiveWindowCount(), windows);
  EXPECT_EQ(talix::host::LiveHandles(talix::HandleKind::GdiObject), gdi);
  EXPECT_EQ(CQuorResourceManager::GetCache().size(), cached);
  skin.Unload();
}

TEST_F(ButtonLifeTest, SubclassingTakesOverANativeButton) {
  CQuorButtonSkin skin;
  HWND host = MakeHost();
  HWND native = CreateWindowExW(WS_EX_NOPARENTNOTIFY, u"Button", u"Go",
                                WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, 10, 10, 100, 20, host,
                                reinterpret_cast<HMENU>(9), nullptr, nullptr);
  ASSERT_TRUE(native);
  CQuorButtonCtrl button;
  button.SetSkin(&skin);
  ASSERT_TRUE(button.SubclassWindow(native));
  const DWORD style = DWORD(GetWindowLongW(native, GWL_STYLE));
  EXPECT_EQ(style & BS_TYPEMASK, DWORD(BS_OWNERDRAW));
  EXPECT_EQ(style & (WS_CLIPSIBLINGS | WS_CLIPCHILDREN), DWORD(WS_CLIPSIBLINGS | WS_CLIPCHILDREN));
  EXPECT_EQ(GetWindowLongW(native, GWL_EXSTYLE) & WS_EX_NOPARENTNOTIFY, 0);
  EXPECT_EQ(button.GetKind(), BUTTONKIND_CHECK);
  // A window carries one skinned object.
  CQuorButtonCtrl2 second;
  EXPECT_FALSE(second.SubclassWindow(native));
  EXPECT_FALSE(second.SubclassWindow(nullptr));
}

TEST_F(ButtonLifeTest, SizingFromThePictures) {
  CQuorButtonSkin skin;
  skin.SetSkinDef(PiecesSkin());
  skin.Load();
  HWND host = MakeHost();
  auto rectOf = [&](HWND b) {
    RECT r{};
    GetWindowRect(b, &r);
    MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&r), 2);
    return std::vector<LONG>{r.left, r.top, r.right, r.bottom};
  };
  {
    CQuorButtonCtrl button;
    HWND b = MakeButton(button, host, &skin, RECT{10, 10, 110, 50}, 5);
    button.SizeToContent();
    EXPECT_EQ(rectOf(b), (std::vector<LONG>{10, 10, 110, 10 + kPieceHeight}));
  }
  {
    CQuorButtonCtrl2 button;
    HWND b = MakeButton(button, host, &skin, RECT{50, 10, 150, 50}, 6);
    // Caption-less: the left piece's width plus its height.
    EXPECT_EQ(button.GetMinWidth(), kLeftWidth + kPieceHeight);
    EXPECT_EQ(button.GetMinHeight(), kPieceHeight);
    button.SizeToContent(QUOR_SIZE_HEIGHT | QUOR_SIZE_WIDTH | QUOR_SIZE_KEEP_RIGHT, -1);
    EXPECT_EQ(rectOf(b), (std::vector<LONG>{150 - 26, 10, 150, 10 + kPieceHeight}));
    SetWindowTextW(b, u"A longer caption");
    const int wide = button.GetMinWidth();
    EXPECT_GT(wide, 26 + 40);
    button.SizeToContent(QUOR_SIZE_WIDTH | QUOR_SIZE_KEEP_RIGHT, 60);
    EXPECT_EQ(rectOf(b), (std::vector<LONG>{150 - 60, 10, 150, 10 + kPieceHeight}));
  }
  skin.Unload();
}

}  // namespace
}  // namespace buttontest
