// Broken and hostile files: each is refused with the fitting code, or loaded with the
// damage contained; none crashes, hangs or allocates without bound.
#include "tests/image/store/store_test_support.h"

using storetest::Fixture;
using storetest::TestStore;
using QUO = CNBitmapUtil::QUOError;

namespace {

struct MalformedCase {
  const char* file;
  QUO error;   // the last error after the load
  int frames;  // frames in BT_IMAGE afterwards; 0 = refused
};

class MalformedInput : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedInput, GivesTheExpectedOutcome) {
  const MalformedCase& c = GetParam();
  TestStore store;
  HBITMAP frame = store.Load(Fixture(c.file));
  EXPECT_EQ(store.GetLastError(), c.error) << c.file;
  EXPECT_EQ(store.GetNumberOfBitmaps(CNBitmapUtil::BT_IMAGE), c.frames) << c.file;
  EXPECT_EQ(frame != nullptr, c.frames > 0) << c.file;
  if (!c.frames) {
    EXPECT_EQ(store.GetBitmapInfo(CNBitmapUtil::BT_IMAGE), nullptr) << "nothing stored";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, MalformedInput,
    ::testing::Values(
        MalformedCase{"bad_png_truncated.png", CNBitmapUtil::QUO_ERR_PNG, 0},
        MalformedCase{"bad_png_huge.png", CNBitmapUtil::QUO_ERR_BAD_FORMAT, 0},
        MalformedCase{"png_grey4.png", CNBitmapUtil::QUO_ERR_BAD_FORMAT, 0},
        MalformedCase{"png_palette1.png", CNBitmapUtil::QUO_ERR_BAD_FORMAT, 0},
        MalformedCase{"bad_gif_600_frames.gif", CNBitmapUtil::QUO_OK, 512},
        MalformedCase{"bad_gif_huge_screen.gif", CNBitmapUtil::QUO_ERR_BAD_FORMAT, 0},
        MalformedCase{"bad_gif_truncated.gif", CNBitmapUtil::QUO_OK, 3},
        MalformedCase{"bad_gif_transparent_index.gif", CNBitmapUtil::QUO_OK, 2},
        MalformedCase{"bad_gif_header_only.gif", CNBitmapUtil::QUO_OK, 0},
        MalformedCase{"bad_bmp_truncated.bmp", CNBitmapUtil::QUO_OK, 0},
        MalformedCase{"bad_bmp_huge.bmp", CNBitmapUtil::QUO_OK, 0},
        MalformedCase{"bad_jpeg_truncated.jpg", CNBitmapUtil::QUO_OK, 0},
        MalformedCase{"bad_wbmp_short.wbm", CNBitmapUtil::QUO_ERR_BAD_FORMAT, 0},
        MalformedCase{"bad_wbmp_long_size.wbm", CNBitmapUtil::QUO_ERR_BAD_FORMAT, 0},
        MalformedCase{"bad_ota_too_big.otb", CNBitmapUtil::QUO_ERR_BAD_FORMAT, 0},
        MalformedCase{"bad_ota_depth.otb", CNBitmapUtil::QUO_ERR_BAD_FORMAT, 0},
        MalformedCase{"missing.png", CNBitmapUtil::QUO_ERR_FILE_OPEN, 0},
        MalformedCase{"missing.xyz", CNBitmapUtil::QUO_ERR_FILE_OPEN, 0}),
    [](const ::testing::TestParamInfo<MalformedCase>& info) {
      std::string name = info.param.file;
      for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

// Palette indices past a two-entry palette give black; the entries inside keep their colour.
TEST(MalformedPixels, PaletteIndicesPastThePaletteAreBlack) {
  TestStore store;
  ASSERT_NE(store.Load(Fixture("bad_png_palette_index.png")), nullptr) << store.GetLastError();
  const std::vector<uint8_t> expected = {0x30, 0x20, 0x10, 0x60, 0x50, 0x40, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(store.Pixels(), expected);
}

// A transparent index outside the colour table makes no pixel transparent.
TEST(MalformedPixels, TransparentIndexOutsideTheTableIsIgnored) {
  TestStore store;
  CNBitmapUtil::CGIFFileStruct frames;
  const std::vector<uint8_t> bytes = storetest::ReadHost(Fixture("bad_gif_transparent_index.gif"));
  ASSERT_EQ(store.GetGIFFileStructure(bytes.data(), DWORD(bytes.size()), &frames), 2);
  EXPECT_EQ(frames.m_nTransparentColor[0], -1);
  ASSERT_NE(store.Load(Fixture("bad_gif_transparent_index.gif")), nullptr);
  EXPECT_EQ(store.Pixels(CNBitmapUtil::BT_IMAGE, 1), std::vector<uint8_t>({0, 0, 0}));
}

// Every prefix of an animated GIF walks without reading past its end (checked under
// the sanitizers) and never records more frames than the whole file has.
TEST(MalformedPixels, EveryPrefixOfAGifWalksSafely) {
  TestStore store;
  const std::vector<uint8_t> whole = storetest::ReadHost(Fixture("gif_anim_background.gif"));
  int last = 0;
  for (size_t n = 0; n <= whole.size(); ++n) {
    std::vector<uint8_t> prefix(whole.begin(), whole.begin() + long(n));  // exact-size buffer
    CNBitmapUtil::CGIFFileStruct frames;
    const int count = store.GetGIFFileStructure(prefix.data(), DWORD(prefix.size()), &frames);
    EXPECT_GE(count, last) << n;
    last = count;
  }
  EXPECT_EQ(last, 4);
}

// PNG data in memory shorter than its signature, or cut anywhere, is refused.
TEST(MalformedPixels, PngInMemoryNeverReadsPastTheBuffer) {
  TestStore store;
  const std::vector<uint8_t> whole = storetest::ReadHost(Fixture("png_rgb8.png"));
  for (size_t n : {size_t(0), size_t(5), size_t(8), size_t(40), whole.size() / 2, whole.size() - 1}) {
    std::vector<uint8_t> prefix(whole.begin(), whole.begin() + long(n));
    EXPECT_EQ(store.LoadPNGFromMem(prefix.data(), DWORD(prefix.size()), CNBitmapUtil::BT_IMAGE, 0), nullptr) << n;
    EXPECT_NE(store.GetLastError(), CNBitmapUtil::QUO_OK) << n;
  }
  EXPECT_NE(store.LoadPNGFromMem(whole.data(), DWORD(whole.size()), CNBitmapUtil::BT_IMAGE, 0), nullptr);
}

}  // namespace
