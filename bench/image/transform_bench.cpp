// The image store's transforms against peers on the same pixels in the same run.
//   BM_Resize/1920x1080to1280x720: CNBitmapUtil::Resize with HALFTONE (box filter) into the
//     reused target frame.
//   BM_ResizeDither/1920x1080to1280x720[/plain]: the whole ResizeDither (frame read, noise
//     table, bilinear resample with the dither, new frame), dithering on / off.
//   BM_ResampleDitherKernel/1920x1080to1280x720: the resample with dither alone, on rows
//     in memory.
//   BM_PixmanBilinear/1920x1080to1280x720: pixman's bilinear scaling of x8r8g8b8 pixels of
//     the same size, the peer of the resizes.
//   BM_BlendAlpha/1920x1080: AlphaBlendBitmaps of one index over a background read anew
//     each step (the animation case); its floor is BM_BandwidthFloor/blend24/1920x1080.
#include "image/NBitmapUtil.h"
#include "image/transform/resize_dither.h"

#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace {

constexpr int kWidth = 1920, kHeight = 1080, kTargetWidth = 1280, kTargetHeight = 720;

std::vector<char> PackedRows(int w, int h, int seed) {
  std::vector<char> rows(size_t(w) * size_t(h) * 3);
  for (size_t i = 0; i < rows.size(); ++i) rows[i] = char((i * 7 + (i / 5760) * 13 + size_t(seed)) & 0xFF);
  return rows;
}

std::unique_ptr<CNBitmapUtil> StoreWith(std::initializer_list<CNBitmapUtil::BitmapType> slots) {
  auto store = std::make_unique<CNBitmapUtil>();
  int seed = 0;
  for (CNBitmapUtil::BitmapType slot : slots) {
    std::vector<char> rows = PackedRows(kWidth, kHeight, seed += 40);
    store->CreateBitmapFromData(kWidth, kHeight, rows.data(), slot, 0);
  }
  return store;
}

void Resize(benchmark::State& state) {
  auto store = StoreWith({CNBitmapUtil::BT_IMAGE});
  for (auto _ : state) benchmark::DoNotOptimize(store->Resize(CNBitmapUtil::BT_IMAGE, 0, kTargetWidth, kTargetHeight, 1));
  state.SetItemsProcessed(int64_t(state.iterations()) * kTargetWidth * kTargetHeight);
}

void ResizeDither(benchmark::State& state, int strength, int level) {
  auto store = StoreWith({CNBitmapUtil::BT_IMAGE});
  for (auto _ : state) {
    store->ResizeDither(CNBitmapUtil::BT_IMAGE, 0, 0, 0, kWidth, kHeight, kTargetWidth, kTargetHeight,
                        strength, level);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * kTargetWidth * kTargetHeight);
}

void ResampleDitherKernel(benchmark::State& state) {
  std::vector<char> packed = PackedRows(kWidth, kHeight, 1);
  std::vector<uint8_t> noise(talix::image::kDitherNoiseBytes);
  for (size_t i = 0; i < noise.size(); ++i) noise[i] = uint8_t(i * 131 >> 3);
  std::vector<uint8_t> target(size_t(kTargetWidth) * 3 * kTargetHeight);
  const talix::image::DitherSource source{reinterpret_cast<const uint8_t*>(packed.data()), kWidth, kHeight, kWidth * 3};
  const talix::image::DitherRequest request{0, 0, kWidth, kHeight, kTargetWidth, kTargetHeight, 4, 128};
  for (auto _ : state) {
    talix::image::ResampleWithDither(source, request, noise.data(), target.data(), kTargetWidth * 3);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * kTargetWidth * kTargetHeight);
}

void PixmanBilinear(benchmark::State& state) {
  std::vector<uint32_t> src(size_t(kWidth) * kHeight), dst(size_t(kTargetWidth) * kTargetHeight);
  for (size_t i = 0; i < src.size(); ++i) src[i] = uint32_t(i * 2654435761u) & 0xFFFFFFu;
  pixman_image_t* from = pixman_image_create_bits(PIXMAN_x8r8g8b8, kWidth, kHeight, src.data(), kWidth * 4);
  pixman_image_t* to = pixman_image_create_bits(PIXMAN_x8r8g8b8, kTargetWidth, kTargetHeight, dst.data(), kTargetWidth * 4);
  pixman_transform_t scale;
  pixman_transform_init_scale(&scale, pixman_double_to_fixed(double(kWidth) / kTargetWidth),
                              pixman_double_to_fixed(double(kHeight) / kTargetHeight));
  pixman_image_set_transform(from, &scale);
  pixman_image_set_filter(from, PIXMAN_FILTER_BILINEAR, nullptr, 0);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, from, nullptr, to, 0, 0, 0, 0, 0, 0, kTargetWidth, kTargetHeight);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(from);
  pixman_image_unref(to);
  state.SetItemsProcessed(int64_t(state.iterations()) * kTargetWidth * kTargetHeight);
}

void BlendAlpha(benchmark::State& state) {
  auto store = StoreWith({CNBitmapUtil::BT_IMAGE, CNBitmapUtil::BT_ALPHA, CNBitmapUtil::BT_BACKGROUND});
  for (auto _ : state) benchmark::DoNotOptimize(store->AlphaBlendBitmaps(0, 0, 0));
  store->AlphaBlendBitmaps(1, 0, 0);
  const int64_t rowBytes = (kWidth * 3 + 3) & ~3;
  state.SetBytesProcessed(int64_t(state.iterations()) * rowBytes * kHeight * 4);
}

BENCHMARK(Resize)->Name("BM_Resize/1920x1080to1280x720")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ResizeDither, dither, 4, 128)->Name("BM_ResizeDither/1920x1080to1280x720")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ResizeDither, plain, 0, 0)->Name("BM_ResizeDither/1920x1080to1280x720/plain")->Unit(benchmark::kMillisecond);
BENCHMARK(ResampleDitherKernel)->Name("BM_ResampleDitherKernel/1920x1080to1280x720")->Unit(benchmark::kMillisecond);
BENCHMARK(PixmanBilinear)->Name("BM_PixmanBilinear/1920x1080to1280x720")->Unit(benchmark::kMillisecond);
BENCHMARK(BlendAlpha)->Name("BM_BlendAlpha/1920x1080")->Unit(benchmark::kMillisecond);

}  // namespace
