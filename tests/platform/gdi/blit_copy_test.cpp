// BitBlt copies: clipping at every edge and to clip regions, overlapping copies within
// one bitmap, right-to-left layouts, monochrome conversions.
#include "dc_fixture.h"

namespace talix::gdi::testing {
namespace {

constexpr int kW = 12, kH = 10;
constexpr uint32_t kUntouched = 0x00DEAD;

// Pixels that name their own position, so any misplaced copy shows.
std::vector<uint32_t> Numbered(int w, int h) {
  std::vector<uint32_t> v(size_t(w) * size_t(h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) v[size_t(y * w + x)] = 0x010000u * uint32_t(y + 1) + uint32_t(x + 1);
  return v;
}

// What a SRCCOPY of a cx*cy block from (sx, sy) to (dx, dy) leaves, when both bitmaps
// are kW*kH and only pixels whose source exists are written.
std::vector<uint32_t> ModelCopy(std::vector<uint32_t> dst, const std::vector<uint32_t>& src,
                                int dx, int dy, int cx, int cy, int sx, int sy) {
  for (int y = 0; y < cy; ++y)
    for (int x = 0; x < cx; ++x) {
      int tx = dx + x, ty = dy + y, fx = sx + x, fy = sy + y;
      if (tx < 0 || ty < 0 || tx >= kW || ty >= kH || fx < 0 || fy < 0 || fx >= kW || fy >= kH)
        continue;
      dst[size_t(ty * kW + tx)] = src[size_t(fy * kW + fx)];
    }
  return dst;
}

struct CopyCase {
  const char* name;
  int dx, dy, cx, cy, sx, sy;
};

const CopyCase kEdgeCases[] = {
    {"left edge", -3, 2, 6, 4, 1, 1},     {"top edge", 2, -3, 4, 6, 1, 1},
    {"right edge", 9, 2, 6, 4, 1, 1},     {"bottom edge", 2, 8, 4, 6, 1, 1},
    {"source left", 2, 2, 5, 3, -2, 0},   {"source top", 2, 2, 3, 5, 0, -3},
    {"source right", 2, 2, 6, 3, 9, 0},   {"source bottom", 2, 2, 3, 6, 0, 7},
    {"all sides", -2, -2, 20, 20, -1, -1}, {"nothing left", 20, 0, 3, 3, 0, 0},
};

TEST(BitBltClip, EveryEdgeOfDestinationAndSource) {
  MemoryDc src(kW, kH), dst(kW, kH);
  auto srcPixels = Numbered(kW, kH);
  WritePixels(src.bitmap(), kW, kH, srcPixels);
  for (const CopyCase& c : kEdgeCases) {
    std::vector<uint32_t> before(size_t(kW * kH), kUntouched);
    WritePixels(dst.bitmap(), kW, kH, before);
    EXPECT_TRUE(BitBlt(dst.dc(), c.dx, c.dy, c.cx, c.cy, src.dc(), c.sx, c.sy, SRCCOPY));
    EXPECT_EQ(ReadPixels(dst.bitmap()), ModelCopy(before, srcPixels, c.dx, c.dy, c.cx, c.cy, c.sx, c.sy))
        << c.name;
  }
}

TEST(BitBltClip, OverlappingCopiesWithinOneBitmapInEveryDirection) {
  MemoryDc dc(kW, kH);
  auto pixels = Numbered(kW, kH);
  for (int dy = -2; dy <= 2; dy += 2)
    for (int dx = -3; dx <= 3; dx += 3) {
      WritePixels(dc.bitmap(), kW, kH, pixels);
      ASSERT_TRUE(BitBlt(dc.dc(), 3 + dx, 3 + dy, 6, 5, dc.dc(), 3, 3, SRCCOPY));
      EXPECT_EQ(ReadPixels(dc.bitmap()), ModelCopy(pixels, pixels, 3 + dx, 3 + dy, 6, 5, 3, 3))
          << "dx " << dx << " dy " << dy;
      // The same through the general path (a ROP that reads the destination too).
      WritePixels(dc.bitmap(), kW, kH, pixels);
      ASSERT_TRUE(BitBlt(dc.dc(), 3 + dx, 3 + dy, 6, 5, dc.dc(), 3, 3, SRCPAINT));
      auto got = ReadPixels(dc.bitmap());
      auto copied = ModelCopy(pixels, pixels, 3 + dx, 3 + dy, 6, 5, 3, 3);
      for (size_t i = 0; i < got.size(); ++i) ASSERT_EQ(got[i], copied[i] | pixels[i]) << i;
    }
}

TEST(BitBltClip, ClipRegionStaysInDeviceCoordinates) {
  size_t live = LiveGdiObjects();
  {
    MemoryDc src(kW, kH), dst(kW, kH);
    WritePixels(src.bitmap(), kW, kH, std::vector<uint32_t>(size_t(kW * kH), 0x112233));
    HRGN region = RectRegion(2, 2, 6, 5);
    EXPECT_EQ(SelectClipRgn(dst.dc(), region), SIMPLEREGION);
    DeleteObject(region);  // the DC keeps a copy
    SetViewportOrgEx(dst.dc(), 3, 0, nullptr);  // moves drawing, not the clip
    ASSERT_TRUE(BitBlt(dst.dc(), -3, 0, kW, kH, src.dc(), 0, 0, SRCCOPY));
    auto px = ReadPixels(dst.bitmap());
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        bool inside = x >= 2 && x < 6 && y >= 2 && y < 5;
        EXPECT_EQ(px[size_t(y * kW + x)], inside ? 0x112233u : 0u) << x << "," << y;
      }
  }
  EXPECT_EQ(LiveGdiObjects(), live);
}

// Right-to-left layouts mirror positions; images flip unless asked not to.
TEST(BitBltLayout, RightToLeftMirrorsAndFlips) {
  MemoryDc src(kW, 1), dst(kW, 1);
  auto row = Numbered(kW, 1);
  WritePixels(src.bitmap(), kW, 1, row);
  struct Case {
    DWORD layout, ropFlags;
    bool flipped;
  } cases[] = {{LAYOUT_RTL, 0, true},
               {LAYOUT_RTL, NOMIRRORBITMAP, false},
               {LAYOUT_RTL | LAYOUT_BITMAPORIENTATIONPRESERVED, 0, false}};
  for (const Case& c : cases) {
    WritePixels(dst.bitmap(), kW, 1, std::vector<uint32_t>(kW, kUntouched));
    SetLayout(dst.dc(), c.layout);
    // Logical x 0..3 of an RTL DC is device x kW-4..kW-1.
    ASSERT_TRUE(BitBlt(dst.dc(), 0, 0, 4, 1, src.dc(), 2, 0, SRCCOPY | c.ropFlags));
    auto px = ReadPixels(dst.bitmap());
    for (int i = 0; i < 4; ++i) {
      uint32_t want = c.flipped ? row[size_t(2 + i)] : row[size_t(2 + 3 - i)];
      EXPECT_EQ(px[size_t(kW - 1 - i)], want) << "layout " << c.layout << " flags " << c.ropFlags;
    }
    EXPECT_EQ(px[size_t(kW - 5)], kUntouched);
  }
  // Both DCs right-to-left: logical pixels map one to one, no flip.
  SetLayout(dst.dc(), LAYOUT_RTL);
  SetLayout(src.dc(), LAYOUT_RTL);
  WritePixels(dst.bitmap(), kW, 1, std::vector<uint32_t>(kW, kUntouched));
  ASSERT_TRUE(BitBlt(dst.dc(), 0, 0, kW, 1, src.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(ReadPixels(dst.bitmap()), row);
}

TEST(BitBltMono, MonochromeToColourUsesTextAndBackgroundColours) {
  MemoryDc mono(CreateBitmap(8, 1, 1, 1, nullptr));
  const WORD bits = 0x00A5;  // 1 0 1 0 0 1 0 1
  SetBitmapBits(mono.bitmap(), 2, &bits);
  MemoryDc colour(8, 1);
  SetTextColor(colour.dc(), RGB(255, 0, 0));
  SetBkColor(colour.dc(), RGB(0, 0, 255));
  ASSERT_TRUE(BitBlt(colour.dc(), 0, 0, 8, 1, mono.dc(), 0, 0, SRCCOPY));
  auto px = ReadPixels(colour.bitmap());
  for (int x = 0; x < 8; ++x) {
    bool set = (bits >> (7 - x)) & 1;
    EXPECT_EQ(px[size_t(x)], set ? 0x0000FFu : 0xFF0000u) << "1 bits take the background colour";
  }
}

TEST(BitBltMono, ColourToMonochromeMatchesSourceBackground) {
  MemoryDc colour(4, 1), mono(CreateBitmap(4, 1, 1, 1, nullptr));
  WritePixels(colour.bitmap(), 4, 1, {0x00FF00, 0x123456, 0x00FF00, 0xFFFFFF});
  SetBkColor(colour.dc(), RGB(0, 255, 0));
  ASSERT_TRUE(BitBlt(mono.dc(), 0, 0, 4, 1, colour.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(ReadPixels(mono.bitmap()),
            (std::vector<uint32_t>{0xFFFFFF, 0x000000, 0xFFFFFF, 0x000000}));
}

}  // namespace
}  // namespace talix::gdi::testing

namespace talix::gdi::testing {
namespace {

// Extreme coordinates and extents draw nothing and never overflow.
TEST(BitBltClip, ExtremeCoordinatesDrawNothing) {
  MemoryDc src(kW, kH), dst(kW, kH);
  WritePixels(src.bitmap(), kW, kH, std::vector<uint32_t>(size_t(kW * kH), 0x445566));
  const int big = 0x7FFFFFFF, small = -0x7FFFFFFF - 1;
  struct Case {
    int x, y, cx, cy, sx, sy;
  } cases[] = {{big, 0, big, 1, 0, 0},   {small, small, big, big, big, big},
               {0, 0, big, big, small, 0}, {-5, 0, big, 1, big, 0}};
  for (const Case& c : cases) {
    BitBlt(dst.dc(), c.x, c.y, c.cx, c.cy, src.dc(), c.sx, c.sy, SRCCOPY);
    PatBlt(dst.dc(), c.x, c.y, c.cx, c.cy, 0x00550009);  // DSTINVERT on what is left
    PatBlt(dst.dc(), c.x, c.y, c.cx, c.cy, 0x00550009);
  }
  OffsetViewportOrgEx(dst.dc(), big, big, nullptr);
  OffsetViewportOrgEx(dst.dc(), big, big, nullptr);
  EXPECT_EQ(GetPixel(dst.dc(), small, small), CLR_INVALID);
  OffsetClipRgn(dst.dc(), big, small);
  for (uint32_t p : ReadPixels(dst.bitmap())) ASSERT_EQ(p, 0u);
}

}  // namespace
}  // namespace talix::gdi::testing

namespace talix::gdi::testing {
namespace {

HBITMAP Dib32(int height) {
  BITMAPINFO info{};
  info.bmiHeader = DibHeader(kW, height, 32);
  return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
}

// Whole-row copies between every pairing of row orders land row for row.
TEST(BitBltClip, WholeRowCopiesBetweenRowOrders) {
  auto pixels = Numbered(kW, kH);
  for (int srcSign : {1, -1})
    for (int dstSign : {1, -1}) {
      MemoryDc src(Dib32(srcSign * kH)), dst(Dib32(dstSign * kH));
      WritePixels(src.bitmap(), kW, kH, pixels);
      ASSERT_TRUE(BitBlt(dst.dc(), 0, 2, kW, 5, src.dc(), 0, 3, SRCCOPY));
      std::vector<uint32_t> zero(size_t(kW * kH), 0);
      EXPECT_EQ(ReadPixels(dst.bitmap()), ModelCopy(zero, pixels, 0, 2, kW, 5, 0, 3))
          << srcSign << " " << dstSign;
    }
}

}  // namespace
}  // namespace talix::gdi::testing
