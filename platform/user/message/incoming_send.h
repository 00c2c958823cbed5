// The message a thread is running for another thread's SendMessageW, for InSendMessage
// and ReplyMessage; and the queue helpers the message functions share.
#pragma once

#include "platform/user/message/message_queue.h"

namespace talix::user {

struct IncomingSend {
  SentMessage* sent;
  bool replied;
};

// The innermost cross-thread message being run on this thread, or null.
IncomingSend* CurrentIncomingSend();
// Gives the sender its result now; false when there is no such sender or it has one.
bool ReplyToIncomingSend(LRESULT result);

// Lets the sources catch up with the clock; returns the next due time. Requires UserLock.
uint64_t RefreshSourcesLocked(MessageQueue& queue);
// The QS_* kinds present in the queue now. Requires UserLock.
UINT PresentKindsLocked(MessageQueue& queue);
UINT QueueKindOfMessage(UINT message);
// Waits for handles or for news of the given kinds in the queue (WAIT_OBJECT_0 + count).
// With anyPresent, kinds already in the queue count as news.
DWORD WaitForQueue(MessageQueue& queue, const HANDLE* handles, DWORD count, bool waitAll,
                   DWORD timeoutMs, UINT kinds, bool anyPresent);

}  // namespace talix::user
