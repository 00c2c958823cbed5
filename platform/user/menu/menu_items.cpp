// AppendMenuW, InsertMenuW, ModifyMenuW, RemoveMenu and DeleteMenu: the legacy item
// functions driven by MF_* flags.
//
// MF_POPUP items carry their submenu's handle as their id too, so a by-command search
// finds them by that handle. An MF_OWNERDRAW item's content pointer is its item data (the
// itemData of WM_MEASUREITEM/WM_DRAWITEM); an MF_BITMAP item's content is its bitmap.
// ModifyMenuW destroys the submenu of the item it replaces unless the new content keeps
// it; RemoveMenu detaches a submenu, DeleteMenu destroys it.
#include "platform/user/menu/menu_items.h"

#include <algorithm>

using namespace talix;
using namespace talix::user::menu;

namespace talix::user::menu {

constexpr UINT kLegacyTypeBits =
    MF_MENUBARBREAK | MF_MENUBREAK | MF_RIGHTJUSTIFY | MFT_RADIOCHECK | MFT_RIGHTORDER;
constexpr UINT kLegacyStateBits = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_DEFAULT;

MenuItem ItemFromFlags(UINT flags, UINT_PTR idOrSubmenu, LPCWSTR content) {
  MenuItem item;
  item.type = flags & kLegacyTypeBits;
  item.state = flags & kLegacyStateBits;
  item.id = static_cast<UINT>(idOrSubmenu);
  if (flags & MF_POPUP) item.submenu = reinterpret_cast<HMENU>(idOrSubmenu);
  if (flags & MF_SEPARATOR) {
    item.type |= MFT_SEPARATOR;
  } else if (flags & MF_BITMAP) {
    item.type |= MFT_BITMAP;
    item.bitmap = reinterpret_cast<HBITMAP>(const_cast<LPWSTR>(content));
  } else if (flags & MF_OWNERDRAW) {
    item.type |= MFT_OWNERDRAW;
    item.data = reinterpret_cast<ULONG_PTR>(content);
  } else if (content) {
    item.hasText = true;
    item.text = content;
  }
  return item;
}

bool SubmenuAllowedLocked(HMENU menu, HMENU submenu) {
  if (!MenuOrErrorLocked(submenu)) return false;
  if (ContainsMenuLocked(submenu, menu)) {
    SetLastError(ERROR_INVALID_PARAMETER);  // would make the menu its own descendant
    return false;
  }
  return true;
}

void InsertItemLocked(Menu& menu, size_t position, MenuItem item) {
  position = std::min(position, menu.items.size());
  menu.items.insert(menu.items.begin() + static_cast<ptrdiff_t>(position), std::move(item));
}

}  // namespace talix::user::menu

namespace {

bool InsertLegacy(HMENU hMenu, UINT position, UINT flags, UINT_PTR id, LPCWSTR content,
                  bool append) {
  std::lock_guard<std::mutex> lock(MenuLock());
  Menu* menu = MenuOrErrorLocked(hMenu);
  if (!menu) return false;
  MenuItem item = ItemFromFlags(flags, id, content);
  if (item.submenu && !SubmenuAllowedLocked(hMenu, item.submenu)) return false;
  if (append) {
    InsertItemLocked(*menu, menu->items.size(), std::move(item));
    return true;
  }
  if (flags & MF_BYPOSITION) {
    InsertItemLocked(*menu, position, std::move(item));
    return true;
  }
  ItemRef at;
  if (!FindItemLocked(hMenu, position, MF_BYCOMMAND, &at)) {
    SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
    return false;
  }
  if (item.submenu && !SubmenuAllowedLocked(at.menu, item.submenu)) return false;
  InsertItemLocked(*at.owner, at.index, std::move(item));
  return true;
}

// Finds an item or sets the documented errors.
bool FindOrErrorLocked(HMENU hMenu, UINT position, UINT flags, ItemRef* at) {
  if (!MenuOrErrorLocked(hMenu)) return false;
  if (FindItemLocked(hMenu, position, flags, at)) return true;
  SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
  return false;
}

BOOL Remove(HMENU hMenu, UINT position, UINT flags, bool destroySubmenu) {
  std::vector<std::shared_ptr<Menu>> graveyard;
  std::lock_guard<std::mutex> lock(MenuLock());
  ItemRef at;
  if (!FindOrErrorLocked(hMenu, position, flags, &at)) return FALSE;
  HMENU submenu = at.item()->submenu;
  at.owner->items.erase(at.owner->items.begin() + static_cast<ptrdiff_t>(at.index));
  if (destroySubmenu && submenu) DestroyMenuTreeLocked(submenu, &graveyard);
  return TRUE;
}

}  // namespace

BOOL AppendMenuW(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem) {
  return InsertLegacy(hMenu, 0, uFlags, uIDNewItem, lpNewItem, true);
}

BOOL InsertMenuW(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem,
                 LPCWSTR lpNewItem) {
  return InsertLegacy(hMenu, uPosition, uFlags, uIDNewItem, lpNewItem, false);
}

BOOL ModifyMenuW(HMENU hMnu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem,
                 LPCWSTR lpNewItem) {
  std::vector<std::shared_ptr<Menu>> graveyard;
  std::lock_guard<std::mutex> lock(MenuLock());
  ItemRef at;
  if (!FindOrErrorLocked(hMnu, uPosition, uFlags, &at)) return FALSE;
  MenuItem replacement = ItemFromFlags(uFlags, uIDNewItem, lpNewItem);
  if (replacement.submenu && !SubmenuAllowedLocked(at.menu, replacement.submenu)) return FALSE;
  MenuItem& item = *at.item();
  if (!(uFlags & MF_OWNERDRAW)) replacement.data = item.data;
  replacement.checkedMark = item.checkedMark;
  replacement.uncheckedMark = item.uncheckedMark;
  HMENU old = item.submenu;
  item = std::move(replacement);
  if (old && old != item.submenu) DestroyMenuTreeLocked(old, &graveyard);
  return TRUE;
}

BOOL RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
  return Remove(hMenu, uPosition, uFlags, false);
}

BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags) {
  return Remove(hMenu, uPosition, uFlags, true);
}
