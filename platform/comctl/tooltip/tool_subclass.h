// TTF_SUBCLASS: a tooltip watches a tool window's mouse input by subclassing it.
//
// One procedure is put in front of the tool window's procedure, shared by every tooltip
// that watches the window; a record kept in a window property lists those tooltips and
// the procedure it replaced. Each mouse message is relayed to every listed tooltip
// (TTM_RELAYEVENT) before the window's own procedure sees it.
//
// Removing the last tooltip restores the replaced procedure when ours is still the
// window's procedure. When another subclass has been put in front of ours since, ours
// stays in the chain and only passes messages on, so that subclass keeps working; the
// record goes with the window (WM_NCDESTROY).
#pragma once

#include <windows.h>

namespace talix::comctl::tooltip {

// Relays `window`'s mouse input to `tooltip`; false when the window is not valid.
bool WatchToolWindow(HWND window, HWND tooltip);
// Stops relaying `window`'s mouse input to `tooltip`.
void UnwatchToolWindow(HWND window, HWND tooltip);

}  // namespace talix::comctl::tooltip
