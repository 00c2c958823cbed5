// Per-thread message queues.
//
// A thread gets its queue on first use. Posted messages wait in `posted`; messages sent
// from other threads wait in `sent` and are run by the owner whenever it looks at its
// queue (GetMessageW, PeekMessageW) or waits in a SendMessageW of its own, so two threads
// sending to each other never deadlock. WM_QUIT, and later WM_PAINT and input, are not
// stored: they are made when the queue is otherwise empty, by the sources below.
//
// Wakeups: `changed` holds the QS_* kinds that arrived since the owner last looked; it is
// what WaitMessage and MsgWaitForMultipleObjects wait for. Whoever adds to a queue calls
// Signal() after releasing UserLock.
#pragma once

#include "platform/user/window/window_object.h"

#include <atomic>
#include <deque>

namespace talix::user {

struct SentMessage {
  HWND hwnd = nullptr;
  UINT msg = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  LRESULT result = 0;
  std::atomic<bool> done{false};
  std::shared_ptr<MessageQueue> sender;  // null for SendNotifyMessageW
};

class MessageQueue {
 public:
  explicit MessageQueue(DWORD threadId) : threadId(threadId) {}
  // Marks kinds of news and wakes the owner's wait; call without UserLock.
  void Signal(UINT qsBits);

  const DWORD threadId;
  std::atomic<UINT> changed{0};
  std::atomic<int> pendingSends{0};
  // Guarded by UserLock.
  bool alive = true;
  std::deque<MSG> posted;
  std::deque<std::shared_ptr<SentMessage>> sent;
  bool quitPosted = false;
  int quitCode = 0;
  // Owner thread only.
  DWORD lastTime = 0;
  POINT lastPos{};
};

// The calling thread's queue, made on first use; removed when the thread ends (senders
// still waiting get 0).
std::shared_ptr<MessageQueue> CurrentQueue();
std::shared_ptr<MessageQueue> QueueOfThreadLocked(DWORD threadId);

// A message filter of GetMessageW/PeekMessageW.
struct MessageFilter {
  HWND hwnd = nullptr;  // null: any; (HWND)-1: thread messages only
  UINT min = 0;
  UINT max = 0;
  bool Accepts(UINT msg) const { return (min == 0 && max == 0) || (msg >= min && msg <= max); }
  bool AcceptsWindowLocked(HWND target) const;
};

// A generator of messages that are not stored (input, WM_PAINT, WM_TIMER), asked in
// order of registration after posted messages. It runs with UserLock held, fills *msg
// and returns true when it has one for the thread; `remove` is PM_REMOVE.
using QueueSource = bool (*)(MessageQueue& queue, const MessageFilter& filter, bool remove,
                             MSG* msg);
// Sources run in `priority` order (lower first): input 100, WM_PAINT 200, WM_TIMER 300.
TALIX_EXPORT void AddQueueSource(int priority, QueueSource source);
// The earliest clock time at which a source will have something for the thread
// (timers); UINT64_MAX when none. Registered beside the source.
// It may also bring its own state up to date with the clock (setting queue.changed).
using DueQuery = uint64_t (*)(MessageQueue& queue);
TALIX_EXPORT void AddDueQuery(DueQuery query);

// Runs every message sent to this thread from another thread.
void ProcessSentMessages(MessageQueue& queue);
// One look at the queue: sent messages, then posted, quit and the sources.
bool PeekQueue(MessageQueue& queue, const MessageFilter& filter, bool remove, MSG* msg);

// Puts a sent message on the owner's queue and wakes it; false when the owner is gone.
bool EnqueueSent(const std::shared_ptr<MessageQueue>& target, std::shared_ptr<SentMessage> sent);
// Sends across threads: queues the message on the owner's queue and waits, running
// messages sent to us meanwhile. Returns false on time-out or when the owner is gone.
bool SendToOtherThread(HWND hwnd, const std::shared_ptr<MessageQueue>& target, UINT msg,
                       WPARAM wParam, LPARAM lParam, DWORD timeoutMs, LRESULT* result);

}  // namespace talix::user
