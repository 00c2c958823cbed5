// Every id of theme_ids.h is in the built theme module with the type, size and mask the
// generator's manifest gives, and the module holds exactly the generated files.
#include <set>

#include "image/NBitmapUtil.h"
#include "theme_module_fixture.h"

namespace themetest {
namespace {

TEST_F(ThemeModuleTest, EveryHeaderIdIsInTheManifestUnderItsOwnNumber) {
  ASSERT_NE(module_, nullptr);
  ASSERT_FALSE(ids_.empty());
  std::set<int> numbers;
  for (const auto& [name, id] : ids_) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(numbers.insert(id).second) << "two names share the id " << id;
    const Entry* entry = manifest_.Find(name);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->id, id);
  }
  EXPECT_EQ(manifest_.entries.size(), ids_.size());
}

TEST_F(ThemeModuleTest, PicturesLoadWithTheirSizeAndTheirMask) {
  const std::vector<const Entry*> pictures = manifest_.OfKind("PICTURE");
  EXPECT_GT(pictures.size(), 100u);
  for (const Entry* picture : pictures) {
    const Entry& e = *picture;
    SCOPED_TRACE(e.name);
    LPCWSTR type = e.type == "PNG" ? u"PNG" : RT_BITMAP;
    std::string bytes = ResourceBytes(e.id, type);
    ASSERT_FALSE(bytes.empty());
    std::string file = ReadFile(manifest_.folder / e.file);
    // A BITMAP resource is its file without the 14-byte file header.
    EXPECT_EQ(bytes, e.type == "PNG" ? file : file.substr(14));

    CNBitmapUtil store;
    ASSERT_NE(store.NLoadBitmap(module_, e.id), nullptr);
    EXPECT_EQ(store.GetBitmapWidth(CNBitmapUtil::BT_IMAGE), e.width);
    EXPECT_EQ(store.GetBitmapHeight(CNBitmapUtil::BT_IMAGE), e.height);
    EXPECT_EQ(store.GetBitmapHandle(CNBitmapUtil::BT_ALPHA, 0) != nullptr, e.alpha);
  }
}

TEST_F(ThemeModuleTest, ColoursAreRgbTexts) {
  const std::vector<const Entry*> colours = manifest_.OfKind("COLOR");
  EXPECT_FALSE(colours.empty());
  for (const Entry* colour : colours) {
    const Entry& e = *colour;
    SCOPED_TRACE(e.name);
    WCHAR text[20] = {};
    ASSERT_GT(LoadStringW(module_, e.id, text, 20), 0);
    std::string expected = std::to_string(e.r) + "," + std::to_string(e.g) + "," + std::to_string(e.b);
    EXPECT_EQ(std::u16string(text), std::u16string(expected.begin(), expected.end()));
  }
}

TEST_F(ThemeModuleTest, FontsAreTrueTypeFilesTheFontTableTakes) {
  const std::vector<const Entry*> fonts = manifest_.OfKind("FONT");
  EXPECT_EQ(fonts.size(), 4u);
  for (const Entry* font_entry : fonts) {
    const Entry& e = *font_entry;
    SCOPED_TRACE(e.name);
    std::string bytes = ResourceBytes(e.id, u"TTF");
    ASSERT_GT(bytes.size(), 12u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\0\1\0\0", 4));
    DWORD count = 0;
    HANDLE font = AddFontMemResourceEx(bytes.data(), DWORD(bytes.size()), nullptr, &count);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(count, 1u);
    EXPECT_TRUE(RemoveFontMemResourceEx(font));
  }
}

TEST_F(ThemeModuleTest, WindowIconHasEveryDescribedSize) {
  const std::vector<const Entry*> icons = manifest_.OfKind("ICON");
  EXPECT_FALSE(icons.empty());
  for (const Entry* icon_entry : icons) {
    const Entry& e = *icon_entry;
    SCOPED_TRACE(e.name);
    ASSERT_FALSE(e.sizes.empty());
    ASSERT_FALSE(ResourceBytes(e.id, RT_GROUP_ICON).empty());
    for (int size : e.sizes) {
      HICON icon = static_cast<HICON>(
          LoadImageW(module_, MAKEINTRESOURCEW(e.id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
      ASSERT_NE(icon, nullptr) << size;
      ICONINFO info = {};
      ASSERT_TRUE(GetIconInfo(icon, &info));
      BITMAP colour = {};
      GetObjectW(info.hbmColor, sizeof colour, &colour);
      EXPECT_EQ(colour.bmWidth, size);
      DeleteObject(info.hbmColor);
      DeleteObject(info.hbmMask);
      DestroyIcon(icon);
    }
  }
}

}  // namespace
}  // namespace themetest
