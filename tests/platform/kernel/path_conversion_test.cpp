// Windows form <-> host form, normalisation and case-insensitive component matching.
#include "file_test_folder.h"

namespace talix {
namespace {

using testing::TempFolderTest;

struct ToHostCase {
  const char16_t* win;
  const char* host;
};

TEST(PathConversion, WindowsFormToHost) {
  const ToHostCase cases[] = {
      {u"Z:\\home\\a\\b.png", "/home/a/b.png"},
      {u"z:/home/a/b.png", "/home/a/b.png"},      // lower-case drive, forward slashes
      {u"Z:\\home/a\\b.png", "/home/a/b.png"},    // mixed separators
      {u"Z:\\", "/"},
      {u"Z:", "/"},
      {u"\\\\?\\Z:\\long\\name", "/long/name"},   // long-path prefix
      {u"/usr/lib", "/usr/lib"},                  // host form passes through
      {u"rel\\sub\\f.txt", "rel/sub/f.txt"},      // relative stays relative
      {u"\\rooted", "/rooted"},                   // rooted on the current drive (Z:)
      {u"C:\\Windows", ""},                       // unmapped drive refused
      {u"\\\\server\\share\\x", ""},              // UNC refused
      {u"\\\\?\\UNC\\server\\x", ""},
      {u"1:\\x", ""},
      {u"", ""},
  };
  for (const ToHostCase& c : cases)
    EXPECT_EQ(WinPathToHost(c.win), c.host) << ToUtf8(c.win);
  EXPECT_EQ(WinPathToHost(static_cast<const WCHAR*>(nullptr)), "");
}

TEST(PathConversion, HostToWindowsForm) {
  const std::pair<const char*, const char16_t*> cases[] = {
      {"/home/a/b.png", u"Z:\\home\\a\\b.png"},
      {"/", u"Z:\\"},
      {"rel/f.txt", u"rel\\f.txt"},
      {"/caf\xC3\xA9/\xE6\x97\xA5", u"Z:\\caf\u00E9\\\u65E5"},  // UTF-8 names
  };
  for (const auto& [host, win] : cases) EXPECT_EQ(HostPathToWin(host), win) << host;
}

TEST(PathConversion, AbsolutePathsResolveDotsAgainstTheCurrentFolder) {
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  std::string here = cwd;
  const std::pair<const char16_t*, std::string> cases[] = {
      {u"Z:\\a\\.\\b\\..\\c", "/a/c"},
      {u"Z:\\..\\..\\a", "/a"},                 // ".." stops at the root
      {u"Z:\\a\\\\b\\", "/a/b"},                // repeated and trailing separators
      {u"x.txt", here + "/x.txt"},
      {u".\\x\\..\\y", here + "/y"},
  };
  for (const auto& [win, host] : cases) EXPECT_EQ(AbsoluteHostPath(win), host) << ToUtf8(win);
}

TEST(PathConversion, UpcasingCoversLettersBeyondAscii) {
  EXPECT_TRUE(NamesEqualIgnoreCase(u"Readme.TXT", u"README.txt"));
  EXPECT_TRUE(NamesEqualIgnoreCase(u"caf\u00E9", u"CAF\u00C9"));
  EXPECT_TRUE(NamesEqualIgnoreCase(u"\u0444\u0430\u0439\u043B", u"\u0424\u0410\u0419\u041B"));
  EXPECT_TRUE(NamesEqualIgnoreCase(u"\u0142\u00FF", u"\u0141\u0178"));
  EXPECT_FALSE(NamesEqualIgnoreCase(u"a.txt", u"a.txt "));
  EXPECT_FALSE(NamesEqualIgnoreCase(u"\u00F7", u"\u00D7"));  // division and multiplication signs
}

using PathResolve = TempFolderTest;

TEST_F(PathResolve, ComponentsNotFoundExactlyMatchIgnoringCase) {
  MakeHostFolder("Alpha");
  MakeHostFolder("Alpha/beta");
  WriteHostFile("Alpha/beta/Data.BIN", "x");
  EXPECT_EQ(ResolveHostPath(Win("ALPHA\\BETA\\data.bin")), Host("Alpha/beta/Data.BIN"));
  // Missing tail components are kept as spelled below the matched part.
  EXPECT_EQ(ResolveHostPath(Win("alpha\\NEW\\File.txt")), Host("Alpha/NEW/File.txt"));
  // An exact match wins over a case-insensitive one.
  MakeHostFolder("ALPHA");
  EXPECT_EQ(ResolveHostPath(Win("ALPHA")), Host("ALPHA"));
  EXPECT_EQ(ResolveHostPath(Win("alpha")), Host("ALPHA"));  // both match: smallest byte-wise
}

TEST_F(PathResolve, MappedDriveConvertsBothWays) {
  MakeHostFolder("Data");
  host::MapDrive(u'd', Host().c_str());
  EXPECT_EQ(WinPathToHost(u"D:\\Data\\x.txt"), Host("Data/x.txt"));
  EXPECT_EQ(HostPathToWin(Host("Data/x.txt")), u"D:\\Data\\x.txt");
  EXPECT_EQ(HostPathToWin(Host()), u"D:\\");
  // A sibling folder sharing the prefix is not on the drive.
  EXPECT_EQ(HostPathToWin(Host() + "2/x").substr(0, 3), u"Z:\\");
  EXPECT_NE(GetFileAttributesW(u"d:\\data"), INVALID_FILE_ATTRIBUTES);
  host::MapDrive(u'D', nullptr);
  EXPECT_EQ(WinPathToHost(u"D:\\Data"), "");
  EXPECT_EQ(GetFileAttributesW(u"D:\\Data"), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
}

}  // namespace
}  // namespace talix
