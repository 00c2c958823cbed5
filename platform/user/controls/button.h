// The "Button" class: push buttons, check boxes, radio buttons, group boxes and
// owner-drawn buttons.
//
// The window's extra bytes hold the state (BST_* flags and the tracking flags below), the
// font (WM_SETFONT) and the image (BM_SETIMAGE). The style is read on every message, so
// type bits changed after creation (a subclass turning a button owner-drawn) take effect
// at the next paint.
//
// Limits: no visual themes and no hot-tracking look; getting keyboard focus does not by
// itself check an automatic radio button; no '+' / '-' keys for check boxes; the
// mnemonic underline is always shown (no keyboard-cue state); BS_USERBUTTON and
// BS_PUSHBOX draw as push buttons.
#pragma once

#include <windows.h>

namespace talix::user::controls {

// Extra bytes of a button window.
constexpr int kButtonStateOffset = 0;
constexpr int kButtonFontOffset = sizeof(LONG_PTR);
constexpr int kButtonImageOffset = 2 * sizeof(LONG_PTR);
constexpr int kButtonExtraBytes = 3 * sizeof(LONG_PTR);

// State bits beyond the public BST_* ones.
constexpr LONG_PTR kButtonMouseTracking = 0x100;  // left button pressed on it, capture held
constexpr LONG_PTR kButtonSpaceDown = 0x200;      // Space pressed on it

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Paints the button (or asks its owner to) into `hdc`; `action` is the ODA_* reason an
// owner-drawn button reports.
void PaintButton(HWND hwnd, HDC hdc, UINT action);

inline UINT ButtonType(HWND hwnd) { return UINT(GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK); }
inline LONG_PTR ButtonState(HWND hwnd) { return GetWindowLongPtrW(hwnd, kButtonStateOffset); }

}  // namespace talix::user::controls
