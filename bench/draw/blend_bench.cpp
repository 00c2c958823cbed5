// The mask blend against the least memory traffic it needs.
//   BM_BlendBitmap/<W>x<H>: the blend rule over three W*H 24-bit row buffers into a fourth.
//   BM_BandwidthFloor/blend24/<W>x<H>: reading the same three buffers and writing one.
//   BM_BlendBitmapGdi/<W>x<H>: the whole CQuorLib::BlendBitmap, GDI transfers included.
#include "draw/blender.h"
#include "frame/QuorLib.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

size_t Buffer24Bytes(int w, int h) { return ((size_t(w) * 3 + 3) & ~size_t{3}) * size_t(h); }

std::vector<uint8_t> Pattern(size_t bytes, uint8_t seed) {
  std::vector<uint8_t> v(bytes);
  for (size_t i = 0; i < bytes; ++i) v[i] = uint8_t(i * 31 + seed);
  return v;
}

void BlendRule(benchmark::State& state, int w, int h) {
  const size_t bytes = Buffer24Bytes(w, h);
  auto mask = Pattern(bytes, 1), fg = Pattern(bytes, 2), bg = Pattern(bytes, 3);
  std::vector<uint8_t> out(bytes);
  for (auto _ : state) {
    talix::draw::BlendBytes(mask.data(), fg.data(), bg.data(), out.data(), bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes * 4));
}

// Reads three buffers and writes a fourth, word by word: the traffic floor of the blend.
void BandwidthFloor24(benchmark::State& state, int w, int h) {
  const size_t words = Buffer24Bytes(w, h) / 8;
  std::vector<uint64_t> a(words, 1), b(words, 2), c(words, 3), out(words);
  for (auto _ : state) {
    for (size_t i = 0; i < words; ++i) out[i] = a[i] | b[i] | c[i];
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(words * 8 * 4));
}

HBITMAP Solid(int w, int h, COLORREF color) {
  return CQuorLib::CreateColorBitmap(color, SIZE{w, h});
}

void BlendBitmapGdi(benchmark::State& state, int w, int h) {
  HBITMAP mask = Solid(w, h, RGB(128, 64, 255)), fg = Solid(w, h, RGB(200, 10, 20));
  HBITMAP bg = Solid(w, h, RGB(100, 90, 80));
  for (auto _ : state) {
    HBITMAP out = CQuorLib::BlendBitmap(mask, fg, bg);
    if (!out) state.SkipWithError("BlendBitmap failed");
    DeleteObject(out);
  }
  DeleteObject(mask);
  DeleteObject(fg);
  DeleteObject(bg);
}

BENCHMARK_CAPTURE(BlendRule, 1920x1080, 1920, 1080)->Name("BM_BlendBitmap/1920x1080");
BENCHMARK_CAPTURE(BandwidthFloor24, 1920x1080, 1920, 1080)
    ->Name("BM_BandwidthFloor/blend24/1920x1080");
BENCHMARK_CAPTURE(BlendBitmapGdi, 1920x1080, 1920, 1080)->Name("BM_BlendBitmapGdi/1920x1080");

}  // namespace
