// The counted bitmap cache: shared holds, release at zero, modules kept apart, refusals
// that change nothing.
#include "loader_fixture.h"

#include "draw/QuorBitmap.h"
#include "frame/QuorResourceManager.h"

#include <gtest/gtest.h>
#include <talix/host_handles.h>

namespace {

using frametest::LoaderTest;

class BitmapCacheTest : public LoaderTest {
 protected:
  void SetUp() override {
    LoaderTest::SetUp();
    first_ = MapTheme("loaders_theme");
    second_ = MapTheme("loaders_theme2");
    ASSERT_NE(first_, nullptr);
    ASSERT_NE(second_, nullptr);
    liveBitmaps_ = talix::host::LiveHandles(talix::HandleKind::GdiObject);
  }
  void TearDown() override {
    EXPECT_TRUE(CQuorResourceManager::GetCache().empty());
    EXPECT_EQ(talix::host::LiveHandles(talix::HandleKind::GdiObject), liveBitmaps_);
    FreeLibrary(first_);
    FreeLibrary(second_);
    LoaderTest::TearDown();
  }
  static unsigned Holders(HINSTANCE module, UINT id) {
    auto found = CQuorResourceManager::GetCache().find({module, id});
    return found == CQuorResourceManager::GetCache().end() ? 0 : found->second.second;
  }

  HINSTANCE first_ = nullptr;
  HINSTANCE second_ = nullptr;
  size_t liveBitmaps_ = 0;
};

TEST_F(BitmapCacheTest, TwoHoldersShareOneBitmapFreedAtTheLastRelease) {
  CQuorBitmap* a = nullptr;
  CQuorBitmap* b = nullptr;
  ASSERT_TRUE(CQuorResourceManager::LoadBitmapW(&a, first_, 700, u"PNG"));
  ASSERT_TRUE(CQuorResourceManager::LoadBitmapW(&b, first_, 700, u"PNG"));
  EXPECT_EQ(a, b);
  EXPECT_EQ(a->GetWidth(), 5);
  EXPECT_EQ(Holders(first_, 700), 2u);
  EXPECT_TRUE(CQuorResourceManager::UnloadBitmap(&a));
  EXPECT_EQ(a, nullptr);
  EXPECT_EQ(Holders(first_, 700), 1u);
  EXPECT_EQ(b->GetHeight(), 3);  // still alive for its other holder
  EXPECT_TRUE(CQuorResourceManager::UnloadBitmap(&b));
  EXPECT_EQ(b, nullptr);
  EXPECT_EQ(Holders(first_, 700), 0u);
}

TEST_F(BitmapCacheTest, SameIdOfAnotherModuleIsAnotherEntry) {
  CQuorBitmap* a = nullptr;
  CQuorBitmap* b = nullptr;
  ASSERT_TRUE(CQuorResourceManager::LoadBitmapW(&a, first_, 700, nullptr));
  ASSERT_TRUE(CQuorResourceManager::LoadBitmapW(&b, second_, 700, nullptr));
  EXPECT_NE(a, b);
  EXPECT_EQ(Holders(first_, 700), 1u);
  EXPECT_EQ(Holders(second_, 700), 1u);
  EXPECT_TRUE(CQuorResourceManager::UnloadBitmap(&a));
  EXPECT_EQ(Holders(second_, 700), 1u);
  EXPECT_TRUE(CQuorResourceManager::UnloadBitmap(&b));
}

TEST_F(BitmapCacheTest, RefusalsChangeNothing) {
  CQuorBitmap* held = nullptr;
  ASSERT_TRUE(CQuorResourceManager::LoadBitmapW(&held, first_, 700, nullptr));
  // An occupied slot is refused without touching the cache.
  CQuorBitmap* occupied = held;
  EXPECT_FALSE(CQuorResourceManager::LoadBitmapW(&occupied, first_, 700, nullptr));
  EXPECT_FALSE(CQuorResourceManager::LoadBitmapW(nullptr, first_, 700, nullptr));
  EXPECT_EQ(Holders(first_, 700), 1u);
  // A missing image is not cached and leaves the slot empty.
  CQuorBitmap* missing = nullptr;
  EXPECT_FALSE(CQuorResourceManager::LoadBitmapW(&missing, first_, 799, nullptr));
  EXPECT_EQ(missing, nullptr);
  EXPECT_EQ(CQuorResourceManager::GetCache().size(), 1u);
  // Releasing what the cache does not hold fails and keeps the pointer.
  CQuorBitmap stranger;
  CQuorBitmap* unknown = &stranger;
  EXPECT_FALSE(CQuorResourceManager::UnloadBitmap(&unknown));
  EXPECT_EQ(unknown, &stranger);
  CQuorBitmap* empty = nullptr;
  EXPECT_FALSE(CQuorResourceManager::UnloadBitmap(&empty));
  EXPECT_FALSE(CQuorResourceManager::UnloadBitmap(nullptr));
  // A second release through a stale copy of the pointer cannot drive a count below 0.
  CQuorBitmap* copy = held;
  EXPECT_TRUE(CQuorResourceManager::UnloadBitmap(&held));
  EXPECT_FALSE(CQuorResourceManager::UnloadBitmap(&copy));
}

}  // namespace
