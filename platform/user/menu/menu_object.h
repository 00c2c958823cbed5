// Menu objects: items held in a handle table of kind Menu.
//
// One lock (MenuLock) guards every menu; it is never held while a window procedure runs.
// Items name their submenus by handle, so a submenu destroyed behind its parent's back
// leaves a stale handle that lookups skip, never a dangling pointer. A menu may not
// contain itself, directly or through its submenus: insertions that would close a cycle
// fail, so every walk down the submenus ends.
#pragma once

#include "platform/kernel/handle_table.h"

#include <win/menu.h>
#include <win/user.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace talix::user::menu {

// Deeper nesting than this is refused (templates) or not searched (by-command lookups).
constexpr int kMaxMenuDepth = 32;

struct MenuItem {
  UINT type = MFT_STRING;  // MFT_* bits
  UINT state = 0;          // MFS_* bits as set (grayed and disabled are kept apart)
  UINT id = 0;
  HMENU submenu = nullptr;
  HBITMAP checkedMark = nullptr;
  HBITMAP uncheckedMark = nullptr;
  ULONG_PTR data = 0;
  HBITMAP bitmap = nullptr;   // hbmpItem, or the bitmap of an MFT_BITMAP item
  bool hasText = false;       // kept apart from the type: owner-draw items keep it
  std::u16string text;
};

struct Menu {
  bool popup = false;  // made by CreatePopupMenu (or a template's submenu)
  std::vector<MenuItem> items;
  DWORD style = 0;     // MNS_*
  UINT maxHeight = 0;
  HBRUSH background = nullptr;
  DWORD helpId = 0;
  ULONG_PTR menuData = 0;
};

std::mutex& MenuLock();
HandleTable<Menu>& Menus();

HMENU NewMenu(bool popup);
// The menu behind a handle; null when stale (requires MenuLock). The Or-error form sets
// ERROR_INVALID_MENU_HANDLE.
Menu* MenuLocked(HMENU menu);
Menu* MenuOrErrorLocked(HMENU menu);

// Where an item lives: its menu and its position there.
struct ItemRef {
  HMENU menu = nullptr;
  Menu* owner = nullptr;
  size_t index = 0;
  MenuItem* item() const { return &owner->items[index]; }
};

// Finds an item by position (MF_BYPOSITION in flags) or by command, searching submenus
// depth-first; a popup item is also found by its submenu's handle value. False when
// there is no such item (the caller sets the error).
bool FindItemLocked(HMENU menu, UINT item, UINT flags, ItemRef* out);

// True when `candidate` is `menu` or one of its submenus at any depth.
bool ContainsMenuLocked(HMENU menu, HMENU candidate);

// Removes a menu and its submenus from the table; their objects are handed to `graveyard`
// so they die outside the lock.
void DestroyMenuTreeLocked(HMENU menu, std::vector<std::shared_ptr<Menu>>* graveyard);

// The GetMenuState-style flags of an item (type and state bits, MF_POPUP and the
// submenu's item count in the high byte for popups).
UINT ItemStateFlagsLocked(const MenuItem& item);

}  // namespace talix::user::menu
