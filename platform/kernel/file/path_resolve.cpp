// Absolute host paths and case-insensitive component matching (see path.h).
#include "platform/kernel/path.h"
#include "platform/kernel/wstr/char_tables.h"
#include "platform/kernel/utf.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <vector>

namespace talix {
namespace {

std::string CurrentHostFolder() {
  std::vector<char> buffer(4096);
  while (!getcwd(buffer.data(), buffer.size())) {
    if (errno != ERANGE || buffer.size() > (1u << 20)) return "/";
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

// Splits at '/', dropping empty parts, "." and resolving "..".
std::string NormaliseAbsolute(const std::string& path) {
  std::vector<std::string_view> parts;
  std::string_view rest = path;
  while (!rest.empty()) {
    size_t slash = rest.find('/');
    std::string_view part = rest.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(part);
  }
  std::string out;
  for (std::string_view part : parts) (out += '/') += part;
  return out.empty() ? "/" : out;
}

bool Exists(const std::string& hostPath) {
  struct stat st;
  return lstat(hostPath.c_str(), &st) == 0;
}

// The entry of folder whose name equals name ignoring case; the smallest byte-wise when
// several do, so the choice does not depend on directory order. Empty when none.
std::string FindEntryIgnoringCase(const std::string& folder, std::string_view name) {
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
  if (!dir) return {};
  std::u16string wanted = FromUtf8(name);
  std::string best;
  while (dirent* entry = readdir(dir.get())) {
    std::string_view candidate = entry->d_name;
    if (candidate == "." || candidate == "..") continue;
    if (!NamesEqualIgnoreCase(FromUtf8(candidate), wanted)) continue;
    if (best.empty() || candidate < best) best = candidate;
  }
  return best;
}

}  // namespace

// File names compare through the same simple upper-case mapping as the string functions.
char16_t UpcaseChar(char16_t c) { return ToUpperCase(c); }

bool NamesEqualIgnoreCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (UpcaseChar(a[i]) != UpcaseChar(b[i])) return false;
  return true;
}

std::string AbsoluteHostPath(std::u16string_view path) {
  std::string host = WinPathToHost(path);
  if (host.empty()) return {};
  if (host[0] != '/') host = CurrentHostFolder() + "/" + host;
  return NormaliseAbsolute(host);
}

std::string AbsoluteHostPath(const WCHAR* path) {
  return path ? AbsoluteHostPath(std::u16string_view(path)) : std::string();
}

std::string MatchHostPathCase(const std::string& absoluteHostPath) {
  if (absoluteHostPath.empty() || Exists(absoluteHostPath)) return absoluteHostPath;
  std::string resolved;
  bool missing = false;  // once a folder is missing, nothing below it can be found
  std::string_view rest = std::string_view(absoluteHostPath).substr(1);
  while (!rest.empty()) {
    size_t slash = rest.find('/');
    std::string_view part = rest.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    std::string folder = resolved.empty() ? "/" : resolved;
    resolved += '/';
    if (!missing && !Exists(resolved + std::string(part))) {
      std::string match = FindEntryIgnoringCase(folder, part);
      if (!match.empty()) {
        resolved += match;
        continue;
      }
      missing = true;
    }
    resolved += part;
  }
  return resolved.empty() ? "/" : resolved;
}

std::string ResolveHostPath(std::u16string_view path) {
  return MatchHostPathCase(AbsoluteHostPath(path));
}

std::string ResolveHostPath(const WCHAR* path) {
  return path ? ResolveHostPath(std::u16string_view(path)) : std::string();
}

}  // namespace talix
