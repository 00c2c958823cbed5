#include "platform/kernel/sync/event_object.h"

#include "platform/kernel/sync/named_objects.h"
#include "platform/kernel/sync/shared_event.h"

#include <win/sync.h>

namespace talix {

bool LocalEvent::Consume(ThreadState&, bool*) {
  if (!manualReset_) signalled_ = false;
  return true;
}

bool LocalEvent::Set() {
  std::lock_guard<std::mutex> lock(WaitLock());
  signalled_ = true;
  WakeWaitersLocked();  // for auto-reset, the first waiter to test takes it
  return true;
}

bool LocalEvent::Reset() {
  std::lock_guard<std::mutex> lock(WaitLock());
  signalled_ = false;
  return true;
}

bool LocalEvent::Pulse() {
  std::lock_guard<std::mutex> lock(WaitLock());
  PulseWaitersLocked(manualReset_);
  signalled_ = false;
  return true;
}

}  // namespace talix

using talix::EventObject;

HANDLE CreateEventW(LPSECURITY_ATTRIBUTES, BOOL bManualReset, BOOL bInitialState, LPCWSTR lpName) {
  bool manual = bManualReset != FALSE, initial = bInitialState != FALSE;
  return talix::CreateNamedObject<EventObject>(
      lpName, [&](const talix::ObjectName& name, bool* existed) -> std::shared_ptr<EventObject> {
        if (name.scope == talix::NameScope::Global)
          return talix::SharedEvent::Attach(name.base, true, manual, initial, existed);
        return std::make_shared<talix::LocalEvent>(manual, initial);
      });
}

HANDLE OpenEventW(DWORD, BOOL, LPCWSTR lpName) {
  return talix::OpenNamedObject<EventObject>(
      lpName, [](const talix::ObjectName& name, bool* existed) -> std::shared_ptr<EventObject> {
        if (name.scope != talix::NameScope::Global) return nullptr;
        return talix::SharedEvent::Attach(name.base, false, false, false, existed);
      });
}

namespace {

template <typename F>
BOOL WithEvent(HANDLE handle, F&& operation) {
  auto event = talix::GetKernelObject<EventObject>(handle);
  if (!event) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return operation(*event) ? TRUE : FALSE;
}

}  // namespace

BOOL SetEvent(HANDLE hEvent) {
  return WithEvent(hEvent, [](EventObject& e) { return e.Set(); });
}
BOOL ResetEvent(HANDLE hEvent) {
  return WithEvent(hEvent, [](EventObject& e) { return e.Reset(); });
}
BOOL PulseEvent(HANDLE hEvent) {
  return WithEvent(hEvent, [](EventObject& e) { return e.Pulse(); });
}
