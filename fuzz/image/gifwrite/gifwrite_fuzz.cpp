// Random small frames go through the GIF writer; giflib must read the file back with
// exactly the palette indices the writer chose and the colours of its global table.
//
// Input: width-1 (byte 0, low 5 bits), height-1 (byte 1, low 5 bits), frame count-1
// (byte 2, mod 3), flags (byte 3: bit 0 error diffusion, bit 1 8-bit frames with a
// palette from the data instead of 24-bit), loop count (byte 4), then pixel bytes,
// repeated as needed.
#include "image/GifLibrary.h"
#include "image/gif/fixed_palette.h"

#include <gif_lib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Input {
  const uint8_t* data;
  size_t size;
  size_t at = 0;
  uint8_t Next() { return size == 0 ? 0 : data[at++ % size]; }
};

HBITMAP MakeFrame(Input& in, int width, int height, bool indexed) {
  std::vector<uint8_t> block(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
  auto* info = reinterpret_cast<BITMAPINFO*>(block.data());
  info->bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, WORD(indexed ? 8 : 24), BI_RGB,
                     0, 0, 0, 0, 0};
  if (indexed)
    for (int i = 0; i < 256; ++i) info->bmiColors[i] = RGBQUAD{in.Next(), in.Next(), in.Next(), 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return nullptr;
  int rowSize = ((width * (indexed ? 8 : 24) + 31) / 32) * 4;
  for (int i = 0; i < rowSize * height; ++i) static_cast<uint8_t*>(bits)[i] = in.Next();
  return bitmap;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

void CompareWithFile(const CGifLibrary& gif, const std::string& path) {
  int error = 0;
  GifFileType* file = DGifOpenFileName(path.c_str(), &error);
  Check(file != nullptr);
  Check(DGifSlurp(file) == GIF_OK);
  Check(file->ImageCount == gif.m_count);
  const CGifLibrary::CNImage& first = *gif.m_images[0];
  Check(file->SColorMap && file->SColorMap->ColorCount == first.ColorCount());
  for (int i = 0; i < first.ColorCount(); ++i) {
    const GifColorType& c = file->SColorMap->Colors[i];
    const RGBQUAD& q = first.ColorTable()[i];
    Check(c.Red == q.rgbRed && c.Green == q.rgbGreen && c.Blue == q.rgbBlue);
  }
  for (int f = 0; f < gif.m_count; ++f) {
    const CGifLibrary::CNImage& frame = *gif.m_images[f];
    const GifByteType* raster = file->SavedImages[f].RasterBits;
    for (int y = 0; y < frame.Height(); ++y)
      for (int x = 0; x < frame.Width(); ++x)
        Check(raster[y * frame.Width() + x] == frame.IndexAt(x, frame.Height() - 1 - y));
  }
  DGifCloseFile(file, &error);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 5) return 0;
  Input in{data + 5, size - 5};
  int width = (data[0] & 31) + 1, height = (data[1] & 31) + 1, frames = data[2] % 3 + 1;
  bool diffusion = data[3] & 1, indexed = data[3] & 2;

  CGifLibrary gif;
  for (int f = 0; f < frames; ++f) {
    HBITMAP bitmap = MakeFrame(in, width, height, indexed);
    Check(bitmap && gif.AddFrame(bitmap, f == 0));
    DeleteObject(bitmap);
  }
  gif.m_errorDiffusion = diffusion;
  gif.m_loopCount = data[4];
  // Remember the plain rule's choice for 24-bit frames saved without diffusion.
  std::vector<uint8_t> expected;
  if (!indexed && !diffusion) {
    const CGifLibrary::CNImage& frame = *gif.m_images[0];
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const uint8_t* p = frame.Row(y) + 3 * x;
        expected.push_back(uint8_t(talix::gif::NearestIndexReference(p[2], p[1], p[0])));
      }
  }

  std::string path = "/tmp/talix_gifwrite_fuzz_" + std::to_string(getpid()) + ".gif";
  std::u16string windowsPath = u"Z:";
  for (char c : path) windowsPath += c == '/' ? u'\\' : char16_t(c);
  Check(gif.Save(windowsPath.c_str()));
  CompareWithFile(gif, path);
  for (size_t i = 0; i < expected.size(); ++i)
    Check(gif.m_images[0]->Row(int(i) / width)[i % width] == expected[i]);
  unlink(path.c_str());
  return 0;
}
