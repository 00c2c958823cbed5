// TranslateAcceleratorW.
//
// WM_KEYDOWN/WM_SYSKEYDOWN match FVIRTKEY entries by virtual key with Shift, Ctrl and Alt
// exactly as the entry asks; WM_CHAR/WM_SYSCHAR match character entries by character
// with Alt as the entry asks (Shift and Ctrl are part of the character). The first match
// wins. A command that is an item of the window menu is sent as WM_SYSCOMMAND, any other
// as WM_COMMAND; both carry 1 in the high word of wParam. When the command is an item of
// the window's menu bar or window menu, WM_INITMENU (and WM_INITMENUPOPUP for an item in
// a submenu) go first unless the window is disabled or minimized; a grayed or disabled
// item sends no command, and a minimized window gets no command for an item of its menu
// bar. The key counts as translated in all of these cases.
//
// Limits: mouse capture does not hold the menu messages back (there is no capture yet).
#include "platform/user/accel/accel_table.h"
#include "platform/user/accel/modifier_state.h"
#include "platform/user/menu/menu_object.h"
#include "platform/user/menu/window_menus.h"

using namespace talix;
using namespace talix::user;

namespace {

bool Matches(const ACCEL& entry, const MSG& msg, const accel::AcceleratorModifiers& mods) {
  bool virtualKey = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
  if (((entry.fVirt & FVIRTKEY) != 0) != virtualKey) return false;
  if (entry.key != static_cast<WORD>(msg.wParam)) return false;
  if (((entry.fVirt & FALT) != 0) != mods.alt) return false;
  if (!virtualKey) return true;
  return ((entry.fVirt & FSHIFT) != 0) == mods.shift &&
         ((entry.fVirt & FCONTROL) != 0) == mods.control;
}

// Where a command sits in a menu: the item's state and, for an item inside a submenu,
// that submenu and the position of the item that opens it.
struct MenuHit {
  bool found = false;
  UINT state = 0;
  HMENU popup = nullptr;
  UINT popupIndex = 0;
};

MenuHit FindCommand(HMENU top, UINT command) {
  MenuHit hit;
  if (!top) return hit;
  std::lock_guard<std::mutex> lock(menu::MenuLock());
  menu::ItemRef at;
  if (!menu::FindItemLocked(top, command, MF_BYCOMMAND, &at)) return hit;
  hit.found = true;
  hit.state = at.item()->state;
  menu::ItemRef opener;
  if (at.menu != top &&
      menu::FindItemLocked(top, static_cast<UINT>(ValueOfHandle(at.menu)), MF_BYCOMMAND, &opener)) {
    hit.popup = at.menu;
    hit.popupIndex = static_cast<UINT>(opener.index);
  }
  return hit;
}

void SendInitMessages(HWND hwnd, HMENU top, const MenuHit& hit, bool systemMenu) {
  SendMessageW(hwnd, WM_INITMENU, reinterpret_cast<WPARAM>(top), 0);
  if (hit.popup)
    SendMessageW(hwnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hit.popup),
                 MAKELPARAM(hit.popupIndex, systemMenu ? 1 : 0));
}

void SendCommand(HWND hwnd, WORD command) {
  DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
  bool quiet = (style & (WS_DISABLED | WS_MINIMIZE)) != 0;
  HMENU systemMenu = menu::PeekSystemMenu(hwnd);
  MenuHit hit = FindCommand(systemMenu, command);
  bool system = hit.found || (!systemMenu && (style & WS_SYSMENU) &&
                              menu::IsStandardSystemCommand(command));
  HMENU top = systemMenu;
  if (!system) {
    top = (style & WS_CHILD) ? nullptr : GetMenu(hwnd);
    hit = FindCommand(top, command);
  }
  if (hit.found) {
    if (!quiet) SendInitMessages(hwnd, top, hit, system);
    if (hit.state & (MF_GRAYED | MF_DISABLED)) return;
    if (!system && (style & WS_MINIMIZE)) return;
  }
  SendMessageW(hwnd, system ? WM_SYSCOMMAND : WM_COMMAND, MAKEWPARAM(command, 1), 0);
}

}  // namespace

int TranslateAcceleratorW(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg) {
  if (!lpMsg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::vector<ACCEL> entries;
  if (!accel::AcceleratorEntries(hAccTable, &entries)) return 0;
  if (!IsWindow(hWnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  switch (lpMsg->message) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_CHAR: case WM_SYSCHAR: break;
    default: return 0;
  }
  accel::AcceleratorModifiers mods = accel::ModifierStateForAccelerators();
  for (const ACCEL& entry : entries) {
    if (!Matches(entry, *lpMsg, mods)) continue;
    SendCommand(hWnd, entry.cmd);
    return 1;
  }
  return 0;
}
