// CQuorWindow: the window base of the skinned toolkit, a window handle and the virtual
// Create that makes a native window with the host's instance (CQuorLib::GetInstance).
// Message boxes use it directly; skinned controls use CQuorWindowImpl (QuorWindowImpl.h).
//
// The object never destroys its window: whoever created it (or its parent) does. The
// destructor is not virtual: skinned windows are deleted through their own class or
// through CQuorBackBuffer, never through a CQuorWindow pointer.
#pragma once

#include "frame/talix_export.h"

#include <windows.h>

class TALIX_LIB_API CQuorWindow {
 public:
  CQuorWindow() : m_hWnd(nullptr) {}

  // Creates the window with CreateWindowExW (child id `id`, creation data `param`),
  // stores its handle and returns it; null when the window manager refuses.
  virtual HWND Create(LPCWSTR className, HWND parent, RECT& rect, LPCWSTR windowName, UINT id,
                      DWORD style, DWORD exStyle, void* param);

  HWND m_hWnd;
};
