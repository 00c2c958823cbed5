// The menu bar band of a top-level window, for the frame painter.
#pragma once

#include <win/menu.h>

namespace talix::user::menu {

// Draws the items of `hwnd`'s menu into its band (window DC coordinates); the band alone
// when the window has no menu.
void DrawMenuBarBand(HWND hwnd, HDC hdc, const RECT& band);

}  // namespace talix::user::menu
