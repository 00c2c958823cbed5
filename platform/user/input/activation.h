// Activation and focus as other parts of the window manager drive them: showing, hiding,
// clicking and destroying windows.
#pragma once

#include <win/input.h>

namespace talix::user {

// Makes a top-level window (or none) the active window of its thread and the foreground
// window: WM_NCACTIVATE and WM_ACTIVATE to the old and new windows, WM_ACTIVATEAPP when
// the active thread changes; with `raise` the window goes to the top first. `how` is
// WA_ACTIVE or WA_CLICKACTIVE. Returns the thread's previous active window.
HWND ActivateWindow(HWND hwnd, int how, bool raise);
// The window to activate when `leaving` stops being active; null when there is none.
HWND NextWindowToActivate(HWND leaving);
// Moves the focus on the window's thread; returns the previous focus window.
HWND MoveFocus(HWND hwnd);

// Calls from SetWindowPos: before WM_WINDOWPOSCHANGED (activation of a window shown or
// moved without SWP_NOACTIVATE) and after it (a hidden window gives up focus, activation
// and capture).
void BeforeWindowPosChanged(HWND hwnd, UINT flags);
void AfterWindowPosChanged(HWND hwnd, UINT flags);

}  // namespace talix::user
