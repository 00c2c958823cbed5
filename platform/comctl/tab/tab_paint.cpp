// The plain look of the tab control: a raised panel with tabs standing on it (the
// selected one larger and joined to the panel), or rows of push buttons; labels, icons
// and the focus rectangle. Owner-drawn tabs get their frame from the control and their
// inside from the parent's WM_DRAWITEM.
#include "platform/comctl/tab/tab_control.h"

#include "platform/user/controls/control_draw.h"

#include <algorithm>

namespace talix::comctl::tab {
namespace {

using user::controls::DrawControlText;
using user::controls::InflateRectBy;
using user::controls::OffsetBy;

void Line(HDC hdc, int left, int top, int right, int bottom, int colour) {
  RECT r{left, top, right, bottom};
  if (r.right > r.left && r.bottom > r.top) FillRect(hdc, &r, GetSysColorBrush(colour));
}

// The selected tab stands out by kSelectedRaise on three sides and covers the panel's
// edge where it meets it.
RECT SelectedFrame(RECT r, bool bottom) {
  InflateRectBy(r, kSelectedRaise);
  if (bottom) r.top -= kPanelEdge - kSelectedRaise;
  else r.bottom += kPanelEdge - kSelectedRaise;
  return r;
}

// A tab's outline: light on the left and on the edge away from the panel (dark there for
// bottom tabs), a two-pixel shadow on the right, open towards the panel.
void DrawTabFrame(HDC hdc, const RECT& e, bool bottom) {
  FillRect(hdc, &e, GetSysColorBrush(COLOR_3DFACE));
  int farY = bottom ? e.bottom - 1 : e.top;
  int bodyTop = bottom ? e.top : e.top + 2, bodyBottom = bottom ? e.bottom - 2 : e.bottom;
  Line(hdc, e.left, bodyTop, e.left + 1, bodyBottom, COLOR_3DHILIGHT);
  Line(hdc, e.left + 2, farY, e.right - 2, farY + 1, bottom ? COLOR_3DDKSHADOW : COLOR_3DHILIGHT);
  int cornerY = bottom ? e.bottom - 2 : e.top + 1;
  Line(hdc, e.left + 1, cornerY, e.left + 2, cornerY + 1, COLOR_3DHILIGHT);
  Line(hdc, e.right - 1, bodyTop, e.right, bodyBottom, COLOR_3DDKSHADOW);
  Line(hdc, e.right - 2, bottom ? e.top : e.top + 1, e.right - 1,
       bottom ? e.bottom - 1 : e.bottom, COLOR_3DSHADOW);
  Line(hdc, e.right - 2, cornerY, e.right - 1, cornerY + 1, COLOR_3DDKSHADOW);
}

// The panel's raised edge: white and light grey outside-in on the left and top, dark
// shadow and shadow on the right and bottom.
void DrawPanel(HDC hdc, const RECT& p) {
  Line(hdc, p.left, p.top, p.right - 1, p.top + 1, COLOR_3DHILIGHT);
  Line(hdc, p.left, p.top, p.left + 1, p.bottom - 1, COLOR_3DHILIGHT);
  Line(hdc, p.left + 1, p.top + 1, p.right - 2, p.top + 2, COLOR_3DLIGHT);
  Line(hdc, p.left + 1, p.top + 1, p.left + 2, p.bottom - 2, COLOR_3DLIGHT);
  Line(hdc, p.right - 1, p.top, p.right, p.bottom, COLOR_3DDKSHADOW);
  Line(hdc, p.left, p.bottom - 1, p.right, p.bottom, COLOR_3DDKSHADOW);
  Line(hdc, p.right - 2, p.top + 1, p.right - 1, p.bottom - 1, COLOR_3DSHADOW);
  Line(hdc, p.left + 1, p.bottom - 2, p.right - 1, p.bottom - 1, COLOR_3DSHADOW);
}

void DrawButtonFrame(HDC hdc, const RECT& r, bool pressed, LONG style, DWORD exStyle) {
  RECT e = r;
  FillRect(hdc, &e, GetSysColorBrush(pressed ? COLOR_3DLIGHT : COLOR_3DFACE));
  bool flat = (style & TCS_FLATBUTTONS) != 0;
  if (!flat || pressed) DrawEdge(hdc, &e, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
  if (flat && (exStyle & TCS_EX_FLATSEPARATORS)) {
    RECT separator{r.right + 1, r.top, r.right + 3, r.bottom};
    DrawEdge(hdc, &separator, EDGE_ETCHED, BF_LEFT);
  }
}

void SendDrawItem(TabControl* control, HDC hdc, int index, const RECT& r, bool focus) {
  HWND hwnd = control->hwnd();
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_TAB;
  dis.CtlID = UINT(GetDlgCtrlID(hwnd));
  dis.itemID = UINT(index);
  dis.itemAction = ODA_DRAWENTIRE;
  dis.itemState = (index == control->selected ? ODS_SELECTED : 0) | (focus ? ODS_FOCUS : 0);
  if (!IsWindowEnabled(hwnd)) dis.itemState |= ODS_DISABLED;
  dis.hwndItem = hwnd;
  dis.hDC = hdc;
  dis.rcItem = r;
  dis.itemData = ULONG_PTR(control->ItemData(index));
  if (HWND parent = GetParent(hwnd))
    SendMessageW(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
}

void DrawContent(TabControl* control, HDC hdc, int index, int shift) {
  const TabItem& item = control->Item(index);
  TabContent content = control->ContentOf(index);
  OffsetBy(content.icon, shift, shift);
  OffsetBy(content.label, shift, shift);
  if (control->images && content.icon.right > content.icon.left)
    ImageList_Draw(control->images, item.image, hdc, content.icon.left, content.icon.top,
                   ILD_TRANSPARENT);
  bool lit = (item.state & TCIS_HIGHLIGHTED) != 0;
  COLORREF old = SetTextColor(hdc, GetSysColor(lit ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT));
  if (lit) FillRect(hdc, &content.label, GetSysColorBrush(COLOR_HIGHLIGHT));
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS |
                (item.rtlReading ? DT_RTLREADING : 0);
  DrawControlText(hdc, item.text, content.label, format, IsWindowEnabled(control->hwnd()));
  SetTextColor(hdc, old);
}

// One scroll arrow button: a raised square with a solid triangle pointing left or right,
// grey when there is nothing more to scroll that way.
void DrawArrowButton(HDC hdc, RECT r, bool pointsLeft, bool enabled) {
  FillRect(hdc, &r, GetSysColorBrush(COLOR_3DFACE));
  DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT);
  int half = std::max(2, (r.bottom - r.top) / 5);
  int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  int colour = enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT;
  for (int i = 0; i <= half; ++i) {
    int x = pointsLeft ? cx - half / 2 + i : cx + half / 2 - i;
    Line(hdc, x, cy - i, x + 1, cy + i + 1, colour);
  }
}

void DrawArrows(HDC hdc, const Layout& layout) {
  if (!HasArrows(layout)) return;
  RECT left = layout.arrows, right = layout.arrows;
  left.right = right.left = (layout.arrows.left + layout.arrows.right) / 2;
  DrawArrowButton(hdc, left, true, layout.rects.front().left < 0);
  DrawArrowButton(hdc, right, false, layout.rects.back().right > layout.arrows.left);
}

// False when the control went away while its owner drew the tab.
bool PaintItem(TabControl* control, HDC hdc, int index, bool hasFocus) {
  LONG style = control->Style();
  RECT r{};
  control->ItemRect(index, &r);
  bool selected = index == control->selected;
  bool pressed = selected || (control->Item(index).state & TCIS_BUTTONPRESSED);
  bool focus = hasFocus && index == control->focused && !(style & TCS_FOCUSNEVER);
  if (IsButtons(style)) {
    DrawButtonFrame(hdc, r, pressed, style, control->extendedStyle);
  } else {
    DrawTabFrame(hdc, selected ? SelectedFrame(r, style & TCS_BOTTOM) : r, style & TCS_BOTTOM);
  }
  if (style & TCS_OWNERDRAWFIXED) {
    HWND hwnd = control->hwnd();
    SendDrawItem(control, hdc, index, r, focus);
    return TabControl::FromWindow(hwnd) == control;
  }
  DrawContent(control, hdc, index, IsButtons(style) && pressed ? 1 : 0);
  if (focus) {
    InflateRectBy(r, -3);
    DrawFocusRect(hdc, &r);
  }
  return true;
}

}  // namespace

void PaintTabControl(TabControl* control, HDC hdc) {
  HWND hwnd = control->hwnd();
  RECT client{};
  GetClientRect(hwnd, &client);
  FillRect(hdc, &client, GetSysColorBrush(COLOR_3DFACE));
  LONG style = control->Style();
  const Layout& layout = control->CurrentLayout();
  if (!IsButtons(style)) {
    RECT panel = PanelRect(style, layout.bandHeight, client.right, client.bottom);
    DrawPanel(hdc, panel);
  }
  user::controls::ScopedFont font(hdc, control->font);
  int oldMode = SetBkMode(hdc, TRANSPARENT);
  bool hasFocus = GetFocus() == hwnd;
  // The selected tab last: it overlaps its neighbours. The parent may change the control
  // while drawing an owner-drawn tab, so the count is read each time round.
  for (int i = 0; i < control->Count(); ++i)
    if (i != control->selected && !PaintItem(control, hdc, i, hasFocus)) return;
  if (control->Valid(control->selected) &&
      !PaintItem(control, hdc, control->selected, hasFocus))
    return;
  DrawArrows(hdc, control->CurrentLayout());
  SetBkMode(hdc, oldMode);
}

}  // namespace talix::comctl::tab
