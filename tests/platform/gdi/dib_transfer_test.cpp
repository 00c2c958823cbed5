// DIB sections of every depth and orientation, GetDIBits/SetDIBits round trips with
// colour tables, the DIB-to-device copies and malformed headers.
#include "dc_fixture.h"

#include <cstring>

namespace talix::gdi::testing {
namespace {

// A BITMAPINFO with room for a full colour table.
struct InfoWithTable {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
  BITMAPINFO* get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

InfoWithTable MakeInfo(int width, int height, int bpp) {
  InfoWithTable info{};
  info.header = DibHeader(width, height, bpp);
  for (int i = 0; i < 256; ++i)  // distinct colours: index i -> (i, 255 - i, i / 2)
    info.colors[i] = RGBQUAD{BYTE(i / 2), BYTE(255 - i), BYTE(i), 0};
  return info;
}

COLORREF ToColorRef(uint32_t p) { return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF); }

uint32_t TableColor(int i) { return uint32_t(i) << 16 | uint32_t(255 - i) << 8 | uint32_t(i / 2); }

struct DepthCase {
  int bpp;
  int colors;  // distinct values the depth can round-trip in this test
};

const DepthCase kDepths[] = {{1, 2}, {4, 16}, {8, 256}, {16, 32}, {24, 256}, {32, 256}};

// A value that survives the depth: a table colour for indexed depths, else a colour
// whose channels are exact at 5 bits.
uint32_t SampleColor(int bpp, int x, int y) {
  int colors = bpp == 1 ? 2 : bpp == 4 ? 16 : 256;
  if (bpp <= 8) return TableColor((x * 7 + y * 3) % colors);
  return uint32_t(((x * 40) & 0xF8) << 16 | ((y * 56) & 0xF8) << 8 | ((x + y) * 24 & 0xF8));
}

// How a colour reads back from a depth: 5-bit channels widen by repeating their top bits.
uint32_t Widened(int bpp, uint32_t c) {
  if (bpp != 16) return c;
  uint32_t out = 0;
  for (int shift : {16, 8, 0}) {
    uint32_t v = (c >> shift) & 0xF8;
    out |= (v | v >> 5) << shift;
  }
  return out;
}

TEST(DibSection, EveryDepthAndOrientationRoundTrips) {
  size_t live = LiveGdiObjects();
  const int w = 13, h = 5;
  for (const DepthCase& depth : kDepths)
    for (int sign : {1, -1}) {
      SCOPED_TRACE(::testing::Message() << depth.bpp << " bpp, height " << sign * h);
      auto info = MakeInfo(w, sign * h, depth.bpp);
      void* bits = nullptr;
      HBITMAP dib = CreateDIBSection(nullptr, info.get(), DIB_RGB_COLORS, &bits, nullptr, 0);
      ASSERT_NE(dib, nullptr);
      ASSERT_NE(bits, nullptr);
      DIBSECTION ds{};
      ASSERT_EQ(GetObjectW(dib, sizeof ds, &ds), int(sizeof ds));
      EXPECT_EQ(ds.dsBm.bmBits, bits);
      EXPECT_EQ(ds.dsBm.bmWidthBytes, ((w * depth.bpp + 31) / 32) * 4);
      EXPECT_EQ(ds.dsBmih.biHeight, sign * h);

      // Draw through SetPixel, read back through GetDIBits in the DIB's own format.
      MemoryDc dc(dib);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPixelV(dc.dc(), x, y, ToColorRef(SampleColor(depth.bpp, x, y)));
      auto out = MakeInfo(w, sign * h, depth.bpp);
      std::memset(out.colors, 0, sizeof out.colors);
      std::vector<uint8_t> raw(size_t(ds.dsBm.bmWidthBytes) * h);
      ASSERT_EQ(GetDIBits(dc.dc(), dib, 0, h, raw.data(), out.get(), DIB_RGB_COLORS), h);
      EXPECT_EQ(std::memcmp(raw.data(), bits, raw.size()), 0) << "the section's own bytes";
      if (depth.bpp <= 8) {
        EXPECT_EQ(std::memcmp(out.colors, info.colors, sizeof(RGBQUAD) << depth.bpp), 0);
      }

      // Row order: the first row in memory is the bottom row of a bottom-up DIB.
      auto top = ReadPixels(dib);
      for (int x = 0; x < w; ++x) EXPECT_EQ(top[size_t(x)], Widened(depth.bpp, SampleColor(depth.bpp, x, 0)));
      // And back through SetDIBits into a fresh section of the same format.
      void* bits2 = nullptr;
      HBITMAP copy = CreateDIBSection(nullptr, info.get(), DIB_RGB_COLORS, &bits2, nullptr, 0);
      ASSERT_EQ(SetDIBits(nullptr, copy, 0, h, raw.data(), out.get(), DIB_RGB_COLORS), h);
      EXPECT_EQ(std::memcmp(bits2, bits, raw.size()), 0);
      DeleteObject(copy);
    }
  EXPECT_EQ(LiveGdiObjects(), live);
}

TEST(GetDIBits, NullBitsDescribeTheBitmap) {
  HBITMAP ddb = CreateBitmap(10, 7, 1, 32, nullptr);
  InfoWithTable info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  EXPECT_NE(GetDIBits(nullptr, ddb, 0, 0, nullptr, info.get(), DIB_RGB_COLORS), 0);
  EXPECT_EQ(info.header.biWidth, 10);
  EXPECT_EQ(info.header.biHeight, 7);
  EXPECT_EQ(info.header.biBitCount, 32);
  EXPECT_EQ(info.header.biSizeImage, 10u * 7u * 4u);
  DeleteObject(ddb);
}

TEST(GetDIBits, ColourBitmapToIndexedPicksNearestTableColours) {
  MemoryDc dc(4, 1);
  WritePixels(dc.bitmap(), 4, 1, {0x000000, 0xFFFFFF, 0xFE0101, 0x7F7F7F});
  auto info = MakeInfo(4, 1, 4);
  uint32_t bits = 0;
  ASSERT_EQ(GetDIBits(dc.dc(), dc.bitmap(), 0, 1, &bits, info.get(), DIB_RGB_COLORS), 1);
  // The table written back must describe the indices written.
  const uint8_t* idx = reinterpret_cast<uint8_t*>(&bits);
  int indices[4] = {idx[0] >> 4, idx[0] & 15, idx[1] >> 4, idx[1] & 15};
  uint32_t want[4] = {0x000000, 0xFFFFFF, 0xFF0000, 0x808080};
  for (int i = 0; i < 4; ++i) {
    const RGBQUAD& q = info.colors[indices[i]];
    EXPECT_EQ(uint32_t(q.rgbRed << 16 | q.rgbGreen << 8 | q.rgbBlue), want[i]) << i;
  }
}

TEST(GetDIBits, PartialScanLinesCountFromTheBottom) {
  MemoryDc dc(2, 4);
  WritePixels(dc.bitmap(), 2, 4, {1, 1, 2, 2, 3, 3, 4, 4});
  BITMAPINFO info{};
  info.bmiHeader = DibHeader(2, 4, 32);
  uint32_t rows[8] = {};
  ASSERT_EQ(GetDIBits(dc.dc(), dc.bitmap(), 1, 10, rows, &info, DIB_RGB_COLORS), 3);
  EXPECT_EQ(rows[0], 3u) << "scan 1 of a bottom-up DIB is the second row from the bottom";
  EXPECT_EQ(rows[2], 2u);
  EXPECT_EQ(GetDIBits(dc.dc(), dc.bitmap(), 4, 1, rows, &info, DIB_RGB_COLORS), 0);
}

TEST(DibToDevice, SourceRectangleFromTheLowerLeftOfABottomUpDib) {
  // A 3x3 bottom-up DIB: memory rows bottom first, values 1..9 reading the picture
  // top-left to bottom-right.
  const uint32_t bits[9] = {7, 8, 9, 4, 5, 6, 1, 2, 3};
  BITMAPINFO info{};
  info.bmiHeader = DibHeader(3, 3, 32);
  MemoryDc dc(3, 3);
  // The 2x2 block whose lower-left corner is DIB (1, 0): pixels 5 6 / 8 9.
  EXPECT_EQ(SetDIBitsToDevice(dc.dc(), 0, 0, 2, 2, 1, 0, 0, 3, bits, &info, DIB_RGB_COLORS), 3);
  EXPECT_EQ(ReadPixels(dc.bitmap()), (std::vector<uint32_t>{5, 6, 0, 8, 9, 0, 0, 0, 0}));
  WritePixels(dc.bitmap(), 3, 3, std::vector<uint32_t>(9, 0));
  EXPECT_EQ(StretchDIBits(dc.dc(), 1, 1, 2, 2, 0, 1, 2, 2, bits, &info, DIB_RGB_COLORS, SRCCOPY), 2);
  EXPECT_EQ(ReadPixels(dc.bitmap()), (std::vector<uint32_t>{0, 0, 0, 0, 1, 2, 0, 4, 5}));
}

TEST(DibSection, MalformedHeadersAreRefused) {
  size_t live = LiveGdiObjects();
  struct Case {
    const char* name;
    void (*spoil)(BITMAPINFOHEADER&);
  } cases[] = {
      {"short header", [](BITMAPINFOHEADER& h) { h.biSize = 12; }},
      {"odd depth", [](BITMAPINFOHEADER& h) { h.biBitCount = 3; }},
      {"zero width", [](BITMAPINFOHEADER& h) { h.biWidth = 0; }},
      {"huge", [](BITMAPINFOHEADER& h) { h.biWidth = h.biHeight = 0x7FFFFFFF; }},
      {"lowest height", [](BITMAPINFOHEADER& h) { h.biHeight = INT32_MIN; }},
      {"compressed", [](BITMAPINFOHEADER& h) { h.biCompression = BI_RLE8; }},
      {"bitfields at 24 bits", [](BITMAPINFOHEADER& h) {
         h.biBitCount = 24;
         h.biCompression = BI_BITFIELDS;
       }},
  };
  for (const Case& c : cases) {
    auto info = MakeInfo(4, 4, 8);
    c.spoil(info.header);
    void* bits = reinterpret_cast<void*>(1);
    EXPECT_EQ(CreateDIBSection(nullptr, info.get(), DIB_RGB_COLORS, &bits, nullptr, 0), nullptr)
        << c.name;
    EXPECT_EQ(bits, nullptr) << c.name;
  }
  EXPECT_EQ(LiveGdiObjects(), live);
}

TEST(DibSection, BitfieldsMasksAreHonoured) {
  struct {
    BITMAPINFOHEADER header;
    DWORD masks[3];
  } info{DibHeader(2, -1, 16), {0xF800, 0x07E0, 0x001F}};  // 5-6-5
  info.header.biCompression = BI_BITFIELDS;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                 &bits, nullptr, 0);
  ASSERT_NE(dib, nullptr);
  MemoryDc dc(dib);
  SetPixelV(dc.dc(), 0, 0, RGB(0, 255, 0));
  SetPixelV(dc.dc(), 1, 0, RGB(255, 0, 0));
  EXPECT_EQ(static_cast<uint16_t*>(bits)[0], 0x07E0);
  EXPECT_EQ(static_cast<uint16_t*>(bits)[1], 0xF800);
  EXPECT_EQ(GetPixel(dc.dc(), 0, 0), RGB(0, 255, 0));
}

}  // namespace
}  // namespace talix::gdi::testing

namespace talix::gdi::testing {
namespace {

TEST(CreateDIBitmap, InitialisesACompatibleBitmapFromAnIndexedDib) {
  size_t live = LiveGdiObjects();
  HDC screen = GetDC(nullptr);
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[2];
  } info{DibHeader(3, 2, 1), {{0, 0, 255, 0}, {255, 0, 0, 0}}};  // 0 red, 1 blue
  const uint32_t rows[2] = {0x40, 0xA0};  // bottom row 010, top row 101
  HBITMAP bitmap = CreateDIBitmap(screen, &info.header, CBM_INIT, rows,
                                  reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  ASSERT_NE(bitmap, nullptr);
  BITMAP bm{};
  GetObjectW(bitmap, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(ReadPixels(bitmap),
            (std::vector<uint32_t>{0x0000FF, 0xFF0000, 0x0000FF, 0xFF0000, 0x0000FF, 0xFF0000}));
  DeleteObject(bitmap);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(LiveGdiObjects(), live);
}

TEST(DibPatternBrush, PackedDibTilesWithItsOwnColours) {
  struct {
    BITMAPINFOHEADER header;
    uint32_t bits[4];
  } dib{DibHeader(2, 2, 32), {0x11, 0x22, 0x33, 0x44}};
  LOGBRUSH lb{BS_DIBPATTERNPT, DIB_RGB_COLORS, reinterpret_cast<ULONG_PTR>(&dib)};
  HBRUSH brush = CreateBrushIndirect(&lb);
  ASSERT_NE(brush, nullptr);
  MemoryDc dc(4, 2);
  RECT all{0, 0, 4, 2};
  FillRect(dc.dc(), &all, brush);
  EXPECT_EQ(ReadPixels(dc.bitmap()),
            (std::vector<uint32_t>{0x33, 0x44, 0x33, 0x44, 0x11, 0x22, 0x11, 0x22}))
      << "bottom-up: the first row in memory is the bottom row";
  DeleteObject(brush);
  lb.lbStyle = 99;
  EXPECT_EQ(CreateBrushIndirect(&lb), nullptr);
}

}  // namespace
}  // namespace talix::gdi::testing
