#include "platform/kernel/sync/mutex_object.h"

#include "platform/kernel/sync/named_objects.h"

#include <win/sync.h>

#include <algorithm>

namespace talix {

bool MutexObject::IsSignalledFor(const ThreadState& self) {
  return owner_ == 0 || owner_ == self.id;
}

bool MutexObject::Consume(ThreadState& self, bool* abandoned) {
  if (owner_ == 0) {
    owner_ = self.id;
    self.ownedMutexes.push_back(shared_from_this());
    *abandoned = abandoned_;
    abandoned_ = false;
  }
  ++count_;
  return true;
}

void MutexObject::TakeInitial(ThreadState& self) {
  std::lock_guard<std::mutex> lock(WaitLock());
  bool abandoned = false;
  Consume(self, &abandoned);
}

bool MutexObject::Release(ThreadState& self) {
  std::shared_ptr<MutexObject> keep;  // dropped after the lock, may be the last reference
  std::lock_guard<std::mutex> lock(WaitLock());
  if (owner_ != self.id) return false;
  if (--count_ == 0) {
    owner_ = 0;
    auto& owned = self.ownedMutexes;
    auto it = std::find(owned.begin(), owned.end(), shared_from_this());
    if (it != owned.end()) {
      keep = std::move(*it);
      owned.erase(it);
    }
    WakeWaitersLocked();
  }
  return true;
}

void MutexObject::AbandonLocked() {
  owner_ = 0;
  count_ = 0;
  abandoned_ = true;
  WakeWaitersLocked();
}

void AbandonOwnedMutexes(ThreadState& state) {
  std::vector<std::shared_ptr<MutexObject>> owned;
  {
    std::lock_guard<std::mutex> lock(WaitLock());
    owned.swap(state.ownedMutexes);
    for (auto& mutex : owned) mutex->AbandonLocked();
  }
}

}  // namespace talix

using talix::MutexObject;

HANDLE CreateMutexW(LPSECURITY_ATTRIBUTES, BOOL bInitialOwner, LPCWSTR lpName) {
  talix::ThreadState& self = talix::CurrentThreadState();
  // The initial owner is taken only by whoever makes the mutex, before others can see it.
  return talix::CreateNamedObject<MutexObject>(lpName, [&](const talix::ObjectName&, bool*) {
    auto mutex = std::make_shared<MutexObject>();
    if (bInitialOwner) mutex->TakeInitial(self);
    return mutex;
  });
}

HANDLE OpenMutexW(DWORD, BOOL, LPCWSTR lpName) {
  return talix::OpenNamedObject<MutexObject>(lpName);
}

BOOL ReleaseMutex(HANDLE hMutex) {
  auto mutex = talix::GetKernelObject<MutexObject>(hMutex);
  if (!mutex) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!mutex->Release(talix::CurrentThreadState())) {
    SetLastError(ERROR_NOT_OWNER);
    return FALSE;
  }
  return TRUE;
}
