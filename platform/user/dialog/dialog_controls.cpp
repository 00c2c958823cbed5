// GetNextDlgTabItem, GetNextDlgGroupItem and the focus helpers of the dialog manager.
#include "platform/user/dialog/dialog_controls.h"

#include "platform/kernel/wstr/char_tables.h"
#include "platform/user/dialog/dialog_state.h"

#include <windows.h>

#include <algorithm>
#include <string>

namespace talix::user {
namespace {

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE)); }
DWORD ExStyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE)); }

bool Usable(HWND hwnd) {
  DWORD style = StyleOf(hwnd);
  return (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

void CollectControls(HWND parent, std::vector<HWND>* out) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if ((ExStyleOf(child) & WS_EX_CONTROLPARENT) && Usable(child))
      CollectControls(child, out);
    else
      out->push_back(child);
  }
}

// The entry of `controls` that is `hwnd` or holds it; -1 when none.
int IndexOfControl(const std::vector<HWND>& controls, HWND hwnd) {
  for (HWND h = hwnd; h; h = GetParent(h)) {
    auto it = std::find(controls.begin(), controls.end(), h);
    if (it != controls.end()) return static_cast<int>(it - controls.begin());
  }
  return -1;
}

// The first control from `start` (excluded) stepping cyclically that passes `accept`.
template <typename Accept>
HWND Step(const std::vector<HWND>& list, int start, bool backwards, Accept accept) {
  int n = static_cast<int>(list.size());
  for (int i = 1; i <= n; ++i) {
    int at = ((start + (backwards ? -i : i)) % n + n) % n;
    if (accept(list[at])) return list[at];
  }
  return nullptr;
}

// The position of the first "&x" mnemonic character in a text ("&&" is a literal '&').
WCHAR MnemonicOf(const std::u16string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&') continue;
    if (text[i + 1] != u'&') return text[i + 1];
    ++i;
  }
  return 0;
}

std::u16string TextOf(HWND hwnd) {
  int length = GetWindowTextLengthW(hwnd);
  std::u16string text(static_cast<size_t>(std::max(length, 0)) + 1, u'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
  return text;
}

bool SameLetter(WCHAR a, WCHAR b) { return talix::FoldCase(a) == talix::FoldCase(b); }

void SetButtonType(HWND button, DWORD type) {
  DWORD style = StyleOf(button);
  if ((style & BS_TYPEMASK) == type) return;
  SendMessageW(button, BM_SETSTYLE, (style & ~BS_TYPEMASK) | type, TRUE);
}

}  // namespace

std::vector<HWND> DialogControlsInOrder(HWND dialog) {
  std::vector<HWND> controls;
  if (IsWindow(dialog)) CollectControls(dialog, &controls);
  return controls;
}

UINT DialogCode(HWND control, WPARAM key, MSG* msg) {
  if (!control) return 0;
  return static_cast<UINT>(
      SendMessageW(control, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(msg)));
}

void UpdateDefaultButtonLook(HWND dialog, HWND focus) {
  HWND look = nullptr;
  if (focus && (DialogCode(focus) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)))
    look = focus;
  auto state = FindDialogState(dialog);
  if (!look && state && state->defaultId) look = GetDlgItem(dialog, state->defaultId);
  for (HWND control : DialogControlsInOrder(dialog)) {
    UINT code = DialogCode(control);
    if (control == look && (code & DLGC_UNDEFPUSHBUTTON)) SetButtonType(control, BS_DEFPUSHBUTTON);
    if (control != look && (code & DLGC_DEFPUSHBUTTON)) SetButtonType(control, BS_PUSHBUTTON);
  }
}

void SetDialogFocus(HWND dialog, HWND control) {
  if (!control) return;
  if (DialogCode(control) & DLGC_HASSETSEL) SendMessageW(control, EM_SETSEL, 0, -1);
  SetFocus(control);
  UpdateDefaultButtonLook(dialog, GetFocus());
}

HWND FocusToRestore(HWND dialog) {
  auto state = FindDialogState(dialog);
  HWND saved = state ? state->savedFocus : nullptr;
  if (saved && IsChild(dialog, saved) && IsWindowEnabled(saved) && IsWindowVisible(saved))
    return saved;
  return GetNextDlgTabItem(dialog, nullptr, FALSE);
}

HWND FindMnemonicTarget(HWND dialog, HWND from, WCHAR key) {
  std::vector<HWND> controls = DialogControlsInOrder(dialog);
  if (controls.empty()) return nullptr;
  int start = IndexOfControl(controls, from);
  if (start < 0) start = static_cast<int>(controls.size()) - 1;
  HWND match = Step(controls, start, false, [&](HWND c) {
    if (!Usable(c)) return false;
    UINT code = DialogCode(c);
    if ((code & DLGC_STATIC) && (StyleOf(c) & SS_NOPREFIX)) return false;
    WCHAR mnemonic = MnemonicOf(TextOf(c));
    return mnemonic && SameLetter(mnemonic, key);
  });
  if (!match || !(DialogCode(match) & DLGC_STATIC)) return match;
  // A label hands the mnemonic to the next control that is not a label.
  int at = IndexOfControl(controls, match);
  for (int i = at + 1; i < static_cast<int>(controls.size()); ++i)
    if (Usable(controls[i]) && !(DialogCode(controls[i]) & DLGC_STATIC)) return controls[i];
  return nullptr;
}

}  // namespace talix::user

using namespace talix::user;

HWND GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
  if (!IsWindow(hDlg)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  std::vector<HWND> controls = DialogControlsInOrder(hDlg);
  if (controls.empty()) return nullptr;
  int start = IndexOfControl(controls, hCtl);
  if (start < 0) start = bPrevious ? 0 : static_cast<int>(controls.size()) - 1;
  HWND next = Step(controls, start, bPrevious != FALSE,
                   [](HWND c) { return Usable(c) && (StyleOf(c) & WS_TABSTOP); });
  return next ? next : hCtl;
}

HWND GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
  if (!IsWindow(hDlg)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  std::vector<HWND> controls = DialogControlsInOrder(hDlg);
  if (controls.empty()) return nullptr;
  int at = IndexOfControl(controls, hCtl);
  if (at < 0) at = 0;
  // The group: from the nearest WS_GROUP control at or before `at` to the control before
  // the next WS_GROUP one.
  int first = at;
  while (first > 0 && !(StyleOf(controls[first]) & WS_GROUP)) --first;
  int end = at + 1;
  while (end < static_cast<int>(controls.size()) && !(StyleOf(controls[end]) & WS_GROUP)) ++end;
  std::vector<HWND> group(controls.begin() + first, controls.begin() + end);
  HWND next = Step(group, at - first, bPrevious != FALSE, Usable);
  return next ? next : controls[at];
}
