// The Windows folder, System32, the temporary folder and the drive mappings of the host API.
#include <talix/host_paths.h>

#include "platform/kernel/file/file_common.h"
#include "platform/kernel/path.h"
#include "platform/kernel/utf.h"

#include <sys/statvfs.h>

#include <cstdlib>
#include <mutex>

#ifndef TALIX_DEFAULT_WINDOWS_DIR
#define TALIX_DEFAULT_WINDOWS_DIR "/windows"
#endif

namespace talix {
namespace {

struct WindowsFolderSetting {
  std::mutex mutex;
  std::string folder;  // empty: the default
};

WindowsFolderSetting& Setting() {
  static WindowsFolderSetting setting;
  return setting;
}

// The Windows form of a host folder, without a trailing separator unless it is a root.
std::u16string WinFolder(const std::string& hostFolder) {
  std::u16string folder = HostPathToWin(AbsoluteHostPath(FromUtf8(hostFolder)));
  if (folder.size() > 3 && folder.back() == u'\\') folder.pop_back();
  return folder;
}

UINT CopyFolder(const std::u16string& folder, LPWSTR buffer, UINT size) {
  return CopyOrNeededSize(folder, buffer, size);
}

}  // namespace

namespace host {

void SetWindowsFolder(const char* hostFolder) {
  std::lock_guard<std::mutex> lock(Setting().mutex);
  Setting().folder = hostFolder ? hostFolder : "";
}

std::string WindowsFolder() {
  {
    std::lock_guard<std::mutex> lock(Setting().mutex);
    if (!Setting().folder.empty()) return Setting().folder;
  }
  const char* fromEnvironment = std::getenv("TALIX_WINDIR");
  if (fromEnvironment && *fromEnvironment) return fromEnvironment;
  return TALIX_DEFAULT_WINDOWS_DIR;
}

void MapDrive(WCHAR letter, const char* hostFolder) {
  SetDriveMapping(letter, hostFolder ? AbsoluteHostPath(FromUtf8(hostFolder)) : std::string());
}

}  // namespace host
}  // namespace talix

using namespace talix;

UINT GetSystemWindowsDirectoryW(LPWSTR lpBuffer, UINT uSize) {
  return CopyFolder(WinFolder(host::WindowsFolder()), lpBuffer, uSize);
}

UINT GetWindowsDirectoryW(LPWSTR lpBuffer, UINT uSize) {
  return GetSystemWindowsDirectoryW(lpBuffer, uSize);
}

UINT GetSystemDirectoryW(LPWSTR lpBuffer, UINT uSize) {
  std::u16string folder = WinFolder(host::WindowsFolder());
  if (folder.back() != u'\\') folder += u'\\';
  return CopyFolder(folder + u"System32", lpBuffer, uSize);
}

DWORD GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer) {
  const char* fromEnvironment = std::getenv("TMPDIR");
  std::u16string folder = WinFolder(fromEnvironment && *fromEnvironment ? fromEnvironment : "/tmp");
  if (folder.back() != u'\\') folder += u'\\';
  return CopyOrNeededSize(folder, lpBuffer, nBufferLength);
}

BOOL GetDiskFreeSpaceExW(LPCWSTR lpDirectoryName, PULARGE_INTEGER lpFreeBytesAvailableToCaller,
                         PULARGE_INTEGER lpTotalNumberOfBytes,
                         PULARGE_INTEGER lpTotalNumberOfFreeBytes) {
  std::string path = ResolveHostPath(lpDirectoryName ? lpDirectoryName : u".");
  struct statvfs vfs;
  if (path.empty() || statvfs(path.c_str(), &vfs) != 0) {
    SetLastErrorForPath(path.empty() ? ENOTDIR : errno, path);
    return FALSE;
  }
  uint64_t unit = vfs.f_frsize ? vfs.f_frsize : vfs.f_bsize;
  if (lpFreeBytesAvailableToCaller) lpFreeBytesAvailableToCaller->QuadPart = unit * vfs.f_bavail;
  if (lpTotalNumberOfBytes) lpTotalNumberOfBytes->QuadPart = unit * vfs.f_blocks;
  if (lpTotalNumberOfFreeBytes) lpTotalNumberOfFreeBytes->QuadPart = unit * vfs.f_bfree;
  return TRUE;
}
