// Folder listings: FindFirstFileW / FindNextFileW / FindClose.
//
// The listing is taken when the search starts and handed out in Windows' order: "." and
// ".." first (except at a root), then names compared ignoring case. Names too long for
// cFileName are left out.
#include "platform/kernel/file/file_common.h"
#include "platform/kernel/kernel_object.h"
#include "platform/kernel/path.h"
#include "platform/kernel/utf.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace talix {
namespace {

struct FoundEntry {
  std::u16string name;
  std::u16string upcased;
  std::string hostPath;
};

class FindObject : public KernelObject {
 public:
  explicit FindObject(std::vector<FoundEntry> entries) : entries_(std::move(entries)) {}
  const FoundEntry* Next() { return next_ < entries_.size() ? &entries_[next_++] : nullptr; }

 private:
  std::vector<FoundEntry> entries_;
  size_t next_ = 0;
};

// '*' any run, '?' any one character, both ignoring case on upcased text.
bool MatchUpcased(std::u16string_view name, std::u16string_view pattern) {
  size_t n = 0, p = 0, starP = std::u16string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == u'*') {
      starP = p++;
      starN = n;
    } else if (starP != std::u16string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == u'*') ++p;
  return p == pattern.size();
}

// Windows' rules on top of plain matching: "*.*" is everything, and a trailing ".*"
// also matches a name without an extension ("readme.*" matches "readme").
bool MatchName(std::u16string_view upcasedName, std::u16string_view upcasedPattern) {
  if (upcasedPattern == u"*.*") return true;
  if (MatchUpcased(upcasedName, upcasedPattern)) return true;
  if (upcasedPattern.size() >= 2 &&
      upcasedPattern.substr(upcasedPattern.size() - 2) == u".*" &&
      upcasedName.find(u'.') == std::u16string_view::npos)
    return MatchUpcased(upcasedName, upcasedPattern.substr(0, upcasedPattern.size() - 2));
  return false;
}

std::u16string Upcased(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) c = UpcaseChar(c);
  return out;
}

bool EntryOrder(const FoundEntry& a, const FoundEntry& b) {
  auto rank = [](const FoundEntry& e) { return e.name == u"." ? 0 : e.name == u".." ? 1 : 2; };
  if (rank(a) != rank(b)) return rank(a) < rank(b);
  return a.upcased != b.upcased ? a.upcased < b.upcased : a.name < b.name;
}

// Entries of folder matching pattern; false when the folder cannot be read.
bool ListMatches(const std::string& folder, std::u16string_view pattern,
                 std::vector<FoundEntry>* entries) {
  std::unique_ptr<DIR, int (*)(DIR*)> dir(opendir(folder.c_str()), closedir);
  if (!dir) return false;
  std::u16string upcasedPattern = Upcased(pattern);
  bool isRoot = folder == "/";
  while (dirent* entry = readdir(dir.get())) {
    std::u16string name = FromUtf8(entry->d_name);
    if (name.size() >= MAX_PATH) continue;
    if (isRoot && (name == u"." || name == u"..")) continue;
    std::u16string upcased = Upcased(name);
    if (!MatchName(upcased, upcasedPattern)) continue;
    std::string hostPath = folder == "/" ? "/" + std::string(entry->d_name)
                                         : folder + "/" + entry->d_name;
    entries->push_back({std::move(name), std::move(upcased), std::move(hostPath)});
  }
  std::sort(entries->begin(), entries->end(), EntryOrder);
  return true;
}

void FillFindData(const FoundEntry& entry, WIN32_FIND_DATAW* data) {
  std::memset(data, 0, sizeof(*data));
  std::memcpy(data->cFileName, entry.name.data(), entry.name.size() * sizeof(WCHAR));
  struct stat st;
  if (stat(entry.hostPath.c_str(), &st) != 0 && lstat(entry.hostPath.c_str(), &st) != 0) {
    data->dwFileAttributes = FILE_ATTRIBUTE_NORMAL;
    return;
  }
  WIN32_FILE_ATTRIBUTE_DATA info = AttributeDataFromStat(st, entry.hostPath);
  data->dwFileAttributes = info.dwFileAttributes;
  data->ftCreationTime = info.ftCreationTime;
  data->ftLastAccessTime = info.ftLastAccessTime;
  data->ftLastWriteTime = info.ftLastWriteTime;
  data->nFileSizeHigh = info.nFileSizeHigh;
  data->nFileSizeLow = info.nFileSizeLow;
}

HANDLE Fail(DWORD error) {
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

}  // namespace
}  // namespace talix

using namespace talix;

HANDLE FindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData) {
  if (!lpFileName || !lpFindFileData) return Fail(ERROR_INVALID_PARAMETER);
  std::u16string_view text(lpFileName);
  size_t cut = text.find_last_of(u"\\/");
  // "C:name" has its pattern after the drive's colon.
  if (cut == std::u16string_view::npos && text.size() >= 2 && text[1] == u':') cut = 1;
  std::u16string_view pattern = cut == std::u16string_view::npos ? text : text.substr(cut + 1);
  if (pattern.empty()) return Fail(ERROR_FILE_NOT_FOUND);  // "folder\" names no entry
  std::u16string folderText(cut == std::u16string_view::npos ? u"." : text.substr(0, cut + 1));
  std::string folder = ResolveHostPath(folderText);
  if (folder.empty()) return Fail(ERROR_PATH_NOT_FOUND);
  struct stat st;
  if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return Fail(ERROR_PATH_NOT_FOUND);

  std::vector<FoundEntry> entries;
  if (!ListMatches(folder, pattern, &entries)) return Fail(WinErrorFromErrno(errno));
  if (entries.empty()) return Fail(ERROR_FILE_NOT_FOUND);
  auto find = std::make_shared<FindObject>(std::move(entries));
  FillFindData(*find->Next(), lpFindFileData);
  HANDLE handle = AddKernelObject(find);
  return handle ? handle : INVALID_HANDLE_VALUE;
}

BOOL FindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData) {
  std::shared_ptr<FindObject> find = GetKernelObject<FindObject>(hFindFile);
  if (!find || !lpFindFileData) {
    SetLastError(find ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return FALSE;
  }
  const FoundEntry* entry = find->Next();
  if (!entry) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  FillFindData(*entry, lpFindFileData);
  return TRUE;
}

BOOL FindClose(HANDLE hFindFile) {
  if (!GetKernelObject<FindObject>(hFindFile)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return CloseHandle(hFindFile);
}
