// Clipping on DCs: every ExtSelectClipRgn mode, the rectangle functions, GetClipRgn's
// three answers, visibility queries, and mirrored DCs.
#include "dc_fixture.h"

namespace talix::gdi::testing {
namespace {

constexpr int kW = 10, kH = 6;

// Which pixels of the DC may be drawn: PATCOPY white over black, read back.
std::vector<bool> Drawable(const MemoryDc& dc) {
  WritePixels(dc.bitmap(), kW, kH, std::vector<uint32_t>(kW * kH, 0));
  PatBlt(dc.dc(), -100, -100, 300, 300, WHITENESS);
  std::vector<bool> out;
  for (uint32_t p : ReadPixels(dc.bitmap())) out.push_back(p != 0);
  return out;
}

std::vector<bool> Model(bool (*inside)(int x, int y)) {
  std::vector<bool> out;
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) out.push_back(inside(x, y));
  return out;
}

// Current clip: columns 0..5; combined with columns 3..8 (rows 0..kH).
bool InA(int x, int) { return x < 6; }
bool InB(int x, int) { return x >= 3 && x < 9; }

TEST(ClipRegion, EveryCombineMode) {
  size_t live = LiveGdiObjects();
  {
    MemoryDc dc(kW, kH);
    HRGN a = RectRegion(0, 0, 6, kH), b = RectRegion(3, 0, 9, kH);
    struct Case {
      int mode;
      int type;
      bool (*inside)(int, int);
    } cases[] = {
        {RGN_AND, SIMPLEREGION, [](int x, int y) { return InA(x, y) && InB(x, y); }},
        {RGN_OR, SIMPLEREGION, [](int x, int y) { return InA(x, y) || InB(x, y); }},
        {RGN_XOR, COMPLEXREGION, [](int x, int y) { return InA(x, y) != InB(x, y); }},
        {RGN_DIFF, SIMPLEREGION, [](int x, int y) { return InA(x, y) && !InB(x, y); }},
        {RGN_COPY, SIMPLEREGION, InB},
    };
    for (const auto& c : cases) {
      ASSERT_EQ(SelectClipRgn(dc.dc(), a), SIMPLEREGION);
      EXPECT_EQ(ExtSelectClipRgn(dc.dc(), b, c.mode), c.type) << c.mode;
      EXPECT_EQ(Drawable(dc), Model(c.inside)) << "mode " << c.mode;
    }
    // With no clip region, the combination starts from the whole DC.
    SelectClipRgn(dc.dc(), nullptr);
    EXPECT_EQ(ExtSelectClipRgn(dc.dc(), b, RGN_DIFF), COMPLEXREGION);
    EXPECT_EQ(Drawable(dc), Model([](int x, int y) { return !InB(x, y); }));
    EXPECT_EQ(ExtSelectClipRgn(dc.dc(), nullptr, RGN_AND), ERROR) << "only RGN_COPY takes null";
    EXPECT_EQ(ExtSelectClipRgn(dc.dc(), b, 9), ERROR);
    DeleteObject(a);
    DeleteObject(b);
  }
  EXPECT_EQ(LiveGdiObjects(), live);
}

TEST(ClipRegion, RectangleFunctionsAndQueries) {
  MemoryDc dc(kW, kH);
  HDC h = dc.dc();
  HRGN out = RectRegion(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(h, out), 0) << "no clip region yet";
  EXPECT_EQ(GetClipRgn(h, nullptr), -1);

  SetViewportOrgEx(h, 1, 1, nullptr);  // logical (0, 0) is device (1, 1)
  EXPECT_EQ(IntersectClipRect(h, 0, 0, 5, 3), SIMPLEREGION);
  EXPECT_EQ(ExcludeClipRect(h, 1, 0, 2, 3), COMPLEXREGION);
  EXPECT_EQ(GetClipRgn(h, out), 1);
  RECT box;
  EXPECT_EQ(GetClipBox(h, &box), COMPLEXREGION);
  EXPECT_EQ(box.left, 0) << "GetClipBox answers in logical coordinates";
  EXPECT_EQ(box.right, 5);
  EXPECT_EQ(box.bottom, 3);
  EXPECT_TRUE(PtVisible(h, 0, 0));
  EXPECT_FALSE(PtVisible(h, 1, 1)) << "excluded";
  EXPECT_FALSE(PtVisible(h, 5, 0));
  RECT hole{1, 0, 2, 3}, partly{4, 2, 8, 8};
  EXPECT_FALSE(RectVisible(h, &hole));
  EXPECT_TRUE(RectVisible(h, &partly));
  EXPECT_EQ(GetPixel(h, 1, 1), CLR_INVALID) << "clipped pixels read as invalid";
  EXPECT_EQ(SetPixel(h, 1, 1, 0), CLR_INVALID);

  SetViewportOrgEx(h, 0, 0, nullptr);
  EXPECT_EQ(OffsetClipRgn(h, 2, 0), COMPLEXREGION);
  EXPECT_TRUE(PtVisible(h, 3, 1)) << "device (3, 1) was (1, 1) before the offset";
  EXPECT_EQ(IntersectClipRect(h, 100, 100, 200, 200), NULLREGION);
  EXPECT_EQ(GetClipBox(h, &box), NULLREGION);
  EXPECT_EQ(SelectClipRgn(h, nullptr), SIMPLEREGION);
  EXPECT_EQ(GetClipRgn(h, out), 0);
  DeleteObject(out);
}

TEST(ClipRegion, MirroredDcsMirrorTheirRegions) {
  MemoryDc dc(kW, kH);
  SetLayout(dc.dc(), LAYOUT_RTL);
  HRGN left = RectRegion(0, 0, 2, kH);
  SelectClipRgn(dc.dc(), left);
  EXPECT_EQ(Drawable(dc), Model([](int x, int) { return x >= kW - 2; }))
      << "the DC's left is the bitmap's right";
  HRGN out = RectRegion(0, 0, 0, 0);
  ASSERT_EQ(GetClipRgn(dc.dc(), out), 1);
  RECT box;
  EXPECT_EQ(GetClipBox(dc.dc(), &box), SIMPLEREGION);
  EXPECT_EQ(box.left, 0);
  EXPECT_EQ(box.right, 2);
  RECT r{0, 0, 3, 1};
  FillRect(dc.dc(), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(GetPixel(dc.dc(), 0, 0), RGB(0, 0, 0));
  DeleteObject(left);
  DeleteObject(out);
}

}  // namespace
}  // namespace talix::gdi::testing
