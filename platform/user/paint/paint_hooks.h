// Where the window core calls into painting: one call each from DefWindowProcW,
// SetWindowPos and DestroyWindow.
#pragma once

#include <win/user.h>

namespace talix::user {

struct Window;

// DefWindowProcW's WM_PAINT, WM_ERASEBKGND, WM_NCPAINT, WM_NCACTIVATE and
// WM_STYLECHANGED.
LRESULT DefPaintMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// After SetWindowPos stored the new rectangle, client area, z-order and visibility:
// resizes the top-level surface, invalidates what must be painted again and tells the
// screen. Call without UserLock.
void OnWindowPosChanged(HWND hwnd, const RECT& oldRect, const RECT& oldClient, UINT flags);

// Drops a window's painting state and deletes its window region; called by
// DestroyWindow with UserLock held.
void ForgetPaintStateLocked(Window& window);

}  // namespace talix::user
