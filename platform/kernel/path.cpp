#include "platform/kernel/path.h"

#include "platform/kernel/utf.h"

#include <array>
#include <mutex>

namespace talix {
namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

bool IsDriveLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

struct DriveMap {
  std::mutex mutex;
  std::array<std::string, 26> folders;  // host folder without trailing '/', "" = unmapped
};

DriveMap& Drives() {
  static DriveMap map;
  return map;
}

// The host folder for a drive letter: "/" for Z:, "" when unmapped.
std::string DriveFolder(char16_t letter) {
  int index = UpcaseChar(letter) - u'A';
  if (index == 'Z' - 'A') return "/";
  std::lock_guard<std::mutex> lock(Drives().mutex);
  return Drives().folders[index];
}

// The mapped drive whose folder holds hostPath (longest folder wins), or 'Z'.
char16_t DriveHolding(std::string_view hostPath, size_t* folderLength) {
  std::lock_guard<std::mutex> lock(Drives().mutex);
  char16_t best = u'Z';
  *folderLength = 0;
  for (int i = 0; i < 25; ++i) {
    const std::string& folder = Drives().folders[i];
    if (folder.empty() || folder.size() <= *folderLength) continue;
    if (hostPath.substr(0, folder.size()) != folder) continue;
    if (hostPath.size() > folder.size() && hostPath[folder.size()] != '/') continue;
    best = static_cast<char16_t>(u'A' + i);
    *folderLength = folder.size();
  }
  return best;
}

}  // namespace

void SetDriveMapping(char16_t letter, const std::string& hostFolder) {
  if (!IsDriveLetter(letter) || UpcaseChar(letter) == u'Z') return;
  std::string folder = hostFolder;
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (folder == "/") folder.clear();  // the root is Z:'s
  std::lock_guard<std::mutex> lock(Drives().mutex);
  Drives().folders[UpcaseChar(letter) - u'A'] = folder;
}

std::string WinPathToHost(std::u16string_view path) {
  if (path.empty()) return {};
  std::u16string_view rest = path;
  // "\\?\" long-path prefix: the rest is an ordinary path.
  if (rest.size() >= 4 && rest.substr(0, 4) == u"\\\\?\\") {
    rest.remove_prefix(4);
    if (rest.size() >= 4 && NamesEqualIgnoreCase(rest.substr(0, 4), u"UNC\\")) return {};
  }
  if (rest.size() >= 2 && rest[0] == u'\\' && rest[1] == u'\\') return {};  // UNC
  std::u16string converted;
  if (rest.size() >= 2 && rest[1] == u':') {
    if (!IsDriveLetter(rest[0])) return {};
    std::string folder = DriveFolder(rest[0]);
    if (folder.empty()) return {};
    rest.remove_prefix(2);
    while (!rest.empty() && IsSeparator(rest.front())) rest.remove_prefix(1);
    converted = FromUtf8(folder);
    if (converted.back() != u'/' && !rest.empty()) converted += u'/';
  }
  for (char16_t c : rest) converted += IsSeparator(c) ? u'/' : c;
  return ToUtf8(converted);
}

std::string WinPathToHost(const WCHAR* path) {
  return path ? WinPathToHost(std::u16string_view(path)) : std::string();
}

std::u16string HostPathToWin(std::string_view hostPath) {
  std::u16string out;
  if (!hostPath.empty() && hostPath[0] == '/') {
    size_t folderLength = 0;
    char16_t drive = DriveHolding(hostPath, &folderLength);
    out = {drive, u':'};
    hostPath.remove_prefix(folderLength);
    if (hostPath.empty()) hostPath = "/";
  }
  for (char16_t c : FromUtf8(hostPath)) out += c == u'/' ? u'\\' : c;
  return out;
}

}  // namespace talix
