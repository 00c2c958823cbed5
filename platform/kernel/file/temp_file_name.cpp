// GetTempFileNameW: "<folder>\<up to 3 prefix characters><hex number>.tmp".
#include "platform/kernel/file/file_common.h"
#include "platform/kernel/path.h"
#include "platform/kernel/utf.h"

#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace talix {
namespace {

std::u16string Hex(UINT value) {
  static const char16_t kDigits[] = u"0123456789ABCDEF";
  std::u16string out;
  do {
    out.insert(out.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value);
  return out;
}

// A starting number that differs between calls and processes; never 0.
UINT StartingNumber() {
  static unsigned counter = 0;
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  UINT seed = static_cast<UINT>(now.tv_nsec / 1000) ^ static_cast<UINT>(getpid() << 4) ^
              __atomic_add_fetch(&counter, 7919u, __ATOMIC_RELAXED);
  seed &= 0xFFFF;
  return seed ? seed : 1;
}

UINT Fail(DWORD error) {
  SetLastError(error);
  return 0;
}

}  // namespace
}  // namespace talix

using namespace talix;

UINT GetTempFileNameW(LPCWSTR lpPathName, LPCWSTR lpPrefixString, UINT uUnique,
                      LPWSTR lpTempFileName) {
  if (!lpPathName || !lpTempFileName) return Fail(ERROR_INVALID_PARAMETER);
  std::u16string folder(lpPathName);
  if (!folder.empty() && folder[0] == u'/') folder = HostPathToWin(ToUtf8(folder));
  if (!folder.empty() && folder.back() != u'\\' && folder.back() != u'/') folder += u'\\';
  if (lpPrefixString) folder += std::u16string_view(lpPrefixString).substr(0, 3);
  // The caller's buffer holds MAX_PATH characters.
  auto nameFor = [&folder](UINT number) { return folder + Hex(number & 0xFFFF) + u".tmp"; };
  if (nameFor(0xFFFF).size() >= MAX_PATH) return Fail(ERROR_BUFFER_OVERFLOW);

  auto finish = [&](const std::u16string& name) {
    std::memcpy(lpTempFileName, name.c_str(), (name.size() + 1) * sizeof(WCHAR));
  };
  if (uUnique) {
    finish(nameFor(uUnique));  // no check and no file, as documented
    return uUnique;
  }
  UINT number = StartingNumber();
  for (UINT tries = 0; tries < 0xFFFF; ++tries) {
    std::u16string name = nameFor(number);
    std::string host = ResolveHostPath(name);
    int fd = host.empty() ? -1 : open(host.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      close(fd);
      finish(name);
      return number;
    }
    if (host.empty() || errno == ENOENT || errno == ENOTDIR) return Fail(ERROR_DIRECTORY);
    if (errno != EEXIST) return Fail(WinErrorFromErrno(errno));
    number = number == 0xFFFF ? 1 : number + 1;
  }
  return Fail(ERROR_FILE_EXISTS);
}
