// The cursor: its position, its shape, and DefWindowProcW's WM_SETCURSOR.
#include "platform/user/input/def_input.h"
#include "platform/user/input/input_state.h"
#include "platform/user/input/system_input.h"

#include <win/icon.h>

#include <algorithm>

using namespace talix;
using namespace talix::user;

namespace {

LPCWSTR CursorOfHitTest(int hit) {
  switch (hit) {
    case HTLEFT: case HTRIGHT: return IDC_SIZEWE;
    case HTTOP: case HTBOTTOM: return IDC_SIZENS;
    case HTTOPLEFT: case HTBOTTOMRIGHT: return IDC_SIZENWSE;
    case HTTOPRIGHT: case HTBOTTOMLEFT: return IDC_SIZENESW;
    default: return IDC_ARROW;
  }
}

}  // namespace

namespace talix::user {

LRESULT DefSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  HWND parent = nullptr;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    Window* window = WindowLocked(hwnd);
    if (!window) return FALSE;
    if ((window->style & WS_CHILD) && window->parent && window->parent->parent)
      parent = window->parent->hwnd;
  }
  // The parent decides first, so it can set the cursor over its children.
  if (parent && SendMessageW(parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
  int hit = static_cast<short>(LOWORD(lParam));
  if (hit == HTCLIENT) {
    auto shape = reinterpret_cast<HCURSOR>(GetClassLongPtrW(hwnd, GCLP_HCURSOR));
    if (shape) SetCursor(shape);
    return FALSE;
  }
  if (hit != HTERROR && hit != HTNOWHERE) SetCursor(LoadCursorW(nullptr, CursorOfHitTest(hit)));
  return FALSE;
}

}  // namespace talix::user

BOOL GetCursorPos(LPPOINT point) {
  if (!point) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard<std::mutex> lock(UserLock());
  *point = InputLocked().cursor;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  RawInput move{};
  move.kind = RawInput::MouseMove;
  move.pt = POINT{x, y};
  InjectInput(move);  // the move reaches the windows like any other (kept on the screen)
  return TRUE;
}

HCURSOR SetCursor(HCURSOR cursor) {
  std::lock_guard<std::mutex> lock(UserLock());
  HCURSOR old = InputLocked().cursorShape;
  InputLocked().cursorShape = cursor;
  return old;
}

HCURSOR GetCursor(void) {
  std::lock_guard<std::mutex> lock(UserLock());
  return InputLocked().cursorShape;
}

UINT GetDoubleClickTime(void) {
  std::lock_guard<std::mutex> lock(UserLock());
  return InputLocked().doubleClickTime;
}

BOOL SetDoubleClickTime(UINT ms) {
  std::lock_guard<std::mutex> lock(UserLock());
  InputLocked().doubleClickTime = ms ? std::min<UINT>(ms, 5000) : 500;
  return TRUE;
}
