// Reading, writing, seeking and sizing open files.
#include "platform/kernel/file/file_common.h"
#include "platform/kernel/file/file_object.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace talix {
namespace {

std::shared_ptr<FileObject> FileFor(HANDLE handle) {
  std::shared_ptr<FileObject> file = GetKernelObject<FileObject>(handle);
  if (!file) SetLastError(ERROR_INVALID_HANDLE);
  return file;
}

BOOL FailWithErrno() {
  SetLastError(WinErrorFromErrno(errno));
  return FALSE;
}

int64_t OverlappedOffset(const OVERLAPPED* overlapped) {
  return static_cast<int64_t>((static_cast<uint64_t>(overlapped->OffsetHigh) << 32) |
                              overlapped->Offset);
}

// The absolute position distance from the origin method names; false with the last
// error set when the method is unknown or the position would be negative.
bool TargetPosition(const FileObject& file, int64_t distance, DWORD method, int64_t* target) {
  int64_t base = 0;
  if (method == FILE_CURRENT) {
    base = lseek(file.Fd(), 0, SEEK_CUR);
  } else if (method == FILE_END) {
    struct stat st;
    base = fstat(file.Fd(), &st) == 0 ? st.st_size : -1;
  } else if (method != FILE_BEGIN) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  if (base < 0) {
    SetLastError(WinErrorFromErrno(errno));
    return false;
  }
  if (distance < 0 && base + distance < 0) {
    SetLastError(ERROR_NEGATIVE_SEEK);
    return false;
  }
  *target = base + distance;
  return true;
}

bool MoveTo(const FileObject& file, int64_t target) {
  if (lseek(file.Fd(), target, SEEK_SET) < 0) {
    SetLastError(WinErrorFromErrno(errno));
    return false;
  }
  return true;
}

}  // namespace
}  // namespace talix

using namespace talix;

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead,
              LPDWORD lpNumberOfBytesRead, LPOVERLAPPED lpOverlapped) {
  if (lpNumberOfBytesRead) *lpNumberOfBytesRead = 0;
  std::shared_ptr<FileObject> file = FileFor(hFile);
  if (!file) return FALSE;
  if (!file->CanRead()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (!lpBuffer && nNumberOfBytesToRead) {
    SetLastError(ERROR_NOACCESS);
    return FALSE;
  }
  auto* out = static_cast<char*>(lpBuffer);
  DWORD done = 0;
  while (done < nNumberOfBytesToRead) {
    ssize_t n = lpOverlapped
                    ? pread(file->Fd(), out + done, nNumberOfBytesToRead - done,
                            OverlappedOffset(lpOverlapped) + done)
                    : read(file->Fd(), out + done, nNumberOfBytesToRead - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return FailWithErrno();
    if (n == 0) break;  // end of file: success with fewer bytes
    done += static_cast<DWORD>(n);
  }
  if (lpNumberOfBytesRead) *lpNumberOfBytesRead = done;
  if (lpOverlapped) lpOverlapped->InternalHigh = done;
  return TRUE;
}

BOOL WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
               LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED lpOverlapped) {
  if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = 0;
  std::shared_ptr<FileObject> file = FileFor(hFile);
  if (!file) return FALSE;
  if (!file->CanWrite()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (!lpBuffer && nNumberOfBytesToWrite) {
    SetLastError(ERROR_NOACCESS);
    return FALSE;
  }
  auto* in = static_cast<const char*>(lpBuffer);
  DWORD done = 0;
  while (done < nNumberOfBytesToWrite) {
    ssize_t n = lpOverlapped
                    ? pwrite(file->Fd(), in + done, nNumberOfBytesToWrite - done,
                             OverlappedOffset(lpOverlapped) + done)
                    : write(file->Fd(), in + done, nNumberOfBytesToWrite - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = done;
      return FailWithErrno();
    }
    done += static_cast<DWORD>(n);
  }
  if (lpNumberOfBytesWritten) *lpNumberOfBytesWritten = done;
  if (lpOverlapped) lpOverlapped->InternalHigh = done;
  return TRUE;
}

DWORD SetFilePointer(HANDLE hFile, LONG lDistanceToMove, PLONG lpDistanceToMoveHigh,
                     DWORD dwMoveMethod) {
  std::shared_ptr<FileObject> file = FileFor(hFile);
  if (!file) return INVALID_SET_FILE_POINTER;
  int64_t distance = lDistanceToMove;
  if (lpDistanceToMoveHigh)
    distance = static_cast<int64_t>((static_cast<uint64_t>(*lpDistanceToMoveHigh) << 32) |
                                    static_cast<DWORD>(lDistanceToMove));
  int64_t position = 0;
  if (!TargetPosition(*file, distance, dwMoveMethod, &position)) return INVALID_SET_FILE_POINTER;
  // Without a high part the new position must fit the 32-bit result.
  if (!lpDistanceToMoveHigh && position >= static_cast<int64_t>(INVALID_SET_FILE_POINTER)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_SET_FILE_POINTER;
  }
  if (!MoveTo(*file, position)) return INVALID_SET_FILE_POINTER;
  if (lpDistanceToMoveHigh) *lpDistanceToMoveHigh = static_cast<LONG>(position >> 32);
  // A low part that looks like the failure value is told apart by the last error.
  SetLastError(NO_ERROR);
  return static_cast<DWORD>(position);
}

BOOL SetFilePointerEx(HANDLE hFile, LARGE_INTEGER liDistanceToMove,
                      PLARGE_INTEGER lpNewFilePointer, DWORD dwMoveMethod) {
  std::shared_ptr<FileObject> file = FileFor(hFile);
  if (!file) return FALSE;
  int64_t position = 0;
  if (!TargetPosition(*file, liDistanceToMove.QuadPart, dwMoveMethod, &position) ||
      !MoveTo(*file, position))
    return FALSE;
  if (lpNewFilePointer) lpNewFilePointer->QuadPart = position;
  return TRUE;
}

BOOL SetEndOfFile(HANDLE hFile) {
  std::shared_ptr<FileObject> file = FileFor(hFile);
  if (!file) return FALSE;
  if (!file->CanWrite()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  off_t position = lseek(file->Fd(), 0, SEEK_CUR);
  if (position < 0 || ftruncate(file->Fd(), position) != 0) return FailWithErrno();
  return TRUE;
}

BOOL FlushFileBuffers(HANDLE hFile) {
  std::shared_ptr<FileObject> file = FileFor(hFile);
  if (!file) return FALSE;
  if (!file->CanWrite()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  if (fsync(file->Fd()) != 0 && errno != EINVAL) return FailWithErrno();
  return TRUE;
}

BOOL GetFileSizeEx(HANDLE hFile, PLARGE_INTEGER lpFileSize) {
  std::shared_ptr<FileObject> file = FileFor(hFile);
  if (!file) return FALSE;
  struct stat st;
  if (fstat(file->Fd(), &st) != 0) return FailWithErrno();
  if (!lpFileSize) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  lpFileSize->QuadPart = S_ISDIR(st.st_mode) ? 0 : st.st_size;
  return TRUE;
}

DWORD GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh) {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(hFile, &size)) return INVALID_FILE_SIZE;
  if (lpFileSizeHigh) *lpFileSizeHigh = static_cast<DWORD>(size.QuadPart >> 32);
  // A size whose low part is INVALID_FILE_SIZE is told apart by NO_ERROR.
  SetLastError(NO_ERROR);
  return static_cast<DWORD>(size.QuadPart);
}

BOOL GetFileTime(HANDLE hFile, LPFILETIME lpCreationTime, LPFILETIME lpLastAccessTime,
                 LPFILETIME lpLastWriteTime) {
  std::shared_ptr<FileObject> file = FileFor(hFile);
  if (!file) return FALSE;
  struct stat st;
  if (fstat(file->Fd(), &st) != 0) return FailWithErrno();
  if (lpCreationTime) *lpCreationTime = FileTimeFromTimespec(st.st_ctim);
  if (lpLastAccessTime) *lpLastAccessTime = FileTimeFromTimespec(st.st_atim);
  if (lpLastWriteTime) *lpLastWriteTime = FileTimeFromTimespec(st.st_mtim);
  return TRUE;
}

BOOL SetFileTime(HANDLE hFile, const FILETIME* /*lpCreationTime*/, const FILETIME* lpLastAccessTime,
                 const FILETIME* lpLastWriteTime) {
  std::shared_ptr<FileObject> file = FileFor(hFile);
  if (!file) return FALSE;
  // Creation time has no host counterpart and is left as it is.
  struct timespec times[2];
  times[0].tv_nsec = times[1].tv_nsec = UTIME_OMIT;
  times[0].tv_sec = times[1].tv_sec = 0;
  if (lpLastAccessTime) times[0] = TimespecFromFileTime(*lpLastAccessTime);
  if (lpLastWriteTime) times[1] = TimespecFromFileTime(*lpLastWriteTime);
  if (futimens(file->Fd(), times) != 0) return FailWithErrno();
  return TRUE;
}

DWORD GetFileType(HANDLE hFile) {
  std::shared_ptr<FileObject> file = FileFor(hFile);
  if (!file) return FILE_TYPE_UNKNOWN;
  struct stat st;
  if (fstat(file->Fd(), &st) != 0) {
    SetLastError(WinErrorFromErrno(errno));
    return FILE_TYPE_UNKNOWN;
  }
  SetLastError(NO_ERROR);
  if (S_ISCHR(st.st_mode)) return FILE_TYPE_CHAR;
  if (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode)) return FILE_TYPE_PIPE;
  return FILE_TYPE_DISK;
}
