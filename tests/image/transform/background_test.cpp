// Backgrounds and window copies: colour backgrounds of the image's size, frames copied to
// the screen (the NULL window's DC) opaque and with constant alpha, and captured back.
#include "transform_fixture.h"

namespace talix::image::testing {
namespace {

using U = CNBitmapUtil;

class BackgroundTest : public TransformTest {};

TEST_F(BackgroundTest, AColourBackgroundTakesTheImageSize) {
  for (int resized : {0, 1}) {
    const Slot image = resized ? U::BT_IMAGE_RESIZED : U::BT_IMAGE;
    const Slot back = resized ? U::BT_BACKGROUND_RESIZED : U::BT_BACKGROUND;
    ASSERT_TRUE(store().Put(image, 5, Gradient(6, 3)));
    ASSERT_TRUE(store().Put(back, 0, Solid(2, 2, 0)));
    ASSERT_TRUE(store().Put(back, 5, Solid(2, 2, 0)));
    EXPECT_NE(store().CreateColorBackground(RGB(0x12, 0x34, 0x56), resized, 5), 0);
    EXPECT_EQ(store().Get(back, 5), Solid(6, 3, 0x123456));
    EXPECT_EQ(store().GetNumberOfBitmaps(back), 1) << "the 2x2 frames went with the header";
  }
  EXPECT_EQ(store().CreateColorBackground(0, 0, 4), 0);
  EXPECT_EQ(store().GetLastError(), U::QUO_ERR_NO_IMAGE);
  EXPECT_EQ(store().CreateColorBackground(0, 0, -1), 0);
  EXPECT_EQ(store().GetLastError(), U::QUO_ERR_NO_IMAGE);
}

TEST_F(BackgroundTest, FramesGoToTheScreenAndComeBackExactly) {
  const Picture picture = Gradient(9, 6);
  ASSERT_TRUE(store().Put(U::BT_IMAGE, 0, picture));
  EXPECT_NE(store().SetBitmapStatic(nullptr, 40, 30, 9, 6, U::BT_IMAGE, 0, 0, 0), 0);
  HBITMAP captured = store().GetBackgroundStatic(nullptr, 40, 30, 9, 6, 1, 2);
  ASSERT_NE(captured, nullptr);
  EXPECT_EQ(captured, store().GetBitmapHandle(U::BT_BACKGROUND_RESIZED, 2));
  EXPECT_EQ(store().Get(U::BT_BACKGROUND_RESIZED, 2), picture);

  // A part of the frame at another place; the capture of the same size reuses the frame.
  EXPECT_NE(store().SetBitmapStatic(nullptr, 40, 30, 9, 6, U::BT_IMAGE, 0, 0, 0), 0);
  EXPECT_NE(store().SetBitmapStatic(nullptr, 42, 31, 3, 2, U::BT_IMAGE, 0, 5, 3), 0);
  EXPECT_EQ(store().GetBackgroundStatic(nullptr, 40, 30, 9, 6, 1, 2), captured);
  const Picture again = store().Get(U::BT_BACKGROUND_RESIZED, 2);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 9; ++x) {
      const bool inPart = x >= 2 && x < 5 && y >= 1 && y < 3;
      EXPECT_EQ(again.at(x, y), inPart ? picture.at(x + 3, y + 2) : picture.at(x, y)) << x << "," << y;
    }
}

TEST_F(BackgroundTest, ConstantAlphaMixesWithWhatTheScreenShows) {
  const Picture top = Gradient(5, 4), under = Solid(5, 4, 0x20F080);
  ASSERT_TRUE(store().Put(U::BT_IMAGE, 0, top));
  ASSERT_TRUE(store().Put(U::BT_ALPHA, 0, under));
  for (int alpha : {0, 77, 255, 300}) {
    ASSERT_NE(store().SetBitmapStatic(nullptr, 10, 10, 5, 4, U::BT_ALPHA, 0, 0, 0), 0);
    ASSERT_NE(store().SetBitmapStaticAlpha(nullptr, 10, 10, 5, 4, U::BT_IMAGE, 0, 0, 0, alpha), 0);
    ASSERT_NE(store().GetBackgroundStatic(nullptr, 10, 10, 5, 4, 0, 0), nullptr);
    const Picture got = store().Get(U::BT_BACKGROUND, 0);
    const uint32_t a = alpha > 255 ? 255 : uint32_t(alpha);
    for (size_t i = 0; i < got.pixels.size(); ++i)
      for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t s = (top.pixels[i] >> shift) & 0xFF, d = (under.pixels[i] >> shift) & 0xFF;
        ASSERT_EQ((got.pixels[i] >> shift) & 0xFF, (s * a + d * (255 - a) + 127) / 255) << alpha << " " << i;
      }
  }
}

TEST_F(BackgroundTest, RefusedCopiesAndCaptures) {
  ASSERT_TRUE(store().Put(U::BT_IMAGE, 0, Gradient(4, 4)));
  struct Case { int x, y, w, h, type, index, sx, sy; U::QUOError error; };
  const Case cases[] = {
      {-1, 0, 2, 2, U::BT_IMAGE, 0, 0, 0, U::QUO_ERR_PARAM2}, {0, -1, 2, 2, U::BT_IMAGE, 0, 0, 0, U::QUO_ERR_PARAM3},
      {0, 0, 0, 2, U::BT_IMAGE, 0, 0, 0, U::QUO_ERR_PARAM4},  {0, 0, 2, -2, U::BT_IMAGE, 0, 0, 0, U::QUO_ERR_PARAM5},
      {0, 0, 2, 2, U::BT_ALPHA, 0, 0, 0, U::QUO_ERR_PARAM6},  {0, 0, 2, 2, 12, 0, 0, 0, U::QUO_ERR_PARAM6},
      {0, 0, 2, 2, U::BT_IMAGE, 0, -1, 0, U::QUO_ERR_PARAM7}, {0, 0, 2, 2, U::BT_IMAGE, 0, 0, -3, U::QUO_ERR_PARAM8},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(store().SetBitmapStatic(nullptr, c.x, c.y, c.w, c.h, Slot(c.type), c.index, c.sx, c.sy), 0);
    EXPECT_EQ(store().GetLastError(), c.error);
    EXPECT_EQ(store().SetBitmapStaticAlpha(nullptr, c.x, c.y, c.w, c.h, Slot(c.type), c.index, c.sx, c.sy, 9), 0);
    EXPECT_EQ(store().GetLastError(), c.error);
  }
  EXPECT_EQ(store().GetBackgroundStatic(nullptr, 0, 0, 0, 4, 0, 0), nullptr);
  EXPECT_EQ(store().GetLastError(), U::QUO_ERR_PARAM4);
  EXPECT_EQ(store().GetBackgroundStatic(nullptr, 0, 0, 4, -4, 0, 0), nullptr);
  EXPECT_EQ(store().GetLastError(), U::QUO_ERR_PARAM5);
  EXPECT_EQ(store().GetNumberOfBitmaps(U::BT_BACKGROUND), 0);
}

}  // namespace
}  // namespace talix::image::testing
