// Hostile path text: over-long, odd characters and separators only. Nothing may crash,
// every call fails or succeeds cleanly, and results stay terminated.
#include "file_test_folder.h"

namespace talix {
namespace {

using PathHostile = testing::TempFolderTest;

TEST_F(PathHostile, OverLongPathsFailCleanly) {
  std::u16string longName = Win() + u"\\" + std::u16string(5000, u'a');
  std::u16string deep = Win();
  for (int i = 0; i < 3000; ++i) deep += u"\\b";
  for (const std::u16string& path : {longName, deep}) {
    EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetLastError(), DWORD(NO_ERROR));
    EXPECT_EQ(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_FALSE(CreateDirectoryW(path.c_str(), nullptr));
    WIN32_FIND_DATAW data;
    EXPECT_EQ(FindFirstFileW(path.c_str(), &data), INVALID_HANDLE_VALUE);
    WCHAR buffer[MAX_PATH];
    std::u16string untouched(MAX_PATH, u'#');
    std::copy(untouched.begin(), untouched.end(), buffer);
    DWORD needed = GetFullPathNameW(path.c_str(), MAX_PATH, buffer, nullptr);
    EXPECT_GT(needed, DWORD(MAX_PATH));  // the size needed, never a truncated path
    EXPECT_EQ(std::u16string(buffer, MAX_PATH), untouched);
    EXPECT_EQ(GetLongPathNameW(path.c_str(), buffer, MAX_PATH), 0u);
  }
}

TEST_F(PathHostile, OddTextIsHandled) {
  const char16_t* odd[] = {
      u"\\", u"/", u"\\\\", u"\\\\?\\", u"\\\\?\\UNC\\srv\\x", u"Z:", u":", u"::::",
      u"Z:\\..\\..\\..", u"?", u"*", u"a\\\\\\\\b", u"\xD800\\x", u"\xDFFF",
      u"Z:\\\x00E9\x4E2D\\\U0001F600",
  };
  for (const char16_t* text : odd) {
    GetFileAttributesW(text);
    WCHAR buffer[MAX_PATH];
    DWORD n = GetFullPathNameW(text, MAX_PATH, buffer, nullptr);
    if (n && n < MAX_PATH) {
      EXPECT_EQ(buffer[n], 0) << ToUtf8(text);
    }
    n = GetLongPathNameW(text, buffer, MAX_PATH);
    if (n && n < MAX_PATH) {
      EXPECT_EQ(buffer[n], 0) << ToUtf8(text);
    }
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(text, &data);
    if (find != INVALID_HANDLE_VALUE) {
      EXPECT_TRUE(FindClose(find));
    }
    EXPECT_FALSE(DeleteFileW(text)) << ToUtf8(text);
  }
  // Null pointers are parameter errors, not crashes.
  EXPECT_EQ(GetFileAttributesW(nullptr), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(CreateFileW(nullptr, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(DeleteFileW(nullptr));
  EXPECT_FALSE(MoveFileW(nullptr, nullptr));
  EXPECT_FALSE(CopyFileW(nullptr, nullptr, FALSE));
  EXPECT_EQ(FindFirstFileW(nullptr, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetFullPathNameW(nullptr, 0, nullptr, nullptr), 0u);
  EXPECT_EQ(GetLongPathNameW(nullptr, nullptr, 0), 0u);
  EXPECT_EQ(GetTempFileNameW(nullptr, nullptr, 0, nullptr), 0u);
  EXPECT_EQ(_wfopen(nullptr, u"r"), nullptr);
  EXPECT_EQ(_waccess(nullptr, 0), -1);
}

}  // namespace
}  // namespace talix
