#include "platform/user/menu/menu_object.h"

#include <win/base.h>

#include <algorithm>

namespace talix::user::menu {

std::mutex& MenuLock() {
  static auto* lock = new std::mutex;  // outlives threads that still hold menus
  return *lock;
}

HandleTable<Menu>& Menus() {
  static auto* table = new HandleTable<Menu>(HandleKind::Menu);
  return *table;
}

HMENU NewMenu(bool popup) {
  auto menu = std::make_shared<Menu>();
  menu->popup = popup;
  uint32_t value = Menus().Add(std::move(menu));
  if (!value) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return HandleFromValue<HMENU>(value);
}

Menu* MenuLocked(HMENU menu) { return Menus().Peek(ValueOfHandle(menu)); }

Menu* MenuOrErrorLocked(HMENU menu) {
  Menu* object = MenuLocked(menu);
  if (!object) SetLastError(ERROR_INVALID_MENU_HANDLE);
  return object;
}

namespace {

bool MatchesCommand(const MenuItem& item, UINT command) {
  if (item.id == command) return true;
  return item.submenu && static_cast<UINT>(ValueOfHandle(item.submenu)) == command;
}

bool FindByCommandLocked(HMENU menu, UINT command, int depth, ItemRef* out) {
  Menu* object = MenuLocked(menu);
  if (!object || depth > kMaxMenuDepth) return false;
  for (size_t i = 0; i < object->items.size(); ++i) {
    const MenuItem& item = object->items[i];
    if (MatchesCommand(item, command)) {
      *out = ItemRef{menu, object, i};
      return true;
    }
    if (item.submenu && FindByCommandLocked(item.submenu, command, depth + 1, out)) return true;
  }
  return false;
}

}  // namespace

bool FindItemLocked(HMENU menu, UINT item, UINT flags, ItemRef* out) {
  Menu* object = MenuLocked(menu);
  if (!object) return false;
  if (flags & MF_BYPOSITION) {
    if (item >= object->items.size()) return false;
    *out = ItemRef{menu, object, item};
    return true;
  }
  return FindByCommandLocked(menu, item, 0, out);
}

bool ContainsMenuLocked(HMENU menu, HMENU candidate) {
  // Cycles are refused on insertion, so the walk ends; the depth bound is a backstop.
  struct Walker {
    HMENU target;
    bool Walk(HMENU at, int depth) const {
      if (at == target) return true;
      Menu* object = MenuLocked(at);
      if (!object || depth > kMaxMenuDepth) return false;
      for (const MenuItem& item : object->items)
        if (item.submenu && Walk(item.submenu, depth + 1)) return true;
      return false;
    }
  };
  return Walker{candidate}.Walk(menu, 0);
}

void DestroyMenuTreeLocked(HMENU menu, std::vector<std::shared_ptr<Menu>>* graveyard) {
  std::shared_ptr<Menu> object = Menus().Take(ValueOfHandle(menu));
  if (!object) return;
  for (const MenuItem& item : object->items)
    if (item.submenu) DestroyMenuTreeLocked(item.submenu, graveyard);
  graveyard->push_back(std::move(object));
}

UINT ItemStateFlagsLocked(const MenuItem& item) {
  UINT flags = item.type | item.state;
  if (item.submenu) {
    Menu* sub = MenuLocked(item.submenu);
    size_t count = sub ? sub->items.size() : 0;
    flags = (flags & 0xFF) | MF_POPUP | (static_cast<UINT>(std::min<size_t>(count, 0xFF)) << 8);
  }
  return flags;
}

}  // namespace talix::user::menu
