// Window data (Get/SetWindowLongPtrW), procedures, properties and window text.
#include "platform/user/window/atom_table.h"
#include "platform/user/window/window_object.h"

#include <algorithm>
#include <cstring>

using namespace talix::user;

namespace {

// Reads or writes `size` bytes of a window's extra bytes; false for an index out of range.
bool AccessExtra(Window& window, int index, size_t size, const LONG_PTR* set, LONG_PTR* old) {
  if (index < 0 || static_cast<size_t>(index) + size > window.extra.size()) return false;
  *old = 0;
  std::memcpy(old, window.extra.data() + index, size);
  if (size == sizeof(LONG)) *old = static_cast<LONG>(*old);  // sign-extend the 32-bit form
  if (set) std::memcpy(window.extra.data() + index, set, size);
  return true;
}

// The fields that have no messages attached; false for an unknown index.
bool AccessField(Window& window, int index, const LONG_PTR* set, LONG_PTR* old) {
  auto swap = [&](auto& field) {
    using T = std::remove_reference_t<decltype(field)>;
    *old = (LONG_PTR)field;
    if (set) field = (T)*set;
    return true;
  };
  switch (index) {
    case GWLP_WNDPROC: return swap(window.proc);
    case GWLP_HINSTANCE: return swap(window.instance);
    case GWLP_USERDATA: return swap(window.userData);
    case GWLP_ID: return swap(window.id);
    case GWL_STYLE: return swap(window.style);
    case GWL_EXSTYLE: return swap(window.exStyle);
    case GWLP_HWNDPARENT:
      *old = (LONG_PTR)((window.style & WS_CHILD) ? window.parent->hwnd
                        : window.owner ? window.owner->hwnd : nullptr);
      if (set && !(window.style & WS_CHILD)) window.owner = WindowLocked((HWND)*set);
      return true;
    default: return false;
  }
}

LONG_PTR AccessWindowLong(HWND hwnd, int index, size_t size, const LONG_PTR* set) {
  std::shared_ptr<Window> window = GetWindowObject(hwnd);
  if (!window) return 0;
  std::lock_guard<std::mutex> lock(UserLock());
  LONG_PTR old = 0;
  bool known = index >= 0 ? AccessExtra(*window, index, size, set, &old)
                          : AccessField(*window, index, set, &old);
  if (!known) SetLastError(ERROR_INVALID_INDEX);
  return old;
}

// Style changes go through WM_STYLECHANGING (which may edit the new style) and
// WM_STYLECHANGED.
LONG_PTR SetStyle(HWND hwnd, int index, LONG_PTR value) {
  LONG_PTR old = AccessWindowLong(hwnd, index, sizeof(LONG), nullptr);
  if (!IsWindow(hwnd)) return 0;
  STYLESTRUCT change{static_cast<DWORD>(old), static_cast<DWORD>(value)};
  SendMessageW(hwnd, WM_STYLECHANGING, index, reinterpret_cast<LPARAM>(&change));
  LONG_PTR applied = static_cast<DWORD>(change.styleNew);
  AccessWindowLong(hwnd, index, sizeof(LONG), &applied);
  SendMessageW(hwnd, WM_STYLECHANGED, index, reinterpret_cast<LPARAM>(&change));
  return static_cast<DWORD>(old);
}

bool IsPointerIndex(int index) {
  return index == GWLP_WNDPROC || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT;
}

}  // namespace

LONG_PTR GetWindowLongPtrW(HWND hwnd, int index) {
  LONG_PTR value = AccessWindowLong(hwnd, index, sizeof(LONG_PTR), nullptr);
  return (index == GWL_STYLE || index == GWL_EXSTYLE) ? static_cast<DWORD>(value) : value;
}

LONG_PTR SetWindowLongPtrW(HWND hwnd, int index, LONG_PTR value) {
  if (index == GWL_STYLE || index == GWL_EXSTYLE) return SetStyle(hwnd, index, value);
  return AccessWindowLong(hwnd, index, sizeof(LONG_PTR), &value);
}

LONG GetWindowLongW(HWND hwnd, int index) {
  if (IsPointerIndex(index)) {  // pointers do not fit the 32-bit form
    SetLastError(GetWindowObject(hwnd) ? ERROR_INVALID_INDEX : ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return static_cast<LONG>(AccessWindowLong(hwnd, index, sizeof(LONG), nullptr));
}

LONG SetWindowLongW(HWND hwnd, int index, LONG value) {
  if (IsPointerIndex(index)) {
    SetLastError(GetWindowObject(hwnd) ? ERROR_INVALID_INDEX : ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (index == GWL_STYLE || index == GWL_EXSTYLE)
    return static_cast<LONG>(SetStyle(hwnd, index, static_cast<DWORD>(value)));
  LONG_PTR wide = value;
  size_t size = index >= 0 ? sizeof(LONG) : sizeof(LONG_PTR);
  return static_cast<LONG>(AccessWindowLong(hwnd, index, size, &wide));
}

LRESULT CallWindowProcW(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

BOOL SetPropW(HWND hwnd, LPCWSTR name, HANDLE data) {
  std::shared_ptr<Window> window = GetWindowObject(hwnd);
  if (!window) return FALSE;
  std::lock_guard<std::mutex> lock(UserLock());
  ATOM atom = AtomOfArgumentLocked(name, true);
  if (!atom) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  auto& props = window->properties;
  auto it = std::find_if(props.begin(), props.end(), [&](auto& p) { return p.atom == atom; });
  if (it == props.end()) it = props.insert(props.end(), WindowProperty{atom, false, nullptr});
  it->fromString = !IsIntAtom(name);
  it->data = data;
  return TRUE;
}

namespace {

HANDLE FindProp(HWND hwnd, LPCWSTR name, bool remove) {
  std::shared_ptr<Window> window = GetWindowObject(hwnd);
  if (!window) return nullptr;
  std::lock_guard<std::mutex> lock(UserLock());
  ATOM atom = AtomOfArgumentLocked(name, false);
  auto& props = window->properties;
  auto it = std::find_if(props.begin(), props.end(), [&](auto& p) { return p.atom == atom; });
  if (!atom || it == props.end()) return nullptr;
  HANDLE data = it->data;
  if (remove) props.erase(it);
  return data;
}

}  // namespace

HANDLE GetPropW(HWND hwnd, LPCWSTR name) { return FindProp(hwnd, name, false); }
HANDLE RemovePropW(HWND hwnd, LPCWSTR name) { return FindProp(hwnd, name, true); }

int EnumPropsExW(HWND hwnd, PROPENUMPROCEXW proc, LPARAM lParam) {
  std::shared_ptr<Window> window = GetWindowObject(hwnd);
  if (!window || !proc) return -1;
  struct Entry {
    std::u16string name;
    ATOM atom;
    bool fromString;
    HANDLE data;
  };
  std::vector<Entry> entries;
  {
    std::lock_guard<std::mutex> lock(UserLock());
    for (const WindowProperty& p : window->properties) {
      const std::u16string* name = AtomNameLocked(p.atom);
      entries.push_back(Entry{name ? *name : u"", p.atom, p.fromString, p.data});
    }
  }
  int result = -1;
  for (Entry& e : entries) {
    LPWSTR key = e.fromString ? e.name.data() : reinterpret_cast<LPWSTR>(uintptr_t{e.atom});
    result = proc(hwnd, key, e.data, static_cast<ULONG_PTR>(lParam));
    if (!result) break;
  }
  return result;
}

BOOL SetWindowTextW(HWND hwnd, LPCWSTR text) {
  if (!GetWindowObject(hwnd)) return FALSE;
  return SendMessageW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

int GetWindowTextW(HWND hwnd, LPWSTR text, int maxCount) {
  if (!GetWindowObject(hwnd) || !text || maxCount <= 0) return 0;
  text[0] = 0;
  LRESULT copied = SendMessageW(hwnd, WM_GETTEXT, static_cast<WPARAM>(maxCount),
                                reinterpret_cast<LPARAM>(text));
  int count = static_cast<int>(std::clamp<LRESULT>(copied, 0, maxCount - 1));
  text[count] = 0;  // terminated even when a procedure reports more than it wrote
  return count;
}

int GetWindowTextLengthW(HWND hwnd) {
  if (!GetWindowObject(hwnd)) return 0;
  return static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
}
