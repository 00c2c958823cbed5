// The "Button" window procedure: state, mouse and keyboard behaviour, notifications.
#include "platform/user/controls/button.h"

#include "platform/user/controls/control_draw.h"

namespace talix::user::controls {
namespace {

bool IsCheckType(UINT type) {
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
         type == BS_AUTO3STATE;
}
bool IsRadioType(UINT type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }
bool IsThreeState(UINT type) { return type == BS_3STATE || type == BS_AUTO3STATE; }
bool Notifies(HWND hwnd) { return (GetWindowLongW(hwnd, GWL_STYLE) & BS_NOTIFY) != 0; }

// An owner-drawn button hears of each change at once (WM_DRAWITEM with the ODA_* reason);
// the others are invalidated, so a subclass that paints its own look in WM_PAINT is not
// drawn over in between.
void Repaint(HWND hwnd, UINT action) {
  if (!IsWindowVisible(hwnd)) return;
  if (ButtonType(hwnd) != BS_OWNERDRAW) {
    InvalidateRect(hwnd, nullptr, FALSE);
    return;
  }
  HDC hdc = GetDC(hwnd);
  if (!hdc) return;
  PaintButton(hwnd, hdc, action);
  ReleaseDC(hwnd, hdc);
}

void SetState(HWND hwnd, LONG_PTR state) { SetWindowLongPtrW(hwnd, kButtonStateOffset, state); }

// Changes the BST_PUSHED bit; repaints and tells the parent (BS_NOTIFY) when it changed.
void SetPushed(HWND hwnd, bool pushed) {
  LONG_PTR state = ButtonState(hwnd);
  if (((state & BST_PUSHED) != 0) == pushed) return;
  SetState(hwnd, pushed ? state | BST_PUSHED : state & ~LONG_PTR(BST_PUSHED));
  UINT type = ButtonType(hwnd);
  if (type == BS_GROUPBOX) return;
  Repaint(hwnd, ODA_SELECT);
  if (Notifies(hwnd)) NotifyParent(hwnd, pushed ? BN_HILITE : BN_UNHILITE);
}

void SetCheck(HWND hwnd, WPARAM check) {
  UINT type = ButtonType(hwnd);
  if (!IsCheckType(type) && !IsRadioType(type)) return;
  LONG_PTR value = LONG_PTR(check & 3);
  if (value == 3) value = BST_INDETERMINATE;
  if (value == BST_INDETERMINATE && !IsThreeState(type)) value = BST_CHECKED;
  LONG_PTR state = ButtonState(hwnd);
  if ((state & 3) == value) return;
  SetState(hwnd, (state & ~LONG_PTR(3)) | value);
  Repaint(hwnd, ODA_SELECT);
}

// Unchecks the radio buttons of `hwnd`'s group: the siblings from the group's first
// window (WS_GROUP) up to the next one.
void UncheckGroupSiblings(HWND hwnd) {
  HWND parent = GetParent(hwnd);
  if (!parent) return;
  HWND first = hwnd;
  while (!(GetWindowLongW(first, GWL_STYLE) & WS_GROUP)) {
    HWND previous = GetWindow(first, GW_HWNDPREV);
    if (!previous) break;
    first = previous;
  }
  for (HWND sibling = first; sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    if (sibling != first && (GetWindowLongW(sibling, GWL_STYLE) & WS_GROUP)) break;
    if (sibling == hwnd) continue;
    UINT code = UINT(SendMessageW(sibling, WM_GETDLGCODE, 0, 0));
    if (code & DLGC_RADIOBUTTON) SendMessageW(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

// A completed click: the automatic types change their check, then the parent hears it.
void Click(HWND hwnd) {
  UINT type = ButtonType(hwnd);
  LONG_PTR check = ButtonState(hwnd) & 3;
  if (type == BS_AUTOCHECKBOX) SetCheck(hwnd, check ? BST_UNCHECKED : BST_CHECKED);
  if (type == BS_AUTO3STATE)
    SetCheck(hwnd, check == BST_UNCHECKED ? BST_CHECKED
                   : check == BST_CHECKED ? BST_INDETERMINATE
                                          : BST_UNCHECKED);
  if (type == BS_AUTORADIOBUTTON) {
    SetCheck(hwnd, BST_CHECKED);
    UncheckGroupSiblings(hwnd);
  }
  NotifyParent(hwnd, BN_CLICKED);
}

void EndTracking(HWND hwnd, LONG_PTR flag) {
  SetState(hwnd, ButtonState(hwnd) & ~flag);
}

void LButtonDown(HWND hwnd) {
  SetState(hwnd, ButtonState(hwnd) | kButtonMouseTracking);
  SetCapture(hwnd);
  if (GetFocus() != hwnd) SetFocus(hwnd);
  SetPushed(hwnd, true);
}

void LButtonUp(HWND hwnd, LPARAM lParam) {
  if (!(ButtonState(hwnd) & kButtonMouseTracking)) return;
  EndTracking(hwnd, kButtonMouseTracking);
  bool inside = InClient(hwnd, lParam);
  SetPushed(hwnd, false);
  if (GetCapture() == hwnd) ReleaseCapture();
  if (inside && IsWindow(hwnd)) Click(hwnd);
}

void MouseMove(HWND hwnd, LPARAM lParam) {
  if (!(ButtonState(hwnd) & kButtonMouseTracking) || GetCapture() != hwnd) return;
  SetPushed(hwnd, InClient(hwnd, lParam));
}

void KeyDown(HWND hwnd, WPARAM key, LPARAM lParam) {
  if (key != VK_SPACE || (lParam & (1 << 30))) return;  // first press only, not repeats
  SetState(hwnd, ButtonState(hwnd) | kButtonSpaceDown);
  SetPushed(hwnd, true);
}

void KeyUp(HWND hwnd, WPARAM key) {
  if (key != VK_SPACE || !(ButtonState(hwnd) & kButtonSpaceDown)) return;
  EndTracking(hwnd, kButtonSpaceDown);
  bool wasPushed = (ButtonState(hwnd) & BST_PUSHED) != 0;
  SetPushed(hwnd, false);
  if (wasPushed) Click(hwnd);
}

// Focus lost or capture taken away: a press in progress ends without a click.
void CancelPress(HWND hwnd) {
  LONG_PTR state = ButtonState(hwnd);
  if (!(state & (kButtonMouseTracking | kButtonSpaceDown))) return;
  SetState(hwnd, state & ~(kButtonMouseTracking | kButtonSpaceDown));
  SetPushed(hwnd, false);
}

void FocusChanged(HWND hwnd, bool gained) {
  LONG_PTR state = ButtonState(hwnd);
  SetState(hwnd, gained ? state | BST_FOCUS : state & ~LONG_PTR(BST_FOCUS));
  if (!gained) {
    CancelPress(hwnd);
    if (GetCapture() == hwnd) ReleaseCapture();
  }
  Repaint(hwnd, ODA_FOCUS);
  if (Notifies(hwnd)) NotifyParent(hwnd, gained ? BN_SETFOCUS : BN_KILLFOCUS);
}

LRESULT DialogCode(HWND hwnd) {
  switch (ButtonType(hwnd)) {
    case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_PUSHBUTTON:
    case BS_USERBUTTON:
    case BS_PUSHBOX:
    case BS_OWNERDRAW: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX: return DLGC_STATIC;
    default: return DLGC_BUTTON;
  }
}

// BM_SETSTYLE: replaces the type and flag bits (the WS_* bits stay). The dialog manager
// moves the default between push buttons with BS_PUSHBUTTON / BS_DEFPUSHBUTTON; an
// owner-drawn button keeps its type then, so its owner goes on drawing it.
void SetStyle(HWND hwnd, WPARAM style, LPARAM redraw) {
  LONG old = GetWindowLongW(hwnd, GWL_STYLE);
  DWORD requested = DWORD(style) & 0xFFFF;
  const DWORD requestedType = requested & BS_TYPEMASK;
  if ((DWORD(old) & BS_TYPEMASK) == BS_OWNERDRAW &&
      (requestedType == BS_PUSHBUTTON || requestedType == BS_DEFPUSHBUTTON))
    requested = (requested & ~DWORD(BS_TYPEMASK)) | BS_OWNERDRAW;
  SetWindowLongW(hwnd, GWL_STYLE, LONG((old & 0xFFFF0000) | requested));
  if (redraw) InvalidateRect(hwnd, nullptr, TRUE);
}

LRESULT SetImage(HWND hwnd, WPARAM type, LPARAM image) {
  if (type != IMAGE_BITMAP && type != IMAGE_ICON) return 0;
  LONG_PTR previous = SetWindowLongPtrW(hwnd, kButtonImageOffset, image);
  InvalidateRect(hwnd, nullptr, TRUE);
  return previous;
}

LRESULT GetImage(HWND hwnd, WPARAM type) {
  LONG style = GetWindowLongW(hwnd, GWL_STYLE);
  bool wanted = type == IMAGE_BITMAP ? (style & BS_BITMAP) != 0
                : type == IMAGE_ICON ? (style & BS_ICON) != 0
                                     : false;
  return wanted ? GetWindowLongPtrW(hwnd, kButtonImageOffset) : 0;
}

void DoubleClick(HWND hwnd) {
  UINT type = ButtonType(hwnd);
  if (IsRadioType(type) || type == BS_OWNERDRAW || Notifies(hwnd)) {
    NotifyParent(hwnd, BN_DOUBLECLICKED);
    return;
  }
  LButtonDown(hwnd);  // the others take a double click as a second press
}

void Paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  if (hdc) PaintButton(hwnd, hdc, ODA_DRAWENTIRE);
  EndPaint(hwnd, &ps);
}

// Answers the button messages; false for those left to DefWindowProcW.
bool ButtonMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  switch (msg) {
    case BM_GETCHECK: {
      UINT type = ButtonType(hwnd);
      *result = IsCheckType(type) || IsRadioType(type) ? ButtonState(hwnd) & 3 : 0;
      return true;
    }
    case BM_SETCHECK: SetCheck(hwnd, wParam); return true;
    case BM_GETSTATE: *result = ButtonState(hwnd) & 0xFF; return true;
    case BM_SETSTATE: SetPushed(hwnd, wParam != 0); return true;
    case BM_SETSTYLE: SetStyle(hwnd, wParam, lParam); return true;
    case BM_CLICK:
      // A click as the mouse makes it, through the window's procedure (a subclass sees
      // the button messages): press and release at the client origin.
      if (!IsWindowEnabled(hwnd)) return true;
      SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
      SendMessageW(hwnd, WM_LBUTTONUP, 0, 0);
      return true;
    case BM_SETIMAGE: *result = SetImage(hwnd, wParam, lParam); return true;
    case BM_GETIMAGE: *result = GetImage(hwnd, wParam); return true;
    case BM_SETDONTCLICK: return true;
  }
  return false;
}

}  // namespace

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (ButtonMessage(hwnd, msg, wParam, lParam, &result) ||
      CommonControlMessage(hwnd, msg, wParam, lParam, kButtonFontOffset, &result))
    return result;
  switch (msg) {
    case WM_GETDLGCODE: return DialogCode(hwnd);
    case WM_NCHITTEST:
      if (ButtonType(hwnd) == BS_GROUPBOX) return HTTRANSPARENT;
      break;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      if (msg == WM_PRINTCLIENT) PaintButton(hwnd, reinterpret_cast<HDC>(wParam), ODA_DRAWENTIRE);
      else Paint(hwnd);
      return 0;
    case WM_LBUTTONDOWN: LButtonDown(hwnd); return 0;
    case WM_LBUTTONDBLCLK: DoubleClick(hwnd); return 0;
    case WM_LBUTTONUP: LButtonUp(hwnd, lParam); return 0;
    case WM_MOUSEMOVE: MouseMove(hwnd, lParam); return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != hwnd) CancelPress(hwnd);
      return 0;
    case WM_KEYDOWN: KeyDown(hwnd, wParam, lParam); break;
    case WM_KEYUP: KeyUp(hwnd, wParam); break;
    case WM_SETFOCUS: FocusChanged(hwnd, true); return 0;
    case WM_KILLFOCUS: FocusChanged(hwnd, false); return 0;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace talix::user::controls
