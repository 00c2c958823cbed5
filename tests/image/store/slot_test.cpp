// The store's slots: header rules, frame bookkeeping, data access and its checks,
// settings, and the file-name rules.
#include "tests/image/store/store_test_support.h"

#include <filesystem>

using storetest::Fixture;
using storetest::TempFile;
using storetest::TestStore;
using QUO = CNBitmapUtil::QUOError;

namespace {

constexpr auto kImage = CNBitmapUtil::BT_IMAGE;

std::vector<char> Pattern(int width, int height) {
  std::vector<char> data(size_t(width) * 3 * size_t(height));
  for (size_t i = 0; i < data.size(); ++i) data[i] = char(i * 7 + 3);
  return data;
}

TEST(Slots, ALoadOfAnotherSizeReplacesTheSlot) {
  TestStore store;
  std::vector<char> square = Pattern(16, 16);
  ASSERT_EQ(store.CreateBitmapFromData(16, 16, square.data(), kImage, 0), 1);
  ASSERT_EQ(store.CreateBitmapFromData(16, 16, square.data(), kImage, 5), 1);
  std::vector<char> wide = Pattern(20, 10);
  TestStore other;
  ASSERT_EQ(other.CreateBitmapFromData(20, 10, wide.data(), kImage, 0), 1);
  TempFile png("wide.png");
  ASSERT_GT(other.SaveBitmap(png.Windows().c_str(), CNBitmapUtil::BF_PNG, kImage, 0), 0);

  ASSERT_NE(store.Load(png.Host(), kImage, 3), nullptr);
  EXPECT_EQ(store.GetNumberOfBitmaps(kImage), 1);
  EXPECT_EQ(store.GetFirstBitmapIndex(kImage), 3);
  EXPECT_EQ(store.GetBitmapWidth(kImage), 20);
  EXPECT_EQ(store.GetBitmapSize(kImage), 60 * 10);
  EXPECT_EQ(store.Pixels(kImage, 3), std::vector<uint8_t>(wide.begin(), wide.end()));
}

TEST(Slots, SameSizeLoadReplacesOnlyItsFrame) {
  TestStore store;
  ASSERT_NE(store.Load(Fixture("png_rgb8.png"), kImage, 0), nullptr);
  ASSERT_NE(store.Load(Fixture("bmp_24.bmp"), kImage, 1), nullptr);
  HBITMAP first = store.GetBitmapHandle(kImage, 0);
  ASSERT_NE(store.Load(Fixture("gif_still.gif"), kImage, 1), nullptr);
  EXPECT_EQ(store.GetBitmapHandle(kImage, 0), first);
  EXPECT_EQ(store.GetNumberOfBitmaps(kImage), 2);
}

TEST(Slots, DeletingTheLastFrameFreesTheHeader) {
  TestStore store;
  std::vector<char> data = Pattern(5, 3);
  ASSERT_EQ(store.CreateBitmapFromData(5, 3, data.data(), kImage, 2), 1);
  ASSERT_EQ(store.CreateBitmapFromData(5, 3, data.data(), kImage, 4), 1);
  EXPECT_EQ(store.SetFrameDelay(kImage, 2, 40), 0);
  EXPECT_EQ(store.SetFrameDelay(kImage, 2, 50), 40);
  HBITMAP frame = store.GetBitmapHandle(kImage, 2);
  EXPECT_EQ(store.DeleteBitmap(kImage, 2), frame);
  EXPECT_EQ(store.GetFrameDelay(kImage, 2), 0);
  EXPECT_NE(store.GetBitmapInfo(kImage), nullptr) << "frame 4 is left";
  EXPECT_EQ(store.DeleteBitmap(kImage, 2), nullptr);
  store.DeleteBitmap(kImage, 4);
  EXPECT_EQ(store.GetBitmapInfo(kImage), nullptr);
  EXPECT_EQ(store.GetBitmapWidth(kImage), 0);
  EXPECT_EQ(store.GetLastError(), CNBitmapUtil::QUO_ERR_NO_IMAGE);
  EXPECT_EQ(store.GetFirstBitmapIndex(kImage), 0);
}

TEST(Slots, TheHeaderHasTheSlotForm) {
  TestStore store;
  std::vector<char> data = Pattern(5, 3);
  ASSERT_EQ(store.CreateBitmapFromData(5, 3, data.data(), CNBitmapUtil::BT_BLENDED_RESIZED, 0), 1);
  const BITMAPINFOHEADER& h = store.GetBitmapInfo(CNBitmapUtil::BT_BLENDED_RESIZED)->bmiHeader;
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biHeight, 3) << "bottom-up";
  EXPECT_EQ(h.biBitCount, 24);
  EXPECT_EQ(h.biCompression, DWORD(BI_RGB));
  EXPECT_EQ(store.GetBitmapSize(CNBitmapUtil::BT_BLENDED_RESIZED), 16 * 3);
}

// Padded and packed rows in and out; the padded form keeps each row at its 4-byte place.
TEST(Slots, DataAccessInBothRowForms) {
  TestStore store;
  std::vector<char> packed = Pattern(5, 3);
  ASSERT_EQ(store.CreateBitmapFromData(5, 3, packed.data(), kImage, 0), 1);
  std::vector<char> padded(16 * 3);
  ASSERT_EQ(store.GetBitmapData(kImage, 0, padded.data()), 1);
  for (int y = 0; y < 3; ++y)
    EXPECT_TRUE(std::equal(packed.begin() + 15 * y, packed.begin() + 15 * (y + 1), padded.begin() + 16 * y)) << y;
  std::reverse(packed.begin(), packed.end());
  ASSERT_EQ(store.SetBitmapDataNA(kImage, 0, packed.data()), 1);
  std::vector<char> back(packed.size());
  ASSERT_EQ(store.GetBitmapDataNA(kImage, 0, back.data()), 1);
  EXPECT_EQ(back, packed);
  ASSERT_EQ(store.SetBitmapData(kImage, 0, padded.data()), 1);
  ASSERT_EQ(store.GetBitmapDataNA(kImage, 0, back.data()), 1);
  EXPECT_EQ(back, Pattern(5, 3));
}

struct AccessCase {
  int slot, index;
  bool buffer;
  QUO error;
};

class DataAccessChecks : public ::testing::TestWithParam<AccessCase> {};

TEST_P(DataAccessChecks, SetTheirCodes) {
  const AccessCase& c = GetParam();
  TestStore store;
  std::vector<char> data = Pattern(4, 4);
  ASSERT_EQ(store.CreateBitmapFromData(4, 4, data.data(), kImage, 0), 1);
  std::vector<char> buffer(64);
  char* p = c.buffer ? buffer.data() : nullptr;
  const auto type = CNBitmapUtil::BitmapType(c.slot);
  for (int op = 0; op < 4; ++op) {
    const int result = op == 0   ? store.GetBitmapData(type, c.index, p)
                       : op == 1 ? store.SetBitmapData(type, c.index, p)
                       : op == 2 ? store.GetBitmapDataNA(type, c.index, p)
                                 : store.SetBitmapDataNA(type, c.index, p);
    EXPECT_EQ(result, 0) << op;
    EXPECT_EQ(store.GetLastError(), c.error) << op;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, DataAccessChecks,
                         ::testing::Values(AccessCase{0, 0, false, CNBitmapUtil::QUO_ERR_PARAM2},
                                           AccessCase{8, 0, true, CNBitmapUtil::QUO_ERR_NO_SLOT},
                                           AccessCase{-1, 0, true, CNBitmapUtil::QUO_ERR_NO_SLOT},
                                           AccessCase{2, 0, true, CNBitmapUtil::QUO_ERR_NO_IMAGE},
                                           AccessCase{0, 1, true, CNBitmapUtil::QUO_ERR_NO_IMAGE},
                                           AccessCase{0, 512, true, CNBitmapUtil::QUO_ERR_NO_IMAGE},
                                           AccessCase{0, -3, true, CNBitmapUtil::QUO_ERR_NO_IMAGE}));

struct CreateCase {
  int width, height;
  bool data;
  int slot, index;
  QUO error;
};

class CreateChecks : public ::testing::TestWithParam<CreateCase> {};

TEST_P(CreateChecks, RefuseWithTheirCodes) {
  const CreateCase& c = GetParam();
  TestStore store;
  char pixel[3] = {1, 2, 3};
  EXPECT_EQ(store.CreateBitmapFromData(c.width, c.height, c.data ? pixel : nullptr,
                                       CNBitmapUtil::BitmapType(c.slot), c.index), 0);
  EXPECT_EQ(store.GetLastError(), c.error);
  EXPECT_EQ(store.GetNumberOfBitmaps(kImage), 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, CreateChecks,
                         ::testing::Values(CreateCase{0, 1, true, 0, 0, CNBitmapUtil::QUO_ERR_PARAM1},
                                           CreateCase{1, -1, true, 0, 0, CNBitmapUtil::QUO_ERR_PARAM2},
                                           CreateCase{1, 1, false, 0, 0, CNBitmapUtil::QUO_ERR_PARAM3},
                                           CreateCase{1, 1, true, 8, 0, CNBitmapUtil::QUO_ERR_NO_SLOT},
                                           CreateCase{1, 1, true, 0, 512, CNBitmapUtil::QUO_ERR_PARAM5},
                                           // 3 x width x height passes INT_MAX: refused, not wrapped
                                           CreateCase{50000, 50000, true, 0, 0, CNBitmapUtil::QUO_ERR_PARAM1}));

TEST(Slots, FrameIndexesOutsideTheTableAreEmpty) {
  TestStore store;
  for (int index : {-1, 512, 100000}) {
    EXPECT_EQ(store.GetBitmapHandle(kImage, index), nullptr);
    EXPECT_EQ(store.SetFrameDelay(kImage, index, 10), 0);
    EXPECT_EQ(store.DeleteBitmap(kImage, index), nullptr);
    EXPECT_EQ(store.Load(Fixture("png_rgb8.png"), kImage, index), nullptr);
    EXPECT_EQ(store.GetLastError(), CNBitmapUtil::QUO_ERR_PARAM3);
  }
}

TEST(Slots, CopyOfABitmapHandle) {
  TestStore source, store;
  ASSERT_NE(source.Load(Fixture("bmp_24.bmp")), nullptr);
  ASSERT_EQ(store.CreateBitmapFromHandle(source.GetBitmapHandle(kImage, 0), kImage, 6), 1);
  EXPECT_EQ(store.Pixels(kImage, 6), source.Pixels());
  EXPECT_EQ(store.CreateBitmapFromHandle(nullptr, kImage, 0), 0);
  EXPECT_EQ(store.GetLastError(), CNBitmapUtil::QUO_ERR_PARAM1);
}

TEST(Settings, SettersReturnThePreviousValue) {
  TestStore store;
  EXPECT_EQ(store.SetJPEGCompressionFactor(80), 50);
  EXPECT_EQ(store.SetJPEGCompressionFactor(101), -1);
  EXPECT_EQ(store.GetLastError(), CNBitmapUtil::QUO_ERR_PARAM1);
  EXPECT_EQ(store.SetJPEGCompressionFactor(-1), -1);
  EXPECT_EQ(store.SetJPEGCompressionFactor(0), 80) << "the refused values left 80";
  EXPECT_EQ(store.SetLoopCount(3), 0);
  EXPECT_EQ(store.SetLoopCount(5), 3);
  EXPECT_EQ(store.SetGIFBkColor(0x123456), 0xFFFFFFFFul);
  EXPECT_EQ(store.SetGIFBkColor(0), 0x123456ul);
  EXPECT_TRUE(store.SetGIFErrorDiffusion(false));
  EXPECT_FALSE(store.SetGIFErrorDiffusion(true));
  EXPECT_EQ(store.SetBitmap(nullptr, kImage, 0), nullptr);
  EXPECT_EQ(store.GetLastError(), CNBitmapUtil::QUO_ERR_PARAM1);
}

TEST(Settings, ClearEmptiesEverySlot) {
  TestStore store;
  ASSERT_NE(store.Load(Fixture("png_rgba8.png")), nullptr);
  store.Clear();
  for (int slot = 0; slot < 8; ++slot) {
    EXPECT_EQ(store.GetBitmapHandle(CNBitmapUtil::BitmapType(slot), 0), nullptr);
    EXPECT_EQ(store.GetNumberOfBitmaps(CNBitmapUtil::BitmapType(slot)), 0);
  }
}

// ---- File names ----

struct ExtensionCase {
  const char16_t* name;
  const char16_t* extension;
  int result;
};

class ExtensionRule : public ::testing::TestWithParam<ExtensionCase> {};

TEST_P(ExtensionRule, Compares) {
  EXPECT_EQ(TestStore::FilenameExtensionCompare(GetParam().name, GetParam().extension), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExtensionRule,
                         ::testing::Values(ExtensionCase{u"a.GIF", u"gif", 0},
                                           ExtensionCase{u"a.tar.png", u"png", 0},
                                           ExtensionCase{u"a.png.tar", u"png", -1},
                                           ExtensionCase{u".png", u"png", -1},
                                           ExtensionCase{u"photo.jpeg", u"jpeg", 0},
                                           ExtensionCase{u"png", u"png", -1},
                                           ExtensionCase{u"", u"png", -1},
                                           ExtensionCase{nullptr, u"png", -1}));

TEST(FileNames, FourLetterExtensionIsNotLoadedButIsChecked) {
  TempFile photo("photo.jpeg");
  storetest::WriteHost(photo.Host(), storetest::ReadHost(Fixture("jpeg_baseline.jpg")));
  TestStore store;
  EXPECT_EQ(store.Load(photo.Host()), nullptr);
  EXPECT_EQ(CNBitmapUtil::IsFileValid(photo.Windows().c_str()), 1);
}

struct ValidCase {
  const char* fixture;
  const char* savedAs;
  int valid;
};

class QuickCheck : public ::testing::TestWithParam<ValidCase> {};

TEST_P(QuickCheck, ChecksByExtension) {
  TempFile file(GetParam().savedAs);
  storetest::WriteHost(file.Host(), storetest::ReadHost(Fixture(GetParam().fixture)));
  EXPECT_EQ(CNBitmapUtil::IsFileValid(file.Windows().c_str()), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(Cases, QuickCheck,
                         ::testing::Values(ValidCase{"gif_still.gif", "a.gif", 1},
                                           ValidCase{"bad_gif_truncated.gif", "b.gif", 0},
                                           ValidCase{"png_rgb8.png", "c.gif", 0},
                                           ValidCase{"bmp_24.bmp", "d.bmp", 1},
                                           ValidCase{"png_rgb8.png", "e.bmp", 0},
                                           ValidCase{"png_rgb8.png", "f.png", 1},
                                           ValidCase{"jpeg_baseline.jpg", "g.png", 0},
                                           ValidCase{"jpeg_baseline.jpg", "h.jpg", 1},
                                           ValidCase{"bmp_24.bmp", "i.jpg", 0},
                                           ValidCase{"bmp_24.bmp", "j.xyz", 1},
                                           ValidCase{"bad_ota_depth.otb", "k.bmp", 0}));

}  // namespace
