// The window procedure of the system class "SysTabControl32".
#pragma once

#include <windows.h>

namespace talix::comctl::tab {

// Extra bytes of a tab control window: the control's state object.
constexpr int kTabStateOffset = 0;
constexpr int kTabExtraBytes = sizeof(LONG_PTR);

LRESULT CALLBACK TabControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace talix::comctl::tab
