// Raster kernels against pixman on the same pixels in the same run:
//   BM_AlphaBlendConst/1280x1024     vs BM_PixmanOverConst/1280x1024 (OVER with a solid mask)
//   BM_AlphaBlendPerPixel/1280x1024  vs BM_PixmanOverPerPixel/1280x1024 (premultiplied OVER)
//   BM_StretchHalftone/640x480to1280x1024 vs BM_PixmanBoxScale/640x480to1280x1024
//     (pixman scaling with a separable box/box convolution filter)
#include "platform/gdi/raster/alpha.h"
#include "platform/gdi/raster/stretch.h"

#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

using talix::gdi::Surface32;
using namespace talix::gdi::raster;

// Pixels owned by a vector, seen both as a surface and as a pixman image.
struct Image {
  Image(int w, int h, pixman_format_code_t format) : pixels(static_cast<size_t>(w) * h) {
    surface = Surface32{reinterpret_cast<uint8_t*>(pixels.data()), w, h,
                        static_cast<ptrdiff_t>(w) * 4};
    image = pixman_image_create_bits(format, w, h, pixels.data(), w * 4);
  }
  ~Image() { pixman_image_unref(image); }

  std::vector<uint32_t> pixels;
  Surface32 surface;
  pixman_image_t* image;
};

// Premultiplied pixels in runs of 64: transparent, opaque and translucent, as icons and
// skins have them.
void FillPremultiplied(std::vector<uint32_t>* pixels, uint32_t seed) {
  std::mt19937 rng(seed);
  for (size_t i = 0; i < pixels->size(); ++i) {
    const uint32_t kind = (i / 64) % 3;
    const uint32_t a = kind == 0 ? 0 : kind == 1 ? 255 : rng() & 0xff;
    uint32_t p = a << 24;
    for (int shift = 0; shift < 24; shift += 8) p |= ((rng() & 0xff) * a / 255) << shift;
    (*pixels)[i] = p;
  }
}

void FillRandom(std::vector<uint32_t>* pixels, uint32_t seed) {
  std::mt19937 rng(seed);
  for (uint32_t& p : *pixels) p = rng() | 0xff000000u;
}

constexpr int kW = 1280, kH = 1024;

void SetPixels(benchmark::State& state, int w, int h) {
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * w * h);
}

// Times `blend(src, dst)` over a kW x kH source (premultiplied runs, or opaque random
// pixels) and an opaque random destination.
template <class Blend>
void RunBlend(benchmark::State& state, pixman_format_code_t src_format, bool premultiplied,
              Blend blend) {
  Image src(kW, kH, src_format), dst(kW, kH, PIXMAN_a8r8g8b8);
  if (premultiplied) {
    FillPremultiplied(&src.pixels, 3);
  } else {
    FillRandom(&src.pixels, 1);
  }
  FillRandom(&dst.pixels, 2);
  for (auto _ : state) {
    blend(src, dst);
    benchmark::ClobberMemory();
  }
  SetPixels(state, kW, kH);
}

void AlphaBlendConst(benchmark::State& state) {
  RunBlend(state, PIXMAN_x8r8g8b8, false, [](Image& src, Image& dst) {
    AlphaBlendCopy(dst.surface, {0, 0, kW, kH}, src.surface, {0, 0, kW, kH}, {128, false},
                   nullptr);
  });
}

void PixmanOverConst(benchmark::State& state) {
  const pixman_color_t alpha{0, 0, 0, 0x8080};
  pixman_image_t* mask = pixman_image_create_solid_fill(&alpha);
  RunBlend(state, PIXMAN_x8r8g8b8, false, [mask](Image& src, Image& dst) {
    pixman_image_composite32(PIXMAN_OP_OVER, src.image, mask, dst.image, 0, 0, 0, 0, 0, 0, kW,
                             kH);
  });
  pixman_image_unref(mask);
}

void AlphaBlendPerPixel(benchmark::State& state) {
  RunBlend(state, PIXMAN_a8r8g8b8, true, [](Image& src, Image& dst) {
    AlphaBlendCopy(dst.surface, {0, 0, kW, kH}, src.surface, {0, 0, kW, kH}, {255, true},
                   nullptr);
  });
}

void PixmanOverPerPixel(benchmark::State& state) {
  RunBlend(state, PIXMAN_a8r8g8b8, true, [](Image& src, Image& dst) {
    pixman_image_composite32(PIXMAN_OP_OVER, src.image, nullptr, dst.image, 0, 0, 0, 0, 0, 0,
                             kW, kH);
  });
}

constexpr int kSrcW = 640, kSrcH = 480;

void StretchHalftone(benchmark::State& state) {
  Image src(kSrcW, kSrcH, PIXMAN_a8r8g8b8), dst(kW, kH, PIXMAN_a8r8g8b8);
  FillRandom(&src.pixels, 5);
  for (auto _ : state) {
    StretchCopy(dst.surface, {0, 0, kW, kH}, src.surface, {0, 0, kSrcW, kSrcH},
                StretchMode::kHalftone, nullptr);
    benchmark::ClobberMemory();
  }
  SetPixels(state, kW, kH);
}

void PixmanBoxScale(benchmark::State& state) {
  Image src(kSrcW, kSrcH, PIXMAN_a8r8g8b8), dst(kW, kH, PIXMAN_a8r8g8b8);
  FillRandom(&src.pixels, 5);
  const pixman_fixed_t sx = pixman_double_to_fixed(double(kSrcW) / kW);
  const pixman_fixed_t sy = pixman_double_to_fixed(double(kSrcH) / kH);
  pixman_transform_t transform;
  pixman_transform_init_scale(&transform, sx, sy);
  pixman_image_set_transform(src.image, &transform);
  int n_values = 0;
  pixman_fixed_t* params = pixman_filter_create_separable_convolution(
      &n_values, sx, sy, PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX, PIXMAN_KERNEL_BOX,
      PIXMAN_KERNEL_BOX, 1, 1);
  pixman_image_set_filter(src.image, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, params, n_values);
  free(params);
  pixman_image_set_repeat(src.image, PIXMAN_REPEAT_PAD);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, src.image, nullptr, dst.image, 0, 0, 0, 0, 0, 0,
                             kW, kH);
    benchmark::ClobberMemory();
  }
  SetPixels(state, kW, kH);
}

BENCHMARK(AlphaBlendConst)->Name("BM_AlphaBlendConst/1280x1024");
BENCHMARK(PixmanOverConst)->Name("BM_PixmanOverConst/1280x1024");
BENCHMARK(AlphaBlendPerPixel)->Name("BM_AlphaBlendPerPixel/1280x1024");
BENCHMARK(PixmanOverPerPixel)->Name("BM_PixmanOverPerPixel/1280x1024");
BENCHMARK(StretchHalftone)->Name("BM_StretchHalftone/640x480to1280x1024");
BENCHMARK(PixmanBoxScale)->Name("BM_PixmanBoxScale/640x480to1280x1024");

}  // namespace
