// The paint cycle: which windows get WM_PAINT, in which order, with which messages from
// BeginPaint, and what BeginPaint reports.
#include "paint_fixture.h"

namespace talix::testing {
namespace {

using Msgs = std::vector<UINT>;

TEST_F(PaintTest, ShowingPaintsParentBeforeChildWithFrameThenBackground) {
  HWND top = Make(WS_POPUP | WS_BORDER, 10, 10, 100, 80);
  HWND child = Make(WS_CHILD | WS_VISIBLE, 5, 5, 20, 20, top);
  ShowWindow(top, SW_SHOWNA);
  EXPECT_TRUE(events.empty()) << "showing paints later, from the queue";
  host::PumpMessagesUntilIdle();
  std::vector<PaintEvent> expected = {{top, WM_PAINT},   {top, WM_NCPAINT},
                                      {top, WM_ERASEBKGND}, {child, WM_PAINT},
                                      {child, WM_ERASEBKGND}};
  EXPECT_EQ(events, expected);
  events.clear();
  EXPECT_EQ(host::PumpMessagesUntilIdle(), 0u) << "painting validated both windows";
  EXPECT_TRUE(events.empty());
}

TEST_F(PaintTest, BeginPaintReportsTheUpdateBoxAndWhetherTheBackgroundIsStillToErase) {
  struct Case {
    const char* name;
    BOOL erase;
    bool eraseOwn;
    LRESULT eraseResult;
    Msgs expected;
    BOOL fErase;
  } cases[] = {
      {"no erase asked", FALSE, false, 0, {WM_PAINT}, FALSE},
      {"erased by the class brush", TRUE, false, 0, {WM_PAINT, WM_ERASEBKGND}, FALSE},
      {"WM_ERASEBKGND returns 0", TRUE, true, 0, {WM_PAINT, WM_ERASEBKGND}, TRUE},
      {"WM_ERASEBKGND returns 1", TRUE, true, 1, {WM_PAINT, WM_ERASEBKGND}, FALSE},
  };
  HWND hwnd = Filled(RGB(1, 2, 3), 0, 0, 100, 100);
  host::PumpMessagesUntilIdle();
  for (const Case& c : cases) {
    events.clear();
    scripts[hwnd].eraseOwn = c.eraseOwn;
    scripts[hwnd].eraseResult = c.eraseResult;
    RECT a{10, 10, 20, 20}, b{50, 30, 60, 70};
    InvalidateRect(hwnd, &a, FALSE);
    InvalidateRect(hwnd, &b, c.erase);
    EXPECT_TRUE(UpdateWindow(hwnd));
    EXPECT_EQ(MessagesOf(hwnd), c.expected) << c.name;
    const PAINTSTRUCT& ps = scripts[hwnd].last;
    EXPECT_EQ(ps.fErase, c.fErase) << c.name;
    EXPECT_EQ(ps.rcPaint.left, 10) << c.name;
    EXPECT_EQ(ps.rcPaint.top, 10) << c.name;
    EXPECT_EQ(ps.rcPaint.right, 60) << c.name;
    EXPECT_EQ(ps.rcPaint.bottom, 70) << c.name;
  }
}

TEST_F(PaintTest, UpdateRegionAccumulatesAndValidates) {
  HWND hwnd = Filled(RGB(1, 2, 3), 0, 0, 100, 100);
  host::PumpMessagesUntilIdle();
  RECT box;
  EXPECT_FALSE(GetUpdateRect(hwnd, &box, FALSE));
  EXPECT_EQ(box.right - box.left, 0);
  RECT a{0, 0, 40, 40}, b{20, 20, 60, 60}, cut{0, 0, 60, 30};
  InvalidateRect(hwnd, &a, FALSE);
  InvalidateRect(hwnd, &b, FALSE);
  ValidateRect(hwnd, &cut);
  HRGN update = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetUpdateRgn(hwnd, update, FALSE), COMPLEXREGION);
  HRGN expected = CreateRectRgn(0, 30, 40, 40);
  HRGN part = CreateRectRgn(20, 40, 60, 60);
  CombineRgn(expected, expected, part, RGN_OR);
  HRGN partB = CreateRectRgn(40, 30, 60, 40);
  CombineRgn(expected, expected, partB, RGN_OR);
  EXPECT_TRUE(EqualRgn(update, expected));
  EXPECT_TRUE(GetUpdateRect(hwnd, &box, FALSE));
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.top, 30);
  EXPECT_EQ(box.right, 60);
  EXPECT_EQ(box.bottom, 60);
  RECT outside{200, 200, 300, 300};
  InvalidateRect(hwnd, &outside, FALSE);  // clipped to the client area: nothing added
  EXPECT_EQ(GetUpdateRgn(hwnd, update, FALSE), COMPLEXREGION);
  EXPECT_TRUE(EqualRgn(update, expected));
  ValidateRgn(hwnd, nullptr);
  EXPECT_EQ(GetUpdateRgn(hwnd, update, FALSE), NULLREGION);
  EXPECT_EQ(host::PumpMessagesUntilIdle(), 0u);
  for (HRGN r : {update, expected, part, partB}) DeleteObject(r);
}

TEST_F(PaintTest, WmPaintComesOnlyWhileSomethingIsDue) {
  HWND shown = Filled(RGB(1, 2, 3), 0, 0, 50, 50);
  HWND hidden = Make(WS_POPUP, 0, 0, 50, 50);
  host::PumpMessagesUntilIdle();
  events.clear();
  InvalidateRect(hidden, nullptr, TRUE);
  EXPECT_FALSE(GetUpdateRect(hidden, nullptr, FALSE)) << "a hidden window has nothing to paint";
  EXPECT_TRUE(UpdateWindow(shown));  // nothing due: no message
  EXPECT_TRUE(RedrawWindow(shown, nullptr, nullptr, RDW_INTERNALPAINT));
  EXPECT_EQ(host::PumpMessagesUntilIdle(), 1u);
  EXPECT_EQ(MessagesOf(shown), Msgs{WM_PAINT});
  EXPECT_EQ(scripts[shown].last.rcPaint.right, 0) << "an internal paint has no update area";
  EXPECT_TRUE(MessagesOf(hidden).empty());
  EXPECT_FALSE(UpdateWindow(reinterpret_cast<HWND>(0x1234)));
}

TEST_F(PaintTest, RedrawWindowFlagsChooseTheChildrenAndTheImmediateMessages) {
  struct Case {
    const char* name;
    DWORD parentStyle;
    UINT flags;
    bool childInvalid;
    Msgs parentNow;  // messages RedrawWindow sent before returning
  } cases[] = {
      {"default, no WS_CLIPCHILDREN", 0, RDW_INVALIDATE, true, {}},
      {"default, WS_CLIPCHILDREN", WS_CLIPCHILDREN, RDW_INVALIDATE, false, {}},
      {"RDW_ALLCHILDREN", WS_CLIPCHILDREN, RDW_INVALIDATE | RDW_ALLCHILDREN, true, {}},
      {"RDW_NOCHILDREN", 0, RDW_INVALIDATE | RDW_NOCHILDREN, false, {}},
      {"RDW_ERASENOW", 0, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ERASENOW, true,
       {WM_NCPAINT, WM_ERASEBKGND}},
      {"RDW_UPDATENOW", 0, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW, false,
       {WM_PAINT, WM_ERASEBKGND}},
  };
  for (const Case& c : cases) {
    HWND parent = Filled(RGB(9, 9, 9), 0, 0, 100, 100, nullptr, WS_BORDER | c.parentStyle);
    HWND child = Filled(RGB(8, 8, 8), 10, 10, 30, 30, parent);
    host::PumpMessagesUntilIdle();
    events.clear();
    EXPECT_TRUE(RedrawWindow(parent, nullptr, nullptr, c.flags));
    EXPECT_EQ(MessagesOf(parent), c.parentNow) << c.name;
    EXPECT_EQ(GetUpdateRect(child, nullptr, FALSE), c.childInvalid ? TRUE : FALSE) << c.name;
    DestroyWindow(parent);
  }
}

TEST_F(PaintTest, ClipChildrenParentLeavesTheChildAreaOutOfItsUpdateRegion) {
  HWND parent = Filled(RGB(9, 9, 9), 0, 0, 100, 100, nullptr, WS_CLIPCHILDREN);
  Filled(RGB(8, 8, 8), 10, 10, 30, 30, parent);
  host::PumpMessagesUntilIdle();
  RECT underChild{15, 15, 25, 25};
  InvalidateRect(parent, &underChild, TRUE);
  EXPECT_FALSE(GetUpdateRect(parent, nullptr, FALSE));
  EXPECT_EQ(host::PumpMessagesUntilIdle(), 0u);
}

TEST_F(PaintTest, SizingInvalidatesTheExposedPartOrEverythingWithRedrawStyles) {
  Register(kHRedrawClass, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), CS_HREDRAW);
  struct Case {
    const char16_t* cls;
    RECT expected;
  } cases[] = {{kClass, {60, 0, 80, 40}}, {kHRedrawClass, {0, 0, 80, 40}}};
  for (const Case& c : cases) {
    HWND hwnd = Make(WS_POPUP | WS_VISIBLE, 0, 0, 60, 40, nullptr, 0, c.cls);
    host::PumpMessagesUntilIdle();
    SetWindowPos(hwnd, nullptr, 0, 0, 80, 40, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT box;
    ASSERT_TRUE(GetUpdateRect(hwnd, &box, FALSE));
    EXPECT_EQ(box.left, c.expected.left);
    EXPECT_EQ(box.right, c.expected.right);
    EXPECT_EQ(box.bottom, c.expected.bottom);
    SetWindowPos(hwnd, nullptr, 30, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    host::PumpMessagesUntilIdle();
    SetWindowPos(hwnd, nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_FALSE(GetUpdateRect(hwnd, nullptr, FALSE)) << "a top-level window keeps its pixels";
    DestroyWindow(hwnd);
  }
}

TEST_F(PaintTest, DefWindowProcErasesWithTheClassBrush) {
  struct Case {
    const char16_t* cls;
    uint32_t expected;
  } cases[] = {{kClass, SysArgb(COLOR_BTNFACE)}, {kGrayClass, Argb(RGB(128, 128, 128))}};
  for (const Case& c : cases) {
    HWND hwnd = Make(WS_POPUP | WS_VISIBLE, 0, 0, 30, 20, nullptr, 0, c.cls);
    host::PumpMessagesUntilIdle();
    host::CapturedImage image = Window(hwnd);
    EXPECT_EQ(image.At(0, 0), c.expected);
    EXPECT_EQ(image.At(29, 19), c.expected);
    DestroyWindow(hwnd);
  }
  HWND bare = Make(WS_POPUP | WS_VISIBLE, 0, 0, 30, 20, nullptr, 0, kBareClass);
  EXPECT_EQ(DefWindowProcW(bare, WM_ERASEBKGND, 0, 0), 0) << "no brush: nothing erased";
}

}  // namespace
}  // namespace talix::testing
