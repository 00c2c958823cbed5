#include "platform/kernel/file/file_common.h"

#include <cerrno>
#include <cstring>

namespace talix {

DWORD WinErrorFromErrno(int error) {
  switch (error) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case EBADF: return ERROR_INVALID_HANDLE;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case EXDEV: return ERROR_NOT_SAME_DEVICE;
    case EBUSY: return ERROR_BUSY;
    case ELOOP: return ERROR_CANT_RESOLVE_FILENAME;
    case EIO: return ERROR_GEN_FAILURE;
    default: return ERROR_GEN_FAILURE;
  }
}

bool ParentFolderExists(const std::string& hostPath) {
  size_t slash = hostPath.find_last_of('/');
  if (slash == std::string::npos) return true;  // relative to the current folder
  std::string parent = slash == 0 ? "/" : hostPath.substr(0, slash);
  struct stat st;
  return stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void SetLastErrorForPath(int error, const std::string& hostPath) {
  if (error == ENOENT && !ParentFolderExists(hostPath)) error = ENOTDIR;
  SetLastError(WinErrorFromErrno(error));
}

DWORD AttributesFromStat(const struct stat& st, const std::string& hostPath) {
  DWORD attributes = 0;
  // A folder's write permission guards its entries, which Windows' read-only attribute
  // on a folder does not; so folders never report it.
  if (S_ISDIR(st.st_mode))
    attributes |= FILE_ATTRIBUTE_DIRECTORY;
  else if (IsReadOnlyMode(st.st_mode))
    attributes |= FILE_ATTRIBUTE_READONLY;
  size_t slash = hostPath.find_last_of('/');
  std::string name = slash == std::string::npos ? hostPath : hostPath.substr(slash + 1);
  if (name.size() > 1 && name[0] == '.' && name != "..") attributes |= FILE_ATTRIBUTE_HIDDEN;
  return attributes ? attributes : FILE_ATTRIBUTE_NORMAL;
}

WIN32_FILE_ATTRIBUTE_DATA AttributeDataFromStat(const struct stat& st, const std::string& hostPath) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  data.dwFileAttributes = AttributesFromStat(st, hostPath);
  data.ftCreationTime = FileTimeFromTimespec(st.st_ctim);
  data.ftLastAccessTime = FileTimeFromTimespec(st.st_atim);
  data.ftLastWriteTime = FileTimeFromTimespec(st.st_mtim);
  uint64_t size = S_ISDIR(st.st_mode) ? 0 : static_cast<uint64_t>(st.st_size);
  data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
  data.nFileSizeLow = static_cast<DWORD>(size);
  return data;
}

// FILETIME counts 100 ns intervals since 1601-01-01; the host counts from 1970.
constexpr int64_t kSecondsFrom1601To1970 = 11644473600LL;
constexpr int64_t kTicksPerSecond = 10000000;

FILETIME FileTimeFromTimespec(const struct timespec& ts) {
  int64_t ticks = (static_cast<int64_t>(ts.tv_sec) + kSecondsFrom1601To1970) * kTicksPerSecond +
                  ts.tv_nsec / 100;
  if (ticks < 0) ticks = 0;
  FILETIME ft;
  ft.dwLowDateTime = static_cast<DWORD>(ticks);
  ft.dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(ticks) >> 32);
  return ft;
}

struct timespec TimespecFromFileTime(const FILETIME& ft) {
  uint64_t ticks = (static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  struct timespec ts;
  ts.tv_sec = static_cast<time_t>(ticks / kTicksPerSecond) - kSecondsFrom1601To1970;
  ts.tv_nsec = static_cast<long>(ticks % kTicksPerSecond) * 100;
  return ts;
}

DWORD CopyOrNeededSize(const std::u16string& text, WCHAR* buffer, DWORD size) {
  if (text.size() + 1 > size || !buffer) return static_cast<DWORD>(text.size() + 1);
  std::memcpy(buffer, text.data(), text.size() * sizeof(WCHAR));
  buffer[text.size()] = 0;
  return static_cast<DWORD>(text.size());
}

}  // namespace talix
