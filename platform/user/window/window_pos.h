// Moving, sizing, stacking and showing windows.
#pragma once

#include <win/user.h>

namespace talix::user {

// Flags added to the WINDOWPOS of WM_WINDOWPOSCHANGED when the client area did not move
// or did not change size; DefWindowProcW sends WM_MOVE and WM_SIZE only without them.
constexpr UINT kSwpNoClientSize = 0x0800;
constexpr UINT kSwpNoClientMove = 0x1000;

// Sends WM_SIZE and WM_MOVE for the window's current client area.
void SendSizeAndMove(HWND hwnd);

}  // namespace talix::user
