// Bitmap objects: creation rules, GetObjectW records, selection into one DC at a time,
// deletion rules, raw bits, and the X byte of device-compatible bitmaps.
#include "dc_fixture.h"

#include <cstring>
#include <functional>

namespace talix::gdi::testing {
namespace {

TEST(CompatibleBitmap, FormatFollowsTheDc) {
  size_t live = LiveGdiObjects();
  HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  HBITMAP colour = CreateCompatibleBitmap(screen, 5, 3);
  BITMAP bm{};
  ASSERT_EQ(GetObjectW(colour, sizeof bm, &bm), int(sizeof bm));
  EXPECT_EQ(bm.bmBitsPixel, 32);
  EXPECT_EQ(bm.bmWidth, 5);
  EXPECT_EQ(bm.bmHeight, 3);
  EXPECT_EQ(bm.bmWidthBytes, 20);
  EXPECT_EQ(bm.bmBits, nullptr) << "device-compatible bitmaps expose no bits";
  for (uint32_t p : ReadPixels(colour)) EXPECT_EQ(p, 0u) << "zero-filled";

  // A fresh memory DC holds the 1x1 monochrome bitmap: compatible bitmaps are monochrome.
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP mono = CreateCompatibleBitmap(memory, 5, 3);
  ASSERT_EQ(GetObjectW(mono, sizeof bm, &bm), int(sizeof bm));
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_EQ(bm.bmWidthBytes, 2) << "rows of device-compatible bitmaps are padded to 2 bytes";

  // With a DIB section selected, a DIB section of the same format.
  BITMAPINFO info{};
  info.bmiHeader = DibHeader(4, 4, 24);
  HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, nullptr, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, dib);
  HBITMAP likeDib = CreateCompatibleBitmap(memory, 7, 2);
  DIBSECTION ds{};
  EXPECT_EQ(GetObjectW(likeDib, sizeof ds, &ds), int(sizeof ds));
  EXPECT_EQ(ds.dsBmih.biBitCount, 24);
  EXPECT_EQ(ds.dsBm.bmWidth, 7);
  SelectObject(memory, old);

  EXPECT_EQ(GetObjectW(CreateCompatibleBitmap(screen, 0, 4), sizeof bm, &bm), int(sizeof bm));
  EXPECT_EQ(bm.bmWidth, 1) << "an empty size gives the 1x1 monochrome bitmap";
  EXPECT_EQ(bm.bmBitsPixel, 1);

  for (HGDIOBJ h : {HGDIOBJ(colour), HGDIOBJ(mono), HGDIOBJ(dib), HGDIOBJ(likeDib)})
    EXPECT_TRUE(DeleteObject(h));
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(LiveGdiObjects(), live);
}

TEST(GetObject, RecordsOfEachKind) {
  HBRUSH hatch = CreateHatchBrush(HS_CROSS, RGB(1, 2, 3));
  LOGBRUSH lb{};
  EXPECT_EQ(GetObjectW(hatch, sizeof lb, &lb), int(sizeof lb));
  EXPECT_EQ(lb.lbStyle, UINT(BS_HATCHED));
  EXPECT_EQ(lb.lbColor, RGB(1, 2, 3));
  EXPECT_EQ(lb.lbHatch, ULONG_PTR(HS_CROSS));
  EXPECT_EQ(GetObjectW(hatch, sizeof lb - 1, &lb), 0) << "short buffer";

  HPEN pen = CreatePen(PS_DASH, 1, RGB(9, 8, 7));
  LOGPEN lp{};
  EXPECT_EQ(GetObjectW(pen, sizeof lp, &lp), int(sizeof lp));
  EXPECT_EQ(lp.lopnStyle, UINT(PS_DASH));
  EXPECT_EQ(lp.lopnColor, RGB(9, 8, 7));

  HRGN region = RectRegion(0, 0, 2, 2);
  char buffer[64];
  EXPECT_EQ(GetObjectW(region, sizeof buffer, buffer), 0) << "regions have no record";

  HBITMAP ddb = CreateBitmap(3, 2, 1, 32, nullptr);
  DIBSECTION ds{};
  EXPECT_EQ(GetObjectW(ddb, sizeof ds, &ds), int(sizeof(BITMAP)))
      << "a device-compatible bitmap reports BITMAP even when DIBSECTION fits";
  EXPECT_EQ(GetObjectW(ddb, 0, nullptr), int(sizeof(BITMAP)));

  for (HGDIOBJ h : {HGDIOBJ(hatch), HGDIOBJ(pen), HGDIOBJ(region), HGDIOBJ(ddb)}) {
    EXPECT_TRUE(DeleteObject(h));
    EXPECT_EQ(GetObjectW(h, sizeof buffer, buffer), 0) << "stale handle";
    EXPECT_FALSE(DeleteObject(h)) << "double delete";
  }
}

TEST(BitmapSelection, OneMemoryDcAtATime) {
  size_t live = LiveGdiObjects();
  HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
  HDC a = CreateCompatibleDC(nullptr), b = CreateCompatibleDC(nullptr);
  HGDIOBJ defaultBitmap = SelectObject(a, bitmap);
  ASSERT_NE(defaultBitmap, nullptr);
  EXPECT_EQ(SelectObject(b, bitmap), nullptr) << "a second selection fails";
  EXPECT_EQ(GetCurrentObject(b, OBJ_BITMAP), defaultBitmap);
  EXPECT_FALSE(DeleteObject(bitmap)) << "selected objects are not deleted";
  EXPECT_EQ(SelectObject(a, defaultBitmap), bitmap);
  EXPECT_EQ(SelectObject(b, bitmap), defaultBitmap) << "free again once deselected";
  EXPECT_EQ(SelectObject(b, defaultBitmap), bitmap);
  // Deleting the DC releases its bitmap.
  SelectObject(a, bitmap);
  EXPECT_TRUE(DeleteDC(a));
  EXPECT_FALSE(DeleteDC(a)) << "stale DC";
  EXPECT_EQ(SelectObject(a, bitmap), nullptr);
  EXPECT_EQ(SelectObject(b, bitmap), defaultBitmap);
  SelectObject(b, defaultBitmap);
  EXPECT_TRUE(DeleteObject(bitmap));
  EXPECT_TRUE(DeleteDC(b));
  EXPECT_EQ(LiveGdiObjects(), live);
}

// Every way of writing a device-compatible bitmap stores the X byte as 0.
TEST(CompatibleBitmap, EveryWriteClearsTheXByte) {
  MemoryDc dc(4, 2);
  BITMAPINFO info{};
  info.bmiHeader = DibHeader(4, 2, 32);
  void* alphaBits = nullptr;
  HBITMAP alphaDib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &alphaBits, nullptr, 0);
  std::memset(alphaBits, 0xC3, 32);
  MemoryDc alpha(alphaDib);
  HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
  const std::vector<uint32_t> opaque(8, 0xFF102030);
  struct Case {
    const char* name;
    std::function<void()> write;
  } cases[] = {
      {"SetBitmapBits", [&] { SetBitmapBits(dc.bitmap(), 32, opaque.data()); }},
      {"SetDIBits", [&] { WritePixels(dc.bitmap(), 4, 2, opaque); }},
      {"BitBlt SRCCOPY", [&] { BitBlt(dc.dc(), 0, 0, 4, 2, alpha.dc(), 0, 0, SRCCOPY); }},
      {"BitBlt SRCPAINT", [&] { BitBlt(dc.dc(), 0, 0, 4, 2, alpha.dc(), 0, 0, SRCPAINT); }},
      {"WHITENESS", [&] { PatBlt(dc.dc(), 0, 0, 4, 2, WHITENESS); }},
      {"DSTINVERT", [&] { PatBlt(dc.dc(), 0, 0, 4, 2, DSTINVERT); }},
      {"FillRect", [&] { RECT r{0, 0, 4, 2}; FillRect(dc.dc(), &r, brush); }},
      {"SetPixel", [&] { for (int i = 0; i < 8; ++i) SetPixel(dc.dc(), i % 4, i / 4, 0xFFFFFFFF); }},
      {"SetDIBitsToDevice", [&] {
         SetDIBitsToDevice(dc.dc(), 0, 0, 4, 2, 0, 0, 0, 2, opaque.data(), &info, DIB_RGB_COLORS);
       }},
  };
  for (const Case& c : cases) {
    c.write();
    uint8_t raw[32];
    ASSERT_EQ(GetBitmapBits(dc.bitmap(), sizeof raw, raw), 32) << c.name;
    for (int i = 0; i < 8; ++i) EXPECT_EQ(raw[i * 4 + 3], 0) << c.name << " pixel " << i;
  }
  DeleteObject(brush);
}

TEST(BitmapBits, MonochromeRowsArePaddedToWords) {
  const uint8_t rows[6] = {0xF0, 0x80, 0x0F, 0x00, 0xAA, 0x80};  // 9 pixels wide, 3 rows
  HBITMAP mono = CreateBitmap(9, 3, 1, 1, rows);
  uint8_t out[8] = {};
  EXPECT_EQ(GetBitmapBits(mono, sizeof out, out), 6);
  EXPECT_EQ(std::memcmp(out, rows, 6), 0);
  EXPECT_EQ(GetBitmapBits(mono, 3, out), 3) << "a short buffer takes what fits";
  auto px = ReadPixels(mono);
  EXPECT_EQ(px[0], 0xFFFFFFu);
  EXPECT_EQ(px[4], 0u);
  EXPECT_EQ(px[8], 0xFFFFFFu) << "the ninth pixel is the next byte's top bit";
  DeleteObject(mono);
}

}  // namespace
}  // namespace talix::gdi::testing
