// Where the tabs of a tab control go: rows, rotation of the selected row, stretching,
// single-line scrolling, TCS_BOTTOM, and the display area TCM_ADJUSTRECT answers with.
// Pure arithmetic on sizes already measured, so it is the same for every caller.
#pragma once

#include <windows.h>
#include <win/commctrl.h>

#include <vector>

namespace talix::comctl::tab {

// Pixel metrics of the layout (described in win/tabctrl.h).
constexpr int kTabMarginX = 2;     // TCS_TABS: left edge to the first tab
constexpr int kTabMarginY = 2;     // TCS_TABS: room above the top row for the raised tab
constexpr int kButtonGap = 3;      // TCS_BUTTONS: between buttons and rows
constexpr int kDisplayInset = 4;   // TCS_TABS: panel edge to the display area
constexpr int kPanelEdge = 2;      // TCS_TABS: width of the panel's raised edge
constexpr int kSelectedRaise = 2;  // TCS_TABS: how far the selected tab stands out

struct LayoutInput {
  LONG style = 0;            // TCS_* bits
  int clientWidth = 0;
  int clientHeight = 0;
  int itemHeight = 0;
  std::vector<int> widths;   // each tab's own width
  int selected = -1;         // its row goes against the panel (TCS_TABS, multi-line)
  int firstVisible = 0;      // single line: the tab shown first
};

struct Layout {
  std::vector<RECT> rects;   // client coordinates, one per tab
  std::vector<int> rowOf;    // each tab's row, counted in tab order from 0
  int rows = 1;              // never below 1: an empty control keeps room for a row
  int bandHeight = 0;        // from the tab edge of the control to the panel
  // Single line whose tabs do not fit: the pair of scroll arrows at the row's right end,
  // each as wide as the row is high (empty when the tabs fit).
  RECT arrows{};
};

inline bool Contains(const RECT& r, POINT pt) {
  return pt.x >= r.left && pt.x < r.right && pt.y >= r.top && pt.y < r.bottom;
}

inline bool HasArrows(const Layout& layout) { return layout.arrows.right > layout.arrows.left; }

inline bool IsButtons(LONG style) { return (style & TCS_BUTTONS) != 0; }
inline bool IsMultiLine(LONG style) { return (style & TCS_MULTILINE) != 0; }

// Lays out the tabs of `in`.
Layout ComputeLayout(const LayoutInput& in);

// The control's area where the pages go for a control with `bandHeight` of tabs,
// (TCM_ADJUSTRECT FALSE) or back (TRUE).
void AdjustDisplayRect(LONG style, int bandHeight, bool toWindow, RECT* rect);

// The panel drawn under the tabs (TCS_TABS) in a client area of width x height.
RECT PanelRect(LONG style, int bandHeight, int width, int height);

}  // namespace talix::comctl::tab
