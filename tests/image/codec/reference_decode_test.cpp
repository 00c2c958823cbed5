// Every fixture decodes to the same pixels as its committed reference decode.
#include "tests/image/codec/libjpeg_reference.h"
#include "tests/image/store/store_test_support.h"

using storetest::Fixture;
using storetest::FirstDifference;
using storetest::LibjpegDecodeBgr;
using storetest::ReadHost;
using storetest::TestStore;

namespace {

struct ReferenceCase {
  const char* file;
  const char* reference;
  int width, height;
};

class ReferenceDecode : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(ReferenceDecode, PixelsEqualTheReference) {
  const ReferenceCase& c = GetParam();
  TestStore store;
  ASSERT_NE(store.Load(Fixture(c.file)), nullptr) << c.file << " error " << store.GetLastError();
  EXPECT_EQ(store.GetBitmapWidth(CNBitmapUtil::BT_IMAGE), c.width);
  EXPECT_EQ(store.GetBitmapHeight(CNBitmapUtil::BT_IMAGE), c.height);
  const std::vector<uint8_t> expected = ReadHost(Fixture(c.reference));
  const std::vector<uint8_t> actual = store.Pixels();
  EXPECT_TRUE(actual == expected) << c.file << ": " << FirstDifference(actual, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Png, ReferenceDecode,
    ::testing::Values(ReferenceCase{"png_rgb8.png", "png_rgb8.bgr", 23, 17},
                      ReferenceCase{"png_rgb16.png", "png_rgb16.bgr", 23, 17},
                      ReferenceCase{"png_rgba8.png", "png_rgba8.bgr", 23, 17},
                      ReferenceCase{"png_rgba16.png", "png_rgba16.bgr", 23, 17},
                      ReferenceCase{"png_grey8.png", "png_grey8.bgr", 23, 17},
                      ReferenceCase{"png_grey16.png", "png_grey16.bgr", 23, 17},
                      ReferenceCase{"png_greyalpha8.png", "png_greyalpha8.bgr", 23, 17},
                      ReferenceCase{"png_greyalpha16.png", "png_greyalpha16.bgr", 23, 17},
                      ReferenceCase{"png_palette8.png", "png_palette8.bgr", 23, 17},
                      ReferenceCase{"png_interlaced.png", "png_interlaced.bgr", 23, 17}));

INSTANTIATE_TEST_SUITE_P(
    Bmp, ReferenceDecode,
    ::testing::Values(ReferenceCase{"bmp_1.bmp", "bmp_1.bgr", 23, 17},
                      ReferenceCase{"bmp_4.bmp", "bmp_4.bgr", 23, 17},
                      ReferenceCase{"bmp_8.bmp", "bmp_8.bgr", 23, 17},
                      ReferenceCase{"bmp_rle8.bmp", "bmp_rle8.bgr", 23, 17},
                      ReferenceCase{"bmp_24.bmp", "bmp_24.bgr", 23, 17},
                      ReferenceCase{"bmp_555.bmp", "bmp_555.bgr", 23, 17},
                      ReferenceCase{"bmp_565.bmp", "bmp_565.bgr", 23, 17},
                      ReferenceCase{"bmp_32.bmp", "bmp_32.bgr", 23, 17}));

INSTANTIATE_TEST_SUITE_P(
    GifAndMono, ReferenceDecode,
    ::testing::Values(ReferenceCase{"gif_still.gif", "gif_still.bgr", 23, 17},
                      ReferenceCase{"gif_interlaced.gif", "gif_interlaced.bgr", 23, 17},
                      ReferenceCase{"gif_transparent.gif", "gif_transparent.bgr", 23, 17},
                      ReferenceCase{"mono.wbm", "mono.bgr", 23, 17},
                      ReferenceCase{"mono24.otb", "mono24.bgr", 24, 17}));

// The RGBA picture's mask holds 255 - alpha; only a load into BT_IMAGE makes it.
TEST(PngMask, RgbaIntoImageFillsTheAlphaSlot) {
  TestStore store;
  ASSERT_NE(store.Load(Fixture("png_rgba8.png")), nullptr);
  const std::vector<uint8_t> mask = store.Pixels(CNBitmapUtil::BT_ALPHA);
  const std::vector<uint8_t> expected = ReadHost(Fixture("png_rgba8_mask.bgr"));
  EXPECT_TRUE(mask == expected) << FirstDifference(mask, expected);
}

TEST(PngMask, NoMaskForOtherSlotsOrSixteenBitAlpha) {
  TestStore store;
  ASSERT_NE(store.Load(Fixture("png_rgba8.png"), CNBitmapUtil::BT_BACKGROUND), nullptr);
  EXPECT_EQ(store.GetNumberOfBitmaps(CNBitmapUtil::BT_ALPHA), 0);
  ASSERT_NE(store.Load(Fixture("png_rgba16.png")), nullptr);
  ASSERT_NE(store.Load(Fixture("png_greyalpha16.png")), nullptr);
  EXPECT_EQ(store.GetNumberOfBitmaps(CNBitmapUtil::BT_ALPHA), 0);
}

// ---- JPEG: exact against libjpeg's own decode with its default settings ----

class JpegDecode : public ::testing::TestWithParam<const char*> {};

TEST_P(JpegDecode, EqualsLibjpeg) {
  int width = 0, height = 0;
  const std::vector<uint8_t> expected = LibjpegDecodeBgr(ReadHost(Fixture(GetParam())), &width, &height);
  TestStore store;
  ASSERT_NE(store.Load(Fixture(GetParam())), nullptr);
  EXPECT_EQ(store.GetBitmapWidth(CNBitmapUtil::BT_IMAGE), width);
  const std::vector<uint8_t> actual = store.Pixels();
  EXPECT_TRUE(actual == expected) << FirstDifference(actual, expected);
}

INSTANTIATE_TEST_SUITE_P(Variants, JpegDecode,
                         ::testing::Values("jpeg_baseline.jpg", "jpeg_progressive.jpg", "jpeg_grey.jpg",
                                           "jpeg_420.jpg", "jpeg_444.jpg"));

}  // namespace
