#include "platform/user/window/window_object.h"

#include "platform/kernel/handle_table.h"
#include "platform/user/window/class_registry.h"

#include <talix/host_screen.h>

#include <algorithm>

namespace talix::user {
namespace {

HandleTable<Window>& Windows() {
  static auto* table = new HandleTable<Window>(HandleKind::Window);  // outlives threads
  return *table;
}

struct ObserverList {
  std::mutex mutex;
  std::vector<WindowGoneObserver> list;
};

ObserverList& Observers() {
  static auto* observers = new ObserverList;
  return *observers;
}

Window* g_desktop = nullptr;  // guarded by UserLock

}  // namespace

std::mutex& UserLock() {
  static auto* lock = new std::mutex;
  return *lock;
}

std::shared_ptr<Window> PeekWindowObject(HWND hwnd) {
  return Windows().Get(ValueOfHandle(hwnd));
}

std::shared_ptr<Window> GetWindowObject(HWND hwnd) {
  std::shared_ptr<Window> window = PeekWindowObject(hwnd);
  if (!window) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return window;
}

Window* WindowLocked(HWND hwnd) { return Windows().Peek(ValueOfHandle(hwnd)); }

Window* WindowOrErrorLocked(HWND hwnd) {
  Window* window = WindowLocked(hwnd);
  if (!window) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return window;
}

HWND AddWindowObject(std::shared_ptr<Window> window) {
  Window* raw = window.get();
  uint32_t value = Windows().Add(std::move(window));
  raw->hwnd = value ? HandleFromValue<HWND>(value) : nullptr;
  return raw->hwnd;
}

void RemoveWindowObject(HWND hwnd) { Windows().Take(ValueOfHandle(hwnd)); }

size_t LiveWindowObjects() {
  std::lock_guard<std::mutex> lock(UserLock());
  return Windows().LiveCount() - (g_desktop ? 1 : 0);
}

Window& DesktopLocked() {
  if (!g_desktop) {
    auto desktop = std::make_shared<Window>();
    desktop->cls = DesktopClassLocked();
    desktop->proc = desktop->cls->proc;
    desktop->style = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    const host::ScreenParams& screen = host::GetScreenParams();
    desktop->rect = RECT{0, 0, screen.width, screen.height};
    desktop->client = desktop->rect;
    g_desktop = desktop.get();
    AddWindowObject(std::move(desktop));
  }
  return *g_desktop;
}

HWND DesktopHandle() {
  std::lock_guard<std::mutex> lock(UserLock());
  return DesktopLocked().hwnd;
}

void LinkChildLocked(Window& parent, Window& child, bool atBottom) {
  child.parent = &parent;
  if (atBottom) {
    parent.children.push_back(&child);
    return;
  }
  // Above every sibling, but below topmost windows unless it is topmost itself.
  auto it = parent.children.begin();
  if (!(child.exStyle & WS_EX_TOPMOST))
    while (it != parent.children.end() && ((*it)->exStyle & WS_EX_TOPMOST)) ++it;
  parent.children.insert(it, &child);
}

void UnlinkLocked(Window& child) {
  if (!child.parent) return;
  auto& siblings = child.parent->children;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), &child), siblings.end());
  child.parent = nullptr;
}

bool IsDescendantLocked(const Window& ancestor, const Window& window) {
  for (const Window* w = window.parent; w; w = w->parent)
    if (w == &ancestor) return true;
  return false;
}

RECT WindowScreenRectLocked(const Window& window) {
  if (!window.parent || !window.parent->parent) return window.rect;
  const Window& parent = *window.parent;
  RECT client = ClientScreenRectLocked(parent);
  RECT r = window.rect;
  if (parent.exStyle & WS_EX_LAYOUTRTL) {
    int width = r.right - r.left;
    r.left = client.right - window.rect.right;
    r.right = r.left + width;
  } else {
    r.left += client.left;
    r.right += client.left;
  }
  r.top += client.top;
  r.bottom += client.top;
  return r;
}

RECT ClientScreenRectLocked(const Window& window) {
  RECT w = WindowScreenRectLocked(window);
  return RECT{w.left + window.client.left, w.top + window.client.top,
              w.left + window.client.right, w.top + window.client.bottom};
}

POINT ClientOriginLocked(const Window& window) {
  RECT client = ClientScreenRectLocked(window);
  return POINT{client.left, client.top};
}

std::vector<HWND> ChildHandlesLocked(const Window& parent) {
  std::vector<HWND> handles;
  handles.reserve(parent.children.size());
  for (const Window* child : parent.children) handles.push_back(child->hwnd);
  return handles;
}

std::vector<HWND> AllWindowsOfThreadLocked(DWORD threadId) {
  std::vector<HWND> handles;
  Windows().ForEach([&](uint32_t value, Window* window) {
    if (window->threadId == threadId && window != g_desktop)
      handles.push_back(HandleFromValue<HWND>(value));
  });
  return handles;
}

LRESULT CallWindowProcedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WNDPROC proc;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    Window* window = WindowLocked(hwnd);
    if (!window) return 0;
    proc = window->proc;
  }
  return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

void AddWindowGoneObserver(WindowGoneObserver observer) {
  std::lock_guard<std::mutex> lock(Observers().mutex);
  Observers().list.push_back(observer);
}

void NotifyWindowGone(HWND hwnd) {
  std::vector<WindowGoneObserver> list;
  {
    std::lock_guard<std::mutex> lock(Observers().mutex);
    list = Observers().list;
  }
  for (WindowGoneObserver observer : list) observer(hwnd);
}

}  // namespace talix::user
