// Folder listings with wildcards.
#include "file_test_folder.h"

#include <cstddef>
#include <vector>

namespace talix {
namespace {

using FileFind = testing::TempFolderTest;

// The names a search returns, in order; "!<error>" when FindFirstFileW fails.
std::vector<std::string> Find(const std::u16string& pattern) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return {"!" + std::to_string(GetLastError())};
  std::vector<std::string> names;
  do {
    names.push_back(ToUtf8(data.cFileName));
  } while (FindNextFileW(find, &data));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_MORE_FILES));
  EXPECT_TRUE(FindClose(find));
  return names;
}

using Names = std::vector<std::string>;

TEST(FindData, HasTheWindowsLayout) {
  EXPECT_EQ(offsetof(WIN32_FIND_DATAW, nFileSizeHigh), 28u);
  EXPECT_EQ(offsetof(WIN32_FIND_DATAW, cFileName), 44u);
  EXPECT_EQ(offsetof(WIN32_FIND_DATAW, cAlternateFileName), 44u + 2 * MAX_PATH);
  EXPECT_EQ(sizeof(WIN32_FIND_DATAW), 592u);
  EXPECT_EQ(sizeof(WIN32_FILE_ATTRIBUTE_DATA), 36u);
}

TEST_F(FileFind, WildcardsMatchIgnoringCase) {
  for (const char* name : {"a.txt", "B.TXT", "c.txt.bak", "noext", "ab", "abc.t"})
    WriteHostFile(name, "");
  MakeHostFolder("Sub");
  const std::pair<const char*, Names> cases[] = {
      {"*", {".", "..", "a.txt", "ab", "abc.t", "B.TXT", "c.txt.bak", "noext", "Sub"}},
      {"*.*", {".", "..", "a.txt", "ab", "abc.t", "B.TXT", "c.txt.bak", "noext", "Sub"}},
      {"*.txt", {"a.txt", "B.TXT"}},
      {"?.TXT", {"a.txt", "B.TXT"}},
      {"a?", {"ab"}},
      {"a*", {"a.txt", "ab", "abc.t"}},
      {"*.t*", {"a.txt", "abc.t", "B.TXT", "c.txt.bak"}},
      {"noext.*", {"noext"}},   // a trailing ".*" also matches no extension
      {"SUB", {"Sub"}},         // a plain name finds the entry itself
      {"*.none", {"!2"}},       // ERROR_FILE_NOT_FOUND
  };
  for (const auto& [pattern, names] : cases)
    EXPECT_EQ(Find(Win() + u"\\" + FromUtf8(pattern)), names) << pattern;
}

TEST_F(FileFind, EntriesCarryAttributesAndSizes) {
  WriteHostFile("five", "12345");
  MakeHostFolder("dir");
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((Win() + u"\\five").c_str(), &data);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  EXPECT_EQ(data.dwFileAttributes, DWORD(FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(data.nFileSizeLow, 5u);
  EXPECT_EQ(data.cAlternateFileName[0], 0);
  EXPECT_NE(data.ftLastWriteTime.dwHighDateTime, 0u);
  EXPECT_TRUE(FindClose(find));
  find = FindFirstFileW((Win() + u"/DIR").c_str(), &data);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  EXPECT_EQ(data.dwFileAttributes, DWORD(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_TRUE(FindClose(find));
}

TEST_F(FileFind, FailuresAndStaleHandles) {
  WriteHostFile("f", "");
  EXPECT_EQ(Find(Win("missing/*")), Names{"!3"});   // ERROR_PATH_NOT_FOUND
  EXPECT_EQ(Find(Win("f/*")), Names{"!3"});         // a file is no folder
  EXPECT_EQ(Find(Win() + u"\\"), Names{"!2"});      // a trailing separator names nothing
  ASSERT_TRUE(SetCurrentDirectoryW(Win().c_str()));
  EXPECT_EQ(Find(u"F"), Names{"f"});                // relative to the current folder

  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((Win() + u"\\*").c_str(), &data);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(FindClose(find));
  EXPECT_FALSE(FindNextFileW(find, &data));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(FindClose(find));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
  // A file handle is not a find handle.
  HANDLE file = CreateFileW(Win("f").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(FindClose(file));
  EXPECT_TRUE(CloseHandle(file));
}

TEST(FindRoot, HasNoDotEntries) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(u"Z:\\*", &data);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  do {
    std::u16string name = data.cFileName;
    EXPECT_TRUE(name != u"." && name != u"..");
  } while (FindNextFileW(find, &data));
  EXPECT_TRUE(FindClose(find));
}

}  // namespace
}  // namespace talix
