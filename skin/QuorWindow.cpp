#include "skin/QuorWindow.h"

#include "frame/QuorLib.h"

HWND CQuorWindow::Create(LPCWSTR className, HWND parent, RECT& rect, LPCWSTR windowName,
                         UINT id, DWORD style, DWORD exStyle, void* param) {
  m_hWnd = CreateWindowExW(exStyle, className, windowName, style, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, parent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                           CQuorLib::GetInstance(), param);
  return m_hWnd;
}
