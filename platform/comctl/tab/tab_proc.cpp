// The tab control's window procedure: the TCM_* messages, fonts, painting, mouse and
// keyboard, and the state object's life.
#include "platform/comctl/tab/tab_proc.h"

#include "platform/comctl/tab/tab_control.h"

#include <new>

namespace talix::comctl::tab {
namespace {

void Paint(TabControl* control) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(control->hwnd(), &ps);
  if (hdc) PaintTabControl(control, hdc);
  EndPaint(control->hwnd(), &ps);
}

LRESULT HitTestMessage(TabControl* control, LPARAM lParam) {
  auto* info = reinterpret_cast<TCHITTESTINFO*>(lParam);
  if (!info) return -1;
  return control->HitTest(info->pt, &info->flags);
}

LRESULT SetExtendedStyle(TabControl* control, WPARAM mask, LPARAM style) {
  DWORD previous = control->extendedStyle;
  DWORD bits = mask ? DWORD(mask) : 0xFFFFFFFFu;
  control->extendedStyle = (previous & ~bits) | (DWORD(style) & bits);
  InvalidateRect(control->hwnd(), nullptr, TRUE);
  return previous;
}

LRESULT SetImageList(TabControl* control, LPARAM list) {
  HIMAGELIST previous = control->images;
  control->images = reinterpret_cast<HIMAGELIST>(list);
  control->Changed();
  return reinterpret_cast<LRESULT>(previous);
}

// Answers the TCM_* and CCM_* messages; false for the others.
bool TabMessage(TabControl* c, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  auto item = reinterpret_cast<TCITEMW*>(lParam);
  auto rect = reinterpret_cast<RECT*>(lParam);
  int index = int(wParam);
  switch (msg) {
    case TCM_GETITEMCOUNT: *result = c->Count(); return true;
    case TCM_INSERTITEMW: *result = c->Insert(index, item); return true;
    case TCM_DELETEITEM: *result = c->Delete(index); return true;
    case TCM_DELETEALLITEMS: c->DeleteAll(); *result = TRUE; return true;
    case TCM_GETITEMW: *result = c->GetItem(index, item); return true;
    case TCM_SETITEMW: *result = c->SetItem(index, item); return true;
    case TCM_SETITEMEXTRA: *result = c->SetItemExtra(wParam); return true;
    case TCM_GETCURSEL: *result = c->selected; return true;
    case TCM_SETCURSEL: *result = c->SetSelection(index); return true;
    case TCM_GETCURFOCUS: *result = c->focused; return true;
    case TCM_SETCURFOCUS: c->SetFocusItem(index); *result = 0; return true;
    case TCM_GETITEMRECT: *result = c->ItemRect(index, rect); return true;
    case TCM_HITTEST: *result = HitTestMessage(c, lParam); return true;
    case TCM_ADJUSTRECT: c->Adjust(wParam != 0, rect); return true;
    case TCM_SETITEMSIZE: *result = c->SetItemSize(LOWORD(lParam), HIWORD(lParam)); return true;
    case TCM_SETPADDING: c->SetPadding(LOWORD(lParam), HIWORD(lParam)); *result = 0; return true;
    case TCM_SETMINTABWIDTH: *result = c->SetMinTabWidth(int(lParam)); return true;
    case TCM_GETROWCOUNT: *result = c->Rows(); return true;
    case TCM_GETIMAGELIST: *result = reinterpret_cast<LRESULT>(c->images); return true;
    case TCM_SETIMAGELIST: *result = SetImageList(c, lParam); return true;
    case TCM_REMOVEIMAGE: c->RemoveImage(index); *result = 0; return true;
    case TCM_HIGHLIGHTITEM: *result = c->Highlight(index, LOWORD(lParam) != 0); return true;
    case TCM_DESELECTALL: c->DeselectAll(wParam != 0); *result = 0; return true;
    case TCM_GETEXTENDEDSTYLE: *result = c->extendedStyle; return true;
    case TCM_SETEXTENDEDSTYLE: *result = SetExtendedStyle(c, wParam, lParam); return true;
    case TCM_GETTOOLTIPS: *result = reinterpret_cast<LRESULT>(c->tooltips); return true;
    case TCM_SETTOOLTIPS: c->tooltips = reinterpret_cast<HWND>(wParam); *result = 0; return true;
    case CCM_GETUNICODEFORMAT: *result = c->unicode; return true;
    case CCM_SETUNICODEFORMAT:
      *result = c->unicode;
      c->unicode = wParam ? TRUE : FALSE;
      return true;
  }
  return false;
}

// Window messages the control answers itself; false for those left to DefWindowProcW.
bool WindowMessage(TabControl* c, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (msg) {
    case WM_SETFONT:
      c->font = reinterpret_cast<HFONT>(wParam);
      c->Changed(LOWORD(lParam) != 0);
      return true;
    case WM_GETFONT: *result = reinterpret_cast<LRESULT>(c->font); return true;
    case WM_SIZE:
    case WM_STYLECHANGED: c->Changed(); return true;
    case WM_ERASEBKGND: *result = 1; return true;  // the paint covers the client area
    case WM_PAINT: Paint(c); return true;
    case WM_PRINTCLIENT: PaintTabControl(c, reinterpret_cast<HDC>(wParam)); return true;
    case WM_GETDLGCODE: *result = DLGC_WANTARROWS | DLGC_WANTCHARS; return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: c->MouseDown(lParam); return true;
    case WM_LBUTTONUP: c->MouseUp(NM_CLICK); return true;
    case WM_RBUTTONUP: NotifyParent(c->hwnd(), NM_RCLICK); return true;
    case WM_KEYDOWN: c->KeyDown(wParam, lParam); return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(c->hwnd(), nullptr, TRUE); return true;
    case WM_ENABLE: InvalidateRect(c->hwnd(), nullptr, TRUE); return true;
  }
  return false;
}

}  // namespace

LRESULT CALLBACK TabControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* control = reinterpret_cast<TabControl*>(GetWindowLongPtrW(hwnd, kTabStateOffset));
  if (msg == WM_NCCREATE && !control) {
    control = new (std::nothrow) TabControl(hwnd);
    if (!control) return FALSE;  // the window is not created
    SetWindowLongPtrW(hwnd, kTabStateOffset, reinterpret_cast<LONG_PTR>(control));
  }
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, kTabStateOffset, 0);
    delete control;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  LRESULT result = 0;
  if (control && (TabMessage(control, msg, wParam, lParam, &result) ||
                  WindowMessage(control, msg, wParam, lParam, &result)))
    return result;
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace talix::comctl::tab
