// Host API: the platform clock, real or virtual.
//
// Every time function and every timed wait of the platform (Sleep, GetTickCount,
// QueryPerformanceCounter, GetSystemTime, wait time-outs, and the window timers built on
// the same clock) reads one clock. It is the host's real clock unless TALIX_CLOCK=virtual
// is set at start or UseVirtualClock(true) is called. Virtual time stands still until
// AdvanceClock moves it; a Sleep or a wait time-out on the virtual clock ends only when
// virtual time reaches its deadline. Switching keeps the tick count continuous: virtual
// time starts where real time was, and real time resumes where virtual time stopped.
//
// Code inside the platform that must run at a due time on this clock (window timers) does
// not poll: it registers a ClockListener (platform/kernel/sync/clock.h). AdvanceClock walks
// forward through every listener's next due time in order, calling the listeners at each
// step, so a timer due at t+10 runs before one due at t+20 even in one big advance.
#pragma once

#include <win/types.h>

#include <cstddef>
#include <cstdint>

namespace talix::host {

// Switches between the real clock (false) and the virtual clock (true).
TALIX_EXPORT void UseVirtualClock(bool useVirtual);
TALIX_EXPORT bool IsVirtualClock();
// Moves virtual time forward by ms (nothing on the real clock). Returns once every wait
// whose deadline has been reached has been released and every other timed wait has seen
// the new time, so a test can check the outcome right after the call. Threads that were
// released then run on their own; their next wait starts at the new time. Because every
// timed wait tests again, AdvanceClock(1) also settles waits woken by other means;
// AdvanceClock(0) only runs listeners that are due.
TALIX_EXPORT void AdvanceClock(uint64_t ms);
// The tick count in milliseconds (GetTickCount64's value).
TALIX_EXPORT uint64_t Now();
// Number of waits with a deadline (Sleep, time-outs) currently in progress; lets a test
// know that another thread has started to wait before it advances the clock.
TALIX_EXPORT size_t PendingClockWaits();

}  // namespace talix::host
