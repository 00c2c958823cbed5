// Shared baselines that other benchmarks are compared with in the same run.
//   BM_Memcpy/<W>x<H>: copying a W*H 32-bit surface with memcpy.
//   BM_BandwidthFloor/<operation>/<W>x<H>: the least memory traffic an operation on a
//   W*H 32-bit surface needs (read one buffer, read two and write one, ...).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

void Memcpy(benchmark::State& state, int w, int h) {
  size_t bytes = static_cast<size_t>(w) * h * 4;
  std::vector<uint8_t> src(bytes, 0x5A), dst(bytes);
  for (auto _ : state) {
    std::memcpy(dst.data(), src.data(), bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
}

// Reads two buffers and writes a third, the traffic of a blend of two images.
void BlendFloor(benchmark::State& state, int w, int h) {
  size_t n = static_cast<size_t>(w) * h;
  std::vector<uint32_t> a(n, 0x11223344), b(n, 0x55667788), out(n);
  for (auto _ : state) {
    const uint32_t* pa = a.data();
    const uint32_t* pb = b.data();
    uint32_t* po = out.data();
    for (size_t i = 0; i < n; ++i) po[i] = pa[i] | pb[i];
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(n * 12));
}

BENCHMARK_CAPTURE(Memcpy, 1280x1024, 1280, 1024)->Name("BM_Memcpy/1280x1024");
BENCHMARK_CAPTURE(Memcpy, 1920x1080, 1920, 1080)->Name("BM_Memcpy/1920x1080");
BENCHMARK_CAPTURE(BlendFloor, 1920x1080, 1920, 1080)->Name("BM_BandwidthFloor/blend/1920x1080");

}  // namespace
