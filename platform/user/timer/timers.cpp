#include "platform/user/timer/timers.h"

#include "platform/kernel/sync/clock.h"
#include "platform/user/message/message_queue.h"

#include <win/sync.h>

#include <algorithm>

namespace talix::user {
namespace {

struct Timer {
  HWND hwnd = nullptr;
  DWORD threadId = 0;
  UINT_PTR id = 0;
  UINT elapse = 0;
  TIMERPROC proc = nullptr;
  uint64_t due = 0;
  bool pending = false;
};

// Guarded by UserLock.
std::vector<Timer>& TimersLocked() {
  static auto* timers = new std::vector<Timer>;
  return *timers;
}

UINT_PTR g_nextThreadTimerId = 1;  // guarded by UserLock

// Marks every timer due by `now`; returns the threads whose queues got news.
std::vector<DWORD> ExpireLocked(uint64_t now, DWORD onlyThread) {
  std::vector<DWORD> woken;
  for (Timer& t : TimersLocked()) {
    if (t.due > now || (onlyThread && t.threadId != onlyThread)) continue;
    t.pending = true;
    uint64_t periods = (now - t.due) / t.elapse + 1;
    t.due += periods * t.elapse;
    if (std::find(woken.begin(), woken.end(), t.threadId) == woken.end())
      woken.push_back(t.threadId);
  }
  return woken;
}

void SignalThreads(const std::vector<DWORD>& threads) {
  std::vector<std::shared_ptr<MessageQueue>> queues;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    for (DWORD id : threads)
      if (auto queue = QueueOfThreadLocked(id)) queues.push_back(std::move(queue));
  }
  for (auto& queue : queues) queue->Signal(QS_TIMER);
}

class TimerClockListener : public ClockListener {
 public:
  uint64_t NextDue() override {
    std::lock_guard<std::mutex> lock(UserLock());
    uint64_t due = kNeverDue;
    for (const Timer& t : TimersLocked()) due = std::min(due, t.due);
    return due;
  }
  void OnClock(uint64_t now) override {
    std::vector<DWORD> woken;
    {
      std::lock_guard<std::mutex> lock(UserLock());
      woken = ExpireLocked(now, 0);
    }
    SignalThreads(woken);
  }
};

void EnsureClockListener() {
  static bool registered = [] {
    AddClockListener(new TimerClockListener);  // lives as long as the process
    return true;
  }();
  (void)registered;
}

uint64_t TimerDue(MessageQueue& queue) {
  if (!ExpireLocked(ClockNowMs(), queue.threadId).empty()) queue.changed.fetch_or(QS_TIMER);
  uint64_t due = kNeverDue;
  for (const Timer& t : TimersLocked())
    if (t.threadId == queue.threadId) due = std::min(due, t.due);
  return due;
}

bool TimerSource(MessageQueue& queue, const MessageFilter& filter, bool remove, MSG* msg) {
  if (!filter.Accepts(WM_TIMER)) return false;
  for (Timer& t : TimersLocked()) {
    if (!t.pending || t.threadId != queue.threadId || !filter.AcceptsWindowLocked(t.hwnd))
      continue;
    *msg = MSG{t.hwnd, WM_TIMER, t.id, reinterpret_cast<LPARAM>(t.proc),
               static_cast<DWORD>(ClockNowMs()), queue.lastPos};
    if (remove) t.pending = false;
    return true;
  }
  return false;
}

[[maybe_unused]] const bool g_sourceAdded = [] {
  AddQueueSource(300, TimerSource);
  AddDueQuery(TimerDue);
  return true;
}();

std::vector<Timer>::iterator FindLocked(HWND hwnd, UINT_PTR id, DWORD threadId) {
  return std::find_if(TimersLocked().begin(), TimersLocked().end(), [&](const Timer& t) {
    return t.hwnd == hwnd && t.id == id && (hwnd || t.threadId == threadId);
  });
}

}  // namespace

bool IsLiveTimerProc(HWND hwnd, UINT_PTR id, TIMERPROC proc) {
  std::lock_guard<std::mutex> lock(UserLock());
  auto it = FindLocked(hwnd, id, GetCurrentThreadId());
  return it != TimersLocked().end() && it->proc == proc;
}

void KillWindowTimersLocked(HWND hwnd) {
  auto& timers = TimersLocked();
  timers.erase(std::remove_if(timers.begin(), timers.end(),
                              [&](const Timer& t) { return t.hwnd == hwnd; }),
               timers.end());
}

}  // namespace talix::user

using namespace talix;
using namespace talix::user;

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
  EnsureClockListener();
  CurrentQueue();
  DWORD self = GetCurrentThreadId();
  elapseMs = std::clamp<UINT>(elapseMs, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
  std::lock_guard<std::mutex> lock(UserLock());
  if (hwnd) {
    Window* window = WindowLocked(hwnd);
    if (!window || window->destroying) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return 0;
    }
    if (window->threadId != self) {
      SetLastError(ERROR_ACCESS_DENIED);
      return 0;
    }
  }
  auto it = FindLocked(hwnd, id, self);
  if (!hwnd && (!id || it == TimersLocked().end())) {
    // A thread timer gets an id of its own unless it replaces one of the thread's timers.
    do {
      id = g_nextThreadTimerId++;
      if (!g_nextThreadTimerId) g_nextThreadTimerId = 1;
    } while (std::any_of(TimersLocked().begin(), TimersLocked().end(),
                         [&](const Timer& t) { return !t.hwnd && t.id == id; }));
    it = TimersLocked().end();
  }
  Timer timer{hwnd, self, id, elapseMs, proc, ClockNowMs() + elapseMs, false};
  if (it != TimersLocked().end())
    *it = timer;  // replacing restarts the period and drops a pending tick
  else
    TimersLocked().push_back(timer);
  return hwnd ? (id ? id : 1) : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  std::lock_guard<std::mutex> lock(UserLock());
  auto it = FindLocked(hwnd, id, GetCurrentThreadId());
  if (it == TimersLocked().end()) {
    SetLastError(hwnd && !WindowLocked(hwnd) ? ERROR_INVALID_WINDOW_HANDLE
                                             : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  TimersLocked().erase(it);
  return TRUE;
}
