// Version and system information.
//
// The reported Windows version is configurable (TALIX_OSVERSION, or the host API in
// talix/host_sysinfo.h) so that every version-dependent branch of a caller can be run;
// the default is 6.1 on the NT platform. The process is always a native 64-bit one.
#pragma once

#include <win/base.h>

#define VER_PLATFORM_WIN32s 0
#define VER_PLATFORM_WIN32_WINDOWS 1
#define VER_PLATFORM_WIN32_NT 2

#define VER_NT_WORKSTATION 0x0000001
#define VER_NT_DOMAIN_CONTROLLER 0x0000002
#define VER_NT_SERVER 0x0000003

typedef struct _OSVERSIONINFOW {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  WCHAR szCSDVersion[128];
} OSVERSIONINFOW, *POSVERSIONINFOW, *LPOSVERSIONINFOW, RTL_OSVERSIONINFOW;

// Kept flat, as documented, rather than derived from OSVERSIONINFOW: brace
// initialisation such as {sizeof(info)} then works without warnings.
typedef struct _OSVERSIONINFOEXW {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  WCHAR szCSDVersion[128];
  WORD wServicePackMajor;
  WORD wServicePackMinor;
  WORD wSuiteMask;
  BYTE wProductType;
  BYTE wReserved;
} OSVERSIONINFOEXW, *POSVERSIONINFOEXW, *LPOSVERSIONINFOEXW;

static_assert(sizeof(OSVERSIONINFOW) == 276, "OSVERSIONINFOW layout");
static_assert(sizeof(OSVERSIONINFOEXW) == 284, "OSVERSIONINFOEXW layout");

typedef OSVERSIONINFOW OSVERSIONINFO;
typedef OSVERSIONINFOEXW OSVERSIONINFOEX;

// dwOSVersionInfoSize must be the size of one of the two structures; otherwise FALSE with
// ERROR_INSUFFICIENT_BUFFER.
WINBASEAPI BOOL GetVersionExW(LPOSVERSIONINFOW lpVersionInformation);
// Low byte major, next byte minor, high word the build; bit 31 set off the NT platform.
WINBASEAPI DWORD GetVersion(void);
inline BOOL GetVersionEx(LPOSVERSIONINFOW info) { return GetVersionExW(info); }

#define PROCESSOR_ARCHITECTURE_INTEL 0
#define PROCESSOR_ARCHITECTURE_ARM64 12
#define PROCESSOR_ARCHITECTURE_AMD64 9
#define PROCESSOR_ARCHITECTURE_UNKNOWN 0xFFFF
#define PROCESSOR_AMD_X8664 8664

typedef struct _SYSTEM_INFO {
  union {
    DWORD dwOemId;
    struct {
      WORD wProcessorArchitecture;
      WORD wReserved;
    };
  };
  DWORD dwPageSize;
  LPVOID lpMinimumApplicationAddress;
  LPVOID lpMaximumApplicationAddress;
  DWORD_PTR dwActiveProcessorMask;
  DWORD dwNumberOfProcessors;
  DWORD dwProcessorType;
  DWORD dwAllocationGranularity;
  WORD wProcessorLevel;
  WORD wProcessorRevision;
} SYSTEM_INFO, *LPSYSTEM_INFO;

WINBASEAPI void GetSystemInfo(LPSYSTEM_INFO lpSystemInfo);
WINBASEAPI void GetNativeSystemInfo(LPSYSTEM_INFO lpSystemInfo);
// Always reports FALSE: the process is native 64-bit.
WINBASEAPI BOOL IsWow64Process(HANDLE hProcess, PBOOL Wow64Process);

// Languages: English (United States, 0x0409) unless the host sets another.
#define LANG_NEUTRAL 0x00
#define LANG_ENGLISH 0x09
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_ENGLISH_US 0x01
#define SORT_DEFAULT 0x0
#define MAKELANGID(p, s) ((((WORD)(s)) << 10) | (WORD)(p))
#define PRIMARYLANGID(lgid) ((WORD)(lgid) & 0x3ff)
#define SUBLANGID(lgid) ((WORD)(lgid) >> 10)
#define MAKELCID(lgid, srtid) ((DWORD)((((DWORD)((WORD)(srtid))) << 16) | ((DWORD)((WORD)(lgid)))))
#define LANGIDFROMLCID(lcid) ((WORD)(lcid))

WINBASEAPI LANGID GetUserDefaultUILanguage(void);
WINBASEAPI LANGID GetSystemDefaultUILanguage(void);
WINBASEAPI LANGID GetUserDefaultLangID(void);
WINBASEAPI LANGID GetSystemDefaultLangID(void);
WINBASEAPI LCID GetUserDefaultLCID(void);
WINBASEAPI LCID GetSystemDefaultLCID(void);
