// The window region follows the end pieces' outlines, mirrored in right-to-left layout,
// and hit-testing honours it.
#include "button_fixture.h"

namespace buttontest {
namespace {

class ButtonRegionTest : public ButtonTest {
 protected:
  void TearDown() override {
    button_.reset();
    skin_.reset();
    ButtonTest::TearDown();
  }
  // A 100 x 20 button at (10, 10) of a host at the screen origin, skin loaded in the
  // current layout (pictures mirror when they load).
  HWND MakePiecesButton() {
    skin_ = std::make_unique<CQuorButtonSkin>();
    skin_->SetSkinDef(PiecesSkin());
    skin_->Load();
    button_ = std::make_unique<CQuorButtonCtrl>();
    return MakeButton(*button_, MakeHost(), skin_.get(), RECT{10, 10, 110, 30}, 5);
  }
  // Which of the probe points lie in the window's region.
  static std::vector<bool> Inside(HWND hwnd, const std::vector<POINT>& points) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(hwnd, region), ERROR);
    std::vector<bool> inside;
    for (POINT p : points) inside.push_back(PtInRegion(region, p.x, p.y) != FALSE);
    DeleteObject(region);
    return inside;
  }

  std::unique_ptr<CQuorButtonSkin> skin_;
  std::unique_ptr<CQuorButtonCtrl> button_;
};

// Probes: the left piece's 2 x 2 notch and next to it, the right piece's 3 x 3 notch and
// next to it, the middle band's top row.
const std::vector<POINT> kProbes = {{1, 1}, {2, 0}, {0, 2}, {97, 2}, {96, 0}, {99, 3}, {50, 0}};

TEST_F(ButtonRegionTest, RegionFollowsTheEndPieces) {
  HWND b = MakePiecesButton();
  EXPECT_EQ(Inside(b, kProbes),
            (std::vector<bool>{false, true, true, false, true, true, true}));
  // Hit-testing misses the notch: the host is there.
  EXPECT_EQ(WindowFromPoint(POINT{10 + 1, 10 + 1}), GetParent(b));
  EXPECT_EQ(WindowFromPoint(POINT{10 + 3, 10 + 1}), b);
  EXPECT_EQ(WindowFromPoint(POINT{10 + 99, 10 + 1}), GetParent(b));
  // A click in the notch does not reach the button.
  talix::host::Click(10 + 1, 10 + 1);
  talix::host::PumpMessagesUntilIdle();
  EXPECT_TRUE(log.clicks.empty());
}

TEST_F(ButtonRegionTest, RightToLeftMirrorsTheRegionWithTheBackBuffer) {
  // Right-to-left layout: the pictures mirror as they load (the left piece's notch moves
  // to its inner side, x 4..5; the right piece's to x 0..2 of it, 92..94 of the button)
  // and the back buffer is mirrored as a whole, so the window shows the right piece's
  // notch at 5..7 and the left piece's at 94..95. The region goes with it.
  CQuorLib::m_dwLayout = 1;
  HWND b = MakePiecesButton();
  HWND host = GetParent(b);
  struct Probe {
    int x, y;
    bool onButton;
  } probes[] = {{5, 2, false}, {7, 0, false}, {4, 0, true},  {8, 0, true},  {6, 3, true},
                {94, 1, false}, {95, 0, false}, {93, 0, true}, {96, 0, true}, {0, 0, true}};
  for (const Probe& p : probes) {
    SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
    EXPECT_EQ(WindowFromPoint(POINT{10 + p.x, 10 + p.y}), p.onButton ? b : host);
  }
  // What shows there is the host, not a piece of the button.
  const auto image = Capture(host);
  EXPECT_EQ(image.At(10 + 6, 10 + 1) & 0xFFFFFF, 0u);
  EXPECT_NE(image.At(10 + 4, 10 + 1) & 0xFFFFFF, 0u);
}

TEST_F(ButtonRegionTest, CaptionOnlySkinLeavesTheWindowWhole) {
  CQuorButtonSkin skin;
  CQuorButtonCtrl button;
  HWND b = MakeButton(button, MakeHost(), &skin, RECT{10, 10, 110, 30}, 5);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(b, region), ERROR);
  DeleteObject(region);
  EXPECT_EQ(WindowFromPoint(POINT{11, 11}), b);
}

}  // namespace
}  // namespace buttontest
