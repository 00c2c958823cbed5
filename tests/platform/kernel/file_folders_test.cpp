// The temporary folder, temporary file names and the Windows folder.
#include "file_test_folder.h"

#include <set>

namespace talix {
namespace {

class FileFolders : public testing::TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    const char* saved = std::getenv("TMPDIR");
    hadTmpdir_ = saved != nullptr;
    if (saved) savedTmpdir_ = saved;
  }
  void TearDown() override {
    if (hadTmpdir_) setenv("TMPDIR", savedTmpdir_.c_str(), 1);
    else unsetenv("TMPDIR");
    host::SetWindowsFolder(nullptr);
    TempFolderTest::TearDown();
  }

 private:
  bool hadTmpdir_ = false;
  std::string savedTmpdir_;
};

std::u16string TempPath() {
  WCHAR buffer[MAX_PATH];
  DWORD n = GetTempPathW(MAX_PATH, buffer);
  return n && n < MAX_PATH ? std::u16string(buffer, n) : u"<failed>";
}

TEST_F(FileFolders, TempPathComesFromTmpdirInWindowsForm) {
  setenv("TMPDIR", Host().c_str(), 1);
  EXPECT_EQ(TempPath(), Win() + u"\\");
  setenv("TMPDIR", (Host() + "/").c_str(), 1);
  EXPECT_EQ(TempPath(), Win() + u"\\");  // one trailing separator, not two
  unsetenv("TMPDIR");
  EXPECT_EQ(TempPath(), u"Z:\\tmp\\");
}

TEST_F(FileFolders, TempFileNamesAreUniqueAndCreated) {
  std::set<std::u16string> names;
  for (int i = 0; i < 20; ++i) {
    WCHAR name[MAX_PATH];
    UINT number = GetTempFileNameW(Win().c_str(), u"QUOTE", 0, name);
    ASSERT_NE(number, 0u);
    std::u16string text = name;
    EXPECT_EQ(text.substr(0, Win().size() + 4), Win() + u"\\QUO");  // three prefix characters
    EXPECT_EQ(text.substr(text.size() - 4), u".tmp");
    EXPECT_NE(GetFileAttributesW(name), INVALID_FILE_ATTRIBUTES);  // created, empty
    names.insert(text);
  }
  EXPECT_EQ(names.size(), 20u);
}

TEST_F(FileFolders, TempFileNameWithANumberOnlyFormatsIt) {
  WCHAR name[MAX_PATH];
  EXPECT_EQ(GetTempFileNameW((Win() + u"\\").c_str(), u"ab", 0x1abcd, name), 0x1abcdu);
  EXPECT_EQ(std::u16string(name), Win() + u"\\abABCD.tmp");  // low 16 bits, hexadecimal
  EXPECT_EQ(GetFileAttributesW(name), INVALID_FILE_ATTRIBUTES);  // not created

  std::u16string tooLong = Win() + u"\\" + std::u16string(MAX_PATH - 12 - Win().size(), u'x');
  EXPECT_EQ(GetTempFileNameW(tooLong.c_str(), u"ab", 0, name), 0u);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_BUFFER_OVERFLOW));
  EXPECT_EQ(GetTempFileNameW(Win("missing").c_str(), u"ab", 0, name), 0u);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_DIRECTORY));
}

TEST_F(FileFolders, WindowsFolderAndSystem32) {
  host::SetWindowsFolder(Host().c_str());
  WCHAR buffer[MAX_PATH];
  UINT n = GetSystemWindowsDirectoryW(buffer, MAX_PATH);
  EXPECT_EQ(std::u16string(buffer, n), Win());
  n = GetWindowsDirectoryW(buffer, MAX_PATH);
  EXPECT_EQ(std::u16string(buffer, n), Win());
  n = GetSystemDirectoryW(buffer, MAX_PATH);
  EXPECT_EQ(std::u16string(buffer, n), Win() + u"\\System32");

  host::SetWindowsFolder(nullptr);
  const char* fromEnvironment = std::getenv("TALIX_WINDIR");
  std::string saved = fromEnvironment ? fromEnvironment : "";
  setenv("TALIX_WINDIR", Host("w").c_str(), 1);
  n = GetSystemWindowsDirectoryW(buffer, MAX_PATH);
  EXPECT_EQ(std::u16string(buffer, n), Win("w"));
  unsetenv("TALIX_WINDIR");
  n = GetSystemWindowsDirectoryW(buffer, MAX_PATH);  // the build's folder, which exists
  ASSERT_GT(n, 0u);
  ASSERT_LT(n, UINT(MAX_PATH));
  EXPECT_EQ(GetFileAttributesW((std::u16string(buffer, n) + u"\\System32").c_str()),
            DWORD(FILE_ATTRIBUTE_DIRECTORY));
  if (fromEnvironment) setenv("TALIX_WINDIR", saved.c_str(), 1);
}

TEST_F(FileFolders, DiskFreeSpaceIsConsistent) {
  ULARGE_INTEGER available, total, free;
  ASSERT_TRUE(GetDiskFreeSpaceExW(Win().c_str(), &available, &total, &free));
  EXPECT_GT(total.QuadPart, 0u);
  EXPECT_LE(free.QuadPart, total.QuadPart);
  EXPECT_LE(available.QuadPart, free.QuadPart);
  EXPECT_FALSE(GetDiskFreeSpaceExW(Win("missing/x").c_str(), &available, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
}

}  // namespace
}  // namespace talix
