// Attributes of files and folders, and creating and removing folders.
#include "platform/kernel/file/file_common.h"
#include "platform/kernel/path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace talix {
namespace {

// Stats a resolved path; false with the last error set.
bool StatPath(LPCWSTR name, std::string* path, struct stat* st) {
  *path = ResolveHostPath(name);
  if (path->empty()) {
    SetLastError(name ? ERROR_PATH_NOT_FOUND : ERROR_INVALID_PARAMETER);
    return false;
  }
  if (stat(path->c_str(), st) != 0) {
    SetLastErrorForPath(errno, *path);
    return false;
  }
  return true;
}

}  // namespace
}  // namespace talix

using namespace talix;

DWORD GetFileAttributesW(LPCWSTR lpFileName) {
  std::string path;
  struct stat st;
  if (!StatPath(lpFileName, &path, &st)) return INVALID_FILE_ATTRIBUTES;
  return AttributesFromStat(st, path);
}

BOOL GetFileAttributesExW(LPCWSTR lpFileName, GET_FILEEX_INFO_LEVELS fInfoLevelId,
                          LPVOID lpFileInformation) {
  if (fInfoLevelId != GetFileExInfoStandard || !lpFileInformation)
    return FailWith(ERROR_INVALID_PARAMETER);
  std::string path;
  struct stat st;
  if (!StatPath(lpFileName, &path, &st)) return FALSE;
  *static_cast<WIN32_FILE_ATTRIBUTE_DATA*>(lpFileInformation) = AttributeDataFromStat(st, path);
  return TRUE;
}

BOOL SetFileAttributesW(LPCWSTR lpFileName, DWORD dwFileAttributes) {
  std::string path;
  struct stat st;
  if (!StatPath(lpFileName, &path, &st)) return FALSE;
  // Only read-only has a host counterpart (the write permissions), and only for files;
  // hidden follows the name and the other attributes are accepted and not kept.
  if (S_ISDIR(st.st_mode)) return TRUE;
  mode_t mode = st.st_mode & 07777;
  if (dwFileAttributes & FILE_ATTRIBUTE_READONLY)
    mode &= ~static_cast<mode_t>(0222);
  else if (IsReadOnlyMode(st.st_mode))
    mode |= S_IWUSR;
  if (mode != (st.st_mode & 07777) && chmod(path.c_str(), mode) != 0)
    return FailForPath(errno, path);
  return TRUE;
}

BOOL CreateDirectoryW(LPCWSTR lpPathName, LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/) {
  std::string path = ResolveHostPath(lpPathName);
  if (path.empty()) return FailWith(ERROR_PATH_NOT_FOUND);
  if (mkdir(path.c_str(), 0777) != 0) {
    if (errno == EEXIST) return FailWith(ERROR_ALREADY_EXISTS);
    return FailWith(errno == ENOENT ? ERROR_PATH_NOT_FOUND : WinErrorFromErrno(errno));
  }
  return TRUE;
}

BOOL RemoveDirectoryW(LPCWSTR lpPathName) {
  std::string path = ResolveHostPath(lpPathName);
  if (path.empty()) return FailWith(ERROR_PATH_NOT_FOUND);
  struct stat st;
  if (lstat(path.c_str(), &st) != 0) return FailForPath(errno, path);
  if (!S_ISDIR(st.st_mode)) return FailWith(ERROR_DIRECTORY);
  if (rmdir(path.c_str()) != 0) return FailForPath(errno, path);
  return TRUE;
}
