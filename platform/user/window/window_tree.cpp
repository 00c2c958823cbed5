// Parents, owners, children, z-order, enumeration and finding windows.
#include "platform/user/window/window_object.h"

#include "platform/user/window/atom_table.h"
#include "platform/user/window/class_registry.h"

#include <win/sync.h>

using namespace talix::user;

namespace {

HWND HandleOf(const Window* window) { return window ? window->hwnd : nullptr; }

// Calls proc for each handle until it returns FALSE; the windows may go away meanwhile.
BOOL EnumHandles(const std::vector<HWND>& handles, WNDENUMPROC proc, LPARAM lParam) {
  for (HWND hwnd : handles)
    if (IsWindow(hwnd) && !proc(hwnd, lParam)) return FALSE;
  return TRUE;
}

void CollectDescendantsLocked(const Window& parent, std::vector<HWND>* out) {
  for (const Window* child : parent.children) {
    out->push_back(child->hwnd);
    CollectDescendantsLocked(*child, out);
  }
}

bool MatchesLocked(const Window& window, ATOM classAtom, bool anyClass, LPCWSTR title) {
  if (!anyClass && window.cls->atom != classAtom) return false;
  return !title || window.text == title;
}

}  // namespace

BOOL IsWindow(HWND hwnd) { return hwnd && PeekWindowObject(hwnd) ? TRUE : FALSE; }

BOOL IsChild(HWND parent, HWND hwnd) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* p = WindowLocked(parent);
  Window* w = WindowLocked(hwnd);
  if (!p || !w) return FALSE;
  for (Window* a = w; a->parent && (a->style & WS_CHILD); a = a->parent)
    if (a->parent == p) return TRUE;
  return FALSE;
}

DWORD GetWindowThreadProcessId(HWND hwnd, LPDWORD processId) {
  std::shared_ptr<Window> window = GetWindowObject(hwnd);
  if (!window) return 0;
  if (processId) *processId = GetCurrentProcessId();
  std::lock_guard<std::mutex> lock(UserLock());
  return window->threadId;
}

HWND GetDesktopWindow(void) { return DesktopHandle(); }

HWND GetParent(HWND hwnd) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowOrErrorLocked(hwnd);
  if (!window) return nullptr;
  if (window->style & WS_CHILD) return HandleOf(window->parent);
  return (window->style & WS_POPUP) ? HandleOf(window->owner) : nullptr;
}

HWND GetAncestor(HWND hwnd, UINT flags) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowOrErrorLocked(hwnd);
  if (!window) return nullptr;
  if (!window->parent) return nullptr;  // the desktop and message-only windows
  switch (flags) {
    case GA_PARENT: return HandleOf(window->parent);
    case GA_ROOT:
    case GA_ROOTOWNER: {
      Window* root = window;
      while (root->parent && root->parent->parent) root = root->parent;
      if (flags == GA_ROOTOWNER)
        while (root->owner) root = root->owner;
      return root->hwnd;
    }
    default: return nullptr;
  }
}

HWND SetParent(HWND child, HWND newParent) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowLocked(child);
  Window* parent = newParent ? WindowLocked(newParent) : &DesktopLocked();
  if (!window || !parent) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  if (parent == window || IsDescendantLocked(*window, *parent) || !window->parent) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HWND old = window->parent->hwnd;
  UnlinkLocked(*window);
  LinkChildLocked(*parent, *window, false);
  return old;
}

HWND GetWindow(HWND hwnd, UINT cmd) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowOrErrorLocked(hwnd);
  if (!window) return nullptr;
  if (cmd == GW_OWNER) return HandleOf(window->owner);
  if (cmd == GW_CHILD) return window->children.empty() ? nullptr : window->children.front()->hwnd;
  if (cmd == GW_ENABLEDPOPUP) return nullptr;
  if (cmd > GW_ENABLEDPOPUP) {
    SetLastError(ERROR_INVALID_GW_COMMAND);
    return nullptr;
  }
  if (!window->parent) return nullptr;
  const auto& siblings = window->parent->children;
  size_t i = 0;
  while (i < siblings.size() && siblings[i] != window) ++i;
  switch (cmd) {
    case GW_HWNDFIRST: return siblings.front()->hwnd;
    case GW_HWNDLAST: return siblings.back()->hwnd;
    case GW_HWNDNEXT: return i + 1 < siblings.size() ? siblings[i + 1]->hwnd : nullptr;
    default: return i > 0 ? siblings[i - 1]->hwnd : nullptr;
  }
}

HWND GetTopWindow(HWND hwnd) {
  return GetWindow(hwnd ? hwnd : GetDesktopWindow(), GW_CHILD);
}

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
  if (!proc) return FALSE;
  std::vector<HWND> handles;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    Window* p = parent ? WindowLocked(parent) : &DesktopLocked();
    if (!p) return FALSE;
    CollectDescendantsLocked(*p, &handles);
  }
  return EnumHandles(handles, proc, lParam);
}

BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam) {
  if (!proc) return FALSE;
  std::vector<HWND> handles;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    handles = ChildHandlesLocked(DesktopLocked());
  }
  return EnumHandles(handles, proc, lParam);
}

BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC proc, LPARAM lParam) {
  if (!proc) return FALSE;
  std::vector<HWND> handles;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    for (Window* w : DesktopLocked().children)
      if (w->threadId == threadId) handles.push_back(w->hwnd);
  }
  if (handles.empty()) return FALSE;
  return EnumHandles(handles, proc, lParam);
}

HWND FindWindowExW(HWND parent, HWND childAfter, LPCWSTR className, LPCWSTR windowName) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* p = parent ? WindowLocked(parent) : &DesktopLocked();
  if (!p) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  bool anyClass = className == nullptr;
  ATOM atom = AtomOfArgumentLocked(className, false);
  if (!anyClass && !atom) return nullptr;
  bool started = childAfter == nullptr;
  for (Window* child : p->children) {
    if (!started) {
      started = child->hwnd == childAfter;
      continue;
    }
    if (MatchesLocked(*child, atom, anyClass, windowName)) return child->hwnd;
  }
  return nullptr;
}

HWND FindWindowW(LPCWSTR className, LPCWSTR windowName) {
  return FindWindowExW(nullptr, nullptr, className, windowName);
}

HWND GetDlgItem(HWND dialog, int id) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowOrErrorLocked(dialog);
  if (!window) return nullptr;
  for (Window* child : window->children)
    if (static_cast<int>(child->id) == id) return child->hwnd;
  SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
  return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
  std::lock_guard<std::mutex> lock(UserLock());
  Window* window = WindowOrErrorLocked(hwnd);
  if (!window) return 0;
  return (window->style & WS_CHILD) ? static_cast<int>(window->id) : 0;
}
