// Clone, CreateTiledBitmap and CreateBitmapFromBitmapSection: exact copies, tile placement,
// slot replacement and refusals.
#include "draw/gdi_scope.h"
#include "transform_fixture.h"

namespace talix::image::testing {
namespace {

using U = CNBitmapUtil;

class CloneTileTest : public TransformTest {};

TEST_F(CloneTileTest, CloneCopiesTheFrameAndReplacesATargetOfAnotherSize) {
  const Picture source = Gradient(5, 4);
  ASSERT_TRUE(store().Put(U::BT_IMAGE, 3, source));
  ASSERT_TRUE(store().Put(U::BT_ALPHA_RESIZED, 0, Solid(2, 2, 9)));
  ASSERT_TRUE(store().Put(U::BT_ALPHA_RESIZED, 1, Solid(2, 2, 9)));
  EXPECT_EQ(store().Clone(U::BT_IMAGE, 3, U::BT_ALPHA_RESIZED, 7), 1);
  EXPECT_EQ(store().GetLastError(), U::QUO_OK);
  EXPECT_EQ(store().Get(U::BT_ALPHA_RESIZED, 7), source);
  EXPECT_EQ(store().GetNumberOfBitmaps(U::BT_ALPHA_RESIZED), 1);
  EXPECT_NE(store().GetBitmapHandle(U::BT_ALPHA_RESIZED, 7), store().GetBitmapHandle(U::BT_IMAGE, 3));

  EXPECT_EQ(store().Clone(U::BT_IMAGE, 3, U::BT_IMAGE, 4), 1) << "another index of the same slot";
  EXPECT_EQ(store().Get(U::BT_IMAGE, 4), source);
  EXPECT_EQ(store().Get(U::BT_IMAGE, 3), source);
}

TEST_F(CloneTileTest, CloneRefusals) {
  ASSERT_TRUE(store().Put(U::BT_IMAGE, 0, Gradient(3, 3)));
  struct Case { int st, si, tt, ti; U::QUOError error; };
  const Case cases[] = {
      {U::BT_IMAGE, 0, U::BT_IMAGE, 0, U::QUO_ERR_FAILED},   {U::BT_ALPHA, 0, U::BT_IMAGE, 1, U::QUO_ERR_NO_IMAGE},
      {U::BT_IMAGE, 1, U::BT_ALPHA, 0, U::QUO_ERR_NO_IMAGE}, {U::BT_IMAGE, 0, 9, 0, U::QUO_ERR_NO_SLOT},
      {-2, 0, U::BT_ALPHA, 0, U::QUO_ERR_NO_SLOT},           {U::BT_IMAGE, 0, U::BT_ALPHA, 512, U::QUO_ERR_PARAM4},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(store().Clone(Slot(c.st), c.si, Slot(c.tt), c.ti), 0);
    EXPECT_EQ(store().GetLastError(), c.error) << c.st << "/" << c.si << " -> " << c.tt << "/" << c.ti;
  }
  EXPECT_EQ(store().GetNumberOfBitmaps(U::BT_ALPHA), 0);
}

TEST_F(CloneTileTest, TilesStartAtEveryMultipleOfTheTileSize) {
  const Picture tile = Gradient(10, 10);
  ASSERT_TRUE(store().Put(U::BT_IMAGE_RESIZED, 2, tile));
  ASSERT_TRUE(store().Put(U::BT_BLENDED, 2, Solid(3, 3, 5)));
  ASSERT_TRUE(store().Put(U::BT_BLENDED, 0, Solid(3, 3, 5)));
  ASSERT_EQ(store().CreateTiledBitmap(25, 25, U::BT_IMAGE_RESIZED, 2), 1);
  const Picture tiled = store().Get(U::BT_BLENDED, 2);
  ASSERT_EQ(tiled.width, 25);
  ASSERT_EQ(tiled.height, 25);
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 25; ++x) ASSERT_EQ(tiled.at(x, y), tile.at(x % 10, y % 10)) << x << "," << y;
  EXPECT_EQ(store().GetNumberOfBitmaps(U::BT_BLENDED), 1) << "the 3x3 frames went with the slot";

  ASSERT_TRUE(store().Put(U::BT_ALPHA, 1, Gradient(4, 3)));
  ASSERT_EQ(store().CreateTiledBitmap(3, 2, U::BT_ALPHA, 1), 1) << "smaller than one tile";
  EXPECT_EQ(store().Get(U::BT_BLENDED, 1), (Picture{3, 2, {0x010203, 0x110203, 0x210203, 0x011203, 0x111204, 0x211205}}));
}

TEST_F(CloneTileTest, TilingRefusals) {
  ASSERT_TRUE(store().Put(U::BT_BLENDED, 0, Gradient(4, 4)));
  ASSERT_TRUE(store().Put(U::BT_IMAGE, 0, Gradient(4, 4)));
  struct Case { int w, h, type, index; U::QUOError error; };
  const Case cases[] = {
      {0, 5, U::BT_IMAGE, 0, U::QUO_ERR_PARAM1},   {5, -5, U::BT_IMAGE, 0, U::QUO_ERR_PARAM2},
      {5, 5, U::BT_IMAGE, 1, U::QUO_ERR_NO_IMAGE}, {5, 5, 8, 0, U::QUO_ERR_NO_SLOT},
      {5, 5, U::BT_BLENDED, 0, U::QUO_ERR_FAILED}, {1 << 13, 1 << 13, U::BT_IMAGE, 0, U::QUO_ERR_PARAM1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(store().CreateTiledBitmap(c.w, c.h, Slot(c.type), c.index), 0);
    EXPECT_EQ(store().GetLastError(), c.error) << c.w << "x" << c.h << " " << c.type;
  }
  EXPECT_EQ(store().Get(U::BT_BLENDED, 0), Gradient(4, 4));
}

TEST_F(CloneTileTest, ASectionOfAnyBitmapBecomesANewBitmap) {
  ASSERT_TRUE(store().Put(U::BT_IMAGE, 0, Gradient(8, 6)));
  HBITMAP part = store().CreateBitmapFromBitmapSection(3, 2, 4, 3, store().GetBitmapHandle(U::BT_IMAGE, 0));
  ASSERT_NE(part, nullptr);
  ASSERT_EQ(store().CreateBitmapFromHandle(part, U::BT_ALPHA, 0), 1);
  DeleteObject(part);
  const Picture whole = Gradient(8, 6), got = store().Get(U::BT_ALPHA, 0);
  ASSERT_EQ(got.width, 4);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(got.at(x, y), whole.at(x + 3, y + 2));

  EXPECT_EQ(store().CreateBitmapFromBitmapSection(0, 0, 0, 3, store().GetBitmapHandle(U::BT_IMAGE, 0)), nullptr);
  EXPECT_EQ(store().GetLastError(), U::QUO_ERR_PARAM3);
  EXPECT_EQ(store().CreateBitmapFromBitmapSection(0, 0, 3, 0, store().GetBitmapHandle(U::BT_IMAGE, 0)), nullptr);
  EXPECT_EQ(store().GetLastError(), U::QUO_ERR_PARAM4);
  EXPECT_EQ(store().CreateBitmapFromBitmapSection(0, 0, 3, 3, nullptr), nullptr);
  EXPECT_EQ(store().GetLastError(), U::QUO_ERR_PARAM5);
}

}  // namespace
}  // namespace talix::image::testing
