// AlphaBlend and TransparentBlt through the API: constant and per-pixel alpha on
// device-compatible bitmaps (X byte stays 0) and DIB sections, refusals, keyed copies.
#include "draw_pixel_map.h"

namespace talix::gdi::testing {
namespace {

BLENDFUNCTION Blend(BYTE constant, BYTE format) { return BLENDFUNCTION{AC_SRC_OVER, 0, constant, format}; }

TEST(AlphaBlend, ConstantAlphaOnACompatibleBitmap) {
  size_t live = LiveGdiObjects();
  {
    MemoryDc src(1, 1), dst(4, 1);
    WritePixels(src.bitmap(), 1, 1, {0x00FFFFFF});
    WritePixels(dst.bitmap(), 4, 1, {0, 0x00FF0000, 0, 0});
    // 255 * 128 / 255 = 128; 255 * 127 / 255 = 127; stretched over the first two pixels.
    ASSERT_TRUE(AlphaBlend(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 1, 1, Blend(128, 0)));
    EXPECT_EQ(RawPixels(dst.bitmap(), 4),
              (std::vector<uint32_t>{0x808080, 0xFF8080, 0, 0}));
    ASSERT_TRUE(GdiAlphaBlend(dst.dc(), 3, 0, 1, 1, src.dc(), 0, 0, 1, 1, Blend(255, 0)));
    EXPECT_EQ(RawPixels(dst.bitmap(), 4)[3], 0xFFFFFFu) << "opaque copy, X byte 0";
  }
  EXPECT_EQ(LiveGdiObjects(), live);
}

TEST(AlphaBlend, PerPixelAlphaKeepsDestinationAlphaOnlyInDibSections) {
  uint32_t* srcBits = nullptr;
  uint32_t* dibBits = nullptr;
  MemoryDc src(Dib32(2, 1, &srcBits)), dib(Dib32(2, 1, &dibBits)), compatible(2, 1);
  srcBits[0] = 0x80404040;  // premultiplied half-transparent grey
  srcBits[1] = 0x00000000;  // fully transparent
  dibBits[0] = dibBits[1] = 0xFFFFFFFF;
  WritePixels(compatible.bitmap(), 2, 1, {0x00FFFFFF, 0x00FFFFFF});
  ASSERT_TRUE(AlphaBlend(dib.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 2, 1, Blend(255, AC_SRC_ALPHA)));
  // 0x40 + 255 * 127 / 255 = 0xBF per colour; alpha 128 + 255 * 127 / 255 = 255.
  EXPECT_EQ(dibBits[0], 0xFFBFBFBFu);
  EXPECT_EQ(dibBits[1], 0xFFFFFFFFu);
  ASSERT_TRUE(AlphaBlend(compatible.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 2, 1,
                         Blend(255, AC_SRC_ALPHA)));
  EXPECT_EQ(RawPixels(compatible.bitmap(), 2), (std::vector<uint32_t>{0xBFBFBF, 0xFFFFFF}));
}

TEST(AlphaBlend, RefusesWhatTheFunctionDoesNotDo) {
  MemoryDc src(4, 4), dst(4, 4);
  WritePixels(dst.bitmap(), 4, 4, std::vector<uint32_t>(16, 0x123456));
  struct Case {
    const char* name;
    HDC dst;
    int x, w, sx, sw;
    BLENDFUNCTION blend;
  } cases[] = {
      {"negative width", dst.dc(), 0, -2, 0, 2, Blend(128, 0)},
      {"source leaves the bitmap", dst.dc(), 0, 2, 3, 2, Blend(128, 0)},
      {"blend flags", dst.dc(), 0, 2, 0, 2, BLENDFUNCTION{AC_SRC_OVER, 1, 128, 0}},
      {"blend operation", dst.dc(), 0, 2, 0, 2, BLENDFUNCTION{1, 0, 128, 0}},
      {"overlap on one bitmap", src.dc(), 1, 2, 0, 2, Blend(128, 0)},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_FALSE(AlphaBlend(c.dst, c.x, 0, c.w, 2, src.dc(), c.sx, 0, c.sw, 2, c.blend)) << c.name;
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER)) << c.name;
  }
  EXPECT_EQ(ReadPixels(dst.bitmap()), std::vector<uint32_t>(16, 0x123456));
  EXPECT_FALSE(AlphaBlend(nullptr, 0, 0, 1, 1, src.dc(), 0, 0, 1, 1, Blend(1, 0)));
}

TEST(TransparentBlt, LeavesKeyColouredPixelsAlone) {
  const uint32_t key = 0xFF00FF, a = 0x102030, b = 0x405060, d = 0x777777;
  MemoryDc src(3, 1), dst(6, 2);
  WritePixels(src.bitmap(), 3, 1, {key, a, b});
  WritePixels(dst.bitmap(), 6, 2, std::vector<uint32_t>(12, d));
  ASSERT_TRUE(TransparentBlt(dst.dc(), 0, 0, 6, 1, src.dc(), 0, 0, 3, 1, RGB(255, 0, 255)));
  ASSERT_TRUE(GdiTransparentBlt(dst.dc(), 0, 1, 3, 1, src.dc(), 0, 0, 3, 1, RGB(0x10, 0x20, 0x30)));
  EXPECT_EQ(ReadPixels(dst.bitmap()),
            (std::vector<uint32_t>{d, d, a, a, b, b, key, d, b, d, d, d}));
  SetLastError(0);
  EXPECT_FALSE(TransparentBlt(dst.dc(), 3, 0, -3, 1, src.dc(), 0, 0, 3, 1, 0)) << "no mirroring";
  EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
}

}  // namespace
}  // namespace talix::gdi::testing
