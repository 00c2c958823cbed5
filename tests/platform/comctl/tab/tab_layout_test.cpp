// Tab geometry: sizes from the font and the settings, TCM_ADJUSTRECT both ways, rows of
// a multi-line control with the selected row against the panel, and TCM_HITTEST over
// every tab.
#include "tab_fixture.h"

#include <algorithm>
#include <map>

namespace talix::testing {
namespace {

using TabLayoutTest = TabTest;

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

TEST_F(TabLayoutTest, SizesComeFromTheTextAndTheSettings) {
  const SIZE one = TextSize(u"One"), longer = TextSize(u"A longer label");
  struct Case {
    const char* what;
    DWORD style;
    LPARAM itemSize, padding, minWidth;  // 0: left alone
    int width0, width1, height;
  } const cases[] = {
      {"default", 0, 0, 0, 0, one.cx + 12, longer.cx + 12, one.cy + 6},
      {"padding", 0, 0, MAKELPARAM(10, 1), 0, one.cx + 20, longer.cx + 20, one.cy + 2},
      {"item height", 0, MAKELPARAM(0, 24), 0, 0, one.cx + 12, longer.cx + 12, 24},
      {"minimum width", 0, 0, 0, 80, 80, std::max<int>(80, longer.cx + 12), one.cy + 6},
      {"fixed width", TCS_FIXEDWIDTH, MAKELPARAM(70, 30), 0, 0, 70, 70, 30},
      {"fixed default", TCS_FIXEDWIDTH, 0, 0, 0, 96, 96, one.cy + 6},
      {"owner-drawn with a width", TCS_OWNERDRAWFIXED, MAKELPARAM(70, 30), 0, 0, 70, 70, 30},
      {"owner-drawn, height only", TCS_OWNERDRAWFIXED, MAKELPARAM(0, 24), 0, 50,
       std::max<int>(50, one.cx + 12), std::max<int>(50, longer.cx + 12), 24},
  };
  for (const Case& c : cases) {
    HWND tab = Tab(c.style);
    if (c.itemSize) SendMessageW(tab, TCM_SETITEMSIZE, 0, c.itemSize);
    if (c.padding) SendMessageW(tab, TCM_SETPADDING, 0, c.padding);
    if (c.minWidth) SendMessageW(tab, TCM_SETMINTABWIDTH, 0, c.minWidth);
    AddTabs(tab, {u"One", u"A longer label"});
    RECT r0 = ItemRect(tab, 0), r1 = ItemRect(tab, 1);
    EXPECT_EQ(Width(r0), c.width0) << c.what;
    EXPECT_EQ(Width(r1), c.width1) << c.what;
    EXPECT_EQ(Height(r0), c.height) << c.what;
    EXPECT_EQ(r1.left, r0.right) << c.what << ": tabs touch";
    EXPECT_EQ(r0.left, 2) << c.what;
    DestroyWindow(tab);
  }
}

TEST_F(TabLayoutTest, TheFontSetsTheHeight) {
  LOGFONTW lf{};
  lf.lfHeight = -30;
  std::char_traits<char16_t>::copy(lf.lfFaceName, u"Arial", 6);
  HFONT font = CreateFontIndirectW(&lf);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SIZE size{};
  GetTextExtentPoint32W(dc, u"Label", 5, &size);
  SelectObject(dc, old);
  DeleteDC(dc);
  HWND tab = Tab(0);
  AddTabs(tab, {u"Label"});
  SendMessageW(tab, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  RECT r = ItemRect(tab, 0);
  EXPECT_EQ(Height(r), tm.tmHeight + 6);
  EXPECT_EQ(Width(r), size.cx + 12);
  EXPECT_GT(tm.tmHeight, TextSize(u"Label").cy) << "a larger font than the default";
  DestroyWindow(tab);
  DeleteObject(font);
}

TEST_F(TabLayoutTest, ForcedLeftStylesMoveIconAndLabel) {
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32, 1, 0);
  ImageList_SetImageCount(list, 1);
  const int text = TextSize(u"Tab").cx;
  struct Case {
    DWORD style;
    int iconLeft, labelLeft;  // from the tab's left edge
  } const cases[] = {
      {TCS_FIXEDWIDTH, (120 - (16 + 6 + text)) / 2, (120 - (16 + 6 + text)) / 2 + 22},
      {TCS_FIXEDWIDTH | TCS_FORCEICONLEFT, 6, 28 + (120 - 6 - 28 - text) / 2},
      {TCS_FIXEDWIDTH | TCS_FORCELABELLEFT, 6, 28},
  };
  for (const Case& c : cases) {
    HWND tab = Tab(c.style);
    SendMessageW(tab, TCM_SETITEMSIZE, 0, MAKELPARAM(120, 30));
    SendMessageW(tab, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list));
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<LPWSTR>(u"Tab");
    item.iImage = 0;
    SendMessageW(tab, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    RECT r = ItemRect(tab, 0);
    const int midY = (r.top + r.bottom) / 2;
    auto flagsAt = [&](int dx) {
      TCHITTESTINFO info{{r.left + dx, midY}, 0};
      SendMessageW(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
      return info.flags;
    };
    EXPECT_EQ(flagsAt(c.iconLeft - 1), UINT(TCHT_ONITEM)) << std::hex << c.style;
    EXPECT_EQ(flagsAt(c.iconLeft), UINT(TCHT_ONITEMICON)) << std::hex << c.style;
    EXPECT_EQ(flagsAt(c.labelLeft - 1), UINT(TCHT_ONITEM)) << std::hex << c.style;
    EXPECT_EQ(flagsAt(c.labelLeft), UINT(TCHT_ONITEMLABEL)) << std::hex << c.style;
    DestroyWindow(tab);
  }
  ImageList_Destroy(list);
}

TEST_F(TabLayoutTest, HostileSizesStayBounded) {
  HWND tab = Tab(TCS_MULTILINE);
  SendMessageW(tab, TCM_SETMINTABWIDTH, 0, 0x7FFFFFFF);
  SendMessageW(tab, TCM_SETITEMSIZE, 0, MAKELPARAM(0xFFFF, 0xFFFF));
  SendMessageW(tab, TCM_SETPADDING, 0, MAKELPARAM(0xFFFF, 0xFFFF));
  for (int i = 0; i < 300; ++i) AddTabs(tab, {u"x"});
  for (int i = 0; i < Count(tab); i += 37) {
    RECT r = ItemRect(tab, i);
    EXPECT_LE(r.left, r.right);
    EXPECT_LE(r.top, r.bottom);
  }
  RECT huge{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
  SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&huge));
  SendMessageW(tab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&huge));
  TCHITTESTINFO info{{INT32_MAX, INT32_MIN}, 0};
  EXPECT_EQ(SendMessageW(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), -1);
  UpdateWindow(tab);
}

TEST_F(TabLayoutTest, AdjustRectRoundTripsAndClearsTheTabs) {
  const DWORD styles[] = {TCS_TABS, TCS_BUTTONS, TCS_BOTTOM, TCS_MULTILINE,
                          TCS_MULTILINE | TCS_BUTTONS | TCS_FLATBUTTONS};
  for (DWORD style : styles) {
    HWND tab = Tab(style, 160, 200);
    AddTabs(tab, {u"General", u"Advanced", u"Sharing", u"Security", u"Details"});
    RECT client;
    GetClientRect(tab, &client);
    RECT display = client;
    SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    EXPECT_GT(Height(display), 0) << std::hex << style;
    for (int i = 0; i < Count(tab); ++i) {
      RECT item = ItemRect(tab, i);
      if (!(style & TCS_MULTILINE) && item.right > client.right) continue;  // scrolled away
      EXPECT_FALSE(Overlap(item, display)) << std::hex << style << " tab " << i;
    }
    RECT back = display;
    SendMessageW(tab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&back));
    EXPECT_TRUE(SameRect(back, client)) << std::hex << style;
    RECT page{30, 40, 130, 90}, grown = page;
    SendMessageW(tab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&grown));
    SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&grown));
    EXPECT_TRUE(SameRect(grown, page)) << std::hex << style;
    DestroyWindow(tab);
  }
}

// Tabs grouped by their top edge, rows in order from the top.
std::map<LONG, std::vector<int>> RowsByTop(HWND tab, int count) {
  std::map<LONG, std::vector<int>> rows;
  for (int i = 0; i < count; ++i) {
    RECT r{};
    SendMessageW(tab, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    rows[r.top].push_back(i);
  }
  return rows;
}

TEST_F(TabLayoutTest, MultiLineRowsRotateTheSelectedRowToThePanel) {
  HWND tab = Tab(TCS_MULTILINE, 200, 200);
  AddTabs(tab, {u"General", u"Advanced", u"Sharing", u"Security", u"Details", u"Versions",
                u"Compatibility", u"Summary"});
  const int rowCount = int(SendMessageW(tab, TCM_GETROWCOUNT, 0, 0));
  ASSERT_GE(rowCount, 3);
  auto rows = RowsByTop(tab, Count(tab));
  ASSERT_EQ(int(rows.size()), rowCount);
  RECT display;
  GetClientRect(tab, &display);
  SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  for (auto& [top, members] : rows) {
    RECT last = ItemRect(tab, members.back());
    EXPECT_EQ(last.right, 198) << "each row is stretched to the right margin";
    EXPECT_EQ(ItemRect(tab, members.front()).left, 2);
  }
  auto bottomRow = [&] { return RowsByTop(tab, Count(tab)).rbegin()->second; };
  auto contains = [](const std::vector<int>& v, int x) {
    return std::find(v.begin(), v.end(), x) != v.end();
  };
  EXPECT_TRUE(contains(bottomRow(), 0)) << "the selected tab's row lies against the panel";
  EXPECT_EQ(ItemRect(tab, 0).bottom, display.top - 4);

  // Selecting a tab of the top row brings that row down; the others keep their cyclic
  // order above it.
  std::vector<std::vector<int>> before;
  for (auto& entry : rows) before.push_back(entry.second);
  int target = before.front().front();
  ClickTab(tab, target);
  ASSERT_EQ(Selection(tab), target);
  std::vector<std::vector<int>> after;
  for (auto& entry : RowsByTop(tab, Count(tab))) after.push_back(entry.second);
  ASSERT_EQ(after.size(), before.size());
  EXPECT_EQ(after.back(), before.front());
  for (size_t i = 0; i + 1 < after.size(); ++i) EXPECT_EQ(after[i], before[i + 1]);
}

TEST_F(TabLayoutTest, RaggedRightAndButtonsKeepTheirWidthsAndOrder) {
  HWND tab = Tab(TCS_MULTILINE | TCS_RAGGEDRIGHT, 200, 200);
  AddTabs(tab, {u"General", u"Advanced", u"Sharing", u"Security", u"Details"});
  for (int i = 0; i < Count(tab); ++i) {
    TCITEMW item{};
    WCHAR text[32];
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 32;
    SendMessageW(tab, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(Width(ItemRect(tab, i)), TextSize(text).cx + 12) << "tab " << i;
  }
  DestroyWindow(tab);

  tab = Tab(TCS_MULTILINE | TCS_BUTTONS, 200, 200);
  AddTabs(tab, {u"General", u"Advanced", u"Sharing", u"Security", u"Details"});
  SendMessageW(tab, TCM_SETCURSEL, Count(tab) - 1, 0);
  EXPECT_EQ(ItemRect(tab, 0).top, 0) << "rows of buttons do not rotate";
  EXPECT_EQ(ItemRect(tab, 1).left, ItemRect(tab, 0).right + 3);
}

TEST_F(TabLayoutTest, HitTestFindsEveryTabAndItsParts) {
  HWND tab = Tab(TCS_MULTILINE, 220, 200);
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32, 1, 0);
  ImageList_SetImageCount(list, 1);
  SendMessageW(tab, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list));
  AddTabs(tab, {u"General", u"Advanced", u"Sharing", u"Security", u"Details", u"Versions"});
  TCITEMW withIcon{};
  withIcon.mask = TCIF_IMAGE;
  withIcon.iImage = 0;
  SendMessageW(tab, TCM_SETITEMW, 4, reinterpret_cast<LPARAM>(&withIcon));
  for (int i = 0; i < Count(tab); ++i) {
    RECT r = ItemRect(tab, i);
    struct Probe {
      POINT pt;
      UINT flags;
    } probes[] = {{{(r.left + r.right) / 2, (r.top + r.bottom) / 2}, TCHT_ONITEMLABEL},
                  {{r.left + 1, r.top + 1}, TCHT_ONITEM},
                  {{r.right - 1, r.bottom - 1}, TCHT_ONITEM}};
    if (i == 4) {  // icon and label are centred as a group: icon, padding, text
      int group = 16 + 6 + TextSize(u"Details").cx;
      probes[0] = {{r.left + (Width(r) - group) / 2 + 8, (r.top + r.bottom) / 2}, TCHT_ONITEMICON};
    }
    for (const Probe& p : probes) {
      TCHITTESTINFO info{p.pt, 0};
      EXPECT_EQ(SendMessageW(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), i);
      EXPECT_EQ(info.flags, p.flags) << "tab " << i << " at " << p.pt.x << "," << p.pt.y;
    }
  }
  TCHITTESTINFO outside{{150, 150}, 0};
  EXPECT_EQ(SendMessageW(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&outside)), -1);
  EXPECT_EQ(outside.flags, UINT(TCHT_NOWHERE));
  SetWindowLongW(tab, GWL_STYLE, GetWindowLongW(tab, GWL_STYLE) | TCS_OWNERDRAWFIXED);
  RECT r = ItemRect(tab, 1);
  TCHITTESTINFO owner{{(r.left + r.right) / 2, (r.top + r.bottom) / 2}, 0};
  EXPECT_EQ(SendMessageW(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&owner)), 1);
  EXPECT_EQ(owner.flags, UINT(TCHT_ONITEM)) << "owner-drawn tabs have no parts";
  DestroyWindow(tab);
  ImageList_Destroy(list);
}

TEST_F(TabLayoutTest, SingleLineOverflowScrollsByArrowsAndSelection) {
  HWND tab = Tab(0, 150, 100);
  AddTabs(tab, {u"General", u"Advanced", u"Sharing", u"Security", u"Details"});
  EXPECT_EQ(SendMessageW(tab, TCM_GETROWCOUNT, 0, 0), 1);
  const RECT first = ItemRect(tab, 0);
  const int h = Height(first), midY = (first.top + first.bottom) / 2, arrowsLeft = 150 - 2 * h;
  ASSERT_GT(ItemRect(tab, 4).right, 150);
  TCHITTESTINFO info{{arrowsLeft + 1, midY}, 0};
  EXPECT_EQ(SendMessageW(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)), -1)
      << "the arrows cover the tabs under them";
  Snapshot shot = Capture(tab);
  EXPECT_EQ(GetGValue(shot.At(150 - h / 2, midY)), 0) << "right arrow drawn, enabled";
  EXPECT_EQ(shot.At(arrowsLeft + h / 2, midY), GetSysColor(COLOR_GRAYTEXT)) << "left disabled";

  struct Step {
    const char* what;
    int clickX;  // 0: select the last tab instead
    LONG firstTabLeft;
  } const steps[] = {
      {"right arrow", 150 - h / 2, 2 - Width(first)},
      {"left arrow", arrowsLeft + h / 2, 2},
      {"left arrow at the start", arrowsLeft + h / 2, 2},
  };
  for (const Step& s : steps) {
    ClickAt(tab, s.clickX, midY);
    EXPECT_EQ(ItemRect(tab, 0).left, s.firstTabLeft) << s.what;
    EXPECT_EQ(Selection(tab), 0) << s.what;
  }
  EXPECT_EQ(TakeNotices(), (std::vector<TabNotice>{{NM_CLICK, 0}, {NM_CLICK, 0}, {NM_CLICK, 0}}));

  SendMessageW(tab, TCM_SETCURSEL, 4, 0);
  RECT last = ItemRect(tab, 4);
  EXPECT_LE(last.right, arrowsLeft) << "the selection scrolls clear of the arrows";
  ClickAt(tab, 150 - h / 2, midY);
  EXPECT_EQ(ItemRect(tab, 4).left, last.left) << "nothing more to the right";
  SendMessageW(tab, TCM_SETCURSEL, 0, 0);
  EXPECT_EQ(ItemRect(tab, 0).left, 2);
}

TEST_F(TabLayoutTest, BottomTabsHangBelowThePanel) {
  HWND tab = Tab(TCS_BOTTOM, 300, 200);
  AddTabs(tab, {u"A", u"B"});
  RECT display{0, 0, 300, 200};
  SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  EXPECT_EQ(display.top, 4);
  EXPECT_EQ(ItemRect(tab, 0).top, display.bottom + 4);
  EXPECT_EQ(ItemRect(tab, 0).bottom, 200 - 2);
}

}  // namespace
}  // namespace talix::testing
