// Host API: the Windows version and language the platform reports.
#pragma once

#include <win/types.h>

namespace talix::host {

struct OsVersion {
  DWORD major = 6;
  DWORD minor = 1;
  DWORD platform = 2;  // 1 = the Windows 9x family, 2 = NT
};

// The version GetVersionExW reports: from TALIX_OSVERSION ("MAJOR.MINOR[.PLATFORM]") at
// first use, else 6.1.2. The build number and service pack follow from the version.
TALIX_EXPORT OsVersion GetOsVersion();
TALIX_EXPORT void SetOsVersion(const OsVersion& version);
// Back to the environment's (or the default) version.
TALIX_EXPORT void ResetOsVersion();

// The language of every Get*Default*Lang*/LCID function; 0x0409 unless set.
TALIX_EXPORT void SetDefaultLanguage(LANGID language);

}  // namespace talix::host
