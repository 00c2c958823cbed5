// Window DCs: where they draw in the top-level surface and what clips them (children,
// siblings, window regions, GetDCEx regions), mirroring, and WindowFromDC.
#include "paint_fixture.h"

namespace talix::testing {
namespace {

constexpr COLORREF kParent = RGB(200, 0, 0), kA = RGB(0, 200, 0), kB = RGB(0, 0, 200);
constexpr COLORREF kDrawn = RGB(250, 250, 0);

void FillThroughDc(HDC hdc, const RECT& rect) {
  HBRUSH brush = CreateSolidBrush(kDrawn);
  FillRect(hdc, &rect, brush);
  DeleteObject(brush);
}

void FillClient(HWND hwnd) {
  HDC hdc = GetDC(hwnd);
  ASSERT_TRUE(hdc);
  RECT client;
  GetClientRect(hwnd, &client);
  FillThroughDc(hdc, client);
  EXPECT_EQ(ReleaseDC(hwnd, hdc), 1);
}

TEST_F(PaintTest, ChildrenPaintOverTheirParentInTheSharedSurface) {
  HWND parent = Filled(kParent, 0, 0, 100, 100);
  Filled(kA, 10, 10, 40, 40, parent);
  Filled(kB, 30, 30, 40, 40, parent);  // above A
  host::PumpMessagesUntilIdle();
  InvalidateRect(parent, nullptr, TRUE);
  host::PumpMessagesUntilIdle();
  host::CapturedImage image = Window(parent);
  struct Probe {
    int x, y;
    COLORREF color;
  } probes[] = {{9, 9, kParent}, {10, 10, kA}, {29, 29, kA}, {30, 30, kB},
                {69, 69, kB},    {70, 70, kParent}, {49, 20, kA}, {50, 20, kParent}};
  for (const Probe& p : probes) EXPECT_EQ(image.At(p.x, p.y), Argb(p.color)) << p.x << "," << p.y;
}

TEST_F(PaintTest, ClipChildrenAndClipSiblingsShapeWhatADcDraws) {
  struct Case {
    const char* name;
    DWORD parentStyle, aStyle;
    COLORREF parentDcInA;   // (20,20): A alone, after the parent's DC filled its client
    COLORREF aDcUnderB;     // (35,35): A and B overlap, after A's DC filled A's client
  } cases[] = {
      {"no clipping", 0, 0, kDrawn, kDrawn},
      {"WS_CLIPCHILDREN", WS_CLIPCHILDREN, 0, kA, kDrawn},
      {"WS_CLIPSIBLINGS", 0, WS_CLIPSIBLINGS, kDrawn, kB},
      {"both", WS_CLIPCHILDREN, WS_CLIPSIBLINGS, kA, kB},
  };
  for (const Case& c : cases) {
    HWND parent = Filled(kParent, 0, 0, 100, 100, nullptr, c.parentStyle);
    HWND a = Filled(kA, 10, 10, 40, 40, parent, c.aStyle);
    Filled(kB, 30, 30, 40, 40, parent);
    host::PumpMessagesUntilIdle();
    FillClient(parent);
    EXPECT_EQ(Window(parent).At(20, 20), Argb(c.parentDcInA)) << c.name;
    EXPECT_EQ(Window(parent).At(5, 5), Argb(kDrawn)) << c.name;
    InvalidateRect(parent, nullptr, TRUE);
    host::PumpMessagesUntilIdle();
    FillClient(a);
    host::CapturedImage image = Window(parent);
    EXPECT_EQ(image.At(35, 35), Argb(c.aDcUnderB)) << c.name;
    EXPECT_EQ(image.At(15, 15), Argb(kDrawn)) << c.name;
    EXPECT_EQ(image.At(50, 50), Argb(kB)) << c.name << ": outside A";
    DestroyWindow(parent);
  }
}

TEST_F(PaintTest, WindowRegionClipsPaintingAndBelongsToTheWindow) {
  HWND hwnd = Make(WS_POPUP, 0, 0, 40, 40);
  scripts[hwnd] = WindowScript{true, kA};
  HRGN first = CreateRectRgn(0, 0, 5, 5);
  HRGN shape = CreateRectRgn(10, 10, 30, 20);
  ASSERT_TRUE(SetWindowRgn(hwnd, first, FALSE));
  ASSERT_TRUE(SetWindowRgn(hwnd, shape, FALSE));
  EXPECT_EQ(GetObjectType(first), 0u) << "a replaced region is deleted";
  ShowWindow(hwnd, SW_SHOWNA);
  host::PumpMessagesUntilIdle();
  host::CapturedImage image = Window(hwnd);
  EXPECT_EQ(image.At(10, 10), Argb(kA));
  EXPECT_EQ(image.At(29, 19), Argb(kA));
  EXPECT_EQ(image.At(9, 10), 0xFF000000u) << "outside the region nothing was drawn";
  EXPECT_EQ(image.At(10, 20), 0xFF000000u);
  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(hwnd, copy), SIMPLEREGION);
  EXPECT_TRUE(EqualRgn(copy, shape));
  RECT box;
  EXPECT_EQ(GetWindowRgnBox(hwnd, &box), SIMPLEREGION);
  EXPECT_EQ(box.right, 30);
  ASSERT_TRUE(SetWindowRgn(hwnd, nullptr, FALSE));
  EXPECT_EQ(GetObjectType(shape), 0u);
  EXPECT_EQ(GetWindowRgn(hwnd, copy), ERROR) << "no region any more";
  ASSERT_TRUE(SetWindowRgn(hwnd, CreateRectRgn(0, 0, 8, 8), FALSE));  // freed with the window
  DeleteObject(copy);
}

// A right-to-left window's region runs from its right edge, so the same region shows
// the window's other side; painting, the composed screen and hit-testing must agree.
TEST_F(PaintTest, WindowRegionsAreMeasuredFromTheLayoutsLeadingCorner) {
  constexpr int kWidth = 40, kHeight = 20, kRow = 5;
  struct Case {
    const char* name;
    DWORD exStyle;
    int firstShown, lastShown;  // the columns of the window the region [0, 15) covers
  } const cases[] = {
      {"left to right", 0, 0, 14},
      {"right to left", WS_EX_LAYOUTRTL, 25, 39},
  };
  for (const Case& c : cases) {
    HWND below = Filled(kParent, 0, 0, kWidth, kHeight);
    HWND shaped = Make(WS_POPUP, 0, 0, kWidth, kHeight, nullptr, c.exStyle);
    scripts[shaped] = WindowScript{true, kA};
    HRGN given = CreateRectRgn(0, 0, 15, kHeight);
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    ASSERT_TRUE(SetWindowRgn(shaped, given, FALSE));
    ShowWindow(shaped, SW_SHOWNA);
    host::PumpMessagesUntilIdle();
    host::CapturedImage surface = Window(shaped), screen = Screen();
    for (int x = 0; x < kWidth; ++x) {
      bool shown = x >= c.firstShown && x <= c.lastShown;
      EXPECT_EQ(surface.At(x, kRow), shown ? Argb(kA) : 0xFF000000u) << c.name << " paint " << x;
      EXPECT_EQ(screen.At(x, kRow), Argb(shown ? kA : kParent)) << c.name << " screen " << x;
      EXPECT_EQ(WindowFromPoint(POINT{x, kRow}), shown ? shaped : below) << c.name << " hit " << x;
    }
    EXPECT_EQ(GetWindowRgn(shaped, copy), SIMPLEREGION) << c.name;
    EXPECT_TRUE(EqualRgn(copy, given)) << c.name << ": handed back as given";
    RECT box;
    EXPECT_EQ(GetWindowRgnBox(shaped, &box), SIMPLEREGION) << c.name;
    EXPECT_EQ(box.left, 0) << c.name;
    EXPECT_EQ(box.right, 15) << c.name;
    // A later change of layout reads the kept region in the new layout's terms.
    SetWindowLongW(shaped, GWL_EXSTYLE, c.exStyle ^ WS_EX_LAYOUTRTL);
    EXPECT_EQ(WindowFromPoint(POINT{c.firstShown, kRow}), below) << c.name << " after flip";
    EXPECT_EQ(WindowFromPoint(POINT{kWidth - 1 - c.firstShown, kRow}), shaped) << c.name;
    DeleteObject(copy);
    DestroyWindow(shaped);
    DestroyWindow(below);
  }
}

TEST_F(PaintTest, RtlWindowsGetMirroredDcsAndMirroredUpdateRectangles) {
  HWND hwnd = Make(WS_POPUP, 0, 0, 50, 20, nullptr, WS_EX_LAYOUTRTL);
  scripts[hwnd] = WindowScript{true, kA};
  ShowWindow(hwnd, SW_SHOWNA);
  host::PumpMessagesUntilIdle();
  HDC hdc = GetDC(hwnd);
  EXPECT_EQ(GetLayout(hdc), static_cast<DWORD>(LAYOUT_RTL));
  SetPixel(hdc, 0, 0, kB);
  ReleaseDC(hwnd, hdc);
  EXPECT_EQ(Window(hwnd).At(49, 0), Argb(kB));
  scripts[hwnd].color = kParent;
  RECT left{0, 0, 10, 20};
  InvalidateRect(hwnd, &left, FALSE);
  RECT box;
  ASSERT_TRUE(GetUpdateRect(hwnd, &box, FALSE));
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.right, 10);
  UpdateWindow(hwnd);
  host::CapturedImage image = Window(hwnd);
  EXPECT_EQ(image.At(40, 5), Argb(kParent));
  EXPECT_EQ(image.At(39, 5), Argb(kA));
  EXPECT_EQ(image.At(0, 5), Argb(kA));
}

TEST_F(PaintTest, GetDcExCoversTheWindowOrClientAndTakesItsClipRegion) {
  HWND hwnd = Make(WS_POPUP | WS_BORDER | WS_VISIBLE, 100, 100, 40, 40);
  host::PumpMessagesUntilIdle();
  HDC window = GetWindowDC(hwnd);
  SetPixel(window, 0, 0, kA);
  ReleaseDC(hwnd, window);
  HDC client = GetDC(hwnd);
  SetPixel(client, 0, 0, kB);
  ReleaseDC(hwnd, client);
  host::CapturedImage image = Window(hwnd);
  EXPECT_EQ(image.At(0, 0), Argb(kA));
  EXPECT_EQ(image.At(1, 1), Argb(kB));

  struct Case {
    const char* name;
    DWORD flags;
    COLORREF inside, outside;
  } cases[] = {{"DCX_INTERSECTRGN", DCX_INTERSECTRGN, kDrawn, kA},
               {"DCX_EXCLUDERGN", DCX_EXCLUDERGN, kA, kDrawn}};
  for (const Case& c : cases) {
    HBRUSH brush = CreateSolidBrush(kA);  // the background of each case
    HDC paint = GetDC(hwnd);
    RECT all{0, 0, 38, 38};
    FillRect(paint, &all, brush);
    ReleaseDC(hwnd, paint);
    DeleteObject(brush);
    HRGN clip = CreateRectRgn(111, 111, 121, 121);  // screen coordinates
    HDC hdc = GetDCEx(hwnd, clip, c.flags);
    ASSERT_TRUE(hdc) << c.name;
    EXPECT_EQ(GetObjectType(clip), 0u) << c.name << ": the region was taken over";
    FillThroughDc(hdc, all);
    ReleaseDC(hwnd, hdc);
    image = Window(hwnd);
    EXPECT_EQ(image.At(15, 15), Argb(c.inside)) << c.name;
    EXPECT_EQ(image.At(25, 25), Argb(c.outside)) << c.name;
  }
}

TEST_F(PaintTest, WindowFromDcKnowsWindowDcsUntilReleased) {
  HWND hwnd = Make(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
  HDC hdc = GetDC(hwnd);
  EXPECT_EQ(WindowFromDC(hdc), hwnd);
  EXPECT_EQ(ReleaseDC(hwnd, hdc), 1);
  EXPECT_EQ(WindowFromDC(hdc), nullptr);
  EXPECT_EQ(ReleaseDC(hwnd, hdc), 0) << "released twice";
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(WindowFromDC(screen), GetDesktopWindow());
  EXPECT_EQ(GetDeviceCaps(screen, HORZRES), host::GetScreenParams().width);
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
  HDC memory = CreateCompatibleDC(nullptr);
  EXPECT_EQ(WindowFromDC(memory), nullptr);
  EXPECT_EQ(ReleaseDC(nullptr, memory), 0);
  DeleteDC(memory);
  SetLastError(0);
  EXPECT_EQ(GetDC(reinterpret_cast<HWND>(0x4321)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

}  // namespace
}  // namespace talix::testing
