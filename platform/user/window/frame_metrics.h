// The plain frame's thickness for a style: what DefWindowProcW's WM_NCCALCSIZE takes off
// a window rectangle and what AdjustWindowRectEx adds to a client rectangle.
#pragma once

#include <win/user.h>

namespace talix::user {

// Thickness of the non-client area on each side (left, top, right, bottom).
RECT FrameInsets(DWORD style, DWORD exStyle, bool hasMenu);
// Whether a window of this style gets a WM_GETMINMAXINFO when created.
inline bool WantsMinMaxInfo(DWORD style) {
  return (style & WS_THICKFRAME) || !(style & (WS_POPUP | WS_CHILD));
}
MINMAXINFO DefaultMinMaxInfo(DWORD style, DWORD exStyle);

}  // namespace talix::user
