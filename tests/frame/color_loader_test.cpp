// Colours kept as text: parsing (wrapping, capping, malformed and cut texts), the cache
// keyed by (module, id), its reset on a theme change and the missing-module cases.
#include "loader_fixture.h"

#include "frame/LibraryExports.h"
#include "frame/ResourceLoaders.h"
#include "frame/StrColorLoader.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

namespace {

using frametest::LoaderTest;

size_t CachedColors() { return talix::frame::ColorLoader()->CachedCount(); }

TEST(ColorText, ComponentsAreDigitRunsAfterCommasWrappedAndCapped) {
  struct Case {
    const char16_t* text;
    COLORREF expected;
  };
  const Case cases[] = {
      {u"192,192,192", RGB(192, 192, 192)},
      {u"255,128,0", RGB(255, 128, 0)},
      {u"300,0,0", RGB(255, 0, 0)},            // capped at 255
      {u" 12,3,4", RGB(0, 3, 4)},              // a leading blank ends red at once
      {u"7", RGB(7, 0, 0)},                    // missing components are 0
      {u"255,255", RGB(255, 255, 0)},
      {u"65537,1,1", RGB(1, 1, 1)},            // 16-bit accumulation wraps
      {u"65535,65536,99999", RGB(255, 0, 255)},
      {u"abc", 0},
      {u"12a,x5,,9", RGB(12, 0, 0)},           // blue starts at the second comma's end
      {u"-5,+7,1", RGB(0, 0, 1)},              // signs are not digits
      {u"1,2,3,4", RGB(1, 2, 3)},
      {u",,", 0},
      {u"", 0},
      {nullptr, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CStrColorLoader::ParseColorText(c.text), c.expected)
        << (c.text ? std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text)) : "null");
}

// Strings 600-613 of the test theme, read through the theme module (null module).
TEST_F(LoaderTest, ColorsComeFromTheThemeModulesStrings) {
  struct Case {
    UINT id;
    COLORREF expected;
  };
  const Case cases[] = {
      {600, RGB(192, 192, 192)}, {601, RGB(255, 128, 0)}, {602, RGB(255, 0, 0)},
      {603, RGB(0, 3, 4)},       {604, RGB(7, 0, 0)},     {605, RGB(255, 255, 0)},
      {606, RGB(1, 1, 1)},       {607, 0},                {608, 0},
      {609, RGB(12, 0, 0)},
      // "0000000000000000,255,77": only 19 characters are read, so green is cut to 25
      // and the second comma is never seen.
      {610, RGB(0, 25, 0)},
      {611, RGB(255, 0, 255)},   {612, RGB(0, 0, 1)},     {613, RGB(10, 20, 30)},
  };
  for (const Case& c : cases) EXPECT_EQ(KvnLoadColor(nullptr, c.id), c.expected) << c.id;
  EXPECT_EQ(CachedColors(), std::size(cases));
}

// "0,0,0" and a missing string both give black; only the first is kept.
TEST_F(LoaderTest, MissingStringsAreNotCached) {
  EXPECT_EQ(KvnLoadColor(nullptr, 650), 0u);
  EXPECT_EQ(CachedColors(), 0u);
  EXPECT_EQ(KvnLoadColor(nullptr, 607), 0u);
  EXPECT_EQ(CachedColors(), 1u);
  COLORREF color = 0xDEADBEEF;
  EXPECT_EQ(talix::frame::ColorLoader()->LoadColor(TALIX_GetCommonSKX(), 650, &color), 0);
  EXPECT_EQ(color, 0xDEADBEEFu);
}

// The same id of two modules gives two entries; a cached entry is served without reading
// the module again (here: after the module was freed).
TEST_F(LoaderTest, CacheIsKeyedByModuleAndId) {
  HINSTANCE second = MapTheme("loaders_theme2");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(KvnLoadColor(nullptr, 600), RGB(192, 192, 192));
  EXPECT_EQ(KvnLoadColor(second, 600), RGB(1, 2, 3));
  EXPECT_EQ(CachedColors(), 2u);
  ASSERT_TRUE(FreeLibrary(second));
  EXPECT_EQ(KvnLoadColor(second, 600), RGB(1, 2, 3));
  EXPECT_EQ(KvnLoadColor(second, 601), 0u);
  EXPECT_EQ(CachedColors(), 2u);
}

TEST_F(LoaderTest, ThemeChangeEmptiesTheColorCache) {
  EXPECT_EQ(KvnLoadColor(nullptr, 600), RGB(192, 192, 192));
  EXPECT_EQ(KvnLoadColor(nullptr, 601), RGB(255, 128, 0));
  EXPECT_EQ(CachedColors(), 2u);
  frametest::SeedRegistry(
      "[HKEY_LOCAL_MACHINE\\Software\\Tavrin\\Kelvane]\n\"Current Resource\"=\"loaders_theme\"\n"
      "[HKEY_CURRENT_USER\\Software\\Tavrin\\Kelvane]\n\"Theme\"=\"loaders_theme2\"\n");
  EXPECT_EQ(KvnLoadColor(nullptr, 600), RGB(1, 2, 3));
  EXPECT_EQ(CachedColors(), 1u);
  EXPECT_EQ(KvnLoadColor(nullptr, 601), 0u);
}

// Without a theme module nothing is read (a null module would search the host's strings)
// and nothing is cached.
TEST_F(LoaderTest, NoThemeModuleGivesBlackAndCachesNothing) {
  UseTheme("");
  EXPECT_EQ(TALIX_GetCommonSKX(), nullptr);
  EXPECT_EQ(KvnLoadColor(nullptr, 600), 0u);
  COLORREF color = 1;
  EXPECT_EQ(talix::frame::ColorLoader()->LoadColor(nullptr, 600, &color), 0);
  EXPECT_EQ(color, 1u);
  EXPECT_EQ(CachedColors(), 0u);
}

}  // namespace
