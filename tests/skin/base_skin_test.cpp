// Skins: validity states, definitions replaced without loading, counted pictures shared
// between skins, and the defaults of the skin template.
#include "skin_test_support.h"

#include "draw/QuorBitmap.h"
#include "frame/QuorResourceManager.h"

#include <memory>

namespace skintest {
namespace {

constexpr UINT kPicture = 101;   // data/skin.rc
constexpr UINT kMissing = 4711;  // no such resource

// A skin of one picture, taken from the counted cache as every skin of the library does.
struct PictureSkinDef {
  UINT nPictureID;  // 0 = none
};

class PictureSkin : public CQuorBaseSkinImpl<PictureSkin, PictureSkinDef> {
 public:
  explicit PictureSkin(UINT id) { m_SkinDef.nPictureID = id; }
  ~PictureSkin() override { Unload(); }
  void Load() override {
    Unload();
    if (m_SkinDef.nPictureID)
      CQuorResourceManager::LoadBitmapW(&m_pPicture, CQuorLib::GetResourceInstance(),
                                        m_SkinDef.nPictureID, u"PNG");
    Validate();
  }
  void Unload() override { CQuorResourceManager::UnloadBitmap(&m_pPicture); }
  void Validate() override {
    m_nState = m_SkinDef.nPictureID && !m_pPicture ? QUOR_SKIN_INVALID : QUOR_SKIN_VALID;
  }
  void Draw(CQuorWindow*, CQuorGraphics* graphics, int, int) override {
    graphics->DrawImage(m_pPicture, 0, 0);
  }
  int State() const { return m_nState; }
  CQuorBitmap* Bitmap() const { return m_pPicture; }

 private:
  CQuorBitmap* m_pPicture = nullptr;
};

unsigned HoldsOn(CQuorBitmap* picture) {
  for (const auto& [key, entry] : CQuorResourceManager::GetCache())
    if (entry.first == picture) return entry.second;
  return 0;
}

class BaseSkinTest : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    savedResources_ = CQuorLib::GetResourceInstance();
    CQuorLib::SetResourceInstance(GetModuleHandleW(nullptr));
  }
  void TearDown() override {
    CQuorLib::SetResourceInstance(savedResources_);
    SkinTest::TearDown();
  }

  // The picture's pixel at (x, y) as the skin draws it into a fresh 16x16 surface.
  static COLORREF DrawnPixel(PictureSkin& skin, int x, int y) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP surface = CreateCompatibleBitmap(screen, 16, 16);
    HGDIOBJ old = SelectObject(dc, surface);
    CQuorGraphics graphics(dc);
    skin.Draw(nullptr, &graphics, 16, 16);
    COLORREF pixel = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(surface);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixel;
  }

 private:
  HINSTANCE savedResources_ = nullptr;
};

TEST_F(BaseSkinTest, ValidityFollowsTheNamedPictures) {
  struct Case {
    const char* name;
    UINT id;
    bool load;
    int stateAfter;  // the state once IsValid has answered
  } const cases[] = {
      {"no picture named, never loaded", 0, false, QUOR_SKIN_VALID},
      {"missing picture, never loaded", kMissing, false, QUOR_SKIN_INVALID},
      {"missing picture, loaded", kMissing, true, QUOR_SKIN_INVALID},
      {"present picture, never loaded", kPicture, false, QUOR_SKIN_INVALID},
      {"present picture, loaded", kPicture, true, QUOR_SKIN_VALID},
  };
  for (const Case& c : cases) {
    PictureSkin skin(c.id);
    EXPECT_EQ(skin.State(), QUOR_SKIN_UNVALIDATED) << c.name;
    if (c.load) skin.Load();
    EXPECT_EQ(skin.IsValid(), c.stateAfter == QUOR_SKIN_VALID) << c.name;
    EXPECT_EQ(skin.State(), c.stateAfter) << c.name;
  }
}

TEST_F(BaseSkinTest, UnloadKeepsTheLastVerdict) {
  PictureSkin skin(kPicture);
  skin.Load();
  ASSERT_TRUE(skin.IsValid());
  skin.Unload();
  EXPECT_EQ(skin.Bitmap(), nullptr);
  EXPECT_TRUE(skin.IsValid()) << "the caller loads again before drawing";
  skin.Validate();
  EXPECT_FALSE(skin.IsValid());
}

TEST_F(BaseSkinTest, NewDefinitionTakesEffectAtTheNextLoad) {
  PictureSkin skin(kPicture);
  skin.Load();
  CQuorBitmap* picture = skin.Bitmap();
  ASSERT_NE(picture, nullptr);
  skin.SetSkinDef(PictureSkinDef{0});
  EXPECT_EQ(skin.Bitmap(), picture) << "SetSkinDef must not unload";
  EXPECT_EQ(DrawnPixel(skin, 0, 0), RGB(255, 0, 0)) << "old picture still drawn";
  EXPECT_EQ(static_cast<PictureSkinDef>(skin).nPictureID, 0u);
  skin.Load();
  EXPECT_EQ(skin.Bitmap(), nullptr);
  EXPECT_TRUE(skin.IsValid());
}

TEST_F(BaseSkinTest, SkinsOfOneDefinitionShareTheirPicture) {
  auto first = std::make_unique<PictureSkin>(kPicture);
  PictureSkin second(kPicture);
  first->Load();
  second.Load();
  ASSERT_NE(second.Bitmap(), nullptr);
  EXPECT_EQ(first->Bitmap(), second.Bitmap());
  EXPECT_EQ(HoldsOn(second.Bitmap()), 2u);
  first.reset();
  EXPECT_EQ(HoldsOn(second.Bitmap()), 1u);
  ASSERT_TRUE(second.IsValid());
  EXPECT_EQ(second.Bitmap()->GetWidth(), 8);
  EXPECT_EQ(DrawnPixel(second, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(DrawnPixel(second, 1, 1), RGB(0, 160, 0));
  EXPECT_EQ(DrawnPixel(second, 5, 5), RGB(255, 255, 0));
  EXPECT_EQ(DrawnPixel(second, 9, 9), RGB(0, 0, 0)) << "outside the picture";
}

// A skin that relies on every default of the template.
struct BareDef {
  int value;
};
class BareSkin : public CQuorBaseSkinImpl<BareSkin, BareDef> {
 public:
  int State() const { return m_nState; }
};

TEST_F(BaseSkinTest, TemplateDefaults) {
  BareSkin skin;
  EXPECT_EQ(skin.State(), QUOR_SKIN_UNVALIDATED);
  skin.SetSkinDef(BareDef{7});
  EXPECT_EQ(static_cast<BareDef>(skin).value, 7);
  skin.Load();
  EXPECT_EQ(skin.State(), QUOR_SKIN_UNVALIDATED) << "the default Load does nothing";
  EXPECT_FALSE(skin.IsValid()) << "a skin that cannot validate itself is invalid";
  EXPECT_EQ(skin.State(), QUOR_SKIN_INVALID);

  BareSkin copy(skin);
  EXPECT_EQ(copy.State(), QUOR_SKIN_INVALID);
  EXPECT_EQ(static_cast<BareDef>(copy).value, 7);
  BareSkin assigned;
  assigned = skin;
  EXPECT_EQ(static_cast<BareDef>(assigned).value, 7);
  EXPECT_EQ(assigned.State(), QUOR_SKIN_INVALID);
}

}  // namespace
}  // namespace skintest
