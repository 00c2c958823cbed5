// Painting now rather than when the queue gets to it: the RDW_UPDATENOW and RDW_ERASENOW
// work, and the frame and background steps BeginPaint shares with them.
#pragma once

#include <win/user.h>

namespace talix::user {

// Sends WM_PAINT to the window when it has something to paint, then to the children the
// RDW_* flags take in, parents first.
void PaintNow(HWND hwnd, UINT flags);
// Sends WM_NCPAINT and WM_ERASEBKGND where they are due, the same way.
void EraseNow(HWND hwnd, UINT flags);

// WM_NCPAINT when the window's frame is due; the frame is then no longer due.
void PaintFrameIfDue(HWND hwnd);

}  // namespace talix::user
