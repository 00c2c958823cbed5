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
  int pictures = 0;
  for (const Entry& e : manifest_.entries) {
    if (e.kind != "PICTURE") continue;
    SCOPED_TRACE(e.name);
    ++pictures;
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
  EXPECT_GT(pictures, 100);
}

TEST_F(ThemeModuleTest, ColoursAreRgbTexts) {
  for (const Entry& e : manifest_.entries) {
    if (e.kind != "COLOR") continue;
    SCOPED_TRACE(e.name);
    WCHAR text[20] = {};
    ASSERT_GT(LoadStringW(module_, e.id, text, 20), 0);
    std::string expected = std::to_string(e.r) + "," + std::to_string(e.g) + "," + std::to_string(e.b);
    EXPECT_EQ(std::u16string(text), std::u16string(expected.begin(), expected.end()));
  }
}

TEST_F(ThemeModuleTest, FontsAreTrueTypeFilesTheFontTableTakes) {
  int fonts = 0;
  for (const Entry& e : manifest_.entries) {
    if (e.kind != "FONT") continue;
    SCOPED_TRACE(e.name);
    ++fonts;
    std::string bytes = ResourceBytes(e.id, u"TTF");
    ASSERT_GT(bytes.size(), 12u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\0\1\0\0", 4));
    DWORD count = 0;
    HANDLE font = AddFontMemResourceEx(bytes.data(), DWORD(bytes.size()), nullptr, &count);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(count, 1u);
    EXPECT_TRUE(RemoveFontMemResourceEx(font));
  }
  EXPECT_EQ(fonts, 4);
}

TEST_F(ThemeModuleTest, WindowIconHasEveryDescribedSize) {
  for (const Entry& e : manifest_.entries) {
    if (e.kind != "ICON") continue;
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
