// Where a screen point falls: window geometry as input sees it, the window under a point
// (with WM_NCHITTEST and HTTRANSPARENT), and DefWindowProcW's hit test of the frame.
#pragma once

#include "platform/user/window/window_object.h"

#include <vector>

namespace talix::user {

// A screen point in a window's client coordinates (mirrored for WS_EX_LAYOUTRTL).
POINT ScreenToClientLocked(const Window& window, POINT screen);
// Whether a screen point lies in the window's rectangle and in its window region.
bool ContainsPointLocked(const Window& window, POINT screen);

// The deepest visible window under a screen point by geometry alone, skipping windows in
// `excluded`; a disabled child stands for its parent. Null over no window.
Window* GeometricWindowAtLocked(POINT screen, const std::vector<HWND>& excluded);

// The window under a screen point as input finds it: asks each candidate WM_NCHITTEST
// and looks below those answering HTTRANSPARENT. Fills *hit. Null over no window.
HWND HitTestScreenPoint(POINT screen, int* hit);

// DefWindowProcW's WM_NCHITTEST.
LRESULT DefNcHitTest(HWND hwnd, POINT screen);
// The same with UserLock held (it sends nothing).
LRESULT DefNcHitTestLocked(const Window& window, POINT screen);

}  // namespace talix::user
