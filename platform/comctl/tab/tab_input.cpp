// Selection and focus: the messages that set them quietly, and the mouse and keyboard,
// which ask the parent first (TCN_SELCHANGING may veto) and tell it after.
#include "platform/comctl/tab/tab_control.h"

namespace talix::comctl::tab {
namespace {

bool IsMirrored(HWND hwnd) { return (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0; }

// The tab a navigation key moves to from `from`, or -1 for other keys.
int KeyTarget(HWND hwnd, WPARAM key, int from, int count) {
  if (count <= 0) return -1;
  bool rtl = IsMirrored(hwnd);
  switch (key) {
    case VK_HOME: return 0;
    case VK_END: return count - 1;
    case VK_LEFT:
    case VK_UP: {
      int step = (key == VK_LEFT && rtl) ? 1 : -1;
      int to = from < 0 ? 0 : from + step;
      return to < 0 ? 0 : to >= count ? count - 1 : to;
    }
    case VK_RIGHT:
    case VK_DOWN: {
      int step = (key == VK_RIGHT && rtl) ? -1 : 1;
      int to = from < 0 ? 0 : from + step;
      return to < 0 ? 0 : to >= count ? count - 1 : to;
    }
  }
  return -1;
}

// Focus on a click: never with TCS_FOCUSNEVER, buttons only with TCS_FOCUSONBUTTONDOWN.
bool TakesFocusOnClick(LONG style) {
  if (style & TCS_FOCUSNEVER) return false;
  return !IsButtons(style) || (style & TCS_FOCUSONBUTTONDOWN);
}

}  // namespace

LRESULT NotifyParent(HWND hwnd, UINT code) {
  NMHDR header{hwnd, UINT_PTR(GetDlgCtrlID(hwnd)), code};
  HWND parent = GetParent(hwnd);
  if (!parent) return 0;
  return SendMessageW(parent, WM_NOTIFY, WPARAM(header.idFrom), reinterpret_cast<LPARAM>(&header));
}

bool SelectWithNotify(TabControl* control, int index) {
  HWND hwnd = control->hwnd();
  if (!control->Valid(index) || index == control->selected) return false;
  if (NotifyParent(hwnd, TCN_SELCHANGING)) return false;  // the parent said no
  control = TabControl::FromWindow(hwnd);
  if (!control || !control->Valid(index)) return false;
  control->SetSelection(index);
  control->focused = index;
  NotifyParent(hwnd, TCN_SELCHANGE);
  return true;
}

int TabControl::SetSelection(int index) {
  if (index < -1 || index >= Count()) return -1;
  int previous = selected;
  selected = index;
  if (index >= 0 && !IsButtons(Style())) focused = index;
  ScrollIntoView(index);
  if (previous != index) InvalidateRect(hwnd_, nullptr, TRUE);
  return previous;
}

// Buttons move only the focus; tabs select the tab, with the notifications.
void TabControl::SetFocusItem(int index) {
  if (index < -1 || index >= Count()) return;
  if (!IsButtons(Style()) && index >= 0) {
    SelectWithNotify(this, index);
    return;
  }
  focused = index;
  ScrollIntoView(index);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void TabControl::KeyDown(WPARAM key, LPARAM flags) {
  HWND hwnd = hwnd_;
  NMTCKEYDOWN record{{hwnd, UINT_PTR(GetDlgCtrlID(hwnd)), TCN_KEYDOWN}, WORD(key), UINT(flags)};
  if (HWND parent = GetParent(hwnd))
    SendMessageW(parent, WM_NOTIFY, WPARAM(record.hdr.idFrom), reinterpret_cast<LPARAM>(&record));
  TabControl* self = FromWindow(hwnd);
  if (!self) return;
  bool buttons = IsButtons(self->Style());
  if (buttons && (key == VK_SPACE || key == VK_RETURN)) {
    SelectWithNotify(self, self->focused);
    return;
  }
  int from = buttons ? self->focused : self->selected;
  int to = KeyTarget(hwnd, key, from, self->Count());
  if (to < 0 || to == from) return;
  if (!buttons) {
    SelectWithNotify(self, to);
    return;
  }
  self->SetFocusItem(to);
  NotifyParent(hwnd, TCN_FOCUSCHANGE);
}

void TabControl::MouseDown(LPARAM point) {
  HWND hwnd = hwnd_;
  tracking = true;
  if (TakesFocusOnClick(Style()) && GetFocus() != hwnd) SetFocus(hwnd);
  TabControl* self = FromWindow(hwnd);
  if (!self) return;
  POINT pt{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  const RECT& arrows = self->CurrentLayout().arrows;
  if (Contains(arrows, pt)) {
    self->ScrollBy(pt.x < (arrows.left + arrows.right) / 2 ? -1 : 1);
    return;
  }
  int index = self->HitTest(pt, nullptr);
  if (index >= 0) SelectWithNotify(self, index);
}

void TabControl::MouseUp(UINT code) {
  if (!tracking) return;
  tracking = false;
  NotifyParent(hwnd_, code);
}

}  // namespace talix::comctl::tab
