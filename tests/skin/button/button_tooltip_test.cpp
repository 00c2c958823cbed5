// The button's tooltip: shown with the host's text while the cursor rests on the button,
// the button keeping its hover look under the tooltip's procedure, and gone with the
// button.
#include "button_fixture.h"

#include "chrome/QuorTooltip.h"

#include <win/commctrl.h>

#include <string>

namespace buttontest {
namespace {

class ButtonTooltipTest : public ButtonTest {
 protected:
  void SetUp() override {
    talix::host::UseVirtualClock(true);
    ButtonTest::SetUp();
  }
  void TearDown() override {
    ButtonTest::TearDown();
    talix::host::UseVirtualClock(false);
  }
  HWND SharedTooltip() const {
    return static_cast<HWND>(GetPropW(parent_, CQuorTooltip::kWindowProperty));
  }
};

TEST_F(ButtonTooltipTest, ShowsTheTextOnHoverAndGoesWithTheButton) {
  ProbeButton& button = AddButton(101);
  button.SetTooltip(u"Open the file");
  const HWND shared = SharedTooltip();
  ASSERT_TRUE(shared);
  EXPECT_EQ(std::u16string(button.GetTooltip().GetText()), u"Open the file");

  const POINT centre = Centre(button.m_hWnd);
  talix::host::MouseMove(centre.x, centre.y);
  Settle();
  talix::host::AdvanceClock(UINT(SendMessageW(shared, TTM_GETDELAYTIME, TTDT_INITIAL, 0)));
  Settle();
  EXPECT_TRUE(IsWindowVisible(shared));
  EXPECT_EQ(button.GetGraphicalState(), COMMON_BUTTON_HOT);

  // A click still gets through the tooltip's procedure.
  talix::host::Click(centre.x, centre.y);
  Settle();
  EXPECT_EQ(TakeNotifications().size(), 1u);

  DestroyWindow(button.m_hWnd);
  Settle();
  EXPECT_EQ(SharedTooltip(), nullptr) << "the last tool took the shared tooltip with it";
}

}  // namespace
}  // namespace buttontest
