// The tool records: the TOOLINFOW sizes, callback and resource text, reading tools back,
// the subclass of TTF_SUBCLASS tools, and the delay settings.
#include "tooltip_fixture.h"

#include "tooltip_ids.h"

namespace talix::testing {
namespace {

struct SizeCase {
  const char* name;
  UINT cbSize;
  bool accepted;
  bool keepsLParam;
};

class TooltipInfoSizeTest : public TooltipTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(TooltipInfoSizeTest, RecordsOfEveryVersionAreReadAndWrittenWithinTheirSize) {
  const SizeCase& c = GetParam();
  ASSERT_EQ(AddTool(tool_, kToolId, TTF_CENTERTIP, u"Sized", c.cbSize, 0x1234), c.accepted);
  EXPECT_EQ(SendMessageW(tip_, TTM_GETTOOLCOUNT, 0, 0), c.accepted ? 1 : 0);
  if (!c.accepted) return;
  WCHAR buffer[80] = {};
  TTTOOLINFOW out = Info(tool_, kToolId, c.cbSize);
  out.lpszText = buffer;
  out.lParam = 0x5555;
  out.lpReserved = &out;
  ASSERT_TRUE(SendMessageW(tip_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&out)));
  EXPECT_EQ(std::u16string(buffer), u"Sized");
  EXPECT_EQ(out.uFlags, UINT(TTF_CENTERTIP));
  EXPECT_EQ(out.lParam, c.keepsLParam ? 0x1234 : 0x5555);
  EXPECT_EQ(out.lpReserved, &out) << "written beyond the record's size";
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, TooltipInfoSizeTest,
    ::testing::Values(SizeCase{"V1", TTTOOLINFOW_V1_SIZE, true, false},
                      SizeCase{"V2", TTTOOLINFOW_V2_SIZE, true, true},
                      SizeCase{"V3", TTTOOLINFOW_V3_SIZE, true, true},
                      SizeCase{"TooSmall", TTTOOLINFOW_V1_SIZE - 1, false, false},
                      SizeCase{"Zero", 0, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TooltipTest, MessagesWithoutTheirRecordAreRefused) {
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS, u"Kept"));
  const UINT kMessages[] = {TTM_ADDTOOLW, TTM_DELTOOLW, TTM_NEWTOOLRECTW, TTM_GETTOOLINFOW,
                            TTM_SETTOOLINFOW, TTM_HITTESTW, TTM_GETTEXTW, TTM_UPDATETIPTEXTW,
                            TTM_ENUMTOOLSW, TTM_GETBUBBLESIZE, TTM_TRACKACTIVATE,
                            TTM_RELAYEVENT, TTM_SETMARGIN, TTM_GETMARGIN, TTM_SETTITLEW,
                            TTM_GETTITLE, TTM_ADJUSTRECT, TTM_WINDOWFROMPOINT};
  for (UINT msg : kMessages) EXPECT_EQ(SendMessageW(tip_, msg, 1, 0), 0) << std::hex << msg;
  EXPECT_EQ(SendMessageW(tip_, TTM_GETTOOLCOUNT, 0, 0), 1);
  EXPECT_EQ(TextOf(tool_, kToolId), u"Kept");
}

TEST_F(TooltipTest, ToolsAreFoundByWindowAndIdAndRemovedOneByOne) {
  ASSERT_TRUE(AddTool(parent_, 1, 0, u"One"));
  TTTOOLINFOW second{};
  second.cbSize = TTTOOLINFOW_V2_SIZE;
  second.hwnd = parent_;
  second.uId = 2;
  second.rect = RECT{200, 100, 300, 150};
  second.lpszText = const_cast<LPWSTR>(u"Two");
  ASSERT_TRUE(SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&second)));
  EXPECT_EQ(SendMessageW(tip_, TTM_GETTOOLCOUNT, 0, 0), 2);

  TTHITTESTINFOW hit{parent_, POINT{250, 120}, Info(nullptr, 0)};
  ASSERT_TRUE(SendMessageW(tip_, TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit)));
  EXPECT_EQ(hit.ti.uId, 1u) << "the first tool added covers the whole client area";
  TTTOOLINFOW shrink = Info(parent_, 1);
  shrink.rect = RECT{0, 0, 50, 50};
  SendMessageW(tip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&shrink));
  ASSERT_TRUE(SendMessageW(tip_, TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit)));
  EXPECT_EQ(hit.ti.uId, 2u);
  hit.pt = POINT{390, 290};
  EXPECT_FALSE(SendMessageW(tip_, TTM_HITTESTW, 0, reinterpret_cast<LPARAM>(&hit)));

  TTTOOLINFOW listed = Info(nullptr, 0);
  ASSERT_TRUE(SendMessageW(tip_, TTM_ENUMTOOLSW, 1, reinterpret_cast<LPARAM>(&listed)));
  EXPECT_EQ(listed.uId, 2u);
  EXPECT_FALSE(SendMessageW(tip_, TTM_ENUMTOOLSW, 2, reinterpret_cast<LPARAM>(&listed)));

  TTTOOLINFOW one = Info(parent_, 1);
  SendMessageW(tip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&one));
  EXPECT_EQ(SendMessageW(tip_, TTM_GETTOOLCOUNT, 0, 0), 1);
  EXPECT_FALSE(SendMessageW(tip_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&one)));
  EXPECT_EQ(TextOf(parent_, 2), u"Two");
}

TEST_F(TooltipTest, TextChangesAndShortBuffersAreCutAndTerminated) {
  ASSERT_TRUE(AddTool(tool_, kToolId, 0, u"Before"));
  TTTOOLINFOW ti = Info(tool_, kToolId);
  ti.lpszText = const_cast<LPWSTR>(u"After the update");
  SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
  EXPECT_EQ(TextOf(tool_, kToolId), u"After the update");
  WCHAR small[6];
  ti.lpszText = small;
  SendMessageW(tip_, TTM_GETTEXTW, 6, reinterpret_cast<LPARAM>(&ti));
  EXPECT_EQ(std::u16string(small), u"After");
}

TEST_F(TooltipTest, StringResourceToolLoadsItsText) {
  ASSERT_TRUE(AddTool(tool_, kToolId, 0, MAKEINTRESOURCEW(IDS_TOOL_TEXT)));
  EXPECT_EQ(TextOf(tool_, kToolId), u"Text from the string table");
}

// TTN_GETDISPINFOW is asked each time the text is needed, unless the owner sets
// TTF_DI_SETITEM; answers in szText and as a string resource both count.
TEST_F(TooltipTest, CallbackTextIsAskedForAndKeptWithSetItem) {
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS, LPSTR_TEXTCALLBACKW));
  Host().dispText = u"From the owner";
  EXPECT_EQ(TextOf(tool_, kToolId), u"From the owner");
  Host().dispResource = IDS_TOOL_TEXT;
  EXPECT_EQ(TextOf(tool_, kToolId), u"Text from the string table");
  EXPECT_EQ(Codes(TakeNotices()), (std::vector<UINT>{TTN_GETDISPINFOW, TTN_GETDISPINFOW}));

  Host().dispResource = 0;
  Host().dispText = u"Kept";
  Host().dispFlags = TTF_DI_SETITEM;
  HoverUntilShown(tool_);
  ASSERT_TRUE(TipVisible());
  Host().dispText = u"Not asked again";
  EXPECT_EQ(TextOf(tool_, kToolId), u"Kept");
  TTTOOLINFOW ti = Info(tool_, kToolId);
  WCHAR buffer[80];
  ti.lpszText = buffer;
  SendMessageW(tip_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti));
  EXPECT_EQ(std::u16string(buffer), u"Kept");
  EXPECT_EQ(Codes(TakeNotices()), (std::vector<UINT>{TTN_GETDISPINFOW, TTN_SHOW, NM_CUSTOMDRAW}));
}

TEST_F(TooltipTest, EmptyTextShowsNoTip) {
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS, LPSTR_TEXTCALLBACKW));
  Host().dispText = u"";
  HoverUntilShown(tool_);
  EXPECT_FALSE(TipVisible());
  EXPECT_EQ(Codes(TakeNotices()), std::vector<UINT>{TTN_GETDISPINFOW});
}

// A second subclass of the tool window, put on after the tooltip's.
WNDPROC g_beneath = nullptr;
int g_outerMessages = 0;
LRESULT CALLBACK OuterSubclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_MOUSEMOVE) ++g_outerMessages;
  return CallWindowProcW(g_beneath, hwnd, msg, wParam, lParam);
}

TEST_F(TooltipTest, SubclassRelaysInputAndIsRemovedWithTheTool) {
  WNDPROC original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(tool_, GWLP_WNDPROC));
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS, u"Watched"));
  ASSERT_TRUE(AddTool(tool_, kSecondId, TTF_SUBCLASS, u"Also"));
  EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(tool_, GWLP_WNDPROC)), original);
  MoveTo(tool_, 10, 10);
  EXPECT_EQ(Host().mouseMessages, std::vector<UINT>{WM_MOUSEMOVE})
      << "the tool's own procedure still gets its input";
  TTTOOLINFOW first = Info(tool_, kToolId);
  SendMessageW(tip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&first));
  EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(tool_, GWLP_WNDPROC)), original)
      << "the second tool still needs the subclass";
  TTTOOLINFOW second = Info(tool_, kSecondId);
  SendMessageW(tip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&second));
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(tool_, GWLP_WNDPROC)), original);
}

TEST_F(TooltipTest, RemovingTheSubclassUnderAnotherOneKeepsBothWorking) {
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS, u"Watched"));
  g_outerMessages = 0;
  g_beneath = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(tool_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OuterSubclass)));
  TTTOOLINFOW ti = Info(tool_, kToolId);
  SendMessageW(tip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(tool_, GWLP_WNDPROC)), OuterSubclass);
  MoveTo(tool_, 10, 10);
  Advance(InitialDelay());
  EXPECT_EQ(g_outerMessages, 1);
  EXPECT_EQ(Host().mouseMessages, std::vector<UINT>{WM_MOUSEMOVE});
  EXPECT_FALSE(TipVisible());
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS, u"Again"));
  MoveTo(tool_, 12, 10);
  Advance(InitialDelay());
  EXPECT_TRUE(TipVisible()) << "watching again reuses the subclass still in the chain";
}

TEST_F(TooltipTest, DestroyingTheTooltipRestoresTheToolWindow) {
  WNDPROC original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(tool_, GWLP_WNDPROC));
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS, u"Watched"));
  DestroyWindow(tip_);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(tool_, GWLP_WNDPROC)), original);
  MoveTo(tool_, 10, 10);
  EXPECT_EQ(Host().mouseMessages, std::vector<UINT>{WM_MOUSEMOVE});
}

TEST_F(TooltipTest, SetToolInfoReplacesTheToolAndItsSubclass) {
  WNDPROC original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(tool_, GWLP_WNDPROC));
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS, u"Before"));
  TTTOOLINFOW ti = Info(tool_, kToolId);
  ti.uFlags = TTF_CENTERTIP;
  GetClientRect(tool_, &ti.rect);
  ti.lpszText = const_cast<LPWSTR>(u"After");
  SendMessageW(tip_, TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti));
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(tool_, GWLP_WNDPROC)), original);
  EXPECT_EQ(TextOf(tool_, kToolId), u"After");
  ti.uFlags = TTF_SUBCLASS;
  SendMessageW(tip_, TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti));
  HoverUntilShown(tool_);
  EXPECT_TRUE(TipVisible());
}

TEST_F(TooltipTest, NewTextOfTheShownTipResizesIt) {
  ASSERT_TRUE(AddTool(tool_, kToolId, TTF_SUBCLASS, u"Short"));
  HoverUntilShown(tool_);
  ASSERT_TRUE(TipVisible());
  RECT before = TipRect();
  TTTOOLINFOW ti = Info(tool_, kToolId);
  ti.lpszText = const_cast<LPWSTR>(u"A much longer text than before");
  SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
  RECT after = TipRect();
  EXPECT_GT(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
}

TEST_F(TooltipTest, DelaysFollowTheDoubleClickTimeUntilSet) {
  auto delays = [&] {
    return std::vector<LRESULT>{SendMessageW(tip_, TTM_GETDELAYTIME, TTDT_INITIAL, 0),
                                SendMessageW(tip_, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0),
                                SendMessageW(tip_, TTM_GETDELAYTIME, TTDT_RESHOW, 0)};
  };
  UINT saved = GetDoubleClickTime();
  SetDoubleClickTime(400);
  EXPECT_EQ(delays(), (std::vector<LRESULT>{400, 4000, 80}));
  SendMessageW(tip_, TTM_SETDELAYTIME, TTDT_AUTOMATIC, 1000);
  EXPECT_EQ(delays(), (std::vector<LRESULT>{1000, 10000, 200}));
  SendMessageW(tip_, TTM_SETDELAYTIME, TTDT_RESHOW, 30);
  SendMessageW(tip_, TTM_SETDELAYTIME, TTDT_INITIAL, -1);
  EXPECT_EQ(delays(), (std::vector<LRESULT>{400, 10000, 30}));
  SendMessageW(tip_, TTM_SETDELAYTIME, TTDT_AUTOMATIC, -1);
  EXPECT_EQ(delays(), (std::vector<LRESULT>{400, 4000, 80}));
  SetDoubleClickTime(saved);
}

TEST_F(TooltipTest, SettingsReadBackAsSet) {
  RECT margin{1, 2, 3, 4}, got{};
  SendMessageW(tip_, TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margin));
  SendMessageW(tip_, TTM_GETMARGIN, 0, reinterpret_cast<LPARAM>(&got));
  EXPECT_TRUE(got.left == 1 && got.top == 2 && got.right == 3 && got.bottom == 4);
  EXPECT_EQ(SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, 150), -1);
  EXPECT_EQ(SendMessageW(tip_, TTM_GETMAXTIPWIDTH, 0, 0), 150);
  SendMessageW(tip_, TTM_SETTIPBKCOLOR, RGB(1, 2, 3), 0);
  EXPECT_EQ(COLORREF(SendMessageW(tip_, TTM_GETTIPBKCOLOR, 0, 0)), RGB(1, 2, 3));
  EXPECT_EQ(COLORREF(SendMessageW(tip_, TTM_GETTIPTEXTCOLOR, 0, 0)), GetSysColor(COLOR_INFOTEXT));
  EXPECT_TRUE(SendMessageW(tip_, TTM_SETTITLEW, TTI_INFO, reinterpret_cast<LPARAM>(u"Heading")));
  WCHAR title[4];
  TTGETTITLE query{sizeof(query), 0, 4, title};
  SendMessageW(tip_, TTM_GETTITLE, 0, reinterpret_cast<LPARAM>(&query));
  EXPECT_EQ(query.uTitleBitmap, UINT(TTI_INFO));
  EXPECT_EQ(std::u16string(title), u"Hea");
  HFONT font = reinterpret_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  SendMessageW(tip_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(tip_, WM_GETFONT, 0, 0)), font);
}

}  // namespace
}  // namespace talix::testing
