// IsDialogMessageW: the dialog manager's keyboard interface (Tab, arrows, Enter, Escape,
// mnemonics), asking each control first through WM_GETDLGCODE what it wants for itself.
#include "platform/user/dialog/dialog_controls.h"

#include <windows.h>

namespace talix::user {
namespace {

void Dispatch(MSG* msg) {
  TranslateMessage(msg);
  DispatchMessageW(msg);
}

void SendCommand(HWND dialog, int id, HWND control) {
  if (control && !IsWindowEnabled(control)) {
    MessageBeep(0);
    return;
  }
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

// Enter: the focused push button, else the default id, else IDOK.
void PressEnter(HWND dialog) {
  HWND focus = GetFocus();
  if (focus && IsChild(dialog, focus) && (DialogCode(focus) & DLGC_DEFPUSHBUTTON)) {
    SendCommand(dialog, GetDlgCtrlID(focus), focus);
    return;
  }
  LRESULT def = SendMessageW(dialog, DM_GETDEFID, 0, 0);
  int id = HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
  SendCommand(dialog, id, GetDlgItem(dialog, id));
}

bool ArrowKey(WPARAM key) {
  return key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN;
}

bool KeyDown(HWND dialog, MSG* msg) {
  UINT code = DialogCode(msg->hwnd, msg->wParam, msg);
  if (code & DLGC_WANTMESSAGE) return false;
  switch (msg->wParam) {
    case VK_TAB:
      if (code & DLGC_WANTTAB) return false;
      SendMessageW(dialog, WM_NEXTDLGCTL, GetKeyState(VK_SHIFT) < 0, 0);
      return true;
    case VK_RETURN:
      PressEnter(dialog);
      return true;
    case VK_ESCAPE:
      SendCommand(dialog, IDCANCEL, GetDlgItem(dialog, IDCANCEL));
      return true;
  }
  if (ArrowKey(msg->wParam) && !(code & DLGC_WANTARROWS)) {
    bool back = msg->wParam == VK_LEFT || msg->wParam == VK_UP;
    HWND next = GetNextDlgGroupItem(dialog, GetFocus(), back);
    if (next) SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
    return true;
  }
  return false;
}

// A mnemonic: a button is clicked (a check box or radio button also takes the focus),
// any other control takes the focus.
bool Mnemonic(HWND dialog, MSG* msg) {
  HWND target = FindMnemonicTarget(dialog, GetFocus(), static_cast<WCHAR>(msg->wParam));
  if (!target) return false;
  UINT code = DialogCode(target);
  bool pushButton = code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
  if (!pushButton) SetDialogFocus(dialog, target);
  if (code & DLGC_BUTTON) SendMessageW(target, BM_CLICK, 0, 0);
  return true;
}

bool Character(HWND dialog, MSG* msg) {
  UINT code = DialogCode(msg->hwnd, msg->wParam, msg);
  if (msg->message == WM_CHAR && (code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE))) return false;
  if (msg->message == WM_CHAR && (msg->wParam == u'\t' || msg->wParam == u'\r' ||
                                  msg->wParam == 0x1B))
    return true;  // the keys themselves were handled at WM_KEYDOWN
  return Mnemonic(dialog, msg);
}

}  // namespace
}  // namespace talix::user

using namespace talix::user;

BOOL IsDialogMessageW(HWND hDlg, LPMSG lpMsg) {
  if (!lpMsg || !IsWindow(hDlg)) return FALSE;
  if (lpMsg->hwnd != hDlg && !IsChild(hDlg, lpMsg->hwnd)) return FALSE;
  bool handled = false;
  switch (lpMsg->message) {
    case WM_KEYDOWN:
      handled = KeyDown(hDlg, lpMsg);
      break;
    case WM_CHAR:
    case WM_SYSCHAR:
      handled = Character(hDlg, lpMsg);
      break;
  }
  if (!handled) Dispatch(lpMsg);
  return TRUE;
}

BOOL MessageBeep(UINT) { return TRUE; }
