// CreateMenu, CreatePopupMenu, DestroyMenu and IsMenu.
#include "platform/user/menu/menu_object.h"

using namespace talix;
using namespace talix::user::menu;

HMENU CreateMenu(void) { return NewMenu(false); }

HMENU CreatePopupMenu(void) { return NewMenu(true); }

BOOL DestroyMenu(HMENU hMenu) {
  std::vector<std::shared_ptr<Menu>> graveyard;
  std::lock_guard<std::mutex> lock(MenuLock());
  if (!MenuOrErrorLocked(hMenu)) return FALSE;
  DestroyMenuTreeLocked(hMenu, &graveyard);
  return TRUE;
}

BOOL IsMenu(HMENU hMenu) {
  std::lock_guard<std::mutex> lock(MenuLock());
  return MenuLocked(hMenu) != nullptr;
}
