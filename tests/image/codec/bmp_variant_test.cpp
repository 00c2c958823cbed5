// BMP forms the generated fixtures do not cover, made by hand: top-down rows, RLE4
// runs, RLE8 deltas (skipped pixels take palette entry 0) and the 12-byte core header.
#include "tests/image/store/store_test_support.h"

using storetest::Fixture;
using storetest::ReadHost;
using storetest::TempFile;
using storetest::TestStore;

namespace {

void PutLe32(std::vector<uint8_t>* b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) (*b)[at + i] = uint8_t(v >> (8 * i));
}

// A 40-byte-header BMP of `bits` with a 16-entry palette and the given pixel bytes.
std::vector<uint8_t> IndexedBmp(int width, int height, int bits, uint32_t compression,
                                const std::vector<uint8_t>& pixels) {
  std::vector<uint8_t> b(14 + 40 + 64, 0);
  b[0] = 'B', b[1] = 'M';
  PutLe32(&b, 10, 14 + 40 + 64);
  PutLe32(&b, 14, 40);
  PutLe32(&b, 18, uint32_t(width));
  PutLe32(&b, 22, uint32_t(height));
  b[26] = 1, b[28] = uint8_t(bits);
  PutLe32(&b, 30, compression);
  PutLe32(&b, 46, 16);
  // Palette (B, G, R, 0): 0 black, 1 red, 2 green, 3 blue, 5 grey, 7 white.
  const uint32_t colours[16] = {0, 0xFF0000, 0x00FF00, 0x0000FF, 0, 0x808080, 0, 0xFFFFFF};
  for (int i = 0; i < 16; ++i) PutLe32(&b, 54 + 4 * i, colours[i]);
  b.insert(b.end(), pixels.begin(), pixels.end());
  PutLe32(&b, 2, uint32_t(b.size()));
  return b;
}

// Packed B, G, R of palette colours, top row first.
std::vector<uint8_t> Expect(const std::vector<uint32_t>& rgb) {
  std::vector<uint8_t> out;
  for (uint32_t c : rgb) out.insert(out.end(), {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)});
  return out;
}

constexpr uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, K = 0, S = 0x808080, W = 0xFFFFFF;

struct HandMadeCase {
  const char* name;
  std::vector<uint8_t> file;
  std::vector<uint8_t> expected;
};

std::vector<HandMadeCase> Cases() {
  std::vector<HandMadeCase> cases;
  // RLE4: bottom row a run of 1,2 alternating; top row an absolute run 3,1,2 then a run of 3.
  cases.push_back({"rle4", IndexedBmp(4, 2, 4, 2, {0x04, 0x12, 0x00, 0x00, 0x00, 0x03, 0x31, 0x20, 0x01, 0x30, 0x00, 0x01}),
                   Expect({B, R, G, B, R, G, R, G})});
  // RLE8: two grey pixels, a delta of one right and one up, one white pixel, end.
  cases.push_back({"rle8_delta", IndexedBmp(4, 2, 8, 1, {0x02, 0x05, 0x00, 0x02, 0x01, 0x01, 0x01, 0x07, 0x00, 0x01}),
                   Expect({K, K, K, W, S, S, K, K})});
  // Core header: 2 x 2, 1 bit, three-byte palette entries.
  std::vector<uint8_t> core = {'B', 'M', 40, 0, 0, 0, 0, 0, 0, 0, 32, 0, 0, 0, 12, 0, 0, 0, 2, 0, 2, 0, 1, 0, 1, 0,
                               0x10, 0x20, 0x30, 0xA0, 0xB0, 0xC0, 0x80, 0, 0, 0, 0x40, 0, 0, 0};
  cases.push_back({"core_header", core, {0x10, 0x20, 0x30, 0xA0, 0xB0, 0xC0, 0xA0, 0xB0, 0xC0, 0x10, 0x20, 0x30}});
  // Top-down: the 24-bit fixture with a negative height and its rows in reverse order.
  std::vector<uint8_t> flipped = ReadHost(Fixture("bmp_24.bmp"));
  PutLe32(&flipped, 22, uint32_t(-17));
  std::vector<uint8_t> rows(flipped.begin() + 54, flipped.end());
  for (int y = 0; y < 17; ++y) std::copy_n(rows.begin() + 72 * (16 - y), 72, flipped.begin() + 54 + 72 * y);
  cases.push_back({"top_down", flipped, ReadHost(Fixture("bmp_24.bgr"))});
  return cases;
}

class HandMadeBmp : public ::testing::TestWithParam<HandMadeCase> {};

TEST_P(HandMadeBmp, DecodesToTheExpectedPixels) {
  TempFile file(std::string(GetParam().name) + ".bmp");
  storetest::WriteHost(file.Host(), GetParam().file);
  TestStore store;
  ASSERT_NE(store.Load(file.Host()), nullptr);
  EXPECT_EQ(store.Pixels(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Forms, HandMadeBmp, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<HandMadeCase>& info) { return info.param.name; });

}  // namespace
