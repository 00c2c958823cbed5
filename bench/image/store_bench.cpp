// Loading pictures into the image store against the codec libraries' own decodes of the
// same files: BM_LoadPNG vs BM_LibpngDecode, BM_LoadJPEG vs BM_LibjpegDecode (goal for
// both: within 1.1x), and BM_LoadAnimatedGIF vs BM_GiflibSlurpComposite (giflib's whole
// decode plus drawing every frame over the previous one). The files are written once
// per run into the temporary folder from a generated photo-like picture.
#include "image/NBitmapUtil.h"

#include <benchmark/benchmark.h>
#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr int kGifWidth = 320, kGifHeight = 240, kGifFrames = 20;

std::string TempPath(const std::string& name) {
  return "/tmp/talix_store_bench_" + std::to_string(getpid()) + "_" + name;
}

std::u16string Windows(const std::string& host) {
  std::u16string path = u"Z:";
  for (char c : host) path += c == '/' ? u'\\' : char16_t(c);
  return path;
}

// Packed B, G, R rows of smooth gradients with a little noise; `phase` moves the pattern.
std::vector<char> Photo(int width, int height, int phase) {
  std::vector<char> data(size_t(width) * 3 * size_t(height));
  uint32_t seed = 7;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const int noise = int(seed >> 29) - 4;
      char* p = data.data() + (size_t(y) * width + x) * 3;
      p[0] = char(std::lround(127 + 120 * std::sin((x + phase) * 0.01 + y * 0.004)) + noise);
      p[1] = char(255 * y / height);
      p[2] = char((255 * (x + 4 * phase) / width) & 0xFF);
    }
  return data;
}

// The benchmark files, written on first use and removed at exit.
struct Files {
  std::string png = TempPath("photo.png"), jpeg = TempPath("photo.jpg"), gif = TempPath("anim.gif");
  Files() {
    CNBitmapUtil store;
    std::vector<char> photo = Photo(kWidth, kHeight, 0);
    store.CreateBitmapFromData(kWidth, kHeight, photo.data(), CNBitmapUtil::BT_IMAGE, 0);
    store.SaveBitmap(Windows(png).c_str(), CNBitmapUtil::BF_PNG, CNBitmapUtil::BT_IMAGE, 0);
    store.SetJPEGCompressionFactor(85);
    store.SaveBitmap(Windows(jpeg).c_str(), CNBitmapUtil::BF_JPEG, CNBitmapUtil::BT_IMAGE, 0);
    for (int i = 0; i < kGifFrames; ++i) {
      std::vector<char> frame = Photo(kGifWidth, kGifHeight, 6 * i);
      store.CreateBitmapFromData(kGifWidth, kGifHeight, frame.data(), CNBitmapUtil::BT_BACKGROUND, i);
      store.SetFrameDelay(CNBitmapUtil::BT_BACKGROUND, i, 100);
    }
    store.SaveBitmap(Windows(gif).c_str(), CNBitmapUtil::BF_GIF, CNBitmapUtil::BT_BACKGROUND, 0);
  }
  ~Files() {
    std::remove(png.c_str());
    std::remove(jpeg.c_str());
    std::remove(gif.c_str());
  }
};

const Files& BenchFiles() {
  static Files files;
  return files;
}

void LoadIntoStore(benchmark::State& state, const std::string& host) {
  const std::u16string path = Windows(host);
  for (auto _ : state) {
    CNBitmapUtil store;
    HBITMAP frame = store.NLoadBitmap(path.c_str());
    if (!frame) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(frame);
  }
}

void BM_LoadPNG(benchmark::State& state) { LoadIntoStore(state, BenchFiles().png); }
void BM_LoadJPEG(benchmark::State& state) { LoadIntoStore(state, BenchFiles().jpeg); }
void BM_LoadAnimatedGIF(benchmark::State& state) { LoadIntoStore(state, BenchFiles().gif); }

void BM_LibpngDecode(benchmark::State& state) {
  for (auto _ : state) {
    FILE* file = std::fopen(BenchFiles().png.c_str(), "rb");
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) state.SkipWithError("libpng failed");
    png_init_io(png, file);
    png_read_info(png, info);
    png_set_bgr(png);
    png_read_update_info(png, info);
    const size_t rowBytes = png_get_rowbytes(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    std::vector<png_byte> pixels(rowBytes * height);
    std::vector<png_bytep> rows(height);
    for (png_uint_32 y = 0; y < height; ++y) rows[y] = pixels.data() + y * rowBytes;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    benchmark::DoNotOptimize(pixels.data());
  }
}

void BM_LibjpegDecode(benchmark::State& state) {
  for (auto _ : state) {
    FILE* file = std::fopen(BenchFiles().jpeg.c_str(), "rb");
    jpeg_decompress_struct jpeg{};
    jpeg_error_mgr error;
    jpeg.err = jpeg_std_error(&error);
    jpeg_create_decompress(&jpeg);
    jpeg_stdio_src(&jpeg, file);
    jpeg_read_header(&jpeg, TRUE);
    jpeg.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&jpeg);
    std::vector<JSAMPLE> pixels(size_t(jpeg.output_width) * 3 * jpeg.output_height);
    while (jpeg.output_scanline < jpeg.output_height) {
      JSAMPROW row = pixels.data() + size_t(jpeg.output_scanline) * jpeg.output_width * 3;
      jpeg_read_scanlines(&jpeg, &row, 1);
    }
    jpeg_finish_decompress(&jpeg);
    jpeg_destroy_decompress(&jpeg);
    std::fclose(file);
    benchmark::DoNotOptimize(pixels.data());
  }
}

// giflib's whole decode, then every frame drawn over a copy of the previous screen.
void BM_GiflibSlurpComposite(benchmark::State& state) {
  for (auto _ : state) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(BenchFiles().gif.c_str(), &error);
    if (!gif || DGifSlurp(gif) != GIF_OK) {
      state.SkipWithError("giflib failed");
      break;
    }
    const size_t screen = size_t(gif->SWidth) * gif->SHeight * 3;
    std::vector<std::vector<uint8_t>> frames;
    std::vector<uint8_t> canvas(screen, 0xFF);
    for (int i = 0; i < gif->ImageCount; ++i) {
      const SavedImage& image = gif->SavedImages[i];
      const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
      GraphicsControlBlock control{};
      DGifSavedExtensionToGCB(gif, i, &control);
      const GifImageDesc& d = image.ImageDesc;
      for (int y = 0; y < d.Height && d.Top + y < gif->SHeight; ++y)
        for (int x = 0; x < d.Width && d.Left + x < gif->SWidth; ++x) {
          const int index = image.RasterBits[size_t(y) * d.Width + x];
          if (index == control.TransparentColor || !map || index >= map->ColorCount) continue;
          uint8_t* p = canvas.data() + (size_t(d.Top + y) * gif->SWidth + d.Left + x) * 3;
          p[0] = map->Colors[index].Blue, p[1] = map->Colors[index].Green, p[2] = map->Colors[index].Red;
        }
      frames.push_back(canvas);
    }
    DGifCloseFile(gif, &error);
    benchmark::DoNotOptimize(frames.data());
  }
}

}  // namespace

BENCHMARK(BM_LoadPNG)->Name("BM_LoadPNG/photo_1024x768")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibpngDecode)->Name("BM_LibpngDecode/photo_1024x768")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadJPEG)->Name("BM_LoadJPEG/photo_1024x768")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LibjpegDecode)->Name("BM_LibjpegDecode/photo_1024x768")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAnimatedGIF)->Name("BM_LoadAnimatedGIF/anim_320x240x20")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GiflibSlurpComposite)->Name("BM_GiflibSlurpComposite/anim_320x240x20")->Unit(benchmark::kMillisecond);
