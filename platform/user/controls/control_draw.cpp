// Drawing helpers shared by the native controls.
#include "platform/user/controls/control_draw.h"

#include <vector>

namespace talix::user::controls {

HBRUSH ParentColorBrush(HWND hwnd, HDC hdc, UINT ctlColorMessage) {
  HWND parent = GetParent(hwnd);
  HBRUSH brush = nullptr;
  if (parent)
    brush = reinterpret_cast<HBRUSH>(SendMessageW(parent, ctlColorMessage,
                                                  reinterpret_cast<WPARAM>(hdc),
                                                  reinterpret_cast<LPARAM>(hwnd)));
  if (brush) return brush;
  SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(hdc, GetSysColor(COLOR_3DFACE));
  return GetSysColorBrush(COLOR_3DFACE);
}

std::u16string WindowText(HWND hwnd) {
  int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::vector<WCHAR> buffer(size_t(length) + 1);
  int got = GetWindowTextW(hwnd, buffer.data(), length + 1);
  return std::u16string(buffer.data(), size_t(got > 0 ? got : 0));
}

ScopedFont::ScopedFont(HDC hdc, HFONT font)
    : hdc_(hdc), previous_(SelectObject(hdc, font ? font : GetStockObject(DEFAULT_GUI_FONT))) {}

ScopedFont::~ScopedFont() {
  if (previous_) SelectObject(hdc_, previous_);
}

void DrawControlText(HDC hdc, const std::u16string& text, RECT rect, UINT format, bool enabled) {
  if (text.empty()) return;
  int oldMode = SetBkMode(hdc, TRANSPARENT);
  COLORREF oldColour = 0;
  if (!enabled) oldColour = SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
  DrawTextW(hdc, text.c_str(), int(text.size()), &rect, format);
  if (!enabled) SetTextColor(hdc, oldColour);
  SetBkMode(hdc, oldMode);
}

SIZE ImageSize(HANDLE image, bool isIcon) {
  SIZE size{0, 0};
  if (!image) return size;
  if (isIcon) {
    ICONINFO info{};
    if (!GetIconInfo(static_cast<HICON>(image), &info)) return size;
    BITMAP bm{};
    HBITMAP source = info.hbmColor ? info.hbmColor : info.hbmMask;
    if (GetObjectW(source, sizeof(bm), &bm)) {
      size.cx = bm.bmWidth;
      size.cy = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    }
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return size;
  }
  BITMAP bm{};
  if (GetObjectType(image) == OBJ_BITMAP && GetObjectW(image, sizeof(bm), &bm)) {
    size.cx = bm.bmWidth;
    size.cy = bm.bmHeight;
  }
  return size;
}

void DrawImage(HDC hdc, HANDLE image, bool isIcon, int x, int y, int cx, int cy) {
  if (!image || cx <= 0 || cy <= 0) return;
  if (isIcon) {
    DrawIconEx(hdc, x, y, static_cast<HICON>(image), cx, cy, 0, nullptr, DI_NORMAL);
    return;
  }
  SIZE size = ImageSize(image, false);
  if (size.cx <= 0 || size.cy <= 0) return;
  HDC memory = CreateCompatibleDC(hdc);
  if (!memory) return;
  HGDIOBJ old = SelectObject(memory, image);
  if (size.cx == cx && size.cy == cy)
    BitBlt(hdc, x, y, cx, cy, memory, 0, 0, SRCCOPY);
  else
    StretchBlt(hdc, x, y, cx, cy, memory, 0, 0, size.cx, size.cy, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

bool InClient(HWND hwnd, LPARAM lParam) {
  RECT client;
  if (!GetClientRect(hwnd, &client)) return false;
  int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  return x >= client.left && x < client.right && y >= client.top && y < client.bottom;
}

void SendDrawItem(HWND hwnd, HDC hdc, UINT ctlType, UINT action, UINT itemState) {
  HWND parent = GetParent(hwnd);
  if (!parent) return;
  DRAWITEMSTRUCT item{};
  item.CtlType = ctlType;
  item.CtlID = UINT(GetDlgCtrlID(hwnd));
  item.itemAction = action;
  item.itemState = itemState;
  item.hwndItem = hwnd;
  item.hDC = hdc;
  GetClientRect(hwnd, &item.rcItem);
  SendMessageW(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

bool CommonControlMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, int fontOffset,
                          LRESULT* result) {
  switch (msg) {
    case WM_SETFONT:
      SetWindowLongPtrW(hwnd, fontOffset, LONG_PTR(wParam));
      if (LOWORD(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
      *result = 0;
      return true;
    case WM_GETFONT: *result = GetWindowLongPtrW(hwnd, fontOffset); return true;
    case WM_SETTEXT:
      *result = DefWindowProcW(hwnd, msg, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return true;
    case WM_ERASEBKGND: *result = 1; return true;
  }
  return false;
}

void NotifyParent(HWND hwnd, WORD code) {
  HWND parent = GetParent(hwnd);
  if (!parent) return;
  SendMessageW(parent, WM_COMMAND, MAKEWPARAM(WORD(GetDlgCtrlID(hwnd)), code),
               reinterpret_cast<LPARAM>(hwnd));
}

}  // namespace talix::user::controls
