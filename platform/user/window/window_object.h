// The window manager's state: classes, windows and the window tree.
//
// One lock (UserLock) guards every class, window, property, queue and timer. It is never
// held while a window procedure runs, and never while taking the wait lock, so a procedure
// may call anything. Windows live in the handle table of kind Window; the table holds the
// owning shared pointer and the tree holds raw pointers, both changed under UserLock.
//
// The tree: the desktop window is the root; top-level windows are its children. Every
// `children` vector is in z-order, topmost first. Rectangles: `rect` is the window's
// rectangle in its parent's client coordinates (screen coordinates for top-level
// windows), `client` is the client area in coordinates relative to the window's top-left.
// Painting, input and composition walk this tree (see ForEachChildLocked and the queue
// sources in platform/user/message/message_queue.h).
#pragma once

#include <win/user.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace talix::user {

class MessageQueue;

std::mutex& UserLock();

struct WindowClass {
  std::u16string name;
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC proc = nullptr;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HICON iconSmall = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  LPCWSTR menuName = nullptr;  // points into menuNameText, or an integer resource id
  std::u16string menuNameText;
  int windowExtraBytes = 0;
  std::vector<unsigned char> extra;
  int liveWindows = 0;
  bool system = false;
};

struct WindowProperty {
  ATOM atom = 0;             // string keys are atoms of the atom table
  bool fromString = false;   // reported to EnumPropsExW by name
  HANDLE data = nullptr;
};

struct Window {
  HWND hwnd = nullptr;
  std::shared_ptr<WindowClass> cls;
  DWORD style = 0;
  DWORD exStyle = 0;
  WNDPROC proc = nullptr;
  HINSTANCE instance = nullptr;
  LONG_PTR id = 0;  // the child id, or the menu handle of a top-level window
  LONG_PTR userData = 0;
  std::vector<unsigned char> extra;
  std::u16string text;
  std::vector<WindowProperty> properties;
  Window* parent = nullptr;
  Window* owner = nullptr;
  std::vector<Window*> children;  // z-order, topmost first
  RECT rect{};
  RECT client{};
  RECT normalRect{};  // the restored rectangle while minimized or maximized
  // The shape set by SetWindowRgn, in window coordinates as the caller gave them (from
  // the top-right corner for WS_EX_LAYOUTRTL; read it through WindowRegionLocked); owned
  // by the window. Painting clips to it and hit-testing ignores points outside it. Null
  // for a rectangular window.
  HRGN windowRegion = nullptr;
  DWORD threadId = 0;
  std::shared_ptr<MessageQueue> queue;
  bool destroying = false;
};

// The window behind a handle, or null with ERROR_INVALID_WINDOW_HANDLE set.
std::shared_ptr<Window> GetWindowObject(HWND hwnd);
// The same without touching the last error.
std::shared_ptr<Window> PeekWindowObject(HWND hwnd);
Window* WindowLocked(HWND hwnd);  // null when stale; requires UserLock
Window* WindowOrErrorLocked(HWND hwnd);  // also sets ERROR_INVALID_WINDOW_HANDLE
// Adds a window to the table; null handle when the table is full.
HWND AddWindowObject(std::shared_ptr<Window> window);
void RemoveWindowObject(HWND hwnd);
size_t LiveWindowObjects();

// The desktop window (made on first use), and its object.
Window& DesktopLocked();
HWND DesktopHandle();

// Tree edits; require UserLock.
void LinkChildLocked(Window& parent, Window& child, bool atBottom);
void UnlinkLocked(Window& child);
bool IsDescendantLocked(const Window& ancestor, const Window& window);
// Screen rectangles of a window and of its client area. A child of a WS_EX_LAYOUTRTL
// parent is placed from the parent's right edge: its stored x coordinates are mirrored.
RECT WindowScreenRectLocked(const Window& window);
RECT ClientScreenRectLocked(const Window& window);
// The screen position of a window's client area (its top-left pixel, whatever the layout).
POINT ClientOriginLocked(const Window& window);
// A snapshot of handles, for callbacks that run without the lock.
std::vector<HWND> ChildHandlesLocked(const Window& parent);
std::vector<HWND> AllWindowsOfThreadLocked(DWORD threadId);

// Calls a window's current procedure on this thread.
LRESULT CallWindowProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Observers told when a window is about to go away (focus, capture, painting state).
using WindowGoneObserver = void (*)(HWND hwnd);
TALIX_EXPORT void AddWindowGoneObserver(WindowGoneObserver observer);
void NotifyWindowGone(HWND hwnd);

}  // namespace talix::user
