// CreateWindowExW.
//
// The messages of a creation, in order: WM_GETMINMAXINFO (overlapped and sizable
// windows), WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE; then for WS_VISIBLE
// the ShowWindow messages (WM_SHOWWINDOW, WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED);
// last WM_PARENTNOTIFY to the parent of a child (and on up the chain of children)
// without WS_EX_NOPARENTNOTIFY. A top-level window created without a menu gets the one
// its class names (lpszMenuName), loaded from the class's module. WM_NCCREATE returning FALSE ends the creation with only
// WM_NCDESTROY; WM_CREATE returning -1 destroys the window. Either way the result is null.
//
// Limits: HWND_MESSAGE windows are kept outside the tree (no parent, not enumerated).
#include "platform/user/message/message_queue.h"
#include "platform/user/window/class_registry.h"
#include "platform/user/window/frame_metrics.h"
#include "platform/user/window/window_object.h"
#include "platform/user/window/window_pos.h"

#include <talix/host_screen.h>

#include <win/menu.h>
#include <win/sync.h>

#include <algorithm>

using namespace talix;
using namespace talix::user;

namespace {

struct Placement {
  int x, y, cx, cy;
};

// CW_USEDEFAULT for overlapped windows: cascaded positions, three quarters of the work area.
Placement DefaultPlacement(DWORD style, int x, int y, int cx, int cy) {
  bool overlapped = !(style & (WS_POPUP | WS_CHILD));
  if (!overlapped) {
    if (x == CW_USEDEFAULT) x = y = 0;
    if (cx == CW_USEDEFAULT) cx = cy = 0;
    return {x, y, cx, cy};
  }
  const RECT& area = host::GetScreenParams().workArea;
  static int cascade = 0;  // guarded by UserLock
  if (x == CW_USEDEFAULT) {
    int step = 26 * (cascade++ % 8);
    x = area.left + step;
    y = area.top + step;
  }
  if (cx == CW_USEDEFAULT) {
    cx = (area.right - area.left) * 3 / 4;
    cy = (area.bottom - area.top) * 3 / 4;
  }
  return {x, y, cx, cy};
}

// Makes the window object and links it into the tree; null with the last error set.
HWND MakeWindow(DWORD exStyle, LPCWSTR className, DWORD style, HWND parent, HMENU menu,
                HINSTANCE instance, Placement* place) {
  std::shared_ptr<MessageQueue> queue = CurrentQueue();
  std::lock_guard<std::mutex> lock(UserLock());
  std::shared_ptr<WindowClass> cls = FindClassLocked(className, instance);
  if (!cls) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  bool messageOnly = parent == HWND_MESSAGE;
  Window* parentWindow = parent && !messageOnly ? WindowLocked(parent) : nullptr;
  if (parent && !messageOnly && !parentWindow) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  if ((style & WS_CHILD) && !parentWindow) {
    SetLastError(parent ? ERROR_INVALID_WINDOW_HANDLE : ERROR_TLW_WITH_WSCHILD);
    return nullptr;
  }
  auto window = std::make_shared<Window>();
  window->cls = cls;
  window->style = style & ~WS_VISIBLE;
  if (!(style & (WS_POPUP | WS_CHILD))) window->style |= WS_CLIPSIBLINGS | WS_CAPTION;
  window->exStyle = exStyle;
  // Children take a right-to-left parent's layout unless it asks them not to.
  if ((style & WS_CHILD) && (parentWindow->exStyle & WS_EX_LAYOUTRTL) &&
      !(parentWindow->exStyle & WS_EX_NOINHERITLAYOUT)) {
    window->exStyle |= WS_EX_LAYOUTRTL;
  }
  window->proc = cls->proc;
  window->instance = instance;
  window->id = reinterpret_cast<LONG_PTR>(menu);
  window->extra.assign(static_cast<size_t>(cls->windowExtraBytes), 0);
  window->threadId = GetCurrentThreadId();
  window->queue = queue;
  *place = DefaultPlacement(style, place->x, place->y, place->cx, place->cy);
  window->rect = RECT{place->x, place->y, place->x + std::max(place->cx, 0),
                      place->y + std::max(place->cy, 0)};
  Window* raw = window.get();
  HWND hwnd = AddWindowObject(std::move(window));
  if (!hwnd) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  ++cls->liveWindows;
  if (messageOnly) return hwnd;
  if (style & WS_CHILD) {
    LinkChildLocked(*parentWindow, *raw, false);
  } else {
    LinkChildLocked(DesktopLocked(), *raw, false);
    if (parentWindow) {  // the owner is the parent's top-level window
      Window* root = parentWindow;
      while (root->parent && root->parent->parent) root = root->parent;
      raw->owner = root;
    }
  }
  return hwnd;
}

// Applies WM_GETMINMAXINFO's track sizes to the requested size.
void ApplyMinMax(HWND hwnd, DWORD style, DWORD exStyle, CREATESTRUCTW* cs) {
  MINMAXINFO info = DefaultMinMaxInfo(style, exStyle);
  SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  cs->cx = std::clamp<int>(cs->cx, std::min(info.ptMinTrackSize.x, info.ptMaxTrackSize.x),
                           info.ptMaxTrackSize.x);
  cs->cy = std::clamp<int>(cs->cy, std::min(info.ptMinTrackSize.y, info.ptMaxTrackSize.y),
                           info.ptMaxTrackSize.y);
  std::lock_guard<std::mutex> lock(UserLock());
  if (Window* window = WindowLocked(hwnd))
    window->rect = RECT{cs->x, cs->y, cs->x + cs->cx, cs->y + cs->cy};
}

void CalcInitialClient(HWND hwnd) {
  RECT rect;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    rect = WindowLocked(hwnd)->rect;
  }
  RECT client = rect;
  SendMessageW(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
  std::lock_guard<std::mutex> lock(UserLock());
  if (Window* window = WindowLocked(hwnd))
    window->client = RECT{client.left - rect.left, client.top - rect.top,
                          std::max(client.right, client.left) - rect.left,
                          std::max(client.bottom, client.top) - rect.top};
}

// Frees a window whose WM_NCCREATE refused the creation.
void AbandonWindow(HWND hwnd) {
  SendMessageW(hwnd, WM_NCDESTROY, 0, 0);
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowLocked(hwnd);
  if (!window) return;
  UnlinkLocked(*window);
  --window->cls->liveWindows;
  RemoveWindowObject(hwnd);
}

}  // namespace

namespace talix::user {

// WM_PARENTNOTIFY up the chain of child windows, stopping at WS_EX_NOPARENTNOTIFY.
void NotifyParents(HWND hwnd, WORD event) {
  HWND child = hwnd;
  for (;;) {
    HWND parent;
    UINT id;
    {
      std::lock_guard<std::mutex> lock(UserLock());
      Window* window = WindowLocked(child);
      if (!window || !(window->style & WS_CHILD) || (window->exStyle & WS_EX_NOPARENTNOTIFY) ||
          !window->parent)
        return;
      parent = window->parent->hwnd;
      id = static_cast<UINT>(WindowLocked(hwnd)->id);
    }
    SendMessageW(parent, WM_PARENTNOTIFY, MAKEWPARAM(event, id), reinterpret_cast<LPARAM>(hwnd));
    child = parent;
  }
}

// The menu a top-level window without one of its own gets from its class's menu name,
// loaded from the class's module; null when the class names none or it cannot be loaded.
HMENU LoadClassMenu(LPCWSTR className, HINSTANCE instance) {
  HINSTANCE module;
  std::u16string name;
  LPCWSTR id;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    std::shared_ptr<WindowClass> cls = FindClassLocked(className, instance);
    if (!cls || !cls->menuName) return nullptr;
    module = cls->instance;
    name = IS_INTRESOURCE(cls->menuName) ? u"" : cls->menuNameText;
    id = IS_INTRESOURCE(cls->menuName) ? cls->menuName : nullptr;
  }
  return LoadMenuW(module, id ? id : name.c_str());
}

}  // namespace talix::user

HWND CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style,
                     int x, int y, int width, int height, HWND parent, HMENU menu,
                     HINSTANCE instance, LPVOID param) {
  Placement place{x, y, width, height};
  HMENU classMenu = nullptr;
  if (!menu && !(style & WS_CHILD)) menu = classMenu = LoadClassMenu(className, instance);
  HWND hwnd = MakeWindow(exStyle, className, style, parent, menu, instance, &place);
  if (!hwnd) {
    if (classMenu) DestroyMenu(classMenu);
    return nullptr;
  }
  CREATESTRUCTW cs{param, instance, menu, parent, place.cy, place.cx, place.y, place.x,
                   static_cast<LONG>(style), windowName, className, exStyle};
  if (WantsMinMaxInfo(style)) ApplyMinMax(hwnd, style, exStyle, &cs);
  if (!SendMessageW(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
    AbandonWindow(hwnd);
    if (classMenu && IsMenu(classMenu)) DestroyMenu(classMenu);
    return nullptr;
  }
  if (!IsWindow(hwnd)) return nullptr;
  CalcInitialClient(hwnd);
  if (SendMessageW(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  if (!IsWindow(hwnd)) return nullptr;
  SendSizeAndMove(hwnd);
  if (style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
  NotifyParents(hwnd, WM_CREATE);
  return IsWindow(hwnd) ? hwnd : nullptr;
}
