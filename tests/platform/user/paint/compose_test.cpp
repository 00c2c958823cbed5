// The composed screen: z-order, window regions, layered windows' constant alpha, colour
// key and per-pixel alpha, the desktop colour, reads through the screen DC and the
// change counter.
#include "paint_fixture.h"

namespace talix::testing {
namespace {

constexpr COLORREF kBelow = RGB(10, 100, 200), kAbove = RGB(240, 60, 20), kKey = RGB(1, 2, 3);

uint8_t Channel(uint32_t p, int shift) { return uint8_t(p >> shift); }

// round(x / 255), the compositor's division.
uint32_t Div255(uint32_t x) { return (x + 127) / 255; }

uint32_t ConstantBlend(uint32_t s, uint32_t d, uint32_t a) {
  uint32_t out = 0xFF000000u;
  for (int shift : {0, 8, 16})
    out |= Div255(Channel(s, shift) * a + Channel(d, shift) * (255 - a)) << shift;
  return out;
}

// A premultiplied source pixel over d with constant alpha ca.
uint32_t PerPixelBlend(uint32_t s, uint32_t d, uint32_t ca) {
  auto scale = [&](uint32_t v) { return ca == 255 ? v : Div255(v * ca); };
  uint32_t sa = scale(Channel(s, 24));
  uint32_t out = 0xFF000000u;
  for (int shift : {0, 8, 16}) {
    uint32_t v = scale(Channel(s, shift)) + Div255(Channel(d, shift) * (255 - sa));
    out |= std::min<uint32_t>(255, v) << shift;
  }
  return out;
}

class ComposeTest : public PaintTest {
 protected:
  uint32_t ScreenAt(int x, int y) { return Screen().At(x, y); }
  HWND Layered(COLORREF color) {
    HWND hwnd = Make(WS_POPUP, 20, 20, 40, 40, nullptr, WS_EX_LAYERED);
    scripts[hwnd] = WindowScript{true, color};
    ShowWindow(hwnd, SW_SHOWNA);
    return hwnd;
  }
};

TEST_F(ComposeTest, WindowsStackBottomFirstOverTheDesktopColour) {
  HWND below = Filled(kBelow, 0, 0, 50, 50);
  HWND above = Filled(kAbove, 30, 30, 50, 50);
  host::PumpMessagesUntilIdle();
  host::CapturedImage screen = Screen();
  EXPECT_EQ(screen.At(10, 10), Argb(kBelow));
  EXPECT_EQ(screen.At(40, 40), Argb(kAbove));
  EXPECT_EQ(screen.At(79, 79), Argb(kAbove));
  EXPECT_EQ(screen.At(80, 80), SysArgb(COLOR_DESKTOP));
  SetWindowPos(below, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(ScreenAt(40, 40), Argb(kBelow));
  ShowWindow(below, SW_HIDE);
  EXPECT_EQ(ScreenAt(10, 10), SysArgb(COLOR_DESKTOP));
  EXPECT_EQ(ScreenAt(40, 40), Argb(kAbove));
  MoveWindow(above, 100, 100, 50, 50, TRUE);
  EXPECT_EQ(ScreenAt(40, 40), SysArgb(COLOR_DESKTOP));
  EXPECT_EQ(ScreenAt(100, 100), Argb(kAbove)) << "the surface kept its pixels";
}

TEST_F(ComposeTest, WindowRegionsCutWindowsOnTheScreen) {
  Filled(kBelow, 0, 0, 60, 60);
  HWND shaped = Filled(kAbove, 0, 0, 60, 60);
  host::PumpMessagesUntilIdle();
  SetWindowRgn(shaped, CreateEllipticRgn(0, 0, 60, 60), TRUE);
  host::PumpMessagesUntilIdle();
  host::CapturedImage screen = Screen();
  EXPECT_EQ(screen.At(30, 30), Argb(kAbove));
  EXPECT_EQ(screen.At(1, 1), Argb(kBelow)) << "the corner shows the window beneath";
  EXPECT_EQ(screen.At(58, 58), Argb(kBelow));
}

TEST_F(ComposeTest, LayeredAttributesBlendWithAlphaAndColourKey) {
  struct Case {
    const char* name;
    BYTE alpha;
    DWORD flags;
    uint32_t corner;  // where the window has the key colour, then its body
    uint32_t body;
  } cases[] = {
      {"alpha 128", 128, LWA_ALPHA, ConstantBlend(Argb(kKey), Argb(kBelow), 128),
       ConstantBlend(Argb(kAbove), Argb(kBelow), 128)},
      {"alpha 0", 0, LWA_ALPHA, Argb(kBelow), Argb(kBelow)},
      {"alpha 255", 255, LWA_ALPHA, Argb(kKey), Argb(kAbove)},
      {"colour key", 0, LWA_COLORKEY, Argb(kBelow), Argb(kAbove)},
      {"key and alpha 77", 77, LWA_COLORKEY | LWA_ALPHA, Argb(kBelow),
       ConstantBlend(Argb(kAbove), Argb(kBelow), 77)},
  };
  Filled(kBelow, 0, 0, 100, 100);
  for (const Case& c : cases) {
    HWND layered = Layered(kAbove);
    host::PumpMessagesUntilIdle();
    EXPECT_EQ(ScreenAt(30, 30), Argb(kBelow)) << c.name << ": not shown before attributes";
    HDC hdc = GetDC(layered);
    SetPixel(hdc, 0, 0, kKey);
    ReleaseDC(layered, hdc);
    ASSERT_TRUE(SetLayeredWindowAttributes(layered, kKey, c.alpha, c.flags)) << c.name;
    COLORREF key;
    BYTE alpha;
    DWORD flags;
    ASSERT_TRUE(GetLayeredWindowAttributes(layered, &key, &alpha, &flags));
    EXPECT_EQ(flags, c.flags) << c.name;
    host::CapturedImage screen = Screen();
    EXPECT_EQ(screen.At(20, 20), c.corner) << c.name;
    EXPECT_EQ(screen.At(30, 30), c.body) << c.name;
    DestroyWindow(layered);
  }
}

// A 32-bit top-down DIB section in a memory DC with given premultiplied pixels.
struct SourceDc {
  SourceDc(int w, int h, uint32_t pixel) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::fill_n(static_cast<uint32_t*>(bits), size_t(w) * size_t(h), pixel);
    static_cast<uint32_t*>(bits)[0] = 0x00010203;  // a key-coloured corner
    dc = CreateCompatibleDC(nullptr);
    old = SelectObject(dc, bitmap);
  }
  ~SourceDc() {
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
  HBITMAP bitmap;
  HDC dc;
  HGDIOBJ old;
};

TEST_F(ComposeTest, UpdateLayeredWindowShowsItsPixelsWithPerPixelAlpha) {
  const uint32_t pixel = 0x80402060;  // alpha 128, premultiplied
  const uint32_t corner = 0x00010203;  // the key colour, alpha 0 (so not premultiplied)
  struct Case {
    const char* name;
    DWORD flags;
    BYTE constant;
    uint32_t body, corner;
  } cases[] = {
      {"per-pixel alpha", ULW_ALPHA, 255, PerPixelBlend(pixel, Argb(kBelow), 255),
       PerPixelBlend(corner, Argb(kBelow), 255)},
      {"per-pixel and constant alpha", ULW_ALPHA, 100, PerPixelBlend(pixel, Argb(kBelow), 100),
       PerPixelBlend(corner, Argb(kBelow), 100)},
      {"opaque", ULW_OPAQUE, 255, pixel | 0xFF000000u, 0xFF010203u},
      {"colour key", ULW_COLORKEY, 255, pixel | 0xFF000000u, Argb(kBelow)},
  };
  Filled(kBelow, 0, 0, 200, 200);
  SourceDc source(30, 20, pixel);
  for (const Case& c : cases) {
    HWND layered = Make(WS_POPUP, 0, 0, 10, 10, nullptr, WS_EX_LAYERED);
    ShowWindow(layered, SW_SHOWNA);
    POINT at{50, 60}, from{0, 0};
    SIZE size{30, 20};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, c.constant, AC_SRC_ALPHA};
    ASSERT_TRUE(UpdateLayeredWindow(layered, nullptr, &at, &size, source.dc, &from,
                                    RGB(1, 2, 3), &blend, c.flags))
        << c.name;
    RECT rect;
    GetWindowRect(layered, &rect);
    EXPECT_EQ(rect.left, 50);
    EXPECT_EQ(rect.bottom, 80) << c.name << ": moved and sized";
    host::PumpMessagesUntilIdle();
    EXPECT_EQ(scripts[layered].paints, 0) << c.name << ": no WM_PAINT for given pixels";
    host::CapturedImage screen = Screen();
    EXPECT_EQ(screen.At(60, 70), c.body) << c.name;
    EXPECT_EQ(screen.At(50, 60), c.corner) << c.name;
    EXPECT_FALSE(GetLayeredWindowAttributes(layered, nullptr, nullptr, nullptr)) << c.name;
    DestroyWindow(layered);
  }
}

TEST_F(ComposeTest, LayeredCallsRefuseWindowsThatCannotTakeThem) {
  HWND plain = Filled(kAbove, 0, 0, 10, 10);
  EXPECT_FALSE(SetLayeredWindowAttributes(plain, 0, 10, LWA_ALPHA));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  HWND layered = Layered(kAbove);
  ASSERT_TRUE(SetLayeredWindowAttributes(layered, 0, 10, LWA_ALPHA));
  SourceDc source(4, 4, 0xFF000000u);
  POINT from{0, 0};
  SIZE size{4, 4};
  EXPECT_FALSE(UpdateLayeredWindow(layered, nullptr, nullptr, &size, source.dc, &from, 0,
                                   nullptr, ULW_OPAQUE))
      << "attributes were set: UpdateLayeredWindow waits for the style to be set again";
  SetWindowLongW(layered, GWL_EXSTYLE, 0);
  SetWindowLongW(layered, GWL_EXSTYLE, WS_EX_LAYERED);
  EXPECT_TRUE(UpdateLayeredWindow(layered, nullptr, nullptr, &size, source.dc, &from, 0, nullptr,
                                  ULW_OPAQUE));
  POINT outside{2, 2};
  EXPECT_FALSE(UpdateLayeredWindow(layered, nullptr, nullptr, &size, source.dc, &outside, 0,
                                   nullptr, ULW_OPAQUE))
      << "the source rectangle leaves the source";
}

TEST_F(ComposeTest, TheScreenDcReadsTheComposedWindows) {
  Filled(kAbove, 300, 200, 20, 20);
  host::PumpMessagesUntilIdle();
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetPixel(screen, 305, 205), kAbove);
  EXPECT_EQ(GetPixel(screen, 299, 205), GetSysColor(COLOR_DESKTOP));
  ReleaseDC(nullptr, screen);
}

TEST_F(ComposeTest, ChangesBumpTheCounterAndCallTheCallback) {
  static int calls = 0;
  calls = 0;
  host::SetScreenChangedCallback([](void* context) { ++*static_cast<int*>(context); }, &calls);
  uint64_t before = host::ScreenChangeCount();
  HWND hwnd = Filled(kAbove, 0, 0, 20, 20);
  host::PumpMessagesUntilIdle();
  uint64_t shown = host::ScreenChangeCount();
  EXPECT_GT(shown, before);
  EXPECT_EQ(calls, static_cast<int>(shown - before));
  Screen();
  EXPECT_EQ(host::ScreenChangeCount(), shown) << "reading changes nothing";
  ShowWindow(hwnd, SW_HIDE);
  EXPECT_GT(host::ScreenChangeCount(), shown);
  host::SetScreenChangedCallback(nullptr, nullptr);
}

}  // namespace
}  // namespace talix::testing
