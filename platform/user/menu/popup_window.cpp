// The popup menu window ("#32768"): it never activates and draws the level of the running
// menu loop it shows.
#include "platform/user/menu/menu_draw.h"
#include "platform/user/menu/menu_tracker.h"

#include <win/paint.h>

namespace talix::user::menu {

LRESULT CALLBACK PopupMenuProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC hdc = BeginPaint(hwnd, &ps);
      MenuTracker* tracker = MenuTracker::Current();
      const Level* level = tracker ? tracker->LevelOfWindow(hwnd) : nullptr;
      if (hdc && level) {
        RECT client{};
        GetClientRect(hwnd, &client);
        PopupPaint paint{tracker->Owner(), level->menu, &level->items, &level->layout,
                         level->hilite};
        DrawPopup(hdc, client, paint);
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    default:
      return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

}  // namespace talix::user::menu
