// The current folder and the path-name functions: full, long and short names.
#include "platform/kernel/file/file_common.h"
#include "platform/kernel/path.h"
#include "platform/kernel/utf.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace talix {
namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

std::u16string CurrentWinFolder() { return HostPathToWin(AbsoluteHostPath(u".")); }

// Windows-form full path, worked out from the text alone as GetFullPathNameW does:
// relative to the current folder, "." and ".." removed, '\' separators, a trailing
// separator kept.
std::u16string FullWinPath(std::u16string_view path) {
  if (path.size() >= 4 && path.substr(0, 4) == u"\\\\?\\") path.remove_prefix(4);
  std::u16string current = CurrentWinFolder();
  std::u16string root;
  std::u16string_view rest = path;
  if (rest.size() >= 2 && rest[1] == u':') {
    root = {UpcaseChar(rest[0]), u':', u'\\'};
    rest.remove_prefix(2);
    // "X:name" is relative to the current folder when that is on drive X.
    if (!rest.empty() && !IsSeparator(rest[0]) && UpcaseChar(current[0]) == root[0]) {
      root = current;
    }
  } else if (!rest.empty() && IsSeparator(rest[0])) {
    root = current.substr(0, 3);
  } else {
    root = current;
  }
  std::vector<std::u16string_view> parts;
  auto addParts = [&parts](std::u16string_view text) {
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
      if (i < text.size() && !IsSeparator(text[i])) continue;
      std::u16string_view part = text.substr(start, i - start);
      start = i + 1;
      if (part.empty() || part == u".") continue;
      if (part == u"..") {
        if (!parts.empty()) parts.pop_back();
      } else {
        parts.push_back(part);
      }
    }
  };
  std::u16string base = root;  // keeps the views into it valid
  addParts(std::u16string_view(base).substr(3));
  addParts(rest);
  std::u16string out = base.substr(0, 3);
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i) out += u'\\';
    out += parts[i];
  }
  if (!path.empty() && IsSeparator(path.back()) && out.back() != u'\\') out += u'\\';
  return out;
}

// The Windows form of an existing path with the case found on disk; false with the last
// error set when it does not exist.
bool ExistingWinPath(LPCWSTR path, std::u16string* out) {
  if (!path) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  std::string host = ResolveHostPath(path);
  struct stat st;
  if (host.empty() || stat(host.c_str(), &st) != 0) {
    SetLastErrorForPath(host.empty() ? ENOTDIR : errno, host);
    return false;
  }
  std::u16string_view text(path);
  *out = HostPathToWin(host);
  if (text.size() >= 4 && text.substr(0, 4) == u"\\\\?\\") *out = u"\\\\?\\" + *out;
  if (!text.empty() && IsSeparator(text.back()) && out->back() != u'\\') *out += u'\\';
  return true;
}

}  // namespace
}  // namespace talix

using namespace talix;

DWORD GetCurrentDirectoryW(DWORD nBufferLength, LPWSTR lpBuffer) {
  return CopyOrNeededSize(CurrentWinFolder(), lpBuffer, nBufferLength);
}

BOOL SetCurrentDirectoryW(LPCWSTR lpPathName) {
  std::string host = ResolveHostPath(lpPathName);
  struct stat st;
  if (host.empty() || stat(host.c_str(), &st) != 0) {
    SetLastErrorForPath(host.empty() ? ENOTDIR : errno, host);
    return FALSE;
  }
  if (!S_ISDIR(st.st_mode)) {
    SetLastError(ERROR_DIRECTORY);
    return FALSE;
  }
  if (chdir(host.c_str()) != 0) {
    SetLastError(WinErrorFromErrno(errno));
    return FALSE;
  }
  return TRUE;
}

DWORD GetFullPathNameW(LPCWSTR lpFileName, DWORD nBufferLength, LPWSTR lpBuffer,
                       LPWSTR* lpFilePart) {
  if (lpFilePart) *lpFilePart = nullptr;
  if (!lpFileName || !*lpFileName) {
    SetLastError(ERROR_INVALID_NAME);
    return 0;
  }
  std::u16string full = FullWinPath(lpFileName);
  DWORD result = CopyOrNeededSize(full, lpBuffer, nBufferLength);
  if (result < nBufferLength && lpFilePart && full.back() != u'\\') {
    *lpFilePart = lpBuffer + full.find_last_of(u'\\') + 1;
  }
  return result;
}

DWORD GetLongPathNameW(LPCWSTR lpszShortPath, LPWSTR lpszLongPath, DWORD cchBuffer) {
  std::u16string path;
  if (!ExistingWinPath(lpszShortPath, &path)) return 0;
  return CopyOrNeededSize(path, lpszLongPath, cchBuffer);
}

DWORD GetShortPathNameW(LPCWSTR lpszLongPath, LPWSTR lpszShortPath, DWORD cchBuffer) {
  // No 8.3 names here: the short name is the long one.
  return GetLongPathNameW(lpszLongPath, lpszShortPath, cchBuffer);
}
