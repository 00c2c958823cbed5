// MirrorSection: exact flips of a rectangle in place, anywhere up to the frame's edges.
#include "transform_fixture.h"

namespace talix::image::testing {
namespace {

using U = CNBitmapUtil;

// The picture with (x, y, w, h) flipped as asked, computed pixel by pixel.
Picture Flipped(const Picture& p, int x, int y, int w, int h, bool fh, bool fv) {
  Picture out = p;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      out.pixels[size_t(y + j) * p.width + x + i] = p.at(x + (fh ? w - 1 - i : i), y + (fv ? h - 1 - j : j));
  return out;
}

class MirrorTest : public TransformTest {};

TEST_F(MirrorTest, FlipsTheRectangleAndNothingElse) {
  const Picture source = Gradient(9, 7);
  struct Case { int x, y, w, h; };
  const Case rects[] = {{0, 0, 9, 7}, {2, 1, 4, 3}, {5, 4, 4, 3}, {8, 0, 1, 7}, {0, 6, 9, 1}, {3, 2, 1, 1}};
  for (const Case& r : rects) {
    for (int flags = 0; flags < 4; ++flags) {
      const bool fh = flags & 1, fv = flags & 2;
      SCOPED_TRACE(::testing::Message() << r.x << "," << r.y << " " << r.w << "x" << r.h << " h" << fh << " v" << fv);
      ASSERT_TRUE(store().Put(U::BT_BLENDED_RESIZED, 4, source));
      ASSERT_EQ(store().MirrorSection(U::BT_BLENDED_RESIZED, 4, r.x, r.y, r.w, r.h, fh, fv), 1);
      EXPECT_EQ(store().Get(U::BT_BLENDED_RESIZED, 4), Flipped(source, r.x, r.y, r.w, r.h, fh, fv));
    }
  }
}

TEST_F(MirrorTest, BothFlipsTwiceGiveTheFrameBack) {
  const Picture source = Gradient(6, 5);
  ASSERT_TRUE(store().Put(U::BT_IMAGE, 0, source));
  ASSERT_EQ(store().MirrorSection(U::BT_IMAGE, 0, 1, 1, 5, 4, 1, 1), 1);
  EXPECT_NE(store().Get(U::BT_IMAGE, 0), source);
  ASSERT_EQ(store().MirrorSection(U::BT_IMAGE, 0, 1, 1, 5, 4, 1, 1), 1);
  EXPECT_EQ(store().Get(U::BT_IMAGE, 0), source);
}

TEST_F(MirrorTest, RefusedArgumentsLeaveTheFrameAlone) {
  const Picture source = Gradient(6, 5);
  ASSERT_TRUE(store().Put(U::BT_IMAGE, 0, source));
  struct Case { int type, index, x, y, w, h; U::QUOError error; };
  const Case cases[] = {
      {8, 0, 0, 0, 1, 1, U::QUO_ERR_NO_SLOT},       {U::BT_ALPHA, 0, 0, 0, 1, 1, U::QUO_ERR_NO_IMAGE},
      {U::BT_IMAGE, 1, 0, 0, 1, 1, U::QUO_ERR_NO_IMAGE}, {U::BT_IMAGE, 0, -1, 0, 2, 2, U::QUO_ERR_PARAM3},
      {U::BT_IMAGE, 0, 0, 5, 2, 2, U::QUO_ERR_PARAM4},   {U::BT_IMAGE, 0, 3, 0, 4, 2, U::QUO_ERR_PARAM5},
      {U::BT_IMAGE, 0, 0, 0, 0, 2, U::QUO_ERR_PARAM5},   {U::BT_IMAGE, 0, 0, 2, 2, 4, U::QUO_ERR_PARAM6},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(store().MirrorSection(static_cast<Slot>(c.type), c.index, c.x, c.y, c.w, c.h, 1, 1), 0);
    EXPECT_EQ(store().GetLastError(), c.error) << c.x << "," << c.y << " " << c.w << "x" << c.h;
  }
  EXPECT_EQ(store().Get(U::BT_IMAGE, 0), source);
}

}  // namespace
}  // namespace talix::image::testing
