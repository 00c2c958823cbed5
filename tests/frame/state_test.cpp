// CQuorLib's state: defaults, OS flags, scale factors, layout.
#include "frame/LibraryExports.h"
#include "frame/QuorLib.h"

#include <gtest/gtest.h>
#include <talix/host_screen.h>
#include <talix/host_sysinfo.h>

namespace {

class QuorLibState : public ::testing::Test {
 protected:
  void TearDown() override {
    talix::host::ResetOsVersion();
    talix::host::SetScreenParams(talix::host::ScreenParams{});
    CQuorLib::m_ScaleX = CQuorLib::m_ScaleY = 1.0;
    CQuorLib::m_IsWindows9x = CQuorLib::m_IsWindowsXP = false;
    CQuorLib::m_dwLayout = 0;
  }
};

TEST_F(QuorLibState, DefaultsBeforeInit) {
  EXPECT_EQ(CQuorLib::GetScaleX(), 1.0);
  EXPECT_EQ(CQuorLib::GetScaleY(), 1.0);
  EXPECT_FALSE(CQuorLib::IsWindows9x());
  EXPECT_FALSE(CQuorLib::IsWindowsXP());
  EXPECT_EQ(CQuorLib::GetLayout(), 0u);
  EXPECT_EQ(CQuorLib::GetInstance(), nullptr);
}

TEST_F(QuorLibState, InitStoresInstancesAndOsFlagsFollowTheVersion) {
  struct Case {
    DWORD major, minor, platform;
    bool xp, win9x;
  };
  const Case cases[] = {
      {5, 0, 2, false, false}, {5, 1, 2, true, false}, {5, 2, 2, true, false},
      {6, 0, 2, false, false}, {6, 1, 2, true, false}, {4, 10, 1, false, true},
  };
  auto inst = reinterpret_cast<HINSTANCE>(0x1234);
  auto res = reinterpret_cast<HINSTANCE>(0x5678);
  for (const Case& c : cases) {
    talix::host::SetOsVersion({c.major, c.minor, c.platform});
    CQuorLib::Init(inst, res);
    EXPECT_EQ(CQuorLib::IsWindowsXP(), c.xp) << c.major << "." << c.minor;
    EXPECT_EQ(CQuorLib::IsWindows9x(), c.win9x) << c.major << "." << c.minor;
  }
  EXPECT_EQ(CQuorLib::GetInstance(), inst);
  EXPECT_EQ(CQuorLib::GetResourceInstance(), res);
}

TEST_F(QuorLibState, ScaleFactorsAt96DpiAreExactlyOne) {
  talix::host::ScreenParams params;
  params.dpi = 96;
  params.systemFontWidth = 9;  // ignored at 96 DPI
  params.systemFontHeight = 22;
  talix::host::SetScreenParams(params);
  CQuorLib::m_ScaleX = CQuorLib::m_ScaleY = 3.0;
  CQuorLib::Init(nullptr, nullptr);
  EXPECT_EQ(CQuorLib::GetScaleX(), 1.0);
  EXPECT_EQ(CQuorLib::GetScaleY(), 1.0);
}

// Away from 96 DPI the system font's cell decides; when the font cannot be read, the
// factors stay those of the DPI and never drop to 0.
TEST_F(QuorLibState, ScaleFactorsAt120DpiFollowTheSystemFont) {
  talix::host::ScreenParams params;
  params.dpi = 120;
  params.systemFontWidth = 8;
  params.systemFontHeight = 20;
  talix::host::SetScreenParams(params);
  unsigned char font[92] = {};
  bool fontReadable = GetObjectW(GetStockObject(SYSTEM_FONT), sizeof(font), font) == static_cast<int>(sizeof(font));
  CQuorLib::Init(nullptr, nullptr);
  if (fontReadable) {
    EXPECT_DOUBLE_EQ(CQuorLib::GetScaleX(), 8.0 / 7.0);
  } else {
    EXPECT_DOUBLE_EQ(CQuorLib::GetScaleX(), 1.25);
  }
  EXPECT_DOUBLE_EQ(CQuorLib::GetScaleY(), 1.25);
}

TEST_F(QuorLibState, SetLayoutReturnsThePreviousLayout) {
  EXPECT_EQ(CQuorLib::SetLayout(1), 0u);
  EXPECT_EQ(CQuorLib::GetLayout(), 1u);
  EXPECT_EQ(CQuorLib::SetLayout(0), 1u);
  EXPECT_EQ(CQuorLib::SetLayout(7), 0u);
  EXPECT_EQ(CQuorLib::GetLayout(), 7u);
}

TEST_F(QuorLibState, AutoScaleAndCreateFontIndirect) {
  CQuorLib::SetAutoScale(true);
  EXPECT_TRUE(CQuorLib::GetAutoScale());
  CQuorLib::SetAutoScale(false);
  EXPECT_FALSE(CQuorLib::GetAutoScale());
  unsigned char logFont[92] = {};
  EXPECT_EQ(TALIX_CreateFontIndirect(nullptr), nullptr);
  EXPECT_EQ(TALIX_CreateFontIndirect(logFont), nullptr);
}

}  // namespace
