#include "platform/kernel/module/module_search.h"

#include "platform/kernel/path.h"
#include "platform/kernel/utf.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#ifndef TALIX_DEFAULT_WINDOWS_DIR
#define TALIX_DEFAULT_WINDOWS_DIR "/windows"
#endif

namespace talix {
namespace {

bool Exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

bool IsRegularFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::string CurrentFolder() {
  std::vector<char> buffer(4096);
  return getcwd(buffer.data(), buffer.size()) ? std::string(buffer.data()) : std::string(".");
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash ? slash : 1);
}

// The entry of `folder` equal to `name` ignoring ASCII case, or "".
std::string MatchInFolder(const std::string& folder, const std::string& name) {
  DIR* dir = opendir(folder.empty() ? "/" : folder.c_str());
  if (!dir) return {};
  std::string found;
  while (dirent* entry = readdir(dir)) {
    if (strcasecmp(entry->d_name, name.c_str()) == 0) {
      found = entry->d_name;
      break;
    }
  }
  closedir(dir);
  return found;
}

}  // namespace

std::string WithDefaultExtension(std::string path) {
  std::string_view name = FileNameOf(path);
  if (!name.empty() && name.back() == '.') path.pop_back();
  else if (name.find('.') == std::string_view::npos) path += ".dll";
  return path;
}

std::string_view FileNameOf(std::string_view hostPath) {
  size_t slash = hostPath.rfind('/');
  return slash == std::string_view::npos ? hostPath : hostPath.substr(slash + 1);
}

std::string ExecutablePath() {
  std::vector<char> buffer(4096);
  ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  return length > 0 ? std::string(buffer.data(), static_cast<size_t>(length)) : std::string();
}

std::string WindowsFolder() {
  const char* configured = std::getenv("TALIX_WINDIR");
  if (configured && *configured) {
    std::string host = WinPathToHost(FromUtf8(configured));
    if (!host.empty()) return host;
  }
  return TALIX_DEFAULT_WINDOWS_DIR;
}

std::string ResolveIgnoringCase(const std::string& path) {
  if (path.empty() || Exists(path)) return path;
  std::string resolved = path[0] == '/' ? "" : ".";
  size_t start = path[0] == '/' ? 1 : 0;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    std::string component = path.substr(start, end - start);
    start = end + 1;
    if (component.empty()) continue;
    std::string candidate = resolved + "/" + component;
    if (!Exists(candidate)) {
      std::string match = component == "." || component == ".." ? "" : MatchInFolder(resolved, component);
      if (match.empty()) return {};
      candidate = resolved + "/" + match;
    }
    resolved = candidate;
  }
  return path[0] == '/' ? resolved : resolved.substr(2);
}

std::string FindModuleFile(std::u16string_view name, bool defaultExtension) {
  std::string host = WinPathToHost(name);
  if (host.empty()) return {};
  if (defaultExtension) host = WithDefaultExtension(std::move(host));
  if (host.find('/') != std::string::npos) {
    if (host[0] != '/') host = CurrentFolder() + "/" + host;
    host = std::filesystem::path(host).lexically_normal().string();  // "a/../b" as Windows does
    std::string found = ResolveIgnoringCase(host);
    return IsRegularFile(found) ? found : std::string();
  }
  std::string windows = WindowsFolder();
  for (const std::string& folder : {FolderOf(ExecutablePath()), windows + "/System32", windows,
                                    CurrentFolder()}) {
    std::string found = ResolveIgnoringCase(folder + "/" + host);
    if (!found.empty() && IsRegularFile(found)) return found;
  }
  return {};
}

}  // namespace talix
