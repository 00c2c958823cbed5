// The mask blend: the byte rule, its SSE2 and portable kernels, and the blending bitmap
// operations read back through GDI.
#include "draw/blender.h"
#include "draw_fixture.h"

#include <random>

namespace talix::draw::testing {
namespace {

TEST(BlendRule, WorkedValues) {
  struct Case {
    uint8_t mask, fg, bg, out;
  } cases[] = {
      {128, 200, 100, 149},  // (200*128 + 100*127) >> 8
      {0, 0, 255, 254},      // empty mask: 255/256 of the background
      {0, 77, 0, 0},
      {255, 255, 0, 254},  // full mask: 255/256 of the foreground
      {255, 0, 255, 0},
      {255, 255, 255, 254},
      {1, 255, 0, 0},
      {254, 255, 255, 254},
  };
  for (const Case& c : cases) {
    uint8_t mask[4] = {c.mask, c.mask, c.mask, c.mask}, fg[4] = {c.fg, c.fg, c.fg, c.fg};
    uint8_t bg[4] = {c.bg, c.bg, c.bg, c.bg}, out[4] = {};
    QuorLibProbe::BlenderFunc(mask, fg, bg, out, 4);
    for (uint8_t o : out) EXPECT_EQ(o, c.out) << int(c.mask) << " " << int(c.fg) << " " << int(c.bg);
  }
}

// The count is taken four bytes at a time; the last count % 4 bytes are left alone.
TEST(BlendRule, PartialGroupOfFourIsLeftUntouched) {
  uint8_t mask[7] = {255, 255, 255, 255, 255, 255, 255}, fg[7] = {10, 20, 30, 40, 50, 60, 70};
  uint8_t bg[7] = {}, out[7] = {1, 1, 1, 1, 1, 1, 1};
  QuorLibProbe::BlenderFunc(mask, fg, bg, out, 7);
  const uint8_t want[7] = {9, 19, 29, 39, 1, 1, 1};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(out[i], want[i]) << "byte " << i;
}

TEST(BlendRule, Sse2AndPortableGiveTheSameBytes) {
#if defined(__SSE2__)
  ASSERT_TRUE(HaveBlendBytesSse2());
#endif
  std::mt19937 rng(7);
  for (int round = 0; round < 300; ++round) {
    const size_t count = rng() % 131;  // tails of every length, counts not multiple of 4
    std::vector<uint8_t> mask(count), fg(count), bg(count);
    for (size_t i = 0; i < count; ++i) {
      mask[i] = uint8_t(round % 5 == 0 ? (i % 2 ? 0 : 255) : rng());
      fg[i] = uint8_t(rng());
      bg[i] = uint8_t(rng());
    }
    std::vector<uint8_t> a(count + 1, 0xA5), b(count + 1, 0xA5);  // one guard byte
    BlendBytesPortable(mask.data(), fg.data(), bg.data(), a.data(), count);
    BlendBytesSse2(mask.data(), fg.data(), bg.data(), b.data(), count);
    ASSERT_EQ(a, b) << "count " << count;
    for (size_t i = 0; i < (count & ~size_t{3}); ++i)
      ASSERT_EQ(a[i], uint8_t((fg[i] * mask[i] + bg[i] * (255 - mask[i])) >> 8)) << i;
    for (size_t i = count & ~size_t{3}; i <= count; ++i) ASSERT_EQ(a[i], 0xA5) << i;
  }
}

class BlendBitmapTest : public DrawTest {};

// A full mask over a black background: 255/256 of each foreground channel, c -> c - 1.
uint32_t FullMaskOf(uint32_t pixel) {
  uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t c = (pixel >> shift) & 0xFF;
    out |= (c ? c - 1 : 0) << shift;
  }
  return out;
}

TEST_F(BlendBitmapTest, MasksWorkPerChannel) {
  // Pixels 0x00RRGGBB: the mask (255, 0, 128) in blue, green, red order is 0x8000FF.
  Owned mask(MakeBitmap(4, 1, {Grey(0), Grey(255), 0x8000FF, Grey(128)}));
  Owned fg(MakeBitmap(4, 1, {0xFFFFFF, 0xFFFFFF, 0x102030, Grey(200)}));
  Owned bg(MakeBitmap(4, 1, {0xFFFFFF, 0x000000, 0x605040, Grey(100)}));
  Owned out(CQuorLib::BlendBitmap(mask.bitmap(), fg.bitmap(), bg.bitmap()));
  ASSERT_NE(out.bitmap(), nullptr);
  // Red (0x10*128 + 0x60*127) >> 8 = 0x37, green from the background 0x50 * 255/256 = 0x4F,
  // blue from the foreground 0x30 * 255/256 = 0x2F.
  EXPECT_EQ(ReadBitmap(out.bitmap()), (Pixels{Grey(254), Grey(254), 0x374F2F, Grey(149)}));
  EXPECT_EQ(ReadBitmap(bg.bitmap()), (Pixels{0xFFFFFF, 0x000000, 0x605040, Grey(100)}));
  EXPECT_EQ(GetObjectType(mask.bitmap()), DWORD(OBJ_BITMAP));
  EXPECT_EQ(GetObjectType(fg.bitmap()), DWORD(OBJ_BITMAP));
}

TEST_F(BlendBitmapTest, RowsOfEveryPaddingBlendWholly) {
  // Widths 1..5 give 24-bit rows of 3, 6, 9, 12 and 15 bytes before padding.
  for (LONG w = 1; w <= 5; ++w) {
    Owned mask(MakeSolid(w, 3, Grey(128))), fg(MakeSolid(w, 3, Grey(200)));
    Owned bg(MakeSolid(w, 3, Grey(100)));
    Owned out(CQuorLib::BlendBitmap(mask.bitmap(), fg.bitmap(), bg.bitmap()));
    ASSERT_NE(out.bitmap(), nullptr);
    EXPECT_EQ(SizeOf(out.bitmap()).cx, w);
    EXPECT_EQ(ReadBitmap(out.bitmap()), Pixels(size_t(w) * 3, Grey(149))) << "width " << w;
  }
}

TEST_F(BlendBitmapTest, SizesOtherThanTheBackgroundsFail) {
  Owned bg(MakeSolid(4, 3, 0)), same(MakeSolid(4, 3, 0));
  Owned narrow(MakeSolid(3, 3, 0)), low(MakeSolid(4, 2, 0)), large(MakeSolid(5, 4, 0));
  for (HBITMAP other : {narrow.bitmap(), low.bitmap(), large.bitmap(), HBITMAP(nullptr)}) {
    EXPECT_EQ(CQuorLib::BlendBitmap(other, same.bitmap(), bg.bitmap()), nullptr);
    EXPECT_EQ(CQuorLib::BlendBitmap(same.bitmap(), other, bg.bitmap()), nullptr);
  }
  EXPECT_EQ(CQuorLib::BlendBitmap(same.bitmap(), same.bitmap(), nullptr), nullptr);
}

TEST_F(BlendBitmapTest, InfoStructIsA24BitBottomUpHeader) {
  Owned bitmap(MakeSolid(7, 5, 0));
  BITMAPINFO* info = QuorLibProbe::CreateBitmapInfoStruct(bitmap.bitmap());
  ASSERT_NE(info, nullptr);
  const BITMAPINFOHEADER& h = info->bmiHeader;
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biWidth, 7);
  EXPECT_EQ(h.biHeight, 5);
  EXPECT_EQ(h.biPlanes, 1);
  EXPECT_EQ(h.biBitCount, 24);
  EXPECT_EQ(h.biCompression, DWORD(BI_RGB));
  EXPECT_EQ(h.biSizeImage | h.biClrUsed | h.biClrImportant, 0u);
  delete info;
  Owned brush(CreateSolidBrush(0));
  EXPECT_EQ(QuorLibProbe::CreateBitmapInfoStruct(brush.as<HBITMAP>()), nullptr);
  EXPECT_EQ(QuorLibProbe::CreateBitmapInfoStruct(nullptr), nullptr);
}

TEST_F(BlendBitmapTest, OffsetTakesThePartOfTheSourceThatFits) {
  // Source 5 x 3 whose pixel at (x, y) is 0x0000yx; background 2 x 2; full mask.
  Pixels src;
  for (uint32_t y = 0; y < 3; ++y)
    for (uint32_t x = 0; x < 5; ++x) src.push_back((y << 12) | (x << 4));
  Owned source(MakeBitmap(5, 3, src)), mask(MakeSolid(2, 2, Grey(255)));
  Owned bg(MakeSolid(2, 2, 0));
  struct Case {
    POINT offset;
    bool fits;
  } cases[] = {{{3, 1}, true}, {{4, 1}, false}, {{3, 2}, false}, {{0, 0}, true}};
  for (const Case& c : cases) {
    Owned out(CQuorLib::BlendBitmapOffset(mask.bitmap(), source.bitmap(), bg.bitmap(), c.offset));
    EXPECT_EQ(out.bitmap() != nullptr, c.fits) << c.offset.x << "," << c.offset.y;
    if (!out.bitmap()) continue;
    auto at = [&](LONG x, LONG y) { return FullMaskOf(src[size_t(y) * 5 + size_t(x)]); };
    const LONG x = c.offset.x, y = c.offset.y;
    EXPECT_EQ(ReadBitmap(out.bitmap()), (Pixels{at(x, y), at(x + 1, y), at(x, y + 1),
                                                at(x + 1, y + 1)}));
  }
}

TEST_F(BlendBitmapTest, ColorBlendsASolidForeground) {
  Owned mask(MakeBitmap(2, 1, {Grey(128), Grey(0)})), bg(MakeSolid(2, 1, Grey(100)));
  // COLORREF 0x00BBGGRR: red 200, green 100, blue 0.
  Owned out(CQuorLib::BlendBitmapColor(mask.bitmap(), bg.bitmap(), RGB(200, 100, 0)));
  ASSERT_NE(out.bitmap(), nullptr);
  // Red 149, green (100*128 + 100*127) >> 8 = 99, blue (100*127) >> 8 = 49.
  EXPECT_EQ(ReadBitmap(out.bitmap()), (Pixels{0x956331, Grey(99)}));
  EXPECT_EQ(CQuorLib::BlendBitmapColor(mask.bitmap(), nullptr, 0), nullptr);
}

}  // namespace
}  // namespace talix::draw::testing
