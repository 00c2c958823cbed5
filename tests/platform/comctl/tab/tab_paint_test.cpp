// What the control draws: a few exact pixels of the plain look, and owner-drawn tabs
// asked for with the right rectangles, states and data, also when the style is set after
// creation.
#include "tab_fixture.h"

namespace talix::testing {
namespace {

using TabPaintTest = TabTest;

int Height(const RECT& r) { return r.bottom - r.top; }

TEST_F(TabPaintTest, PlainLookPanelAndTabs) {
  HWND tab = Tab(0);
  AddTabs(tab, {u"General", u"Sharing", u"Security"});
  SendMessageW(tab, TCM_SETCURSEL, 2, 0);
  RECT normal = ItemRect(tab, 0), selected = ItemRect(tab, 2);
  const int panelTop = normal.bottom;
  const COLORREF face = GetSysColor(COLOR_3DFACE), light = GetSysColor(COLOR_3DHILIGHT),
                 dark = GetSysColor(COLOR_3DDKSHADOW), shadow = GetSysColor(COLOR_3DSHADOW);
  struct Case {
    const char* what;
    int x, y;
    COLORREF colour;
  } const cases[] = {
      {"panel's light top edge", 0, panelTop, light},
      {"panel's light top edge right of the tabs", 290, panelTop, light},
      {"panel's inner light grey", 1, panelTop + 1, GetSysColor(COLOR_3DLIGHT)},
      {"panel's dark right edge", 299, 150, dark},
      {"panel's shadow inside it", 298, 150, shadow},
      {"background beside the tabs", 290, 3, face},
      {"tab's light top", normal.left + 5, normal.top, light},
      {"tab's light left", normal.left, normal.top + 5, light},
      {"tab's dark right", normal.right - 1, normal.top + 5, dark},
      {"selected tab raised above the others", selected.left + 5, selected.top - 2, light},
      {"selected tab joined to the panel", selected.left + 5, panelTop, face},
      {"selected tab reaches left over its neighbour", selected.left - 2, selected.top + 5, light},
  };
  Snapshot shot = Capture(tab);
  for (const Case& c : cases) EXPECT_EQ(shot.At(c.x, c.y), c.colour) << c.what;
  // The label is drawn in the (black) button text colour, smoothed: dark pixels inside
  // the tab's padding and none outside it.
  int inked = 0, strayInk = 0;
  for (int x = normal.left + 1; x < normal.right - 2; ++x)
    for (int y = normal.top + 1; y < normal.bottom; ++y) {
      bool ink = GetGValue(shot.At(x, y)) < 0x60;
      bool inLabel = x >= normal.left + 6 && x < normal.right - 6;
      (inLabel ? inked : strayInk) += ink;
    }
  EXPECT_GT(inked, 10);
  EXPECT_EQ(strayInk, 0);
}

// Pixels of `r` (in `tab`'s client coordinates) that have colour `colour`.
int CountColour(const Snapshot& shot, const RECT& r, COLORREF colour) {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += shot.At(x, y) == colour;
  return n;
}

TEST_F(TabPaintTest, FocusAndHighlightShowInThePixels) {
  HWND tab = Tab(0);
  AddTabs(tab, {u"General", u"Sharing"});
  RECT selected = ItemRect(tab, 0), other = ItemRect(tab, 1);
  // The focus rectangle's left side runs 3 pixels inside the tab, clear of the label.
  RECT focusSide{selected.left + 3, selected.top + 3, selected.left + 4, selected.bottom - 3};
  const COLORREF face = GetSysColor(COLOR_3DFACE), lit = GetSysColor(COLOR_HIGHLIGHT);
  EXPECT_EQ(CountColour(Capture(tab), focusSide, face), Height(focusSide));
  SetFocus(tab);
  EXPECT_LT(CountColour(Capture(tab), focusSide, face), Height(focusSide)) << "focus rectangle";
  EXPECT_EQ(CountColour(Capture(tab), other, lit), 0);
  SendMessageW(tab, TCM_HIGHLIGHTITEM, 1, MAKELPARAM(TRUE, 0));
  EXPECT_GT(CountColour(Capture(tab), other, lit), 20) << "highlighted label";
}

TEST_F(TabPaintTest, ButtonsAndBottomTabsLook) {
  HWND flat = Tab(TCS_BUTTONS | TCS_FLATBUTTONS, 300, 100);
  AddTabs(flat, {u"One", u"Two"});
  HWND bottom = CreateWindowExW(0, WC_TABCONTROLW, u"", WS_CHILD | WS_VISIBLE | TCS_BOTTOM, 10,
                                150, 300, 100, parent_, nullptr, nullptr, nullptr);
  AddTabs(bottom, {u"One", u"Two"});
  RECT pressed = ItemRect(flat, 0), raised = ItemRect(flat, 1);
  RECT chosen = ItemRect(bottom, 0), under = ItemRect(bottom, 1);
  Snapshot buttons = Capture(flat), tabs = Capture(bottom);
  EXPECT_EQ(buttons.At(raised.left, raised.top), GetSysColor(COLOR_3DFACE)) << "flat, no edge";
  EXPECT_NE(buttons.At(pressed.left, pressed.top), GetSysColor(COLOR_3DFACE)) << "sunken edge";
  EXPECT_EQ(buttons.At(pressed.left + 3, pressed.top + 3), GetSysColor(COLOR_3DLIGHT))
      << "the selected button's face";
  EXPECT_EQ(tabs.At(under.left + 5, under.bottom - 1), GetSysColor(COLOR_3DDKSHADOW))
      << "a bottom tab's far edge is its shadow";
  EXPECT_EQ(tabs.At(chosen.left - 2, chosen.top + 5), GetSysColor(COLOR_3DHILIGHT))
      << "the selected bottom tab stands out to the left";
  EXPECT_EQ(tabs.At(chosen.left + 5, chosen.bottom + 1), GetSysColor(COLOR_3DDKSHADOW))
      << "and downwards";
}

TEST_F(TabPaintTest, OwnerDrawnTabsAskTheParent) {
  HWND tab = Tab(0);
  AddTabs(tab, {u"One", u"Two", u"Three"});
  SendMessageW(tab, TCM_SETCURSEL, 1, 0);
  SetWindowLongW(tab, GWL_STYLE, GetWindowLongW(tab, GWL_STYLE) | TCS_OWNERDRAWFIXED);
  SetFocus(tab);
  InvalidateRect(tab, nullptr, TRUE);
  Pump();
  UpdateWindow(tab);
  auto& items = Parent().drawItems;
  ASSERT_EQ(items.size(), 3u);
  for (const DRAWITEMSTRUCT& dis : items) {
    int i = int(dis.itemID);
    RECT expected = ItemRect(tab, i);
    EXPECT_EQ(dis.CtlType, UINT(ODT_TAB));
    EXPECT_EQ(dis.CtlID, 5u);
    EXPECT_EQ(dis.hwndItem, tab);
    EXPECT_EQ(dis.itemAction, UINT(ODA_DRAWENTIRE));
    EXPECT_TRUE(SameRect(dis.rcItem, expected)) << "tab " << i;
    EXPECT_EQ(dis.itemState, i == 1 ? UINT(ODS_SELECTED | ODS_FOCUS) : 0u) << "tab " << i;
    EXPECT_EQ(dis.itemData, ULONG_PTR(1000 + i));
  }
  EXPECT_EQ(items.back().itemID, 1u) << "the selected tab is drawn last, over its neighbours";
}

}  // namespace
}  // namespace talix::testing
