// A window class for the menu tests that records the menu and command messages it gets.
#pragma once

#include "menu_test_support.h"

namespace talix::testing {

struct MenuMessage {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
  bool operator==(const MenuMessage& o) const {
    return msg == o.msg && wParam == o.wParam && lParam == o.lParam;
  }
};

inline std::vector<MenuMessage>& RecordedMenuMessages() {
  static std::vector<MenuMessage> messages;
  return messages;
}

inline LRESULT CALLBACK MenuRecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND: case WM_SYSCOMMAND: case WM_INITMENU: case WM_INITMENUPOPUP:
      RecordedMenuMessages().push_back(MenuMessage{msg, wParam, lParam});
      return 0;
    default:
      return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

class MenuWindowTest : public MenuTest {
 protected:
  static constexpr const char16_t* kClass = u"TalixMenuTestWindow";
  void SetUp() override {
    MenuTest::SetUp();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = MenuRecordingProc;
    wc.lpszClassName = kClass;
    ASSERT_NE(RegisterClassExW(&wc), 0);
    RecordedMenuMessages().clear();
  }
  void TearDown() override {
    EXPECT_TRUE(UnregisterClassW(kClass, nullptr));
    EXPECT_EQ(host::LiveWindowCount(), 0u) << "windows leaked";
    MenuTest::TearDown();
  }
  HWND MakeWindow(DWORD style, HWND parent = nullptr, HMENU menu = nullptr) {
    return CreateWindowExW(0, kClass, u"menus", style, 10, 10, 300, 200, parent, menu, nullptr,
                           nullptr);
  }
  static std::vector<MenuMessage> Take() {
    std::vector<MenuMessage> out;
    out.swap(RecordedMenuMessages());
    return out;
  }
};

}  // namespace talix::testing
