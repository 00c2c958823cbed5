// The byte layout of written files: header, screen descriptor, global table, loop block,
// control extensions, image descriptor, LZW data in sub-blocks, trailer.
#include "gif_test_support.h"

#include "image/gif/fixed_palette.h"

#include <cstring>

namespace {

using giftest::MakeBitmap24;
using giftest::TempFile;

constexpr size_t kTableEnd = 13 + 256 * 3;

std::vector<uint8_t> SaveFrames(const std::string& name, int frames, int loopCount,
                                std::vector<int> delays, uint32_t colour = 0xFF0000) {
  CGifLibrary gif;
  for (int i = 0; i < frames; ++i) {
    HBITMAP bitmap = MakeBitmap24(2, 2, [&](int, int) { return colour; });
    EXPECT_TRUE(gif.AddFrame(bitmap, i == 0));
    DeleteObject(bitmap);
  }
  gif.m_loopCount = loopCount;
  for (size_t i = 0; i < delays.size(); ++i) gif.m_delays[i] = delays[i];
  TempFile file(name);
  EXPECT_TRUE(gif.Save(file.Windows().c_str()));
  return file.Bytes();
}

int Word(const std::vector<uint8_t>& b, size_t at) { return b[at] | b[at + 1] << 8; }

TEST(GifLayout, StillPictureIsByteExact) {
  std::vector<uint8_t> bytes = SaveFrames("still", 1, 0, {55});
  std::vector<uint8_t> expected = {'G', 'I', 'F', '8', '9', 'a', 2, 0, 2, 0, 0xF7, 0, 0};
  for (uint32_t c : talix::gif::kFixedPalette) {
    expected.push_back(uint8_t(c >> 16));
    expected.push_back(uint8_t(c >> 8));
    expected.push_back(uint8_t(c));
  }
  // A still picture carries the default delay of one second, not the caller's delay.
  std::vector<uint8_t> tail = {0x21, 0xF9, 0x04, 0x00, 100, 0, 0x00, 0x00,
                               0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0x00,
                               // Minimum code size 8; codes clear, 249, 249 249, 249, end
                               // (256, 249, 258, 249, 257) in 9 bits, low bit first.
                               8, 6, 0x00, 0xF3, 0x09, 0xCC, 0x17, 0x10, 0x00, 0x3B};
  expected.insert(expected.end(), tail.begin(), tail.end());
  EXPECT_EQ(bytes, expected);
}

TEST(GifLayout, FixedPaletteAnchors) {
  const uint32_t* p = talix::gif::kFixedPalette;
  EXPECT_EQ(p[0], 0x000000u);
  EXPECT_EQ(p[7], 0xC0C0C0u);
  EXPECT_EQ(p[40], 0xFE0000u);
  EXPECT_EQ(p[249], 0xFF0000u);
  EXPECT_EQ(p[255], 0xFFFFFFu);
  for (int i = 0; i < 20; ++i) {  // greys F2F2F2 down to 0E0E0E in steps of 12
    uint32_t level = uint32_t(0xF2 - 12 * i);
    EXPECT_EQ(p[226 + i], level << 16 | level << 8 | level) << i;
  }
}

struct LoopCase {
  int loopCount;
  bool hasBlock;
  int value;
};

TEST(GifLayout, LoopBlockFollowsLoopCount) {
  const LoopCase cases[] = {{0, true, 0}, {1, false, 0}, {2, true, 1}, {3, true, 2},
                            {70000, true, 65535}, {-5, true, 0}};
  for (const LoopCase& c : cases) {
    SCOPED_TRACE(c.loopCount);
    std::vector<uint8_t> b = SaveFrames("loop", 2, c.loopCount, {});
    ASSERT_GT(b.size(), kTableEnd + 19);
    if (!c.hasBlock) {
      EXPECT_EQ(b[kTableEnd], 0x21);
      EXPECT_EQ(b[kTableEnd + 1], 0xF9);
      continue;
    }
    const uint8_t block[] = {0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E',
                             '2', '.', '0', 0x03, 0x01};
    EXPECT_EQ(std::memcmp(&b[kTableEnd], block, sizeof block), 0);
    EXPECT_EQ(Word(b, kTableEnd + 16), c.value);
    EXPECT_EQ(b[kTableEnd + 18], 0x00);
  }
}

TEST(GifLayout, AnimationWritesEachFramesDelayClamped) {
  std::vector<uint8_t> b = SaveFrames("delays", 3, 1, {7, 300000, -4});
  // Without a loop block: each frame is a control extension then an image.
  size_t at = kTableEnd;
  const int expectedDelays[] = {7, 65535, 0};
  for (int expected : expectedDelays) {
    ASSERT_LT(at + 18, b.size());
    EXPECT_EQ(b[at], 0x21);
    EXPECT_EQ(b[at + 1], 0xF9);
    EXPECT_EQ(b[at + 3], 0x00);
    EXPECT_EQ(Word(b, at + 4), expected);
    at += 8;
    EXPECT_EQ(b[at], 0x2C);
    at += 10;
    EXPECT_EQ(b[at++], 8);
    while (b[at] != 0) at += b[at] + 1u;  // skip the data sub-blocks
    ++at;
  }
  EXPECT_EQ(at + 1, b.size());
  EXPECT_EQ(b[at], 0x3B);
}

TEST(GifLayout, DataSubBlocksAreFullExceptTheLast) {
  // Noise compresses badly, so the data spans many sub-blocks.
  uint32_t seed = 12345;
  HBITMAP bitmap = MakeBitmap24(120, 90, [&](int, int) {
    seed = seed * 1103515245u + 12345u;
    return seed >> 8;
  });
  CGifLibrary gif;
  ASSERT_TRUE(gif.AddFrame(bitmap, true));
  DeleteObject(bitmap);
  TempFile file("blocks");
  ASSERT_TRUE(gif.Save(file.Windows().c_str()));
  std::vector<uint8_t> b = file.Bytes();
  size_t at = kTableEnd + 8 + 10 + 1;
  std::vector<int> sizes;
  while (at < b.size() && b[at] != 0) {
    sizes.push_back(b[at]);
    at += b[at] + 1u;
  }
  ASSERT_GT(sizes.size(), 10u);
  for (size_t i = 0; i + 1 < sizes.size(); ++i) EXPECT_EQ(sizes[i], 254) << i;
  EXPECT_LE(sizes.back(), 254);
  EXPECT_EQ(at + 2, b.size());  // block terminator, then the trailer
  EXPECT_EQ(b.back(), 0x3B);
}

}  // namespace
