// Item states: CheckMenuItem, CheckMenuRadioItem, EnableMenuItem, HiliteMenuItem, the
// default item, check-mark bitmaps, and the menu-wide MENUINFO.
#include "platform/user/menu/menu_object.h"

using namespace talix;
using namespace talix::user::menu;

namespace {

constexpr UINT kNotFound = static_cast<UINT>(-1);

// Replaces the bits of `mask` in an item's state; returns the previous bits, or -1.
UINT ChangeState(HMENU hMenu, UINT item, UINT flags, UINT mask, UINT bits) {
  std::lock_guard<std::mutex> lock(MenuLock());
  if (!MenuOrErrorLocked(hMenu)) return kNotFound;
  ItemRef at;
  if (!FindItemLocked(hMenu, item, flags, &at)) return kNotFound;
  UINT& state = at.item()->state;
  UINT previous = state & mask;
  state = (state & ~mask) | (bits & mask);
  return previous;
}

}  // namespace

DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck) {
  return ChangeState(hMenu, uIDCheckItem, uCheck, MF_CHECKED, uCheck);
}

BOOL EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable) {
  return static_cast<BOOL>(
      ChangeState(hMenu, uIDEnableItem, uEnable, MF_GRAYED | MF_DISABLED, uEnable));
}

BOOL HiliteMenuItem(HWND, HMENU hMenu, UINT uIDHiliteItem, UINT uHilite) {
  return ChangeState(hMenu, uIDHiliteItem, uHilite, MF_HILITE, uHilite) != kNotFound;
}

// The group is the items from `first` to `last` in the menu that holds `first` (by
// command the two must share a menu). The chosen item gets MFT_RADIOCHECK and a check;
// the others lose both.
BOOL CheckMenuRadioItem(HMENU hmenu, UINT first, UINT last, UINT check, UINT flags) {
  std::lock_guard<std::mutex> lock(MenuLock());
  if (!MenuOrErrorLocked(hmenu)) return FALSE;
  ItemRef from, to, chosen;
  if (!FindItemLocked(hmenu, first, flags, &from) || !FindItemLocked(hmenu, last, flags, &to) ||
      !FindItemLocked(hmenu, check, flags, &chosen) || from.menu != to.menu ||
      chosen.menu != from.menu || from.index > to.index || chosen.index < from.index ||
      chosen.index > to.index) {
    SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
    return FALSE;
  }
  for (size_t i = from.index; i <= to.index; ++i) {
    MenuItem& item = from.owner->items[i];
    if (i == chosen.index) {
      item.type |= MFT_RADIOCHECK;
      item.state |= MFS_CHECKED;
    } else {
      item.type &= ~static_cast<UINT>(MFT_RADIOCHECK);
      item.state &= ~static_cast<UINT>(MFS_CHECKED);
    }
  }
  return TRUE;
}

BOOL SetMenuDefaultItem(HMENU hMenu, UINT uItem, UINT fByPos) {
  std::lock_guard<std::mutex> lock(MenuLock());
  Menu* menu = MenuOrErrorLocked(hMenu);
  if (!menu) return FALSE;
  size_t chosen = menu->items.size();
  if (uItem != kNotFound) {
    for (size_t i = 0; i < menu->items.size() && chosen == menu->items.size(); ++i)
      if (fByPos ? i == uItem : menu->items[i].id == uItem) chosen = i;
    if (chosen == menu->items.size()) {
      SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
      return FALSE;
    }
  }
  for (size_t i = 0; i < menu->items.size(); ++i) {
    UINT& state = menu->items[i].state;
    state = i == chosen ? (state | MFS_DEFAULT) : (state & ~static_cast<UINT>(MFS_DEFAULT));
  }
  return TRUE;
}

namespace {

// The default item of one menu level, following popups when asked.
UINT DefaultItemLocked(HMENU hMenu, UINT fByPos, UINT gmdiFlags, int depth) {
  Menu* menu = MenuLocked(hMenu);
  if (!menu || depth > kMaxMenuDepth) return kNotFound;
  for (size_t i = 0; i < menu->items.size(); ++i) {
    const MenuItem& item = menu->items[i];
    if (!(item.state & MFS_DEFAULT)) continue;
    if ((item.state & MFS_GRAYED) && !(gmdiFlags & GMDI_USEDISABLED)) return kNotFound;
    if (item.submenu && (gmdiFlags & GMDI_GOINTOPOPUPS)) {
      UINT inner = DefaultItemLocked(item.submenu, fByPos, gmdiFlags, depth + 1);
      if (inner != kNotFound) return inner;
    }
    return fByPos ? static_cast<UINT>(i) : item.id;
  }
  return kNotFound;
}

}  // namespace

UINT GetMenuDefaultItem(HMENU hMenu, UINT fByPos, UINT gmdiFlags) {
  std::lock_guard<std::mutex> lock(MenuLock());
  if (!MenuOrErrorLocked(hMenu)) return kNotFound;
  return DefaultItemLocked(hMenu, fByPos, gmdiFlags, 0);
}

BOOL SetMenuItemBitmaps(HMENU hMenu, UINT uPosition, UINT uFlags, HBITMAP hBitmapUnchecked,
                        HBITMAP hBitmapChecked) {
  std::lock_guard<std::mutex> lock(MenuLock());
  if (!MenuOrErrorLocked(hMenu)) return FALSE;
  ItemRef at;
  if (!FindItemLocked(hMenu, uPosition, uFlags, &at)) {
    SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
    return FALSE;
  }
  at.item()->checkedMark = hBitmapChecked;
  at.item()->uncheckedMark = hBitmapUnchecked;
  return TRUE;
}

namespace {

void ApplyMenuInfoLocked(HMENU hMenu, const MENUINFO& info, int depth) {
  Menu* menu = MenuLocked(hMenu);
  if (!menu || depth > kMaxMenuDepth) return;
  if (info.fMask & MIM_STYLE) menu->style = info.dwStyle;
  if (info.fMask & MIM_MAXHEIGHT) menu->maxHeight = info.cyMax;
  if (info.fMask & MIM_BACKGROUND) menu->background = info.hbrBack;
  if (info.fMask & MIM_HELPID) menu->helpId = info.dwContextHelpID;
  if (info.fMask & MIM_MENUDATA) menu->menuData = info.dwMenuData;
  if (!(info.fMask & MIM_APPLYTOSUBMENUS)) return;
  for (const MenuItem& item : menu->items)
    if (item.submenu) ApplyMenuInfoLocked(item.submenu, info, depth + 1);
}

bool MenuInfoUsable(const MENUINFO* info) {
  if (info && info->cbSize == sizeof(MENUINFO)) return true;
  SetLastError(ERROR_INVALID_PARAMETER);
  return false;
}

}  // namespace

BOOL SetMenuInfo(HMENU hMenu, LPCMENUINFO lpmi) {
  if (!MenuInfoUsable(lpmi)) return FALSE;
  std::lock_guard<std::mutex> lock(MenuLock());
  if (!MenuOrErrorLocked(hMenu)) return FALSE;
  ApplyMenuInfoLocked(hMenu, *lpmi, 0);
  return TRUE;
}

BOOL GetMenuInfo(HMENU hMenu, LPMENUINFO lpmi) {
  if (!MenuInfoUsable(lpmi)) return FALSE;
  std::lock_guard<std::mutex> lock(MenuLock());
  Menu* menu = MenuOrErrorLocked(hMenu);
  if (!menu) return FALSE;
  if (lpmi->fMask & MIM_STYLE) lpmi->dwStyle = menu->style;
  if (lpmi->fMask & MIM_MAXHEIGHT) lpmi->cyMax = menu->maxHeight;
  if (lpmi->fMask & MIM_BACKGROUND) lpmi->hbrBack = menu->background;
  if (lpmi->fMask & MIM_HELPID) lpmi->dwContextHelpID = menu->helpId;
  if (lpmi->fMask & MIM_MENUDATA) lpmi->dwMenuData = menu->menuData;
  return TRUE;
}
