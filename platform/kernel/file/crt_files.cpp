// The C runtime's wide file functions: paths resolved as the Windows functions do,
// results and errors the C runtime way (errno).
#include "platform/kernel/file/file_common.h"
#include "platform/kernel/path.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace talix {
namespace {

// "r", "w+", "ab", "rt", "r, ccs=UTF-8" ... -> the host's mode, or "" when invalid.
// Text/binary and the Windows-only flags have no host meaning and are dropped.
std::string HostOpenMode(const WCHAR* mode) {
  if (!mode) return {};
  std::u16string_view text(mode);
  text = text.substr(0, text.find(u','));
  if (text.empty() || (text[0] != u'r' && text[0] != u'w' && text[0] != u'a')) return {};
  std::string out(1, static_cast<char>(text[0]));
  for (char16_t c : text.substr(1)) {
    if (c == u'+' && out.find('+') == std::string::npos) out += '+';
    else if (c == u'x') out += 'x';
    else if (c == u' ' || c == u'b' || c == u't' || c == u'c' || c == u'n' || c == u'N' ||
             c == u'S' || c == u'R' || c == u'T' || c == u'D')
      continue;
    else
      return {};
  }
  out += 'e';  // close on exec
  return out;
}

int Refuse(int error) {
  errno = error;
  return -1;
}

}  // namespace
}  // namespace talix

using namespace talix;

FILE* _wfopen(const WCHAR* filename, const WCHAR* mode) {
  std::string hostMode = HostOpenMode(mode);
  std::string path = ResolveHostPath(filename);
  if (hostMode.empty() || !filename) {
    errno = EINVAL;
    return nullptr;
  }
  if (path.empty()) {
    errno = ENOENT;
    return nullptr;
  }
  return fopen(path.c_str(), hostMode.c_str());
}

errno_t _wfopen_s(FILE** file, const WCHAR* filename, const WCHAR* mode) {
  if (!file) return EINVAL;
  *file = _wfopen(filename, mode);
  return *file ? 0 : errno;
}

int _waccess(const WCHAR* path, int mode) {
  if (!path || (mode & ~6)) return Refuse(EINVAL);
  std::string host = ResolveHostPath(path);
  struct stat st;
  if (host.empty() || stat(host.c_str(), &st) != 0) return Refuse(ENOENT);
  // Writability is the read-only attribute, as on Windows; everything is readable.
  if ((mode & 2) && !S_ISDIR(st.st_mode) && IsReadOnlyMode(st.st_mode)) return Refuse(EACCES);
  return 0;
}

int _wremove(const WCHAR* path) {
  if (DeleteFileW(path)) return 0;
  return Refuse(GetLastError() == ERROR_ACCESS_DENIED ? EACCES : ENOENT);
}

int _wrename(const WCHAR* oldName, const WCHAR* newName) {
  if (MoveFileExW(oldName, newName, MOVEFILE_COPY_ALLOWED)) return 0;
  DWORD error = GetLastError();
  return Refuse(error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ENOENT : EACCES);
}

int _wmkdir(const WCHAR* path) {
  if (CreateDirectoryW(path, nullptr)) return 0;
  return Refuse(GetLastError() == ERROR_ALREADY_EXISTS ? EEXIST : ENOENT);
}

int _wrmdir(const WCHAR* path) {
  if (RemoveDirectoryW(path)) return 0;
  DWORD error = GetLastError();
  return Refuse(error == ERROR_DIR_NOT_EMPTY ? ENOTEMPTY
                : error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ENOENT
                                                                                 : EACCES);
}
