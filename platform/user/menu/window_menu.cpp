// GetMenu, SetMenu and GetSystemMenu.
//
// A top-level window keeps its menu handle in its id slot (child windows keep their child
// id there, so they have no menu). SetMenu recomputes the frame, since the menu bar takes
// room from the client area. The window menu is a per-window popup copied from the
// standard one on first use; its states follow the window's style when it is made.
#include "platform/user/menu/window_menus.h"

#include "platform/user/menu/menu_object.h"
#include "platform/user/window/window_object.h"

#include <map>

using namespace talix;
using namespace talix::user;
using namespace talix::user::menu;

namespace {

struct StandardEntry {
  UINT command;
  const char16_t* text;
};
constexpr StandardEntry kStandardEntries[] = {
    {SC_RESTORE, u"&Restore"},   {SC_MOVE, u"&Move"},         {SC_SIZE, u"&Size"},
    {SC_MINIMIZE, u"Mi&nimize"}, {SC_MAXIMIZE, u"Ma&ximize"}, {0, nullptr},
    {SC_CLOSE, u"&Close\tAlt+F4"}};

// Window menus by window; guarded by MenuLock.
std::map<HWND, HMENU>& SystemMenus() {
  static auto* menus = new std::map<HWND, HMENU>;
  return *menus;
}

bool TopLevelMenuSlot(HWND hwnd, bool* child, HMENU* menu) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowOrErrorLocked(hwnd);
  if (!window) return false;
  *child = (window->style & WS_CHILD) != 0;
  *menu = *child ? nullptr : reinterpret_cast<HMENU>(window->id);
  return true;
}

HMENU TakeSystemMenu(HWND hwnd) {
  std::lock_guard<std::mutex> lock(MenuLock());
  auto it = SystemMenus().find(hwnd);
  if (it == SystemMenus().end()) return nullptr;
  HMENU menu = it->second;
  SystemMenus().erase(it);
  return menu;
}

UINT GrayedUnless(bool enabled) { return enabled ? MF_ENABLED : MF_GRAYED; }

// The standard window menu, its states chosen from the window's style.
HMENU MakeSystemMenu(DWORD style) {
  HMENU menu = CreatePopupMenu();
  if (!menu) return nullptr;
  bool sized = (style & (WS_MINIMIZE | WS_MAXIMIZE)) != 0;
  for (const StandardEntry& entry : kStandardEntries) {
    UINT flags = entry.text ? MF_STRING : MF_SEPARATOR;
    switch (entry.command) {
      case SC_RESTORE: flags |= GrayedUnless(sized); break;
      case SC_MOVE: flags |= GrayedUnless(!(style & WS_MAXIMIZE)); break;
      case SC_SIZE: flags |= GrayedUnless((style & WS_THICKFRAME) && !sized); break;
      case SC_MINIMIZE: flags |= GrayedUnless((style & WS_MINIMIZEBOX) && !(style & WS_MINIMIZE)); break;
      case SC_MAXIMIZE: flags |= GrayedUnless((style & WS_MAXIMIZEBOX) && !(style & WS_MAXIMIZE)); break;
      default: break;
    }
    AppendMenuW(menu, flags, entry.command, entry.text);
  }
  SetMenuDefaultItem(menu, SC_CLOSE, FALSE);
  return menu;
}

}  // namespace

namespace talix::user::menu {

bool IsStandardSystemCommand(UINT command) {
  for (const StandardEntry& entry : kStandardEntries)
    if (entry.text && entry.command == command) return true;
  return false;
}

HMENU PeekSystemMenu(HWND hwnd) {
  std::lock_guard<std::mutex> lock(MenuLock());
  auto it = SystemMenus().find(hwnd);
  return it == SystemMenus().end() ? nullptr : it->second;
}

void DestroyWindowMenus(HWND hwnd) {
  bool child = false;
  HMENU bar = nullptr;
  if (TopLevelMenuSlot(hwnd, &child, &bar) && bar && IsMenu(bar)) DestroyMenu(bar);
  if (HMENU system = TakeSystemMenu(hwnd)) DestroyMenu(system);
}

}  // namespace talix::user::menu

HMENU GetMenu(HWND hWnd) {
  bool child = false;
  HMENU menu = nullptr;
  if (!TopLevelMenuSlot(hWnd, &child, &menu)) return nullptr;
  return menu;
}

BOOL SetMenu(HWND hWnd, HMENU hMenu) {
  if (hMenu && !IsMenu(hMenu)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  {
    std::lock_guard<std::mutex> lock(UserLock());
    Window* window = WindowOrErrorLocked(hWnd);
    if (!window) return FALSE;
    if (window->style & WS_CHILD) {
      SetLastError(ERROR_CHILD_WINDOW_MENU);
      return FALSE;
    }
    window->id = reinterpret_cast<LONG_PTR>(hMenu);
  }
  SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return TRUE;
}

HMENU GetSystemMenu(HWND hWnd, BOOL bRevert) {
  DWORD style = 0;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    Window* window = WindowOrErrorLocked(hWnd);
    if (!window) return nullptr;
    style = window->style;
  }
  if (bRevert) {
    if (HMENU copy = TakeSystemMenu(hWnd)) DestroyMenu(copy);
    return nullptr;
  }
  if (HMENU existing = PeekSystemMenu(hWnd)) return existing;
  HMENU made = MakeSystemMenu(style);
  if (!made) return nullptr;
  HMENU kept;
  {
    std::lock_guard<std::mutex> lock(MenuLock());
    kept = SystemMenus().emplace(hWnd, made).first->second;
  }
  if (kept != made) DestroyMenu(made);  // another thread made one first
  return kept;
}
