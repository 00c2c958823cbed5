// Painting of the "Button" class: the classic flat-colour look, or WM_DRAWITEM to the
// owner for BS_OWNERDRAW.
#include "platform/user/controls/button.h"

#include "platform/user/controls/control_draw.h"

#include <algorithm>

namespace talix::user::controls {
namespace {

constexpr int kCheckBoxSize = 13;
constexpr int kCheckTextGap = 4;

struct ButtonLook {
  HWND hwnd;
  HDC hdc;
  LONG style;
  UINT type;
  LONG_PTR state;
  bool enabled;
  RECT client;
};

bool PushLike(const ButtonLook& b) {
  return b.type == BS_PUSHBUTTON || b.type == BS_DEFPUSHBUTTON || b.type == BS_USERBUTTON ||
         b.type == BS_PUSHBOX || (b.style & BS_PUSHLIKE);
}

// DrawTextW flags for the caption: BS_LEFT/RIGHT/CENTER and BS_TOP/BOTTOM/VCENTER, with
// the per-type default alignment when they are absent.
UINT TextFormat(const ButtonLook& b, bool centreByDefault) {
  UINT format = 0;
  switch (b.style & BS_CENTER) {
    case BS_LEFT: format |= DT_LEFT; break;
    case BS_RIGHT: format |= DT_RIGHT; break;
    case BS_CENTER: format |= DT_CENTER; break;
    default: format |= centreByDefault ? DT_CENTER : DT_LEFT; break;
  }
  if (b.style & BS_MULTILINE) return format | DT_WORDBREAK;
  switch (b.style & BS_VCENTER) {
    case BS_TOP: format |= DT_TOP; break;
    case BS_BOTTOM: format |= DT_BOTTOM; break;
    default: format |= DT_VCENTER; break;
  }
  return format | DT_SINGLELINE;
}

// The caption, or the image for BS_BITMAP / BS_ICON, placed in `area`.
void DrawContent(const ButtonLook& b, RECT area, UINT format) {
  HANDLE image = reinterpret_cast<HANDLE>(GetWindowLongPtrW(b.hwnd, kButtonImageOffset));
  bool isIcon = (b.style & BS_ICON) != 0;
  if (image && (b.style & (BS_ICON | BS_BITMAP))) {
    SIZE size = ImageSize(image, isIcon);
    int width = area.right - area.left, height = area.bottom - area.top;
    int x = format & DT_RIGHT    ? area.right - size.cx
            : format & DT_CENTER ? area.left + (width - size.cx) / 2
                                 : area.left;
    int y = format & DT_BOTTOM    ? area.bottom - size.cy
            : format & DT_VCENTER ? area.top + (height - size.cy) / 2
                                  : area.top;
    DrawImage(b.hdc, image, isIcon, x, y, size.cx, size.cy);
    return;
  }
  auto font = reinterpret_cast<HFONT>(GetWindowLongPtrW(b.hwnd, kButtonFontOffset));
  ScopedFont selected(b.hdc, font);
  DrawControlText(b.hdc, WindowText(b.hwnd), area, format, b.enabled);
}

void DrawFocus(const ButtonLook& b, RECT rect) {
  if (b.state & BST_FOCUS) DrawFocusRect(b.hdc, &rect);
}

void PaintPushButton(const ButtonLook& b) {
  HBRUSH brush = ParentColorBrush(b.hwnd, b.hdc, WM_CTLCOLORBTN);
  FillRect(b.hdc, &b.client, brush);
  RECT face = b.client;
  bool pushed = (b.state & BST_PUSHED) || ((b.style & BS_PUSHLIKE) && (b.state & 3));
  if (b.type == BS_DEFPUSHBUTTON) {
    FrameRect(b.hdc, &face, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRectBy(face, -1);
  }
  if (b.style & BS_FLAT) {
    FrameRect(b.hdc, &face, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRectBy(face, -1);
    FillRect(b.hdc, &face, GetSysColorBrush(pushed ? COLOR_3DSHADOW : COLOR_3DFACE));
  } else {
    DrawEdge(b.hdc, &face, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
  }
  RECT content = face;
  InflateRectBy(content, -1);
  if (pushed) OffsetBy(content, 1, 1);
  COLORREF oldText = SetTextColor(b.hdc, GetSysColor(COLOR_BTNTEXT));
  DrawContent(b, content, TextFormat(b, true));
  SetTextColor(b.hdc, oldText);
  InflateRectBy(face, -2);
  DrawFocus(b, face);
}

void DrawCheckMark(const ButtonLook& b, RECT box) {
  bool radio = b.type == BS_RADIOBUTTON || b.type == BS_AUTORADIOBUTTON;
  LONG_PTR check = b.state & 3;
  bool shaded = (b.state & BST_PUSHED) || !b.enabled || check == BST_INDETERMINATE;
  HBRUSH well = GetSysColorBrush(shaded ? COLOR_3DFACE : COLOR_WINDOW);
  if (radio) {
    HGDIOBJ oldBrush = SelectObject(b.hdc, well);
    HGDIOBJ oldPen = SelectObject(b.hdc, GetStockObject(BLACK_PEN));
    Ellipse(b.hdc, box.left, box.top, box.right, box.bottom);
    SelectObject(b.hdc, oldPen);
    SelectObject(b.hdc, oldBrush);
  } else {
    RECT edge = box;
    DrawEdge(b.hdc, &edge, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    FillRect(b.hdc, &edge, well);
  }
  if (!check) return;
  RECT glyph = box;
  InflateRectBy(glyph, -2);
  DrawFrameControl(b.hdc, &glyph, DFC_MENU, radio ? DFCS_MENUBULLET : DFCS_MENUCHECK);
}

void PaintCheckOrRadio(const ButtonLook& b) {
  HBRUSH brush = ParentColorBrush(b.hwnd, b.hdc, WM_CTLCOLORSTATIC);
  FillRect(b.hdc, &b.client, brush);
  int height = b.client.bottom - b.client.top;
  int top = b.client.top + (height - kCheckBoxSize) / 2;
  bool boxRight = (b.style & BS_LEFTTEXT) != 0;
  int boxLeft = boxRight ? b.client.right - kCheckBoxSize : b.client.left;
  RECT box{boxLeft, top, boxLeft + kCheckBoxSize, top + kCheckBoxSize};
  DrawCheckMark(b, box);
  RECT text = b.client;
  if (boxRight) text.right = box.left - kCheckTextGap;
  else text.left = box.right + kCheckTextGap;
  DrawContent(b, text, TextFormat(b, false));
  if (!(b.state & BST_FOCUS)) return;
  RECT focus = text;
  focus.left -= 1;
  DrawFocus(b, focus);
}

void PaintGroupBox(const ButtonLook& b) {
  HBRUSH brush = ParentColorBrush(b.hwnd, b.hdc, WM_CTLCOLORSTATIC);
  auto font = reinterpret_cast<HFONT>(GetWindowLongPtrW(b.hwnd, kButtonFontOffset));
  ScopedFont selected(b.hdc, font);
  std::u16string text = WindowText(b.hwnd);
  TEXTMETRICW metrics{};
  GetTextMetricsW(b.hdc, &metrics);
  RECT frame = b.client;
  frame.top += metrics.tmHeight / 2;
  DrawEdge(b.hdc, &frame, EDGE_ETCHED, BF_RECT);
  if (text.empty()) return;
  RECT label{b.client.left + 8, b.client.top, b.client.right - 8, b.client.top + metrics.tmHeight};
  RECT measured = label;
  DrawTextW(b.hdc, text.c_str(), int(text.size()), &measured, DT_SINGLELINE | DT_CALCRECT);
  label.right = std::min(label.right, measured.right + 2);
  label.left -= 2;
  FillRect(b.hdc, &label, brush);
  label.left += 2;
  DrawControlText(b.hdc, text, label, DT_SINGLELINE | DT_LEFT, b.enabled);
}

void PaintOwnerDrawn(const ButtonLook& b, UINT action) {
  UINT state = 0;
  if (b.state & BST_PUSHED) state |= ODS_SELECTED;
  if (b.state & BST_FOCUS) state |= ODS_FOCUS;
  if (!b.enabled) state |= ODS_DISABLED;
  // The owner sets up the DC colours for the button before drawing it.
  ParentColorBrush(b.hwnd, b.hdc, WM_CTLCOLORBTN);
  SendDrawItem(b.hwnd, b.hdc, ODT_BUTTON, action, state);
}

}  // namespace

void PaintButton(HWND hwnd, HDC hdc, UINT action) {
  ButtonLook b{hwnd, hdc, GetWindowLongW(hwnd, GWL_STYLE), 0, ButtonState(hwnd),
               IsWindowEnabled(hwnd) != FALSE, {}};
  b.type = UINT(b.style & BS_TYPEMASK);
  GetClientRect(hwnd, &b.client);
  int saved = SaveDC(hdc);
  if (b.type == BS_OWNERDRAW) PaintOwnerDrawn(b, action);
  else if (b.type == BS_GROUPBOX) PaintGroupBox(b);
  else if (PushLike(b)) PaintPushButton(b);
  else PaintCheckOrRadio(b);
  RestoreDC(hdc, saved);
}

}  // namespace talix::user::controls
