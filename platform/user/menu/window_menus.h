// The menus a window holds: its menu bar (top-level windows) and its window menu.
#pragma once

#include <win/menu.h>

namespace talix::user::menu {

// Destroys the menu and the window-menu copy of a window that is going away. Called by
// DestroyWindow after WM_NCDESTROY.
void DestroyWindowMenus(HWND hwnd);

// The window's own copy of the window menu if GetSystemMenu made one, else null.
HMENU PeekSystemMenu(HWND hwnd);

// True when `command` is one of the standard window-menu commands (SC_RESTORE, SC_MOVE,
// SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE).
bool IsStandardSystemCommand(UINT command);

}  // namespace talix::user::menu
