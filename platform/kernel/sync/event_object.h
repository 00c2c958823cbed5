// Event objects: manual-reset or auto-reset, per process or shared between processes.
#pragma once

#include "platform/kernel/sync/waitable.h"

namespace talix {

class EventObject : public Waitable {
 public:
  virtual bool Set() = 0;
  virtual bool Reset() = 0;
  virtual bool Pulse() = 0;
};

// An event of this process only.
class LocalEvent : public EventObject {
 public:
  LocalEvent(bool manualReset, bool initialState)
      : manualReset_(manualReset), signalled_(initialState) {}

  bool IsSignalledFor(const ThreadState&) override { return signalled_; }
  bool Consume(ThreadState&, bool*) override;
  bool Set() override;
  bool Reset() override;
  bool Pulse() override;

 private:
  const bool manualReset_;
  bool signalled_;  // guarded by the wait lock
};

}  // namespace talix
