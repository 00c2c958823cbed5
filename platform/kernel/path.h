// Windows-form paths <-> host paths. Drive Z: is the host's root: "/home/a/b.png" is
// "Z:\home\a\b.png". Both separators are accepted on the Windows side; a host path
// (starting with '/') passes through unchanged. Other drive letters exist only when a
// host mapped them to a host folder (talix::host::MapDrive); unmapped drives are refused.
//
// Every file function goes through ResolveHostPath: absolute, "." and ".." removed, and
// each component that does not exist as spelled matched ignoring case against the
// entries of its folder, as a case-insensitive file system would.
//
// Limits: case folding covers ASCII, Latin-1, Latin Extended-A, basic Greek and
// Cyrillic; UNC paths ("\\server\share") are refused.
#pragma once

#include <win/types.h>

#include <string>
#include <string_view>

namespace talix {

// The host (UTF-8) path for a Windows-form or host-form path; relative paths stay
// relative (to the process's current folder). Empty when the path names a drive that is
// neither Z: nor mapped, is a UNC path, or is empty.
TALIX_EXPORT std::string WinPathToHost(std::u16string_view path);
TALIX_EXPORT std::string WinPathToHost(const WCHAR* path);  // null gives ""
// The Windows form of a host path: absolute paths become "Z:\..." (or the mapped drive
// whose folder holds them), '/' becomes '\'.
TALIX_EXPORT std::u16string HostPathToWin(std::string_view hostPath);

// Absolute host path with "." and ".." resolved lexically and repeated separators
// collapsed; relative paths are taken from the current folder. Empty as WinPathToHost.
TALIX_EXPORT std::string AbsoluteHostPath(std::u16string_view path);
TALIX_EXPORT std::string AbsoluteHostPath(const WCHAR* path);  // null gives ""
// AbsoluteHostPath with each component matched ignoring case where it is not found as
// spelled. Components that do not exist at all are kept as given.
TALIX_EXPORT std::string ResolveHostPath(std::u16string_view path);
TALIX_EXPORT std::string ResolveHostPath(const WCHAR* path);  // null gives ""
// The case matching alone, on an absolute normalised host path.
TALIX_EXPORT std::string MatchHostPathCase(const std::string& absoluteHostPath);

// Windows-style comparison of names: equal after upper-casing both.
TALIX_EXPORT char16_t UpcaseChar(char16_t c);
TALIX_EXPORT bool NamesEqualIgnoreCase(std::u16string_view a, std::u16string_view b);

// Drive letter -> host folder mappings (Z: is always the host root).
TALIX_EXPORT void SetDriveMapping(char16_t letter, const std::string& hostFolder);

}  // namespace talix
