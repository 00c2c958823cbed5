// Animated GIF: every frame is the whole screen at that step, with every disposal method,
// interlaced frames and transparent pixels, equal to the coalesced reference decode.
#include "tests/image/store/store_test_support.h"

using storetest::Fixture;
using storetest::FirstDifference;
using storetest::ReadHost;
using storetest::TestStore;

namespace {

constexpr int kWidth = 20, kHeight = 14;
constexpr size_t kFrameBytes = size_t(kWidth) * kHeight * 3;

struct AnimationCase {
  const char* file;
  const char* reference;
  int frames;
  std::vector<int> delays;  // milliseconds
  int loopCount;            // the store's after the load
};

class AnimatedGif : public ::testing::TestWithParam<AnimationCase> {};

TEST_P(AnimatedGif, FramesEqualTheCoalescedReference) {
  const AnimationCase& c = GetParam();
  TestStore store;
  ASSERT_NE(store.Load(Fixture(c.file)), nullptr) << store.GetLastError();
  ASSERT_EQ(store.GetNumberOfBitmaps(CNBitmapUtil::BT_IMAGE), c.frames);
  EXPECT_EQ(store.GetBitmapWidth(CNBitmapUtil::BT_IMAGE), kWidth);
  EXPECT_EQ(store.m_nLoopCount, c.loopCount);
  const std::vector<uint8_t> reference = ReadHost(Fixture(c.reference));
  ASSERT_EQ(reference.size(), kFrameBytes * size_t(c.frames));
  for (int i = 0; i < c.frames; ++i) {
    const std::vector<uint8_t> expected(reference.begin() + long(kFrameBytes) * i,
                                        reference.begin() + long(kFrameBytes) * (i + 1));
    const std::vector<uint8_t> actual = store.Pixels(CNBitmapUtil::BT_IMAGE, i);
    EXPECT_TRUE(actual == expected) << c.file << " frame " << i << ": " << FirstDifference(actual, expected);
    EXPECT_EQ(store.GetFrameDelay(CNBitmapUtil::BT_IMAGE, i), c.delays[size_t(i)]) << "frame " << i;
  }
}

// Delays 7, 12, 25 and 25 hundredths; NETSCAPE loop value 3 is stored as 4, 0 as 1.
const std::vector<int> kDelays = {70, 120, 250, 250};
INSTANTIATE_TEST_SUITE_P(
    Disposal, AnimatedGif,
    ::testing::Values(AnimationCase{"gif_anim_none.gif", "gif_anim_none.bgr", 4, kDelays, 4},
                      AnimationCase{"gif_anim_asis.gif", "gif_anim_asis.bgr", 4, kDelays, 4},
                      AnimationCase{"gif_anim_background.gif", "gif_anim_background.bgr", 4, kDelays, 4},
                      AnimationCase{"gif_anim_previous.gif", "gif_anim_previous.bgr", 4, kDelays, 4},
                      AnimationCase{"gif_anim_interlaced.gif", "gif_anim_none.bgr", 4, kDelays, 4},
                      AnimationCase{"gif_anim_transparent.gif", "gif_anim_transparent.bgr", 2, {0, 0}, 1}),
    [](const ::testing::TestParamInfo<AnimationCase>& info) {
      std::string name = info.param.file;
      return name.substr(9, name.size() - 13);
    });

// An animation loaded at index 2 occupies indexes 2 onwards and replaces the whole slot.
TEST(AnimatedGifSlot, ReplacesTheSlotAndStartsAtTheIndex) {
  TestStore store;
  ASSERT_NE(store.Load(Fixture("png_rgb8.png"), CNBitmapUtil::BT_IMAGE, 7), nullptr);
  ASSERT_NE(store.Load(Fixture("gif_anim_none.gif"), CNBitmapUtil::BT_IMAGE, 2), nullptr);
  EXPECT_EQ(store.GetFirstBitmapIndex(CNBitmapUtil::BT_IMAGE), 2);
  EXPECT_EQ(store.GetNumberOfBitmaps(CNBitmapUtil::BT_IMAGE), 4);
  EXPECT_EQ(store.GetBitmapHandle(CNBitmapUtil::BT_IMAGE, 7), nullptr);
}

// The store's GIF background colour, when set, clears disposed areas instead of the file's.
TEST(AnimatedGifSlot, StoreBackgroundColourWins) {
  TestStore store;
  store.SetGIFBkColor(0x0000FF);  // red as COLORREF
  ASSERT_NE(store.Load(Fixture("gif_anim_background.gif")), nullptr);
  const std::vector<uint8_t> frame0 = store.Pixels(CNBitmapUtil::BT_IMAGE, 0);
  const std::vector<uint8_t> frame2 = store.Pixels(CNBitmapUtil::BT_IMAGE, 2);
  ASSERT_FALSE(frame2.empty());
  // Pixel (2, 3) lay under frame 1, disposed to the background before frame 2.
  const size_t at = (size_t(3) * kWidth + 2) * 3;
  EXPECT_EQ(frame2[at + 2], 255);
  EXPECT_EQ(frame2[at], 0);
  // Frame 0 is drawn over the background but covers the whole screen.
  EXPECT_EQ(frame0[at], 255);
}

}  // namespace
