// The skinned static control in a skinned host: the skin's picture over the host's
// background, text without a skin (colours, alignment, wrapping), the style and colour
// setters, the control's messages, right-to-left layout and create/destroy cycles.
#include "static_test_support.h"

#include <new>

namespace statictest {
namespace {

using StaticCtrlTest = StaticTest;

constexpr RECT kPlace{20, 30, 80, 60};  // 60 x 30 in the host

// The control's rectangle as it shows on screen: a mirrored host places it from the right.
RECT OnScreen(RECT place, bool rtl) {
  if (!rtl) return place;
  return RECT{kHostWidth - place.right, place.top, kHostWidth - place.left, place.bottom};
}

TEST_F(StaticCtrlTest, PictureAtNaturalSizeShowsTheHostAroundIt) {
  for (bool rtl : {false, true}) {
    SCOPED_TRACE(rtl ? "right-to-left" : "left-to-right");
    MakeHost(rtl);
    CQuorStaticBitmapSkin skin;  // loads after the layout is set: flipped in RTL
    skin.SetSkinDef({IDP_HALVES, FALSE});
    skin.Load();
    MakeStatic(kPlace, 0, u"never drawn", &skin);
    const auto image = CaptureHost();
    const RECT r = OnScreen(kPlace, rtl);
    // Skins draw unflipped in both layouts; in right-to-left the picture itself was
    // mirrored when it loaded.
    const uint32_t first = rtl ? kHalfRight : kHalfLeft;
    const uint32_t second = rtl ? kHalfLeft : kHalfRight;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        uint32_t expected = HostColorAt(x);
        if (y < r.top + 2 && x < r.left + 4) expected = x < r.left + 2 ? first : second;
        ASSERT_EQ(Rgb(image.At(x, y)), expected) << x << "," << y;
      }
    DestroyWindow(host_);
    host_ = nullptr;
  }
}

TEST_F(StaticCtrlTest, ValidSkinHidesTheText) {
  MakeHost();
  CQuorStaticGradientSkin skin;
  skin.SetSkinDef({RGB(9, 99, 199), RGB(9, 99, 199)});
  skin.Load();
  CQuorStaticCtrl* control = MakeStatic(kPlace, SS_CENTER, u"Hidden text", &skin);
  SendMessageW(control->m_hWnd, WM_SETFONT, WPARAM(TestFont()), FALSE);
  const auto image = CaptureHost();
  for (int y = kPlace.top; y < kPlace.bottom; ++y)
    for (int x = kPlace.left; x < kPlace.right; ++x)
      ASSERT_EQ(Rgb(image.At(x, y)), 0x0963C7u) << x << "," << y;
}

TEST_F(StaticCtrlTest, ChromeWithAMissingPieceFallsBackToText) {
  MakeHost();
  CQuorStaticChromeSkinDef def{};
  for (int i = 0; i < QSC_PIECES; ++i) def.nPieceID[i] = kPieceIds[i];
  def.nPieceID[QSC_CENTER] = 999;
  CQuorStaticChromeSkin skin;
  skin.SetSkinDef(def);
  skin.Load();
  CQuorStaticCtrl* control = MakeStatic(kPlace, SS_CENTER, u"Text", &skin);
  SendMessageW(control->m_hWnd, WM_SETFONT, WPARAM(TestFont()), FALSE);
  const auto image = CaptureHost();
  EXPECT_FALSE(InkIn(image, kPlace).Empty());
  for (int piece = 0; piece < QSC_PIECES; ++piece)
    EXPECT_NE(Rgb(image.At(kPlace.left, kPlace.top)), kPieceColors[piece]);
}

// Counts the pixels of `rect` that are exactly `color`.
int CountColor(const talix::host::CapturedImage& image, RECT rect, uint32_t color) {
  int count = 0;
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x) count += Rgb(image.At(x, y)) == color;
  return count;
}

TEST_F(StaticCtrlTest, TextColourFollowsTheSetColourAndTheEnabledState) {
  struct Case {
    const char* name;
    bool setColour;
    COLORREF colour;
    bool enabled;
    uint32_t expected;
  };
  const Case cases[] = {
      {"set colour", true, RGB(20, 230, 40), true, 0x14E628},
      {"no colour set", false, 0, true, 0xCDCDCD},
      {"black means default", true, RGB(0, 0, 0), true, 0xCDCDCD},
      {"disabled", true, RGB(20, 230, 40), false, 0xCECECE},
  };
  MakeHost();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CQuorStaticCtrl* control = MakeStatic(kPlace, SS_CENTER, u"IIII", nullptr);
    SendMessageW(control->m_hWnd, WM_SETFONT, WPARAM(TestFont()), FALSE);
    if (c.setColour) control->SetTextColor(c.colour);
    EnableWindow(control->m_hWnd, c.enabled);
    const auto image = CaptureHost();
    EXPECT_GT(CountColor(image, kPlace, c.expected), 10);
    for (uint32_t other : {0x14E628u, 0xCDCDCDu, 0xCECECEu})
      if (other != c.expected) EXPECT_EQ(CountColor(image, kPlace, other), 0) << std::hex << other;
    // Around the text the host shows through.
    EXPECT_EQ(Rgb(image.At(kPlace.left, kPlace.top)), HostColorAt(kPlace.left));
    DestroyWindow(control->m_hWnd);
  }
}

TEST_F(StaticCtrlTest, AlignmentStylesPlaceTheText) {
  struct Case {
    const char* name;
    DWORD style;
    int expectedCentre;  // horizontal centre of the ink, host columns; -1 = at an edge
  };
  constexpr RECT kWide{10, 20, 190, 70};
  const Case cases[] = {
      {"left", SS_LEFT, -1}, {"centre", SS_CENTER, 100}, {"right", SS_RIGHT, -1},
      {"left, no wrap", SS_LEFTNOWORDWRAP, -1},
  };
  MakeHost();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CQuorStaticCtrl* control = MakeStatic(kWide, c.style, u"Ab", nullptr);
    SendMessageW(control->m_hWnd, WM_SETFONT, WPARAM(TestFont()), FALSE);
    const Ink ink = InkIn(CaptureHost(), kWide);
    ASSERT_FALSE(ink.Empty());
    if (c.style == SS_RIGHT)
      EXPECT_LE(kWide.right - ink.right, 3);
    else if (c.style == SS_CENTER)
      EXPECT_NEAR((ink.left + ink.right) / 2.0, c.expectedCentre, 2.0);
    else
      EXPECT_LE(ink.left - kWide.left, 3);
    // Only single-line text is centred vertically; wrapping text starts at the top.
    if (c.style == SS_LEFTNOWORDWRAP)
      EXPECT_NEAR((ink.top + ink.bottom) / 2.0, (kWide.top + kWide.bottom) / 2.0, 4.0);
    else
      EXPECT_LE(ink.top - kWide.top, 8);
    DestroyWindow(control->m_hWnd);
  }
}

TEST_F(StaticCtrlTest, WordWrapUnlessNoWrapStyle) {
  constexpr RECT kNarrow{10, 10, 70, 110};
  MakeHost();
  int heights[2];
  const DWORD styles[2] = {SS_LEFT, SS_LEFTNOWORDWRAP};
  for (int i = 0; i < 2; ++i) {
    CQuorStaticCtrl* control = MakeStatic(kNarrow, styles[i], u"one two three", nullptr);
    SendMessageW(control->m_hWnd, WM_SETFONT, WPARAM(TestFont()), FALSE);
    const Ink ink = InkIn(CaptureHost(), kNarrow);
    ASSERT_FALSE(ink.Empty());
    heights[i] = ink.bottom - ink.top;
    DestroyWindow(control->m_hWnd);
  }
  EXPECT_GT(heights[0], 2 * heights[1]) << "wrapped text spans several lines";
}

TEST_F(StaticCtrlTest, TextFormatFollowsTheStyleBits) {
  const std::pair<DWORD, UINT> cases[] = {
      {SS_LEFT, 0x14},           {SS_CENTER, 0x15},           {SS_RIGHT, 0x16},
      {SS_ICON, 0x16},           {SS_LEFTNOWORDWRAP, 0x24},   {SS_SIMPLE, 0x16},
      {SS_GRAYFRAME, 0x24},      {SS_NOPREFIX, 0x814},        {SS_NOPREFIX | SS_CENTER, 0x815},
      {SS_BLACKRECT, 0x14},
  };
  for (auto [style, format] : cases)
    EXPECT_EQ(CQuorStaticCtrl::TextFormatForStyle(style), format) << std::hex << style;
}

TEST_F(StaticCtrlTest, SetTextAlignmentReplacesTheLowTwoBits) {
  const struct {
    DWORD before, value, after;
  } cases[] = {
      {SS_RIGHT, SS_CENTER, SS_CENTER},
      {SS_CENTER, SS_RIGHT, SS_RIGHT},
      {SS_LEFTNOWORDWRAP, SS_CENTER, SS_LEFTNOWORDWRAP | SS_CENTER},
      {SS_RIGHT | SS_NOPREFIX, SS_LEFT, SS_NOPREFIX},
  };
  MakeHost();
  for (const auto& c : cases) {
    CQuorStaticCtrl* control = MakeStatic(kPlace, c.before, nullptr, nullptr);
    control->SetTextAlignment(c.value);
    const DWORD style = DWORD(GetWindowLongW(control->m_hWnd, GWL_STYLE));
    EXPECT_EQ(style & 0xFFFF, c.after) << std::hex << c.before << " + " << c.value;
    EXPECT_TRUE(style & WS_CHILD);
    DestroyWindow(control->m_hWnd);
  }
}

TEST_F(StaticCtrlTest, DestroyedControlTakesItsTextColourAlong) {
  alignas(CQuorStaticCtrl) unsigned char storage[sizeof(CQuorStaticCtrl)];
  auto* first = new (storage) CQuorStaticCtrl;
  first->SetTextColor(RGB(1, 2, 3));
  EXPECT_EQ(first->GetTextColor(), RGB(1, 2, 3));
  first->~CQuorStaticCtrl();
  auto* second = new (storage) CQuorStaticCtrl;  // same address
  EXPECT_EQ(second->GetTextColor(), CQuorStaticCtrl::kDefaultTextColor);
  second->~CQuorStaticCtrl();
}

TEST_F(StaticCtrlTest, ColourRequestsGetTransparentTextAndOneHollowBrush) {
  MakeHost();
  CQuorStaticCtrl* control = MakeStatic(kPlace, 0, nullptr, nullptr);
  control->SetTextColor(RGB(5, 6, 7));
  HDC dc = CreateCompatibleDC(nullptr);
  SetBkMode(dc, OPAQUE);
  const LRESULT brush = SendMessageW(control->m_hWnd, WM_CTLCOLORSTATIC, WPARAM(dc), 0);
  ASSERT_NE(brush, 0);
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  EXPECT_EQ(GetTextColor(dc), RGB(5, 6, 7));
  LOGBRUSH lb{};
  ASSERT_EQ(GetObjectW(HGDIOBJ(brush), sizeof(lb), &lb), int(sizeof(lb)));
  EXPECT_EQ(lb.lbStyle, UINT(BS_HOLLOW));
  EXPECT_EQ(SendMessageW(control->m_hWnd, OCM_CTLCOLORSTATIC, WPARAM(dc), 0), brush);
  DeleteDC(dc);
  // The brush goes with the window (the fixture counts GDI objects).
}

TEST_F(StaticCtrlTest, EraseAsksTheParentForItsBackground) {
  MakeHost();
  CQuorStaticCtrl* control = MakeStatic(kPlace, 0, u"text", nullptr);
  CaptureHost();  // the host's buffer exists from here on
  Surface surface(60, 30, 0x000000);
  EXPECT_EQ(SendMessageW(control->m_hWnd, WM_ERASEBKGND, WPARAM(surface.dc()), 0), 1);
  for (int x : {0, 31, 59})
    for (int y : {0, 29}) EXPECT_EQ(surface.At(x, y), HostColorAt(kPlace.left + x)) << x;
}

TEST_F(StaticCtrlTest, BackBufferIsDroppedOnInvalidationAndResize) {
  MakeHost();
  CQuorStaticGradientSkin skin;
  skin.SetSkinDef({RGB(0, 0, 0), RGB(60, 0, 0)});
  skin.Load();
  CQuorStaticCtrl* control = MakeStatic(kPlace, 0, nullptr, &skin);
  HWND hwnd = control->m_hWnd;
  CaptureHost();
  ASSERT_NE(control->GetBackBuffer(), nullptr);
  SendMessageW(hwnd, UWM_INVALIDATEBACKBUFFER, 0, 0);
  EXPECT_EQ(control->GetBackBuffer(), nullptr);
  EXPECT_TRUE(GetUpdateRect(hwnd, nullptr, FALSE)) << "the control asks to be painted again";
  CaptureHost();
  ASSERT_NE(control->GetBackBuffer(), nullptr);
  SetWindowPos(hwnd, nullptr, 0, 0, 120, 30, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(control->GetBackBuffer(), nullptr);
  // Rebuilt at the new width: the gradient now steps half as fast.
  const auto image = CaptureHost();
  EXPECT_EQ(Rgb(image.At(kPlace.left + 119, kPlace.top)), uint32_t(59) << 16 | 0);
}

TEST_F(StaticCtrlTest, SubclassedStaticPaintsItsSkin) {
  MakeHost();
  HWND plain = CreateWindowExW(0, u"Static", u"plain", WS_CHILD | WS_VISIBLE, kPlace.left,
                               kPlace.top, 60, 30, host_, nullptr, nullptr, nullptr);
  ASSERT_TRUE(plain);
  CQuorStaticGradientSkin skin;
  skin.SetSkinDef({RGB(1, 2, 3), RGB(1, 2, 3)});
  skin.Load();
  CQuorStaticCtrl control;
  control.SetSkin(&skin);
  ASSERT_TRUE(control.SubclassWindow(plain));
  InvalidateRect(plain, nullptr, TRUE);
  const auto image = CaptureHost();
  EXPECT_EQ(Rgb(image.At(kPlace.left + 30, kPlace.top + 15)), 0x010203u);
  DestroyWindow(plain);
}

TEST_F(StaticCtrlTest, RightToLeftTextStartsAtTheRight) {
  MakeHost(true);
  constexpr RECT kWide{10, 20, 190, 70};
  CQuorStaticCtrl* control = MakeStatic(kWide, SS_LEFT, u"Ab", nullptr);
  SendMessageW(control->m_hWnd, WM_SETFONT, WPARAM(TestFont()), FALSE);
  const Ink ink = InkIn(CaptureHost(), OnScreen(kWide, true));
  ASSERT_FALSE(ink.Empty());
  EXPECT_LE(OnScreen(kWide, true).right - ink.right, 3);
}

TEST_F(StaticCtrlTest, HundredControlsComeAndGoWithoutLeaks) {
  MakeHost();
  CaptureHost();
  const size_t windows = talix::host::LiveWindowCount();
  const size_t gdi = talix::host::LiveHandles(talix::HandleKind::GdiObject);
  const size_t icons = talix::host::LiveHandles(talix::HandleKind::Icon);
  for (int i = 0; i < 100; ++i) {
    CQuorStaticBitmapSkin bitmap;
    bitmap.SetSkinDef({IDP_HALVES, TRUE});
    CQuorStaticIconSkin icon;
    icon.SetSkinDef({nullptr, IDI_APPLICATION});
    CQuorBaseSkin* skins[] = {&bitmap, &icon, nullptr};
    CQuorBaseSkin* skin = skins[i % 3];
    if (skin) skin->Load();
    CQuorStaticCtrl control;
    control.SetSkin(skin);
    RECT rect = kPlace;
    ASSERT_TRUE(control.Create(host_, rect, 7, WS_CHILD | WS_VISIBLE, 0));
    SetWindowTextW(control.m_hWnd, u"text");
    HDC dc = GetDC(control.m_hWnd);
    SendMessageW(control.m_hWnd, WM_CTLCOLORSTATIC, WPARAM(dc), 0);  // makes the brush
    ReleaseDC(control.m_hWnd, dc);
    talix::host::PumpMessagesUntilIdle();
    // Half the windows die under their objects, half are handed back and destroyed after.
    if (i % 2)
      DestroyWindow(control.m_hWnd);
    else
      ASSERT_TRUE(DestroyWindow(control.UnsubclassWindow()));
  }
  talix::host::PumpMessagesUntilIdle();
  EXPECT_EQ(talix::host::LiveWindowCount(), windows);
  EXPECT_EQ(talix::host::LiveHandles(talix::HandleKind::GdiObject), gdi);
  EXPECT_EQ(talix::host::LiveHandles(talix::HandleKind::Icon), icons);
}

}  // namespace
}  // namespace statictest
