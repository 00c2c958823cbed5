// The presenter over the platform's own screen and input: a window shows in the X window
// where the virtual screen has it, pixel for pixel, and a click on it there reaches its
// window procedure as WM_LBUTTONDOWN at the right client point.
#include "x_test_server.h"
#include "x_view.h"

#include <talix/host.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <atomic>
#include <string>

namespace talix::testing {
namespace {

std::atomic<LPARAM> g_clickAt{-1};

LRESULT CALLBACK ClickProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_LBUTTONDOWN) g_clickAt = lParam;
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// Screen pixels (0xRRGGBB) that differ from what the X window shows.
int MismatchesWithScreen(Display* view, unsigned long window) {
  host::CapturedImage screen;
  if (!host::CaptureScreen(&screen)) return -1;
  std::vector<uint32_t> shown = ReadWindowPixels(view, window, screen.width, screen.height);
  if (shown.size() != screen.pixels.size()) return screen.width * screen.height;
  int mismatches = 0;
  for (size_t i = 0; i < shown.size(); ++i) {
    if (shown[i] != (screen.pixels[i] & 0xFFFFFF)) ++mismatches;
  }
  return mismatches;
}

TEST(PresenterOverThePlatform, ShowsTheScreenAndDeliversClicks) {
  XvfbServer server;
  if (!server.Start(1280, 1024)) GTEST_SKIP() << server.Error();
  ScopedDisplayVariable display(server.DisplayName().c_str());
  Display* view = XOpenDisplay(server.DisplayName().c_str());
  ASSERT_NE(view, nullptr);

  HBRUSH red = CreateSolidBrush(RGB(200, 30, 30));
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = ClickProc;
  wc.hbrBackground = red;
  wc.lpszClassName = u"PresenterClickTarget";
  ASSERT_NE(RegisterClassExW(&wc), 0);
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, u"", WS_POPUP | WS_VISIBLE, 40, 30, 200,
                              100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(hwnd, nullptr);
  UpdateWindow(hwnd);
  host::PumpMessagesUntilIdle();

  ASSERT_TRUE(host::StartPresenter());
  unsigned long window = 0;
  ASSERT_TRUE(WaitForMappedWindow(view, "TALIX", &window));
  EXPECT_TRUE(WaitUntil([&] { return MismatchesWithScreen(view, window) == 0; }));

  std::string id = std::to_string(window);
  ASSERT_TRUE(RunProgram({"xdotool", "mousemove", "--window", id, "140", "80", "click", "1"}));
  EXPECT_TRUE(WaitUntil([] {
    host::PumpMessagesUntilIdle();
    return g_clickAt != -1;
  }));
  EXPECT_EQ(GET_X_LPARAM(g_clickAt.load()), 100);
  EXPECT_EQ(GET_Y_LPARAM(g_clickAt.load()), 50);

  host::StopPresenter();
  XCloseDisplay(view);
  DestroyWindow(hwnd);
  UnregisterClassW(wc.lpszClassName, nullptr);
  DeleteObject(red);
}

}  // namespace
}  // namespace talix::testing
