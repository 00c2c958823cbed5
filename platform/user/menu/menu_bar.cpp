// The menu bar: drawing (DrawMenuBar, the frame's band), geometry (GetMenuItemRect,
// GetMenuBarInfo, MenuItemFromPoint) and the menu loop started from DefWindowProcW's
// SC_MOUSEMENU and SC_KEYMENU.
#include "platform/user/menu/menu_bar.h"

#include "platform/user/menu/menu_draw.h"
#include "platform/user/menu/menu_tracker.h"

namespace talix::user::menu {
namespace {

// The bar's items placed in window coordinates; empty for a window without a menu.
std::vector<ItemView> BarItems(HWND hwnd, HMENU menu, RECT* band) {
  *band = MenuBarBand(hwnd);
  std::vector<ItemView> items = SnapshotItems(menu);
  LayoutBar(hwnd, *band, items);
  return items;
}

POINT WindowOrigin(HWND hwnd) {
  RECT window{};
  GetWindowRect(hwnd, &window);
  return POINT{window.left, window.top};
}

RECT Offset(RECT r, POINT by) {
  return RECT{r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y};
}

// An item's screen rectangle in the window's bar or in an open popup.
bool ItemScreenRect(HWND hwnd, HMENU menu, UINT item, RECT* out) {
  if (menu == GetMenu(hwnd)) {
    RECT band;
    std::vector<ItemView> items = BarItems(hwnd, menu, &band);
    if (item >= items.size()) return false;
    *out = Offset(items[item].rect, WindowOrigin(hwnd));
    return true;
  }
  MenuTracker* tracker = MenuTracker::Current();
  if (!tracker) return false;
  for (HWND popup = FindWindowW(u"#32768", nullptr); popup;
       popup = FindWindowExW(nullptr, popup, u"#32768", nullptr)) {
    const Level* level = tracker->LevelOfWindow(popup);
    if (!level || level->menu != menu || item >= level->items.size()) continue;
    *out = Offset(level->items[item].rect, level->origin);
    return true;
  }
  return false;
}

}  // namespace

void DrawMenuBarBand(HWND hwnd, HDC hdc, const RECT& band) {
  HMENU menu = GetMenu(hwnd);
  std::vector<ItemView> items = SnapshotItems(menu);
  LayoutBar(hwnd, band, items);
  DrawBarItems(hdc, hwnd, menu, band, items);
}

void TrackMenuBarByMouse(HWND hwnd, POINT screen) {
  HMENU bar = GetMenu(hwnd);
  if (!bar || MenuTracker::Current()) return;
  if (GetCapture()) ReleaseCapture();
  MenuTracker tracker(hwnd, 0, false);
  if (tracker.OpenBar(bar)) {
    MSG press{hwnd, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(screen.x, screen.y), 0, screen};
    tracker.HandleMessage(press);
  }
  tracker.Run();
}

void TrackMenuBarByKey(HWND hwnd, WCHAR character) {
  HMENU bar = GetMenu(hwnd);
  if (!bar || MenuTracker::Current()) return;
  MenuTracker tracker(hwnd, 0, false);
  if (tracker.OpenBar(bar)) {
    // Alt alone highlights the first item, as a Right arrow from nothing would.
    MSG key{hwnd, static_cast<UINT>(character ? WM_SYSCHAR : WM_SYSKEYDOWN),
            static_cast<WPARAM>(character ? character : VK_RIGHT), 0, 0, {}};
    tracker.HandleMessage(key);
    if (tracker.BarHilite() < 0) tracker.End();  // a letter no item has
  }
  tracker.Run();
}

}  // namespace talix::user::menu

using namespace talix::user::menu;

BOOL DrawMenuBar(HWND hWnd) {
  if (!IsWindow(hWnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (GetMenu(hWnd) && IsWindowVisible(hWnd)) SendMessageW(hWnd, WM_NCPAINT, 1, 0);
  return TRUE;
}

BOOL GetMenuItemRect(HWND hWnd, HMENU hMenu, UINT uItem, LPRECT lprcItem) {
  if (!lprcItem) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *lprcItem = RECT{0, 0, 0, 0};
  if (!IsMenu(hMenu)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  if (!ItemScreenRect(hWnd, hMenu, uItem, lprcItem)) {
    SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
    return FALSE;
  }
  return TRUE;
}

int MenuItemFromPoint(HWND hWnd, HMENU hMenu, POINT ptScreen) {
  int count = GetMenuItemCount(hMenu);
  for (int i = 0; i < count; ++i) {
    RECT r;
    if (ItemScreenRect(hWnd, hMenu, static_cast<UINT>(i), &r) && ptScreen.x >= r.left &&
        ptScreen.x < r.right && ptScreen.y >= r.top && ptScreen.y < r.bottom)
      return i;
  }
  return -1;
}

BOOL GetMenuBarInfo(HWND hwnd, LONG idObject, LONG idItem, PMENUBARINFO pmbi) {
  if (!pmbi || pmbi->cbSize != sizeof(MENUBARINFO) || idItem < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  HMENU menu = nullptr;
  if (idObject == OBJID_MENU) {
    menu = GetMenu(hwnd);
  } else if (idObject == OBJID_CLIENT) {
    MenuTracker* tracker = MenuTracker::Current();
    const Level* level = tracker ? tracker->LevelOfWindow(hwnd) : nullptr;
    menu = level ? level->menu : nullptr;
  }
  if (!menu) {
    SetLastError(idObject == OBJID_MENU || idObject == OBJID_CLIENT ? ERROR_INVALID_MENU_HANDLE
                                                                  : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  RECT rect{0, 0, 0, 0};
  if (idItem > 0) {
    if (!ItemScreenRect(hwnd, menu, static_cast<UINT>(idItem - 1), &rect)) {
      SetLastError(ERROR_MENU_ITEM_NOT_FOUND);
      return FALSE;
    }
  } else if (idObject == OBJID_MENU) {
    rect = Offset(MenuBarBand(hwnd), WindowOrigin(hwnd));
  } else {
    GetWindowRect(hwnd, &rect);
  }
  pmbi->rcBar = rect;
  pmbi->hMenu = menu;
  pmbi->hwndMenu = nullptr;
  MenuTracker* tracker = MenuTracker::Current();
  pmbi->fBarFocused = tracker && idObject == OBJID_MENU && tracker->Owner() == hwnd;
  UINT state = idItem > 0 ? GetMenuState(menu, static_cast<UINT>(idItem - 1), MF_BYPOSITION) : 0;
  pmbi->fFocused = idItem > 0 && state != static_cast<UINT>(-1) && (state & MF_HILITE);
  return TRUE;
}
