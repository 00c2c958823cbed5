// CreateFileW dispositions and the I/O on open handles.
#include "file_test_folder.h"

namespace talix {
namespace {

using FileIo = testing::TempFolderTest;

HANDLE Open(const std::u16string& path, DWORD access, DWORD disposition, DWORD flags = 0) {
  return CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                     flags ? flags : FILE_ATTRIBUTE_NORMAL, nullptr);
}

struct DispositionCase {
  DWORD disposition;
  bool exists;
  bool opens;
  DWORD lastError;        // after the call
  const char* contents;   // of the file afterwards, or null when there is none
};

TEST_F(FileIo, DispositionsFollowExistence) {
  const DispositionCase cases[] = {
      {CREATE_NEW, false, true, ERROR_SUCCESS, ""},
      {CREATE_NEW, true, false, ERROR_FILE_EXISTS, "old"},
      {CREATE_ALWAYS, false, true, ERROR_SUCCESS, ""},
      {CREATE_ALWAYS, true, true, ERROR_ALREADY_EXISTS, ""},
      {OPEN_EXISTING, false, false, ERROR_FILE_NOT_FOUND, nullptr},
      {OPEN_EXISTING, true, true, ERROR_SUCCESS, "old"},
      {OPEN_ALWAYS, false, true, ERROR_SUCCESS, ""},
      {OPEN_ALWAYS, true, true, ERROR_ALREADY_EXISTS, "old"},
      {TRUNCATE_EXISTING, false, false, ERROR_FILE_NOT_FOUND, nullptr},
      {TRUNCATE_EXISTING, true, true, ERROR_SUCCESS, ""},
      {0, true, false, ERROR_INVALID_PARAMETER, "old"},
  };
  int index = 0;
  for (const DispositionCase& c : cases) {
    std::string name = "case" + std::to_string(index++);
    if (c.exists) WriteHostFile(name, "old");
    SetLastError(12345);
    HANDLE h = Open(Win(name), GENERIC_READ | GENERIC_WRITE, c.disposition);
    EXPECT_EQ(h != INVALID_HANDLE_VALUE, c.opens) << name;
    EXPECT_EQ(GetLastError(), c.lastError) << name;
    if (h != INVALID_HANDLE_VALUE) {
      EXPECT_TRUE(CloseHandle(h));
    }
    EXPECT_EQ(HostExists(name), c.contents != nullptr) << name;
    if (c.contents) {
      EXPECT_EQ(ReadHostFile(name), c.contents) << name;
    }
  }
}

TEST_F(FileIo, OpenFailuresNameTheMissingPart) {
  MakeHostFolder("dir");
  const std::pair<std::u16string, DWORD> cases[] = {
      {Win("missing/new.txt"), ERROR_PATH_NOT_FOUND},
      {Win("dir/missing.txt"), ERROR_FILE_NOT_FOUND},
      {u"Q:\\nothing.txt", ERROR_PATH_NOT_FOUND},
  };
  for (const auto& [path, error] : cases) {
    EXPECT_EQ(Open(path, GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), error) << ToUtf8(path);
  }
  EXPECT_EQ(Open(Win("missing/new.txt"), GENERIC_WRITE, CREATE_NEW), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
}

TEST_F(FileIo, FoldersOpenOnlyWithBackupSemantics) {
  MakeHostFolder("dir");
  EXPECT_EQ(Open(Win("dir"), GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
  HANDLE h = Open(Win("DIR"), GENERIC_READ, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetFileType(h), DWORD(FILE_TYPE_DISK));
  EXPECT_TRUE(CloseHandle(h));
}

TEST_F(FileIo, WriteSeekReadTruncateRoundTrip) {
  HANDLE h = Open(Win("data.bin"), GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD done = 0;
  ASSERT_TRUE(WriteFile(h, "0123456789", 10, &done, nullptr));
  EXPECT_EQ(done, 10u);
  EXPECT_EQ(SetFilePointer(h, 2, nullptr, FILE_BEGIN), 2u);
  char buffer[16] = {};
  ASSERT_TRUE(ReadFile(h, buffer, 3, &done, nullptr));
  EXPECT_EQ(std::string(buffer, done), "234");
  EXPECT_EQ(SetFilePointer(h, -2, nullptr, FILE_END), 8u);
  ASSERT_TRUE(ReadFile(h, buffer, sizeof buffer, &done, nullptr));
  EXPECT_EQ(std::string(buffer, done), "89");  // short read at the end
  ASSERT_TRUE(ReadFile(h, buffer, sizeof buffer, &done, nullptr));
  EXPECT_EQ(done, 0u);  // at the end: success with nothing

  LARGE_INTEGER to, now;
  to.QuadPart = -6;
  ASSERT_TRUE(SetFilePointerEx(h, to, &now, FILE_CURRENT));
  EXPECT_EQ(now.QuadPart, 4);
  ASSERT_TRUE(SetEndOfFile(h));
  LARGE_INTEGER size;
  ASSERT_TRUE(GetFileSizeEx(h, &size));
  EXPECT_EQ(size.QuadPart, 4);
  to.QuadPart = 5;
  ASSERT_TRUE(SetFilePointerEx(h, to, nullptr, FILE_BEGIN));  // beyond the end, then extend
  ASSERT_TRUE(SetEndOfFile(h));
  EXPECT_TRUE(FlushFileBuffers(h));
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_EQ(ReadHostFile("data.bin"), std::string("0123\0", 5));
}

TEST_F(FileIo, SeekErrorsAndSizeProtocol) {
  WriteHostFile("f", "abc");
  HANDLE h = Open(Win("f"), GENERIC_READ, OPEN_EXISTING);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(SetFilePointer(h, -1, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_NEGATIVE_SEEK));
  EXPECT_EQ(SetFilePointer(h, 0, nullptr, 7), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  // With a high part, positions past 4 GiB are fine and split across both halves.
  LONG high = 1;
  EXPECT_EQ(SetFilePointer(h, 16, &high, FILE_BEGIN), 16u);
  EXPECT_EQ(high, 1);
  // Without one, they are refused.
  EXPECT_EQ(SetFilePointer(h, 0x7FFFFFFF, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));

  DWORD sizeHigh = 99;
  SetLastError(12345);
  EXPECT_EQ(GetFileSize(h, &sizeHigh), 3u);
  EXPECT_EQ(sizeHigh, 0u);
  EXPECT_EQ(GetLastError(), DWORD(NO_ERROR));
  // A read-only handle refuses writes and truncation.
  DWORD done = 7;
  EXPECT_FALSE(WriteFile(h, "x", 1, &done, nullptr));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
  EXPECT_EQ(done, 0u);
  EXPECT_FALSE(SetEndOfFile(h));
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_EQ(ReadHostFile("f"), "abc");
}

TEST_F(FileIo, ClosedHandlesAreRefusedEverywhere) {
  HANDLE h = Open(Win("f"), GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(CloseHandle(h));
  char byte;
  DWORD done;
  LARGE_INTEGER size;
  FILETIME time;
  EXPECT_FALSE(CloseHandle(h));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(ReadFile(h, &byte, 1, &done, nullptr));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(WriteFile(h, &byte, 1, &done, nullptr));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
  EXPECT_EQ(GetFileSize(h, nullptr), INVALID_FILE_SIZE);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(GetFileSizeEx(h, &size));
  EXPECT_EQ(SetFilePointer(h, 0, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
  EXPECT_FALSE(SetEndOfFile(h));
  EXPECT_FALSE(FlushFileBuffers(h));
  EXPECT_FALSE(GetFileTime(h, &time, &time, &time));
  EXPECT_EQ(GetFileType(h), DWORD(FILE_TYPE_UNKNOWN));
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
  EXPECT_EQ(GetFileType(INVALID_HANDLE_VALUE), DWORD(FILE_TYPE_UNKNOWN));
  EXPECT_EQ(GetFileType(nullptr), DWORD(FILE_TYPE_UNKNOWN));
}

TEST_F(FileIo, DeleteOnCloseRemovesTheFileAtTheLastClose) {
  HANDLE h = Open(Win("temp.tmp"), GENERIC_WRITE, CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(HostExists("temp.tmp"));
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_FALSE(HostExists("temp.tmp"));
}

TEST_F(FileIo, ReadOnlyAttributeOnCreateAndOnWrite) {
  HANDLE h = Open(Win("ro"), GENERIC_WRITE, CREATE_NEW, FILE_ATTRIBUTE_READONLY);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);  // the creating handle may still write
  DWORD done;
  EXPECT_TRUE(WriteFile(h, "abc", 3, &done, nullptr));
  EXPECT_TRUE(CloseHandle(h));
  EXPECT_EQ(GetFileAttributesW(Win("ro").c_str()), DWORD(FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(Open(Win("ro"), GENERIC_WRITE, OPEN_EXISTING), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
  h = Open(Win("ro"), GENERIC_READ, OPEN_EXISTING);
  EXPECT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(CloseHandle(h));
}

TEST_F(FileIo, FileTimesRoundTrip) {
  HANDLE h = Open(Win("t"), GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  // 2001-02-03 04:05:06.5 UTC in 100 ns units since 1601.
  const uint64_t ticks = (981173106ULL + 11644473600ULL) * 10000000ULL + 5000000ULL;
  FILETIME set{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  ASSERT_TRUE(SetFileTime(h, nullptr, nullptr, &set));
  FILETIME write{};
  ASSERT_TRUE(GetFileTime(h, nullptr, nullptr, &write));
  EXPECT_EQ(write.dwLowDateTime, set.dwLowDateTime);
  EXPECT_EQ(write.dwHighDateTime, set.dwHighDateTime);
  EXPECT_TRUE(CloseHandle(h));
  struct stat st;
  ASSERT_EQ(stat(Host("t").c_str(), &st), 0);
  EXPECT_EQ(st.st_mtim.tv_sec, 981173106);
}

TEST_F(FileIo, OverlappedOffsetsReadAndWriteInPlace) {
  HANDLE h = Open(Win("o"), GENERIC_READ | GENERIC_WRITE, CREATE_NEW);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD done;
  ASSERT_TRUE(WriteFile(h, "abcdef", 6, &done, nullptr));
  OVERLAPPED at{};
  at.Offset = 2;
  ASSERT_TRUE(WriteFile(h, "XY", 2, &done, &at));
  char buffer[4] = {};
  at.Offset = 1;
  ASSERT_TRUE(ReadFile(h, buffer, 4, &done, &at));
  EXPECT_EQ(std::string(buffer, done), "bXYe");
  EXPECT_TRUE(CloseHandle(h));
}

}  // namespace
}  // namespace talix
