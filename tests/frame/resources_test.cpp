// The resource handler: language and theme modules chosen from the registry through the
// maker name of KVNL.dll, theme changes, failures and the state after TALIX_Finalize.
#include "frame_fixture.h"

#include "frame/LibraryExports.h"
#include "frame/LibraryModule.h"
#include "frame/ResHandler.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using frametest::LibraryFolder;
using frametest::SeedRegistry;

const char kSuite[] =
    "[HKEY_LOCAL_MACHINE\\Software\\Tavrin\\Kelvane]\n"
    "\"Current Language\"=\"eng\"\n"
    "\"Current Resource\"=\"Dark\"\n";

int g_themeChanges = 0;
void CountThemeChange() { ++g_themeChanges; }

std::u16string LoadText(UINT id) {
  WCHAR buffer[64] = {u'x'};
  int length = TALIX_LoadString(id, buffer, 64);
  return std::u16string(buffer, length);
}

class ResourceModules : public ::testing::Test {
 protected:
  void SetUp() override {
    talix::frame::RecreateResourceHandler();
    g_themeChanges = 0;
    talix::frame::SetThemeChangeHook(&CountThemeChange);
  }
  void TearDown() override {
    talix::frame::SetThemeChangeHook(nullptr);
    talix::frame::RecreateResourceHandler();
  }
};

TEST_F(ResourceModules, LanguageAndThemeModulesLoadFromTheRegistry) {
  LibraryFolder folder;
  SeedRegistry(std::string(kSuite) + "[HKEY_CURRENT_USER\\Software\\Tavrin\\Kelvane]\n\"Theme\"=\"Dark\"\n");
  EXPECT_EQ(LoadText(2), u"OK");
  HINSTANCE language = TALIX_GetCommonWDP();
  ASSERT_NE(language, nullptr);
  EXPECT_EQ(TALIX_GetCommonWDP(), language);
  EXPECT_EQ(std::u16string(talix::frame::ResourceHandler()->GetLanguageName()), u"eng");
  HINSTANCE theme = TALIX_GetCommonSKX();
  ASSERT_NE(theme, nullptr);
  EXPECT_EQ(TALIX_GetCommonSKX(), theme);
  EXPECT_EQ(g_themeChanges, 1);
}

TEST_F(ResourceModules, HebrewModuleCarriesHebrewTexts) {
  LibraryFolder folder;
  SeedRegistry("[HKEY_LOCAL_MACHINE\\Software\\Tavrin\\Kelvane]\n\"Current Language\"=\"heb\"\n");
  EXPECT_EQ(LoadText(2), u"אישור");
}

TEST_F(ResourceModules, ThemeFollowsTheUserValue) {
  LibraryFolder folder;
  SeedRegistry(std::string(kSuite) + "[HKEY_CURRENT_USER\\Software\\Tavrin\\Kelvane]\n\"Theme\"=\"Dark\"\n");
  HINSTANCE dark = TALIX_GetCommonSKX();
  ASSERT_NE(dark, nullptr);
  // Another letter case names the same theme: no reload.
  SeedRegistry(std::string(kSuite) + "[HKEY_CURRENT_USER\\Software\\Tavrin\\Kelvane]\n\"Theme\"=\"DARK\"\n");
  EXPECT_EQ(TALIX_GetCommonSKX(), dark);
  EXPECT_EQ(g_themeChanges, 1);
  // An empty user value keeps the current module; "Current Resource" is not consulted.
  SeedRegistry(std::string(kSuite) + "[HKEY_CURRENT_USER\\Software\\Tavrin\\Kelvane]\n\"Theme\"=\"\"\n");
  EXPECT_EQ(TALIX_GetCommonSKX(), dark);
  // A change to a missing theme frees the old module and drops the caches.
  SeedRegistry(std::string(kSuite) + "[HKEY_CURRENT_USER\\Software\\Tavrin\\Kelvane]\n\"Theme\"=\"Light\"\n");
  EXPECT_EQ(TALIX_GetCommonSKX(), nullptr);
  EXPECT_EQ(g_themeChanges, 2);
  EXPECT_EQ(FindResourceW(dark, MAKEINTRESOURCEW(1), RT_VERSION), nullptr);
  // Retried at the next request.
  SeedRegistry(std::string(kSuite) + "[HKEY_CURRENT_USER\\Software\\Tavrin\\Kelvane]\n\"Theme\"=\"Dark\"\n");
  EXPECT_NE(TALIX_GetCommonSKX(), nullptr);
}

TEST_F(ResourceModules, EmptyUserThemeWithoutModuleGivesNull) {
  LibraryFolder folder;
  SeedRegistry(std::string(kSuite) + "[HKEY_CURRENT_USER\\Software\\Tavrin\\Kelvane]\n\"Theme\"=\"\"\n");
  EXPECT_EQ(TALIX_GetCommonSKX(), nullptr);
  EXPECT_EQ(g_themeChanges, 0);
}

TEST_F(ResourceModules, InstalledThemeServesWhenTheUserHasNone) {
  LibraryFolder folder;
  SeedRegistry(kSuite);
  EXPECT_NE(TALIX_GetCommonSKX(), nullptr);
}

// Values that must not name a module: wrong types, data without room for a terminator.
TEST_F(ResourceModules, UnfitRegistryValuesAreRefused) {
  LibraryFolder folder;
  const std::string values[] = {
      "\"Current Language\"=dword:00000001\n",
      "\"Current Language\"=hex:65,00,6e,00,67,00\n",
      "\"Current Language\"=\"" + std::string(300, 'e') + "\"\n",
  };
  for (const std::string& value : values) {
    SeedRegistry("[HKEY_LOCAL_MACHINE\\Software\\Tavrin\\Kelvane]\n" + value);
    WCHAR buffer[MAX_PATH];
    EXPECT_FALSE(CResHandler::ReadSuiteValue(u"Current Language", HKEY_LOCAL_MACHINE, buffer, MAX_PATH)) << value;
    EXPECT_EQ(buffer[0], 0) << value;
    EXPECT_EQ(TALIX_GetCommonWDP(), nullptr) << value;
  }
}

TEST_F(ResourceModules, ValueFillingTheBufferIsTerminated) {
  LibraryFolder folder;
  SeedRegistry("[HKEY_LOCAL_MACHINE\\Software\\Tavrin\\Kelvane]\n\"Current Language\"=\"abcdefg\"\n");
  WCHAR buffer[8];
  EXPECT_TRUE(CResHandler::ReadSuiteValue(u"Current Language", HKEY_LOCAL_MACHINE, buffer, 8));
  EXPECT_EQ(std::u16string(buffer), u"abcdefg");
  WCHAR small[7];
  EXPECT_FALSE(CResHandler::ReadSuiteValue(u"Current Language", HKEY_LOCAL_MACHINE, small, 7));
  EXPECT_EQ(small[0], 0);
}

// Without a maker name there is no key to read: no KVNL.dll, a module without the
// function, a module whose maker is unset.
TEST_F(ResourceModules, NoMakerNameMeansNoModules) {
  struct Case {
    const char* variant;
    std::string ini;
  };
  const Case cases[] = {{"none", ""}, {"textonly", LibraryFolder::DefaultIni()}, {"", "KVNL=Tavrin\n"}};
  for (const Case& c : cases) {
    LibraryFolder folder(c.variant, c.ini);
    SeedRegistry(kSuite);
    WCHAR buffer[4] = {u'x', u'y', u'z', 0};
    EXPECT_EQ(TALIX_LoadString(2, buffer, 4), 0) << c.variant;
    EXPECT_EQ(buffer[0], 0) << c.variant;
    EXPECT_EQ(TALIX_GetCommonWDP(), nullptr) << c.variant;
    EXPECT_EQ(TALIX_GetCommonSKX(), nullptr) << c.variant;
  }
}

TEST_F(ResourceModules, MissingLanguageModuleIsRetried) {
  LibraryFolder folder;
  SeedRegistry("[HKEY_LOCAL_MACHINE\\Software\\Tavrin\\Kelvane]\n\"Current Language\"=\"ara\"\n");
  EXPECT_EQ(TALIX_GetCommonWDP(), nullptr);
  SeedRegistry(kSuite);
  EXPECT_NE(TALIX_GetCommonWDP(), nullptr);
}

TEST_F(ResourceModules, ModulePathThatDoesNotFitGivesNull) {
  std::u16string deep = u"Z:\\" + std::u16string(240, u'd');
  talix::frame::SetLibraryFolderOverride(deep.c_str());
  EXPECT_EQ(CResHandler::LoadResourceModule(u"\\Resource\\", u"Dark", u"skx"), nullptr);
  EXPECT_EQ(CResHandler::LoadResourceModule(u"\\Resource\\", nullptr, u"skx"), nullptr);
  talix::frame::SetLibraryFolderOverride(nullptr);
}

TEST_F(ResourceModules, ExtensionWithItsOwnDotIsNotDoubled) {
  LibraryFolder folder;
  HINSTANCE module = CResHandler::LoadResourceModule(u"\\Resource\\", u"Dark", u".skx");
  ASSERT_NE(module, nullptr);
  FreeLibrary(module);
}

TEST_F(ResourceModules, AfterFinalizeEverythingFailsCleanly) {
  LibraryFolder folder;
  SeedRegistry(kSuite);
  HINSTANCE language = TALIX_GetCommonWDP();
  ASSERT_NE(language, nullptr);
  static int finalizeSteps = 0;
  talix::frame::AddFinalizeStep([] { ++finalizeSteps; });
  TALIX_Finalize();
  EXPECT_EQ(finalizeSteps, 1);
  // The module was freed with the handler.
  EXPECT_EQ(FindResourceW(language, MAKEINTRESOURCEW(1), RT_STRING), nullptr);
  EXPECT_EQ(TALIX_GetCommonWDP(), nullptr);
  EXPECT_EQ(TALIX_GetCommonSKX(), nullptr);
  WCHAR buffer[8] = {u'x'};
  EXPECT_EQ(TALIX_LoadString(2, buffer, 8), 0);
  EXPECT_EQ(buffer[0], 0);
}

}  // namespace
