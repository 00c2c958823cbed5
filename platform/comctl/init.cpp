// InitCommonControls / InitCommonControlsEx. The common control classes are system
// classes present in every process, so starting them only checks the request.
#include <windows.h>
#include <win/commctrl.h>

namespace {

constexpr DWORD kKnownClasses = 0x0000FFFF;  // every ICC_* bit up to ICC_LINK_CLASS

}  // namespace

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce) {
  if (!picce || picce->dwSize != sizeof(INITCOMMONCONTROLSEX) || (picce->dwICC & ~kKnownClasses)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

void InitCommonControls(void) {}
