#include "button_fixture.h"

#include <win/commctrl.h>

namespace buttontest {

HostLog ButtonTest::log;

namespace {

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  HostLog& log = ButtonTest::log;
  switch (msg) {
    case WM_DRAWITEM: {
      // A plain parent hands the request back to the owner-drawn button.
      auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      return SendMessageW(item->hwndItem, WM_DRAWITEM, wParam, lParam);
    }
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) log.clicks.push_back(LOWORD(wParam));
      return 0;
    case UWM_BUTTONFOCUS:
      log.focus.push_back(wParam);
      return 0;
    case UWM_REPAINT: {
      auto* ps = reinterpret_cast<PAINTSTRUCT*>(lParam);
      log.repaints.push_back(ps->rcPaint);
      HBRUSH brush = CreateSolidBrush(kParentColor);
      FillRect(ps->hdc, &ps->rcPaint, brush);
      DeleteObject(brush);
      return 0;
    }
    default:
      return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

void ButtonTest::SetUp() {
  talix::testing::MakeSharedSystemObjects();
  log = HostLog{};
  CQuorLib::m_dwLayout = 0;
  CQuorLib::SetResourceInstance(GetModuleHandleW(nullptr));
  talix::host::UseVirtualClock(true);
  talix::host::ResetInput();
  talix::host::MouseMove(1000, 700);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = HostProc;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = kHostClass;
  ASSERT_NE(RegisterClassExW(&wc), 0);
  talix::host::PumpMessagesUntilIdle();
  counts_ = talix::testing::LiveCounts::Now();
}

void ButtonTest::TearDown() {
  for (HWND hwnd : hosts_) DestroyWindow(hwnd);
  talix::host::PumpMessagesUntilIdle();
  UnregisterClassW(kHostClass, nullptr);
  CQuorLib::m_dwLayout = 0;
  talix::host::UseVirtualClock(false);
  counts_.ExpectUnchanged();
}

HWND ButtonTest::MakeHost(int x, int y, int cx, int cy) {
  HWND hwnd = CreateWindowExW(0, kHostClass, u"", WS_POPUP | WS_VISIBLE, x, y, cx, cy, nullptr,
                              nullptr, nullptr, nullptr);
  EXPECT_TRUE(hwnd);
  if (hwnd) hosts_.push_back(hwnd);
  return hwnd;
}

HWND ButtonTest::MakeButton(CQuorButtonCtrlBase& button, HWND host, CQuorButtonSkin* skin,
                            RECT rc, UINT id, DWORD style) {
  button.SetSkin(skin);
  HWND hwnd = button.Create(host, rc, id, WS_CHILD | WS_VISIBLE | style, 0);
  EXPECT_TRUE(hwnd);
  talix::host::PumpMessagesUntilIdle();
  return hwnd;
}

talix::host::CapturedImage ButtonTest::Capture(HWND hwnd) {
  talix::host::PumpMessagesUntilIdle();
  talix::host::CapturedImage image;
  EXPECT_TRUE(talix::host::CaptureWindow(hwnd, &image));
  return image;
}

POINT ButtonTest::ScreenOrigin(HWND hwnd) {
  POINT p{0, 0};
  ClientToScreen(hwnd, &p);
  return p;
}

}  // namespace buttontest
