#include "sysparams_fixture.h"

#include <string>
#include <vector>

namespace talix::sysparams::testing {
namespace {

class MonitorTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    SetScreen(800, 600, 96, RECT{0, 0, 800, 560});
    primary_ = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTONULL);
    ASSERT_NE(primary_, nullptr);
  }
  HMONITOR primary_ = nullptr;
};

struct FlagCase {
  DWORD flags;
  bool outsideGivesPrimary;
};
constexpr FlagCase kFlags[] = {{MONITOR_DEFAULTTONULL, false},
                               {MONITOR_DEFAULTTOPRIMARY, true},
                               {MONITOR_DEFAULTTONEAREST, true}};

TEST_F(MonitorTest, PointsAndRectanglesOnOrOffTheScreen) {
  struct Where {
    RECT rect;  // a point when empty: its top-left corner
    bool on;
  };
  const Where places[] = {
      {{10, 10, 20, 20}, true},       {{-50, -50, 1, 1}, true},   // overlaps the corner
      {{790, 590, 900, 700}, true},   {{800, 0, 900, 100}, false}, // touches the right edge only
      {{-100, -100, 0, 0}, false},    {{5000, 5000, 5100, 5100}, false},
      {{799, 599, 799, 599}, true},   {{800, 600, 800, 600}, false}};
  for (const FlagCase& f : kFlags) {
    for (const Where& w : places) {
      HMONITOR expected = w.on || f.outsideGivesPrimary ? primary_ : nullptr;
      EXPECT_EQ(MonitorFromRect(&w.rect, f.flags), expected)
          << f.flags << " " << w.rect.left << "," << w.rect.top;
      if (w.rect.left == w.rect.right) {
        EXPECT_EQ(MonitorFromPoint(POINT{w.rect.left, w.rect.top}, f.flags), expected);
      }
    }
  }
}

TEST_F(MonitorTest, WindowsAreFoundByTheirRectangle) {
  HWND on = CreateWindowExW(0, u"Static", u"", WS_POPUP, 100, 100, 50, 50, nullptr, nullptr,
                            nullptr, nullptr);
  HWND off = CreateWindowExW(0, u"Static", u"", WS_POPUP, 3000, 3000, 50, 50, nullptr, nullptr,
                             nullptr, nullptr);
  ASSERT_NE(on, nullptr);
  ASSERT_NE(off, nullptr);
  for (const FlagCase& f : kFlags) {
    EXPECT_EQ(MonitorFromWindow(on, f.flags), primary_);
    EXPECT_EQ(MonitorFromWindow(off, f.flags), f.outsideGivesPrimary ? primary_ : nullptr);
  }
  DestroyWindow(on);
  DestroyWindow(off);
  EXPECT_EQ(MonitorFromWindow(on, MONITOR_DEFAULTTONEAREST), nullptr);  // no longer a window
}

TEST_F(MonitorTest, InfoHasTheScreenAndWorkAreaForBothStructureSizes) {
  MONITORINFOEXW info{};
  info.cbSize = sizeof(MONITORINFO);
  info.szDevice[0] = u'?';
  ASSERT_TRUE(GetMonitorInfoW(primary_, &info));
  EXPECT_TRUE(SameRect(info.rcMonitor, RECT{0, 0, 800, 600}));
  EXPECT_TRUE(SameRect(info.rcWork, RECT{0, 0, 800, 560}));
  EXPECT_EQ(info.dwFlags, DWORD(MONITORINFOF_PRIMARY));
  EXPECT_EQ(info.szDevice[0], u'?');  // beyond the short structure: untouched

  info.cbSize = sizeof info;
  ASSERT_TRUE(GetMonitorInfoW(primary_, &info));
  EXPECT_EQ(std::u16string(info.szDevice), u"\\\\.\\DISPLAY1");

  // The work area set through the system parameters shows here as well.
  RECT area{0, 0, 600, 400};
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETWORKAREA, 0, &area, 0));
  ASSERT_TRUE(GetMonitorInfoW(primary_, &info));
  EXPECT_TRUE(SameRect(info.rcWork, area));
  EXPECT_TRUE(SameRect(info.rcMonitor, RECT{0, 0, 800, 600}));
}

TEST_F(MonitorTest, InfoRejectsBadSizesAndHandles) {
  const DWORD sizes[] = {0, sizeof(MONITORINFO) - 1, sizeof(MONITORINFO) + 1,
                         sizeof(MONITORINFOEXW) + 4};
  for (DWORD size : sizes) {
    MONITORINFOEXW info{};
    info.cbSize = size;
    SetLastError(0);
    EXPECT_FALSE(GetMonitorInfoW(primary_, &info)) << size;
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(info.rcMonitor.right, 0);
  }
  MONITORINFO info{};
  info.cbSize = sizeof info;
  EXPECT_FALSE(GetMonitorInfoW(nullptr, &info));
  EXPECT_FALSE(GetMonitorInfoW(reinterpret_cast<HMONITOR>(uintptr_t(primary_) + 1), &info));
  EXPECT_FALSE(GetMonitorInfoW(primary_, nullptr));
}

struct Enumerated {
  std::vector<RECT> rects;
  std::vector<HMONITOR> monitors;
  BOOL answer = TRUE;
};

BOOL CALLBACK Collect(HMONITOR monitor, HDC, LPRECT rect, LPARAM data) {
  auto* seen = reinterpret_cast<Enumerated*>(data);
  seen->monitors.push_back(monitor);
  seen->rects.push_back(*rect);
  return seen->answer;
}

TEST_F(MonitorTest, EnumerationReportsTheClippedScreen) {
  struct ClipCase {
    bool clip;
    RECT rect;
    size_t calls;
    RECT reported;
  };
  const ClipCase cases[] = {{false, {}, 1, {0, 0, 800, 600}},
                            {true, {-10, 100, 300, 900}, 1, {0, 100, 300, 600}},
                            {true, {900, 0, 1000, 100}, 0, {}}};
  for (const ClipCase& c : cases) {
    Enumerated seen;
    EXPECT_TRUE(EnumDisplayMonitors(nullptr, c.clip ? &c.rect : nullptr, Collect,
                                    reinterpret_cast<LPARAM>(&seen)));
    ASSERT_EQ(seen.rects.size(), c.calls);
    if (c.calls) {
      EXPECT_EQ(seen.monitors[0], primary_);
      EXPECT_TRUE(SameRect(seen.rects[0], c.reported));
    }
  }
  EXPECT_FALSE(EnumDisplayMonitors(nullptr, nullptr, nullptr, 0));
}

TEST_F(MonitorTest, EnumerationWithADcReportsItsVisiblePart) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(64, 32, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  Enumerated seen;
  RECT clip{10, -5, 100, 20};
  EXPECT_TRUE(EnumDisplayMonitors(dc, &clip, Collect, reinterpret_cast<LPARAM>(&seen)));
  ASSERT_EQ(seen.rects.size(), 1u);
  EXPECT_TRUE(SameRect(seen.rects[0], RECT{10, 0, 64, 20}));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

}  // namespace
}  // namespace talix::sysparams::testing
