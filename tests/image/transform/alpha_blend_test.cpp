// AlphaBlendBitmaps, AlphaBlendBitmapsBGPos and AlphaBlendFunction: blended bytes against
// the rule, the buffer cache across calls, the modes, positions and refusals.
#include "transform_fixture.h"

namespace talix::image::testing {
namespace {

using U = CNBitmapUtil;

// out = (background * mask + image * (255 - mask)) >> 8 per channel; the mask is grey.
Picture Blended(const Picture& image, const Picture& mask, const Picture& back) {
  Picture out{image.width, image.height, Pixels(image.pixels.size())};
  for (size_t i = 0; i < out.pixels.size(); ++i)
    for (int shift = 0; shift < 24; shift += 8) {
      const uint32_t m = (mask.pixels[i] >> shift) & 0xFF, fg = (image.pixels[i] >> shift) & 0xFF;
      const uint32_t bg = (back.pixels[i] >> shift) & 0xFF;
      out.pixels[i] |= ((bg * m + fg * (255 - m)) >> 8) << shift;
    }
  return out;
}

Picture Ramp(int width, int height) {  // grey mask from 0 to 255 across the picture
  Picture p{width, height, Pixels(size_t(width) * height)};
  for (size_t i = 0; i < p.pixels.size(); ++i) p.pixels[i] = uint32_t(i * 255 / (p.pixels.size() - 1)) * 0x010101u;
  return p;
}

Picture Part(const Picture& p, int x, int y, int w, int h) {
  Picture out{w, h, Pixels(size_t(w) * h)};
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) out.pixels[size_t(j) * w + i] = p.at(x + i, y + j);
  return out;
}

class AlphaBlendTest : public TransformTest {
 protected:
  // Image, mask and background of one group at one index.
  void PutGroup(int resized, int index, const Picture& image, const Picture& mask, const Picture& back) {
    const int base = resized ? 4 : 0;
    ASSERT_TRUE(store().Put(Slot(base + U::BT_IMAGE), index, image));
    ASSERT_TRUE(store().Put(Slot(base + U::BT_ALPHA), index, mask));
    ASSERT_TRUE(store().Put(Slot(base + U::BT_BACKGROUND), index, back));
  }
};

TEST_F(AlphaBlendTest, BlendsEveryByteByTheMaskInBothGroups) {
  const Picture image = Gradient(7, 5), mask = Ramp(7, 5), back = Solid(7, 5, 0xFF8001);
  for (int resized : {0, 1}) {
    SCOPED_TRACE(resized);
    PutGroup(resized, 2, image, mask, back);
    EXPECT_EQ(store().AlphaBlendBitmaps(0, resized, 2), 5);
    EXPECT_EQ(store().Get(resized ? U::BT_BLENDED_RESIZED : U::BT_BLENDED, 2), Blended(image, mask, back));
  }
}

TEST_F(AlphaBlendTest, TheSameIndexReusesImageAndMaskAndAnotherIndexReadsThemAgain) {
  const Picture mask = Ramp(6, 4), back1 = Solid(6, 4, 0x102030), back2 = Gradient(6, 4);
  const Picture image1 = Solid(6, 4, 0xF0F0F0), image2 = Solid(6, 4, 0x0A0B0C);
  PutGroup(0, 0, image1, mask, back1);
  ASSERT_EQ(store().AlphaBlendBitmaps(0, 0, 0), 4);
  ASSERT_TRUE(store().Put(U::BT_IMAGE, 0, image2));
  ASSERT_TRUE(store().Put(U::BT_BACKGROUND, 0, back2));
  ASSERT_EQ(store().AlphaBlendBitmaps(0, 0, 0), 4);
  EXPECT_EQ(store().Get(U::BT_BLENDED, 0), Blended(image1, mask, back2)) << "old image, new background";

  PutGroup(0, 1, image2, mask, back1);
  ASSERT_EQ(store().AlphaBlendBitmaps(0, 0, 1), 4);
  EXPECT_EQ(store().Get(U::BT_BLENDED, 1), Blended(image2, mask, back1));
  ASSERT_EQ(store().AlphaBlendBitmaps(2, 0, 0), 4);  // index 0 again: read anew
  EXPECT_EQ(store().Get(U::BT_BLENDED, 0), Blended(image2, mask, back2));
}

TEST_F(AlphaBlendTest, ModesOneAndTwoReleaseTheBuffers) {
  PutGroup(0, 0, Gradient(4, 4), Ramp(4, 4), Solid(4, 4, 0x777777));
  ASSERT_EQ(store().AlphaBlendBitmaps(0, 0, 0), 4);
  EXPECT_NE(store().m_pBlendImage, nullptr);
  EXPECT_EQ(store().m_nLastBlendIndex, 0);
  EXPECT_EQ(store().AlphaBlendBitmaps(1, 0, 0), -1);
  EXPECT_EQ(store().m_pBlendImage, nullptr);
  EXPECT_EQ(store().m_nLastBlendIndex, -1);
  EXPECT_EQ(store().AlphaBlendBitmaps(2, 0, 0), 4);
  EXPECT_EQ(store().m_pBlendImage, nullptr);
  EXPECT_EQ(store().GetNumberOfBitmaps(U::BT_BLENDED), 1);
}

TEST_F(AlphaBlendTest, ALargerImageOfTheSameIndexGetsNewBuffersAndIsReadAgain) {
  PutGroup(0, 0, Solid(3, 2, 0x112233), Ramp(3, 2), Solid(3, 2, 0));
  ASSERT_EQ(store().AlphaBlendBitmaps(0, 0, 0), 2);
  const Picture image = Gradient(20, 15), mask = Ramp(20, 15), back = Solid(20, 15, 0xABCDEF);
  PutGroup(0, 0, image, mask, back);
  ASSERT_EQ(store().AlphaBlendBitmaps(0, 0, 0), 15);
  EXPECT_EQ(store().Get(U::BT_BLENDED, 0), Blended(image, mask, back));
}

TEST_F(AlphaBlendTest, MissingPartsAndUnequalSizesAreRefused) {
  struct Case { bool image, mask, back; U::QUOError error; };
  for (const Case& c : {Case{false, true, true, U::QUO_ERR_NO_FOREGROUND},
                        Case{true, false, true, U::QUO_ERR_NO_MASK},
                        Case{true, true, false, U::QUO_ERR_NO_BACKGROUND}}) {
    StoreProbe local;
    if (c.image) ASSERT_TRUE(local.Put(U::BT_IMAGE, 3, Solid(2, 2, 1)));
    if (c.mask) ASSERT_TRUE(local.Put(U::BT_ALPHA, 3, Solid(2, 2, 1)));
    if (c.back) ASSERT_TRUE(local.Put(U::BT_BACKGROUND, 3, Solid(2, 2, 1)));
    EXPECT_EQ(local.AlphaBlendBitmaps(0, 0, 3), -1);
    EXPECT_EQ(local.GetLastError(), c.error);
    EXPECT_EQ(local.AlphaBlendBitmaps(0, 0, -5), -1);
    EXPECT_EQ(local.GetLastError(), c.image ? U::QUO_ERR_NO_FOREGROUND : c.error);
  }
  PutGroup(0, 0, Solid(4, 2, 1), Solid(2, 4, 1), Solid(4, 2, 1));  // same bytes, other shape
  EXPECT_EQ(store().AlphaBlendBitmaps(0, 0, 0), -1);
  EXPECT_EQ(store().GetNumberOfBitmaps(U::BT_BLENDED), 0);
}

TEST_F(AlphaBlendTest, PositionedBlendsTakeThePartOfALargerBackground) {
  const Picture image = Gradient(5, 3), mask = Ramp(5, 3), back = Gradient(12, 9);
  PutGroup(1, 0, image, mask, back);
  HBITMAP ownBackground = store().GetBitmapHandle(U::BT_BACKGROUND_RESIZED, 0);
  struct Case { int x, y; };
  for (const Case& c : {Case{0, 0}, Case{7, 6}, Case{3, 2}}) {
    ASSERT_EQ(store().AlphaBlendBitmapsBGPos(0, c.x, c.y, 1, 0), 3);
    EXPECT_EQ(store().Get(U::BT_BLENDED_RESIZED, 0), Blended(image, mask, Part(back, c.x, c.y, 5, 3)))
        << c.x << "," << c.y;
  }
  EXPECT_EQ(store().GetBitmapHandle(U::BT_BACKGROUND_RESIZED, 0), ownBackground);
  EXPECT_EQ(store().Get(U::BT_BACKGROUND_RESIZED, 0), back);

  struct Refusal { int x, y; U::QUOError error; };
  for (const Refusal& r : {Refusal{-1, 0, U::QUO_ERR_PARAM2}, Refusal{0, -1, U::QUO_ERR_PARAM3},
                           Refusal{8, 0, U::QUO_ERR_PARAM2}, Refusal{0, 7, U::QUO_ERR_PARAM3}}) {
    EXPECT_EQ(store().AlphaBlendBitmapsBGPos(0, r.x, r.y, 1, 0), -1);
    EXPECT_EQ(store().GetLastError(), r.error) << r.x << "," << r.y;
  }
  EXPECT_EQ(store().AlphaBlendBitmapsBGPos(0, 0, 0, 0, 0), -1) << "the plain group is empty";
  EXPECT_EQ(store().GetLastError(), U::QUO_ERR_NO_IMAGE);
}

TEST_F(AlphaBlendTest, ASameSizedBackgroundBlendsDirectly) {
  const Picture image = Gradient(4, 3), mask = Ramp(4, 3), back = Solid(4, 3, 0x00FF00);
  PutGroup(0, 1, image, mask, back);
  EXPECT_EQ(store().AlphaBlendBitmapsBGPos(0, 0, 0, 0, 1), 3);
  EXPECT_EQ(store().Get(U::BT_BLENDED, 1), Blended(image, mask, back));
}

// A device-dependent (32-bit, screen-compatible) bitmap holding the picture: a frame the
// blend cannot reach in place, so it goes through GetDIBits / SetDIBits.
HBITMAP DeviceBitmap(const Picture& p) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, p.width, p.height);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), p.width, -p.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  SetDIBits(screen, bitmap, 0, UINT(p.height), p.pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

Picture Noise(int width, int height, uint32_t seed) {
  Picture p{width, height, Pixels(size_t(width) * height)};
  for (uint32_t& v : p.pixels) v = (seed = seed * 1664525u + 1013904223u) >> 8;
  return p;
}

TEST_F(AlphaBlendTest, InPlaceAndCopiedBlendsGiveTheRuleBytesForEdgeMasksAndOddWidths) {
  for (uint32_t level : {0u, 1u, 127u, 128u, 254u, 255u})
    for (int width : {1, 2, 3, 5, 7, 33}) {
      SCOPED_TRACE(::testing::Message() << "mask " << level << " width " << width);
      const Picture image = Noise(width, 3, level + 1), back = Noise(width, 3, level + 99);
      Picture mask = Noise(width, 3, 7);
      for (size_t i = 0; i < mask.pixels.size(); i += 2) mask.pixels[i] = level * 0x010101u;
      const Picture expected = Blended(image, mask, back);
      StoreProbe local;
      ASSERT_TRUE(local.Put(U::BT_IMAGE, 0, image));
      ASSERT_TRUE(local.Put(U::BT_ALPHA, 0, mask));
      ASSERT_TRUE(local.Put(U::BT_BACKGROUND, 0, back));
      ASSERT_EQ(local.AlphaBlendBitmaps(0, 0, 0), 3);
      EXPECT_EQ(local.Get(U::BT_BLENDED, 0), expected) << "in place";
      ASSERT_TRUE(local.InstallFrame(U::BT_BACKGROUND, 0, DeviceBitmap(back), width, 3));
      ASSERT_TRUE(local.Put(U::BT_BLENDED, 0, Solid(width, 3, 0x5A5A5A)));
      ASSERT_EQ(local.AlphaBlendBitmaps(0, 0, 0), 3);
      EXPECT_EQ(local.Get(U::BT_BLENDED, 0), expected) << "through copies";
    }
}

TEST_F(AlphaBlendTest, TheByteFunctionCoversOddCountsAndRefusesMissingBuffers) {
  unsigned char image[7] = {0, 255, 100, 200, 7, 255, 90};
  unsigned char mask[7] = {0, 255, 128, 64, 1, 0, 255};
  unsigned char back[7] = {255, 0, 50, 10, 250, 255, 3};
  unsigned char out[7] = {};
  store().AlphaBlendFunction(image, mask, back, out, 7);
  for (int i = 0; i < 7; ++i)
    EXPECT_EQ(out[i], (back[i] * mask[i] + image[i] * (255 - mask[i])) >> 8) << i;

  unsigned char* buffers[4] = {image, mask, back, out};
  for (int missing = 0; missing < 4; ++missing) {
    unsigned char* args[4] = {buffers[0], buffers[1], buffers[2], buffers[3]};
    args[missing] = nullptr;
    store().AlphaBlendFunction(args[0], args[1], args[2], args[3], 7);
    EXPECT_EQ(store().GetLastError(), U::QUO_ERR_PARAM1 + missing);
  }
}

}  // namespace
}  // namespace talix::image::testing
