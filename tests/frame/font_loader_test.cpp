// Embedded fonts: added once per process from the theme module, in slot order
// 34004, 34003, 34001, 34002, skipped when a resource is not a font, removed by
// TALIX_Finalize; and the standard face handed to callers.
#include "loader_fixture.h"

#include "frame/EmbeddedFonts.h"
#include "frame/LibraryExports.h"
#include "frame/ResourceLoaders.h"

#include <gtest/gtest.h>
#include <talix/host_handles.h>

#include <cstring>

namespace {

using frametest::LoaderTest;
using talix::frame::EmbeddedFonts;

size_t LiveFonts() { return talix::host::LiveHandles(talix::HandleKind::FontResource); }

// The test theme has 34001 and 34003 as real fonts and 34004 as bytes that are not a
// font; 34002 is missing.
TEST_F(LoaderTest, FontsAreAddedOnceAndRemovedAtFinalize) {
  const size_t before = LiveFonts();
  KvnLoadFont(nullptr);
  EXPECT_TRUE(EmbeddedFonts().loaded);
  EXPECT_EQ(EmbeddedFonts().fonts[0], nullptr);  // 34004: not a font
  EXPECT_NE(EmbeddedFonts().fonts[1], nullptr);  // 34003
  EXPECT_NE(EmbeddedFonts().fonts[2], nullptr);  // 34001
  EXPECT_EQ(EmbeddedFonts().fonts[3], nullptr);  // 34002: missing
  EXPECT_EQ(LiveFonts(), before + 2);
  LOGFONTW lf;
  KvnLoadFont(&lf);
  EXPECT_EQ(LiveFonts(), before + 2);

  TALIX_Finalize();
  EXPECT_EQ(LiveFonts(), before);
  EXPECT_TRUE(EmbeddedFonts().loaded);
  KvnLoadFont(nullptr);
  EXPECT_EQ(LiveFonts(), before);
}

// The lookup happens once per process, even when the theme module was not there yet.
TEST_F(LoaderTest, FontsAreLookedForOnlyOnce) {
  UseTheme("");
  const size_t before = LiveFonts();
  KvnLoadFont(nullptr);
  EXPECT_TRUE(EmbeddedFonts().loaded);
  UseTheme("loaders_theme");
  ASSERT_NE(TALIX_GetCommonSKX(), nullptr);
  KvnLoadFont(nullptr);
  EXPECT_EQ(LiveFonts(), before);
  for (HANDLE font : EmbeddedFonts().fonts) EXPECT_EQ(font, nullptr);
}

// After TALIX_Finalize no font is added: nothing would remove it.
TEST_F(LoaderTest, NoFontsAreAddedAfterFinalize) {
  const size_t before = LiveFonts();
  TALIX_Finalize();
  KvnLoadFont(nullptr);
  EXPECT_FALSE(EmbeddedFonts().loaded);
  EXPECT_EQ(LiveFonts(), before);
}

TEST_F(LoaderTest, StandardFaceIsArialWithDefaultCharsetAndClearTypeQuality) {
  LOGFONTW lf;
  std::memset(&lf, 0xCD, sizeof(lf));
  KvnLoadFont(&lf);
  LOGFONTW expected;
  std::memset(&expected, 0, sizeof(expected));
  std::memcpy(expected.lfFaceName, u"Arial", sizeof(u"Arial"));
  expected.lfCharSet = DEFAULT_CHARSET;
  expected.lfQuality = CLEARTYPE_QUALITY;
  EXPECT_EQ(std::memcmp(&lf, &expected, sizeof(lf)), 0);
}

}  // namespace
