#include "skin_test_support.h"

namespace skintest {

TestSkinDef TestSkin::m_DefaultSkinDef = {FALSE, {0, 0, 0, 0}, RGB(0, 0, 0), 0, FALSE};

// Through a top-down DIB, one copy.
void DrawPattern(HDC dc, int cx, int cy) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = cx;
  bi.bmiHeader.biHeight = -cy;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_TRUE(dib);
  auto* px = static_cast<uint32_t*>(bits);
  for (int y = 0; y < cy; ++y)
    for (int x = 0; x < cx; ++x) px[y * cx + x] = Argb(PatternAt(x, y)) & 0xFFFFFFu;
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(dc, 0, 0, cx, cy, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(dib);
}

void TestSkin::Draw(CQuorWindow* window, CQuorGraphics* graphics, int cx, int cy) {
  ++draws;
  lastWindow = window;
  HDC dc = *graphics;
  if (m_SkinDef.askParent) {
    PAINTSTRUCT ps{};
    ps.hdc = dc;
    ps.rcPaint = RECT{0, 0, cx, cy};
    SendMessageW(GetParent(window->m_hWnd), UWM_REPAINT, reinterpret_cast<WPARAM>(window->m_hWnd),
                 reinterpret_cast<LPARAM>(&ps));
  }
  if (m_SkinDef.pattern) DrawPattern(dc, cx, cy);
  const RECT& opaque = m_SkinDef.opaque;
  if (opaque.right > opaque.left && opaque.bottom > opaque.top) {
    HBRUSH brush = CreateSolidBrush(m_SkinDef.color);
    FillRect(dc, &opaque, brush);
    DeleteObject(brush);
  }
}

void SkinTest::SetUp() {
  // Stock objects and system colour brushes are made on first use and kept for good.
  for (int i = WHITE_BRUSH; i <= DEFAULT_GUI_FONT; ++i) GetStockObject(i);
  for (int i = 0; i <= COLOR_MENUBAR; ++i) GetSysColorBrush(i);
  CQuorLib::m_dwLayout = 0;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = DefWindowProcW;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = kHostClass;
  ASSERT_NE(RegisterClassExW(&wc), 0);
  gdiObjects_ = talix::host::LiveHandles(talix::HandleKind::GdiObject);
  windows_ = talix::host::LiveWindowCount();
}

void SkinTest::TearDown() {
  for (HWND hwnd : tops_) DestroyWindow(hwnd);
  talix::host::PumpMessagesUntilIdle();
  UnregisterClassW(kHostClass, nullptr);
  CQuorLib::m_dwLayout = 0;
  EXPECT_EQ(talix::host::LiveWindowCount(), windows_) << "windows leaked";
  EXPECT_EQ(talix::host::LiveHandles(talix::HandleKind::GdiObject), gdiObjects_)
      << "GDI objects leaked";
}

HWND SkinTest::MakeTop(int x, int y, int cx, int cy, DWORD exStyle) {
  HWND hwnd = CreateWindowExW(exStyle, kHostClass, u"", WS_POPUP | WS_VISIBLE, x, y, cx, cy,
                              nullptr, nullptr, nullptr, nullptr);
  EXPECT_TRUE(hwnd);
  if (hwnd) tops_.push_back(hwnd);
  return hwnd;
}

talix::host::CapturedImage SkinTest::Capture(HWND hwnd) {
  talix::host::CapturedImage image;
  EXPECT_TRUE(talix::host::CaptureWindow(hwnd, &image));
  return image;
}

}  // namespace skintest
