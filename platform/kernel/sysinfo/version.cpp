// The reported Windows version: configurable, with the build numbers and service packs
// the released systems of each version carried.
#include <talix/host_sysinfo.h>
#include <win/sysinfo.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace talix::host {
namespace {

struct KnownRelease {
  DWORD platform, major, minor, build, servicePack;
};

constexpr KnownRelease kReleases[] = {
    {VER_PLATFORM_WIN32_WINDOWS, 4, 0, 950, 0},  {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 2222, 0},
    {VER_PLATFORM_WIN32_WINDOWS, 4, 90, 3000, 0}, {VER_PLATFORM_WIN32_NT, 4, 0, 1381, 6},
    {VER_PLATFORM_WIN32_NT, 5, 0, 2195, 4},       {VER_PLATFORM_WIN32_NT, 5, 1, 2600, 3},
    {VER_PLATFORM_WIN32_NT, 5, 2, 3790, 2},       {VER_PLATFORM_WIN32_NT, 6, 0, 6002, 2},
    {VER_PLATFORM_WIN32_NT, 6, 1, 7601, 1},       {VER_PLATFORM_WIN32_NT, 6, 2, 9200, 0},
    {VER_PLATFORM_WIN32_NT, 6, 3, 9600, 0},       {VER_PLATFORM_WIN32_NT, 10, 0, 19045, 0},
};

OsVersion FromEnvironment() {
  OsVersion v;
  const char* text = std::getenv("TALIX_OSVERSION");
  unsigned major = 0, minor = 0, platform = VER_PLATFORM_WIN32_NT;
  int n = text ? std::sscanf(text, "%u.%u.%u", &major, &minor, &platform) : 0;
  if (n >= 2 && major >= 1 && major <= 255 && minor <= 255 && platform <= 2)
    v = OsVersion{major, minor, platform};
  return v;
}

std::mutex& Lock() {
  static auto* lock = new std::mutex;
  return *lock;
}

OsVersion& Current() {
  static OsVersion version = FromEnvironment();
  return version;
}

}  // namespace

OsVersion GetOsVersion() {
  std::lock_guard<std::mutex> lock(Lock());
  return Current();
}

void SetOsVersion(const OsVersion& version) {
  std::lock_guard<std::mutex> lock(Lock());
  Current() = version;
}

void ResetOsVersion() { SetOsVersion(FromEnvironment()); }

// Build and service pack of a version; unknown versions report build 0 and none.
KnownRelease ReleaseOf(const OsVersion& v) {
  for (const KnownRelease& r : kReleases)
    if (r.platform == v.platform && r.major == v.major && r.minor == v.minor) return r;
  return KnownRelease{v.platform, v.major, v.minor, 0, 0};
}

}  // namespace talix::host

BOOL GetVersionExW(LPOSVERSIONINFOW lpVersionInformation) {
  if (!lpVersionInformation) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  DWORD size = lpVersionInformation->dwOSVersionInfoSize;
  if (size != sizeof(OSVERSIONINFOW) && size != sizeof(OSVERSIONINFOEXW)) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  talix::host::OsVersion v = talix::host::GetOsVersion();
  auto release = talix::host::ReleaseOf(v);
  OSVERSIONINFOW& info = *lpVersionInformation;
  info.dwMajorVersion = v.major;
  info.dwMinorVersion = v.minor;
  info.dwPlatformId = v.platform;
  // The 9x family keeps major and minor in the build number's high word.
  info.dwBuildNumber = v.platform == VER_PLATFORM_WIN32_WINDOWS
                           ? (((v.major & 0xFF) << 24) | ((v.minor & 0xFF) << 16) | release.build)
                           : release.build;
  std::memset(info.szCSDVersion, 0, sizeof info.szCSDVersion);
  if (release.servicePack) {
    char text[32];
    int n = std::snprintf(text, sizeof text, "Service Pack %u", static_cast<unsigned>(release.servicePack));
    for (int i = 0; i < n; ++i) info.szCSDVersion[i] = static_cast<WCHAR>(text[i]);
  }
  if (size == sizeof(OSVERSIONINFOEXW)) {
    auto& ex = reinterpret_cast<OSVERSIONINFOEXW&>(info);
    ex.wServicePackMajor = static_cast<WORD>(release.servicePack);
    ex.wServicePackMinor = 0;
    ex.wSuiteMask = 0;
    ex.wProductType = VER_NT_WORKSTATION;
    ex.wReserved = 0;
  }
  return TRUE;
}

DWORD GetVersion(void) {
  talix::host::OsVersion v = talix::host::GetOsVersion();
  DWORD low = ((v.minor & 0xFF) << 8) | (v.major & 0xFF);
  DWORD build = talix::host::ReleaseOf(v).build & 0x7FFF;
  if (v.platform == VER_PLATFORM_WIN32_NT) return (build << 16) | low;
  return 0x80000000u | (build << 16) | low;
}
