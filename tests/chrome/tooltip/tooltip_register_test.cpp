// The shared tooltip window's bookkeeping: one per top-level window, counted through the
// top-level window's properties; the tool windows' subclass and the tools as added.
#include "tooltip_fixture.h"

#include "frame/QuorLib.h"

#include <win/wstr.h>

#include <string>

namespace tiptest {
namespace {

TTTOOLINFOW AddedTool(HWND tooltip, HWND window, UINT_PTR id) {
  TTTOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = window;
  info.uId = id;
  EXPECT_TRUE(SendMessageW(tooltip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)))
      << "no tool for the window";
  return info;
}

// The text the tooltip would show now: it asks the tool window for it.
std::u16string ShownText(HWND tooltip, HWND window, UINT_PTR id) {
  WCHAR buffer[80] = {};
  TTTOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V2_SIZE;
  info.hwnd = window;
  info.uId = id;
  info.lpszText = buffer;
  SendMessageW(tooltip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&info));
  return buffer;
}

TEST_F(TooltipTest, ToolsOfOneTopLevelWindowShareOneTooltipUntilTheLastLeaves) {
  WNDPROC own = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(first_, GWLP_WNDPROC));
  CQuorTooltip a, b;
  a.SetTooltip(first_, u"First");
  HWND shared = SharedWindow(top_);
  ASSERT_TRUE(IsWindow(shared));
  b.SetTooltip(second_, u"Second");
  EXPECT_EQ(SharedWindow(top_), shared);
  EXPECT_EQ(Count(top_), 2);
  EXPECT_EQ(ToolCount(shared), 2);
  EXPECT_EQ(GetWindow(shared, GW_OWNER), top_);
  EXPECT_TRUE(GetWindowLongW(shared, GWL_STYLE) & TTS_NOPREFIX);
  EXPECT_TRUE(GetWindowLongW(shared, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_TRUE(GetClassLongW(shared, GCL_STYLE) & CS_DROPSHADOW);
  EXPECT_EQ(GetPropW(first_, CQuorTooltip::kObjectProperty), &a);
  EXPECT_EQ(ShownText(shared, first_, kFirstId), u"First");
  EXPECT_EQ(ShownText(shared, second_, kSecondId), u"Second");
  // Subclassed, the window's own procedure still answers.
  EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(first_, GWLP_WNDPROC)), own);
  EXPECT_EQ(SendMessageW(first_, kProbeMessage, 0, 0), kProbeAnswer);

  a.SetTooltip(first_, nullptr);
  EXPECT_EQ(SharedWindow(top_), shared);
  EXPECT_EQ(Count(top_), 1);
  EXPECT_EQ(ToolCount(shared), 1);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(first_, GWLP_WNDPROC)), own);
  EXPECT_EQ(GetPropW(first_, CQuorTooltip::kObjectProperty), nullptr);
  EXPECT_EQ(GetPropW(first_, CQuorTooltip::kProcedureProperty), nullptr);

  b.UnregisterToolWindow(second_);
  EXPECT_FALSE(IsWindow(shared));
  EXPECT_EQ(SharedWindow(top_), nullptr);
  EXPECT_EQ(Count(top_), -1);
  EXPECT_EQ(SendMessageW(second_, kProbeMessage, 0, 0), kProbeAnswer);
}

TEST_F(TooltipTest, EachTopLevelWindowHasItsOwnTooltip) {
  HWND other = MakeTop();
  HWND otherTool = MakeTool(other, 20, kFirstId);
  CQuorTooltip a, b;
  a.SetTooltip(first_, u"Here");
  b.SetTooltip(otherTool, u"There");
  ASSERT_TRUE(IsWindow(SharedWindow(other)));
  EXPECT_NE(SharedWindow(other), SharedWindow(top_));
  EXPECT_EQ(b.GetTopLevelWindow(), other);
  EXPECT_EQ(Count(other), 1);
  EXPECT_EQ(Count(top_), 1);
  a.UnregisterToolWindow(first_);
  b.UnregisterToolWindow(otherTool);
  EXPECT_EQ(SharedWindow(other), nullptr);
  DestroyWindow(other);
}

TEST_F(TooltipTest, ANewTextOnARegisteredWindowAddsNoSecondTool) {
  CQuorTooltip tip;
  tip.SetTooltip(first_, u"Before");
  tip.SetTooltip(first_, u"After");
  HWND shared = SharedWindow(top_);
  EXPECT_EQ(Count(top_), 1);
  EXPECT_EQ(ToolCount(shared), 1);
  EXPECT_EQ(ShownText(shared, first_, kFirstId), u"After");
  tip.UnregisterToolWindow(first_);
}

TEST_F(TooltipTest, RemovingWhatWasNeverRegisteredChangesNothing) {
  CQuorTooltip a, b;
  a.SetTooltip(first_, u"First");
  b.SetTooltip(second_, nullptr);
  b.UnregisterToolWindow(second_);
  CQuorTooltip never;
  never.UnregisterToolWindow(second_);
  EXPECT_EQ(Count(top_), 1);
  EXPECT_EQ(ToolCount(SharedWindow(top_)), 1);
  a.SetTooltip(first_, nullptr);
  EXPECT_EQ(SharedWindow(top_), nullptr);
}

// The tool as added: its control id over its client area at that moment, text asked for,
// watched through the tooltip's subclass, right-to-left reading in right-to-left layout.
struct AddCase {
  const char* name;
  DWORD layout;
  UINT flags;
};

class TooltipAddTest : public TooltipTest, public ::testing::WithParamInterface<AddCase> {};

TEST_P(TooltipAddTest, AddsTheToolUnderItsControlIdOverItsClientArea) {
  CQuorLib::m_dwLayout = GetParam().layout;
  CQuorTooltip tip;
  tip.SetTooltip(first_, u"Tip");
  TTTOOLINFOW info = AddedTool(SharedWindow(top_), first_, kFirstId);
  EXPECT_EQ(info.uFlags, GetParam().flags);
  EXPECT_EQ(info.lpszText, LPSTR_TEXTCALLBACKW);
  EXPECT_EQ(info.rect.left, 0);
  EXPECT_EQ(info.rect.top, 0);
  EXPECT_EQ(info.rect.right, kToolW);
  EXPECT_EQ(info.rect.bottom, kToolH);
  EXPECT_EQ(info.hinst, GetModuleHandleW(nullptr));
  tip.UnregisterToolWindow(first_);
}

INSTANTIATE_TEST_SUITE_P(Layouts, TooltipAddTest,
                         ::testing::Values(AddCase{"LeftToRight", 0, TTF_SUBCLASS},
                                           AddCase{"RightToLeft", 1, TTF_SUBCLASS | TTF_RTLREADING}),
                         [](const auto& info) { return std::string(info.param.name); });

// A shared window gone with its tools: the next SetTooltip makes a new one with a fresh
// count, and windows registered with the old one are added to it again.
TEST_F(TooltipTest, ATooltipThatDiedIsReplacedWithAFreshCount) {
  CQuorTooltip a, b;
  a.SetTooltip(first_, u"First");
  b.SetTooltip(second_, u"Second");
  HWND old = SharedWindow(top_);
  DestroyWindow(old);
  a.SetTooltip(first_, u"First again");
  HWND shared = SharedWindow(top_);
  ASSERT_TRUE(IsWindow(shared));
  EXPECT_NE(shared, old);
  EXPECT_EQ(Count(top_), 1);
  EXPECT_EQ(ToolCount(shared), 1);
  EXPECT_EQ(ShownText(shared, first_, kFirstId), u"First again");
  // The second window's tool went with the old window: removing it does not count.
  b.UnregisterToolWindow(second_);
  EXPECT_EQ(Count(top_), 1);
  EXPECT_EQ(SendMessageW(second_, kProbeMessage, 0, 0), kProbeAnswer);
  a.UnregisterToolWindow(first_);
  EXPECT_EQ(SharedWindow(top_), nullptr);
}

TEST_F(TooltipTest, AToolWindowDestroyedWhileRegisteredLeavesTheBooks) {
  CQuorTooltip a, b;
  a.SetTooltip(first_, u"First");
  b.SetTooltip(second_, u"Second");
  HWND shared = SharedWindow(top_);
  DestroyWindow(first_);
  EXPECT_EQ(Count(top_), 1);
  EXPECT_EQ(ToolCount(shared), 1);
  DestroyWindow(second_);
  EXPECT_FALSE(IsWindow(shared));
  EXPECT_EQ(Count(top_), -1);
}

TEST_F(TooltipTest, ACopyOwnsItsTextAndServesNoWindowOfItsOwn) {
  CQuorTooltip original;
  original.SetTooltip(first_, u"Original");
  {
    CQuorTooltip copy(original);
    ASSERT_NE(copy.GetText(), nullptr);
    EXPECT_NE(copy.GetText(), original.GetText());
    EXPECT_EQ(std::u16string(copy.GetText()), u"Original");
    CQuorTooltip assigned;
    assigned = copy;
    EXPECT_EQ(std::u16string(assigned.GetText()), u"Original");
    const CQuorTooltip& same = assigned;
    assigned = same;
    EXPECT_EQ(std::u16string(assigned.GetText()), u"Original");
  }
  EXPECT_EQ(std::u16string(original.GetText()), u"Original");
  EXPECT_EQ(GetPropW(first_, CQuorTooltip::kObjectProperty), &original);
  original.UnregisterToolWindow(first_);
}

TEST_F(TooltipTest, RegisteringAndRemovingAHundredTimesLeavesNothingBehind) {
  for (int i = 0; i < 100; ++i) {
    HWND top = MakeTop();
    HWND tool = MakeTool(top, 20, kFirstId);
    auto* tip = new CQuorTooltip;
    tip->SetTooltip(tool, u"Again");
    if (i % 2) tip->UnregisterToolWindow(tool);
    DestroyWindow(top);  // the odd ones leave through the tool window's destruction
    delete tip;
  }
  Pump();
}

}  // namespace
}  // namespace tiptest
