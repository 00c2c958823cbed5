// The system input queue: injected events wait here until they are given to a window's
// thread, one at a time, each once the input given out before it has been retrieved.
#pragma once

#include "platform/user/input/input_state.h"
#include "platform/user/message/message_queue.h"

namespace talix::user {

// Adds an event (time, position and key flags are filled in here) and wakes the threads
// that may give it out. Updates the cursor and the asynchronous key state at once.
void InjectInput(RawInput event);

// GetMessageW's and PeekMessageW's look at the queue: gives out pending input, then
// PeekQueue, then for a removed input message the work of its retrieval (key state,
// WH_KEYBOARD/WH_MOUSE, mouse activation, WM_SETCURSOR) and last WH_GETMESSAGE. An input
// message eaten on the way (MA_ACTIVATEANDEAT, a hook) is skipped. False: no message.
bool RetrieveMessage(MessageQueue& queue, const MessageFilter& filter, bool remove, MSG* msg);

}  // namespace talix::user
