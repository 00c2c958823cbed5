#include "platform/user/message/message_queue.h"

#include "platform/kernel/sync/clock.h"
#include "platform/kernel/sync/waitable.h"
#include "platform/user/hook/hooks.h"
#include "platform/user/message/incoming_send.h"

#include <win/sync.h>

#include <algorithm>
#include <unordered_map>

namespace talix::user {
namespace {

std::unordered_map<DWORD, std::shared_ptr<MessageQueue>>& QueuesLocked() {
  static auto* queues = new std::unordered_map<DWORD, std::shared_ptr<MessageQueue>>;
  return *queues;
}

struct Source {
  int priority;
  QueueSource source;
};

std::vector<Source>& SourcesLocked() {
  static auto* sources = new std::vector<Source>;
  return *sources;
}

std::vector<DueQuery>& DueQueriesLocked() {
  static auto* queries = new std::vector<DueQuery>;
  return *queries;
}

void CompleteSend(SentMessage& sent, LRESULT result) {
  sent.result = result;
  sent.done.store(true, std::memory_order_release);
  if (sent.sender) WakeThreadWait(sent.sender->threadId);
}

// Retires the thread's queue when the thread ends: senders still waiting get 0.
struct QueueHolder {
  std::shared_ptr<MessageQueue> queue;
  ~QueueHolder() {
    if (!queue) return;
    std::deque<std::shared_ptr<SentMessage>> orphans;
    {
      std::lock_guard<std::mutex> lock(UserLock());
      queue->alive = false;
      orphans.swap(queue->sent);
      QueuesLocked().erase(queue->threadId);
    }
    for (auto& sent : orphans) CompleteSend(*sent, 0);
  }
};

thread_local QueueHolder t_queue;
thread_local IncomingSend* t_incoming = nullptr;

void RunSentMessage(SentMessage& sent) {
  IncomingSend incoming{&sent, false};
  IncomingSend* previous = t_incoming;
  t_incoming = &incoming;
  LRESULT result =
      CallWindowProcedureWithHooks(sent.hwnd, sent.msg, sent.wParam, sent.lParam, false);
  t_incoming = previous;
  if (!incoming.replied) CompleteSend(sent, result);
}

}  // namespace

void MessageQueue::Signal(UINT qsBits) {
  changed.fetch_or(qsBits);
  WakeThreadWait(threadId);
}

std::shared_ptr<MessageQueue> CurrentQueue() {
  if (!t_queue.queue) {
    DWORD id = GetCurrentThreadId();
    auto queue = std::make_shared<MessageQueue>(id);
    std::lock_guard<std::mutex> lock(UserLock());
    QueuesLocked()[id] = queue;
    t_queue.queue = std::move(queue);
  }
  return t_queue.queue;
}

std::shared_ptr<MessageQueue> QueueOfThreadLocked(DWORD threadId) {
  auto it = QueuesLocked().find(threadId);
  return it == QueuesLocked().end() ? nullptr : it->second;
}

IncomingSend* CurrentIncomingSend() { return t_incoming; }

bool ReplyToIncomingSend(LRESULT result) {
  IncomingSend* incoming = t_incoming;
  if (!incoming || incoming->replied) return false;
  incoming->replied = true;
  CompleteSend(*incoming->sent, result);
  return true;
}

bool MessageFilter::AcceptsWindowLocked(HWND target) const {
  if (!hwnd) return true;
  if (hwnd == reinterpret_cast<HWND>(-1)) return target == nullptr;
  if (target == hwnd) return true;
  Window* filterWindow = WindowLocked(hwnd);
  Window* targetWindow = target ? WindowLocked(target) : nullptr;
  return filterWindow && targetWindow && IsDescendantLocked(*filterWindow, *targetWindow);
}

void AddQueueSource(int priority, QueueSource source) {
  std::lock_guard<std::mutex> lock(UserLock());
  auto& sources = SourcesLocked();
  auto at = std::find_if(sources.begin(), sources.end(),
                         [&](const Source& s) { return s.priority > priority; });
  sources.insert(at, Source{priority, source});
}

void AddDueQuery(DueQuery query) {
  std::lock_guard<std::mutex> lock(UserLock());
  DueQueriesLocked().push_back(query);
}

uint64_t RefreshSourcesLocked(MessageQueue& queue) {
  uint64_t due = kNeverDue;
  for (DueQuery query : DueQueriesLocked()) due = std::min(due, query(queue));
  return due;
}

UINT PresentKindsLocked(MessageQueue& queue) {
  UINT kinds = 0;
  if (!queue.posted.empty() || queue.quitPosted) kinds |= QS_POSTMESSAGE | QS_ALLPOSTMESSAGE;
  if (!queue.sent.empty()) kinds |= QS_SENDMESSAGE;
  MessageFilter all;
  MSG msg;
  for (const Source& s : SourcesLocked())
    if (s.source(queue, all, false, &msg)) kinds |= QueueKindOfMessage(msg.message);
  return kinds;
}

UINT QueueKindOfMessage(UINT message) {
  if (message == WM_TIMER) return QS_TIMER;
  if (message == WM_PAINT) return QS_PAINT;
  if (message >= WM_KEYFIRST && message <= WM_KEYLAST) return QS_KEY;
  if (message == WM_MOUSEMOVE) return QS_MOUSEMOVE;
  if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) return QS_MOUSEBUTTON;
  return QS_POSTMESSAGE;
}

void ProcessSentMessages(MessageQueue& queue) {
  for (;;) {
    std::shared_ptr<SentMessage> sent;
    {
      std::lock_guard<std::mutex> lock(UserLock());
      if (queue.sent.empty()) return;
      sent = std::move(queue.sent.front());
      queue.sent.pop_front();
    }
    queue.pendingSends.fetch_sub(1);
    RunSentMessage(*sent);
  }
}

bool PeekQueue(MessageQueue& queue, const MessageFilter& filter, bool remove, MSG* msg) {
  queue.changed.store(0);
  ProcessSentMessages(queue);
  std::lock_guard<std::mutex> lock(UserLock());
  RefreshSourcesLocked(queue);
  for (auto it = queue.posted.begin(); it != queue.posted.end(); ++it) {
    if (!filter.Accepts(it->message) || !filter.AcceptsWindowLocked(it->hwnd)) continue;
    *msg = *it;
    if (remove) queue.posted.erase(it);
    queue.lastTime = msg->time;
    queue.lastPos = msg->pt;
    return true;
  }
  if (queue.quitPosted) {  // WM_QUIT passes any filter
    *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(queue.quitCode), 0,
               static_cast<DWORD>(ClockNowMs()), queue.lastPos};
    if (remove) queue.quitPosted = false;
    return true;
  }
  for (const Source& s : SourcesLocked()) {
    if (!s.source(queue, filter, remove, msg)) continue;
    queue.lastTime = msg->time;
    queue.lastPos = msg->pt;
    return true;
  }
  return false;
}

DWORD WaitForQueue(MessageQueue& queue, const HANDLE* handles, DWORD count, bool waitAll,
                   DWORD timeoutMs, UINT kinds, bool anyPresent) {
  const uint64_t start = ClockNowMs();
  const uint64_t end = timeoutMs == INFINITE ? kNeverDue : start + timeoutMs;
  std::function<bool()> news = [&queue, kinds] {
    return (queue.changed.load() & kinds) != 0 ||
           ((kinds & QS_SENDMESSAGE) && queue.pendingSends.load() > 0);
  };
  for (;;) {
    uint64_t due;
    {
      std::lock_guard<std::mutex> lock(UserLock());
      due = RefreshSourcesLocked(queue);
      if (anyPresent && (PresentKindsLocked(queue) & kinds)) return WAIT_OBJECT_0 + count;
    }
    if (news()) return WAIT_OBJECT_0 + count;
    uint64_t now = ClockNowMs();
    uint64_t wake = std::min(end, due);
    DWORD wait = wake == kNeverDue ? INFINITE
                                   : static_cast<DWORD>(std::min<uint64_t>(
                                         wake > now ? wake - now : 0, INFINITE - 1));
    DWORD result = WaitForHandles(handles, count, waitAll, wait, &news);
    if (result != WAIT_TIMEOUT) return result;
    if (ClockNowMs() >= end) return WAIT_TIMEOUT;
  }
}

bool EnqueueSent(const std::shared_ptr<MessageQueue>& target, std::shared_ptr<SentMessage> sent) {
  {
    std::lock_guard<std::mutex> lock(UserLock());
    if (!target->alive) return false;
    target->sent.push_back(std::move(sent));
    target->pendingSends.fetch_add(1);
  }
  target->Signal(QS_SENDMESSAGE);
  return true;
}

bool SendToOtherThread(HWND hwnd, const std::shared_ptr<MessageQueue>& target, UINT msg,
                       WPARAM wParam, LPARAM lParam, DWORD timeoutMs, LRESULT* result) {
  std::shared_ptr<MessageQueue> self = CurrentQueue();
  auto sent = std::make_shared<SentMessage>();
  sent->hwnd = hwnd;
  sent->msg = msg;
  sent->wParam = wParam;
  sent->lParam = lParam;
  sent->sender = self;
  if (!EnqueueSent(target, sent)) return false;
  const uint64_t end = timeoutMs == INFINITE ? kNeverDue : ClockNowMs() + timeoutMs;
  std::function<bool()> wake = [&] {
    return sent->done.load(std::memory_order_acquire) || self->pendingSends.load() > 0;
  };
  while (!sent->done.load(std::memory_order_acquire)) {
    ProcessSentMessages(*self);  // the owner may be sending to us meanwhile
    if (sent->done.load(std::memory_order_acquire)) break;
    uint64_t now = ClockNowMs();
    if (now >= end) return false;
    DWORD wait = end == kNeverDue ? INFINITE
                                  : static_cast<DWORD>(std::min<uint64_t>(end - now, INFINITE - 1));
    WaitForHandles(nullptr, 0, false, wait, &wake);
  }
  *result = sent->result;
  return true;
}

}  // namespace talix::user
