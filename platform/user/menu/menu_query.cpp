// GetMenuItemCount, GetMenuItemID, GetSubMenu, GetMenuState and GetMenuStringW.
#include "platform/user/menu/menu_object.h"

#include <algorithm>

using namespace talix;
using namespace talix::user::menu;

int GetMenuItemCount(HMENU hMenu) {
  std::lock_guard<std::mutex> lock(MenuLock());
  Menu* menu = MenuOrErrorLocked(hMenu);
  return menu ? static_cast<int>(menu->items.size()) : -1;
}

UINT GetMenuItemID(HMENU hMenu, int nPos) {
  std::lock_guard<std::mutex> lock(MenuLock());
  ItemRef at;
  if (nPos < 0 || !FindItemLocked(hMenu, static_cast<UINT>(nPos), MF_BYPOSITION, &at))
    return static_cast<UINT>(-1);
  return at.item()->submenu ? static_cast<UINT>(-1) : at.item()->id;
}

HMENU GetSubMenu(HMENU hMenu, int nPos) {
  std::lock_guard<std::mutex> lock(MenuLock());
  ItemRef at;
  if (nPos < 0 || !FindItemLocked(hMenu, static_cast<UINT>(nPos), MF_BYPOSITION, &at))
    return nullptr;
  HMENU submenu = at.item()->submenu;
  return MenuLocked(submenu) ? submenu : nullptr;
}

UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags) {
  std::lock_guard<std::mutex> lock(MenuLock());
  ItemRef at;
  if (!MenuOrErrorLocked(hMenu)) return static_cast<UINT>(-1);
  if (!FindItemLocked(hMenu, uId, uFlags, &at)) return static_cast<UINT>(-1);
  return ItemStateFlagsLocked(*at.item());
}

// The text length without a buffer (or with cchMax 0); otherwise the characters copied (at most cchMax - 1),
// always terminated. 0 when the item does not exist or has no text.
int GetMenuStringW(HMENU hMenu, UINT uIDItem, LPWSTR lpString, int cchMax, UINT flags) {
  std::lock_guard<std::mutex> lock(MenuLock());
  if (!MenuOrErrorLocked(hMenu)) return 0;
  ItemRef at;
  bool found = FindItemLocked(hMenu, uIDItem, flags, &at);
  if (!found) SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
  if (lpString && cchMax > 0) lpString[0] = 0;
  if (!found || !at.item()->hasText) return 0;
  const std::u16string& text = at.item()->text;
  if (!lpString || cchMax <= 0) return static_cast<int>(text.size());
  size_t copied = std::min(text.size(), static_cast<size_t>(cchMax - 1));
  std::copy_n(text.data(), copied, lpString);
  lpString[copied] = 0;
  return static_cast<int>(copied);
}
