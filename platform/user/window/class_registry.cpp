// RegisterClass*, UnregisterClassW, GetClassInfo*, GetClassNameW and the class data.
#include "platform/user/window/class_registry.h"

#include "platform/comctl/tooltip/tooltip.h"
#include "platform/user/controls/button.h"
#include "platform/user/controls/static.h"
#include "platform/user/window/atom_table.h"

#include <win/dialog.h>
#include <win/wstr.h>

#include <algorithm>
#include <cstring>

namespace talix::user {
namespace {

std::vector<std::shared_ptr<WindowClass>>& Classes() {
  static auto* classes = new std::vector<std::shared_ptr<WindowClass>>;
  return *classes;
}

LRESULT CALLBACK PlaceholderControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

void AddSystemClassLocked(const char16_t* name, UINT style, int windowExtra, bool listed) {
  auto cls = std::make_shared<WindowClass>();
  cls->name = name;
  cls->atom = AddAtomLocked(cls->name);
  cls->style = style | CS_GLOBALCLASS;
  cls->proc = PlaceholderControlProc;
  cls->windowExtraBytes = windowExtra;
  cls->system = true;
  if (listed) Classes().push_back(std::move(cls));
}

void EnsureSystemClassesLocked() {
  static bool done = false;
  if (done) return;
  done = true;
  AddSystemClassLocked(u"Button", CS_DBLCLKS | CS_PARENTDC, controls::kButtonExtraBytes, true);
  Classes().back()->proc = controls::ButtonProc;
  AddSystemClassLocked(u"Static", CS_DBLCLKS | CS_PARENTDC, controls::kStaticExtraBytes, true);
  Classes().back()->proc = controls::StaticProc;
  AddSystemClassLocked(u"tooltips_class32", CS_DBLCLKS | CS_SAVEBITS,
                       comctl::tooltip::kTooltipExtraBytes, true);
  Classes().back()->proc = comctl::tooltip::TooltipProc;
  AddSystemClassLocked(u"Edit", CS_DBLCLKS | CS_PARENTDC, sizeof(LONG_PTR), true);
  AddSystemClassLocked(u"ComboBox", CS_DBLCLKS | CS_PARENTDC, sizeof(LONG_PTR), true);
  AddSystemClassLocked(u"ListBox", CS_DBLCLKS | CS_PARENTDC, sizeof(LONG_PTR), true);
  AddSystemClassLocked(u"ScrollBar", CS_DBLCLKS | CS_PARENTDC, sizeof(LONG_PTR), true);
  AddSystemClassLocked(u"#32770", CS_DBLCLKS | CS_SAVEBITS, DLGWINDOWEXTRA, true);
  Classes().back()->proc = DefDlgProcW;  // the dialog manager's class
}

bool SameName(const WindowClass& cls, ATOM atom) { return cls.atom == atom; }

// Finds a class registered exactly for `instance` (or global when `global`).
std::shared_ptr<WindowClass> FindInScopeLocked(ATOM atom, HINSTANCE instance, bool global) {
  for (auto& cls : Classes()) {
    if (!SameName(*cls, atom)) continue;
    bool isGlobal = (cls->style & CS_GLOBALCLASS) != 0;
    if (global ? isGlobal && !cls->system : !isGlobal && cls->instance == instance) return cls;
  }
  return nullptr;
}

bool ValidClassInfo(const WNDCLASSEXW& wc) {
  return wc.lpszClassName && wc.cbClsExtra >= 0 && wc.cbWndExtra >= 0 &&
         wc.cbClsExtra <= 40 * 1024 && wc.cbWndExtra <= 40 * 1024 &&
         (IS_INTRESOURCE(wc.lpszClassName) || wc.lpszClassName[0]);
}

void CopyMenuName(WindowClass& cls, LPCWSTR menuName) {
  if (!menuName || IS_INTRESOURCE(menuName)) {
    cls.menuName = menuName;
    return;
  }
  cls.menuNameText = menuName;
  cls.menuName = cls.menuNameText.c_str();
}

std::shared_ptr<WindowClass> ClassOfWindow(HWND hwnd) {
  std::shared_ptr<Window> window = GetWindowObject(hwnd);
  return window ? window->cls : nullptr;
}

}  // namespace

std::shared_ptr<WindowClass> FindClassLocked(LPCWSTR nameOrAtom, HINSTANCE instance) {
  EnsureSystemClassesLocked();
  ATOM atom = AtomOfArgumentLocked(nameOrAtom, false);
  if (!atom) return nullptr;
  if (auto cls = FindInScopeLocked(atom, instance, false)) return cls;
  if (auto cls = FindInScopeLocked(atom, instance, true)) return cls;
  for (auto& cls : Classes())
    if (cls->system && SameName(*cls, atom)) return cls;
  return nullptr;
}

std::shared_ptr<WindowClass> DesktopClassLocked() {
  static std::shared_ptr<WindowClass>* desktop = [] {
    auto* cls = new std::shared_ptr<WindowClass>(std::make_shared<WindowClass>());
    (*cls)->name = u"#32769";
    (*cls)->atom = AddAtomLocked((*cls)->name);
    (*cls)->proc = DefWindowProcW;
    (*cls)->system = true;
    return cls;
  }();
  return *desktop;
}

bool ReplaceSystemClassProc(LPCWSTR className, WNDPROC proc) {
  std::lock_guard<std::mutex> lock(UserLock());
  EnsureSystemClassesLocked();
  ATOM atom = AtomOfArgumentLocked(className, false);
  for (auto& cls : Classes())
    if (cls->system && SameName(*cls, atom)) {
      cls->proc = proc;
      return true;
    }
  return false;
}

}  // namespace talix::user

using namespace talix::user;

ATOM RegisterClassExW(const WNDCLASSEXW* wc) {
  if (!wc || wc->cbSize != sizeof(WNDCLASSEXW) || !ValidClassInfo(*wc)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::lock_guard<std::mutex> lock(UserLock());
  EnsureSystemClassesLocked();
  ATOM atom = AtomOfArgumentLocked(wc->lpszClassName, true);
  if (!atom) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  bool global = (wc->style & CS_GLOBALCLASS) != 0;
  if (FindInScopeLocked(atom, wc->hInstance, global)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  auto cls = std::make_shared<WindowClass>();
  const std::u16string* name = AtomNameLocked(atom);
  cls->name = name ? *name : u"";
  cls->atom = atom;
  cls->style = wc->style;
  cls->proc = wc->lpfnWndProc;
  cls->instance = wc->hInstance;
  cls->icon = wc->hIcon;
  cls->iconSmall = wc->hIconSm;
  cls->cursor = wc->hCursor;
  cls->background = wc->hbrBackground;
  CopyMenuName(*cls, wc->lpszMenuName);
  cls->windowExtraBytes = wc->cbWndExtra;
  cls->extra.assign(static_cast<size_t>(wc->cbClsExtra), 0);
  Classes().push_back(std::move(cls));
  return atom;
}

ATOM RegisterClassW(const WNDCLASSW* wc) {
  if (!wc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  WNDCLASSEXW ex{sizeof(WNDCLASSEXW), wc->style, wc->lpfnWndProc, wc->cbClsExtra,
                 wc->cbWndExtra, wc->hInstance, wc->hIcon, wc->hCursor, wc->hbrBackground,
                 wc->lpszMenuName, wc->lpszClassName, nullptr};
  return RegisterClassExW(&ex);
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE instance) {
  std::lock_guard<std::mutex> lock(UserLock());
  ATOM atom = AtomOfArgumentLocked(className, false);
  auto& classes = Classes();
  auto it = std::find_if(classes.begin(), classes.end(), [&](auto& cls) {
    return !cls->system && SameName(*cls, atom) &&
           (cls->instance == instance || (cls->style & CS_GLOBALCLASS));
  });
  if (!atom || it == classes.end()) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  if ((*it)->liveWindows > 0) {
    SetLastError(ERROR_CLASS_HAS_WINDOWS);
    return FALSE;
  }
  classes.erase(it);
  return TRUE;
}

BOOL GetClassInfoExW(HINSTANCE instance, LPCWSTR className, LPWNDCLASSEXW wc) {
  if (!wc || !className) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::lock_guard<std::mutex> lock(UserLock());
  std::shared_ptr<WindowClass> cls = FindClassLocked(className, instance);
  if (!cls) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  wc->style = cls->style;
  wc->lpfnWndProc = cls->proc;
  wc->cbClsExtra = static_cast<int>(cls->extra.size());
  wc->cbWndExtra = cls->windowExtraBytes;
  wc->hInstance = cls->system ? nullptr : cls->instance;
  wc->hIcon = cls->icon;
  wc->hIconSm = cls->iconSmall;
  wc->hCursor = cls->cursor;
  wc->hbrBackground = cls->background;
  wc->lpszMenuName = cls->menuName;
  wc->lpszClassName = className;
  return cls->atom;  // documented: the class atom as the non-zero result
}

BOOL GetClassInfoW(HINSTANCE instance, LPCWSTR className, LPWNDCLASSW wc) {
  WNDCLASSEXW ex{};
  ex.cbSize = sizeof(ex);
  if (!wc || !GetClassInfoExW(instance, className, &ex)) {
    if (!wc) SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *wc = WNDCLASSW{ex.style, ex.lpfnWndProc, ex.cbClsExtra, ex.cbWndExtra, ex.hInstance,
                  ex.hIcon, ex.hCursor, ex.hbrBackground, ex.lpszMenuName, ex.lpszClassName};
  return TRUE;
}

int GetClassNameW(HWND hwnd, LPWSTR name, int maxCount) {
  std::shared_ptr<WindowClass> cls = ClassOfWindow(hwnd);
  if (!cls) return 0;
  if (!name || maxCount <= 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  size_t count = std::min(cls->name.size(), static_cast<size_t>(maxCount - 1));
  std::memcpy(name, cls->name.data(), count * sizeof(WCHAR));
  name[count] = 0;
  return static_cast<int>(count);
}

namespace {

// Reads or replaces one class field; `set` null to read.
ULONG_PTR ClassField(WindowClass& cls, int index, const LONG_PTR* set, size_t size) {
  if (index >= 0) {
    if (static_cast<size_t>(index) + size > cls.extra.size()) {
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
    }
    ULONG_PTR old = 0;
    std::memcpy(&old, cls.extra.data() + index, size);
    if (set) std::memcpy(cls.extra.data() + index, set, size);
    return old;
  }
  auto swap = [&](auto& field) {
    using T = std::remove_reference_t<decltype(field)>;
    ULONG_PTR old = (ULONG_PTR)field;
    if (set) field = (T)*set;
    return old;
  };
  switch (index) {
    case GCL_STYLE: return swap(cls.style);
    case GCLP_WNDPROC: return swap(cls.proc);
    case GCLP_HBRBACKGROUND: return swap(cls.background);
    case GCLP_HCURSOR: return swap(cls.cursor);
    case GCLP_HICON: return swap(cls.icon);
    case GCLP_HICONSM: return swap(cls.iconSmall);
    case GCLP_HMODULE: return swap(cls.instance);
    case GCL_CBWNDEXTRA: return swap(cls.windowExtraBytes);
    case GCL_CBCLSEXTRA: return set ? 0 : cls.extra.size();
    case GCW_ATOM: return set ? 0 : cls.atom;
    case GCLP_MENUNAME: return set ? 0 : (ULONG_PTR)cls.menuName;
    default:
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
  }
}

ULONG_PTR AccessClassField(HWND hwnd, int index, const LONG_PTR* set, size_t size) {
  std::shared_ptr<WindowClass> cls = ClassOfWindow(hwnd);
  if (!cls) return 0;
  std::lock_guard<std::mutex> lock(UserLock());
  SetLastError(ERROR_SUCCESS);
  return ClassField(*cls, index, set, size);
}

}  // namespace

ULONG_PTR GetClassLongPtrW(HWND hwnd, int index) {
  return AccessClassField(hwnd, index, nullptr, sizeof(LONG_PTR));
}

ULONG_PTR SetClassLongPtrW(HWND hwnd, int index, LONG_PTR value) {
  return AccessClassField(hwnd, index, &value, sizeof(LONG_PTR));
}

DWORD GetClassLongW(HWND hwnd, int index) {
  return static_cast<DWORD>(AccessClassField(hwnd, index, nullptr, sizeof(LONG)));
}

DWORD SetClassLongW(HWND hwnd, int index, LONG value) {
  LONG_PTR wide = value;
  return static_cast<DWORD>(AccessClassField(hwnd, index, &wide, sizeof(LONG)));
}
