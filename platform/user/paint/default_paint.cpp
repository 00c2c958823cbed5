// DefWindowProcW's painting messages.
//   WM_PAINT       BeginPaint + EndPaint: validates the window (erasing if due).
//   WM_ERASEBKGND  fills the client area with the class background brush (a brush, or a
//                  COLOR_* index + 1); returns 1, or 0 when the class has no brush.
//   WM_NCPAINT     draws the frame (frame_paint.h); wParam is 1 or a region in screen
//                  coordinates.
//   WM_NCACTIVATE  records the caption's active look (wParam) and redraws the frame
//                  unless lParam is -1; returns TRUE.
//   WM_STYLECHANGED  when WS_EX_LAYERED went away: the layered state is dropped (so the
//                  style may be set again for UpdateLayeredWindow) and the window repainted.
#include "platform/user/compose/screen_damage.h"
#include "platform/user/paint/frame_paint.h"
#include "platform/user/paint/paint_hooks.h"
#include "platform/user/paint/paint_state.h"
#include "platform/user/paint/update_region.h"

#include <win/paint.h>

namespace talix::user {
namespace {

LRESULT EraseBackground(HWND hwnd, HDC hdc) {
  auto brush = reinterpret_cast<HBRUSH>(GetClassLongPtrW(hwnd, GCLP_HBRBACKGROUND));
  if (!brush || !hdc) return 0;
  RECT client;
  if (!GetClientRect(hwnd, &client)) return 0;
  return FillRect(hdc, &client, brush) ? 1 : 0;
}

void SetCaptionActive(HWND hwnd, bool active) {
  std::lock_guard<std::mutex> lock(UserLock());
  if (Window* window = WindowLocked(hwnd)) PaintStateLocked(*window).captionActive = active;
}

void LayeredStyleChanged(HWND hwnd, WPARAM which, const STYLESTRUCT* change) {
  if (which != static_cast<WPARAM>(GWL_EXSTYLE) || !change ||
      !(change->styleOld & WS_EX_LAYERED) || (change->styleNew & WS_EX_LAYERED))
    return;
  RECT changed{};
  PainterList wake;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    Window* window = WindowLocked(hwnd);
    if (!window) return;
    PaintStateLocked(*window).layered = LayeredState();
    RedrawLocked(*window, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN, &wake);
    if (window->style & WS_VISIBLE) changed = window->rect;
  }
  DamageScreen(changed);
  WakePainters(wake);
}

}  // namespace

LRESULT DefPaintMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      if (BeginPaint(hwnd, &paint)) EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_ERASEBKGND:
      return EraseBackground(hwnd, reinterpret_cast<HDC>(wParam));
    case WM_NCPAINT:
      DrawFrame(hwnd, wParam > 1 ? reinterpret_cast<HRGN>(wParam) : nullptr);
      return 0;
    case WM_NCACTIVATE:
      SetCaptionActive(hwnd, wParam != 0);
      if (lParam != -1) DrawFrame(hwnd, nullptr);
      return TRUE;
    case WM_STYLECHANGED:
      LayeredStyleChanged(hwnd, wParam, reinterpret_cast<const STYLESTRUCT*>(lParam));
      return 0;
    default:
      return 0;
  }
}

}  // namespace talix::user
