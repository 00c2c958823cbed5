// Registered window classes: per-module classes, CS_GLOBALCLASS classes and the system
// classes. The system control classes ("Button", "Static", "Edit", "ComboBox", "ListBox",
// "ScrollBar"), the dialog class "#32770" and the popup menu class "#32768" are
// registered here with placeholder
// procedures that behave as DefWindowProcW; the native controls and the dialog manager
// replace them through ReplaceSystemClassProc.
#pragma once

#include "platform/user/window/window_object.h"

namespace talix::user {

// The class a window of `instance` would be created from: a class of that module first,
// then a global class, then a system class. Requires UserLock.
std::shared_ptr<WindowClass> FindClassLocked(LPCWSTR nameOrAtom, HINSTANCE instance);
std::shared_ptr<WindowClass> DesktopClassLocked();
// Sets the procedure of a system class (for the areas that implement the controls).
TALIX_EXPORT bool ReplaceSystemClassProc(LPCWSTR className, WNDPROC proc);

}  // namespace talix::user
