// The move and size loop of SC_MOVE / SC_SIZE: the window follows the mouse (full drag)
// until the left button is released; Escape puts it back, Enter keeps it where it is.
// WM_ENTERSIZEMOVE and WM_EXITSIZEMOVE bracket the loop; WM_MOVING or WM_SIZING (which
// may change the proposed rectangle, in screen coordinates) comes before each step.
// Messages other than mouse and keyboard input are dispatched meanwhile.
//
// Limits: no keyboard moving or sizing (SC_MOVE from the system menu without a pressed
// button does nothing).
#include "platform/user/input/def_input.h"

#include "platform/user/window/frame_metrics.h"

#include <algorithm>

namespace talix::user {
namespace {

struct Drag {
  HWND hwnd;
  bool move;
  int edge;  // WMSZ_*
  POINT start;
  RECT original;
  POINT minTrack, maxTrack;
};

RECT Proposed(const Drag& d, POINT pt) {
  int dx = pt.x - d.start.x, dy = pt.y - d.start.y;
  RECT r = d.original;
  if (d.move) return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
  bool left = d.edge == WMSZ_LEFT || d.edge == WMSZ_TOPLEFT || d.edge == WMSZ_BOTTOMLEFT;
  bool right = d.edge == WMSZ_RIGHT || d.edge == WMSZ_TOPRIGHT || d.edge == WMSZ_BOTTOMRIGHT;
  bool top = d.edge == WMSZ_TOP || d.edge == WMSZ_TOPLEFT || d.edge == WMSZ_TOPRIGHT;
  bool bottom = d.edge == WMSZ_BOTTOM || d.edge == WMSZ_BOTTOMLEFT || d.edge == WMSZ_BOTTOMRIGHT;
  auto clampSize = [](LONG size, LONG lo, LONG hi) { return std::clamp(size, lo, std::max(lo, hi)); };
  if (left) r.left = r.right - clampSize(r.right - (r.left + dx), d.minTrack.x, d.maxTrack.x);
  if (right) r.right = r.left + clampSize(r.right + dx - r.left, d.minTrack.x, d.maxTrack.x);
  if (top) r.top = r.bottom - clampSize(r.bottom - (r.top + dy), d.minTrack.y, d.maxTrack.y);
  if (bottom) r.bottom = r.top + clampSize(r.bottom + dy - r.top, d.minTrack.y, d.maxTrack.y);
  return r;
}

// Places the window at a screen rectangle (a child relative to its parent's client area).
void Place(const Drag& d, const RECT& r) {
  POINT origin{r.left, r.top};
  if (GetWindowLongW(d.hwnd, GWL_STYLE) & WS_CHILD) ScreenToClient(GetParent(d.hwnd), &origin);
  SetWindowPos(d.hwnd, nullptr, origin.x, origin.y, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE | (d.move ? SWP_NOSIZE : 0));
}

void Step(const Drag& d, POINT pt, RECT* current) {
  RECT r = Proposed(d, pt);
  SendMessageW(d.hwnd, d.move ? WM_MOVING : WM_SIZING, d.move ? 0 : d.edge,
               reinterpret_cast<LPARAM>(&r));
  if (r.left == current->left && r.top == current->top && r.right == current->right &&
      r.bottom == current->bottom)
    return;
  Place(d, r);
  *current = r;
}

Drag Begin(HWND hwnd, WPARAM command, POINT start) {
  Drag d{hwnd, (command & 0xFFF0) == SC_MOVE, static_cast<int>(command & 0x0F), start, {}, {}, {}};
  GetWindowRect(hwnd, &d.original);
  MINMAXINFO info = DefaultMinMaxInfo(static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)),
                                      static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE)));
  if (!d.move) SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  d.minTrack = info.ptMinTrackSize;
  d.maxTrack = info.ptMaxTrackSize;
  return d;
}

}  // namespace

void RunMoveSizeLoop(HWND hwnd, WPARAM command, POINT start) {
  Drag d = Begin(hwnd, command, start);
  RECT current = d.original;
  SetCapture(hwnd);
  SendMessageW(hwnd, WM_ENTERSIZEMOVE, 0, 0);
  MSG msg;
  bool done = false;
  while (!done && GetCapture() == hwnd && IsWindow(hwnd)) {
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave WM_QUIT for the outer loop
      break;
    }
    switch (msg.message) {
      case WM_MOUSEMOVE:
      case WM_LBUTTONUP:
        Step(d, msg.pt, &current);
        done = msg.message == WM_LBUTTONUP;
        break;
      case WM_KEYDOWN:
        if (msg.wParam == VK_ESCAPE) Place(d, d.original);
        done = msg.wParam == VK_ESCAPE || msg.wParam == VK_RETURN;
        break;
      default:
        if ((msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) ||
            (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST))
          break;  // other input is swallowed while dragging
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
  }
  if (GetCapture() == hwnd) ReleaseCapture();
  SendMessageW(hwnd, WM_EXITSIZEMOVE, 0, 0);
}

}  // namespace talix::user
