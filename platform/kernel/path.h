// Windows-form paths <-> host paths. Drive Z: is the host's root: "/home/a/b.png" is
// "Z:\home\a\b.png". Both separators are accepted on the Windows side; a host path
// (starting with '/') passes through unchanged.
#pragma once

#include <win/types.h>

#include <string>
#include <string_view>

namespace talix {

// The host (UTF-8) path for a Windows-form or host-form path; relative paths stay
// relative (to the process's current folder). Empty when the path names a drive other
// than Z: or is empty.
TALIX_EXPORT std::string WinPathToHost(std::u16string_view path);
TALIX_EXPORT std::string WinPathToHost(const WCHAR* path);  // null gives ""
// The Windows form of a host path: absolute paths become "Z:\...", '/' becomes '\'.
TALIX_EXPORT std::u16string HostPathToWin(std::string_view hostPath);

}  // namespace talix
