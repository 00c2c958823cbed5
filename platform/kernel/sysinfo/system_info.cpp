// Processor, memory-layout and language information of the host, in Windows terms.
#include <talix/host_sysinfo.h>
#include <win/sync.h>
#include <win/sysinfo.h>

#include <atomic>
#include <cstring>

#include <unistd.h>

namespace {

std::atomic<LANGID> gLanguage{0x0409};

}  // namespace

void GetSystemInfo(LPSYSTEM_INFO lpSystemInfo) {
  if (!lpSystemInfo) return;
  std::memset(lpSystemInfo, 0, sizeof *lpSystemInfo);
  long pageSize = sysconf(_SC_PAGESIZE);
  long processors = sysconf(_SC_NPROCESSORS_ONLN);
  if (processors < 1) processors = 1;
  if (processors > 64) processors = 64;  // one bit each in the affinity mask
  lpSystemInfo->wProcessorArchitecture = PROCESSOR_ARCHITECTURE_AMD64;
  lpSystemInfo->dwPageSize = pageSize > 0 ? static_cast<DWORD>(pageSize) : 4096;
  lpSystemInfo->lpMinimumApplicationAddress = reinterpret_cast<LPVOID>(0x10000);
  lpSystemInfo->lpMaximumApplicationAddress = reinterpret_cast<LPVOID>(0x7FFFFFFEFFFFull);
  lpSystemInfo->dwActiveProcessorMask =
      processors == 64 ? ~DWORD_PTR{0} : (DWORD_PTR{1} << processors) - 1;
  lpSystemInfo->dwNumberOfProcessors = static_cast<DWORD>(processors);
  lpSystemInfo->dwProcessorType = PROCESSOR_AMD_X8664;
  lpSystemInfo->dwAllocationGranularity = 65536;
  lpSystemInfo->wProcessorLevel = 6;
}

void GetNativeSystemInfo(LPSYSTEM_INFO lpSystemInfo) { GetSystemInfo(lpSystemInfo); }

BOOL IsWow64Process(HANDLE hProcess, PBOOL Wow64Process) {
  if (!Wow64Process) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (hProcess != GetCurrentProcess()) {  // the only process handle there is
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  *Wow64Process = FALSE;
  return TRUE;
}

namespace talix::host {
void SetDefaultLanguage(LANGID language) { gLanguage = language; }
}  // namespace talix::host

LANGID GetUserDefaultUILanguage(void) { return gLanguage; }
LANGID GetSystemDefaultUILanguage(void) { return gLanguage; }
LANGID GetUserDefaultLangID(void) { return gLanguage; }
LANGID GetSystemDefaultLangID(void) { return gLanguage; }
LCID GetUserDefaultLCID(void) { return MAKELCID(gLanguage.load(), SORT_DEFAULT); }
LCID GetSystemDefaultLCID(void) { return MAKELCID(gLanguage.load(), SORT_DEFAULT); }
