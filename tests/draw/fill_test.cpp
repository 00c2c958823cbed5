// Solid-colour and tiled bitmaps.
#include "draw_fixture.h"

namespace talix::draw::testing {
namespace {

class FillTest : public DrawTest {};

// A tile whose every pixel is distinct: 0x00yyxx + 0x10.
Pixels NumberedTile(LONG w, LONG h) {
  Pixels p;
  for (LONG y = 0; y < h; ++y)
    for (LONG x = 0; x < w; ++x) p.push_back(0x10 + uint32_t(y << 8 | x));
  return p;
}

TEST_F(FillTest, TileRepeatsAndIsCutAtTheEdges) {
  struct Case {
    SIZE tile, target;
  } cases[] = {{{3, 2}, {7, 5}}, {{6, 4}, {2, 3}}, {{3, 2}, {3, 2}}, {{1, 1}, {4, 3}},
               {{3, 2}, {2, 7}}};
  for (const Case& c : cases) {
    const Pixels tilePixels = NumberedTile(c.tile.cx, c.tile.cy);
    Owned tile(MakeBitmap(c.tile.cx, c.tile.cy, tilePixels));
    Owned out(CQuorLib::TileBitmap(tile.bitmap(), c.target));
    ASSERT_NE(out.bitmap(), nullptr);
    ASSERT_EQ(SizeOf(out.bitmap()).cx, c.target.cx);
    ASSERT_EQ(SizeOf(out.bitmap()).cy, c.target.cy);
    Pixels want;
    for (LONG y = 0; y < c.target.cy; ++y)
      for (LONG x = 0; x < c.target.cx; ++x)
        want.push_back(tilePixels[size_t((y % c.tile.cy) * c.tile.cx + x % c.tile.cx)]);
    EXPECT_EQ(ReadBitmap(out.bitmap()), want)
        << c.tile.cx << "x" << c.tile.cy << " into " << c.target.cx << "x" << c.target.cy;
    EXPECT_EQ(ReadBitmap(tile.bitmap()), tilePixels);  // the argument is left as it was
  }
}

TEST_F(FillTest, UnreadableTileGivesAnEmptyResultOfTheTargetSize) {
  Owned brush(CreateSolidBrush(RGB(1, 2, 3)));
  for (HBITMAP tile : {HBITMAP(nullptr), brush.as<HBITMAP>()}) {
    Owned out(CQuorLib::TileBitmap(tile, SIZE{4, 2}));
    ASSERT_NE(out.bitmap(), nullptr);
    EXPECT_EQ(ReadBitmap(out.bitmap()), Pixels(8, 0));
  }
  EXPECT_EQ(GetObjectType(brush.as<HBRUSH>()), DWORD(OBJ_BRUSH));
}

TEST_F(FillTest, ColorBitmapIsFilledWithTheColour) {
  // COLORREF red 0x12, green 0x34, blue 0x56 reads back as the pixel 0x123456.
  Owned out(CQuorLib::CreateColorBitmap(RGB(0x12, 0x34, 0x56), SIZE{3, 2}));
  ASSERT_NE(out.bitmap(), nullptr);
  EXPECT_EQ(ReadBitmap(out.bitmap()), Pixels(6, 0x123456));
  EXPECT_EQ(SizeOf(out.bitmap()).cx, 3);
  EXPECT_EQ(CQuorLib::CreateColorBitmap(0, SIZE{-1, 2}), nullptr);
}

}  // namespace
}  // namespace talix::draw::testing
