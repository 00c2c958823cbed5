// The plain non-client area DefWindowProcW draws: the border, thick or dialog frame,
// the caption bar with the window text, the menu bar's band and the client edges.
#pragma once

#include <win/user.h>

namespace talix::user {

// Draws the window's frame into its window DC, cut to `limit` (a region in screen
// coordinates; null or 1 for the whole frame).
void DrawFrame(HWND hwnd, HRGN limit);

}  // namespace talix::user
