// Running a dialog modally: shared by DialogBox* and the message box.
#pragma once

#include "platform/user/dialog/create_dialog.h"
#include "platform/user/dialog/modal_loop.h"

namespace talix::user {

struct ModalDialogRun {
  host::ModalLoopKind kind = host::ModalLoopKind::Dialog;
  int filterCode = MSGF_DIALOGBOX;
  // Called at each idle of the loop with the dialog and the idle count (the message box
  // script ends the box here).
  std::function<void(HWND, unsigned)> onIdle;
};

// Creates the dialog (owner = the top-level window of request.parent), disables the owner,
// runs the modal loop until EndDialog, destroys the dialog and returns EndDialog's value;
// -1 when the dialog cannot be made.
INT_PTR RunModalDialog(const void* data, size_t size, DialogRequest request,
                       const ModalDialogRun& run);

}  // namespace talix::user
