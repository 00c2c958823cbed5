// Sizes and places of menu items: the plain popup look and the menu bar band.
//
// Popup: a raised edge and one pixel of padding around columns of items (MFT_MENUBREAK
// and MFT_MENUBARBREAK start a new column). A text item is as tall as the menu font's
// cell plus 4 pixels (at least SM_CYMENUCHECK + 4); a separator is SM_CYMENU / 2. Across
// an item: the check-mark column (SM_CXMENUCHECK + 6), the label, the accelerator column
// (aligned over all items of the column, after a gap) and the submenu-arrow column.
// Owner-drawn items take the size the owner's WM_MEASUREITEM gives.
//
// Bar: one row in the band under the caption; each item is its label's width plus
// kBarItemPadding on both sides; from the first MFT_RIGHTJUSTIFY item on, items are
// placed against the right end.
#pragma once

#include "platform/user/menu/menu_view.h"

#include <vector>

namespace talix::user::menu {

constexpr int kPopupBorder = 3;
constexpr int kAcceleratorGap = 16;
constexpr int kBarItemPadding = 6;

// The menu font (bold for default items); the caller deletes it.
HFONT CreateMenuFont(bool bold);

struct PopupLayout {
  SIZE size{};      // the whole popup window
  int checkWidth = 0;    // the check-mark column
  int arrowWidth = 0;    // the submenu-arrow column
  std::vector<int> acceleratorLeft;  // per item: where its accelerator text starts
};

// Places the items (rectangles in popup coordinates), asking `owner` for owner-drawn
// sizes.
PopupLayout LayoutPopup(HWND owner, std::vector<ItemView>& items);

// The band of a window's menu bar in window coordinates (empty for a window without
// one).
RECT MenuBarBand(HWND hwnd);
// Places bar items in `band` (window coordinates).
void LayoutBar(HWND owner, const RECT& band, std::vector<ItemView>& items);

}  // namespace talix::user::menu
