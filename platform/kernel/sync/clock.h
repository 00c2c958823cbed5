// The platform clock (see talix/host_clock.h) and its due-time listeners.
#pragma once

#include <win/types.h>

#include <cstdint>

namespace talix {

constexpr uint64_t kNeverDue = UINT64_MAX;

// Something that must run when the clock reaches a due time (window timers, timed waits).
// On the virtual clock AdvanceClock steps through the listeners' due times in order and
// calls OnClock at each step on the advancing thread. On the real clock listeners are not
// called; their owners wait on real time themselves.
// Both members may be called from any thread; they must not call AddClockListener or
// RemoveClockListener of another listener while a test is advancing the clock.
class ClockListener {
 public:
  virtual ~ClockListener() = default;
  // The earliest tick (ms, the Now() scale) at which OnClock is wanted, or kNeverDue.
  virtual uint64_t NextDue() = 0;
  // Virtual time has reached now (at or past some due times).
  virtual void OnClock(uint64_t now) = 0;
};

// Registration; RemoveClockListener returns once no call into the listener is running
// (unless it is called from inside that listener's own OnClock).
TALIX_EXPORT void AddClockListener(ClockListener* listener);
TALIX_EXPORT void RemoveClockListener(ClockListener* listener);

// Tick count in ms; 100 ns units for the performance counter; FILETIME units since 1601.
TALIX_EXPORT uint64_t ClockNowMs();
uint64_t ClockNow100ns();
uint64_t ClockWallTime100ns();
bool ClockIsVirtual();

}  // namespace talix
