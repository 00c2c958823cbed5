// DCs on windows: the client area or the whole window of any window, drawing into its
// top-level window's surface, clipped to the window's visible region (and for paint DCs
// to the update region), mirrored for WS_EX_LAYOUTRTL windows. Every such DC is recorded
// until ReleaseDC, so WindowFromDC knows it and the screen is told what it drew.
#pragma once

#include "platform/gdi/dc/region32.h"
#include "platform/user/paint/paint_geometry.h"

#include <optional>

namespace talix::user {

struct WindowDcRequest {
  ClipOptions clip;
  // Further limits in device coordinates of the DC (0,0 = the DC's top-left).
  std::optional<gdi::Region32> intersect;
  std::optional<gdi::Region32> exclude;
};

// A new DC on the window; null when the window is not in the tree or GDI refuses.
// Requires UserLock.
HDC MakeWindowDcLocked(Window& window, const WindowDcRequest& request);

// Forgets a window DC and tells the screen that its part changed; false when hdc is not
// a window DC. The DC itself is deleted by the caller. Takes UserLock.
bool ForgetWindowDc(HDC hdc);

}  // namespace talix::user
