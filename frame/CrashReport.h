// Crash reporting: a process-wide handler that passes unhandled faults to the system's
// fault-report component (System32\FaultRep.dll, function ReportFault).
#pragma once

#include "frame/talix_export.h"

#include <windows.h>

// Installs the handler unless the suite's build number (registry) is a released one
// (first part above 0), and only when the library's own file version has a second
// component above 0. 1 when installed, else 0.
TALIX_LIB_C_API int KvnInitializeWER();

namespace talix::frame {

// The suite's build number text ("SOFTWARE\<maker>" value "KelvaneBuildNumber",
// REG_SZ only) into `buffer` of `bytes` bytes, terminated. False when unreadable.
TALIX_EXPORT BOOL ReadBuildNumber(WCHAR* buffer, DWORD bytes);
// The handler KvnInitializeWER installs.
TALIX_EXPORT LONG ReportUnhandledException(EXCEPTION_POINTERS* pointers);

}  // namespace talix::frame
