// The "Static" window procedure: images, notifications, hit-testing and fonts.
#include "platform/user/controls/static.h"

#include "platform/user/controls/control_draw.h"

namespace talix::user::controls {
namespace {

LONG Style(HWND hwnd) { return GetWindowLongW(hwnd, GWL_STYLE); }
bool Notifies(HWND hwnd) { return (Style(hwnd) & SS_NOTIFY) != 0; }

// Whether an image of `imageType` belongs to a static of this style.
bool ImageTypeFits(LONG style, WPARAM imageType) {
  UINT type = StaticType(style);
  if (imageType == IMAGE_BITMAP) return type == SS_BITMAP;
  if (imageType == IMAGE_ICON || imageType == IMAGE_CURSOR) return type == SS_ICON;
  return false;
}

// A static that shows an image at its own size takes the image's size, unless it keeps
// its size to centre (SS_CENTERIMAGE) or stretch (SS_REALSIZECONTROL) the image.
void FitToImage(HWND hwnd, LONG style, HANDLE image) {
  if (!image || (style & (SS_CENTERIMAGE | SS_REALSIZECONTROL))) return;
  SIZE size = ImageSize(image, StaticType(style) == SS_ICON);
  if (size.cx <= 0 || size.cy <= 0) return;
  RECT frame{0, 0, size.cx, size.cy};
  AdjustWindowRectEx(&frame, DWORD(style), FALSE, DWORD(GetWindowLongW(hwnd, GWL_EXSTYLE)));
  SetWindowPos(hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT SetImage(HWND hwnd, WPARAM imageType, LPARAM image) {
  LONG style = Style(hwnd);
  if (!ImageTypeFits(style, imageType)) return 0;
  LONG_PTR previous = SetWindowLongPtrW(hwnd, kStaticImageOffset, image);
  FitToImage(hwnd, style, reinterpret_cast<HANDLE>(image));
  InvalidateRect(hwnd, nullptr, TRUE);
  return previous;
}

LRESULT GetImage(HWND hwnd, WPARAM imageType) {
  if (!ImageTypeFits(Style(hwnd), imageType)) return 0;
  return GetWindowLongPtrW(hwnd, kStaticImageOffset);
}

void Paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  if (hdc) PaintStatic(hwnd, hdc);
  EndPaint(hwnd, &ps);
}

// Answers the static messages; false for those left to DefWindowProcW.
bool StaticMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  switch (msg) {
    case STM_SETIMAGE: *result = SetImage(hwnd, wParam, lParam); return true;
    case STM_GETIMAGE: *result = GetImage(hwnd, wParam); return true;
    case STM_SETICON: *result = SetImage(hwnd, IMAGE_ICON, LPARAM(wParam)); return true;
    case STM_GETICON: *result = GetImage(hwnd, IMAGE_ICON); return true;
  }
  return false;
}

}  // namespace

LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (StaticMessage(hwnd, msg, wParam, lParam, &result) ||
      CommonControlMessage(hwnd, msg, wParam, lParam, kStaticFontOffset, &result))
    return result;
  switch (msg) {
    case WM_NCCREATE:
      // SS_SUNKEN is drawn as the half-sunken static edge of the frame.
      if (Style(hwnd) & SS_SUNKEN)
        SetWindowLongW(hwnd, GWL_EXSTYLE, GetWindowLongW(hwnd, GWL_EXSTYLE) | WS_EX_STATICEDGE);
      break;
    case WM_NCHITTEST:
      if (!Notifies(hwnd)) return HTTRANSPARENT;
      break;
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_LBUTTONDOWN:
      if (Notifies(hwnd)) NotifyParent(hwnd, STN_CLICKED);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (Notifies(hwnd)) NotifyParent(hwnd, STN_DBLCLK);
      return 0;
    case WM_ENABLE:
      if (Notifies(hwnd)) NotifyParent(hwnd, wParam ? STN_ENABLE : STN_DISABLE);
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_PAINT: Paint(hwnd); return 0;
    case WM_PRINTCLIENT: PaintStatic(hwnd, reinterpret_cast<HDC>(wParam)); return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace talix::user::controls
