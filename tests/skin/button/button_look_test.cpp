// What a common button shows: the graphical state for each combination of flags, hover and
// enabled state, the pictures of each size, icons, the placeholder of an invalid skin, and
// that making and destroying buttons (with tooltips) leaks nothing.
#include "button_fixture.h"

#include "draw/QuorBitmap.h"
#include "frame/QuorLib.h"
#include "frame/QuorResourceManager.h"
#include "resources/theme/theme_ids.h"

#include <array>
#include <cstdlib>

namespace buttontest {
namespace {

class ButtonLookTest : public ButtonTest {
 protected:
  // Repaints `button` with the given look inputs; returns the state it chose.
  static ECommonButtonState Paint(ProbeButton& button, long flags, bool hot) {
    button.ForceLook(flags, hot);
    button.DeleteBackBuffer();
    InvalidateRect(button.m_hWnd, nullptr, TRUE);
    UpdateWindow(button.m_hWnd);
    return button.GetGraphicalState();
  }
  // The state whose background is nearest to what the button shows (sum of channel
  // differences over the whole button); -1 when the button cannot be read.
  static int NearestState(ProbeButton& button) {
    talix::host::CapturedImage image;
    if (!talix::host::CaptureWindow(button.m_hWnd, &image)) return -1;
    int best = -1;
    uint64_t bestDistance = UINT64_MAX;
    for (int state = 0; state < kCommonButtonStateCount; ++state) {
      CQuorBitmap* picture = button.GetSkin()->State(state).GetBackground();
      if (!picture || picture->GetWidth() != image.width) continue;
      uint64_t distance = 0;
      for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
          distance += ChannelDistance(image.At(x, y), uint32_t(picture->GetPixel(x, y)));
      if (distance < bestDistance) {
        bestDistance = distance;
        best = state;
      }
    }
    return best;
  }
  static uint64_t ChannelDistance(uint32_t a, uint32_t b) {
    uint64_t sum = 0;
    for (int shift = 0; shift < 24; shift += 8)
      sum += uint64_t(std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    return sum;
  }
  // The button's middle pixel as 0x00RRGGBB.
  static uint32_t MiddlePixel(HWND hwnd) {
    talix::host::CapturedImage image;
    EXPECT_TRUE(talix::host::CaptureWindow(hwnd, &image));
    if (image.width == 0) return 0xFFFFFFFFu;
    return image.At(image.width / 2, image.height / 2) & 0xFFFFFFu;
  }
};

struct LookCase {
  bool enabled;
  long flags;
  bool hot;
  ECommonButtonState state;
};
constexpr std::array<LookCase, 10> kLookCases = {{
    {false, BST_FOCUS | BST_PUSHED, true, COMMON_BUTTON_DISABLED},
    {true, 0, false, COMMON_BUTTON_NORMAL},
    {true, 0, true, COMMON_BUTTON_HOT},
    {true, BST_PUSHED, true, COMMON_BUTTON_PUSHED},
    // Pushed with the cursor gone looks normal, not pushed.
    {true, BST_PUSHED, false, COMMON_BUTTON_NORMAL},
    {true, BST_CHECKED, false, COMMON_BUTTON_NORMAL},
    {true, BST_FOCUS, false, COMMON_BUTTON_FOCUSED},
    {true, BST_FOCUS | BST_PUSHED, false, COMMON_BUTTON_FOCUSED},
    {true, BST_FOCUS, true, COMMON_BUTTON_FOCUSED_HOT},
    {true, BST_FOCUS | BST_PUSHED, true, COMMON_BUTTON_FOCUSED_PUSHED},
}};

TEST_F(ButtonLookTest, EachStateShowsItsOwnPicture) {
  ProbeButton& button = AddButton(101);
  for (const LookCase& c : kLookCases) {
    SCOPED_TRACE(testing::Message() << "flags " << c.flags << " hot " << c.hot);
    EnableWindow(button.m_hWnd, c.enabled);
    EXPECT_EQ(Paint(button, c.flags, c.hot), c.state);
    EXPECT_EQ(NearestState(button), c.state);
  }
  EnableWindow(button.m_hWnd, TRUE);
  Paint(button, 0, false);
  const uint32_t normal = MiddlePixel(button.m_hWnd);
  Paint(button, 0, true);
  EXPECT_NE(MiddlePixel(button.m_hWnd), normal) << "hover changes the picture";
}

TEST_F(ButtonLookTest, SizesUseTheirDefaultPicturesAndFitTheFocusedOne) {
  const std::array<UINT, 3> firstId = {IDB_COMMON_BUTTON_SMALL_DISABLED,
                                       IDB_COMMON_BUTTON_MEDIUM_DISABLED,
                                       IDB_COMMON_BUTTON_LARGE_DISABLED};
  int previousWidth = 0;
  for (int size = 0; size < 3; ++size) {
    SCOPED_TRACE(testing::Message() << "size " << size);
    ProbeButton& button = AddButton(101 + size, BS_PUSHBUTTON, 20, 20, ECommonButtonSize(size));
    CQuorCommonButtonSkin& skin = *button.GetSkin();
    const CQuorCommonButtonSkinDef def = skin;
    for (int state = 0; state < kCommonButtonStateCount; ++state) {
      const auto& part = def.States[state];
      const int offset = state == COMMON_BUTTON_PUSHED || state == COMMON_BUTTON_FOCUSED_PUSHED;
      EXPECT_EQ(part.nBackgroundID, firstId[size] + state);
      EXPECT_EQ(part.nIconID, 0u);
      EXPECT_EQ(part.nIconOffsetX, offset);
      EXPECT_EQ(part.nIconOffsetY, offset);
    }
    EXPECT_TRUE(button.SkinIsValid());
    CQuorBitmap* focused = skin.State(COMMON_BUTTON_FOCUSED).GetBackground();
    RECT rect{};
    GetWindowRect(button.m_hWnd, &rect);
    EXPECT_EQ(rect.right - rect.left, focused->GetWidth());
    EXPECT_EQ(rect.bottom - rect.top, focused->GetHeight());
    EXPECT_GT(focused->GetWidth(), previousWidth);
    previousWidth = focused->GetWidth();
  }
  EXPECT_EQ(CQuorLib::GetResourceInstance(), Theme()) << "the resource instance is restored";
}

TEST_F(ButtonLookTest, IconSharedByTheDisabledStateWhenNotGivenItsOwn) {
  ProbeButton& button = AddButton(101);
  CQuorCommonButtonSkin& skin = *button.GetSkin();
  Paint(button, 0, false);
  const uint32_t plain = MiddlePixel(button.m_hWnd);
  button.SetButtonIcon(IDB_ICON_OK, UINT(-1));
  ASSERT_TRUE(button.SkinIsValid());
  for (int state = 0; state < kCommonButtonStateCount; ++state)
    EXPECT_EQ(skin.State(state).GetIcon(), skin.State(COMMON_BUTTON_NORMAL).GetIcon());
  Paint(button, 0, false);
  EXPECT_NE(MiddlePixel(button.m_hWnd), plain) << "icon drawn";

  button.SetButtonIcon(IDB_ICON_OK, IDB_ICON_OK_DISABLED);
  EXPECT_NE(skin.State(COMMON_BUTTON_DISABLED).GetIcon(), skin.State(COMMON_BUTTON_NORMAL).GetIcon());
  ASSERT_TRUE(skin.State(COMMON_BUTTON_DISABLED).GetIcon());
}

TEST_F(ButtonLookTest, MissingIconPaintsThePlaceholderAndStillClicks) {
  ProbeButton& button = AddButton(101);
  Paint(button, 0, false);
  const uint32_t before = MiddlePixel(button.m_hWnd);
  button.SetButtonIcon(1, UINT(-1));  // no such picture
  EXPECT_FALSE(button.SkinIsValid());
  Paint(button, 0, false);
  EXPECT_NE(MiddlePixel(button.m_hWnd), before);
  const POINT centre = Centre(button.m_hWnd);
  talix::host::Click(centre.x, centre.y);
  Settle();
  EXPECT_EQ(TakeNotifications().size(), 1u);
}

TEST_F(ButtonLookTest, NoWindowMeansNoSkin) {
  CQuorCommonButtonCtrl button;
  RECT rect{0, 0, 10, 10};
  CQuorLib::SetResourceInstance(nullptr);
  // A child without a parent cannot be made.
  EXPECT_EQ(button.Create(nullptr, rect, 1, WS_CHILD, 0, COMMON_BUTTON_SMALL), nullptr);
  EXPECT_EQ(button.GetSkin(), nullptr);
  EXPECT_EQ(CQuorLib::GetResourceInstance(), nullptr) << "the resource instance is restored";
  RECT generic{0, 0, 10, 10};
  EXPECT_EQ(button.Create(u"Button", parent_, generic, u"", 1, WS_CHILD, 0, nullptr), nullptr)
      << "the generic Create makes nothing";
}

TEST_F(ButtonLookTest, HundredButtonsLeaveNothingBehind) {
  for (int i = 0; i < 100; ++i) {
    auto button = std::make_unique<CQuorCommonButtonCtrl>();
    RECT rect{10, 10, 0, 0};
    ASSERT_TRUE(button->Create(parent_, rect, 9, WS_CHILD | WS_VISIBLE, 0,
                               ECommonButtonSize(i % 3)));
    button->SetButtonIcon(IDB_ICON_HELP, i % 2 ? UINT(-1) : IDB_ICON_HELP_DISABLED);
    if (i % 3 == 0) button->SetTooltip(u"Help");
    UpdateWindow(button->m_hWnd);
    if (i % 4 == 0) DestroyWindow(button->m_hWnd);  // the window may go first
  }
  Settle();
  // TearDown compares windows, GDI objects and cached pictures with the start.
}

}  // namespace
}  // namespace buttontest
