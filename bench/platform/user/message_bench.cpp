// Sending a message through a window subclassed by three procedures:
//   BM_SendMessage      SendMessageW to the window (handle lookup, lock, the chain)
//   BM_CallWindowProc   the same chain entered with CallWindowProcW, the peer: the ratio
//                       is the cost of the window manager around a plain call chain.
#include <windows.h>

#include <benchmark/benchmark.h>

namespace {

WNDPROC g_below[3];

LRESULT CALLBACK Base(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_USER) return static_cast<LRESULT>(wParam + 1);
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

template <int Level>
LRESULT CALLBACK Layer(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcW(g_below[Level], hwnd, msg, wParam + 1, lParam);
}

struct ChainedWindow {
  ChainedWindow() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Base;
    wc.lpszClassName = u"TalixBenchChain";
    RegisterClassExW(&wc);
    hwnd = CreateWindowExW(0, wc.lpszClassName, u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                           nullptr, nullptr);
    WNDPROC layers[3] = {Layer<0>, Layer<1>, Layer<2>};
    for (int i = 0; i < 3; ++i)
      g_below[i] = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(layers[i])));
  }
  ~ChainedWindow() {
    DestroyWindow(hwnd);
    UnregisterClassW(u"TalixBenchChain", nullptr);
  }
  HWND hwnd;
};

void BM_SendMessage(benchmark::State& state) {
  ChainedWindow window;
  for (auto _ : state) benchmark::DoNotOptimize(SendMessageW(window.hwnd, WM_USER, 0, 0));
}
BENCHMARK(BM_SendMessage);

void BM_CallWindowProc(benchmark::State& state) {
  ChainedWindow window;
  for (auto _ : state)
    benchmark::DoNotOptimize(CallWindowProcW(Layer<2>, window.hwnd, WM_USER, 0, 0));
}
BENCHMARK(BM_CallWindowProc);

}  // namespace
