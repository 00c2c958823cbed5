// The platform clock: the host's monotonic and wall clocks, or a virtual clock that moves
// only when the host advances it.
#include "platform/kernel/sync/clock.h"

#include "platform/kernel/sync/waitable.h"

#include <talix/host_clock.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>
#include <vector>

namespace talix {
namespace {

constexpr uint64_t kUnixEpochIn100ns = 116444736000000000ull;  // 1970 - 1601

uint64_t HostNs(clockid_t id) {
  timespec ts{};
  clock_gettime(id, &ts);
  return static_cast<uint64_t>(ts.tv_sec) * 1000000000ull + static_cast<uint64_t>(ts.tv_nsec);
}

// Tick time is the host's monotonic time plus an offset, so that it stays continuous when
// the clock switches between real and virtual. Guarded by its own leaf lock.
struct ClockState {
  std::mutex mutex;
  bool isVirtual = false;
  int64_t realOffsetMs = 0;     // real mode: tick = monotonic ms + offset
  uint64_t virtualMs = 0;       // virtual mode: tick
  uint64_t wallAtStart = 0;     // virtual mode: wall time (100 ns) when virtual time began
  uint64_t tickAtStart = 0;     // ... and the tick then

  uint64_t RealTickLocked() const {
    return static_cast<uint64_t>(static_cast<int64_t>(HostNs(CLOCK_MONOTONIC) / 1000000) +
                                 realOffsetMs);
  }
  void SwitchLocked(bool toVirtual) {
    if (toVirtual == isVirtual) return;
    if (toVirtual) {
      virtualMs = RealTickLocked();
      tickAtStart = virtualMs;
      wallAtStart = HostNs(CLOCK_REALTIME) / 100 + kUnixEpochIn100ns;
    } else {
      realOffsetMs = static_cast<int64_t>(virtualMs) -
                     static_cast<int64_t>(HostNs(CLOCK_MONOTONIC) / 1000000);
    }
    isVirtual = toVirtual;
  }
};

ClockState& State() {
  static ClockState* state = [] {
    auto* s = new ClockState;  // read by threads still ending at exit
    const char* mode = std::getenv("TALIX_CLOCK");
    if (mode && std::strcmp(mode, "virtual") == 0) s->SwitchLocked(true);
    return s;
  }();
  return *state;
}

struct Listeners {
  std::recursive_mutex mutex;  // held while listeners run; a listener may (un)register
  std::vector<ClockListener*> list;
};

Listeners& AllListeners() {
  static Listeners* listeners = new Listeners;
  return *listeners;
}

void SetVirtualTime(uint64_t ms) {
  ClockState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (s.isVirtual) s.virtualMs = std::max(s.virtualMs, ms);
}

// Calls every listener at `now`; requires the listeners' lock.
void RunListenersAt(uint64_t now) {
  std::vector<ClockListener*> snapshot = AllListeners().list;
  for (ClockListener* listener : snapshot) listener->OnClock(now);
}

uint64_t EarliestDue() {
  uint64_t due = kNeverDue;
  for (ClockListener* listener : AllListeners().list) due = std::min(due, listener->NextDue());
  return due;
}

}  // namespace

void AddClockListener(ClockListener* listener) {
  std::lock_guard<std::recursive_mutex> lock(AllListeners().mutex);
  AllListeners().list.push_back(listener);
}

void RemoveClockListener(ClockListener* listener) {
  std::lock_guard<std::recursive_mutex> lock(AllListeners().mutex);
  auto& list = AllListeners().list;
  list.erase(std::remove(list.begin(), list.end(), listener), list.end());
}

uint64_t ClockNowMs() {
  ClockState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.isVirtual ? s.virtualMs : s.RealTickLocked();
}

uint64_t ClockNow100ns() {
  ClockState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (s.isVirtual) return s.virtualMs * 10000;
  return static_cast<uint64_t>(static_cast<int64_t>(HostNs(CLOCK_MONOTONIC) / 100) +
                               s.realOffsetMs * 10000);
}

uint64_t ClockWallTime100ns() {
  ClockState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (s.isVirtual) return s.wallAtStart + (s.virtualMs - s.tickAtStart) * 10000;
  return HostNs(CLOCK_REALTIME) / 100 + kUnixEpochIn100ns;
}

bool ClockIsVirtual() {
  ClockState& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.isVirtual;
}

}  // namespace talix

namespace talix::host {

void UseVirtualClock(bool useVirtual) {
  {
    ClockState& s = State();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.SwitchLocked(useVirtual);
  }
  WakeTimedWaiters();  // they now sleep on the other clock
}

bool IsVirtualClock() { return ClockIsVirtual(); }

uint64_t Now() { return ClockNowMs(); }

void AdvanceClock(uint64_t ms) {
  if (!ClockIsVirtual()) return;
  std::lock_guard<std::recursive_mutex> lock(AllListeners().mutex);
  uint64_t start = ClockNowMs();
  uint64_t target = ms > kNeverDue - 1 - start ? kNeverDue - 1 : start + ms;
  uint64_t stepped = kNeverDue;
  // Step through the due times in order, so that earlier work runs before later work.
  for (;;) {
    uint64_t due = EarliestDue();
    if (due > target) break;
    uint64_t at = std::max(due, ClockNowMs());
    if (at == stepped) break;  // a listener still due now: it gets the final step
    SetVirtualTime(at);
    stepped = at;
    RunListenersAt(at);
  }
  if (stepped != target) {
    SetVirtualTime(target);
    RunListenersAt(target);
  }
}

}  // namespace talix::host
