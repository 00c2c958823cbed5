// The "tooltips_class32" window class: a topmost popup that shows a tool's text near the
// cursor after the pointer rests on the tool.
//
// Mouse input reaches the tooltip through TTM_RELAYEVENT, sent by the host or by the
// subclass of TTF_SUBCLASS tools. A move onto a tool starts the initial delay (the reshow
// delay when a tip was showing); when it runs out with the pointer still on the tool the
// tip is shown (TTN_GETDISPINFOW for callback text, then TTN_SHOW, then painting with
// NM_CUSTOMDRAW); it hides (TTN_POP) when the pointer leaves the tool, on a button press,
// or when the autopop delay runs out, and then stays hidden until the pointer leaves the
// tool. The pointer leaving to a window that relays nothing is noticed by checking the
// cursor position every kLeaveCheckMs while a tool is current.
//
// Without TTS_ALWAYSTIP a tip shows only while the tool's top-level window (or a window
// with the same root owner) is the active window, as on Windows.
//
// Limits: see win/tooltips.h; in addition TTM_SETMAXTIPWIDTH limits the width of the tip
// window (text wider than the limit less margins and border wraps at spaces; a single
// word wider stays on its line), and without a maximum width the text is one line; the
// tip goes below and to the right of the cursor in right-to-left layouts too;
// TTM_GETTOOLINFOW and TTM_ENUMTOOLSW copy at most 80 characters of text (the caller's
// buffer has no stated size); the pointer leaving is noticed up to kLeaveCheckMs late
// when nothing relays it.
#pragma once

#include <windows.h>

namespace talix::comctl::tooltip {

// The window's extra bytes hold the control's state.
constexpr int kTooltipExtraBytes = sizeof(LONG_PTR);
// How often the cursor is checked while a tool is current.
constexpr UINT kLeaveCheckMs = 100;

LRESULT CALLBACK TooltipProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Called when tool window `window` is being destroyed: a tip shown for one of its tools
// hides.
void ForgetToolWindow(HWND tooltip, HWND window);

}  // namespace talix::comctl::tooltip
