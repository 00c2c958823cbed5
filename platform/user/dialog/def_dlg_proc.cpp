// DefDlgProcW: the window procedure of the dialog class. It runs the dialog procedure
// kept at DWLP_DLGPROC first; what that procedure leaves unhandled gets the dialog
// manager's defaults.
#include "platform/user/dialog/dialog_controls.h"
#include "platform/user/dialog/dialog_state.h"

#include <windows.h>

namespace talix::user {
namespace {

// Messages whose dialog-procedure result is the message result itself, not DWLP_MSGRESULT.
bool ReturnsDirectly(UINT msg) {
  return (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) || msg == WM_COMPAREITEM ||
         msg == WM_VKEYTOITEM || msg == WM_CHARTOITEM || msg == WM_QUERYDRAGICON ||
         msg == WM_INITDIALOG;
}

void EraseBackground(HWND dialog, HDC hdc) {
  auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
      dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(dialog)));
  if (!brush) brush = GetSysColorBrush(COLOR_3DFACE);
  RECT client;
  GetClientRect(dialog, &client);
  FillRect(hdc, &client, brush);
}

void SaveFocus(HWND dialog) {
  HWND focus = GetFocus();
  auto state = DialogStateOf(dialog);
  if (state && focus && IsChild(dialog, focus)) state->savedFocus = focus;
}

void RestoreFocus(HWND dialog) {
  HWND focus = FocusToRestore(dialog);
  if (focus) SetDialogFocus(dialog, focus);
}

void NextControl(HWND dialog, WPARAM wParam, LPARAM lParam) {
  HWND target;
  if (LOWORD(lParam))
    target = reinterpret_cast<HWND>(wParam);
  else
    target = GetNextDlgTabItem(dialog, GetFocus(), wParam != 0);
  if (target && (target == dialog || IsChild(dialog, target))) SetDialogFocus(dialog, target);
}

void SetDefaultId(HWND dialog, WPARAM id) {
  auto state = DialogStateOf(dialog);
  if (!state) return;
  state->defaultId = static_cast<WORD>(id);
  HWND focus = GetFocus();
  UpdateDefaultButtonLook(dialog, focus && IsChild(dialog, focus) ? focus : nullptr);
}

// Moves a top-level dialog back inside the work area.
void Reposition(HWND dialog) {
  if (GetWindowLongW(dialog, GWL_STYLE) & WS_CHILD) return;
  RECT rect, work;
  GetWindowRect(dialog, &rect);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int x = rect.left, y = rect.top;
  if (rect.right > work.right) x -= rect.right - work.right;
  if (rect.bottom > work.bottom) y -= rect.bottom - work.bottom;
  if (x < work.left) x = work.left;
  if (y < work.top) y = work.top;
  if (x != rect.left || y != rect.top)
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Close(HWND dialog) {
  HWND cancel = GetDlgItem(dialog, IDCANCEL);
  if (cancel && !IsWindowEnabled(cancel)) return;
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
               reinterpret_cast<LPARAM>(cancel));
}

LRESULT DialogDefault(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      EraseBackground(dialog, reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_SHOWWINDOW:
      if (!wParam) SaveFocus(dialog);
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE)
        SaveFocus(dialog);
      else
        RestoreFocus(dialog);
      return 0;
    case WM_SETFOCUS:
      RestoreFocus(dialog);
      return 0;
    case WM_SETFONT:
      if (auto state = DialogStateOf(dialog)) state->font = reinterpret_cast<HFONT>(wParam);
      if (lParam) InvalidateRect(dialog, nullptr, TRUE);
      return 0;
    case WM_GETFONT: {
      auto state = FindDialogState(dialog);
      return reinterpret_cast<LRESULT>(state ? state->font : nullptr);
    }
    case WM_CLOSE:
      Close(dialog);
      return 0;
    case WM_NEXTDLGCTL:
      NextControl(dialog, wParam, lParam);
      return 0;
    case DM_GETDEFID: {
      auto state = FindDialogState(dialog);
      return state && state->defaultId ? MAKELONG(state->defaultId, DC_HASDEFID) : 0;
    }
    case DM_SETDEFID:
      SetDefaultId(dialog, wParam);
      return TRUE;
    case DM_REPOSITION:
      Reposition(dialog);
      return 0;
  }
  return DefWindowProcW(dialog, msg, wParam, lParam);
}

LRESULT RunDialogProcedure(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam) {
  auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(hDlg, DWLP_DLGPROC));
  if (proc) {
    SetWindowLongPtrW(hDlg, DWLP_MSGRESULT, 0);
    INT_PTR answer = proc(hDlg, Msg, wParam, lParam);
    if (ReturnsDirectly(Msg)) {
      if (answer) return answer;
    } else if (answer) {
      return IsWindow(hDlg) ? GetWindowLongPtrW(hDlg, DWLP_MSGRESULT) : 0;
    }
    if (!IsWindow(hDlg)) return 0;
  }
  return DialogDefault(hDlg, Msg, wParam, lParam);
}

}  // namespace
}  // namespace talix::user

using namespace talix::user;

LRESULT DefDlgProcW(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = RunDialogProcedure(hDlg, Msg, wParam, lParam);
  // The state goes with the window whoever handled WM_NCDESTROY.
  if (Msg == WM_NCDESTROY) DropDialogState(hDlg);
  return result;
}
