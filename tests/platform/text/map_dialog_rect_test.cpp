// MapDialogRect: dialog units become pixels through the base units of the font the
// window answers WM_GETFONT with (the system font when it answers none).
#include "text_fixture.h"

namespace talix::text::testing {
namespace {

// A window that answers WM_GETFONT with the font kept in its user data.
LRESULT CALLBACK FontWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETFONT) return GetWindowLongPtrW(hwnd, GWLP_USERDATA);
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class FontWindow {
 public:
  explicit FontWindow(HFONT font) {
    static const ATOM atom = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = FontWindowProc;
      wc.lpszClassName = u"TalixDialogFontWindow";
      return RegisterClassW(&wc);
    }();
    EXPECT_NE(atom, 0);
    hwnd_ = CreateWindowExW(0, u"TalixDialogFontWindow", u"", WS_POPUP, 0, 0, 10, 10, nullptr,
                            nullptr, nullptr, nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(font));
  }
  ~FontWindow() { DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_;
};

// Base units measured the documented way: the average width of the 52 Latin letters,
// rounded, and the character height.
SIZE MeasuredBaseUnits(HFONT font) {
  TextDc dc(4, 4);
  SelectObject(dc.dc(), font);
  SIZE letters{};
  GetTextExtentPoint32W(dc.dc(), u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52,
                        &letters);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc.dc(), &tm);
  return SIZE{(letters.cx + 26) / 52, tm.tmHeight};
}

// units * dialogUnits / per, rounded half away from zero (MulDiv's rounding).
LONG Expected(LONG dialogUnits, LONG units, LONG per) {
  double exact = double(dialogUnits) * units / per;
  return LONG(exact >= 0 ? exact + 0.5 : exact - 0.5);
}

TEST(MapDialogRect, ConvertsWithTheWindowsFontsBaseUnits) {
  const LONG heights[] = {-11, -13, -16, 24};
  const RECT dialogRects[] = {{0, 0, 4, 8}, {7, 14, 50, 14}, {1, 1, 3, 5}, {-6, -3, 409, 225}};
  for (LONG height : heights) {
    LOGFONTW lf = Arial(height);
    HFONT font = CreateFontIndirectW(&lf);
    SIZE units = MeasuredBaseUnits(font);
    ASSERT_GT(units.cx, 0);
    FontWindow window(font);
    for (const RECT& dlu : dialogRects) {
      SCOPED_TRACE(::testing::Message() << height << ": " << dlu.left << "," << dlu.top << ","
                                        << dlu.right << "," << dlu.bottom);
      RECT r = dlu;
      ASSERT_TRUE(MapDialogRect(window.hwnd(), &r));
      EXPECT_EQ(r.left, Expected(dlu.left, units.cx, 4));
      EXPECT_EQ(r.right, Expected(dlu.right, units.cx, 4));
      EXPECT_EQ(r.top, Expected(dlu.top, units.cy, 8));
      EXPECT_EQ(r.bottom, Expected(dlu.bottom, units.cy, 8));
    }
    DeleteObject(font);
  }
}

TEST(MapDialogRect, LargerFontsGiveLargerRectangles) {
  LOGFONTW small = Arial(-11), large = Arial(-20);
  HFONT smallFont = CreateFontIndirectW(&small), largeFont = CreateFontIndirectW(&large);
  RECT a{0, 0, 100, 100}, b{0, 0, 100, 100};
  {
    FontWindow smallWindow(smallFont), largeWindow(largeFont);
    ASSERT_TRUE(MapDialogRect(smallWindow.hwnd(), &a));
    ASSERT_TRUE(MapDialogRect(largeWindow.hwnd(), &b));
  }
  EXPECT_LT(a.right, b.right);
  EXPECT_LT(a.bottom, b.bottom);
  DeleteObject(smallFont);
  DeleteObject(largeFont);
}

TEST(MapDialogRect, WithoutAFontTheSystemFontsUnitsApply) {
  LONG units = GetDialogBaseUnits();
  FontWindow window(nullptr);
  RECT r{4, 8, 40, 80};
  ASSERT_TRUE(MapDialogRect(window.hwnd(), &r));
  EXPECT_EQ(r.left, LOWORD(units));
  EXPECT_EQ(r.top, HIWORD(units));
  EXPECT_EQ(r.right, 10 * LOWORD(units));
  EXPECT_EQ(r.bottom, 10 * HIWORD(units));
}

TEST(MapDialogRect, RejectsBadWindowsAndMissingRectangles) {
  RECT r{1, 2, 3, 4};
  SetLastError(0);
  EXPECT_FALSE(MapDialogRect(nullptr, &r));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_EQ(r.right, 3);
  FontWindow window(nullptr);
  EXPECT_FALSE(MapDialogRect(window.hwnd(), nullptr));
}

}  // namespace
}  // namespace talix::text::testing
