// The C runtime's wide file functions.
#include "file_test_folder.h"

#include <cerrno>

namespace talix {
namespace {

using FileCrt = testing::TempFolderTest;

TEST_F(FileCrt, WfopenTranslatesModes) {
  FILE* out = _wfopen(Win("f.bin").c_str(), u"wb");
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(fwrite("ab\n", 1, 3, out), 3u);
  EXPECT_EQ(fclose(out), 0);
  out = _wfopen(Win("F.BIN").c_str(), u"at");  // appends to the existing file
  ASSERT_NE(out, nullptr);
  fputs("cd", out);
  fclose(out);
  EXPECT_EQ(ReadHostFile("f.bin"), "ab\ncd");
  EXPECT_FALSE(HostExists("F.BIN"));

  FILE* in = nullptr;
  ASSERT_EQ(_wfopen_s(&in, Win("f.bin").c_str(), u"r, ccs=UTF-8"), 0);
  ASSERT_NE(in, nullptr);
  char line[8] = {};
  EXPECT_NE(fgets(line, sizeof line, in), nullptr);
  EXPECT_STREQ(line, "ab\n");
  fclose(in);

  const std::pair<const char16_t*, int> refused[] = {{u"q", EINVAL}, {u"", EINVAL}, {u"rw", EINVAL}};
  for (const auto& [mode, error] : refused) {
    errno = 0;
    EXPECT_EQ(_wfopen(Win("f.bin").c_str(), mode), nullptr) << ToUtf8(mode);
    EXPECT_EQ(errno, error) << ToUtf8(mode);
  }
  EXPECT_EQ(_wfopen(Win("missing/x").c_str(), u"w"), nullptr);
  EXPECT_EQ(errno, ENOENT);
  EXPECT_EQ(_wfopen_s(&in, Win("none").c_str(), u"r"), ENOENT);
  EXPECT_EQ(in, nullptr);
  EXPECT_EQ(_wfopen_s(nullptr, Win("f.bin").c_str(), u"r"), EINVAL);
}

TEST_F(FileCrt, AccessReflectsExistenceAndReadOnly) {
  WriteHostFile("rw", "");
  WriteHostFile("ro", "");
  ASSERT_EQ(chmod(Host("ro").c_str(), 0444), 0);
  MakeHostFolder("dir");
  struct Case {
    const char* name;
    int mode;
    int result;
    int error;
  };
  const Case cases[] = {
      {"rw", 0, 0, 0},    {"RW", 6, 0, 0},       {"ro", 4, 0, 0},
      {"ro", 2, -1, EACCES}, {"dir", 6, 0, 0}, {"none", 0, -1, ENOENT},
      {"rw", 1, -1, EINVAL},
  };
  for (const Case& c : cases) {
    errno = 0;
    EXPECT_EQ(_waccess(Win(c.name).c_str(), c.mode), c.result) << c.name << " " << c.mode;
    if (c.result) {
      EXPECT_EQ(errno, c.error) << c.name << " " << c.mode;
    }
  }
}

TEST_F(FileCrt, RemoveRenameAndFolders) {
  WriteHostFile("a", "1");
  WriteHostFile("b", "2");
  EXPECT_EQ(_wrename(Win("a").c_str(), Win("b").c_str()), -1);  // never replaces
  EXPECT_EQ(errno, EACCES);
  EXPECT_EQ(_wrename(Win("a").c_str(), Win("c").c_str()), 0);
  EXPECT_EQ(ReadHostFile("c"), "1");
  EXPECT_EQ(_wrename(Win("a").c_str(), Win("d").c_str()), -1);
  EXPECT_EQ(errno, ENOENT);
  EXPECT_EQ(_wremove(Win("C").c_str()), 0);
  EXPECT_FALSE(HostExists("c"));
  EXPECT_EQ(_wremove(Win("c").c_str()), -1);
  EXPECT_EQ(errno, ENOENT);

  EXPECT_EQ(_wmkdir(Win("dir").c_str()), 0);
  EXPECT_EQ(_wmkdir(Win("DIR").c_str()), -1);
  EXPECT_EQ(errno, EEXIST);
  EXPECT_EQ(_wremove(Win("dir").c_str()), -1);  // remove is for files
  EXPECT_EQ(errno, EACCES);
  WriteHostFile("dir/x", "");
  EXPECT_EQ(_wrmdir(Win("dir").c_str()), -1);
  EXPECT_EQ(errno, ENOTEMPTY);
  EXPECT_EQ(_wremove(Win("dir/x").c_str()), 0);
  EXPECT_EQ(_wrmdir(Win("dir").c_str()), 0);
  EXPECT_FALSE(HostExists("dir"));
}

}  // namespace
}  // namespace talix
