// Item edits shared by the item functions and the template loader.
#pragma once

#include "platform/user/menu/menu_object.h"

namespace talix::user::menu {

// An item as the legacy AppendMenu/InsertMenu/ModifyMenu flags describe it.
MenuItem ItemFromFlags(UINT flags, UINT_PTR idOrSubmenu, LPCWSTR content);
// True when `submenu` may hang below `menu`: a live menu that does not contain `menu`.
// Sets ERROR_INVALID_MENU_HANDLE or ERROR_INVALID_PARAMETER otherwise.
bool SubmenuAllowedLocked(HMENU menu, HMENU submenu);
// Inserts before `position` (appends when past the end).
void InsertItemLocked(Menu& menu, size_t position, MenuItem item);

}  // namespace talix::user::menu
