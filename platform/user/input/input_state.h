// The state of input: the system input queue, the cursor, the keys, and per thread the
// active and focus windows and the input given to the thread but not yet retrieved.
//
// Everything here is guarded by UserLock. Capture, the foreground window, the cursor and
// mouse tracking are one per desktop; active and focus windows and the synchronous key
// state (GetKeyState) are per thread, as each thread has its own input state.
#pragma once

#include "platform/user/window/window_object.h"

#include <win/input.h>
#include <win/sync.h>

#include <deque>
#include <functional>

namespace talix::user {

// An injected event, before it is given to a window.
struct RawInput {
  enum Kind { MouseMove, ButtonDown, ButtonUp, Wheel, KeyDown, KeyUp } kind;
  int button = 0;     // 0 left, 1 right, 2 middle
  UINT key = 0;       // virtual key; for VK_PACKET `character` carries the character
  WCHAR character = 0;
  int wheelDelta = 0;
  bool repeat = false;  // a key pressed again while down
  POINT pt{};
  DWORD time = 0;
  WORD mouseKeys = 0;  // MK_* at the event
  bool altDown = false;
  bool ctrlDown = false;
};

// An input message given to a thread and waiting to be retrieved.
struct RoutedInput {
  MSG msg{};
  int hitTest = HTCLIENT;  // for WM_SETCURSOR and WM_MOUSEACTIVATE
  bool captured = false;
  WCHAR character = 0;  // of a VK_PACKET key
};

struct ThreadInput {
  HWND active = nullptr;
  HWND focus = nullptr;
  BYTE keys[256] = {};  // bit 0x80 down, bit 0x01 toggled
  std::deque<RoutedInput> routed;
  bool hasRetrieved = false;  // the input message PeekQueue just removed
  RoutedInput retrieved;
  WCHAR packetChar = 0;  // of the last VK_PACKET key retrieved, for TranslateMessage
};

struct MouseTracking {
  HWND hwnd = nullptr;
  DWORD flags = 0;  // TME_LEAVE, TME_HOVER, TME_NONCLIENT
  DWORD hoverTime = 0;
  POINT hoverStart{};
  uint64_t hoverDue = 0;
};

struct ClickMemory {
  HWND hwnd = nullptr;
  int button = -1;
  bool nonClient = false;
  DWORD time = 0;
  POINT pt{};
};

struct InputState {
  std::deque<RawInput> raw;
  bool routing = false;  // a thread is giving out the front event
  size_t routedPending = 0;
  POINT cursor{};
  HWND capture = nullptr;
  HWND foreground = nullptr;
  HCURSOR cursorShape = nullptr;
  BYTE asyncKeys[256] = {};
  UINT doubleClickTime = 500;
  bool altAlone = false;  // Alt pressed and no other key since: its release is a sys key
  ClickMemory lastClick;
  MouseTracking tracking;
};

InputState& InputLocked();
ThreadInput& ThreadInputLocked(DWORD threadId);
// The thread's state if it has one, else null.
ThreadInput* FindThreadInputLocked(DWORD threadId);

// Key state helpers.
inline bool KeyDown(const BYTE* keys, UINT vk) { return (keys[vk & 0xFF] & 0x80) != 0; }
WORD MouseKeysOf(const BYTE* keys);

// Calls `visit` on every thread's state.
void ForEachThreadInputLocked(const std::function<void(ThreadInput&)>& visit);

// Whether the window and all its ancestors are enabled / visible.
bool IsEnabledLocked(const Window& window);
bool IsVisibleLocked(const Window& window);
// The top-level window a window belongs to.
Window* TopLevelLocked(Window& window);

}  // namespace talix::user
