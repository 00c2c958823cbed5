// Events shared between processes: the "Global\" names.
//
// The state lives in a POSIX shared memory segment named after the event (see
// SharedEventSegmentName): a process-shared, robust pthread mutex and condition, the
// reset mode, the state and a generation count bumped by every SetEvent. Each process
// that holds the event maps the segment once and runs one relay thread that sleeps on
// the shared condition and wakes the process's own waiters when the generation moves.
//
// Unlink policy: the segment counts the processes attached to it. The process that
// detaches last marks it unlinked and removes its name, under the shared mutex, so the
// event dies with its last handle in any process as on Windows; a process that opened the
// name in the meantime sees the mark and makes a fresh event. A process that dies while
// attached leaves its count behind, and the segment (a file in /dev/shm) stays until it
// is deleted by hand or the machine restarts; the robust mutex keeps a holder's death from
// blocking the others.
//
// Limits: PulseEvent releases waiters in the calling process only; a wait for all objects
// that includes an auto-reset shared event may lose that event to another process between
// the test and the take (the wait then still returns success).
#pragma once

#include "platform/kernel/sync/event_object.h"

#include <string>
#include <string_view>
#include <thread>

namespace talix {

struct SharedEventBlock;

// "/talix-<uid>-ev-<readable part of the name>-<hash of the whole name>".
TALIX_EXPORT std::string SharedEventSegmentName(std::u16string_view name);

class SharedEvent : public EventObject {
 public:
  // Opens the event `name` (without the "Global\" prefix), or creates it when `create`
  // is set; *existed tells which. Null with the last error set on failure.
  static std::shared_ptr<SharedEvent> Attach(std::u16string_view name, bool create,
                                             bool manualReset, bool initialState, bool* existed);
  SharedEvent(std::string segmentName, SharedEventBlock* block);
  ~SharedEvent() override;

  bool IsSignalledFor(const ThreadState&) override;
  bool Consume(ThreadState&, bool*) override;
  bool Set() override;
  bool Reset() override;
  bool Pulse() override;

 private:
  void Relay();

  const std::string segmentName_;
  SharedEventBlock* const block_;
  bool stopRelay_ = false;  // guarded by the shared mutex
  std::thread relay_;
};

}  // namespace talix
