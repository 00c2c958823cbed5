// Walking a dialog's controls and moving the focus among them, as the dialog manager
// does for WM_NEXTDLGCTL, Tab, arrows, mnemonics and default push buttons.
#pragma once

#include <win/dialog.h>

#include <vector>

namespace talix::user {

// The dialog's controls in tab order (z-order, topmost first), descending into visible,
// enabled children that carry WS_EX_CONTROLPARENT in place of the container itself.
std::vector<HWND> DialogControlsInOrder(HWND dialog);
// What a control answers to WM_GETDLGCODE (0 for no control).
UINT DialogCode(HWND control, WPARAM key = 0, MSG* msg = nullptr);
// Gives `control` the focus the way the dialog manager does: an edit's text is selected
// and the default push button follows the focus.
void SetDialogFocus(HWND dialog, HWND control);
// Makes the push button that should look default (the focused push button, else the
// dialog's default id) BS_DEFPUSHBUTTON and every other one BS_PUSHBUTTON.
void UpdateDefaultButtonLook(HWND dialog, HWND focus);
// The focus to give a dialog that gains it: the remembered focus when it is still one of
// the dialog's enabled windows, else the first tab stop.
HWND FocusToRestore(HWND dialog);
// The control matching a mnemonic character from `from` on (statics hand over to the
// next control); null when none.
HWND FindMnemonicTarget(HWND dialog, HWND from, WCHAR key);

}  // namespace talix::user
