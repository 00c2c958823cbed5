// Drawing helpers shared by the native controls: the parent's WM_CTLCOLOR* brush, the
// control's font, its text and its images.
#pragma once

#include <windows.h>

#include <string>

namespace talix::user::controls {

inline void InflateRectBy(RECT& r, int d) {
  r.left -= d;
  r.top -= d;
  r.right += d;
  r.bottom += d;
}
inline void OffsetBy(RECT& r, int dx, int dy) {
  r.left += dx;
  r.right += dx;
  r.top += dy;
  r.bottom += dy;
}

// Asks the parent for the brush (and text colours set on `hdc`) with `ctlColorMessage`.
// A parent that answers with no brush gets the defaults DefWindowProcW would give: the
// dialog face colour as background and brush, the window text colour.
HBRUSH ParentColorBrush(HWND hwnd, HDC hdc, UINT ctlColorMessage);

// The window text, whole.
std::u16string WindowText(HWND hwnd);

// Selects `font` (or the stock DEFAULT_GUI_FONT when null) into `hdc` for its lifetime.
class ScopedFont {
 public:
  ScopedFont(HDC hdc, HFONT font);
  ~ScopedFont();
  ScopedFont(const ScopedFont&) = delete;
  ScopedFont& operator=(const ScopedFont&) = delete;

 private:
  HDC hdc_;
  HGDIOBJ previous_;
};

// Draws `text` with DrawTextW in `rect`, transparent background; a disabled control
// draws it in COLOR_GRAYTEXT.
void DrawControlText(HDC hdc, const std::u16string& text, RECT rect, UINT format, bool enabled);

// The size of a bitmap or an icon (0, 0 when `image` is not one).
SIZE ImageSize(HANDLE image, bool isIcon);

// Draws a bitmap or icon at x, y, stretched to cx, cy.
void DrawImage(HDC hdc, HANDLE image, bool isIcon, int x, int y, int cx, int cy);

// Whether the client point packed in a mouse message's lParam is inside the client area.
bool InClient(HWND hwnd, LPARAM lParam);

// Sends WM_DRAWITEM for the whole client area of control `hwnd` to its parent.
void SendDrawItem(HWND hwnd, HDC hdc, UINT ctlType, UINT action, UINT itemState);

// The messages every native control answers alike: WM_SETFONT / WM_GETFONT with the font
// kept at `fontOffset` of the extra bytes, WM_SETTEXT with a repaint, WM_ERASEBKGND (the
// paint covers the client area). False for other messages.
bool CommonControlMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, int fontOffset,
                          LRESULT* result);

// Sends WM_COMMAND with `code` from control `hwnd` to its parent.
void NotifyParent(HWND hwnd, WORD code);

}  // namespace talix::user::controls
