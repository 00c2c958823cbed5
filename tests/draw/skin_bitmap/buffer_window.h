// A stand-in for a skinned window in the back-buffer tests: a real window whose WM_PAINT
// paints from its back buffer, and whose content is whatever `paint` draws (by default
// nothing, so the buffer shows what lies behind the window).
#pragma once

#include "draw/QuorBackBuffer.h"
#include "draw/QuorGraphics.h"

#include <talix/host.h>
#include <windows.h>

#include <functional>

namespace talix::draw::testing {

class BufferWindow : public CQuorBackBuffer, public CQuorBackBufferClient {
 public:
  static constexpr const char16_t* kClass = u"TalixBufferWindow";

  BufferWindow() : CQuorBackBuffer(this) {}

  // Creates the window (a child when parent is given, else a popup) and shows it.
  HWND Create(int x, int y, int cx, int cy, HWND parent = nullptr, DWORD exStyle = 0) {
    const DWORD style = (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE;
    hwnd = CreateWindowExW(exStyle, kClass, u"", style, x, y, cx, cy, parent, nullptr, nullptr,
                           nullptr);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, LONG_PTR(this));
    InvalidateRect(hwnd, nullptr, TRUE);
    return hwnd;
  }

  HWND GetHWND() override { return hwnd; }
  void Draw(CQuorGraphics* graphics, int cx, int cy) override {
    ++draws;
    if (paint) paint(static_cast<HDC>(*graphics), cx, cy);
  }
  HBITMAP Buffer() const { return m_hBackBuffer; }

  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<BufferWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_ERASEBKGND) return 1;
    if (msg != WM_PAINT || !self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    self->DrawBackBuffer(dc, client, ps.rcPaint);
    EndPaint(hwnd, &ps);
    return 0;
  }
  static void Register() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Proc;
    wc.lpszClassName = kClass;
    RegisterClassExW(&wc);
  }

  HWND hwnd = nullptr;
  int draws = 0;
  std::function<void(HDC, int, int)> paint;
};

// Content: every pixel a colour of its own position, 0x00RRGGBB = (x, y, 0x40).
inline uint32_t PositionColour(int x, int y) { return uint32_t(x) << 16 | uint32_t(y) << 8 | 0x40; }
inline void PaintPositions(HDC dc, int cx, int cy) {
  for (int y = 0; y < cy; ++y)
    for (int x = 0; x < cx; ++x) SetPixelV(dc, x, y, RGB(x, y, 0x40));
}
// Content: one red pixel at the top-left corner.
inline void PaintCorner(HDC dc, int, int) { SetPixelV(dc, 0, 0, RGB(255, 0, 0)); }
constexpr uint32_t kRed = 0xFF0000;

}  // namespace talix::draw::testing
