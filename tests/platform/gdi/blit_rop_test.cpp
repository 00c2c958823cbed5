// Every ternary raster operation through BitBlt, compared with the operation's truth
// table evaluated bit by bit, for sources of several depths.
#include "dc_fixture.h"

#include <random>

namespace talix::gdi::testing {
namespace {

constexpr int kW = 19, kH = 9;  // odd sizes: the pattern repeats unevenly

// The definition: result bit = bit (p << 2 | s << 1 | d) of the operation's index.
uint32_t ReferenceRop(uint8_t rop, uint32_t p, uint32_t s, uint32_t d) {
  uint32_t out = 0;
  for (int bit = 0; bit < 24; ++bit) {
    int index = int((p >> bit) & 1) << 2 | int((s >> bit) & 1) << 1 | int((d >> bit) & 1);
    out |= uint32_t((rop >> index) & 1) << bit;
  }
  return out;
}

std::vector<uint32_t> RandomPixels(size_t n, uint32_t seed) {
  std::mt19937 rng(seed);
  std::vector<uint32_t> v(n);
  for (auto& p : v) p = rng() & 0xFFFFFF;
  return v;
}

enum class SourceKind { Compatible32, Dib24, Dib32WithAlpha };

HBITMAP MakeSource(SourceKind kind, const std::vector<uint32_t>& pixels) {
  if (kind == SourceKind::Compatible32) {
    HBITMAP b = CreateBitmap(kW, kH, 1, 32, nullptr);
    WritePixels(b, kW, kH, pixels);
    return b;
  }
  BITMAPINFO bmi{};
  bmi.bmiHeader = DibHeader(kW, kH, kind == SourceKind::Dib24 ? 24 : 32);
  void* bits = nullptr;
  HBITMAP b = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  WritePixels(b, kW, kH, pixels);
  if (kind == SourceKind::Dib32WithAlpha)  // junk in the X byte must not leak into results
    for (int i = 0; i < kW * kH; ++i) static_cast<uint8_t*>(bits)[i * 4 + 3] = 0xA5;
  return b;
}

class RopTable : public ::testing::TestWithParam<SourceKind> {};

TEST_P(RopTable, EveryOperationMatchesItsTruthTable) {
  size_t live = LiveGdiObjects();
  {
    auto dstPixels = RandomPixels(kW * kH, 1), srcPixels = RandomPixels(kW * kH, 2),
         patPixels = RandomPixels(64, 3);
    MemoryDc dst(kW, kH);
    MemoryDc src(MakeSource(GetParam(), srcPixels));
    HBITMAP patBitmap = CreateBitmap(8, 8, 1, 32, nullptr);
    WritePixels(patBitmap, 8, 8, patPixels);
    HBRUSH brush = CreatePatternBrush(patBitmap);
    DeleteObject(patBitmap);  // the brush keeps its own copy
    HGDIOBJ oldBrush = SelectObject(dst.dc(), brush);
    for (int rop = 0; rop < 256; ++rop) {
      WritePixels(dst.bitmap(), kW, kH, dstPixels);
      ASSERT_TRUE(BitBlt(dst.dc(), 0, 0, kW, kH, src.dc(), 0, 0, DWORD(rop) << 16));
      auto got = ReadPixels(dst.bitmap());
      int mismatches = 0;
      for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
          size_t i = size_t(y * kW + x);
          uint32_t want = ReferenceRop(uint8_t(rop), patPixels[size_t((y % 8) * 8 + x % 8)],
                                       srcPixels[i], dstPixels[i]);
          mismatches += got[i] != want;
        }
      EXPECT_EQ(mismatches, 0) << "rop 0x" << std::hex << rop;
    }
    SelectObject(dst.dc(), oldBrush);
    DeleteObject(brush);
  }
  EXPECT_EQ(LiveGdiObjects(), live);
}

INSTANTIATE_TEST_SUITE_P(Sources, RopTable,
                         ::testing::Values(SourceKind::Compatible32, SourceKind::Dib24,
                                           SourceKind::Dib32WithAlpha));

// The named operations without a source, through PatBlt with a solid brush.
TEST(PatBlt, NamedOperationsWithoutSource) {
  struct Case {
    DWORD rop;
    uint32_t want;  // for destination 0x123456 and brush 0x0F0F0F (pixels)
  };
  const Case cases[] = {{BLACKNESS, 0x000000}, {WHITENESS, 0xFFFFFF},
                        {DSTINVERT, 0xEDCBA9}, {PATCOPY, 0x0F0F0F},
                        {PATINVERT, 0x1D3B59}, {0x00AA0029, 0x123456}};
  MemoryDc dc(4, 3);
  HBRUSH brush = CreateSolidBrush(RGB(0x0F, 0x0F, 0x0F));
  HGDIOBJ old = SelectObject(dc.dc(), brush);
  for (const Case& c : cases) {
    WritePixels(dc.bitmap(), 4, 3, std::vector<uint32_t>(12, 0x123456));
    ASSERT_TRUE(PatBlt(dc.dc(), 1, 1, 2, 1, c.rop));
    auto px = ReadPixels(dc.bitmap());
    EXPECT_EQ(px[5], c.want) << std::hex << c.rop;
    EXPECT_EQ(px[6], c.want) << std::hex << c.rop;
    EXPECT_EQ(px[4], 0x123456u) << "outside the rectangle";
    EXPECT_EQ(px[7], 0x123456u) << "outside the rectangle";
  }
  EXPECT_FALSE(PatBlt(dc.dc(), 0, 0, 1, 1, SRCCOPY)) << "PatBlt has no source";
  SelectObject(dc.dc(), old);
  DeleteObject(brush);
}

}  // namespace
}  // namespace talix::gdi::testing
