#include <talix/host_handles.h>
#include <win/base.h>

#include "platform/kernel/handle_table.h"

namespace {
thread_local DWORD g_lastError = 0;
}

DWORD GetLastError(void) { return g_lastError; }
void SetLastError(DWORD dwErrCode) { g_lastError = dwErrCode; }

namespace talix::host {
size_t LiveHandles(HandleKind kind) { return LiveHandleCount(kind); }
}  // namespace talix::host
