// Host API: driving modal loops from a test or the demo.
//
// Every modal loop of the platform (DialogBox*, message boxes, and later popup menus and
// the file dialog) runs through one service. Each time a loop finds its thread's queue
// empty it calls the idle callback (after WM_ENTERIDLE to the owner). From the callback
// a test may inject input (talix/host_input.h), send or post messages, call EndDialog or
// capture pixels; the loop then runs whatever that produced. A loop that is still idle
// after the callback waits for messages (other threads, real timers), so a callback that
// never ends its loop leaves the thread waiting.
//
// Scripted message-box answers: while answers are queued, each message box takes the
// next one when it opens, is built and shown as usual, calls the idle callback once (so
// a test can look at it), and then ends with that answer unless the callback ended it
// first. The answer is returned as given, even when the box has no such button.
#pragma once

#include <win/types.h>

#include <cstddef>
#include <functional>

namespace talix::host {

enum class ModalLoopKind { Dialog, MessageBox, PopupMenu, FileDialog };

struct ModalIdle {
  ModalLoopKind kind;
  HWND window;        // the dialog, box or menu window the loop runs for
  int depth;          // 1 for the outermost loop, more for nested loops
  unsigned idleCount; // 1 at the loop's first idle, then counting
};

using ModalIdleCallback = std::function<void(const ModalIdle&)>;

// Sets the callback (an empty function clears it). Process-wide; called on the loop's
// thread.
TALIX_EXPORT void SetModalIdleCallback(ModalIdleCallback callback);
// Queues an answer (IDOK, IDCANCEL, ...) for the next message box.
TALIX_EXPORT void PushMessageBoxAnswer(int answer);
TALIX_EXPORT size_t PendingMessageBoxAnswers();
// Clears the callback and the answers.
TALIX_EXPORT void ResetModalScript();
// How many modal loops are running on the calling thread.
TALIX_EXPORT int ModalLoopDepth();

}  // namespace talix::host
