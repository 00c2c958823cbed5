// DefWindowProcW: the default handling of the messages the window core knows.
//
// Painting messages go to platform/user/paint; input and activation to
// platform/user/input/def_input.h. Fonts are not stored (WM_GETFONT returns null, as
// documented for DefWindowProcW).
#include "platform/user/input/def_input.h"
#include "platform/user/input/hit_test.h"
#include "platform/user/paint/paint_hooks.h"
#include "platform/user/window/frame_metrics.h"
#include "platform/user/window/window_object.h"
#include "platform/user/window/window_pos.h"

#include <win/gdi.h>
#include <win/sysmetrics.h>

#include <algorithm>
#include <cstring>

using namespace talix::user;

namespace {

void SetText(HWND hwnd, LPCWSTR text) {
  std::lock_guard<std::mutex> lock(UserLock());
  if (Window* window = WindowLocked(hwnd)) window->text = text ? text : u"";
}

LRESULT GetText(HWND hwnd, WPARAM size, LPWSTR buffer) {
  if (!size || !buffer) return 0;
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowLocked(hwnd);
  if (!window) return 0;
  size_t count = std::min(window->text.size(), static_cast<size_t>(size - 1));
  std::memcpy(buffer, window->text.data(), count * sizeof(WCHAR));
  buffer[count] = 0;
  return static_cast<LRESULT>(count);
}

LRESULT TextLength(HWND hwnd) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowLocked(hwnd);
  return window ? static_cast<LRESULT>(window->text.size()) : 0;
}

RECT InsetsOf(HWND hwnd) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowLocked(hwnd);
  if (!window) return RECT{};
  bool menu = !(window->style & WS_CHILD) && window->id != 0;
  return FrameInsets(window->style, window->exStyle, menu);
}

void CalcSize(HWND hwnd, RECT* rect) {
  RECT insets = InsetsOf(hwnd);
  rect->left += insets.left;
  rect->top += insets.top;
  rect->right = std::max(rect->left, rect->right - insets.right);
  rect->bottom = std::max(rect->top, rect->bottom - insets.bottom);
}

// The system colours of a control's WM_CTLCOLOR* query: edits and list boxes on
// COLOR_WINDOW, scroll bars on COLOR_SCROLLBAR, everything else on COLOR_3DFACE; the
// text colour is selected into the DC and the background's brush returned.
LRESULT ControlColour(UINT msg, HDC hdc) {
  bool window = msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX;
  int background = window ? COLOR_WINDOW : msg == WM_CTLCOLORSCROLLBAR ? COLOR_SCROLLBAR : COLOR_3DFACE;
  if (hdc) {
    SetBkColor(hdc, GetSysColor(background));
    SetTextColor(hdc, GetSysColor(window ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
  }
  return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

void OnPosChanged(HWND hwnd, const WINDOWPOS* pos) {
  if (!pos) return;
  RECT rect, client;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    Window* window = WindowLocked(hwnd);
    if (!window) return;
    rect = window->rect;
    client = window->client;
  }
  if (!(pos->flags & kSwpNoClientSize) || (pos->flags & SWP_FRAMECHANGED)) {
    DWORD style = static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE));
    WPARAM kind = (style & WS_MINIMIZE) ? SIZE_MINIMIZED
                  : (style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
    SendMessageW(hwnd, WM_SIZE, kind,
                 MAKELPARAM(client.right - client.left, client.bottom - client.top));
  }
  if (!(pos->flags & kSwpNoClientMove))
    SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(rect.left + client.left, rect.top + client.top));
}

}  // namespace

LRESULT DefWindowProcW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) SetText(hwnd, cs->lpszName);
      return TRUE;
    }
    case WM_NCCALCSIZE:
      if (lParam) CalcSize(hwnd, reinterpret_cast<RECT*>(lParam));  // rgrc[0] comes first
      return 0;
    case WM_NCHITTEST:
      return DefNcHitTest(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_SETTEXT:
      SetText(hwnd, reinterpret_cast<LPCWSTR>(lParam));
      return TRUE;
    case WM_GETTEXT:
      return GetText(hwnd, wParam, reinterpret_cast<LPWSTR>(lParam));
    case WM_GETTEXTLENGTH:
      return TextLength(hwnd);
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_WINDOWPOSCHANGED:
      OnPosChanged(hwnd, reinterpret_cast<const WINDOWPOS*>(lParam));
      return 0;
    // Painting (platform/user/paint).
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_NCPAINT:
    case WM_NCACTIVATE:
    case WM_STYLECHANGED:
      return talix::user::DefPaintMessage(hwnd, msg, wParam, lParam);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return ControlColour(msg, reinterpret_cast<HDC>(wParam));
    case WM_QUERYENDSESSION:
    case WM_QUERYOPEN:
      return TRUE;
    default:
      break;
  }
  // Input, activation and system commands.
  LRESULT result = 0;
  DefInputMessage(hwnd, msg, wParam, lParam, &result);
  return result;
}
