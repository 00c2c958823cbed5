// Per-thread state of the wait machinery: the thread's id, its current wait and the
// mutexes it owns. Every host thread that touches the platform has one, whether it was
// made by CreateThread or not.
#pragma once

#include <win/types.h>

#include <memory>
#include <vector>

namespace talix {

class MutexObject;
struct Waiter;

struct ThreadState {
  explicit ThreadState(DWORD threadId);
  ~ThreadState();
  ThreadState(const ThreadState&) = delete;
  ThreadState& operator=(const ThreadState&) = delete;

  const DWORD id;
  // The fields below are guarded by the wait lock.
  Waiter* waiter = nullptr;  // the wait the thread is blocked in, if any
  std::vector<std::shared_ptr<MutexObject>> ownedMutexes;  // one entry per owned mutex
};

// The calling thread's state, made on first use. Call it before taking the wait lock.
ThreadState& CurrentThreadState();
// Gives the calling thread a chosen id; must come before its first CurrentThreadState().
void PresetCurrentThreadId(DWORD id);
// A fresh thread id: multiples of 4, never handed out twice in a process's life.
DWORD NewThreadId();
// The state of a live thread by id, or null; requires the wait lock.
ThreadState* FindThreadStateLocked(DWORD threadId);

}  // namespace talix
