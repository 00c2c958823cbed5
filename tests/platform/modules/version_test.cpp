// Version information read from module files, loaded or not, and the paths of
// VerQueryValueW.
#include "module_files.h"

#include <gtest/gtest.h>

#include <cstring>

namespace talix::test {
namespace {

Bytes VersionBlockOf(const std::string& path) {
  DWORD handle = 7;
  DWORD size = GetFileVersionInfoSizeW(Wide(path).c_str(), &handle);
  EXPECT_GT(size, 0u) << path << " error " << GetLastError();
  EXPECT_EQ(handle, 0u);
  Bytes block(size);
  EXPECT_TRUE(GetFileVersionInfoW(Wide(path).c_str(), 0, size, block.data()));
  return block;
}

std::u16string TextValue(const Bytes& block, LPCWSTR path) {
  LPVOID value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), path, &value, &length) || length == 0) return u"<missing>";
  std::u16string text(length, u'\0');
  std::memcpy(text.data(), value, length * sizeof(WCHAR));
  if (!text.empty() && text.back() == u'\0') text.pop_back();  // the stored length counts it
  return text;
}

class FileVersion : public testing::TestWithParam<std::string> {};

TEST_P(FileVersion, FixedInfoTranslationAndStrings) {
  Bytes block = VersionBlockOf(GetParam());
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), u"\\", reinterpret_cast<LPVOID*>(&fixed), &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, VS_FFI_SIGNATURE);
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000000u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010001u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0x00030004u);
  EXPECT_EQ(fixed->dwFileType, VFT_DLL);
  EXPECT_EQ(fixed->dwFileOS, VOS_NT_WINDOWS32);

  DWORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueW(block.data(), u"\\VarFileInfo\\Translation", reinterpret_cast<LPVOID*>(&translation),
                             &length));
  ASSERT_EQ(length, 4u);
  EXPECT_EQ(*translation, 0x04B00409u) << "English (US), Unicode";

  struct Case {
    LPCWSTR path;
    std::u16string expected;
  };
  const Case cases[] = {
      {u"\\StringFileInfo\\040904b0\\FileVersion", u"1.1.0.0"},
      {u"\\StringFileInfo\\040904B0\\companyname", u"Tavrin"},
      {u"\\StringFileInfo\\040904b0\\ProductName", u"Sample module"},
      {u"StringFileInfo\\040904b0\\ProductName", u"Sample module"},
      {u"\\StringFileInfo\\040904b0\\Comments", u"<missing>"},
      {u"\\StringFileInfo\\040704b0\\FileVersion", u"<missing>"},
      {u"\\FileVersion", u"<missing>"},
      {u"\\StringFileInfo\\040904b0\\FileVersion\\Deeper", u"<missing>"},
  };
  for (const Case& c : cases) EXPECT_EQ(TextValue(block, c.path), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Modules, FileVersion,
                         testing::Values(SamplePePath(), SamplePe32Path(), SampleElfPath(),
                                         std::string("/proc/self/exe")));

TEST(FileVersionInfo, ShortBufferIsCutAndQueriesStayInside) {
  DWORD size = GetFileVersionInfoSizeW(Wide(SamplePePath()).c_str(), nullptr);
  ASSERT_GT(size, 120u);
  Bytes cut(120);  // the fixed information fits; the string tables do not
  ASSERT_TRUE(GetFileVersionInfoW(Wide(SamplePePath()).c_str(), 0, DWORD(cut.size()), cut.data()));
  LPVOID value = nullptr;
  UINT length = 0;
  EXPECT_TRUE(VerQueryValueW(cut.data(), u"\\", &value, &length));
  EXPECT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  EXPECT_FALSE(VerQueryValueW(cut.data(), u"\\StringFileInfo\\040904b0\\FileVersion", &value, &length));
  EXPECT_EQ(length, 0u);
}

TEST(FileVersionInfo, FilesWithoutVersionInformationFail) {
  std::string folder = MakeTempFolder();
  WriteBytes(folder + "/plain.txt", Bytes{'h', 'e', 'l', 'l', 'o'});
  struct Case {
    std::u16string path;
    DWORD error;
  };
  const Case cases[] = {
      {Wide(folder + "/missing.dll"), ERROR_FILE_NOT_FOUND},
      {Wide(folder + "/plain.txt"), ERROR_BAD_EXE_FORMAT},
      {Wide(TALIX_MODULES_DIR "/../libtalix-platform.so"), ERROR_RESOURCE_TYPE_NOT_FOUND},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_EQ(GetFileVersionInfoSizeW(c.path.c_str(), nullptr), 0u);
    EXPECT_EQ(GetLastError(), c.error);
    BYTE buffer[64];
    EXPECT_FALSE(GetFileVersionInfoW(c.path.c_str(), 0, sizeof buffer, buffer));
  }
  RemoveTree(folder);
}

}  // namespace
}  // namespace talix::test
