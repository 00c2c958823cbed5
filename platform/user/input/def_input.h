// DefWindowProcW's handling of input, activation and system commands.
#pragma once

#include <win/input.h>

namespace talix::user {

// Handles the messages below for DefWindowProcW; false for any other message.
// WM_SETCURSOR, WM_MOUSEACTIVATE, WM_ACTIVATE (focus to the activated window),
// WM_NCLBUTTONDOWN (move, size, caption buttons, the menu bar), WM_NCLBUTTONDBLCLK
// (maximize or restore from the caption), WM_SYSCOMMAND (SC_MOVE, SC_SIZE, SC_CLOSE,
// SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_MOUSEMENU, SC_KEYMENU), WM_SYSKEYDOWN/UP
// (Alt+F4; Alt alone or F10 enter the menu bar), WM_SYSCHAR (Alt+letter opens the bar
// item with that mnemonic), WM_MOUSEWHEEL (to the parent), WM_CANCELMODE (ends a menu,
// releases the capture).
bool DefInputMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
LRESULT DefSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam);
// The modal loop of SC_MOVE and SC_SIZE, driven by the mouse until the button is released.
void RunMoveSizeLoop(HWND hwnd, WPARAM command, POINT start);

}  // namespace talix::user
