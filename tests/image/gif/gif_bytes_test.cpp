// Whole files of the writer against digests recorded from an earlier, plainer version of
// the colour reduction and LZW coder: pictures of many sizes and kinds, with and without
// error diffusion, still and animated. Any change to the written bytes shows here.
#include "gif_test_support.h"

#include <algorithm>
#include <cstdint>

namespace {

using giftest::MakeBitmap24;
using giftest::MakeIndexedBitmap;
using giftest::TempFile;

uint64_t Fnv1a(const std::vector<uint8_t>& bytes) {
  uint64_t h = 1469598103934665603ull;
  for (uint8_t b : bytes) h = (h ^ b) * 1099511628211ull;
  return h;
}

uint32_t Hash(uint32_t x) {
  x ^= x >> 16, x *= 0x7feb352du, x ^= x >> 15, x *= 0x846ca68bu, x ^= x >> 16;
  return x;
}

// Colour (x, y) of the picture kinds: smooth gradients with a little noise (photo-like),
// pure noise (LZW table resets), flat bands (long runs), greys between palette entries.
uint32_t Colour(int kind, int x, int y, int w, int h) {
  const uint32_t n = Hash(uint32_t(y) * 65599u + uint32_t(x) + uint32_t(kind) * 7919u);
  switch (kind) {
    case 0: {
      const int noise = int(n >> 28) - 8;
      auto c = [&](int v) { return uint32_t(std::clamp(v + noise, 0, 255)); };
      return c(255 * x / w) << 16 | c(255 * y / h) << 8 | c((x * 3 + y * 5) & 0xFF);
    }
    case 1: return n & 0xFFFFFF;
    case 2: return (x / 13 + y / 7) % 3 == 0 ? 0x336699u : (x / 13) % 2 ? 0xFFFF00u : 0x101010u;
    default: return uint32_t(0x74 + (x + y) % 5) * 0x010101u;
  }
}

struct Case {
  int kind, width, height;
  bool diffusion;
  int frames;  // 24-bit frames; 0: one 8-bit frame, -4 / -1: two frames of 4 / 1 bits
  uint64_t digest;
};

std::vector<uint8_t> Save(const Case& c) {
  CGifLibrary gif;
  const int bpp = c.frames == 0 ? 8 : -c.frames;
  const int count = c.frames > 0 ? c.frames : c.frames == 0 ? 1 : 2;
  for (int f = 0; f < count; ++f) {
    HBITMAP bitmap;
    if (c.frames <= 0) {
      std::vector<uint32_t> palette(size_t(1) << bpp);
      for (size_t i = 0; i < palette.size(); ++i) palette[i] = Hash(uint32_t(i)) & 0xFFFFFF;
      bitmap = MakeIndexedBitmap(c.width, c.height, bpp, palette, [&](int x, int y) {
        return int(Colour(c.kind, x + f, y, c.width, c.height) & ((1u << bpp) - 1));
      });
    } else {
      bitmap = MakeBitmap24(c.width, c.height,
                            [&](int x, int y) { return Colour(c.kind, x + 5 * f, y, c.width, c.height); });
    }
    EXPECT_TRUE(gif.AddFrame(bitmap, f == 0));
    DeleteObject(bitmap);
  }
  gif.m_errorDiffusion = c.diffusion;
  TempFile file("bytes");
  EXPECT_TRUE(gif.Save(file.Windows().c_str()));
  return file.Bytes();
}

TEST(GifBytes, FilesMatchTheRecordedDigests) {
  const Case cases[] = {
      {0, 1, 1, false, 1, 0x633135e2a21711cfull},
      {0, 1, 1, true, 1, 0x633135e2a21711cfull},
      {0, 2, 3, false, 1, 0x23f30deefd991aedull},
      {0, 2, 3, true, 1, 0x18cb422d581de59dull},
      {0, 17, 9, false, 1, 0xb2d6d0b4a726a26full},
      {0, 17, 9, true, 1, 0x484114a93079cb6full},
      {0, 97, 61, false, 1, 0xae3a6768fd0526fdull},
      {0, 97, 61, true, 1, 0x06f07cbd6bb0341bull},
      {0, 320, 240, false, 1, 0xc1c105b74f6eb15bull},
      {0, 320, 240, true, 1, 0xff71416a4a568e31ull},
      {1, 5, 5, false, 1, 0xe7a3289300b6aab2ull},
      {1, 5, 5, true, 1, 0x6d32c66b8196c535ull},
      {1, 131, 67, false, 1, 0x4b86ddc9dcdbcdd1ull},
      {1, 131, 67, true, 1, 0xf6b690e112ee047eull},
      {1, 200, 150, false, 1, 0x496448561571c552ull},
      {1, 200, 150, true, 1, 0x1ac3fcb88cd61545ull},
      {2, 64, 48, false, 1, 0xadd0a687332c0c7aull},
      {2, 64, 48, true, 1, 0x1d39b3288a60bdeaull},
      {2, 255, 17, false, 1, 0x22cc4c5feca2287bull},
      {2, 255, 17, true, 1, 0xdf34aacf31ffde77ull},
      {3, 32, 32, false, 1, 0x8a6902913174db36ull},
      {3, 32, 32, true, 1, 0x7f3b1040211abafdull},
      {3, 41, 13, false, 1, 0xe1307a32c82f8114ull},
      {3, 41, 13, true, 1, 0x5d65332cd6c1ad8dull},
      {0, 60, 40, true, 3, 0x6eb97762d156ad16ull},
      {1, 60, 40, false, 2, 0xf356ceb3506873fbull},
      {1, 90, 70, false, 0, 0x2709ea86723b63dbull},
      {2, 33, 21, true, 0, 0x1179dbc848df7ba8ull},
      {1, 37, 23, false, -4, 0x8faf4e08666b96caull},
      {2, 50, 9, false, -4, 0x9b2a75ac3aae0e88ull},
      {1, 29, 31, false, -1, 0x1e02b32c8926c5f9ull},
      {0, 8, 1, false, -1, 0x7a9e8e96e6840f18ull},
  };
  for (const Case& c : cases) {
    const uint64_t digest = Fnv1a(Save(c));
    EXPECT_EQ(digest, c.digest) << "kind " << c.kind << " " << c.width << "x" << c.height
                                << (c.diffusion ? " diffusion" : " plain") << " frames " << c.frames;
  }
}

}  // namespace
