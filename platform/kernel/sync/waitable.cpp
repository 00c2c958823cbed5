#include "platform/kernel/sync/waitable.h"

#include "platform/kernel/sync/clock.h"

#include <talix/host_clock.h>
#include <win/sync.h>

#include <algorithm>
#include <chrono>

namespace talix {
namespace {

// Waits with a deadline, so that the clock can wake them. On the virtual clock it is a
// clock listener: each step of AdvanceClock wakes them and returns only once every one
// has tested against the new time (released, or asleep again).
class TimedWaits : public ClockListener {
 public:
  TimedWaits() { AddClockListener(this); }

  void AddLocked(Waiter* w) { waiters_.push_back(w); }
  void RemoveLocked(Waiter* w) {
    waiters_.erase(std::remove(waiters_.begin(), waiters_.end(), w), waiters_.end());
    settled_.notify_all();
  }
  void NoteTestedLocked() { settled_.notify_all(); }
  size_t CountLocked() const { return waiters_.size(); }
  void WakeAllLocked() {
    for (Waiter* w : waiters_) w->wake.notify_one();
  }

  uint64_t NextDue() override {
    std::lock_guard<std::mutex> lock(WaitLock());
    uint64_t due = kNeverDue;
    for (Waiter* w : waiters_) due = std::min(due, w->deadline);
    return due;
  }

  void OnClock(uint64_t now) override {
    std::unique_lock<std::mutex> lock(WaitLock());
    WakeAllLocked();
    settled_.wait(lock, [&] {
      return std::all_of(waiters_.begin(), waiters_.end(),
                         [&](const Waiter* w) { return w->seenTime >= now; });
    });
  }

 private:
  std::vector<Waiter*> waiters_;
  std::condition_variable settled_;
};

TimedWaits& Timed() {
  static TimedWaits* timed = new TimedWaits;  // lives for the whole process
  return *timed;
}

// Tests the objects and takes the signals when the wait is satisfied.
bool TrySatisfyLocked(std::span<Waitable* const> objects, Waiter& w, ThreadState& self,
                      DWORD* result) {
  if (objects.empty()) return false;
  if (!w.waitAll) {
    for (size_t i = 0; i < objects.size(); ++i) {
      Waitable* object = objects[i];
      bool pulsed = w.pulsedBy == object;
      if (!pulsed && !object->IsSignalledFor(self)) continue;
      bool abandoned = false;
      if (!pulsed && !object->Consume(self, &abandoned)) continue;
      *result = (abandoned ? WAIT_ABANDONED_0 : WAIT_OBJECT_0) + static_cast<DWORD>(i);
      return true;
    }
    return false;
  }
  for (Waitable* object : objects)
    if (!object->IsSignalledFor(self)) return false;
  *result = WAIT_OBJECT_0;
  for (size_t i = 0; i < objects.size(); ++i) {
    bool abandoned = false;
    objects[i]->Consume(self, &abandoned);
    if (abandoned) *result = WAIT_ABANDONED_0 + static_cast<DWORD>(i);
  }
  return true;
}

}  // namespace

std::mutex& WaitLock() {
  static std::mutex* lock = new std::mutex;  // used by threads still ending at exit
  return *lock;
}

void Waitable::RemoveWaiterLocked(Waiter* waiter) {
  waiters_.erase(std::remove(waiters_.begin(), waiters_.end(), waiter), waiters_.end());
}

void Waitable::WakeWaitersLocked() {
  for (Waiter* w : waiters_) w->wake.notify_one();
}

void Waitable::PulseWaitersLocked(bool all) {
  for (Waiter* w : waiters_) {
    if (w->waitAll || w->pulsedBy) continue;
    w->pulsedBy = this;
    w->wake.notify_one();
    if (!all) break;
  }
}

DWORD WaitForObjects(std::span<Waitable* const> objects, bool waitAll, DWORD timeoutMs,
                     const std::function<bool()>* alsoWakeWhen) {
  ThreadState& self = CurrentThreadState();
  TimedWaits& timed = Timed();
  std::unique_lock<std::mutex> lock(WaitLock());
  Waiter w;
  w.waitAll = waitAll;
  uint64_t now = ClockNowMs();
  w.deadline = timeoutMs == INFINITE ? kNeverDue : now + timeoutMs;
  for (Waitable* object : objects) object->AddWaiterLocked(&w);
  if (w.deadline != kNeverDue) timed.AddLocked(&w);
  self.waiter = &w;

  DWORD result;
  for (;;) {
    if (TrySatisfyLocked(objects, w, self, &result)) break;
    if (alsoWakeWhen && (*alsoWakeWhen)()) {
      result = WAIT_OBJECT_0 + static_cast<DWORD>(objects.size());
      break;
    }
    now = ClockNowMs();
    w.seenTime = now;
    if (now >= w.deadline) {
      result = WAIT_TIMEOUT;
      break;
    }
    timed.NoteTestedLocked();
    if (w.deadline == kNeverDue || ClockIsVirtual())
      w.wake.wait(lock);
    else
      w.wake.wait_for(lock, std::chrono::milliseconds(w.deadline - now));
  }

  self.waiter = nullptr;
  for (Waitable* object : objects) object->RemoveWaiterLocked(&w);
  if (w.deadline != kNeverDue) timed.RemoveLocked(&w);
  return result;
}

DWORD WaitForHandles(const HANDLE* handles, DWORD count, bool waitAll, DWORD timeoutMs,
                     const std::function<bool()>* alsoWakeWhen) {
  if ((count == 0 && !alsoWakeWhen) || count > MAXIMUM_WAIT_OBJECTS || (count && !handles)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  std::vector<std::shared_ptr<Waitable>> held;  // keeps objects alive if a handle closes
  std::vector<Waitable*> objects;
  for (DWORD i = 0; i < count; ++i) {
    std::shared_ptr<Waitable> object = GetKernelObject<Waitable>(handles[i]);
    if (!object) {
      SetLastError(ERROR_INVALID_HANDLE);
      return WAIT_FAILED;
    }
    if (waitAll && std::find(objects.begin(), objects.end(), object.get()) != objects.end()) {
      SetLastError(ERROR_INVALID_PARAMETER);  // the same object twice in a wait for all
      return WAIT_FAILED;
    }
    objects.push_back(object.get());
    held.push_back(std::move(object));
  }
  return WaitForObjects(objects, waitAll, timeoutMs, alsoWakeWhen);
}

void WakeThreadWait(DWORD threadId) {
  std::lock_guard<std::mutex> lock(WaitLock());
  ThreadState* state = FindThreadStateLocked(threadId);
  if (state && state->waiter) state->waiter->wake.notify_one();
}

void WakeTimedWaiters() {
  TimedWaits& timed = Timed();
  std::lock_guard<std::mutex> lock(WaitLock());
  timed.WakeAllLocked();
}

}  // namespace talix

namespace talix::host {

size_t PendingClockWaits() {
  TimedWaits& timed = Timed();
  std::lock_guard<std::mutex> lock(WaitLock());
  return timed.CountLocked();
}

}  // namespace talix::host

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
  return talix::WaitForHandles(&hHandle, 1, false, dwMilliseconds, nullptr);
}

DWORD WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll,
                             DWORD dwMilliseconds) {
  return talix::WaitForHandles(lpHandles, nCount, bWaitAll != FALSE, dwMilliseconds, nullptr);
}
