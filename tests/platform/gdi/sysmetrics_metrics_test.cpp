// System metrics: screen sizes from the virtual screen, DPI scaling, unknown indices and
// host overrides.
#include <talix/host_screen.h>
#include <talix/host_sysmetrics.h>
#include <win/sysmetrics.h>

#include <gtest/gtest.h>

namespace {

class SystemMetricsTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = talix::host::GetScreenParams(); }
  void TearDown() override {
    talix::host::SetScreenParams(saved_);
    talix::host::ClearSystemMetricOverrides();
  }

  static void UseScreen(int width, int height, int dpi) {
    talix::host::ScreenParams p;
    p.width = width;
    p.height = height;
    p.dpi = dpi;
    p.workArea = RECT{};  // the screen less the task-bar band
    talix::host::SetScreenParams(p);
  }

 private:
  talix::host::ScreenParams saved_;
};

TEST_F(SystemMetricsTest, ScreenMetricsFollowTheVirtualScreen) {
  UseScreen(1024, 768, 96);
  const RECT work = talix::host::GetScreenParams().workArea;
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
  EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYVIRTUALSCREEN), 768);
  EXPECT_EQ(GetSystemMetrics(SM_XVIRTUALSCREEN), 0);
  EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 1);
  EXPECT_EQ(GetSystemMetrics(SM_CXFULLSCREEN), work.right - work.left);
  EXPECT_EQ(GetSystemMetrics(SM_CYFULLSCREEN),
            work.bottom - work.top - GetSystemMetrics(SM_CYCAPTION));
  EXPECT_EQ(GetSystemMetrics(SM_CXMAXIMIZED),
            work.right - work.left + 2 * GetSystemMetrics(SM_CXFRAME));

  UseScreen(800, 600, 96);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800) << "read afresh after a change";
}

TEST_F(SystemMetricsTest, SizesScaleWithDpiAndHairlinesDoNot) {
  struct Case {
    int index;
    int at96, at120, at144, at192;
  } cases[] = {
      {SM_CXICON, 32, 40, 48, 64},      {SM_CYSMICON, 16, 20, 24, 32},
      {SM_CXVSCROLL, 17, 21, 26, 34},   {SM_CYCAPTION, 19, 24, 29, 38},
      {SM_CXMENUCHECK, 13, 16, 20, 26}, {SM_CYMENU, 19, 24, 29, 38},
      {SM_CXBORDER, 1, 1, 1, 1},        {SM_CYEDGE, 2, 2, 2, 2},
      {SM_CXFRAME, 4, 4, 4, 4},         {SM_CXDLGFRAME, 3, 3, 3, 3},
      {SM_CXCURSOR, 32, 32, 32, 32},    {SM_CXDOUBLECLK, 4, 4, 4, 4},
      {SM_CXDRAG, 4, 4, 4, 4},
  };
  for (const Case& c : cases) {
    int dpis[] = {96, 120, 144, 192};
    int expected[] = {c.at96, c.at120, c.at144, c.at192};
    for (int i = 0; i < 4; ++i) {
      UseScreen(1280, 1024, dpis[i]);
      EXPECT_EQ(GetSystemMetrics(c.index), expected[i])
          << "metric " << c.index << " at " << dpis[i];
    }
  }
}

TEST_F(SystemMetricsTest, SettingsAndUnknownIndices) {
  EXPECT_EQ(GetSystemMetrics(SM_SWAPBUTTON), 0);
  EXPECT_EQ(GetSystemMetrics(SM_MOUSEPRESENT), 1);
  EXPECT_GE(GetSystemMetrics(SM_CMOUSEBUTTONS), 2);
  EXPECT_EQ(GetSystemMetrics(SM_MIDEASTENABLED), 0);
  for (int index : {-1, 64, 85, SM_CMETRICS, 5000, 0x2100})
    EXPECT_EQ(GetSystemMetrics(index), 0) << index;
}

TEST_F(SystemMetricsTest, HostOverridesWinUntilCleared) {
  ASSERT_TRUE(talix::host::SetSystemMetricOverride(SM_MIDEASTENABLED, 1));
  ASSERT_TRUE(talix::host::SetSystemMetricOverride(SM_CXICON, 48));
  EXPECT_EQ(GetSystemMetrics(SM_MIDEASTENABLED), 1);
  EXPECT_EQ(GetSystemMetrics(SM_CXICON), 48);
  EXPECT_EQ(GetSystemMetrics(SM_CYICON), 32) << "only the overridden index changes";
  EXPECT_FALSE(talix::host::SetSystemMetricOverride(SM_CMETRICS, 1));
  EXPECT_FALSE(talix::host::SetSystemMetricOverride(-1, 1));
  talix::host::ClearSystemMetricOverrides();
  EXPECT_EQ(GetSystemMetrics(SM_MIDEASTENABLED), 0);
  EXPECT_EQ(GetSystemMetrics(SM_CXICON), 32);
}

}  // namespace
