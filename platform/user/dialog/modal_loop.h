// The modal-loop service: one loop for dialog boxes, message boxes, popup menus and the
// file dialog, so that tests drive all of them the same way (talix/host_modal.h).
//
// A loop runs the calling thread's messages until `Ended` says so or its window is gone.
// Each message first goes through the WH_MSGFILTER hooks (CallMsgFilterW with the loop's
// filter code), then through `Preprocess` (IsDialogMessageW for dialogs, the menu's key
// handling for menus), and is otherwise translated and dispatched. When the queue is
// empty the loop shows its window if asked, sends WM_ENTERIDLE to the idle owner, calls
// the host's idle callback and `OnIdle`, and then waits for messages. WM_QUIT ends the
// loop and is posted again for the caller's own loop. A loop may look at each message
// before taking it (`EndsBefore`): when that ends the loop, the message stays in the
// queue for the caller's own loop (a press outside a popup menu).
#pragma once

#include <talix/host_modal.h>
#include <win/dialog.h>

#include <functional>

namespace talix::user {

struct ModalLoop {
  host::ModalLoopKind kind = host::ModalLoopKind::Dialog;
  HWND window = nullptr;
  int filterCode = MSGF_DIALOGBOX;  // for CallMsgFilterW (WM_ENTERIDLE says MSGF_MENU or MSGF_DIALOGBOX)
  HWND idleOwner = nullptr;         // gets WM_ENTERIDLE; null for none (DS_NOIDLEMSG)
  bool showWhenIdle = false;        // show `window` at the first idle (DialogBox)
  std::function<bool()> Ended;
  std::function<bool(MSG&)> Preprocess;      // true: the message was handled
  std::function<void(unsigned)> OnIdle;      // after the host callback; the idle count
  std::function<bool(const MSG&)> EndsBefore;  // true: end here, leave the message queued
};

// Runs the loop; false when it ended on WM_QUIT.
TALIX_EXPORT bool RunModalLoop(const ModalLoop& loop);
// The next scripted message-box answer, if any (taken off the queue).
bool TakeMessageBoxAnswer(int* answer);

}  // namespace talix::user
