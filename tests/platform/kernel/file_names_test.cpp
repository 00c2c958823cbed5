// Deleting, moving and copying by name; attributes; creating and removing folders.
#include "file_test_folder.h"

namespace talix {
namespace {

using FileNames = testing::TempFolderTest;

TEST_F(FileNames, DeleteRefusesFoldersReadOnlyAndMissing) {
  WriteHostFile("plain", "x");
  WriteHostFile("locked", "x");
  ASSERT_EQ(chmod(Host("locked").c_str(), 0444), 0);
  MakeHostFolder("dir");
  const std::pair<const char*, DWORD> refused[] = {
      {"dir", ERROR_ACCESS_DENIED},
      {"locked", ERROR_ACCESS_DENIED},
      {"none", ERROR_FILE_NOT_FOUND},
      {"nodir/none", ERROR_PATH_NOT_FOUND},
  };
  for (const auto& [name, error] : refused) {
    EXPECT_FALSE(DeleteFileW(Win(name).c_str())) << name;
    EXPECT_EQ(GetLastError(), error) << name;
  }
  EXPECT_TRUE(HostExists("locked"));
  EXPECT_TRUE(DeleteFileW(Win("PLAIN").c_str()));
  EXPECT_FALSE(HostExists("plain"));
}

struct MoveCase {
  const char* name;
  DWORD flags;
  bool targetExists;
  bool moves;
  DWORD error;
};

TEST_F(FileNames, MoveReplacesOnlyWhenAsked) {
  const MoveCase cases[] = {
      {"fresh", 0, false, true, 0},
      {"exists", 0, true, false, ERROR_ALREADY_EXISTS},
      {"replace", MOVEFILE_REPLACE_EXISTING, true, true, 0},
      {"reboot", MOVEFILE_DELAY_UNTIL_REBOOT, false, false, ERROR_NOT_SUPPORTED},
  };
  for (const MoveCase& c : cases) {
    std::string from = std::string(c.name) + ".src", to = std::string(c.name) + ".dst";
    WriteHostFile(from, "new");
    if (c.targetExists) WriteHostFile(to, "old");
    EXPECT_EQ(MoveFileExW(Win(from).c_str(), Win(to).c_str(), c.flags), c.moves) << c.name;
    if (!c.moves) {
      EXPECT_EQ(GetLastError(), c.error) << c.name;
    }
    EXPECT_EQ(HostExists(from), !c.moves) << c.name;
    if (c.moves || c.targetExists) {
      EXPECT_EQ(ReadHostFile(to), c.moves ? "new" : "old") << c.name;
    }
  }
}

TEST_F(FileNames, MoveErrorsAndFolderMoves) {
  MakeHostFolder("dir");
  WriteHostFile("dir/inside", "1");
  WriteHostFile("f", "f");
  EXPECT_FALSE(MoveFileW(Win("none").c_str(), Win("other").c_str()));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(MoveFileW(Win("f").c_str(), Win("nodir/f").c_str()));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(MoveFileExW(Win("f").c_str(), Win("dir").c_str(), MOVEFILE_REPLACE_EXISTING));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(MoveFileW(Win("dir").c_str(), Win("moved").c_str()));
  EXPECT_EQ(ReadHostFile("moved/inside"), "1");
}

TEST_F(FileNames, MoveCanChangeOnlyTheCase) {
  WriteHostFile("readme.txt", "r");
  EXPECT_TRUE(MoveFileW(Win("readme.txt").c_str(), Win("README.TXT").c_str()));
  EXPECT_TRUE(HostExists("README.TXT"));
  EXPECT_FALSE(HostExists("readme.txt"));
}

TEST_F(FileNames, CopyKeepsContentTimeAndHonoursFailIfExists) {
  WriteHostFile("src", "payload");
  struct timespec old[2] = {{1000000000, 0}, {1000000000, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, Host("src").c_str(), old, 0), 0);
  ASSERT_TRUE(CopyFileW(Win("src").c_str(), Win("dst").c_str(), TRUE));
  EXPECT_EQ(ReadHostFile("dst"), "payload");
  struct stat st;
  ASSERT_EQ(stat(Host("dst").c_str(), &st), 0);
  EXPECT_EQ(st.st_mtim.tv_sec, 1000000000);

  WriteHostFile("dst", "other");
  EXPECT_FALSE(CopyFileW(Win("src").c_str(), Win("DST").c_str(), TRUE));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_EXISTS));
  EXPECT_EQ(ReadHostFile("dst"), "other");
  EXPECT_TRUE(CopyFileW(Win("src").c_str(), Win("DST").c_str(), FALSE));
  EXPECT_EQ(ReadHostFile("dst"), "payload");
  EXPECT_FALSE(HostExists("DST"));  // the existing file was matched, not a new one made

  MakeHostFolder("dir");
  const std::pair<std::pair<const char*, const char*>, DWORD> refused[] = {
      {{"none", "x"}, ERROR_FILE_NOT_FOUND},
      {{"dir", "x"}, ERROR_ACCESS_DENIED},
      {{"src", "nodir/x"}, ERROR_PATH_NOT_FOUND},
      {{"src", "dir"}, ERROR_ACCESS_DENIED},
  };
  for (const auto& [names, error] : refused) {
    EXPECT_FALSE(CopyFileW(Win(names.first).c_str(), Win(names.second).c_str(), FALSE));
    EXPECT_EQ(GetLastError(), error) << names.first << " -> " << names.second;
  }
}

TEST_F(FileNames, AttributesFromModeAndName) {
  WriteHostFile("plain.txt", "12345");
  WriteHostFile(".hidden", "");
  MakeHostFolder("dir");
  const std::pair<const char*, DWORD> cases[] = {
      {"plain.txt", FILE_ATTRIBUTE_NORMAL},
      {".hidden", FILE_ATTRIBUTE_HIDDEN},
      {"dir", FILE_ATTRIBUTE_DIRECTORY},
      {"DIR\\", FILE_ATTRIBUTE_DIRECTORY},
  };
  for (const auto& [name, attributes] : cases)
    EXPECT_EQ(GetFileAttributesW(Win(name).c_str()), attributes) << name;

  ASSERT_TRUE(SetFileAttributesW(Win("plain.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(GetFileAttributesW(Win("plain.txt").c_str()), DWORD(FILE_ATTRIBUTE_READONLY));
  struct stat st;
  ASSERT_EQ(stat(Host("plain.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0222, 0u);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  ASSERT_TRUE(GetFileAttributesExW(Win("plain.txt").c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(data.dwFileAttributes, DWORD(FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(data.nFileSizeLow, 5u);
  EXPECT_NE(data.ftLastWriteTime.dwHighDateTime, 0u);
  ASSERT_TRUE(SetFileAttributesW(Win("plain.txt").c_str(), FILE_ATTRIBUTE_NORMAL));
  EXPECT_EQ(GetFileAttributesW(Win("plain.txt").c_str()), DWORD(FILE_ATTRIBUTE_NORMAL));

  // Read-only on a folder does not keep entries out of it.
  ASSERT_TRUE(SetFileAttributesW(Win("dir").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(GetFileAttributesW(Win("dir").c_str()), DWORD(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_TRUE(CreateDirectoryW(Win("dir/inner").c_str(), nullptr));

  EXPECT_EQ(GetFileAttributesW(Win("none").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(GetFileAttributesW(Win("nodir/none").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
  EXPECT_EQ(GetFileAttributesW(Win("plain.txt/below").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(GetFileAttributesExW(Win("none").c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
}

TEST_F(FileNames, FoldersAreCreatedAndRemovedWithWindowsErrors) {
  EXPECT_TRUE(CreateDirectoryW(Win("new").c_str(), nullptr));
  EXPECT_FALSE(CreateDirectoryW(Win("NEW").c_str(), nullptr));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
  EXPECT_FALSE(CreateDirectoryW(Win("a/b").c_str(), nullptr));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
  WriteHostFile("new/f", "");
  WriteHostFile("file", "");
  const std::pair<const char*, DWORD> refused[] = {
      {"new", ERROR_DIR_NOT_EMPTY},
      {"file", ERROR_DIRECTORY},
      {"none", ERROR_FILE_NOT_FOUND},
      {"none/deeper", ERROR_PATH_NOT_FOUND},
  };
  for (const auto& [name, error] : refused) {
    EXPECT_FALSE(RemoveDirectoryW(Win(name).c_str())) << name;
    EXPECT_EQ(GetLastError(), error) << name;
  }
  ASSERT_TRUE(DeleteFileW(Win("new/f").c_str()));
  EXPECT_TRUE(RemoveDirectoryW(Win("New").c_str()));
  EXPECT_FALSE(HostExists("new"));
}

}  // namespace
}  // namespace talix
