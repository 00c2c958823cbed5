// Helpers shared by the file functions: host errors as Windows errors, host times as
// FILETIMEs, and the "copy or report the size needed" protocol of string results.
#pragma once

#include <win/file.h>

#include <sys/stat.h>

#include <string>

namespace talix {

// The Windows error for a host errno value.
DWORD WinErrorFromErrno(int error);
// Sets the last error for a failed host call on path: a missing entry is
// ERROR_FILE_NOT_FOUND when its folder exists and ERROR_PATH_NOT_FOUND otherwise.
void SetLastErrorForPath(int error, const std::string& hostPath);

bool ParentFolderExists(const std::string& hostPath);
// Windows' read-only attribute is the owner's missing write permission.
inline bool IsReadOnlyMode(mode_t mode) { return !(mode & S_IWUSR); }
DWORD AttributesFromStat(const struct stat& st, const std::string& hostPath);
// Attributes, times and size as GetFileAttributesExW and the find functions report them.
WIN32_FILE_ATTRIBUTE_DATA AttributeDataFromStat(const struct stat& st, const std::string& hostPath);

// Failure returns that set the last error.
inline BOOL FailWith(DWORD error) {
  SetLastError(error);
  return FALSE;
}
inline BOOL FailForPath(int error, const std::string& hostPath) {
  SetLastErrorForPath(error, hostPath);
  return FALSE;
}

FILETIME FileTimeFromTimespec(const struct timespec& ts);
struct timespec TimespecFromFileTime(const FILETIME& ft);

// Copies text with its terminator when it fits in size characters and returns its
// length; otherwise leaves the buffer alone and returns the size needed, terminator
// included (GetCurrentDirectoryW, GetTempPathW, GetFullPathNameW and the like).
DWORD CopyOrNeededSize(const std::u16string& text, WCHAR* buffer, DWORD size);

}  // namespace talix
