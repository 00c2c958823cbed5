#include "platform/kernel/sync/thread_state.h"

#include "platform/kernel/sync/mutex_object.h"
#include "platform/kernel/sync/waitable.h"

#include <atomic>
#include <mutex>
#include <unordered_map>

namespace talix {
namespace {

// Thread states by id. Lock order: the wait lock before this one.
struct Registry {
  std::mutex mutex;
  std::unordered_map<DWORD, ThreadState*> byId;
};

Registry& Threads() {
  static Registry* registry = new Registry;  // outlives threads still ending at exit
  return *registry;
}

thread_local DWORD tPresetId = 0;

}  // namespace

DWORD NewThreadId() {
  static std::atomic<DWORD> next{0};
  DWORD id = next.fetch_add(4) + 4;
  if (id == 0) id = next.fetch_add(4) + 4;  // after 2^30 threads: skip 0, the "no thread" value
  return id;
}

ThreadState::ThreadState(DWORD threadId) : id(threadId) {
  std::lock_guard<std::mutex> lock(Threads().mutex);
  Threads().byId[id] = this;
}

ThreadState::~ThreadState() {
  AbandonOwnedMutexes(*this);
  std::lock_guard<std::mutex> lock(Threads().mutex);
  Threads().byId.erase(id);
}

void PresetCurrentThreadId(DWORD id) { tPresetId = id; }

ThreadState& CurrentThreadState() {
  thread_local ThreadState state(tPresetId ? tPresetId : NewThreadId());
  return state;
}

ThreadState* FindThreadStateLocked(DWORD threadId) {
  std::lock_guard<std::mutex> lock(Threads().mutex);
  auto it = Threads().byId.find(threadId);
  return it == Threads().byId.end() ? nullptr : it->second;
}

}  // namespace talix
