// The four static skins drawn straight into a memory surface: gradient columns, the
// nine-part frame's seams, the bitmap's two modes, the icon; validity of each.
#include "static_test_support.h"

#include "draw/QuorGraphics.h"

namespace statictest {
namespace {

constexpr uint32_t kFill = 0x123456;

using StaticSkinDrawTest = StaticTest;

void DrawSkin(CQuorBaseSkin& skin, Surface& surface, int cx, int cy) {
  CQuorGraphics graphics(surface.dc());
  skin.Draw(nullptr, &graphics, cx, cy);
}

struct GradientCase {
  COLORREF color1, color2;
  std::vector<uint32_t> columns;  // expected 0xRRGGBB per column, left first
};

TEST_F(StaticSkinDrawTest, GradientColumnsStepFromColour1TowardColour2) {
  const GradientCase cases[] = {
      {RGB(0, 0, 0), RGB(200, 0, 0), {0x000000, 0x320000, 0x640000, 0x960000}},
      // Numerically larger colour 1 still stands at the left edge; no channel wraps.
      {RGB(0, 0, 200), RGB(0, 0, 0), {0x0000C8, 0x000096, 0x000064, 0x000032}},
      {RGB(10, 255, 0), RGB(13, 0, 255), {0x0AFF00, 0x0ABF3F, 0x0B7F7F, 0x0C3FBF}},
      {RGB(7, 8, 9), RGB(7, 8, 9), {0x070809, 0x070809, 0x070809, 0x070809}},
  };
  for (const GradientCase& c : cases) {
    CQuorStaticGradientSkin skin;
    skin.SetSkinDef({c.color1, c.color2});
    skin.Load();
    ASSERT_TRUE(skin.IsValid());
    Surface surface(4, 3, kFill);
    DrawSkin(skin, surface, 4, 3);
    for (int x = 0; x < 4; ++x)
      for (int y = 0; y < 3; ++y)
        EXPECT_EQ(surface.At(x, y), c.columns[size_t(x)])
            << std::hex << c.color1 << "->" << c.color2 << " at " << std::dec << x << "," << y;
  }
}

TEST_F(StaticSkinDrawTest, DefaultGradientRunsBetweenItsColoursWithoutWrapping) {
  CQuorStaticGradientSkin skin;  // 0xFFF0E6 -> 0x231400, colour 1 the larger value
  skin.Load();
  constexpr int kWidth = 100;
  Surface surface(kWidth, 1, kFill);
  DrawSkin(skin, surface, kWidth, 1);
  EXPECT_EQ(surface.At(0, 0), ToRgb(0xFFF0E6));
  uint32_t previous = surface.At(0, 0);
  for (int x = 1; x < kWidth; ++x) {
    const uint32_t now = surface.At(x, 0);
    for (int shift : {0, 8, 16}) {
      const int before = int(previous >> shift & 0xFF), after = int(now >> shift & 0xFF);
      const int low = int(ToRgb(0x231400) >> shift & 0xFF);
      EXPECT_LE(after, before) << "column " << x << " channel " << shift;
      EXPECT_GE(after, low) << "column " << x << " channel " << shift;
    }
    previous = now;
  }
}

TEST_F(StaticSkinDrawTest, GradientOfNoWidthOrHeightDrawsNothing) {
  CQuorStaticGradientSkin skin;
  skin.SetSkinDef({RGB(1, 2, 3), RGB(200, 100, 50)});
  for (auto [cx, cy] : {std::pair{0, 3}, std::pair{3, 0}, std::pair{-5, 3}}) {
    Surface surface(3, 3, kFill);
    DrawSkin(skin, surface, cx, cy);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 3; ++x) EXPECT_EQ(surface.At(x, y), kFill) << cx << "x" << cy;
  }
}

CQuorStaticChromeSkinDef AllPieces() {
  CQuorStaticChromeSkinDef def{};
  for (int i = 0; i < QSC_PIECES; ++i) def.nPieceID[i] = kPieceIds[i];
  return def;
}

TEST_F(StaticSkinDrawTest, ChromePiecesMeetAtTheirSeams) {
  CQuorStaticChromeSkin skin;
  skin.SetSkinDef(AllPieces());
  skin.Load();
  ASSERT_TRUE(skin.IsValid());
  Surface surface(100, 40, kFill);
  DrawSkin(skin, surface, 100, 40);
  struct Probe {
    int x, y, piece;
  };
  // Both sides of every seam of 10 x 10 pieces at 100 x 40.
  const Probe probes[] = {
      {0, 0, QSC_TOPLEFT},      {9, 9, QSC_TOPLEFT},     {10, 0, QSC_TOP},
      {89, 9, QSC_TOP},         {90, 0, QSC_TOPRIGHT},   {99, 9, QSC_TOPRIGHT},
      {0, 10, QSC_LEFT},        {9, 29, QSC_LEFT},       {10, 10, QSC_CENTER},
      {89, 29, QSC_CENTER},     {90, 10, QSC_RIGHT},     {99, 29, QSC_RIGHT},
      {0, 30, QSC_BOTTOMLEFT},  {9, 39, QSC_BOTTOMLEFT}, {10, 30, QSC_BOTTOM},
      {89, 39, QSC_BOTTOM},     {90, 30, QSC_BOTTOMRIGHT}, {99, 39, QSC_BOTTOMRIGHT},
  };
  for (const Probe& p : probes)
    EXPECT_EQ(surface.At(p.x, p.y), kPieceColors[p.piece]) << p.x << "," << p.y;
}

TEST_F(StaticSkinDrawTest, ChromeWithAMissingPieceIsInvalid) {
  for (UINT missing : {0u, 999u}) {
    CQuorStaticChromeSkinDef def = AllPieces();
    def.nPieceID[QSC_BOTTOM] = missing;
    CQuorStaticChromeSkin skin;
    skin.SetSkinDef(def);
    skin.Load();
    EXPECT_FALSE(skin.IsValid()) << missing;
    Surface surface(30, 30, kFill);
    DrawSkin(skin, surface, 30, 30);
    EXPECT_EQ(surface.At(0, 0), kFill);
  }
}

TEST_F(StaticSkinDrawTest, BitmapAtNaturalSizeLeavesTheRestAlone) {
  CQuorStaticBitmapSkin skin;
  skin.SetSkinDef({IDP_HALVES, FALSE});
  skin.Load();
  ASSERT_TRUE(skin.IsValid());
  Surface surface(10, 6, kFill);
  DrawSkin(skin, surface, 10, 6);
  EXPECT_EQ(surface.At(0, 0), kHalfLeft);
  EXPECT_EQ(surface.At(1, 1), kHalfLeft);
  EXPECT_EQ(surface.At(2, 0), kHalfRight);
  EXPECT_EQ(surface.At(3, 1), kHalfRight);
  EXPECT_EQ(surface.At(4, 0), kFill);
  EXPECT_EQ(surface.At(0, 2), kFill);
  EXPECT_EQ(surface.At(9, 5), kFill);
}

TEST_F(StaticSkinDrawTest, BitmapStretchedCoversTheControl) {
  CQuorStaticBitmapSkin skin;
  skin.SetSkinDef({IDP_HALVES, TRUE});
  skin.Load();
  Surface surface(40, 20, kFill);
  DrawSkin(skin, surface, 40, 20);
  for (auto [x, y] : {std::pair{0, 0}, std::pair{15, 10}, std::pair{0, 19}})
    EXPECT_EQ(surface.At(x, y), kHalfLeft) << x << "," << y;
  for (auto [x, y] : {std::pair{24, 10}, std::pair{39, 0}, std::pair{39, 19}})
    EXPECT_EQ(surface.At(x, y), kHalfRight) << x << "," << y;
}

TEST_F(StaticSkinDrawTest, BitmapWithoutItsPictureIsInvalid) {
  for (UINT id : {0u, 999u}) {
    CQuorStaticBitmapSkin skin;
    skin.SetSkinDef({id, TRUE});
    skin.Load();
    EXPECT_FALSE(skin.IsValid()) << id;
  }
}

TEST_F(StaticSkinDrawTest, CopiesOfAPictureSkinHoldTheirOwnPictures) {
  CQuorStaticBitmapSkin first;
  first.SetSkinDef({IDP_HALVES, TRUE});
  first.Load();
  {
    CQuorStaticBitmapSkin copy(first);
    EXPECT_EQ(copy.GetBitmap(), nullptr);
    copy.Load();
    EXPECT_EQ(copy.GetBitmap(), first.GetBitmap());  // shared through the cache
  }
  ASSERT_TRUE(first.IsValid());
  Surface surface(4, 2, kFill);
  DrawSkin(first, surface, 4, 2);
  EXPECT_EQ(surface.At(0, 0), kHalfLeft);
}

TEST_F(StaticSkinDrawTest, IconDrawsItsOwnCopyInTheIconSquare) {
  CQuorStaticIconSkin skin;
  skin.SetSkinDef({nullptr, IDI_APPLICATION});
  skin.Load();
  ASSERT_TRUE(skin.IsValid());
  ASSERT_NE(skin.GetIcon(), nullptr);
  EXPECT_NE(skin.GetIcon(), LoadIconW(nullptr, IDI_APPLICATION));
  const int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
  Surface surface(cx + 8, cy + 8, kFill);
  DrawSkin(skin, surface, cx + 8, cy + 8);
  int inside = 0, outside = 0;
  for (int y = 0; y < cy + 8; ++y)
    for (int x = 0; x < cx + 8; ++x)
      if (surface.At(x, y) != kFill) ++(x < cx && y < cy ? inside : outside);
  EXPECT_GT(inside, 0);
  EXPECT_EQ(outside, 0);
}

TEST_F(StaticSkinDrawTest, IconThatDoesNotLoadDrawsNothingButStaysValid) {
  CQuorStaticIconSkin skin;
  skin.SetSkinDef({nullptr, MAKEINTRESOURCEW(4321)});
  skin.Load();
  EXPECT_TRUE(skin.IsValid());
  EXPECT_EQ(skin.GetIcon(), nullptr);
  Surface surface(8, 8, kFill);
  DrawSkin(skin, surface, 8, 8);
  EXPECT_EQ(surface.At(0, 0), kFill);
}

TEST_F(StaticSkinDrawTest, DefaultDefinitionsAreCopiedIntoNewSkins) {
  const CQuorStaticGradientSkinDef saved = CQuorStaticGradientSkin::m_DefaultSkinDef;
  EXPECT_EQ(saved.crColor1, COLORREF(0xFFF0E6));
  EXPECT_EQ(saved.crColor2, COLORREF(0x231400));
  CQuorStaticGradientSkin::SetDefaultSkinDef({RGB(1, 2, 3), RGB(1, 2, 3)});
  CQuorStaticGradientSkin skin;
  CQuorStaticGradientSkin::SetDefaultSkinDef(saved);
  EXPECT_EQ(CQuorStaticGradientSkinDef(skin).crColor1, RGB(1, 2, 3));
  EXPECT_EQ(CQuorStaticBitmapSkin::m_DefaultSkinDef.bStretch, TRUE);
  EXPECT_EQ(CQuorStaticIconSkin::m_DefaultSkinDef.lpszIcon, nullptr);
}

}  // namespace
}  // namespace statictest
