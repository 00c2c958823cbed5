// CreateFileW: dispositions, access and flags onto open(2).
#include "platform/kernel/file/file_common.h"
#include "platform/kernel/file/file_object.h"
#include "platform/kernel/path.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace talix {

FileObject::~FileObject() {
  if (deleteOnClose_) unlink(hostPath_.c_str());
  close(fd_);
}

namespace {

constexpr DWORD kReadRights = GENERIC_READ | GENERIC_ALL | FILE_READ_DATA;
constexpr DWORD kWriteRights = GENERIC_WRITE | GENERIC_ALL | FILE_WRITE_DATA | FILE_APPEND_DATA;

struct OpenRequest {
  std::string hostPath;
  bool read = false;
  bool write = false;
  int createFlags = 0;  // O_CREAT / O_EXCL / O_TRUNC
  bool reportExisting = false;  // CREATE_ALWAYS, OPEN_ALWAYS: ERROR_ALREADY_EXISTS on success
};

bool CreateFlagsFor(DWORD disposition, OpenRequest* request) {
  switch (disposition) {
    case CREATE_NEW: request->createFlags = O_CREAT | O_EXCL; return true;
    case CREATE_ALWAYS:
      request->createFlags = O_CREAT | O_TRUNC;
      request->reportExisting = true;
      return true;
    case OPEN_EXISTING: return true;
    case OPEN_ALWAYS:
      request->createFlags = O_CREAT;
      request->reportExisting = true;
      return true;
    case TRUNCATE_EXISTING: request->createFlags = O_TRUNC; return request->write;
    default: return false;
  }
}

HANDLE Fail(DWORD error) {
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

int AccessMode(const OpenRequest& request) {
  if (request.read && request.write) return O_RDWR;
  return request.write ? O_WRONLY : O_RDONLY;
}

}  // namespace

}  // namespace talix

using namespace talix;

HANDLE CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD /*dwShareMode*/,
                   LPSECURITY_ATTRIBUTES /*lpSecurityAttributes*/, DWORD dwCreationDisposition,
                   DWORD dwFlagsAndAttributes, HANDLE /*hTemplateFile*/) {
  OpenRequest request;
  request.hostPath = ResolveHostPath(lpFileName);
  if (request.hostPath.empty()) return Fail(lpFileName ? ERROR_PATH_NOT_FOUND : ERROR_INVALID_PARAMETER);
  request.read = dwDesiredAccess & kReadRights;
  request.write = dwDesiredAccess & kWriteRights;
  if (!CreateFlagsFor(dwCreationDisposition, &request)) return Fail(ERROR_INVALID_PARAMETER);

  struct stat st;
  bool existed = stat(request.hostPath.c_str(), &st) == 0;
  if (existed && S_ISDIR(st.st_mode)) {
    // Folders open only for backup semantics, and never for writing or creating.
    if (!(dwFlagsAndAttributes & FILE_FLAG_BACKUP_SEMANTICS) || request.write ||
        (request.createFlags & O_TRUNC))
      return Fail(ERROR_ACCESS_DENIED);
    if (request.createFlags & O_EXCL) return Fail(ERROR_FILE_EXISTS);
  }
  if (existed && (request.createFlags & O_EXCL)) return Fail(ERROR_FILE_EXISTS);
  if (existed && request.write && IsReadOnlyMode(st.st_mode)) return Fail(ERROR_ACCESS_DENIED);

  mode_t mode = (dwFlagsAndAttributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
  int fd = open(request.hostPath.c_str(), AccessMode(request) | request.createFlags | O_CLOEXEC, mode);
  if (fd < 0) {
    int error = errno;
    if (error == EEXIST) return Fail(ERROR_FILE_EXISTS);
    SetLastErrorForPath(error, request.hostPath);
    return INVALID_HANDLE_VALUE;
  }
  bool deleteOnClose = dwFlagsAndAttributes & FILE_FLAG_DELETE_ON_CLOSE;
  HANDLE handle = AddKernelObject(std::make_shared<FileObject>(
      fd, request.hostPath, request.read, request.write, deleteOnClose));
  if (!handle) return INVALID_HANDLE_VALUE;  // the object closed the descriptor
  SetLastError(existed && request.reportExisting ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return handle;
}
