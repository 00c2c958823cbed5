// Colour matching with a tolerance, and regions of the non-key pixels of a bitmap.
#include "draw_fixture.h"

#include <cstring>

namespace talix::draw::testing {
namespace {

TEST(ColorMatch, ToleranceBytesBoundEachChannel) {
  struct Case {
    unsigned long a, b, tolerance;
    int match;
  } cases[] = {
      {0x00102030, 0x00102030, 0, 1},
      {0x00102030, 0x01102030, 0, 0},         // byte 3 counts without tolerance
      {0x00102030, 0x01102030, 0x010101, 1},  // and is ignored with one
      {0x00102030, 0x00112131, 0x010101, 1},
      {0x00102030, 0x000F1F2F, 0x010101, 1},
      {0x00102030, 0x00122030, 0x010101, 0},  // byte 2 off by two
      {0x00102030, 0x00102032, 0x010101, 0},  // byte 0 off by two
      {0x00102030, 0x00102230, 0x000200, 1},
      {0x00102030, 0x00102230, 0x020002, 0},  // green has no tolerance
      {0x00000000, 0x00FFFFFF, 0xFFFFFFFF, 1},
      {0x00FF00FF, 0x00000000, 0x000000FF, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CQuorLib::TestColorMatch(c.a, c.b, c.tolerance), c.match)
        << std::hex << c.a << " " << c.b << " " << c.tolerance;
    EXPECT_EQ(CQuorLib::TestColorMatch(c.b, c.a, c.tolerance), c.match) << "swapped";
  }
}

constexpr uint32_t kKey = 0xFF00FF;  // magenta
constexpr uint32_t kInk = 0x204060;

std::vector<uint8_t> RegionBytes(HRGN region) {
  std::vector<uint8_t> bytes(GetRegionData(region, 0, nullptr));
  GetRegionData(region, DWORD(bytes.size()), reinterpret_cast<RGNDATA*>(bytes.data()));
  return bytes;
}

// The union of one rectangle per non-key pixel: the region the bitmap should give.
HRGN PixelUnion(LONG w, LONG h, const Pixels& pixels) {
  HRGN all = CreateRectRgn(0, 0, 0, 0);
  for (LONG y = 0; y < h; ++y) {
    for (LONG x = 0; x < w; ++x) {
      if (pixels[size_t(y * w + x)] == kKey) continue;
      HRGN one = CreateRectRgn(x, y, x + 1, y + 1);
      CombineRgn(all, all, one, RGN_OR);
      DeleteObject(one);
    }
  }
  return all;
}

void ExpectSameRegion(HRGN got, HRGN want) {
  ASSERT_NE(got, nullptr);
  EXPECT_TRUE(EqualRgn(got, want));
  EXPECT_EQ(RegionBytes(got), RegionBytes(want));
}

class BitmapRegionTest : public DrawTest {};

TEST_F(BitmapRegionTest, RegionHoldsTheNonKeyPixels) {
  struct Case {
    const char* name;
    LONG w, h;
    Pixels pixels;
  } cases[] = {
      {"one non-key pixel", 1, 1, {kInk}},
      {"runs in a row", 5, 1, {kKey, kInk, kInk, kKey, kInk}},
      {"runs ending the last row", 3, 2, {kInk, kKey, kKey, kKey, kInk, kInk}},
      {"all ink", 4, 3, Pixels(12, kInk)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Owned bitmap(MakeBitmap(c.w, c.h, c.pixels));
    Owned got(CQuorLib::BitmapToRegion(bitmap.bitmap(), kKey, 0));
    Owned want(PixelUnion(c.w, c.h, c.pixels));
    ExpectSameRegion(got.region(), want.region());
  }
  Owned row(MakeBitmap(5, 1, {kKey, kInk, kInk, kKey, kInk}));
  Owned region(CQuorLib::BitmapToRegion(row.bitmap(), kKey, 0));
  RECT box{};
  EXPECT_EQ(GetRgnBox(region.region(), &box), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(region.region(), 1, 0) && PtInRegion(region.region(), 2, 0));
  EXPECT_FALSE(PtInRegion(region.region(), 3, 0));
  EXPECT_TRUE(PtInRegion(region.region(), 4, 0));
}

TEST_F(BitmapRegionTest, AllKeyGivesAnEmptyRegion) {
  Owned bitmap(MakeSolid(6, 4, kKey));
  Owned region(CQuorLib::BitmapToRegion(bitmap.bitmap(), kKey, 0));
  ASSERT_NE(region.region(), nullptr);
  RECT box{};
  EXPECT_EQ(GetRgnBox(region.region(), &box), NULLREGION);
}

TEST_F(BitmapRegionTest, ToleranceWidensTheKey) {
  Owned bitmap(MakeBitmap(3, 1, {0xFE01FD, 0xFD00FF, kKey}));
  Owned exact(CQuorLib::BitmapToRegion(bitmap.bitmap(), kKey, 0));
  Owned loose(CQuorLib::BitmapToRegion(bitmap.bitmap(), kKey, 0x020202));
  Owned want(CreateRectRgn(0, 0, 2, 1));
  ExpectSameRegion(exact.region(), want.region());
  RECT box{};
  EXPECT_EQ(GetRgnBox(loose.region(), &box), NULLREGION);
}

// 60 x 80 with every other pixel ink gives 2400 runs, more than one batch; the last row
// ends in a run.
TEST_F(BitmapRegionTest, ManyRunsGiveTheSameRegionAsOneBatch) {
  const LONG w = 60, h = 80;
  Pixels pixels;
  for (LONG y = 0; y < h; ++y)
    for (LONG x = 0; x < w; ++x) pixels.push_back((x + y) % 2 == 1 ? kInk : kKey);
  pixels.back() = kInk;
  Owned bitmap(MakeBitmap(w, h, pixels));
  Owned got(CQuorLib::BitmapToRegion(bitmap.bitmap(), kKey, 0));
  Owned want(PixelUnion(w, h, pixels));
  ExpectSameRegion(got.region(), want.region());
}

TEST_F(BitmapRegionTest, UnreadableOrEmptyBitmapsGiveNull) {
  Owned brush(CreateSolidBrush(0));
  EXPECT_EQ(CQuorLib::BitmapToRegion(nullptr, kKey, 0), nullptr);
  EXPECT_EQ(CQuorLib::BitmapToRegion(brush.as<HBITMAP>(), kKey, 0), nullptr);
}

}  // namespace
}  // namespace talix::draw::testing
