// What the dialog manager keeps per dialog beyond the DWLP_ slots: its font, default
// button, remembered focus and the modal result. Made when the dialog manager creates a
// dialog (or when DefDlgProcW first sees a window of a class of its own); dropped at
// WM_NCDESTROY.
#pragma once

#include <win/dialog.h>

#include <memory>

namespace talix::user {

struct DialogState {
  HFONT font = nullptr;
  bool ownsFont = false;  // made from the template's font: deleted with the dialog
  WORD defaultId = 0;     // 0: none set (Enter then sends IDOK)
  HWND savedFocus = nullptr;
  bool ended = false;     // EndDialog was called
  INT_PTR result = 0;
  HWND disabledOwner = nullptr;  // the owner DialogBox disabled, enabled again at the end
};

// The state of a dialog, made on first use; null for a window that is not alive.
std::shared_ptr<DialogState> DialogStateOf(HWND dialog);
// The state only if there is one already.
std::shared_ptr<DialogState> FindDialogState(HWND dialog);
// Forgets the dialog, deleting a font the dialog manager made for it.
void DropDialogState(HWND dialog);

}  // namespace talix::user
