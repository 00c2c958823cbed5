// ResizeDither: bilinear pixels and the noise-driven shading recomputed here step by step
// from the rules, the edge clamp, the target slot and the refused arguments.
#include "image/store/random15.h"
#include "transform_fixture.h"

#include <cmath>

namespace talix::image::testing {
namespace {

using U = CNBitmapUtil;

struct Rgb { int c[3]; };

Rgb Split(uint32_t v) { return Rgb{{int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF)}}; }
uint32_t Join(const Rgb& p) { return uint32_t(p.c[0]) | uint32_t(p.c[1]) << 8 | uint32_t(p.c[2]) << 16; }

Rgb Mix(const Rgb& a, const Rgb& b, int w) {
  Rgb r{};
  for (int i = 0; i < 3; ++i) r.c[i] = (w * a.c[i] + (100 - w) * b.c[i]) / 100;
  return r;
}

int Difference(const Rgb& a, const Rgb& b) {
  return (std::abs(a.c[0] - b.c[0]) + std::abs(a.c[1] - b.c[1]) + std::abs(a.c[2] - b.c[2])) / 3;
}

Rgb Shade(Rgb p, double factor) {
  const int s = factor < 0 ? 0 : int(factor);
  for (int& ch : p.c) ch = ch * s >= 65536 ? 255 : ch * s / 256;
  return p;
}

// The noise the store draws: the generator x' = 214013 x + 2531011, output bits 16..30,
// each draw divided by 128.
std::vector<int> Noise(uint32_t seed) {
  std::vector<int> noise(131072);
  for (int& n : noise) {
    seed = seed * 214013u + 2531011u;
    n = int((seed >> 16) & 0x7FFF) / 128;
  }
  return noise;
}

struct Request { int sx, sy, sw, sh, tw, th, strength, level; };

Picture Expected(const Picture& src, const Request& r, uint32_t seed) {
  const std::vector<int> noise = Noise(seed);
  Picture out{r.tw, r.th, Pixels(size_t(r.tw) * r.th)};
  size_t cursor = 0;
  const auto pixel = [&](int x, int y) {
    return Split(src.at(std::min(x, src.width - 1), std::min(y, src.height - 1)));
  };
  float y = float(r.sy);
  for (int j = 0; j < r.th; ++j) {
    float x = float(r.sx);
    for (int k = 0; k < r.tw; ++k) {
      const int x0 = int(x), y0 = int(y);
      const float fx = x - float(x0), fy = y - float(y0);
      const int l = int((1 - fx) * 100), c = int((1 - fy) * 100);
      const Rgb i = pixel(x0, y0), kk = pixel(x0 + 1, y0), n = pixel(x0, y0 + 1), o = pixel(x0 + 1, y0 + 1);
      const Rgb m = Mix(i, kk, l), p = Mix(n, o, l);
      Rgb q = Mix(m, p, c);
      if (r.strength && r.level) {
        q = Shade(q, 255 - std::sin(fy * 3.14159) * (Difference(m, p) / r.strength) * (r.level - noise[cursor]));
        const int d2 = Difference(Mix(i, n, c), Mix(kk, o, c));
        q = Shade(q, 255 - std::sin(fx * 3.14159) * (d2 / r.strength) * (r.level - noise[cursor + 1]));
        cursor = (cursor + 2) % noise.size();
      }
      out.pixels[size_t(j) * r.tw + k] = Join(q);
      x += float(r.sw) / float(r.tw);
    }
    y += float(r.sh) / float(r.th);
  }
  return out;
}

// Strong edges, so that the shading has differences to work on.
Picture Checker(int width, int height) {
  Picture p{width, height, Pixels(size_t(width) * height)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      p.pixels[size_t(y) * width + x] = ((x / 2 + y) % 2) ? 0xF0E0D0u : uint32_t(0x102030 + 7 * x + 0x0500 * y);
  return p;
}

class ResizeDitherTest : public TransformTest {};

TEST_F(ResizeDitherTest, MatchesTheRulesForAFixedSeed) {
  const Picture source = Checker(13, 11);
  const Request cases[] = {
      {0, 0, 13, 11, 13, 11, 0, 0},  // same size, no dither: identity
      {0, 0, 13, 11, 7, 5, 0, 40},   // bilinear only (strength 0)
      {2, 1, 9, 8, 20, 17, 0, 0},    // up-scaling a part
      {0, 0, 13, 11, 20, 9, 3, 90},  // dither darkening and lightening
      {1, 2, 12, 9, 6, 6, 1, 255},   // strong dither: factors below 0 clamp to black
      {0, 0, 13, 11, 5, 4, 2, -300}, // level far below the noise: factors saturate
  };
  ASSERT_TRUE(store().Put(U::BT_BACKGROUND, 3, source));
  for (const Request& r : cases) {
    SCOPED_TRACE(::testing::Message() << r.sx << "," << r.sy << " " << r.sw << "x" << r.sh << " -> "
                                      << r.tw << "x" << r.th << " s" << r.strength << " l" << r.level);
    talix::image::SeedRandom15(777);
    EXPECT_EQ(store().ResizeDither(U::BT_BACKGROUND, 3, r.sx, r.sy, r.sw, r.sh, r.tw, r.th,
                                   r.strength, r.level), 0);
    EXPECT_EQ(store().Get(U::BT_BACKGROUND_RESIZED, 3), Expected(source, r, 777));
  }
  talix::image::SeedRandom15(5);
  store().ResizeDither(U::BT_BACKGROUND, 3, 0, 0, 13, 11, 13, 11, 0, 0);
  EXPECT_EQ(store().Get(U::BT_BACKGROUND_RESIZED, 3), source) << "same size without dither";
}

TEST_F(ResizeDitherTest, TheDitherDependsOnTheSeedAndDarkensEdges) {
  const Picture source = Checker(8, 8);
  ASSERT_TRUE(store().Put(U::BT_IMAGE, 0, source));
  const Request r{0, 0, 8, 8, 11, 11, 2, 200};
  talix::image::SeedRandom15(1);
  store().ResizeDither(U::BT_IMAGE, 0, r.sx, r.sy, r.sw, r.sh, r.tw, r.th, r.strength, r.level);
  const Picture first = store().Get(U::BT_IMAGE_RESIZED, 0);
  talix::image::SeedRandom15(2);
  store().ResizeDither(U::BT_IMAGE, 0, r.sx, r.sy, r.sw, r.sh, r.tw, r.th, r.strength, r.level);
  EXPECT_NE(store().Get(U::BT_IMAGE_RESIZED, 0), first);
  EXPECT_NE(Expected(source, Request{0, 0, 8, 8, 11, 11, 0, 0}, 1), first) << "the dither changed pixels";
}

TEST_F(ResizeDitherTest, TheWholeFrameRepeatsTheEdgePixelsPastTheLastRowAndColumn) {
  // The bottom-right sample reads one pixel further; a 1x1 source shows the clamp plainly.
  ASSERT_TRUE(store().Put(U::BT_ALPHA, 0, Solid(1, 1, 0x405060)));
  EXPECT_EQ(store().ResizeDither(U::BT_ALPHA, 0, 0, 0, 1, 1, 3, 2, 0, 0), 0);
  EXPECT_EQ(store().Get(U::BT_ALPHA_RESIZED, 0), Solid(3, 2, 0x405060));
}

TEST_F(ResizeDitherTest, RefusedArgumentsLeaveTheTargetAlone) {
  ASSERT_TRUE(store().Put(U::BT_IMAGE, 1, Gradient(6, 5)));
  struct Case { int type, index, sx, sy, sw, sh, tw, th; U::QUOError error; };
  const Case cases[] = {
      {U::BT_IMAGE_RESIZED, 1, 0, 0, 6, 5, 3, 3, U::QUO_ERR_NO_SLOT},
      {U::BT_IMAGE, 0, 0, 0, 6, 5, 3, 3, U::QUO_ERR_NO_IMAGE},
      {U::BT_IMAGE, 512, 0, 0, 6, 5, 3, 3, U::QUO_ERR_NO_IMAGE},
      {U::BT_IMAGE, 1, -1, 0, 6, 5, 3, 3, U::QUO_ERR_PARAM3},
      {U::BT_IMAGE, 1, 0, 5, 6, 1, 3, 3, U::QUO_ERR_PARAM4},
      {U::BT_IMAGE, 1, 1, 0, 6, 5, 3, 3, U::QUO_ERR_PARAM5},
      {U::BT_IMAGE, 1, 0, 0, 0, 5, 3, 3, U::QUO_ERR_PARAM5},
      {U::BT_IMAGE, 1, 0, 1, 6, 5, 3, 3, U::QUO_ERR_PARAM6},
      {U::BT_IMAGE, 1, 0, 0, 6, 5, 0, 3, U::QUO_ERR_PARAM7},
      {U::BT_IMAGE, 1, 0, 0, 6, 5, 3, -2, U::QUO_ERR_PARAM8},
      {U::BT_IMAGE, 1, 0, 0, 6, 5, 1 << 13, 1 << 13, U::QUO_ERR_PARAM8},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(store().ResizeDither(static_cast<Slot>(c.type), c.index, c.sx, c.sy, c.sw, c.sh,
                                   c.tw, c.th, 1, 1), 0);
    EXPECT_EQ(store().GetLastError(), c.error) << c.type << " " << c.index << " " << c.sx << ","
                                               << c.sy << " " << c.sw << "x" << c.sh;
  }
  EXPECT_EQ(store().GetNumberOfBitmaps(U::BT_IMAGE_RESIZED), 0);
}

TEST_F(ResizeDitherTest, NoisyPicturesMatchTheRulesAtManyScalesAndSeeds) {
  Picture source{97, 61, Pixels(size_t(97) * 61)};
  uint32_t state = 11;
  for (uint32_t& v : source.pixels) v = (state = state * 1664525u + 1013904223u) >> 8;
  ASSERT_TRUE(store().Put(U::BT_ALPHA, 2, source));
  const Request cases[] = {
      {0, 0, 97, 61, 64, 40, 4, 128},   // the reduction of 1.5 that animations use
      {0, 0, 97, 61, 64, 40, 0, 0},     // the same without the dither
      {5, 3, 91, 57, 150, 101, 1, 1},   // enlarging, weakest dither
      {0, 0, 97, 61, 1, 1, 7, 300},     // one pixel
      {96, 60, 1, 1, 5, 3, 2, 64},      // the last pixel only: every sample clamps
      {10, 0, 33, 61, 33, 61, 255, 255},
  };
  for (uint32_t seed : {1u, 4242u})
    for (const Request& r : cases) {
      SCOPED_TRACE(::testing::Message() << "seed " << seed << " " << r.sx << "," << r.sy << " " << r.sw
                                        << "x" << r.sh << " -> " << r.tw << "x" << r.th);
      talix::image::SeedRandom15(seed);
      ASSERT_EQ(store().ResizeDither(U::BT_ALPHA, 2, r.sx, r.sy, r.sw, r.sh, r.tw, r.th,
                                     r.strength, r.level), 0);
      EXPECT_EQ(store().Get(U::BT_ALPHA_RESIZED, 2), Expected(source, r, seed));
    }
}

}  // namespace
}  // namespace talix::image::testing
