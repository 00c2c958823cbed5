// DefWindowProcW for input: mouse activation, focus on activation, the caption and frame
// (move, size, caption buttons) and system commands.
#include "platform/user/input/def_input.h"

#include "platform/user/menu/menu_tracker.h"
#include "platform/user/window/window_object.h"

namespace talix::user {
namespace {

HWND ParentOfChild(HWND hwnd) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowLocked(hwnd);
  if (!window || !(window->style & WS_CHILD) || !window->parent || !window->parent->parent)
    return nullptr;
  return window->parent->hwnd;
}

HWND TopLevelOf(HWND hwnd) {
  HWND root = GetAncestor(hwnd, GA_ROOT);
  return root ? root : hwnd;
}

LRESULT MouseActivate(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  if (HWND parent = ParentOfChild(hwnd)) {  // the parent decides first
    LRESULT answer = SendMessageW(parent, WM_MOUSEACTIVATE, wParam, lParam);
    if (answer) return answer;
  }
  bool noActivate = (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_NOACTIVATE) != 0;
  return noActivate ? MA_NOACTIVATE : MA_ACTIVATE;
}

// A press on a caption button: the command comes when the button is released over it.
void TrackCaptionButton(HWND hwnd, int hit) {
  SetCapture(hwnd);
  MSG msg;
  bool released = false, over = true;
  while (!released && GetCapture() == hwnd) {
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
      over = SendMessageW(hwnd, WM_NCHITTEST, 0, MAKELPARAM(msg.pt.x, msg.pt.y)) == hit;
      released = msg.message == WM_LBUTTONUP;
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  if (GetCapture() == hwnd) ReleaseCapture();
  if (!released || !over) return;
  WPARAM command = hit == HTCLOSE ? SC_CLOSE : hit == HTMINBUTTON ? SC_MINIMIZE
                   : IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE;
  SendMessageW(hwnd, WM_SYSCOMMAND, command, MAKELPARAM(msg.pt.x, msg.pt.y));
}

void NcLButtonDown(HWND hwnd, WPARAM hit, LPARAM lParam) {
  if (hit == HTCAPTION) {
    SendMessageW(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, lParam);
  } else if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT) {
    SendMessageW(hwnd, WM_SYSCOMMAND, SC_SIZE | (hit - HTLEFT + WMSZ_LEFT), lParam);
  } else if (hit == HTCLOSE || hit == HTMINBUTTON || hit == HTMAXBUTTON) {
    TrackCaptionButton(hwnd, static_cast<int>(hit));
  } else if (hit == HTMENU) {
    SendMessageW(hwnd, WM_SYSCOMMAND, SC_MOUSEMENU | HTMENU, lParam);
  }
}

// Alt pressed and released with no key between, or F10, enters the menu bar.
thread_local bool t_altAlone = false;

void SysKey(HWND hwnd, UINT msg, WPARAM key, LPARAM lParam) {
  bool down = msg == WM_SYSKEYDOWN;
  if (down && key == VK_F4 && (HIWORD(lParam) & KF_ALTDOWN)) {
    SendMessageW(TopLevelOf(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
    return;
  }
  if (down) {
    t_altAlone = key == VK_MENU && !(HIWORD(lParam) & KF_REPEAT);
    return;
  }
  bool alone = key == VK_MENU && t_altAlone;
  t_altAlone = false;
  if (alone || key == VK_F10) SendMessageW(TopLevelOf(hwnd), WM_SYSCOMMAND, SC_KEYMENU, 0);
}

void SysCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  switch (wParam & 0xFFF0) {
    case SC_MOVE:
    case SC_SIZE:
      if (GetKeyState(VK_LBUTTON) < 0)  // started by a press on the frame
        RunMoveSizeLoop(hwnd, wParam, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return;
    case SC_CLOSE: SendMessageW(hwnd, WM_CLOSE, 0, 0); return;
    case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); return;
    case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); return;
    case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); return;
    case SC_MOUSEMENU:
      menu::TrackMenuBarByMouse(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return;
    case SC_KEYMENU: menu::TrackMenuBarByKey(hwnd, static_cast<WCHAR>(lParam)); return;
    default: return;
  }
}

}  // namespace

bool DefInputMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  switch (msg) {
    case WM_SETCURSOR: *result = DefSetCursor(hwnd, wParam, lParam); return true;
    case WM_MOUSEACTIVATE: *result = MouseActivate(hwnd, wParam, lParam); return true;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) SetFocus(hwnd);
      return true;
    case WM_NCLBUTTONDOWN: NcLButtonDown(hwnd, wParam, lParam); return true;
    case WM_NCLBUTTONDBLCLK:
      if (wParam == HTCAPTION && (GetWindowLongW(hwnd, GWL_STYLE) & WS_MAXIMIZEBOX))
        SendMessageW(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, lParam);
      return true;
    case WM_SYSCOMMAND: SysCommand(hwnd, wParam, lParam); return true;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      SysKey(hwnd, msg, wParam, lParam);
      return true;
    case WM_KEYDOWN:
      t_altAlone = false;
      return true;
    case WM_SYSCHAR:
      // Alt+letter: the menu bar item with that mnemonic.
      if (wParam != VK_RETURN && wParam != VK_ESCAPE && (HIWORD(lParam) & KF_ALTDOWN))
        SendMessageW(TopLevelOf(hwnd), WM_SYSCOMMAND, SC_KEYMENU, static_cast<LPARAM>(wParam));
      return true;
    case WM_MOUSEWHEEL:
      if (HWND parent = ParentOfChild(hwnd)) *result = SendMessageW(parent, msg, wParam, lParam);
      return true;
    case WM_CANCELMODE:
      EndMenu();
      if (GetCapture() == hwnd) ReleaseCapture();
      return true;
    default: return false;
  }
}

}  // namespace talix::user
