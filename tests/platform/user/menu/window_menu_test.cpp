// The menu of a top-level window and its window menu.
#include "window_test_support.h"

namespace talix::testing {
namespace {

int ClientHeight(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  return r.bottom - r.top;
}

TEST_F(MenuWindowTest, SetMenuStoresTheMenuAndTakesRoomFromTheClient) {
  HWND hwnd = MakeWindow(WS_OVERLAPPEDWINDOW);
  ASSERT_NE(hwnd, nullptr);
  HMENU menu = CreateMenu();
  EXPECT_EQ(GetMenu(hwnd), nullptr);
  int plain = ClientHeight(hwnd);
  ASSERT_TRUE(SetMenu(hwnd, menu));
  EXPECT_EQ(GetMenu(hwnd), menu);
  EXPECT_EQ(plain - ClientHeight(hwnd), GetSystemMetrics(SM_CYMENU));
  EXPECT_TRUE(DrawMenuBar(hwnd));
  ASSERT_TRUE(SetMenu(hwnd, nullptr));
  EXPECT_EQ(ClientHeight(hwnd), plain);
  EXPECT_TRUE(IsMenu(menu));  // SetMenu never destroys the menu it replaces

  HWND child = MakeWindow(WS_CHILD, hwnd);
  SetLastError(0);
  EXPECT_FALSE(SetMenu(child, menu));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CHILD_WINDOW_MENU));
  EXPECT_EQ(GetMenu(child), nullptr);
  SetLastError(0);
  EXPECT_FALSE(SetMenu(hwnd, reinterpret_cast<HMENU>(0x4242)));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
  EXPECT_EQ(GetMenu(nullptr), nullptr);
  DestroyWindow(hwnd);
  DestroyMenu(menu);
}

TEST_F(MenuWindowTest, DestroyingTheWindowDestroysItsMenus) {
  HMENU bar = CreateMenu();
  HMENU sub = CreatePopupMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), u"sub");
  HWND hwnd = MakeWindow(WS_OVERLAPPEDWINDOW, nullptr, bar);
  EXPECT_EQ(GetMenu(hwnd), bar);
  HMENU system = GetSystemMenu(hwnd, FALSE);
  ASSERT_NE(system, nullptr);
  DestroyWindow(hwnd);
  EXPECT_FALSE(IsMenu(bar));
  EXPECT_FALSE(IsMenu(sub));
  EXPECT_FALSE(IsMenu(system));
}

TEST_F(MenuWindowTest, WindowMenuIsAPerWindowCopy) {
  HWND framed = MakeWindow(WS_OVERLAPPEDWINDOW);
  HWND fixed = MakeWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU);
  HMENU menu = GetSystemMenu(framed, FALSE);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(GetSystemMenu(framed, FALSE), menu);
  struct Expected {
    UINT id;
    UINT framedState;
    UINT fixedState;
  } expected[] = {{SC_RESTORE, MF_GRAYED, MF_GRAYED},  {SC_MOVE, 0, 0},
                  {SC_SIZE, 0, MF_GRAYED},            {SC_MINIMIZE, 0, MF_GRAYED},
                  {SC_MAXIMIZE, 0, MF_GRAYED},        {0, MF_SEPARATOR, MF_SEPARATOR},
                  {SC_CLOSE, MF_DEFAULT, MF_DEFAULT}};
  HMENU other = GetSystemMenu(fixed, FALSE);
  ASSERT_EQ(GetMenuItemCount(menu), 7);
  ASSERT_EQ(GetMenuItemCount(other), 7);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(GetMenuItemID(menu, i), expected[i].id) << i;
    EXPECT_EQ(GetMenuState(menu, i, MF_BYPOSITION), expected[i].framedState) << i;
    EXPECT_EQ(GetMenuState(other, i, MF_BYPOSITION), expected[i].fixedState) << i;
  }
  EXPECT_EQ(GetMenuDefaultItem(menu, FALSE, 0), static_cast<UINT>(SC_CLOSE));

  // Edits stay with the window's copy until it is reverted.
  ASSERT_TRUE(DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND));
  ASSERT_TRUE(RemoveMenu(menu, SC_SIZE, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuItemCount(GetSystemMenu(framed, FALSE)), 5);
  EXPECT_EQ(GetMenuItemCount(other), 7);
  EXPECT_EQ(GetSystemMenu(framed, TRUE), nullptr);
  EXPECT_FALSE(IsMenu(menu));
  EXPECT_EQ(GetMenuItemCount(GetSystemMenu(framed, FALSE)), 7);
  EXPECT_EQ(GetSystemMenu(reinterpret_cast<HWND>(0x1234), FALSE), nullptr);
  DestroyWindow(framed);
  DestroyWindow(fixed);
}

}  // namespace
}  // namespace talix::testing
