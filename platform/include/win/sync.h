// Threads, waits, events, mutexes, critical sections, interlocked operations and time.
//
// Limits of this implementation:
// - Only names beginning with "Global\" reach other processes (events only); every other
//   name, "Local\" names and mutex names are per process.
// - PulseEvent on a "Global\" event releases the waiters of the calling process only.
// - Waits on GetCurrentThread()/GetCurrentProcess() pseudo handles fail with
//   ERROR_INVALID_HANDLE instead of blocking for ever.
// - SleepEx's alertable waits never see an APC (there are none); it behaves as Sleep.
// - A thread can be suspended only at creation (CREATE_SUSPENDED); there is no SuspendThread.
// - ExitThread unwinds the thread's stack (C++ destructors run), where Windows does not.
// - GetThreadPriority(GetCurrentThread()) reports what SetThreadPriority set through the
//   pseudo handle, not through the thread's real handle; priorities never reach the host.
#pragma once

#include <win/base.h>

// --- Threads and processes --------------------------------------------------------------

typedef DWORD(WINAPI* PTHREAD_START_ROUTINE)(LPVOID lpThreadParameter);
typedef PTHREAD_START_ROUTINE LPTHREAD_START_ROUTINE;

#define CREATE_SUSPENDED 0x00000004u
#define STACK_SIZE_PARAM_IS_A_RESERVATION 0x00010000u
#define STILL_ACTIVE 259u

#define THREAD_PRIORITY_LOWEST (-2)
#define THREAD_PRIORITY_BELOW_NORMAL (-1)
#define THREAD_PRIORITY_NORMAL 0
#define THREAD_PRIORITY_ABOVE_NORMAL 1
#define THREAD_PRIORITY_HIGHEST 2
#define THREAD_PRIORITY_IDLE (-15)
#define THREAD_PRIORITY_TIME_CRITICAL 15
#define THREAD_PRIORITY_ERROR_RETURN 0x7FFFFFFF

WINBASEAPI HANDLE CreateThread(LPSECURITY_ATTRIBUTES lpThreadAttributes, SIZE_T dwStackSize,
                               LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter,
                               DWORD dwCreationFlags, LPDWORD lpThreadId);
// Returns the previous suspend count, or (DWORD)-1 on failure.
WINBASEAPI DWORD ResumeThread(HANDLE hThread);
WINBASEAPI BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode);
WINBASEAPI void ExitThread(DWORD dwExitCode);
WINBASEAPI DWORD GetCurrentThreadId(void);
WINBASEAPI DWORD GetThreadId(HANDLE Thread);
WINBASEAPI HANDLE GetCurrentThread(void);  // pseudo handle (HANDLE)-2
WINBASEAPI DWORD GetCurrentProcessId(void);
WINBASEAPI HANDLE GetCurrentProcess(void);  // pseudo handle (HANDLE)-1
// Priorities are remembered per thread object and do not change host scheduling.
WINBASEAPI BOOL SetThreadPriority(HANDLE hThread, int nPriority);
WINBASEAPI int GetThreadPriority(HANDLE hThread);

// --- Waits --------------------------------------------------------------------------------

#define MAXIMUM_WAIT_OBJECTS 64
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_ABANDONED 0x00000080u
#define WAIT_ABANDONED_0 0x00000080u
#define WAIT_IO_COMPLETION 0x000000C0u
#define WAIT_FAILED 0xFFFFFFFFu
// WAIT_TIMEOUT (258) comes from the error codes.

WINBASEAPI DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);
WINBASEAPI DWORD WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll,
                                        DWORD dwMilliseconds);

// --- Events and mutexes -----------------------------------------------------------------

#ifndef SYNCHRONIZE
#define SYNCHRONIZE 0x00100000L
#endif
#define EVENT_MODIFY_STATE 0x0002u
#define EVENT_ALL_ACCESS 0x001F0003u
#define MUTEX_MODIFY_STATE 0x0001u
#define MUTEX_ALL_ACCESS 0x001F0001u

WINBASEAPI HANDLE CreateEventW(LPSECURITY_ATTRIBUTES lpEventAttributes, BOOL bManualReset,
                               BOOL bInitialState, LPCWSTR lpName);
WINBASEAPI HANDLE OpenEventW(DWORD dwDesiredAccess, BOOL bInheritHandle, LPCWSTR lpName);
WINBASEAPI BOOL SetEvent(HANDLE hEvent);
WINBASEAPI BOOL ResetEvent(HANDLE hEvent);
WINBASEAPI BOOL PulseEvent(HANDLE hEvent);

WINBASEAPI HANDLE CreateMutexW(LPSECURITY_ATTRIBUTES lpMutexAttributes, BOOL bInitialOwner,
                               LPCWSTR lpName);
WINBASEAPI HANDLE OpenMutexW(DWORD dwDesiredAccess, BOOL bInheritHandle, LPCWSTR lpName);
WINBASEAPI BOOL ReleaseMutex(HANDLE hMutex);

inline HANDLE CreateEvent(LPSECURITY_ATTRIBUTES a, BOOL manual, BOOL initial, LPCWSTR name) {
  return CreateEventW(a, manual, initial, name);
}
inline HANDLE OpenEvent(DWORD access, BOOL inherit, LPCWSTR name) {
  return OpenEventW(access, inherit, name);
}
inline HANDLE CreateMutex(LPSECURITY_ATTRIBUTES a, BOOL owner, LPCWSTR name) {
  return CreateMutexW(a, owner, name);
}

// --- Critical sections --------------------------------------------------------------------

// Room for the host's recursive mutex; the contents are private to the platform.
typedef struct _RTL_CRITICAL_SECTION {
  alignas(8) unsigned char Opaque[64];
} RTL_CRITICAL_SECTION, CRITICAL_SECTION, *PCRITICAL_SECTION, *LPCRITICAL_SECTION;

WINBASEAPI void InitializeCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
WINBASEAPI BOOL InitializeCriticalSectionAndSpinCount(LPCRITICAL_SECTION lpCriticalSection,
                                                      DWORD dwSpinCount);
WINBASEAPI void EnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
WINBASEAPI BOOL TryEnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
WINBASEAPI void LeaveCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
WINBASEAPI void DeleteCriticalSection(LPCRITICAL_SECTION lpCriticalSection);

// --- Interlocked operations (full barriers) -----------------------------------------------

inline LONG InterlockedIncrement(LONG volatile* addend) {
  return __atomic_add_fetch(addend, 1, __ATOMIC_SEQ_CST);
}
inline LONG InterlockedDecrement(LONG volatile* addend) {
  return __atomic_sub_fetch(addend, 1, __ATOMIC_SEQ_CST);
}
inline LONG InterlockedExchange(LONG volatile* target, LONG value) {
  return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST);
}
inline LONG InterlockedExchangeAdd(LONG volatile* addend, LONG value) {
  return __atomic_fetch_add(addend, value, __ATOMIC_SEQ_CST);
}
inline LONG InterlockedCompareExchange(LONG volatile* destination, LONG exchange, LONG comparand) {
  __atomic_compare_exchange_n(destination, &comparand, exchange, false, __ATOMIC_SEQ_CST,
                              __ATOMIC_SEQ_CST);
  return comparand;  // the initial value, whether or not it was replaced
}
inline PVOID InterlockedExchangePointer(PVOID volatile* target, PVOID value) {
  return __atomic_exchange_n(target, value, __ATOMIC_SEQ_CST);
}
inline PVOID InterlockedCompareExchangePointer(PVOID volatile* destination, PVOID exchange,
                                               PVOID comparand) {
  __atomic_compare_exchange_n(destination, &comparand, exchange, false, __ATOMIC_SEQ_CST,
                              __ATOMIC_SEQ_CST);
  return comparand;
}

// --- Time ---------------------------------------------------------------------------------
// Every function here follows the platform clock: real by default, virtual when the host
// switches it (talix/host_clock.h, or TALIX_CLOCK=virtual).

WINBASEAPI void Sleep(DWORD dwMilliseconds);
WINBASEAPI DWORD SleepEx(DWORD dwMilliseconds, BOOL bAlertable);
WINBASEAPI DWORD GetTickCount(void);
WINBASEAPI ULONGLONG GetTickCount64(void);
WINBASEAPI BOOL QueryPerformanceCounter(LARGE_INTEGER* lpPerformanceCount);
WINBASEAPI BOOL QueryPerformanceFrequency(LARGE_INTEGER* lpFrequency);
WINBASEAPI void GetSystemTime(LPSYSTEMTIME lpSystemTime);
WINBASEAPI void GetLocalTime(LPSYSTEMTIME lpSystemTime);
WINBASEAPI void GetSystemTimeAsFileTime(LPFILETIME lpSystemTimeAsFileTime);
WINBASEAPI BOOL FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime);
WINBASEAPI BOOL SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime);
// Uses the host's current offset from UTC, as Windows uses the current bias.
WINBASEAPI BOOL FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime);
