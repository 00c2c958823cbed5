// Sleep and the tick counts, on the platform clock.
#include "platform/kernel/sync/clock.h"
#include "platform/kernel/sync/waitable.h"

#include <win/sync.h>

#include <sched.h>

void Sleep(DWORD dwMilliseconds) {
  if (dwMilliseconds == 0) {
    sched_yield();  // gives up the rest of the time slice, as Sleep(0) does
    return;
  }
  talix::WaitForObjects({}, false, dwMilliseconds, nullptr);
}

DWORD SleepEx(DWORD dwMilliseconds, BOOL) {
  Sleep(dwMilliseconds);
  return 0;
}

DWORD GetTickCount(void) { return static_cast<DWORD>(talix::ClockNowMs()); }
ULONGLONG GetTickCount64(void) { return talix::ClockNowMs(); }

BOOL QueryPerformanceCounter(LARGE_INTEGER* lpPerformanceCount) {
  if (!lpPerformanceCount) {
    SetLastError(ERROR_NOACCESS);
    return FALSE;
  }
  lpPerformanceCount->QuadPart = static_cast<LONGLONG>(talix::ClockNow100ns());
  return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* lpFrequency) {
  if (!lpFrequency) {
    SetLastError(ERROR_NOACCESS);
    return FALSE;
  }
  lpFrequency->QuadPart = 10000000;  // the counter counts 100 ns units
  return TRUE;
}
