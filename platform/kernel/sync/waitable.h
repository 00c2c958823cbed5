// Waitable kernel objects and the one wait mechanism behind every wait of the platform.
//
// One process-wide lock (the wait lock) guards the state of every waitable object, so a
// wait for all of several objects can test and take them atomically. A blocked wait is a
// Waiter: a condition variable of its own, registered with each object it waits on. An
// object that becomes signalled wakes its waiters, which test again under the lock.
//
// Extension for waits that must also end on something other than objects (a thread's
// message queue getting input, for MsgWaitForMultipleObjects): pass alsoWakeWhen to
// WaitForHandles. It is evaluated under the wait lock before each sleep; when it returns
// true the wait ends with WAIT_OBJECT_0 + count. Whoever makes it true (a post to the
// queue) calls WakeThreadWait(threadId) afterwards, without holding any lock the
// predicate takes, so the blocked thread evaluates it again. The predicate runs under the
// wait lock: it must be quick, must not block and must not call into the wait functions.
#pragma once

#include "platform/kernel/kernel_object.h"
#include "platform/kernel/sync/thread_state.h"

#include <win/base.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <span>
#include <vector>

namespace talix {

class Waitable;

// A wait in progress; lives on the waiting thread's stack.
struct Waiter {
  std::condition_variable wake;
  uint64_t deadline = 0;      // clock ms; kNeverDue when infinite
  uint64_t seenTime = 0;      // the clock time the waiter last tested against
  bool waitAll = false;
  const Waitable* pulsedBy = nullptr;  // set by PulseEvent for a waiter it releases
};

// The lock over every waitable object's state and every Waiter.
std::mutex& WaitLock();

class Waitable : public KernelObject {
 public:
  // Both called with the wait lock held, by the waiting thread.
  // Whether a wait by this thread would be satisfied now.
  virtual bool IsSignalledFor(const ThreadState& self) = 0;
  // Takes the signal for a satisfied wait (an auto-reset event resets, a mutex becomes
  // owned). Returns false when the signal went away meanwhile (possible only for objects
  // shared with other processes). Sets *abandoned for an abandoned mutex.
  virtual bool Consume(ThreadState& self, bool* abandoned) = 0;

  void AddWaiterLocked(Waiter* waiter) { waiters_.push_back(waiter); }
  void RemoveWaiterLocked(Waiter* waiter);

 protected:
  // Wakes every waiter so that it tests again; requires the wait lock.
  void WakeWaitersLocked();
  // PulseEvent: releases the current single-object-style waiters (all of them, or only
  // the first when `all` is false) although the object is not left signalled.
  void PulseWaitersLocked(bool all);

 private:
  std::vector<Waiter*> waiters_;
};

// Resolves the handles and waits. Returns WAIT_OBJECT_0 + i, WAIT_ABANDONED_0 + i,
// WAIT_TIMEOUT, WAIT_OBJECT_0 + count when alsoWakeWhen became true, or WAIT_FAILED with
// the last error set (ERROR_INVALID_HANDLE, ERROR_INVALID_PARAMETER).
TALIX_EXPORT DWORD WaitForHandles(const HANDLE* handles, DWORD count, bool waitAll,
                                  DWORD timeoutMs, const std::function<bool()>* alsoWakeWhen);
// The same on resolved objects; an empty list just sleeps for timeoutMs.
DWORD WaitForObjects(std::span<Waitable* const> objects, bool waitAll, DWORD timeoutMs,
                     const std::function<bool()>* alsoWakeWhen);
// Makes the thread's current wait, if any, test its objects and predicate again.
TALIX_EXPORT void WakeThreadWait(DWORD threadId);
// Makes every timed wait test its deadline again (the clock changed mode).
void WakeTimedWaiters();

}  // namespace talix
