// Host API: the Windows folder and drive letters.
#pragma once

#include <win/types.h>

#include <string>

namespace talix::host {

// The Windows folder as a host path: the one set here, else $TALIX_WINDIR, else the
// build's windows/ folder. GetWindowsDirectoryW and friends report it in Windows form;
// System32 is inside it. Null returns to the default.
TALIX_EXPORT void SetWindowsFolder(const char* hostFolder);
TALIX_EXPORT std::string WindowsFolder();

// Makes drive letter (A-Y) name a host folder, so "D:\Data" can live in a test's
// temporary folder; null removes the mapping. Z: is always the host's root.
TALIX_EXPORT void MapDrive(WCHAR letter, const char* hostFolder);

}  // namespace talix::host
