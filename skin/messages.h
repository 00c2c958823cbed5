// Private window messages of the skinned windows. Fixed numbers, not registered, so that
// every module of the family agrees on them without a round trip through the system.
#pragma once

#include <windows.h>

// Drop the receiver's back buffer; no repaint is requested. wParam and lParam are
// ignored (senders pass 0).
#define UWM_INVALIDATEBACKBUFFER 0x7FFD

// Paint the part of the receiver's back buffer that lies behind a child. wParam is the
// asking child's HWND; lParam a PAINTSTRUCT* whose hdc is the child's device context and
// whose rcPaint is the rectangle to fill, in the child's client coordinates. Requests
// without a live child window or without a PAINTSTRUCT are ignored.
#define UWM_REPAINT 0x7FFE

// Owner-draw notification reflected back to a control by its parent.
#ifndef OCM_DRAWITEM
#define OCM__BASE (WM_USER + 0x1C00)
#define OCM_DRAWITEM (OCM__BASE + WM_DRAWITEM)
#endif
