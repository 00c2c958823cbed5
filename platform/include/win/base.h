// Last-error state and the generic handle functions.
#pragma once

#include <win/errors.h>
#include <win/types.h>

WINBASEAPI DWORD GetLastError(void);
WINBASEAPI void SetLastError(DWORD dwErrCode);
// Closes any kernel object: file, event, thread, mutex, ...
WINBASEAPI BOOL CloseHandle(HANDLE hObject);
