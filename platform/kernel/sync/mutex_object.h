// Mutex objects: owned by one thread at a time, recursively; abandoned when the owner
// ends without releasing them.
#pragma once

#include "platform/kernel/sync/waitable.h"

namespace talix {

class MutexObject : public Waitable, public std::enable_shared_from_this<MutexObject> {
 public:
  bool IsSignalledFor(const ThreadState& self) override;
  bool Consume(ThreadState& self, bool* abandoned) override;
  // ReleaseMutex by the calling thread; false when it does not own the mutex.
  bool Release(ThreadState& self);
  // Ownership when the mutex is made with bInitialOwner.
  void TakeInitial(ThreadState& self);
  // The owner ended: the next waiter gets it with WAIT_ABANDONED.
  void AbandonLocked();

 private:
  // Guarded by the wait lock.
  DWORD owner_ = 0;
  DWORD count_ = 0;
  bool abandoned_ = false;
};

// Abandons every mutex the thread still owns (the thread is ending).
void AbandonOwnedMutexes(ThreadState& state);

}  // namespace talix
