// Files read back with giflib: the pixel indices and colours are the ones the writer
// chose, through table resets, for still pictures and animations.
#include "gif_test_support.h"

#include "image/gif/colour_reduction.h"
#include "image/gif/fixed_palette.h"

#include <cstdlib>
#include <set>

namespace {

using giftest::Decode;
using giftest::DecodedColour;
using giftest::MakeBitmap24;
using giftest::MakeIndexedBitmap;
using giftest::TempFile;

uint32_t Noise(uint32_t& seed) {
  seed = seed * 1664525u + 1013904223u;
  return seed >> 8;
}

// One 24-bit frame saved and read back; null when either step fails.
giftest::DecodedGif SaveStill(int width, int height, const std::function<uint32_t(int, int)>& colour,
                              bool diffusion) {
  HBITMAP bitmap = MakeBitmap24(width, height, colour);
  CGifLibrary gif;
  bool added = gif.AddFrame(bitmap, true);
  DeleteObject(bitmap);
  gif.m_errorDiffusion = diffusion;
  TempFile file("still");
  if (!added || !gif.Save(file.Windows().c_str())) return nullptr;
  return Decode(file.Host());
}

// The code widths a decoder uses, replayed over one image's LZW data: counts the clear
// codes and checks that each one is followed by codes of the initial width again.
struct CodeStream {
  int clears = 0;
  int codes = 0;
  bool endSeen = false;
};

CodeStream ReadCodes(const std::vector<uint8_t>& data, int minimumCodeSize) {
  CodeStream s;
  int clear = 1 << minimumCodeSize, width = minimumCodeSize + 1, next = clear + 2;
  bool afterClear = false;
  uint64_t acc = 0;
  int bits = 0;
  size_t at = 0;
  while (!s.endSeen) {
    while (bits < width && at < data.size()) acc |= uint64_t(data[at++]) << bits, bits += 8;
    if (bits < width) break;
    int code = int(acc & ((1u << width) - 1));
    acc >>= width, bits -= width;
    ++s.codes;
    if (code == clear) {
      ++s.clears, width = minimumCodeSize + 1, next = clear + 2, afterClear = true;
    } else if (code == clear + 1) {
      s.endSeen = true;
    } else if (afterClear) {
      afterClear = false;  // the first code after a clear adds no entry
    } else if (next < 4096) {
      ++next;
      if (next == (1 << width) && width < 12) ++width;
    }
  }
  return s;
}

TEST(GifRoundTrip, NoisyIndexedImageSurvivesTableResets) {
  std::vector<uint32_t> palette(256);
  for (int i = 0; i < 256; ++i) palette[i] = uint32_t(i) * 0x010101u ^ 0x00A000u;
  uint32_t seed = 7;
  std::vector<int> indices(300 * 220);
  for (int& v : indices) v = int(Noise(seed) & 0xFF);
  HBITMAP bitmap = MakeIndexedBitmap(300, 220, 8, palette, [&](int x, int y) {
    return indices[size_t(y) * 300 + x];
  });
  CGifLibrary gif;
  ASSERT_TRUE(gif.AddFrame(bitmap, true));
  DeleteObject(bitmap);
  TempFile file("noise8");
  ASSERT_TRUE(gif.Save(file.Windows().c_str()));

  giftest::DecodedGif decoded = Decode(file.Host());
  ASSERT_TRUE(decoded);
  ASSERT_EQ(decoded->ImageCount, 1);
  const SavedImage& image = decoded->SavedImages[0];
  ASSERT_EQ(image.ImageDesc.Width, 300);
  ASSERT_EQ(image.ImageDesc.Height, 220);
  for (size_t i = 0; i < indices.size(); ++i)
    ASSERT_EQ(image.RasterBits[i], indices[i]) << "pixel " << i;
  // An image of 8 bits keeps its own palette as the global table.
  ASSERT_EQ(decoded->SColorMap->ColorCount, 256);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(DecodedColour(decoded.get(), i), palette[i]);

  // The data really passed through several full code tables.
  std::vector<uint8_t> bytes = file.Bytes();
  size_t at = 13 + 768 + 8 + 10;
  int minimumCodeSize = bytes[at++];
  std::vector<uint8_t> data;
  while (bytes[at] != 0) {
    data.insert(data.end(), bytes.begin() + long(at) + 1, bytes.begin() + long(at) + 1 + bytes[at]);
    at += bytes[at] + 1u;
  }
  CodeStream codes = ReadCodes(data, minimumCodeSize);
  EXPECT_TRUE(codes.endSeen);
  EXPECT_GT(codes.clears, 3);
}

TEST(GifRoundTrip, DeepFrameGetsNearestPaletteIndices) {
  uint32_t seed = 99;
  std::vector<uint32_t> colours(97 * 61);
  for (uint32_t& c : colours) c = Noise(seed) & 0xFFFFFF;
  giftest::DecodedGif decoded =
      SaveStill(97, 61, [&](int x, int y) { return colours[size_t(y) * 97 + x]; }, false);
  ASSERT_TRUE(decoded);
  const GifByteType* raster = decoded->SavedImages[0].RasterBits;
  for (size_t i = 0; i < colours.size(); ++i) {
    uint32_t c = colours[i];
    ASSERT_EQ(raster[i], talix::gif::NearestIndexReference(c >> 16, (c >> 8) & 0xFF, c & 0xFF))
        << "pixel " << i;
  }
}

TEST(GifRoundTrip, AnimationKeepsFramesAndDelays) {
  const uint32_t colours[] = {0xFF0000, 0x00FF00, 0x0000FF};
  CGifLibrary gif;
  for (int i = 0; i < 3; ++i) {
    HBITMAP bitmap = MakeBitmap24(40, 30, [&](int x, int) { return x < 20 ? colours[i] : 0xFFFFFFu; });
    ASSERT_TRUE(gif.AddFrame(bitmap, i == 0));
    DeleteObject(bitmap);
    gif.m_delays[i] = 10 * (i + 1);
  }
  gif.m_loopCount = 0;
  TempFile file("anim");
  ASSERT_TRUE(gif.Save(file.Windows().c_str()));
  giftest::DecodedGif decoded = Decode(file.Host());
  ASSERT_TRUE(decoded);
  ASSERT_EQ(decoded->ImageCount, 3);
  for (int i = 0; i < 3; ++i) {
    GraphicsControlBlock control;
    ASSERT_EQ(DGifSavedExtensionToGCB(decoded.get(), i, &control), GIF_OK);
    EXPECT_EQ(control.DelayTime, 10 * (i + 1));
    const GifByteType* raster = decoded->SavedImages[i].RasterBits;
    EXPECT_EQ(DecodedColour(decoded.get(), raster[0]), colours[i]);
    EXPECT_EQ(DecodedColour(decoded.get(), raster[39]), 0xFFFFFFu);
  }
}

TEST(GifRoundTrip, PaletteColourKeepsItsIndexWithOrWithoutDiffusion) {
  for (bool diffusion : {false, true}) {
    giftest::DecodedGif decoded = SaveStill(16, 16, [](int, int) { return 0xFF0000u; }, diffusion);
    ASSERT_TRUE(decoded);
    for (int i = 0; i < 256; ++i) ASSERT_EQ(decoded->SavedImages[0].RasterBits[i], 249);
  }
}

TEST(GifRoundTrip, DiffusionMixesGreysWhereThePlainRuleGivesOne) {
  // 747474 lies half-way between the greys 7A7A7A and 6E6E6E.
  std::set<int> seen[2];
  for (bool diffusion : {false, true}) {
    giftest::DecodedGif decoded = SaveStill(32, 32, [](int, int) { return 0x747474u; }, diffusion);
    ASSERT_TRUE(decoded);
    for (int i = 0; i < 32 * 32; ++i) seen[diffusion].insert(decoded->SavedImages[0].RasterBits[i]);
  }
  EXPECT_EQ(seen[0], std::set<int>{236});
  EXPECT_GE(seen[1].size(), 2u);
  for (int index : seen[1]) {
    uint32_t c = talix::gif::kFixedPalette[index];
    EXPECT_EQ(c >> 16, c & 0xFF) << index;  // only greys
  }
}

TEST(GifRoundTrip, DiffusionMatchesTheStepByStepRule) {
  // 2x1 of 747474 worked by hand: pixel 0 -> 7A7A7A (index 236), error -6; pixel 1 gets
  // -6 * 7 / 16 = -2 -> 727272, whose nearest is 6E6E6E (index 237).
  giftest::DecodedGif decoded = SaveStill(2, 1, [](int, int) { return 0x747474u; }, true);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->SavedImages[0].RasterBits[0], 236);
  EXPECT_EQ(decoded->SavedImages[0].RasterBits[1], 237);
}

TEST(GifRoundTrip, CompatibleBitmapIsRead) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 4);
  ASSERT_TRUE(bitmap);
  HBITMAP source = MakeBitmap24(8, 4, [](int x, int) { return x < 4 ? 0x0000FFu : 0x00FF00u; });
  std::vector<uint8_t> pixels(8 * 3 * 4);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), 8, 4, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  ASSERT_EQ(GetDIBits(screen, source, 0, 4, pixels.data(), &info, DIB_RGB_COLORS), 4);
  ASSERT_EQ(SetDIBits(screen, bitmap, 0, 4, pixels.data(), &info, DIB_RGB_COLORS), 4);
  ReleaseDC(nullptr, screen);
  CGifLibrary gif;
  ASSERT_TRUE(gif.AddFrame(bitmap, true));
  DeleteObject(bitmap);
  DeleteObject(source);
  TempFile file("compatible");
  ASSERT_TRUE(gif.Save(file.Windows().c_str()));
  giftest::DecodedGif decoded = Decode(file.Host());
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->SavedImages[0].RasterBits[0], 252);  // 0000FF
  EXPECT_EQ(decoded->SavedImages[0].RasterBits[7], 250);  // 00FF00
}

TEST(GifRoundTrip, ImageMagickReadsTheFile) {
  if (std::system("command -v convert-im6.q16 >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "ImageMagick is not installed";
  HBITMAP bitmap = MakeBitmap24(5, 3, [](int x, int) { return x == 0 ? 0xFF0000u : 0xFFFFFFu; });
  CGifLibrary gif;
  ASSERT_TRUE(gif.AddFrame(bitmap, true));
  DeleteObject(bitmap);
  TempFile file("magick");
  ASSERT_TRUE(gif.Save(file.Windows().c_str()));
  std::string command = "convert-im6.q16 '" + file.Host() + "' txt:- 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_TRUE(pipe);
  std::string text;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe)) text += buffer;
  ASSERT_EQ(pclose(pipe), 0);
  EXPECT_NE(text.find("0,0: (255,0,0)"), std::string::npos) << text;
  EXPECT_NE(text.find("4,2: (255,255,255)"), std::string::npos) << text;
}

}  // namespace
