// The push-button skin drawn into a canvas: background pieces, image placements, caption,
// defaults and validity.
#include "button_fixture.h"

namespace buttontest {
namespace {

class SkinDrawTest : public ButtonTest {
 protected:
  void SetUp() override {
    ButtonTest::SetUp();
    host_ = MakeHost();
    hwnd_ = MakeButton(button_, host_, nullptr, rc_, 1);
  }
  void TearDown() override {
    state_.Unload();
    ButtonTest::TearDown();
  }
  // Loads `def` into the state skin and draws it into `canvas`.
  void Draw(const CQuorButtonStateSkinDef& def, Canvas& canvas, int cx, int cy) {
    state_.SetSkinDef(def);
    state_.Load();
    ASSERT_TRUE(state_.IsValid());
    CQuorGraphics graphics(canvas.dc());
    state_.Draw(&button_, &graphics, cx, cy);
  }

  RECT rc_{10, 10, 110, 30};
  HWND host_ = nullptr;
  HWND hwnd_ = nullptr;
  CQuorButtonCtrl button_;
  CQuorButtonStateSkin state_;
};

TEST_F(SkinDrawTest, MiddleTilesRepeatAndTheLastOneIsCut) {
  // Gap between the end pieces: 13 (three tiles and one column), 2 (less than a tile),
  // 4 (exactly one tile).
  for (int gap : {13, 2, 4}) {
    SCOPED_TRACE(gap);
    const int cx = kLeftWidth + gap + kRightWidth;
    Canvas canvas(cx, kPieceHeight);
    Draw(PiecesState(IDP_MIDDLE), canvas, cx, kPieceHeight);
    const int y = 10;
    EXPECT_NEAR_RGB(canvas.At(kLeftWidth - 1, y), Rgb(kLeftColor));
    for (int x = kLeftWidth; x < kLeftWidth + gap; ++x)
      EXPECT_NEAR_RGB(canvas.At(x, y), Rgb(MiddleColor((x - kLeftWidth) % kMiddleWidth))) << x;
    EXPECT_NEAR_RGB(canvas.At(kLeftWidth + gap, y), Rgb(kRightColor));
    EXPECT_NEAR_RGB(canvas.At(cx - 1, y), Rgb(kRightColor));
  }
}

TEST_F(SkinDrawTest, StateWithoutPiecesHasTheParentPaintBehindIt) {
  SetWindowTextW(hwnd_, u"");
  CQuorButtonStateSkinDef def = CQuorButtonSkin::GetDefaultSkinDef().m_Normal;
  Canvas canvas(30, 16);
  Draw(def, canvas, 30, 16);
  ASSERT_EQ(log.repaints.size(), 1u);
  const RECT& r = log.repaints[0];
  EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}),
            (std::vector<LONG>{0, 0, 30, 16}));
  EXPECT_NEAR_RGB(canvas.At(0, 0), Rgb(kParentColor));
  EXPECT_NEAR_RGB(canvas.At(29, 15), Rgb(kParentColor));
}

TEST_F(SkinDrawTest, ImagePlacementsAndTheCaptionGivingWay) {
  // Canvas 60 x 30; the gap is 6..52; the image is 10 x 10.
  struct Case {
    DWORD pos;
    int dx, dy;
    RECT image;
    RECT caption;
  } cases[] = {
      {IMAGEPOS_CENTER, 0, 0, {25, 10, 35, 20}, {6, 0, 52, 30}},
      {IMAGEPOS_LEFT, 0, 0, {6, 10, 16, 20}, {16, 0, 52, 30}},
      {IMAGEPOS_TOP, 0, 0, {25, 0, 35, 10}, {6, 10, 52, 30}},
      {IMAGEPOS_RIGHT, 0, 0, {42, 10, 52, 20}, {6, 0, 42, 30}},
      {IMAGEPOS_BOTTOM, 0, 0, {25, 20, 35, 30}, {6, 0, 52, 20}},
      // Offsets move both; the caption gives way before it moves.
      {IMAGEPOS_LEFT, 3, 2, {9, 12, 19, 22}, {22, 2, 55, 32}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "pos " << c.pos << " offset " << c.dx);
    CQuorButtonStateSkinDef def = PiecesState(IDP_MIDDLE);
    def.m_nImagePos = c.pos;
    def.m_nImageID = IDP_IMAGE;
    def.m_nOffsetX = c.dx;
    def.m_nOffsetY = c.dy;
    Canvas canvas(60, 30);
    Draw(def, canvas, 60, 30);
    const RECT image = state_.GetImageRect(), caption = state_.GetCaptionRect();
    EXPECT_EQ((std::vector<LONG>{image.left, image.top, image.right, image.bottom}),
              (std::vector<LONG>{c.image.left, c.image.top, c.image.right, c.image.bottom}));
    EXPECT_EQ((std::vector<LONG>{caption.left, caption.top, caption.right, caption.bottom}),
              (std::vector<LONG>{c.caption.left, c.caption.top, c.caption.right,
                                 c.caption.bottom}));
    EXPECT_NEAR_RGB(canvas.At(c.image.left, c.image.top), Rgb(kImageColor));
    EXPECT_NEAR_RGB(canvas.At(c.image.right - 1, c.image.bottom - 1), Rgb(kImageColor));
  }
}

TEST_F(SkinDrawTest, ImageWiderThanTheGapIsClippedOnBothSides) {
  // Gap 6..12 (6 wide) for a 10-wide centred image at 5..15.
  CQuorButtonStateSkinDef def = PiecesState(IDP_MIDDLE);
  def.m_nImagePos = IMAGEPOS_CENTER;
  def.m_nImageID = IDP_IMAGE;
  Canvas canvas(20, 20);
  Draw(def, canvas, 20, 20);
  const RECT image = state_.GetImageRect();
  EXPECT_EQ(image.left, kLeftWidth);
  EXPECT_EQ(image.right, 20 - kRightWidth);
  EXPECT_NEAR_RGB(canvas.At(kLeftWidth - 1, 10), Rgb(kLeftColor));
  EXPECT_NEAR_RGB(canvas.At(kLeftWidth, 10), Rgb(kImageColor));
  EXPECT_NEAR_RGB(canvas.At(20 - kRightWidth, 10), Rgb(kRightColor));
}

// The bounding box of the pixels of colour `c` (left, top, right, bottom; right and
// bottom exclusive), or all -1 when there are none.
std::vector<int> BoxOf(const Canvas& canvas, int cx, int cy, COLORREF c) {
  std::vector<int> box{-1, -1, -1, -1};
  for (int y = 0; y < cy; ++y)
    for (int x = 0; x < cx; ++x) {
      if (!Near(canvas.At(x, y), Rgb(c))) continue;
      if (box[0] < 0 || x < box[0]) box[0] = x;
      if (box[1] < 0 || y < box[1]) box[1] = y;
      box[2] = std::max(box[2], x + 1);
      box[3] = std::max(box[3], y + 1);
    }
  return box;
}

TEST_F(SkinDrawTest, CaptionDrawsUnlessTheImageStandsAlone) {
  SetWindowTextW(hwnd_, u"Wm");
  const COLORREF white = RGB(255, 255, 255);
  // Position 1 draws no image even though one is set and loaded.
  CQuorButtonStateSkinDef def = PiecesState(IDP_MIDDLE);
  def.m_nImageID = IDP_IMAGE;
  Canvas captionOnly(60, 30);
  Draw(def, captionOnly, 60, 30);
  EXPECT_NE(BoxOf(captionOnly, 60, 30, white)[0], -1);
  EXPECT_EQ(BoxOf(captionOnly, 60, 30, kImageColor)[0], -1);

  def.m_nImagePos = IMAGEPOS_CENTER;
  Canvas imageOnly(60, 30);
  Draw(def, imageOnly, 60, 30);
  EXPECT_EQ(BoxOf(imageOnly, 60, 30, white)[0], -1);
  EXPECT_NE(BoxOf(imageOnly, 60, 30, kImageColor)[0], -1);
}

TEST_F(SkinDrawTest, DefaultsShiftThePressedCaptionAndGreyTheDisabledOne) {
  const CQuorButtonSkinDef def = CQuorButtonSkin::GetDefaultSkinDef();
  const HFONT gui = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (const CQuorButtonStateSkinDef* s : {&def.m_Normal, &def.m_Pressed, &def.m_Hot,
                                            &def.m_Disabled}) {
    EXPECT_EQ(s->m_nImagePos, DWORD(IMAGEPOS_NONE));
    EXPECT_EQ(s->m_hFont, gui);
    EXPECT_EQ(s->m_nLeftID | s->m_nMiddleID | s->m_nRightID | s->m_nImageID, 0u);
  }
  EXPECT_EQ(def.m_Normal.m_crText, GetSysColor(COLOR_BTNTEXT));
  EXPECT_EQ(def.m_Disabled.m_crText, GetSysColor(COLOR_GRAYTEXT));

  // The pressed caption lands 2 pixels right and down of the normal one.
  SetWindowTextW(hwnd_, u"Wm");
  const COLORREF ink = RGB(255, 255, 255);
  std::vector<int> boxes[2];
  const CQuorButtonStateSkinDef* states[2] = {&def.m_Normal, &def.m_Pressed};
  for (int i = 0; i < 2; ++i) {
    CQuorButtonStateSkinDef s = PiecesState(IDP_MIDDLE);
    s.m_nOffsetX = states[i]->m_nOffsetX;
    s.m_nOffsetY = states[i]->m_nOffsetY;
    s.m_crText = ink;
    Canvas canvas(60, 30);
    Draw(s, canvas, 60, 30);
    boxes[i] = BoxOf(canvas, 60, 30, ink);
  }
  ASSERT_NE(boxes[0][0], -1);
  EXPECT_EQ(boxes[1], (std::vector<int>{boxes[0][0] + 2, boxes[0][1] + 2, boxes[0][2] + 2,
                                        boxes[0][3] + 2}));
}

TEST_F(SkinDrawTest, NewSkinsStartFromTheReplacedDefault) {
  const CQuorButtonSkinDef saved = CQuorButtonSkin::GetDefaultSkinDef();
  CQuorButtonSkinDef changed = saved;
  changed.m_Hot.m_crText = RGB(1, 2, 3);
  CQuorButtonSkin::SetDefaultSkinDef(changed);
  CQuorButtonSkin skin;
  CQuorButtonSkin::SetDefaultSkinDef(saved);
  EXPECT_EQ(skin.GetStateSkin(eButtonHot).GetDef().m_crText, RGB(1, 2, 3));
}

TEST_F(SkinDrawTest, ValidityFollowsWhatLoaded) {
  struct Case {
    const char* what;
    UINT left, image, first, last;
    int interval;
    bool valid;
    DWORD frames;
  } cases[] = {
      {"all there", IDP_LEFT, IDP_IMAGE, 0, 0, 0, true, 0},
      {"missing piece", IDP_NOT_THERE, 0, 0, 0, 0, false, 0},
      {"missing image", IDP_LEFT, IDP_NOT_THERE, 0, 0, 0, false, 0},
      {"frames with a gap", 0, 0, IDP_FRAME_FIRST, IDP_FRAME_LAST, 50, true, 2},
      {"frames without interval", 0, 0, IDP_FRAME_FIRST, IDP_FRAME_LAST, 0, false, 2},
      {"no frame loads", 0, 0, 120, 125, 50, false, 0},
      {"run reversed", 0, 0, IDP_FRAME_LAST, IDP_FRAME_FIRST, 50, false, 0},
      {"run to the top of the ids", 0, 0, IDP_FRAME_FIRST, 0xFFFFFFFFu, 50, true, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CQuorButtonStateSkinDef def{};
    def.m_nImagePos = IMAGEPOS_NONE;
    def.m_nLeftID = c.left;
    def.m_nImageID = c.image;
    def.m_nFirstFrameID = c.first;
    def.m_nLastFrameID = c.last;
    def.m_nFrameInterval = c.interval;
    state_.SetSkinDef(def);
    state_.Load();
    EXPECT_EQ(state_.IsValid(), c.valid);
    EXPECT_EQ(state_.GetFrameCount(), c.frames);
  }
}

TEST_F(SkinDrawTest, SkinIsValidWhenNormalAndPressedAre) {
  CQuorButtonSkinDef def = PiecesSkin();
  def.m_Hot.m_nLeftID = IDP_NOT_THERE;
  CQuorButtonSkin skin;
  skin.SetSkinDef(def);
  skin.Load();
  EXPECT_TRUE(skin.IsValid());
  def.m_Pressed.m_nLeftID = IDP_NOT_THERE;
  skin.SetSkinDef(def);
  skin.Load();
  EXPECT_FALSE(skin.IsValid());
}

}  // namespace
}  // namespace buttontest
