// The transfer animations: "AVI" resources holding the generated files, one 8-bit video
// stream of the described size and frame count, the right-to-left one mirrored.
#include <cstdint>
#include <algorithm>
#include <cstring>

#include "theme_module_fixture.h"

namespace themetest {
namespace {

uint32_t Le32(const std::string& s, size_t at) {
  uint32_t v = 0;
  if (at + 4 <= s.size()) std::memcpy(&v, s.data() + at, 4);
  return v;
}

// The data of the first chunk `fourcc` after `from`, or empty.
std::string ChunkData(const std::string& avi, const char* fourcc, size_t from = 0) {
  size_t at = avi.find(fourcc, from);
  if (at == std::string::npos) return {};
  uint32_t size = Le32(avi, at + 4);
  return at + 8 + size <= avi.size() ? avi.substr(at + 8, size) : std::string();
}

std::string FirstFrame(const std::string& avi) { return ChunkData(avi, "00db", avi.find("movi")); }

TEST_F(ThemeModuleTest, AnimationsAreEightBitVideoOfTheDescribedSize) {
  const std::vector<const Entry*> animations = manifest_.OfKind("ANIMATION");
  ASSERT_EQ(animations.size(), 2u);
  for (const Entry* entry : animations) {
    const Entry& e = *entry;
    SCOPED_TRACE(e.name);
    std::string bytes = ResourceBytes(e.id, u"AVI");
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(bytes, ReadFile(manifest_.folder / e.file));
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(bytes.substr(8, 4), "AVI ");
    std::string header = ChunkData(bytes, "avih");
    ASSERT_EQ(header.size(), 56u);
    EXPECT_EQ(Le32(header, 16), uint32_t(e.frames));
    EXPECT_EQ(Le32(header, 32), uint32_t(e.width));
    EXPECT_EQ(Le32(header, 36), uint32_t(e.height));
    std::string format = ChunkData(bytes, "strf");
    ASSERT_GE(format.size(), 40u);
    EXPECT_EQ(Le32(format, 12) >> 16, 8u);  // biBitCount
    EXPECT_EQ(Le32(format, 16), 0u);        // BI_RGB
    EXPECT_EQ(FirstFrame(bytes).size(), size_t((e.width + 3) / 4 * 4 * e.height));
  }
}

TEST_F(ThemeModuleTest, RightToLeftAnimationIsThePlainOneMirrored) {
  const Entry* plain = manifest_.Find("IDR_TRANSFER_ANIMATION");
  const Entry* mirrored = manifest_.Find("IDR_TRANSFER_ANIMATION_RTL");
  ASSERT_TRUE(plain && mirrored);
  std::string a = FirstFrame(ResourceBytes(plain->id, u"AVI"));
  std::string b = FirstFrame(ResourceBytes(mirrored->id, u"AVI"));
  ASSERT_FALSE(a.empty());
  ASSERT_EQ(a.size(), b.size());
  const size_t stride = size_t((plain->width + 3) / 4 * 4);
  for (size_t row = 0; row + stride <= a.size(); row += stride) {
    std::string flipped = a.substr(row, size_t(plain->width));
    std::reverse(flipped.begin(), flipped.end());
    EXPECT_EQ(b.substr(row, size_t(plain->width)), flipped) << "row " << row / stride;
  }
  EXPECT_NE(a, b);
}

}  // namespace
}  // namespace themetest
