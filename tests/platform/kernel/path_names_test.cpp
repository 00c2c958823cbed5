// Full, long and current path names, and the short-buffer protocol of every function
// that returns a path.
#include "file_test_folder.h"

#include <functional>

namespace talix {
namespace {

using PathNames = testing::TempFolderTest;

std::u16string FullPath(const char16_t* path, LPWSTR* filePart = nullptr) {
  WCHAR buffer[MAX_PATH];
  DWORD n = GetFullPathNameW(path, MAX_PATH, buffer, filePart);
  return n && n < MAX_PATH ? std::u16string(buffer, n) : u"<failed>";
}

TEST_F(PathNames, FullPathIsWorkedOutFromTheText) {
  ASSERT_TRUE(SetCurrentDirectoryW(Win().c_str()));
  std::u16string here = Win();
  const std::pair<const char16_t*, std::u16string> cases[] = {
      {u"a\\b\\..\\c.txt", here + u"\\a\\c.txt"},
      {u".\\x/y", here + u"\\x\\y"},
      {u"Z:\\p\\.\\q\\..\\r", u"Z:\\p\\r"},
      {u"z:/p//q/", u"Z:\\p\\q\\"},         // trailing separator kept
      {u"\\top", u"Z:\\top"},               // rooted on the current drive
      {u"C:\\Win\\..\\x", u"C:\\x"},        // any drive: no disk access
      {u"Z:\\..\\..", u"Z:\\"},
      {u"\\\\?\\Z:\\a\\b", u"Z:\\a\\b"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(FullPath(in), out) << ToUtf8(in);

  LPWSTR filePart = nullptr;
  WCHAR buffer[MAX_PATH];
  ASSERT_GT(GetFullPathNameW(u"Z:\\dir\\name.ext", MAX_PATH, buffer, &filePart), 0u);
  ASSERT_NE(filePart, nullptr);
  EXPECT_EQ(std::u16string(filePart), u"name.ext");
  ASSERT_GT(GetFullPathNameW(u"Z:\\dir\\", MAX_PATH, buffer, &filePart), 0u);
  EXPECT_EQ(filePart, nullptr);
  EXPECT_EQ(GetFullPathNameW(u"", MAX_PATH, buffer, nullptr), 0u);
}

TEST_F(PathNames, CurrentFolderFollowsSetCurrentDirectory) {
  MakeHostFolder("Sub");
  WriteHostFile("file.txt", "");
  ASSERT_TRUE(SetCurrentDirectoryW((Win() + u"\\sub").c_str()));  // case-insensitive
  WCHAR buffer[MAX_PATH];
  DWORD n = GetCurrentDirectoryW(MAX_PATH, buffer);
  EXPECT_EQ(std::u16string(buffer, n), Win("Sub"));
  EXPECT_EQ(buffer[n], 0);
  // Relative names now resolve against it.
  WriteHostFile("Sub/inner.txt", "abc");
  EXPECT_NE(GetFileAttributesW(u"INNER.TXT"), INVALID_FILE_ATTRIBUTES);
  ASSERT_TRUE(SetCurrentDirectoryW(u".."));
  n = GetCurrentDirectoryW(MAX_PATH, buffer);
  EXPECT_EQ(std::u16string(buffer, n), Win());

  EXPECT_FALSE(SetCurrentDirectoryW((Win() + u"\\file.txt").c_str()));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_DIRECTORY));
  EXPECT_FALSE(SetCurrentDirectoryW((Win() + u"\\missing").c_str()));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
}

TEST_F(PathNames, LongPathNameChecksExistenceAndGivesDiskCase) {
  MakeHostFolder("Folder");
  WriteHostFile("Folder/Report.TXT", "");
  WCHAR buffer[MAX_PATH];
  DWORD n = GetLongPathNameW((Win() + u"\\FOLDER\\report.txt").c_str(), buffer, MAX_PATH);
  EXPECT_EQ(std::u16string(buffer, n), Win("Folder/Report.TXT"));
  n = GetShortPathNameW((Win() + u"/folder/").c_str(), buffer, MAX_PATH);
  EXPECT_EQ(std::u16string(buffer, n), Win("Folder") + u"\\");

  const std::pair<const char*, DWORD> missing[] = {
      {"Folder/none.txt", ERROR_FILE_NOT_FOUND},   // folder exists
      {"Nowhere/none.txt", ERROR_PATH_NOT_FOUND},  // folder does not
  };
  for (const auto& [name, error] : missing) {
    SetLastError(0);
    EXPECT_EQ(GetLongPathNameW(Win(name).c_str(), buffer, MAX_PATH), 0u) << name;
    EXPECT_EQ(GetLastError(), error) << name;
  }
}

// Every function returning a path: too small a buffer gives the size needed (terminator
// included) and leaves the buffer alone; an exact fit gives the length, terminated.
TEST_F(PathNames, ShortBuffersReportTheSizeNeeded) {
  WriteHostFile("some-file.txt", "");
  std::u16string existing = Win("some-file.txt");
  ASSERT_TRUE(SetCurrentDirectoryW(Win().c_str()));
  host::SetWindowsFolder(Host().c_str());
  using Fill = std::function<DWORD(WCHAR*, DWORD)>;
  const std::pair<const char*, Fill> functions[] = {
      {"GetCurrentDirectoryW", [](WCHAR* b, DWORD n) { return GetCurrentDirectoryW(n, b); }},
      {"GetTempPathW", [](WCHAR* b, DWORD n) { return GetTempPathW(n, b); }},
      {"GetFullPathNameW",
       [](WCHAR* b, DWORD n) { return GetFullPathNameW(u"x\\y.z", n, b, nullptr); }},
      {"GetLongPathNameW",
       [&](WCHAR* b, DWORD n) { return GetLongPathNameW(existing.c_str(), b, n); }},
      {"GetShortPathNameW",
       [&](WCHAR* b, DWORD n) { return GetShortPathNameW(existing.c_str(), b, n); }},
      {"GetSystemWindowsDirectoryW",
       [](WCHAR* b, DWORD n) { return GetSystemWindowsDirectoryW(b, n); }},
      {"GetWindowsDirectoryW", [](WCHAR* b, DWORD n) { return GetWindowsDirectoryW(b, n); }},
      {"GetSystemDirectoryW", [](WCHAR* b, DWORD n) { return GetSystemDirectoryW(b, n); }},
  };
  for (const auto& [name, fill] : functions) {
    DWORD needed = fill(nullptr, 0);
    ASSERT_GT(needed, 1u) << name;
    std::u16string buffer(needed + 4, u'#');
    EXPECT_EQ(fill(buffer.data(), needed - 1), needed) << name;
    EXPECT_EQ(buffer, std::u16string(needed + 4, u'#')) << name << " wrote into a short buffer";
    EXPECT_EQ(fill(buffer.data(), needed), needed - 1) << name;
    EXPECT_EQ(buffer[needed - 1], 0) << name;
    EXPECT_EQ(buffer.find(u'\0'), needed - 1) << name;
  }
  host::SetWindowsFolder(nullptr);
}

}  // namespace
}  // namespace talix
