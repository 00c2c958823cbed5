// Critical sections: a recursive host mutex kept inside the caller's CRITICAL_SECTION.
#include <win/sync.h>

#include <new>

#include <pthread.h>

namespace {

static_assert(sizeof(pthread_mutex_t) <= sizeof(CRITICAL_SECTION::Opaque),
              "CRITICAL_SECTION must hold the host mutex");
static_assert(alignof(pthread_mutex_t) <= 8, "CRITICAL_SECTION alignment");

pthread_mutex_t* HostMutex(LPCRITICAL_SECTION section) {
  return reinterpret_cast<pthread_mutex_t*>(section->Opaque);
}

}  // namespace

void InitializeCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
  if (!lpCriticalSection) return;
  pthread_mutexattr_t attr;
  pthread_mutexattr_init(&attr);
  pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
  pthread_mutex_init(new (lpCriticalSection->Opaque) pthread_mutex_t, &attr);
  pthread_mutexattr_destroy(&attr);
}

BOOL InitializeCriticalSectionAndSpinCount(LPCRITICAL_SECTION lpCriticalSection, DWORD) {
  if (!lpCriticalSection) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  InitializeCriticalSection(lpCriticalSection);  // the host mutex spins as it sees fit
  return TRUE;
}

void EnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
  if (lpCriticalSection) pthread_mutex_lock(HostMutex(lpCriticalSection));
}

BOOL TryEnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
  return lpCriticalSection && pthread_mutex_trylock(HostMutex(lpCriticalSection)) == 0;
}

void LeaveCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
  if (lpCriticalSection) pthread_mutex_unlock(HostMutex(lpCriticalSection));
}

void DeleteCriticalSection(LPCRITICAL_SECTION lpCriticalSection) {
  if (lpCriticalSection) pthread_mutex_destroy(HostMutex(lpCriticalSection));
}
