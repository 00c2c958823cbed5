// TrackPopupMenu, TrackPopupMenuEx and EndMenu.
#include "platform/user/menu/menu_tracker.h"
#include "platform/user/menu/window_menus.h"

using namespace talix::user::menu;

BOOL TrackPopupMenuEx(HMENU hMenu, UINT uFlags, int x, int y, HWND hwnd, LPTPMPARAMS lptpm) {
  if (!IsMenu(hMenu)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (lptpm && lptpm->cbSize != sizeof(TPMPARAMS)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (MenuTracker::Current()) {
    SetLastError(ERROR_POPUP_ALREADY_ACTIVE);
    return FALSE;
  }
  // The menu loop takes the mouse: whoever held the capture loses it.
  if (GetCapture()) ReleaseCapture();
  MenuTracker tracker(hwnd, uFlags, hMenu == PeekSystemMenu(hwnd));
  if (!tracker.OpenPopup(hMenu, x, y, lptpm ? &lptpm->rcExclude : nullptr)) {
    DWORD error = GetLastError();
    tracker.End();
    tracker.Run();  // the closing notifications still go out
    SetLastError(error);
    return FALSE;
  }
  UINT command = tracker.Run();
  return (uFlags & TPM_RETURNCMD) ? static_cast<BOOL>(command) : TRUE;
}

BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int, HWND hWnd, const RECT*) {
  return TrackPopupMenuEx(hMenu, uFlags, x, y, hWnd, nullptr);
}

BOOL EndMenu(void) {
  if (MenuTracker* tracker = MenuTracker::Current()) tracker->End();
  return TRUE;
}
