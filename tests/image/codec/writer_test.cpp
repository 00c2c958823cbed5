// Files the store writes: exact bytes where the format fixes them, read back by libpng,
// libjpeg and giflib directly, and round trips through the store.
#include "image/store/random15.h"
#include "tests/image/codec/libjpeg_reference.h"
#include "tests/image/store/store_test_support.h"

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>

#include <cstdlib>

using storetest::Fixture;
using storetest::FirstDifference;
using storetest::ReadHost;
using storetest::TempFile;
using storetest::TestStore;

namespace {

// Packed B, G, R of a file decoded by libpng's simplified reader.
std::vector<uint8_t> LibpngBgr(const std::string& host) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, host.c_str())) return {};
  image.format = PNG_FORMAT_BGR;
  std::vector<uint8_t> out(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.data(), 0, nullptr)) return {};
  return out;
}

TEST(Writers, BmpHasTheFileHeaderAndRoundTrips) {
  TestStore store;
  ASSERT_NE(store.Load(Fixture("png_rgb8.png")), nullptr);
  TempFile file("out.bmp");
  const int size = store.SaveBitmap(file.Windows().c_str(), CNBitmapUtil::BF_BMP, CNBitmapUtil::BT_IMAGE, 0);
  EXPECT_EQ(size, 72 * 17 + 54);  // rows of 69 bytes padded to 72
  const std::vector<uint8_t> bytes = file.Bytes();
  ASSERT_EQ(int(bytes.size()), size);
  EXPECT_EQ(bytes[0], 'B');
  EXPECT_EQ(bytes[10], 54);
  EXPECT_EQ(bytes[14], 40);
  TestStore back;
  ASSERT_NE(back.Load(file.Host()), nullptr);
  EXPECT_EQ(back.Pixels(), store.Pixels());
}

TEST(Writers, PngIsReadBackByLibpng) {
  TestStore store;
  ASSERT_NE(store.Load(Fixture("png_palette8.png")), nullptr);
  TempFile file("out.png");
  const int size = store.SaveBitmap(file.Windows().c_str(), CNBitmapUtil::BF_PNG, CNBitmapUtil::BT_IMAGE, 0);
  EXPECT_EQ(size_t(size), file.Bytes().size());
  const std::vector<uint8_t> decoded = LibpngBgr(file.Host());
  EXPECT_TRUE(decoded == store.Pixels()) << FirstDifference(decoded, store.Pixels());
}

TEST(Writers, JpegIsReadBackByLibjpegAndFollowsTheQuality) {
  TestStore store;
  ASSERT_NE(store.Load(Fixture("png_rgb8.png")), nullptr);
  TempFile high("high.jpg"), low("low.jpg");
  EXPECT_EQ(store.SetJPEGCompressionFactor(95), 50);
  const int highSize = store.SaveBitmap(high.Windows().c_str(), CNBitmapUtil::BF_JPEG, CNBitmapUtil::BT_IMAGE, 0);
  store.SetJPEGCompressionFactor(5);
  const int lowSize = store.SaveBitmap(low.Windows().c_str(), CNBitmapUtil::BF_JPEG, CNBitmapUtil::BT_IMAGE, 0);
  ASSERT_GT(highSize, 0);
  EXPECT_LT(lowSize, highSize);
  const std::vector<uint8_t> decoded = storetest::LibjpegDecodeBgr(high.Bytes());
  const std::vector<uint8_t> source = store.Pixels();
  ASSERT_EQ(decoded.size(), source.size());
  int worst = 0;
  for (size_t i = 0; i < source.size(); ++i) worst = std::max(worst, std::abs(int(decoded[i]) - source[i]));
  EXPECT_LE(worst, 24) << "quality 95 keeps every sample close";
  TestStore back;
  ASSERT_NE(back.Load(high.Host()), nullptr);
  EXPECT_EQ(back.Pixels(), decoded);
}

TEST(Writers, GifFramesAndDelaysAreReadBackByGiflib) {
  TestStore store;
  ASSERT_NE(store.Load(Fixture("gif_anim_none.gif")), nullptr);
  store.SetGIFErrorDiffusion(false);
  TempFile file("out.gif");
  const int size = store.SaveBitmap(file.Windows().c_str(), CNBitmapUtil::BF_GIF, CNBitmapUtil::BT_IMAGE, 1);
  ASSERT_GT(size, 0);
  int error = 0;
  GifFileType* gif = DGifOpenFileName(file.Host().c_str(), &error);
  ASSERT_NE(gif, nullptr);
  ASSERT_EQ(DGifSlurp(gif), GIF_OK);
  ASSERT_EQ(gif->ImageCount, 3) << "frames 1 to 3";
  const int delays[] = {12, 25, 25};
  for (int i = 0; i < 3; ++i) {
    GraphicsControlBlock control{};
    DGifSavedExtensionToGCB(gif, i, &control);
    EXPECT_EQ(control.DelayTime, delays[i]) << i;
  }
  DGifCloseFile(gif, &error);
}

// Black and white survive the random threshold, so the one-bit files come out byte for byte
// as the fixtures made by another writer.
struct MonoCase {
  const char* fixture;
  CNBitmapUtil::BitmapFormat format;
};

class MonoWriter : public ::testing::TestWithParam<MonoCase> {};

TEST_P(MonoWriter, RewritesTheFixtureExactly) {
  TestStore store;
  ASSERT_NE(store.Load(Fixture(GetParam().fixture)), nullptr);
  TempFile file("mono.out");
  const std::vector<uint8_t> original = ReadHost(Fixture(GetParam().fixture));
  EXPECT_EQ(store.SaveBitmap(file.Windows().c_str(), GetParam().format, CNBitmapUtil::BT_IMAGE, 0),
            int(original.size()));
  EXPECT_EQ(file.Bytes(), original);
}

INSTANTIATE_TEST_SUITE_P(Formats, MonoWriter,
                         ::testing::Values(MonoCase{"mono.wbm", CNBitmapUtil::BF_WBMP},
                                           MonoCase{"mono24.otb", CNBitmapUtil::BF_OTA}));

// Sizes and bit positions of the one-bit headers.
TEST(Writers, MonoHeadersAndBitPositions) {
  TestStore store;
  std::vector<char> white(200 * 3, char(0xFF));
  ASSERT_EQ(store.CreateBitmapFromData(200, 1, white.data(), CNBitmapUtil::BT_IMAGE, 0), 1);
  TempFile wbmp("wide.wbm");
  EXPECT_EQ(store.SaveBitmap(wbmp.Windows().c_str(), CNBitmapUtil::BF_WBMP, CNBitmapUtil::BT_IMAGE, 0), 4 + 1 + 25);
  const std::vector<uint8_t> w = wbmp.Bytes();
  ASSERT_GE(w.size(), 5u);
  EXPECT_EQ(w[2], 0x81);
  EXPECT_EQ(w[3], 0x48);

  std::vector<char> nine(9 * 3, char(0xFF));
  std::fill(nine.begin() + 24, nine.end(), char(0));  // the ninth pixel is black
  ASSERT_EQ(store.CreateBitmapFromData(9, 1, nine.data(), CNBitmapUtil::BT_IMAGE, 0), 1);
  TempFile ota("nine.otb");
  EXPECT_EQ(store.SaveBitmap(ota.Windows().c_str(), CNBitmapUtil::BF_OTA, CNBitmapUtil::BT_IMAGE, 0), 6);
  EXPECT_EQ(ota.Bytes(), std::vector<uint8_t>({0x00, 9, 1, 0x01, 0x00, 0x80}));

  // The smallest WBMP is five bytes, and it reads back.
  char black[3] = {0, 0, 0};
  ASSERT_EQ(store.CreateBitmapFromData(1, 1, black, CNBitmapUtil::BT_IMAGE, 0), 1);
  TempFile tiny("tiny.wbm");
  EXPECT_EQ(store.SaveBitmap(tiny.Windows().c_str(), CNBitmapUtil::BF_WBMP, CNBitmapUtil::BT_IMAGE, 0), 5);
  TestStore back;
  ASSERT_NE(back.Load(tiny.Host()), nullptr) << back.GetLastError();
  EXPECT_EQ(back.Pixels(), std::vector<uint8_t>({0, 0, 0}));
}

// The random threshold: grey pixels become light or dark as the documented generator
// draws, one draw per channel tested, blue first, stopping at the first dark channel.
TEST(Writers, RandomThresholdFollowsTheSeededGenerator) {
  TestStore store;
  std::vector<char> grey(64 * 3);
  for (size_t i = 0; i < grey.size(); ++i) grey[i] = char(i % 3 == 0 ? 120 : i % 3 == 1 ? 60 : 100);
  ASSERT_EQ(store.CreateBitmapFromData(64, 1, grey.data(), CNBitmapUtil::BT_IMAGE, 0), 1);
  TempFile file("grey.wbm");
  talix::image::SeedRandom15(2024);
  ASSERT_GT(store.SaveBitmap(file.Windows().c_str(), CNBitmapUtil::BF_WBMP, CNBitmapUtil::BT_IMAGE, 0), 0);
  uint32_t state = 2024;
  auto draw = [&] {
    state = state * 214013u + 2531011u;
    return int((state >> 16) & 0x7FFF) / 255;
  };
  std::vector<uint8_t> expected = {0, 0, 64, 1};
  expected.resize(4 + 8, 0);
  int light = 0;
  for (int x = 0; x < 64; ++x) {
    const bool isLight = draw() < 120 && draw() < 60 && draw() < 100;
    if (isLight) expected[4 + x / 8] |= uint8_t(0x80 >> (x % 8)), ++light;
  }
  EXPECT_EQ(file.Bytes(), expected);
  EXPECT_GT(light, 0);
  EXPECT_LT(light, 64) << "a mid grey mixes light and dark";
}

// Write failures and refusals.
TEST(Writers, RefusalsSetTheirCodes) {
  TestStore store;
  std::vector<char> pixels(256 * 3, 0);
  ASSERT_EQ(store.CreateBitmapFromData(256, 1, pixels.data(), CNBitmapUtil::BT_IMAGE, 0), 1);
  TempFile file("refused.out");
  EXPECT_EQ(store.SaveBitmap(file.Windows().c_str(), CNBitmapUtil::BF_OTA, CNBitmapUtil::BT_IMAGE, 0), 0);
  EXPECT_EQ(store.GetLastError(), CNBitmapUtil::QUO_ERR_TOO_LARGE);
  EXPECT_EQ(store.SaveBitmap(file.Windows().c_str(), CNBitmapUtil::BF_BMP, CNBitmapUtil::BT_IMAGE, 1), 0);
  EXPECT_EQ(store.GetLastError(), CNBitmapUtil::QUO_ERR_NO_IMAGE);
  EXPECT_EQ(store.SaveBitmap(nullptr, CNBitmapUtil::BF_BMP, CNBitmapUtil::BT_IMAGE, 0), 0);
  EXPECT_EQ(store.GetLastError(), CNBitmapUtil::QUO_ERR_PARAM1);
  const std::u16string nowhere = file.Windows() + u"\\no\\such\\folder.x";
  for (auto format : {CNBitmapUtil::BF_BMP, CNBitmapUtil::BF_PNG, CNBitmapUtil::BF_JPEG,
                      CNBitmapUtil::BF_WBMP, CNBitmapUtil::BF_GIF}) {
    EXPECT_EQ(store.SaveBitmap(nowhere.c_str(), format, CNBitmapUtil::BT_IMAGE, 0), 0) << format;
    EXPECT_EQ(store.GetLastError(), CNBitmapUtil::QUO_ERR_FILE_WRITE) << format;
  }
}

// The GIF writer takes at most 100 frames: a slot of 101 leaves an empty file.
TEST(Writers, GifOfMoreThanAHundredFramesLeavesAnEmptyFile) {
  TestStore store;
  std::vector<char> pixels(4 * 4 * 3, 0x40);
  for (int i = 0; i < 101; ++i)
    ASSERT_EQ(store.CreateBitmapFromData(4, 4, pixels.data(), CNBitmapUtil::BT_IMAGE, i), 1);
  TempFile file("many.gif");
  EXPECT_EQ(store.SaveBitmap(file.Windows().c_str(), CNBitmapUtil::BF_GIF, CNBitmapUtil::BT_IMAGE, 0), 0);
  EXPECT_EQ(store.GetLastError(), CNBitmapUtil::QUO_ERR_NO_IMAGE);
  EXPECT_TRUE(std::filesystem::exists(file.Host()));
  EXPECT_TRUE(file.Bytes().empty());
}

}  // namespace
