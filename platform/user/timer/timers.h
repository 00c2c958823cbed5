// Window and thread timers.
//
// A timer is due every `elapse` ms on the platform clock. When it comes due it is marked
// pending (one mark however many periods passed: WM_TIMER coalesces) and the owner's queue
// is told; the queue's timer source makes the WM_TIMER when nothing else is waiting. On
// the virtual clock a clock listener marks timers at their exact due times as AdvanceClock
// steps; on the real clock the owner thread marks them whenever it looks at its queue and
// sleeps no longer than its next due time.
#pragma once

#include <win/user.h>

namespace talix::user {

// Whether `proc` is the procedure of a live timer of hwnd/id (DispatchMessageW calls only
// such procedures from a WM_TIMER's lParam).
bool IsLiveTimerProc(HWND hwnd, UINT_PTR id, TIMERPROC proc);
// Drops every timer of a window being destroyed. Requires UserLock.
void KillWindowTimersLocked(HWND hwnd);

}  // namespace talix::user
