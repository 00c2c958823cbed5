// Thread objects: a host thread running a start routine, signalled when it ends.
#pragma once

#include "platform/kernel/sync/waitable.h"

#include <win/sync.h>

#include <atomic>

namespace talix {

class ThreadObject : public Waitable {
 public:
  ThreadObject(LPTHREAD_START_ROUTINE start, LPVOID parameter, size_t stackSize,
               bool suspended);

  bool IsSignalledFor(const ThreadState&) override { return finished_; }
  bool Consume(ThreadState&, bool*) override { return true; }

  DWORD Id() const { return id_; }
  // Starts the host thread unless created suspended; false when the host refuses.
  bool StartUnlessSuspended(const std::shared_ptr<ThreadObject>& self);
  // ResumeThread: the previous suspend count, or (DWORD)-1 when the host refuses.
  DWORD Resume(const std::shared_ptr<ThreadObject>& self);
  DWORD ExitCode();  // STILL_ACTIVE until the thread has ended

  std::atomic<int> priority{THREAD_PRIORITY_NORMAL};

 private:
  static void* HostThreadMain(void* start);
  bool Launch(const std::shared_ptr<ThreadObject>& self);
  void Finish(ThreadState& state, DWORD exitCode);

  const LPTHREAD_START_ROUTINE start_;
  const LPVOID parameter_;
  const size_t stackSize_;
  const DWORD id_;
  // Guarded by the wait lock.
  DWORD suspendCount_;
  bool finished_ = false;
  DWORD exitCode_ = STILL_ACTIVE;
};

}  // namespace talix
