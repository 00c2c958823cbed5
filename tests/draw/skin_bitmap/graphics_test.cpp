// Drawing pictures through CQuorGraphics into a memory DC: masks blended over what the DC
// shows, natural size, parts, HALFTONE stretching, and the calls that draw nothing.
#include "draw/QuorGraphics.h"
#include "skin_fixture.h"

#include <functional>
#include <optional>

namespace talix::draw::testing {
namespace {

constexpr int kTargetW = 12, kTargetH = 9;
constexpr uint32_t kBackground = 0x204060;

// One channel of the mask rule: the background weighted by the mask (255 - alpha),
// the picture by the rest, divided by 256.
uint32_t MixChannel(uint32_t background, uint32_t picture, uint32_t mask) {
  return (background * mask + picture * (255 - mask)) >> 8;
}
uint32_t Mix(uint32_t background, uint32_t picture, uint8_t alpha) {
  uint32_t out = 0;
  for (int shift : {0, 8, 16})
    out |= MixChannel((background >> shift) & 0xFF, (picture >> shift) & 0xFF, 255u - alpha) << shift;
  return out;
}

class GraphicsTest : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    target_.emplace(MakeSolid(kTargetW, kTargetH, kBackground));
    dc_ = target_->dc();
  }
  void TearDown() override {
    target_.reset();
    SkinTest::TearDown();
  }
  Pixels Target() { return target_->Read(); }
  uint32_t At(const Pixels& p, int x, int y) { return p[size_t(y * kTargetW + x)] & 0xFFFFFF; }

  std::optional<MemoryTarget> target_;
  HDC dc_ = nullptr;
};

TEST_F(GraphicsTest, MaskBlendsAtEveryAlpha) {
  CQuorBitmap picture;
  ASSERT_TRUE(picture.LoadFromRes(module_, kAlphaId));
  CQuorGraphics graphics(dc_);
  graphics.DrawImage(&picture, 3, 2);
  const Pixels got = Target();
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) {
      const RgbaPixel& p = kAlphaPixels[y][x];
      EXPECT_EQ(At(got, 3 + x, 2 + y), Mix(kBackground, p.rgb, p.alpha)) << x << "," << y;
    }
  // Alpha 255 shows the picture at 255/256, alpha 0 keeps 255/256 of the background.
  EXPECT_EQ(At(got, 6, 2), 0xF9F9F9u);
  EXPECT_EQ(At(got, 4, 2), 0x1F3F5Fu);
  // Outside the picture nothing changed.
  EXPECT_EQ(At(got, 2, 2), kBackground);
  EXPECT_EQ(At(got, 7, 3), kBackground);
  EXPECT_EQ(At(got, 3, 4), kBackground);
}

TEST_F(GraphicsTest, PictureWithoutMaskIsCopiedExactly) {
  CQuorBitmap picture;
  ASSERT_TRUE(picture.LoadFromRes(module_, kRampId));
  CQuorGraphics graphics(dc_);
  graphics.DrawImage(&picture, 1, 1);
  const Pixels got = Target();
  for (int y = 0; y < kRampHeight; ++y)
    for (int x = 0; x < kRampWidth; ++x) ASSERT_EQ(At(got, 1 + x, 1 + y), RampPixel(x, y)) << x << "," << y;
  EXPECT_EQ(At(got, 0, 0), kBackground);
  EXPECT_EQ(At(got, 11, 8), kBackground);
}

TEST_F(GraphicsTest, PartsGoWhereTheyAreAsked) {
  CQuorBitmap picture;
  ASSERT_TRUE(picture.LoadFromRes(module_, kRampId));
  CQuorGraphics graphics(dc_);
  // The 2 x 2 part at (3, 2) at natural size, once as a rectangle and once as x, y, w, h.
  graphics.DrawImage(&picture, RECT{0, 0, 2, 2}, RECT{3, 2, 5, 4});
  graphics.DrawImage(&picture, RECT{5, 5, 7, 7}, 3, 2, 2, 2);
  const Pixels got = Target();
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) {
      EXPECT_EQ(At(got, x, y), RampPixel(3 + x, 2 + y));
      EXPECT_EQ(At(got, 5 + x, 5 + y), RampPixel(3 + x, 2 + y));
    }
  EXPECT_EQ(At(got, 2, 0), kBackground);
  EXPECT_EQ(At(got, 4, 4), kBackground);
}

TEST_F(GraphicsTest, HalfWideSourceIsDoubledWithHalftone) {
  CQuorBitmap picture;
  ASSERT_TRUE(picture.LoadFromRes(module_, kRampId));
  SetStretchBltMode(dc_, COLORONCOLOR);
  CQuorGraphics graphics(dc_);
  graphics.DrawImage(&picture, RECT{0, 0, 10, 7}, RECT{0, 0, 5, 7});
  EXPECT_EQ(GetStretchBltMode(dc_), COLORONCOLOR) << "the stretch mode is restored";
  const Pixels got = Target();
  for (int y = 0; y < kRampHeight; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(At(got, x, y), RampPixel(x / 2, y)) << x << "," << y;
}

TEST_F(GraphicsTest, WholePictureStretchesIntoTheRectangle) {
  CQuorBitmap picture;
  picture.Attach(MakeSolid(2, 2, 0x336699));
  CQuorGraphics graphics(dc_);
  graphics.DrawImage(&picture, 1, 1, 4, 3);
  graphics.DrawImage(&picture, RECT{8, 6, 12, 9});
  const Pixels got = Target();
  for (POINT p : {POINT{1, 1}, POINT{4, 3}, POINT{8, 6}, POINT{11, 8}}) EXPECT_EQ(At(got, p.x, p.y), 0x336699u);
  for (POINT p : {POINT{0, 0}, POINT{5, 1}, POINT{1, 4}, POINT{7, 6}}) EXPECT_EQ(At(got, p.x, p.y), kBackground);
  EXPECT_TRUE(DeleteObject(picture.Detach()));
}

TEST_F(GraphicsTest, NothingIsDrawnWithoutAPictureOrRoom) {
  CQuorBitmap loaded, empty;
  ASSERT_TRUE(loaded.LoadFromRes(module_, kAlphaId));
  CQuorGraphics graphics(dc_);
  const std::function<void()> calls[] = {
      [&] { graphics.DrawImage(nullptr, 0, 0); },
      [&] { graphics.DrawImage(&empty, 0, 0); },
      [&] { graphics.DrawImage(&empty, RECT{0, 0, 5, 5}, RECT{0, 0, 5, 5}); },
      [&] { graphics.DrawImage(&loaded, RECT{2, 2, 2, 6}); },                  // zero width
      [&] { graphics.DrawImage(&loaded, RECT{6, 6, 2, 2}); },                  // reversed
      [&] { graphics.DrawImage(&loaded, RECT{0, 0, 4, 4}, RECT{1, 1, 1, 1}); },  // empty source
      [&] { graphics.DrawImage(&loaded, INT_MAX - 1, INT_MAX - 1); },
      [&] { graphics.DrawImage(&loaded, 0, 0, INT_MAX, INT_MAX); },
  };
  for (const auto& call : calls) call();
  EXPECT_EQ(Target(), Pixels(size_t(kTargetW * kTargetH), kBackground));
}

TEST_F(GraphicsTest, WrapsTheDcWithoutOwningIt) {
  {
    CQuorGraphics graphics(dc_);
    EXPECT_EQ(static_cast<HDC>(graphics), dc_);
  }
  EXPECT_EQ(GetObjectType(dc_), DWORD(OBJ_MEMDC));
}

}  // namespace
}  // namespace talix::draw::testing
