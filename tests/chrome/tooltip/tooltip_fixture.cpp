#include "tooltip_fixture.h"

#include "frame/QuorLib.h"

namespace tiptest {
namespace {

constexpr const char16_t* kHostClass = u"TalixSkinnedTipHost";

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kProbeMessage) return kProbeAnswer;
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

void TooltipTest::SetUp() {
  talix::host::UseVirtualClock(true);
  talix::host::ResetInput();
  CQuorLib::m_dwLayout = 0;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = HostProc;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = kHostClass;
  ASSERT_NE(RegisterClassExW(&wc), 0);
  // Fonts, brushes and caches made on first use live on: show one tooltip before counting.
  static bool warm = false;
  if (!warm) {
    warm = true;
    HWND top = MakeTop();
    HWND tool = MakeTool(top, 20, kFirstId);
    CQuorTooltip tip;
    tip.SetTooltip(tool, u"warm");
    HoverUntilShown(tool);
    tip.UnregisterToolWindow(tool);
    DestroyWindow(top);
    talix::host::ResetInput();
    Pump();
  }
  for (int i = 0; i <= COLOR_MENUBAR; ++i) GetSysColorBrush(i);
  gdiObjects_ = talix::host::LiveHandles(talix::HandleKind::GdiObject);
  windows_ = talix::host::LiveWindowCount();
  top_ = MakeTop();
  first_ = MakeTool(top_, 20, kFirstId);
  second_ = MakeTool(top_, 200, kSecondId);
  talix::host::MouseMove(0, 0);
  Pump();
}

void TooltipTest::TearDown() {
  if (IsWindow(top_)) {
    EXPECT_EQ(GetPropW(top_, CQuorTooltip::kWindowProperty), nullptr) << "shared window left";
    EXPECT_EQ(GetPropW(top_, CQuorTooltip::kCountProperty), nullptr) << "count left";
    DestroyWindow(top_);
  }
  talix::host::ResetInput();
  Pump();
  UnregisterClassW(kHostClass, nullptr);
  CQuorLib::m_dwLayout = 0;
  EXPECT_EQ(talix::host::LiveWindowCount(), windows_) << "windows leaked";
  EXPECT_EQ(talix::host::LiveHandles(talix::HandleKind::GdiObject), gdiObjects_)
      << "GDI objects leaked";
}

HWND TooltipTest::MakeTop() {
  HWND hwnd = CreateWindowExW(0, kHostClass, u"top", WS_POPUP | WS_VISIBLE, 100, 100, 400, 200,
                              nullptr, nullptr, nullptr, nullptr);
  EXPECT_TRUE(hwnd);
  SetForegroundWindow(hwnd);
  return hwnd;
}

HWND TooltipTest::MakeTool(HWND parent, int x, int id) {
  HWND hwnd = CreateWindowExW(0, kHostClass, u"tool", WS_CHILD | WS_VISIBLE, x, 20, kToolW,
                              kToolH, parent, HMENU(INT_PTR(id)), nullptr, nullptr);
  EXPECT_TRUE(hwnd);
  return hwnd;
}

void TooltipTest::HoverUntilShown(HWND tool) {
  POINT pt{kToolW / 2, kToolH / 2};
  ClientToScreen(tool, &pt);
  talix::host::MouseMove(pt.x, pt.y);
  Pump();
  HWND tooltip = static_cast<HWND>(GetPropW(GetAncestor(tool, GA_ROOT),
                                            CQuorTooltip::kWindowProperty));
  Advance(tooltip ? UINT(SendMessageW(tooltip, TTM_GETDELAYTIME, TTDT_INITIAL, 0)) : 0);
}

void TooltipTest::Leave(HWND top) {
  POINT pt{390, 190};
  ClientToScreen(top, &pt);
  talix::host::MouseMove(pt.x, pt.y);
  Pump();
  Advance(1000);
}

int TooltipTest::Count(HWND top) {
  auto* count = static_cast<int32_t*>(GetPropW(top, CQuorTooltip::kCountProperty));
  return count ? *count : -1;
}

}  // namespace tiptest
