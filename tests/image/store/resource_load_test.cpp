// Loading pictures from a module's resources: bitmap resources, then the named types.
#include "tests/image/store/store_test_support.h"

using storetest::Fixture;
using storetest::ReadHost;
using storetest::TestStore;

namespace {

class ResourceLoad : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExW(storetest::WinPath(TALIX_PICTURES_MODULE).c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override { FreeLibrary(module_); }
  HMODULE module_ = nullptr;
};

struct ResourceCase {
  int id;
  CNBitmapUtil::QUOError error;
  const char* reference;  // null: nothing loaded
};

class ResourceCases : public ResourceLoad, public ::testing::WithParamInterface<ResourceCase> {};

TEST_P(ResourceCases, LoadsOrFailsWithTheCode) {
  const ResourceCase& c = GetParam();
  TestStore store;
  HBITMAP frame = store.NLoadBitmap(module_, c.id, CNBitmapUtil::BT_IMAGE, 1);
  EXPECT_EQ(store.GetLastError(), c.error) << c.id;
  ASSERT_EQ(frame != nullptr, c.reference != nullptr) << c.id;
  if (!c.reference) return;
  EXPECT_EQ(store.GetBitmapHandle(CNBitmapUtil::BT_IMAGE, 1), frame);
  EXPECT_EQ(store.Pixels(CNBitmapUtil::BT_IMAGE, 1), ReadHost(Fixture(c.reference))) << c.id;
}

INSTANTIATE_TEST_SUITE_P(
    Ids, ResourceCases,
    ::testing::Values(ResourceCase{101, CNBitmapUtil::QUO_OK, "bmp_24.bgr"},
                      ResourceCase{102, CNBitmapUtil::QUO_OK, "png_rgba8.bgr"},
                      ResourceCase{103, CNBitmapUtil::QUO_OK, "mono.bgr"},
                      ResourceCase{104, CNBitmapUtil::QUO_ERR_RESOURCE_EMPTY, nullptr},
                      ResourceCase{105, CNBitmapUtil::QUO_ERR_RESOURCE_NOT_FOUND, nullptr},
                      ResourceCase{999, CNBitmapUtil::QUO_ERR_RESOURCE_NOT_FOUND, nullptr},
                      // Broken PNG data goes on to the temporary-file readers, which refuse it.
                      ResourceCase{106, CNBitmapUtil::QUO_ERR_BAD_FORMAT, nullptr}),
    [](const ::testing::TestParamInfo<ResourceCase>& info) { return "id" + std::to_string(info.param.id); });

TEST_F(ResourceLoad, PngResourceInImageSlotAlsoFillsTheMask) {
  TestStore store;
  ASSERT_NE(store.NLoadBitmap(module_, 102), nullptr);
  EXPECT_EQ(store.Pixels(CNBitmapUtil::BT_ALPHA), ReadHost(Fixture("png_rgba8_mask.bgr")));
}

TEST_F(ResourceLoad, ArgumentChecks) {
  TestStore store;
  EXPECT_EQ(store.NLoadBitmap(static_cast<HINSTANCE>(nullptr), 101), nullptr);
  EXPECT_EQ(store.GetLastError(), CNBitmapUtil::QUO_ERR_PARAM1);
  EXPECT_EQ(store.NLoadBitmap(module_, 0), nullptr);
  EXPECT_EQ(store.GetLastError(), CNBitmapUtil::QUO_ERR_PARAM2);
  EXPECT_EQ(store.NLoadBitmap(module_, 101, CNBitmapUtil::BitmapType(8)), nullptr);
  EXPECT_EQ(store.GetLastError(), CNBitmapUtil::QUO_ERR_NO_SLOT);
  EXPECT_EQ(store.NLoadBitmap(module_, 101, CNBitmapUtil::BT_IMAGE, 512), nullptr);
  EXPECT_EQ(store.GetLastError(), CNBitmapUtil::QUO_ERR_PARAM4);
}

}  // namespace
