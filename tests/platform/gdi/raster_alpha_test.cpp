#include "platform/gdi/raster/alpha.h"
#include "platform/gdi/raster/transparent.h"
#include "raster_test_surface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace talix::gdi::raster {
namespace {

using testing::TestSurface;

// The blend written straight from its definition, in real numbers rounded to nearest.
uint32_t RoundDiv255(double x) { return static_cast<uint32_t>(std::floor(x / 255.0 + 0.5)); }

uint32_t ReferenceBlend(uint32_t d, uint32_t s, BlendFunction f) {
  const double sca = f.constant_alpha;
  uint32_t out = 0;
  uint32_t scaled_alpha = (s >> 24) & 0xff;
  if (f.source_alpha && sca != 255) scaled_alpha = RoundDiv255(scaled_alpha * sca);
  for (int shift = 0; shift < 32; shift += 8) {
    const double sc = (s >> shift) & 0xff, dc = (d >> shift) & 0xff;
    uint32_t v;
    if (!f.source_alpha) {
      v = RoundDiv255(sc * sca + dc * (255 - sca));
    } else {
      const uint32_t scaled = sca == 255 ? uint32_t(sc) : RoundDiv255(sc * sca);
      v = std::min<uint32_t>(255, scaled + RoundDiv255(dc * (255 - scaled_alpha)));
    }
    out |= v << shift;
  }
  return out;
}

using RowKernel = void (*)(uint32_t*, const uint32_t*, int, BlendFunction);

TEST(RasterAlpha, BothRowKernelsFollowTheFormulaOverATableOfAlphas) {
  const uint32_t alphas[] = {0, 1, 127, 128, 254, 255};
  // Premultiplied sources (colour <= alpha) and a few over-bright ones that must saturate.
  std::vector<uint32_t> sources, dests;
  for (uint32_t a : alphas) {
    for (uint32_t c : {0u, 1u, a / 2, a})
      sources.push_back(a << 24 | c << 16 | (a - c) << 8 | (c * 3 / 4));
    sources.push_back(a << 24 | 0x00ffffff);
  }
  for (uint32_t d : {0x00000000u, 0xffffffffu, 0x80ff7f01u, 0x01fe8040u}) dests.push_back(d);
  for (RowKernel kernel : {&BlendRowPortable, &BlendRowSimd}) {
    for (uint32_t sca : alphas) {
      for (bool per_pixel : {false, true}) {
        const BlendFunction f{static_cast<uint8_t>(sca), per_pixel};
        for (uint32_t d : dests) {
          std::vector<uint32_t> row(sources.size(), d);
          kernel(row.data(), sources.data(), static_cast<int>(row.size()), f);
          for (size_t i = 0; i < sources.size(); ++i) {
            ASSERT_EQ(row[i], ReferenceBlend(d, sources[i], f))
                << std::hex << "src " << sources[i] << " dst " << d << " sca " << sca
                << " per-pixel " << per_pixel << " simd " << (kernel == &BlendRowSimd);
          }
        }
      }
    }
  }
}

TEST(RasterAlpha, SimdAndPortableAgreeBitForBitOnRandomData) {
#if defined(__SSE2__)
  ASSERT_TRUE(HaveBlendRowSimd());
#endif
  std::mt19937 rng(42);
  for (int round = 0; round < 200; ++round) {
    const int count = 1 + static_cast<int>(rng() % 67);  // odd tails included
    std::vector<uint32_t> src(count), dst(count);
    for (int i = 0; i < count; ++i) {
      src[i] = rng();
      dst[i] = rng();
      if (round % 3 == 0) src[i] &= (i % 5 == 0) ? 0 : 0xffffffff;  // transparent runs
      if (round % 3 == 1) src[i] |= 0xff000000;                     // opaque runs
    }
    const BlendFunction f{static_cast<uint8_t>(round % 4 == 0 ? 255 : rng()), round % 2 == 0};
    std::vector<uint32_t> a = dst, b = dst;
    BlendRowPortable(a.data(), src.data(), count, f);
    BlendRowSimd(b.data(), src.data(), count, f);
    ASSERT_EQ(a, b) << "round " << round;
  }
}

TEST(RasterAlpha, BlendCopyStretchesAndClips) {
  TestSurface src(2, 2);
  src.At(0, 0) = 0xff0000ff;
  src.At(1, 0) = 0x00000000;
  src.At(0, 1) = 0x80800000;
  src.At(1, 1) = 0xffffffff;
  TestSurface dst(5, 5, true, 0xff00ff00);
  ClipRegion clip({{0, 0, 3, 4}});
  const BlendFunction f{255, true};
  ASSERT_TRUE(AlphaBlendCopy(dst, {0, 0, 4, 4}, src, {0, 0, 2, 2}, f, clip.get()));
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 5; ++x) {
      const uint32_t expected =
          (x < 3 && y < 4) ? ReferenceBlend(0xff00ff00, src.At(x / 2, y / 2), f) : 0xff00ff00;
      EXPECT_EQ(dst.At(x, y), expected) << x << "," << y;
    }
  }
}

TEST(RasterAlpha, BlendCopyRefusesWhatAlphaBlendRefuses) {
  TestSurface src(4, 4, false, 0xffffffff);
  TestSurface dst(4, 4, false, 0x11111111);
  struct Case {
    BlitRect d, s;
  };
  const Case cases[] = {
      {{0, 0, -2, 2}, {0, 0, 2, 2}},  // negative destination width
      {{0, 0, 2, 2}, {0, 0, 2, -2}},  // negative source height
      {{0, 0, 2, 2}, {3, 0, 2, 2}},   // source leaves the surface on the right
      {{0, 0, 2, 2}, {0, -1, 2, 2}},  // ... and on the top
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(AlphaBlendCopy(dst, c.d, src, c.s, {128, false}, nullptr));
  }
  EXPECT_FALSE(AlphaBlendCopy(dst, {1, 1, 2, 2}, dst, {0, 0, 2, 2}, {128, false}, nullptr));
  EXPECT_TRUE(AlphaBlendCopy(dst, {2, 2, 2, 2}, dst, {0, 0, 2, 2}, {128, false}, nullptr));
  TestSurface untouched(4, 4, false, 0x11111111);
  EXPECT_TRUE(dst == untouched);  // blending a uniform area over itself changes nothing
}

TEST(RasterTransparent, KeyPixelsKeepTheDestinationWhateverTheirAlpha) {
  TestSurface src(3, 1);
  src.At(0, 0) = 0x00ff0000;  // red, the key (COLORREF 0x000000ff)
  src.At(1, 0) = 0xffff0000;  // red with alpha: still the key
  src.At(2, 0) = 0x00ff0001;  // almost red: copied
  TestSurface dst(6, 2, false, 0xdeadbeef);
  TransparentCopy(dst, {0, 0, 6, 2}, src, {0, 0, 3, 1}, 0x000000ff, nullptr);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(dst.At(x, y), x < 4 ? 0xdeadbeefu : 0x00ff0001u) << x << "," << y;
  }
  // Mirrored, clipped by a region, with the source hanging off its surface.
  TestSurface mirrored(6, 1, false, 0xdeadbeef);
  ClipRegion clip({{1, 0, 6, 1}});
  TransparentCopy(mirrored, {6, 0, -6, 1}, src, {-3, 0, 6, 1}, 0x000000ff, clip.get());
  EXPECT_EQ(mirrored.At(0, 0), 0xdeadbeefu);  // clipped away
  EXPECT_EQ(mirrored.At(1, 0), 0xdeadbeefu);  // key
  EXPECT_EQ(mirrored.At(2, 0), 0xdeadbeefu);  // key
  EXPECT_EQ(mirrored.At(3, 0), 0xdeadbeefu);  // source column -1: outside, not read
  EXPECT_EQ(ColorRefToPixel(0x00112233), 0x00332211u);
}

}  // namespace
}  // namespace talix::gdi::raster
