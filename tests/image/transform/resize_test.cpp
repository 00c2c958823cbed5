// Resize and ResizeRelative: target slots, exact nearest-neighbour pixels, halftone
// properties, frame reuse and the argument errors.
#include "transform_fixture.h"

namespace talix::image::testing {
namespace {

using U = CNBitmapUtil;

// The nearest-neighbour source of target pixel t for n target and m source pixels.
int Nearest(int t, int n, int m) { return (2 * t + 1) * m / (2 * n); }

class ResizeTest : public TransformTest {};

TEST_F(ResizeTest, NearestNeighbourPicksTheSourcePixelUnderEachCentre) {
  struct Case { int sw, sh, tw, th; };
  for (Case c : {Case{4, 3, 8, 6}, Case{5, 4, 3, 2}, Case{7, 5, 7, 5}, Case{3, 6, 5, 2}}) {
    SCOPED_TRACE(::testing::Message() << c.sw << "x" << c.sh << " -> " << c.tw << "x" << c.th);
    const Picture source = Gradient(c.sw, c.sh);
    ASSERT_TRUE(store().Put(U::BT_ALPHA, 2, source));
    ASSERT_EQ(store().Resize(U::BT_ALPHA, 2, c.tw, c.th, 0), 1);
    const Picture result = store().Get(U::BT_ALPHA_RESIZED, 2);
    ASSERT_EQ(result.width, c.tw);
    ASSERT_EQ(result.height, c.th);
    for (int y = 0; y < c.th; ++y)
      for (int x = 0; x < c.tw; ++x)
        ASSERT_EQ(result.at(x, y), source.at(Nearest(x, c.tw, c.sw), Nearest(y, c.th, c.sh)))
            << x << "," << y;
  }
}

TEST_F(ResizeTest, HalftoneKeepsUniformAreasAndStaysWithinTheSourceRange) {
  ASSERT_TRUE(store().Put(U::BT_IMAGE, 0, Solid(9, 7, 0x3C7A11)));
  ASSERT_EQ(store().Resize(U::BT_IMAGE, 0, 4, 3, 1), 1);
  EXPECT_EQ(store().Get(U::BT_IMAGE_RESIZED, 0), Solid(4, 3, 0x3C7A11));

  const Picture source = Gradient(8, 8);
  ASSERT_TRUE(store().Put(U::BT_IMAGE, 1, Solid(8, 8, 0)));  // same slot size
  ASSERT_TRUE(store().Put(U::BT_IMAGE, 1, source));
  ASSERT_EQ(store().Resize(U::BT_IMAGE, 1, 8, 8, 1), 1);
  EXPECT_EQ(store().Get(U::BT_IMAGE_RESIZED, 1), source) << "same size is a plain copy";

  ASSERT_EQ(store().Resize(U::BT_IMAGE, 1, 3, 5, 1), 1);
  const Picture small = store().Get(U::BT_IMAGE_RESIZED, 1);
  for (int shift = 0; shift < 24; shift += 8) {
    uint32_t lo = 255, hi = 0;
    for (uint32_t p : source.pixels) lo = std::min(lo, (p >> shift) & 0xFF), hi = std::max(hi, (p >> shift) & 0xFF);
    for (uint32_t p : small.pixels) {
      EXPECT_GE((p >> shift) & 0xFF, lo);
      EXPECT_LE((p >> shift) & 0xFF, hi);
    }
  }
}

TEST_F(ResizeTest, SameSizeReusesTheFrameAndAnotherSizeReplacesTheSlot) {
  ASSERT_TRUE(store().Put(U::BT_IMAGE, 0, Gradient(6, 4)));
  ASSERT_TRUE(store().Put(U::BT_IMAGE, 1, Gradient(6, 4)));
  ASSERT_EQ(store().Resize(U::BT_IMAGE, 0, 3, 2, 0), 1);
  ASSERT_EQ(store().Resize(U::BT_IMAGE, 1, 3, 2, 0), 1);
  HBITMAP first = store().GetBitmapHandle(U::BT_IMAGE_RESIZED, 0);
  ASSERT_TRUE(store().Put(U::BT_IMAGE, 0, Solid(6, 4, 0x123456)));
  ASSERT_EQ(store().Resize(U::BT_IMAGE, 0, 3, 2, 0), 1);
  EXPECT_EQ(store().GetBitmapHandle(U::BT_IMAGE_RESIZED, 0), first);
  EXPECT_EQ(store().Get(U::BT_IMAGE_RESIZED, 0), Solid(3, 2, 0x123456));
  EXPECT_EQ(store().GetNumberOfBitmaps(U::BT_IMAGE_RESIZED), 2);

  ASSERT_EQ(store().Resize(U::BT_IMAGE, 0, 5, 5, 0), 1);
  EXPECT_EQ(store().GetNumberOfBitmaps(U::BT_IMAGE_RESIZED), 1) << "the old-size frames go";
  EXPECT_EQ(store().GetBitmapWidth(U::BT_IMAGE_RESIZED), 5);
  EXPECT_EQ(store().GetBitmapHeight(U::BT_IMAGE_RESIZED), 5);
}

TEST_F(ResizeTest, RelativeSizesAreTruncatedPercentagesOfTheHeader) {
  ASSERT_TRUE(store().Put(U::BT_BACKGROUND, 0, Gradient(10, 7)));
  ASSERT_EQ(store().ResizeRelative(U::BT_BACKGROUND, 0, 150, 33, 0), 1);
  EXPECT_EQ(store().GetBitmapWidth(U::BT_BACKGROUND_RESIZED), 15);
  EXPECT_EQ(store().GetBitmapHeight(U::BT_BACKGROUND_RESIZED), 2);  // 2.31
}

TEST_F(ResizeTest, RefusedArgumentsSetTheirCodes) {
  ASSERT_TRUE(store().Put(U::BT_IMAGE, 0, Gradient(4, 4)));
  struct Case { int type, index, w, h; U::QUOError error; };
  const Case cases[] = {
      {U::BT_IMAGE, 0, 0, 4, U::QUO_ERR_PARAM2},        {U::BT_IMAGE, 0, 4, -1, U::QUO_ERR_PARAM3},
      {U::BT_IMAGE_RESIZED, 0, 4, 4, U::QUO_ERR_NO_SLOT}, {-1, 0, 4, 4, U::QUO_ERR_NO_SLOT},
      {U::BT_IMAGE, 1, 4, 4, U::QUO_ERR_NO_IMAGE},      {U::BT_IMAGE, 600, 4, 4, U::QUO_ERR_NO_IMAGE},
      {U::BT_ALPHA, 0, 4, 4, U::QUO_ERR_NO_IMAGE},      {U::BT_IMAGE, 0, 1 << 14, 1 << 14, U::QUO_ERR_PARAM2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(store().Resize(static_cast<Slot>(c.type), c.index, c.w, c.h, 1), 0);
    EXPECT_EQ(store().GetLastError(), c.error) << c.type << " " << c.index << " " << c.w << "x" << c.h;
  }
  EXPECT_EQ(store().ResizeRelative(U::BT_IMAGE, 0, 0, 50, 1), 0);
  EXPECT_EQ(store().GetLastError(), U::QUO_ERR_PARAM2);
  EXPECT_EQ(store().ResizeRelative(U::BT_IMAGE, 0, 50, -3, 1), 0);
  EXPECT_EQ(store().GetLastError(), U::QUO_ERR_PARAM3);
  EXPECT_EQ(store().ResizeRelative(U::BT_ALPHA, 0, 50, 50, 1), 0);
  EXPECT_EQ(store().GetLastError(), U::QUO_ERR_NO_IMAGE);
  EXPECT_EQ(store().ResizeRelative(U::BT_IMAGE, 0, 10, 10, 1), 0) << "0.4 x 0.4 truncates to 0";
  EXPECT_EQ(store().GetLastError(), U::QUO_ERR_PARAM2);
  EXPECT_EQ(store().GetNumberOfBitmaps(U::BT_IMAGE_RESIZED), 0);
}

// The platform's HALFTONE StretchBlt of the whole picture into a new 24-bit section.
Picture StretchedByGdi(const Picture& source, int width, int height) {
  auto section = [](const Picture& p, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), p.width, p.height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0);
  };
  void *from = nullptr, *to = nullptr;
  HBITMAP src = section(source, &from), dst = section(Picture{width, height, {}}, &to);
  const int srcRow = (source.width * 3 + 3) & ~3, dstRow = (width * 3 + 3) & ~3;
  for (int y = 0; y < source.height; ++y)
    for (int x = 0; x < source.width; ++x) {
      uint8_t* p = static_cast<uint8_t*>(from) + size_t(source.height - 1 - y) * srcRow + 3 * x;
      const uint32_t v = source.at(x, y);
      p[0] = uint8_t(v), p[1] = uint8_t(v >> 8), p[2] = uint8_t(v >> 16);
    }
  HDC screen = GetDC(nullptr);
  HDC a = CreateCompatibleDC(screen), b = CreateCompatibleDC(screen);
  HGDIOBJ oldA = SelectObject(a, src), oldB = SelectObject(b, dst);
  SetStretchBltMode(b, HALFTONE);
  StretchBlt(b, 0, 0, width, height, a, 0, 0, source.width, source.height, SRCCOPY);
  SelectObject(a, oldA), SelectObject(b, oldB);
  DeleteDC(a), DeleteDC(b);
  ReleaseDC(nullptr, screen);
  Picture out{width, height, Pixels(size_t(width) * height)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = static_cast<uint8_t*>(to) + size_t(height - 1 - y) * dstRow + 3 * x;
      out.pixels[size_t(y) * width + x] = p[0] | p[1] << 8 | uint32_t(p[2]) << 16;
    }
  DeleteObject(src), DeleteObject(dst);
  return out;
}

TEST_F(ResizeTest, HalftoneGivesTheBytesOfTheGdiStretchForEveryScale) {
  struct Case { int sw, sh, tw, th; };
  const Case cases[] = {{7, 5, 3, 2},     {5, 4, 13, 9},    {1, 1, 4, 3},   {33, 17, 32, 16},
                        {100, 60, 67, 41}, {9, 9, 1, 1},     {300, 7, 1, 7}, {3, 200, 5, 3},
                        {8, 8, 8, 8},     {211, 97, 140, 65}, {12, 12, 37, 5}};
  uint32_t seed = 3;
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.sw << "x" << c.sh << " -> " << c.tw << "x" << c.th);
    Picture source{c.sw, c.sh, Pixels(size_t(c.sw) * c.sh)};
    for (uint32_t& v : source.pixels) v = (seed = seed * 1664525u + 1013904223u) >> 8;
    ASSERT_TRUE(store().Put(U::BT_BACKGROUND, 1, source));
    ASSERT_EQ(store().Resize(U::BT_BACKGROUND, 1, c.tw, c.th, 1), 1);
    EXPECT_EQ(store().Get(U::BT_BACKGROUND_RESIZED, 1), StretchedByGdi(source, c.tw, c.th));
  }
}

}  // namespace
}  // namespace talix::image::testing
