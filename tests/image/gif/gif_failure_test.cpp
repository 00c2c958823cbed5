// Refused frames and failed saves.
#include "gif_test_support.h"

#include <filesystem>

namespace {

using giftest::MakeBitmap24;
using giftest::MakeIndexedBitmap;
using giftest::TempFile;

HBITMAP Solid(int width, int height) {
  return MakeBitmap24(width, height, [](int, int) { return 0x336699u; });
}

bool AddSolid(CGifLibrary& gif, int width, int height, bool first) {
  HBITMAP bitmap = Solid(width, height);
  bool added = gif.AddFrame(bitmap, first);
  DeleteObject(bitmap);
  return added;
}

TEST(GifFailure, SaveWithoutFramesFails) {
  CGifLibrary gif;
  TempFile file("empty");
  EXPECT_FALSE(gif.Save(file.Windows().c_str()));
}

TEST(GifFailure, FrameOfAnotherSizeIsRefused) {
  CGifLibrary gif;
  ASSERT_TRUE(AddSolid(gif, 4, 3, true));
  EXPECT_FALSE(AddSolid(gif, 3, 4, false));
  EXPECT_FALSE(AddSolid(gif, 4, 4, false));
  EXPECT_EQ(gif.m_count, 1);
  // A new sequence starts over, so another size is fine there.
  EXPECT_TRUE(AddSolid(gif, 3, 4, true));
  EXPECT_EQ(gif.m_count, 1);
}

TEST(GifFailure, HundredFramesAtMost) {
  CGifLibrary gif;
  HBITMAP bitmap = Solid(2, 2);
  for (int i = 0; i < 100; ++i) ASSERT_TRUE(gif.AddFrame(bitmap, i == 0)) << i;
  EXPECT_FALSE(gif.AddFrame(bitmap, false));
  EXPECT_EQ(gif.m_count, 100);
  DeleteObject(bitmap);
}

TEST(GifFailure, StartingANewSequenceResetsTheSettings) {
  CGifLibrary gif;
  ASSERT_TRUE(AddSolid(gif, 2, 2, true));
  gif.m_delays[0] = 50;
  gif.m_loopCount = 4;
  gif.m_errorDiffusion = false;
  ASSERT_TRUE(AddSolid(gif, 2, 2, true));
  EXPECT_EQ(gif.m_delays[0], 0);
  EXPECT_EQ(gif.m_loopCount, 0);
  EXPECT_TRUE(gif.m_errorDiffusion);
}

TEST(GifFailure, UnreadableBitmapIsRefused) {
  CGifLibrary gif;
  EXPECT_FALSE(gif.AddFrame(nullptr, true));
  EXPECT_FALSE(gif.AddFrame(reinterpret_cast<HBITMAP>(uintptr_t(0x7777)), false));
  EXPECT_EQ(gif.m_count, 0);
}

TEST(GifFailure, UnwritablePathFails) {
  CGifLibrary gif;
  ASSERT_TRUE(AddSolid(gif, 2, 2, true));
  EXPECT_FALSE(gif.Save(u"Z:\\no_such_folder_for_talix\\x.gif"));
  EXPECT_FALSE(gif.Save(nullptr));
}

TEST(GifFailure, ShallowStillPictureIsNotWritten) {
  for (int bpp : {1, 4}) {
    HBITMAP bitmap = MakeIndexedBitmap(4, 4, bpp, {0x000000, 0xFFFFFF}, [](int x, int) { return x & 1; });
    CGifLibrary gif;
    ASSERT_TRUE(gif.AddFrame(bitmap, true));
    TempFile file("shallow");
    EXPECT_FALSE(gif.Save(file.Windows().c_str())) << bpp;
    // As animations, shallow frames are written with their own code size.
    ASSERT_TRUE(gif.AddFrame(bitmap, false));
    EXPECT_TRUE(gif.Save(file.Windows().c_str())) << bpp;
    DeleteObject(bitmap);
    giftest::DecodedGif decoded = giftest::Decode(file.Host());
    ASSERT_TRUE(decoded) << bpp;
    EXPECT_EQ(decoded->SColorMap->ColorCount, 1 << bpp);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(decoded->SavedImages[1].RasterBits[i], i & 1);
  }
}

}  // namespace
