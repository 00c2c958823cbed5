// Hook chains (SetWindowsHookExW) as the window manager calls them.
#pragma once

#include <win/input.h>

namespace talix::user {

// Calls the chain of a hook kind for the calling thread, newest hook first (each hook
// passes on with CallNextHookEx). 0 when no hook of the kind applies.
LRESULT CallHookChain(int idHook, int code, WPARAM wParam, LPARAM lParam);
// Whether any hook of the kind is installed (a cheap test before building arguments).
bool HasHooks(int idHook);
// Runs a window procedure for a sent message between WH_CALLWNDPROC and
// WH_CALLWNDPROCRET; `fromThisThread` is the hooks' wParam.
LRESULT CallWindowProcedureWithHooks(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                     bool fromThisThread);

}  // namespace talix::user
