// A class's menu name gives top-level windows their menu bar; DefWindowProcW answers the
// control-colour queries with system colours.
#include "menu_ids.h"
#include "menu_test_support.h"

using namespace talix;
using namespace talix::testing;

namespace {

class ClassMenuTest : public MenuTest {};

TEST_F(ClassMenuTest, TopLevelWindowsTakeTheirClassMenuAndChildrenDoNot) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszMenuName = MAKEINTRESOURCEW(IDM_STANDARD);
  wc.lpszClassName = u"TalixClassMenuWindow";
  ASSERT_NE(RegisterClassExW(&wc), 0);
  HWND top = CreateWindowExW(0, wc.lpszClassName, u"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                             nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(top, nullptr);
  HMENU menu = GetMenu(top);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetMenuItemCount(menu), 2);
  HMENU own = CreateMenu();
  HWND withOwn = CreateWindowExW(0, wc.lpszClassName, u"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                 nullptr, own, wc.hInstance, nullptr);
  EXPECT_EQ(GetMenu(withOwn), own) << "a menu given to CreateWindowExW wins";
  HWND child = CreateWindowExW(0, wc.lpszClassName, u"", WS_CHILD, 0, 0, 20, 10, top,
                               reinterpret_cast<HMENU>(7), wc.hInstance, nullptr);
  EXPECT_EQ(GetMenu(child), nullptr);
  DestroyWindow(withOwn);
  DestroyWindow(top);  // the fixture checks that the class menu went with it
  EXPECT_TRUE(UnregisterClassW(wc.lpszClassName, wc.hInstance));
}

TEST(DefWindowProcColours, ControlColourQueriesGetSystemColours) {
  HWND hwnd = CreateWindowExW(0, u"Static", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                              nullptr, nullptr);
  ASSERT_NE(hwnd, nullptr);
  HDC hdc = GetDC(hwnd);
  struct Case {
    UINT msg;
    int background, text;
  };
  const Case cases[] = {
      {WM_CTLCOLOREDIT, COLOR_WINDOW, COLOR_WINDOWTEXT},
      {WM_CTLCOLORLISTBOX, COLOR_WINDOW, COLOR_WINDOWTEXT},
      {WM_CTLCOLORBTN, COLOR_3DFACE, COLOR_BTNTEXT},
      {WM_CTLCOLORSTATIC, COLOR_3DFACE, COLOR_BTNTEXT},
      {WM_CTLCOLORDLG, COLOR_3DFACE, COLOR_BTNTEXT},
      {WM_CTLCOLORMSGBOX, COLOR_3DFACE, COLOR_BTNTEXT},
      {WM_CTLCOLORSCROLLBAR, COLOR_SCROLLBAR, COLOR_BTNTEXT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.msg);
    SetTextColor(hdc, RGB(1, 2, 3));
    SetBkColor(hdc, RGB(4, 5, 6));
    LRESULT brush = DefWindowProcW(hwnd, c.msg, reinterpret_cast<WPARAM>(hdc),
                                   reinterpret_cast<LPARAM>(hwnd));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), GetSysColorBrush(c.background));
    EXPECT_EQ(GetBkColor(hdc), GetSysColor(c.background));
    EXPECT_EQ(GetTextColor(hdc), GetSysColor(c.text));
  }
  ReleaseDC(hwnd, hdc);
  DestroyWindow(hwnd);
}

}  // namespace
