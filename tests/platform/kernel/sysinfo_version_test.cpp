#include <talix/host_sysinfo.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <bitset>
#include <cstdlib>
#include <string>

#include <unistd.h>

namespace {

class VersionTest : public ::testing::Test {
 protected:
  void TearDown() override {
    unsetenv("TALIX_OSVERSION");
    talix::host::ResetOsVersion();
  }
};

std::u16string CsdOf(const OSVERSIONINFOW& info) { return info.szCSDVersion; }

TEST_F(VersionTest, ReportsEachConfiguredVersionInBothStructures) {
  struct Case {
    talix::host::OsVersion set;
    DWORD build;
    const char16_t* csd;
    DWORD getVersion;
  };
  const Case cases[] = {
      {{4, 0, 1}, 0x040003B6, u"", 0x83B60004},  // the 9x family: version in the build
      {{5, 0, 2}, 2195, u"Service Pack 4", 0x08930005},
      {{5, 1, 2}, 2600, u"Service Pack 3", 0x0A280105},
      {{6, 0, 2}, 6002, u"Service Pack 2", 0x17720006},
      {{6, 1, 2}, 7601, u"Service Pack 1", 0x1DB10106},
      {{7, 9, 2}, 0, u"", 0x00000907},  // no such release: no build, no service pack
  };
  for (const Case& c : cases) {
    talix::host::SetOsVersion(c.set);
    SCOPED_TRACE(std::to_string(c.set.major) + "." + std::to_string(c.set.minor));
    OSVERSIONINFOEXW ex;
    memset(&ex, 0xCC, sizeof ex);
    ex.dwOSVersionInfoSize = sizeof ex;
    ASSERT_TRUE(GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&ex)));
    EXPECT_EQ(ex.dwOSVersionInfoSize, 284u);
    EXPECT_EQ(ex.dwMajorVersion, c.set.major);
    EXPECT_EQ(ex.dwMinorVersion, c.set.minor);
    EXPECT_EQ(ex.dwPlatformId, c.set.platform);
    EXPECT_EQ(ex.dwBuildNumber, c.build);
    EXPECT_EQ(std::u16string(ex.szCSDVersion), c.csd);
    EXPECT_EQ(ex.wProductType, VER_NT_WORKSTATION);
    EXPECT_EQ(GetVersion(), c.getVersion);

    OSVERSIONINFOW plain;
    memset(&plain, 0xCC, sizeof plain);
    plain.dwOSVersionInfoSize = sizeof plain;
    ASSERT_TRUE(GetVersionExW(&plain));
    EXPECT_EQ(plain.dwMajorVersion, c.set.major);
    EXPECT_EQ(plain.dwBuildNumber, c.build);
    EXPECT_EQ(CsdOf(plain), c.csd);
  }
}

TEST_F(VersionTest, WrongStructureSizesFailAndLeaveTheStructureAlone) {
  for (DWORD size : {0u, 148u, 275u, 277u, 283u, 285u, 0xFFFFFFFFu}) {
    OSVERSIONINFOEXW ex;
    memset(&ex, 0xCC, sizeof ex);
    ex.dwOSVersionInfoSize = size;
    SetLastError(0);
    EXPECT_FALSE(GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&ex))) << size;
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER) << size;
    EXPECT_EQ(ex.dwMajorVersion, 0xCCCCCCCCu) << size;
  }
  EXPECT_FALSE(GetVersionExW(nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST_F(VersionTest, EnvironmentChoosesTheVersionAndBadValuesFallBackToTheDefault) {
  struct Case {
    const char* text;
    DWORD major, minor, platform;
  };
  for (const Case& c : {Case{"5.1", 5, 1, 2}, Case{"4.0.1", 4, 0, 1}, Case{"6.0.2", 6, 0, 2},
                        Case{"6", 6, 1, 2}, Case{"banana", 6, 1, 2}, Case{"300.1", 6, 1, 2},
                        Case{"5.1.7", 6, 1, 2}, Case{"", 6, 1, 2}}) {
    setenv("TALIX_OSVERSION", c.text, 1);
    talix::host::ResetOsVersion();
    talix::host::OsVersion v = talix::host::GetOsVersion();
    EXPECT_EQ(v.major, c.major) << c.text;
    EXPECT_EQ(v.minor, c.minor) << c.text;
    EXPECT_EQ(v.platform, c.platform) << c.text;
  }
}

TEST(SystemInfo, DescribesTheHost) {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  EXPECT_EQ(info.wProcessorArchitecture, PROCESSOR_ARCHITECTURE_AMD64);
  EXPECT_EQ(info.dwPageSize, static_cast<DWORD>(sysconf(_SC_PAGESIZE)));
  long online = sysconf(_SC_NPROCESSORS_ONLN);
  EXPECT_EQ(info.dwNumberOfProcessors, static_cast<DWORD>(online > 64 ? 64 : online));
  EXPECT_EQ(std::bitset<64>(info.dwActiveProcessorMask).count(), info.dwNumberOfProcessors);
  EXPECT_EQ(info.dwAllocationGranularity, 65536u);
  SYSTEM_INFO native;
  GetNativeSystemInfo(&native);
  EXPECT_EQ(native.dwNumberOfProcessors, info.dwNumberOfProcessors);

  BOOL wow = TRUE;
  EXPECT_TRUE(IsWow64Process(GetCurrentProcess(), &wow));
  EXPECT_FALSE(wow);
  EXPECT_FALSE(IsWow64Process(reinterpret_cast<HANDLE>(uintptr_t{0x1234}), &wow));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(SystemInfo, LanguagesAreEnglishUnlessTheHostSetsAnother) {
  EXPECT_EQ(GetUserDefaultUILanguage(), 0x0409);
  EXPECT_EQ(GetUserDefaultLCID(), 0x0409u);
  talix::host::SetDefaultLanguage(MAKELANGID(0x0D, SUBLANG_DEFAULT));  // Hebrew
  for (LANGID id : {GetUserDefaultUILanguage(), GetSystemDefaultUILanguage(),
                    GetUserDefaultLangID(), GetSystemDefaultLangID()})
    EXPECT_EQ(id, 0x040D);
  EXPECT_EQ(GetSystemDefaultLCID(), 0x040Du);
  talix::host::SetDefaultLanguage(0x0409);
}

}  // namespace
