#include "platform/kernel/sync/thread_object.h"

#include "platform/kernel/sync/mutex_object.h"

#include <pthread.h>
#include <sched.h>
#include <unistd.h>

namespace talix {
namespace {

const HANDLE kCurrentProcess = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1));
const HANDLE kCurrentThread = reinterpret_cast<HANDLE>(static_cast<intptr_t>(-2));

// The exit code ExitThread chose; read while the thread unwinds.
thread_local DWORD tExitCode = 0;
// Priority of threads that were not made by CreateThread, seen through GetCurrentThread().
thread_local int tPseudoPriority = THREAD_PRIORITY_NORMAL;

struct LaunchRecord {
  std::shared_ptr<ThreadObject> object;
};

bool IsValidPriority(int p) {
  return (p >= THREAD_PRIORITY_LOWEST && p <= THREAD_PRIORITY_HIGHEST) ||
         p == THREAD_PRIORITY_IDLE || p == THREAD_PRIORITY_TIME_CRITICAL;
}

}  // namespace

ThreadObject::ThreadObject(LPTHREAD_START_ROUTINE start, LPVOID parameter, size_t stackSize,
                           bool suspended)
    : start_(start),
      parameter_(parameter),
      stackSize_(stackSize),
      id_(NewThreadId()),
      suspendCount_(suspended ? 1 : 0) {}

bool ThreadObject::StartUnlessSuspended(const std::shared_ptr<ThreadObject>& self) {
  std::lock_guard<std::mutex> lock(WaitLock());
  return suspendCount_ > 0 || Launch(self);
}

DWORD ThreadObject::Resume(const std::shared_ptr<ThreadObject>& self) {
  std::lock_guard<std::mutex> lock(WaitLock());
  DWORD previous = suspendCount_;
  if (previous == 1 && !Launch(self)) return static_cast<DWORD>(-1);
  if (previous > 0) --suspendCount_;
  return previous;
}

DWORD ThreadObject::ExitCode() {
  std::lock_guard<std::mutex> lock(WaitLock());
  return exitCode_;
}

bool ThreadObject::Launch(const std::shared_ptr<ThreadObject>& self) {
  pthread_attr_t attr;
  if (pthread_attr_init(&attr) != 0) return false;
  pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
  size_t defaultSize = 0;
  pthread_attr_getstacksize(&attr, &defaultSize);
  // Smaller requests than the host's default are raised to it: sanitizers need the room.
  if (stackSize_ > defaultSize) pthread_attr_setstacksize(&attr, stackSize_);
  auto* record = new LaunchRecord{self};
  pthread_t thread;
  int rc = pthread_create(&thread, &attr, &ThreadObject::HostThreadMain, record);
  pthread_attr_destroy(&attr);
  if (rc != 0) delete record;
  return rc == 0;
}

void ThreadObject::Finish(ThreadState& state, DWORD exitCode) {
  AbandonOwnedMutexes(state);  // before the thread counts as ended, as a waiter expects
  std::lock_guard<std::mutex> lock(WaitLock());
  exitCode_ = exitCode;
  finished_ = true;
  WakeWaitersLocked();
}

void* ThreadObject::HostThreadMain(void* start) {
  std::shared_ptr<ThreadObject> self = std::move(static_cast<LaunchRecord*>(start)->object);
  delete static_cast<LaunchRecord*>(start);
  PresetCurrentThreadId(self->id_);
  ThreadState& state = CurrentThreadState();
  // Runs when the routine returns and when ExitThread unwinds the thread.
  struct FinishOnExit {
    ThreadObject* object;
    ThreadState& state;
    ~FinishOnExit() { object->Finish(state, tExitCode); }
  } finish{self.get(), state};
  tExitCode = self->start_(self->parameter_);
  return nullptr;
}

}  // namespace talix

using talix::ThreadObject;

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T dwStackSize, LPTHREAD_START_ROUTINE lpStartAddress,
                    LPVOID lpParameter, DWORD dwCreationFlags, LPDWORD lpThreadId) {
  if (!lpStartAddress) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto object = std::make_shared<ThreadObject>(lpStartAddress, lpParameter, dwStackSize,
                                               (dwCreationFlags & CREATE_SUSPENDED) != 0);
  HANDLE handle = talix::AddKernelObject(object);
  if (!handle) return nullptr;
  if (!object->StartUnlessSuspended(object)) {
    CloseHandle(handle);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (lpThreadId) *lpThreadId = object->Id();
  return handle;
}

DWORD ResumeThread(HANDLE hThread) {
  if (hThread == talix::kCurrentThread) return 0;  // a running thread is not suspended
  auto object = talix::GetKernelObject<ThreadObject>(hThread);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return static_cast<DWORD>(-1);
  }
  DWORD previous = object->Resume(object);
  if (previous == static_cast<DWORD>(-1)) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return previous;
}

BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode) {
  if (!lpExitCode) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (hThread == talix::kCurrentThread) {
    *lpExitCode = STILL_ACTIVE;
    return TRUE;
  }
  auto object = talix::GetKernelObject<ThreadObject>(hThread);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  *lpExitCode = object->ExitCode();
  return TRUE;
}

void ExitThread(DWORD dwExitCode) {
  talix::tExitCode = dwExitCode;
  pthread_exit(nullptr);  // unwinds the stack, so FinishOnExit records the code
}

DWORD GetCurrentThreadId(void) { return talix::CurrentThreadState().id; }

DWORD GetThreadId(HANDLE Thread) {
  if (Thread == talix::kCurrentThread) return GetCurrentThreadId();
  auto object = talix::GetKernelObject<ThreadObject>(Thread);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  return object->Id();
}

HANDLE GetCurrentThread(void) { return talix::kCurrentThread; }
DWORD GetCurrentProcessId(void) { return static_cast<DWORD>(getpid()); }
HANDLE GetCurrentProcess(void) { return talix::kCurrentProcess; }

BOOL SetThreadPriority(HANDLE hThread, int nPriority) {
  if (!talix::IsValidPriority(nPriority)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (hThread == talix::kCurrentThread) {
    talix::tPseudoPriority = nPriority;
    return TRUE;
  }
  auto object = talix::GetKernelObject<ThreadObject>(hThread);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  object->priority = nPriority;
  return TRUE;
}

int GetThreadPriority(HANDLE hThread) {
  if (hThread == talix::kCurrentThread) return talix::tPseudoPriority;
  auto object = talix::GetKernelObject<ThreadObject>(hThread);
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return THREAD_PRIORITY_ERROR_RETURN;
  }
  return object->priority;
}
