// Helpers of the painting tests: a window class whose procedure records the painting
// messages and fills what it is asked to paint with the window's colour, pixel reads of
// windows and of the screen, and a check that every test leaves no window and no GDI
// object behind.
#pragma once

#include <talix/host.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace talix::testing {

struct PaintEvent {
  HWND hwnd;
  UINT msg;
  bool operator==(const PaintEvent& o) const { return hwnd == o.hwnd && msg == o.msg; }
};

// 0xFFRRGGBB, the form captures report.
inline uint32_t Argb(COLORREF c) {
  return 0xFF000000u | (uint32_t(GetRValue(c)) << 16) | (uint32_t(GetGValue(c)) << 8) |
         GetBValue(c);
}
inline uint32_t SysArgb(int index) { return Argb(GetSysColor(index)); }

struct WindowScript {
  bool fill = false;           // WM_PAINT fills rcPaint with `color`
  COLORREF color = 0;
  bool eraseOwn = false;       // WM_ERASEBKGND returns `eraseResult` without erasing
  LRESULT eraseResult = 0;
  int paints = 0;
  PAINTSTRUCT last{};
};

class PaintTest : public ::testing::Test {
 public:
  static inline std::vector<PaintEvent> events;
  static inline std::map<HWND, WindowScript> scripts;

  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT || msg == WM_ERASEBKGND || msg == WM_NCPAINT) events.push_back({hwnd, msg});
    WindowScript& script = scripts[hwnd];
    if (msg == WM_ERASEBKGND && script.eraseOwn) return script.eraseResult;
    if (msg == WM_PAINT) {
      PAINTSTRUCT ps;
      HDC hdc = BeginPaint(hwnd, &ps);
      if (hdc && script.fill) {
        HBRUSH brush = CreateSolidBrush(script.color);
        FillRect(hdc, &ps.rcPaint, brush);
        DeleteObject(brush);
      }
      ++script.paints;
      script.last = ps;
      EndPaint(hwnd, &ps);
      return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }

 protected:
  static constexpr const char16_t* kClass = u"TalixPaintTest";         // COLOR_BTNFACE + 1
  static constexpr const char16_t* kGrayClass = u"TalixPaintTestGray";  // GRAY_BRUSH
  static constexpr const char16_t* kBareClass = u"TalixPaintTestBare";  // no brush

  void SetUp() override {
    // Stock objects and system colour brushes are made on first use and kept.
    for (int i = WHITE_BRUSH; i <= DEFAULT_GUI_FONT; ++i) GetStockObject(i);
    for (int i = 0; i <= COLOR_MENUBAR; ++i) GetSysColorBrush(i);
    Register(kClass, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), 0);
    Register(kGrayClass, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)), 0);
    Register(kBareClass, nullptr, 0);
    gdiObjects_ = host::LiveHandles(HandleKind::GdiObject);
    events.clear();
    scripts.clear();
  }
  void TearDown() override {
    for (HWND hwnd : made_) DestroyWindow(hwnd);
    host::PumpMessagesUntilIdle();
    for (const char16_t* name : {kClass, kGrayClass, kBareClass, kHRedrawClass})
      UnregisterClassW(name, nullptr);
    EXPECT_EQ(host::LiveWindowCount(), 0u) << "windows leaked";
    EXPECT_EQ(host::LiveHandles(HandleKind::GdiObject), gdiObjects_) << "GDI objects leaked";
  }

  static constexpr const char16_t* kHRedrawClass = u"TalixPaintTestHRedraw";
  void Register(const char16_t* name, HBRUSH brush, UINT style) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = Proc;
    wc.hbrBackground = brush;
    wc.lpszClassName = name;
    ASSERT_NE(RegisterClassExW(&wc), 0);
  }

  HWND Make(DWORD style, int x, int y, int cx, int cy, HWND parent = nullptr, DWORD exStyle = 0,
            const char16_t* cls = kClass, const char16_t* text = u"") {
    HWND hwnd = CreateWindowExW(exStyle, cls, text, style, x, y, cx, cy, parent, nullptr,
                                nullptr, nullptr);
    EXPECT_TRUE(hwnd);
    if (!parent) made_.push_back(hwnd);
    return hwnd;
  }
  // A shown popup filled with `color` whenever it paints.
  HWND Filled(COLORREF color, int x, int y, int cx, int cy, HWND parent = nullptr,
              DWORD style = 0, DWORD exStyle = 0) {
    DWORD base = parent ? WS_CHILD : WS_POPUP;
    HWND hwnd = Make(base | style, x, y, cx, cy, parent, exStyle);
    scripts[hwnd].fill = true;
    scripts[hwnd].color = color;
    ShowWindow(hwnd, SW_SHOWNA);
    return hwnd;
  }

  static host::CapturedImage Window(HWND hwnd) {
    host::CapturedImage image;
    EXPECT_TRUE(host::CaptureWindow(hwnd, &image));
    return image;
  }
  static host::CapturedImage Screen() {
    host::CapturedImage image;
    EXPECT_TRUE(host::CaptureScreen(&image));
    return image;
  }
  static std::vector<UINT> MessagesOf(HWND hwnd) {
    std::vector<UINT> out;
    for (const PaintEvent& e : events)
      if (e.hwnd == hwnd) out.push_back(e.msg);
    return out;
  }

 private:
  std::vector<HWND> made_;
  size_t gdiObjects_ = 0;
};

}  // namespace talix::testing
