// Host API: input injection.
//
// Injected input enters one system input queue, in order, and takes the path of real
// input: each event is given to a window (capture, hit-testing with WM_NCHITTEST, the
// focus window for keys) when a thread next looks at its message queue and the input
// given out before it has been retrieved, so a script of events injected at once sees the
// effects of the earlier events (capture set by a button-down, focus moved by a click).
// Times and positions of the messages are those of the injection (GetMessageTime,
// GetMessagePos). The cursor position and GetAsyncKeyState change at once; GetKeyState
// changes when the thread retrieves the key message.
//
// Any thread may inject (an X11 presenter feeds its events from its own thread).
//
// A press on a caption, a sizing edge or a caption button starts a modal loop that runs
// until the button is released: inject the whole drag before pumping messages.
#pragma once

#include <win/types.h>

#include <cstddef>

namespace talix::host {

enum class MouseButton { Left, Right, Middle };

// Moves the cursor to screen x, y.
TALIX_EXPORT void MouseMove(int x, int y);
// Presses or releases a button where the cursor is.
TALIX_EXPORT void MouseDown(MouseButton button = MouseButton::Left);
TALIX_EXPORT void MouseUp(MouseButton button = MouseButton::Left);
// Turns the wheel by delta (WHEEL_DELTA = one notch; positive is away from the user).
TALIX_EXPORT void MouseWheel(int delta);
// Moves to x, y, presses and releases the button.
TALIX_EXPORT void Click(int x, int y, MouseButton button = MouseButton::Left);
// Presses or releases a key by virtual-key code; pressing a key that is down repeats it.
TALIX_EXPORT void KeyDown(UINT virtualKey);
TALIX_EXPORT void KeyUp(UINT virtualKey);
// Presses and releases a key.
TALIX_EXPORT void KeyPress(UINT virtualKey);
// Types text: characters of the US layout as the keys (with Shift) that make them, so
// TranslateMessage makes their WM_CHAR; any other character as a VK_PACKET key whose
// WM_CHAR carries it.
TALIX_EXPORT void TypeText(const WCHAR* text);
// Events injected and not yet given to a window.
TALIX_EXPORT size_t PendingInputEvents();
// Forgets injected events not yet given out, releases every key and button held, and
// clears capture, focus, activation and mouse tracking (a clean slate between tests).
TALIX_EXPORT void ResetInput();

}  // namespace talix::host
