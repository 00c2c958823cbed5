// Saving a full-HD 24-bit frame as GIF: colour reduction (with and without error
// diffusion) plus LZW. BM_SaveGIFReferenceSearch is the same save with the plain
// nearest-colour search, the peer the fast lookup is measured against (1920x1080 with
// error diffusion, the writer's default; /plain without); it fails when the two
// searches give different files.
#include "image/GifLibrary.h"
#include "image/gif/gif_save.h"
#include "image/gif/nearest_colour.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

// A photo-like picture: smooth colour gradients with a little noise.
HBITMAP MakePicture() {
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, kHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  int rowSize = (kWidth * 3 + 3) & ~3;
  uint32_t seed = 1;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      seed = seed * 1664525u + 1013904223u;
      int noise = int(seed >> 28) - 8;
      uint8_t* p = static_cast<uint8_t*>(bits) + size_t(y) * rowSize + 3 * x;
      auto channel = [&](double v) { return uint8_t(std::clamp(int(v) + noise, 0, 255)); };
      p[0] = channel(128 + 127 * std::sin(x * 0.004 + y * 0.002));
      p[1] = channel(255.0 * y / kHeight);
      p[2] = channel(255.0 * x / kWidth);
    }
  return bitmap;
}

std::string TempPath(const char* name) {
  return "/tmp/talix_gif_bench_" + std::to_string(getpid()) + "_" + name + ".gif";
}

std::u16string WindowsPath(const std::string& host) {
  std::u16string path = u"Z:";
  for (char c : host) path += c == '/' ? u'\\' : char16_t(c);
  return path;
}

std::vector<char> SaveOnce(HBITMAP picture, bool diffusion, talix::gif::NearestIndexFn search,
                           const std::string& host) {
  CGifLibrary gif;
  gif.AddFrame(picture, true);
  gif.m_errorDiffusion = diffusion;
  talix::gif::SaveFrames(gif, WindowsPath(host).c_str(), search);
  std::ifstream in(host, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void SaveGif(benchmark::State& state, bool diffusion, talix::gif::NearestIndexFn search) {
  HBITMAP picture = MakePicture();
  std::string host = TempPath(diffusion ? "diffusion" : "plain");
  if (search == talix::gif::NearestIndexReference &&
      SaveOnce(picture, diffusion, search, host) !=
          SaveOnce(picture, diffusion, talix::gif::NearestIndex, host))
    state.SkipWithError("the fast and the plain search wrote different files");
  std::u16string path = WindowsPath(host);
  search(0, 0, 0);  // the fast lookup builds its table once per process, not per save
  for (auto _ : state) {
    state.PauseTiming();
    CGifLibrary gif;
    gif.AddFrame(picture, true);
    gif.m_errorDiffusion = diffusion;
    state.ResumeTiming();
    if (!talix::gif::SaveFrames(gif, path.c_str(), search)) state.SkipWithError("save failed");
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * kWidth * kHeight);
  unlink(host.c_str());
  DeleteObject(picture);
}

void BM_SaveGIF(benchmark::State& state, bool diffusion) {
  SaveGif(state, diffusion, talix::gif::NearestIndex);
}

void BM_SaveGIFReferenceSearch(benchmark::State& state, bool diffusion) {
  SaveGif(state, diffusion, talix::gif::NearestIndexReference);
}

}  // namespace

BENCHMARK_CAPTURE(BM_SaveGIF, 1920x1080/diffusion, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveGIF, 1920x1080/plain, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveGIFReferenceSearch, 1920x1080, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_SaveGIFReferenceSearch, 1920x1080/plain, false)->Unit(benchmark::kMillisecond);
