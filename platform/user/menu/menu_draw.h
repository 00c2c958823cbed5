// Drawing menu items: the plain popup look and the menu bar.
//
// Popup: COLOR_MENU with a raised edge; the highlighted item in COLOR_HIGHLIGHT with
// COLOR_HIGHLIGHTTEXT; grayed items in COLOR_GRAYTEXT; separators as an etched line
// (COLOR_3DSHADOW over COLOR_3DHILIGHT) across the middle; check marks (or radio
// bullets for MFT_RADIOCHECK) centred vertically, SM_CXMENUCHECK square, 3 pixels in
// from the item's start; submenu arrows as a small triangle in the arrow column;
// default items in bold; '&' underlines the mnemonic. MFT_RIGHTORDER items are drawn
// mirrored (check on the right, arrow on the left, text right-aligned). Owner-drawn
// items are drawn by the owner (WM_DRAWITEM); the submenu arrow follows, inside whatever
// clip the owner left.
//
// Bar: COLOR_MENU; the highlighted item (MFS_HILITE) in COLOR_HIGHLIGHT.
#pragma once

#include "platform/user/menu/menu_layout.h"

namespace talix::user::menu {

struct PopupPaint {
  HWND owner = nullptr;
  HMENU menu = nullptr;
  const std::vector<ItemView>* items = nullptr;
  const PopupLayout* layout = nullptr;
  int hilite = -1;
};

// Draws the whole popup into `client` (popup coordinates).
void DrawPopup(HDC hdc, const RECT& client, const PopupPaint& paint);
// Draws the bar's band and items (window coordinates).
void DrawBarItems(HDC hdc, HWND owner, HMENU menu, const RECT& band,
                  const std::vector<ItemView>& items);

}  // namespace talix::user::menu
