// The kernel-facing DC access: 32-bit views of any target, the clip in surface
// coordinates, mirrored rectangles and brush fills of regions.
#include "dc_fixture.h"

#include "platform/gdi/dc/dc_access.h"

namespace talix::gdi::testing {
namespace {

TEST(DcAccess, ViewsWriteThroughForEveryDepth) {
  // A 32-bit compatible bitmap is viewed in place; an 8-bit bottom-up DIB via a copy.
  MemoryDc direct(6, 4);
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
  } info{};
  info.header = DibHeader(6, 4, 8);
  info.colors[1] = RGBQUAD{0, 0, 255, 0};  // red
  info.header.biClrUsed = 2;
  MemoryDc indexed(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info),
                                    DIB_RGB_COLORS, nullptr, nullptr, 0));
  for (const MemoryDc* dc : {&direct, &indexed}) {
    Surface32 whole;
    EXPECT_EQ(DcSurface32(dc->dc(), &whole), dc == &direct);
    {
      ScopedSurface32 view(dc->dc(), RECT{2, 1, 10, 3});  // clipped to the bitmap
      ASSERT_TRUE(view.Valid());
      EXPECT_EQ(view.Surface().width, 4);
      EXPECT_EQ(view.Surface().height, 2);
      view.Surface().Row(1)[3] = 0xFF0000;  // surface (5, 2)
      view.Commit();
    }
    EXPECT_EQ(GetPixel(dc->dc(), 5, 2), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc->dc(), 4, 2), RGB(0, 0, 0));
  }
}

TEST(DcAccess, ClipAndMirroredRectanglesInSurfaceCoordinates) {
  MemoryDc dc(10, 4);
  IntersectClipRect(dc.dc(), 0, 0, 3, 4);
  SetLayout(dc.dc(), LAYOUT_RTL);
  RECT r;
  ASSERT_TRUE(DcLogicalToSurface(dc.dc(), RECT{0, 0, 2, 1}, &r));
  EXPECT_EQ(r.left, 8);
  EXPECT_EQ(r.right, 10);
  EXPECT_TRUE(DcIsMirrored(dc.dc()));
  pixman_region32_t clip;
  pixman_region32_init(&clip);
  ASSERT_TRUE(DcClipRegion(dc.dc(), &clip));
  pixman_box32_t* box = pixman_region32_extents(&clip);
  EXPECT_EQ(box->x1, 0) << "clips are device coordinates, set before the layout changed";
  EXPECT_EQ(box->x2, 3);

  // Fill the whole surface through the clip with the DC brush.
  SelectObject(dc.dc(), GetStockObject(DC_BRUSH));
  SetDCBrushColor(dc.dc(), RGB(0, 255, 0));
  pixman_region32_t all;
  pixman_region32_init_rect(&all, 0, 0, 10, 4);
  EXPECT_TRUE(DcFillRegion(dc.dc(), &all, PATCOPY));
  EXPECT_FALSE(DcFillRegion(dc.dc(), &all, SRCCOPY)) << "fills have no source";
  auto px = ReadPixels(dc.bitmap());
  EXPECT_EQ(px[2], 0x00FF00u);
  EXPECT_EQ(px[3], 0u);
  pixman_region32_fini(&all);
  pixman_region32_fini(&clip);
  SelectObject(dc.dc(), GetStockObject(WHITE_BRUSH));
}

}  // namespace
}  // namespace talix::gdi::testing
