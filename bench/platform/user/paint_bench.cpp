// A full-window repaint from a back buffer, the way skinned windows paint:
//   BM_PaintFromBackBuffer/1280x1024  InvalidateRect + UpdateWindow on a 1280x1024 popup
//                                     whose WM_PAINT is BeginPaint, one BitBlt of a
//                                     1280x1024 back buffer, EndPaint
//   compared with BM_Memcpy/1280x1024 (bench/common/baselines.cpp): the ratio is the cost
//   of the paint round (update region, paint DC, messages) on top of the copy itself.
#include <windows.h>

#include <benchmark/benchmark.h>

namespace {

constexpr int kWidth = 1280, kHeight = 1024;
HDC g_backBuffer = nullptr;

LRESULT CALLBACK BackBufferProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) return 1;
  if (msg != WM_PAINT) return DefWindowProcW(hwnd, msg, wParam, lParam);
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  BitBlt(hdc, 0, 0, kWidth, kHeight, g_backBuffer, 0, 0, SRCCOPY);
  EndPaint(hwnd, &ps);
  return 0;
}

void BM_PaintFromBackBuffer(benchmark::State& state) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
  ReleaseDC(nullptr, screen);
  g_backBuffer = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(g_backBuffer, bitmap);
  RECT all{0, 0, kWidth, kHeight};
  FillRect(g_backBuffer, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = BackBufferProc;
  wc.lpszClassName = u"TalixBenchBackBuffer";
  RegisterClassExW(&wc);
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, u"", WS_POPUP | WS_VISIBLE, 0, 0, kWidth,
                              kHeight, nullptr, nullptr, nullptr, nullptr);
  UpdateWindow(hwnd);
  for (auto _ : state) {
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kWidth * kHeight * 4);
  DestroyWindow(hwnd);
  UnregisterClassW(wc.lpszClassName, nullptr);
  SelectObject(g_backBuffer, old);
  DeleteDC(g_backBuffer);
  DeleteObject(bitmap);
}
BENCHMARK(BM_PaintFromBackBuffer)->Name("BM_PaintFromBackBuffer/1280x1024");

}  // namespace
