// Host API: the window manager as tests and the demo see it.
#pragma once

#include <win/types.h>

#include <cstddef>

namespace talix::host {

// Runs the calling thread's messages (sent, posted, timers that are due) until its queue
// is empty, without waiting. WM_QUIT is left in the queue. Returns how many messages were
// dispatched.
TALIX_EXPORT size_t PumpMessagesUntilIdle();
// Live windows, not counting the desktop window (also LiveHandles(HandleKind::Window)).
TALIX_EXPORT size_t LiveWindowCount();

}  // namespace talix::host
