// Deleting, copying and moving files by name.
#include "platform/kernel/file/file_common.h"
#include "platform/kernel/path.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace talix {
namespace {

bool WriteAll(int fd, const char* data, size_t size) {
  while (size) {
    ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// Copies the bytes, permissions and times of a regular file; a Windows error or 0.
DWORD CopyHostFile(const std::string& from, const std::string& to, bool failIfExists) {
  int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) {
    int error = errno;
    return ParentFolderExists(from) ? WinErrorFromErrno(error) : ERROR_PATH_NOT_FOUND;
  }
  struct stat st;
  if (fstat(in, &st) != 0 || S_ISDIR(st.st_mode)) {
    close(in);
    return ERROR_ACCESS_DENIED;
  }
  struct stat existing;
  if (stat(to.c_str(), &existing) == 0) {
    DWORD refusal = failIfExists                        ? ERROR_FILE_EXISTS
                    : S_ISDIR(existing.st_mode) ||
                            IsReadOnlyMode(existing.st_mode) ? ERROR_ACCESS_DENIED
                                                             : 0;
    if (refusal) {
      close(in);
      return refusal;
    }
  }
  int flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | (failIfExists ? O_EXCL : 0);
  int out = open(to.c_str(), flags, st.st_mode & 0777);
  if (out < 0) {
    int hostError = errno;
    DWORD error = hostError == EEXIST ? ERROR_FILE_EXISTS
                  : hostError == ENOENT && !ParentFolderExists(to) ? ERROR_PATH_NOT_FOUND
                                                                   : WinErrorFromErrno(hostError);
    close(in);
    return error;
  }
  std::vector<char> buffer(1 << 16);
  DWORD error = 0;
  for (;;) {
    ssize_t n = read(in, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 || (n > 0 && !WriteAll(out, buffer.data(), static_cast<size_t>(n)))) {
      error = WinErrorFromErrno(errno);
      break;
    }
    if (n == 0) break;
  }
  // Windows keeps the last-write time and the attributes of the source.
  struct timespec times[2] = {st.st_atim, st.st_mtim};
  futimens(out, times);
  fchmod(out, st.st_mode & 0777);
  close(in);
  if (close(out) != 0 && !error) error = WinErrorFromErrno(errno);
  if (error) unlink(to.c_str());
  return error;
}

// The destination of a move: the resolved path, except when it resolves to the source
// itself, which is a change of case only and keeps the new spelling.
std::string MoveDestination(LPCWSTR newName, const std::string& from) {
  std::string to = ResolveHostPath(newName);
  if (to != from) return to;
  std::string absolute = AbsoluteHostPath(newName);
  size_t slash = absolute.find_last_of('/');
  return from.substr(0, from.find_last_of('/')) + absolute.substr(slash);
}

}  // namespace
}  // namespace talix

using namespace talix;

BOOL DeleteFileW(LPCWSTR lpFileName) {
  std::string path = ResolveHostPath(lpFileName);
  if (path.empty()) return FailWith(ERROR_PATH_NOT_FOUND);
  struct stat st;
  if (lstat(path.c_str(), &st) != 0) return FailForPath(errno, path);
  // Folders and read-only files cannot be deleted on Windows.
  if (S_ISDIR(st.st_mode) || (!S_ISLNK(st.st_mode) && IsReadOnlyMode(st.st_mode)))
    return FailWith(ERROR_ACCESS_DENIED);
  if (unlink(path.c_str()) != 0) return FailForPath(errno, path);
  return TRUE;
}

BOOL CopyFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, BOOL bFailIfExists) {
  std::string from = ResolveHostPath(lpExistingFileName);
  std::string to = ResolveHostPath(lpNewFileName);
  if (from.empty() || to.empty()) return FailWith(ERROR_PATH_NOT_FOUND);
  struct stat fromStat, toStat;
  if (stat(from.c_str(), &fromStat) != 0) return FailForPath(errno, from);
  if (stat(to.c_str(), &toStat) == 0 && fromStat.st_dev == toStat.st_dev &&
      fromStat.st_ino == toStat.st_ino)
    return FailWith(bFailIfExists ? ERROR_FILE_EXISTS : ERROR_SHARING_VIOLATION);
  DWORD error = CopyHostFile(from, to, bFailIfExists);
  return error ? FailWith(error) : TRUE;
}

BOOL MoveFileExW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName, DWORD dwFlags) {
  if (dwFlags & MOVEFILE_DELAY_UNTIL_REBOOT) return FailWith(ERROR_NOT_SUPPORTED);
  std::string from = ResolveHostPath(lpExistingFileName);
  if (from.empty() || !lpNewFileName) return FailWith(ERROR_PATH_NOT_FOUND);
  struct stat fromStat;
  if (lstat(from.c_str(), &fromStat) != 0) return FailForPath(errno, from);
  std::string to = MoveDestination(lpNewFileName, from);
  if (to.empty()) return FailWith(ERROR_PATH_NOT_FOUND);
  struct stat toStat;
  if (to != from && lstat(to.c_str(), &toStat) == 0) {
    if (!(dwFlags & MOVEFILE_REPLACE_EXISTING)) return FailWith(ERROR_ALREADY_EXISTS);
    if (S_ISDIR(toStat.st_mode) || S_ISDIR(fromStat.st_mode) || IsReadOnlyMode(toStat.st_mode))
      return FailWith(ERROR_ACCESS_DENIED);
  }
  if (rename(from.c_str(), to.c_str()) == 0) {
    if (dwFlags & MOVEFILE_WRITE_THROUGH) sync();
    return TRUE;
  }
  if (errno != EXDEV) return FailForPath(errno, to);
  // Across file systems a file moves as a copy and a delete, when the caller allows it.
  if (!(dwFlags & MOVEFILE_COPY_ALLOWED) || S_ISDIR(fromStat.st_mode))
    return FailWith(ERROR_NOT_SAME_DEVICE);
  DWORD error = CopyHostFile(from, to, false);
  if (error) return FailWith(error);
  if (unlink(from.c_str()) != 0) return FailForPath(errno, from);
  return TRUE;
}

BOOL MoveFileW(LPCWSTR lpExistingFileName, LPCWSTR lpNewFileName) {
  // MoveFileW moves files across volumes too.
  return MoveFileExW(lpExistingFileName, lpNewFileName, MOVEFILE_COPY_ALLOWED);
}
