// Keyboard and mouse input, focus, activation, capture, cursors and hooks.
//
// Limits: one keyboard layout (US English) for character translation and scan codes;
// WH_KEYBOARD, WH_MOUSE, WH_GETMESSAGE, WH_CALLWNDPROC(RET) and WH_MSGFILTER are the
// hook kinds that are called; others can be installed but never run. The module handle
// of SetWindowsHookExW is ignored: every hook runs in this process.
#pragma once

#include <win/user.h>

// Virtual keys.
#define VK_LBUTTON 0x01
#define VK_RBUTTON 0x02
#define VK_CANCEL 0x03
#define VK_MBUTTON 0x04
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_CLEAR 0x0C
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_PAUSE 0x13
#define VK_CAPITAL 0x14
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_SNAPSHOT 0x2C
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_HELP 0x2F
#define VK_LWIN 0x5B
#define VK_RWIN 0x5C
#define VK_APPS 0x5D
#define VK_NUMPAD0 0x60
#define VK_NUMPAD9 0x69
#define VK_MULTIPLY 0x6A
#define VK_ADD 0x6B
#define VK_SEPARATOR 0x6C
#define VK_SUBTRACT 0x6D
#define VK_DECIMAL 0x6E
#define VK_DIVIDE 0x6F
#define VK_F1 0x70
#define VK_F2 0x71
#define VK_F3 0x72
#define VK_F4 0x73
#define VK_F5 0x74
#define VK_F6 0x75
#define VK_F7 0x76
#define VK_F8 0x77
#define VK_F9 0x78
#define VK_F10 0x79
#define VK_F11 0x7A
#define VK_F12 0x7B
#define VK_NUMLOCK 0x90
#define VK_SCROLL 0x91
#define VK_LSHIFT 0xA0
#define VK_RSHIFT 0xA1
#define VK_LCONTROL 0xA2
#define VK_RCONTROL 0xA3
#define VK_LMENU 0xA4
#define VK_RMENU 0xA5
#define VK_OEM_1 0xBA
#define VK_OEM_PLUS 0xBB
#define VK_OEM_COMMA 0xBC
#define VK_OEM_MINUS 0xBD
#define VK_OEM_PERIOD 0xBE
#define VK_OEM_2 0xBF
#define VK_OEM_3 0xC0
#define VK_OEM_4 0xDB
#define VK_OEM_5 0xDC
#define VK_OEM_6 0xDD
#define VK_OEM_7 0xDE
#define VK_PACKET 0xE7

// Key message lParam bits (in the high word) and mouse message key flags.
#define KF_EXTENDED 0x0100
#define KF_DLGMODE 0x0800
#define KF_MENUMODE 0x1000
#define KF_ALTDOWN 0x2000
#define KF_REPEAT 0x4000
#define KF_UP 0x8000
#define MK_LBUTTON 0x0001
#define MK_RBUTTON 0x0002
#define MK_SHIFT 0x0004
#define MK_CONTROL 0x0008
#define MK_MBUTTON 0x0010
#define WHEEL_DELTA 120
#define GET_WHEEL_DELTA_WPARAM(w) ((short)HIWORD(w))
#define GET_KEYSTATE_WPARAM(w) (LOWORD(w))

// More mouse messages.
#define WM_NCRBUTTONDBLCLK 0x00A6
#define WM_NCMBUTTONDOWN 0x00A7
#define WM_NCMBUTTONUP 0x00A8
#define WM_NCMBUTTONDBLCLK 0x00A9
#define WM_SIZING 0x0214
#define WM_NCMOUSEHOVER 0x02A0

// WM_ACTIVATE states and WM_MOUSEACTIVATE results.
#define WA_INACTIVE 0
#define WA_ACTIVE 1
#define WA_CLICKACTIVE 2
#define MA_ACTIVATE 1
#define MA_ACTIVATEANDEAT 2
#define MA_NOACTIVATE 3
#define MA_NOACTIVATEANDEAT 4

// WM_SYSCOMMAND commands (the low four bits are the system's own) and WM_SIZING edges.
#define SC_SIZE 0xF000
#define SC_MOVE 0xF010
#define SC_MINIMIZE 0xF020
#define SC_MAXIMIZE 0xF030
#define SC_NEXTWINDOW 0xF040
#define SC_PREVWINDOW 0xF050
#define SC_CLOSE 0xF060
#define SC_MOUSEMENU 0xF090
#define SC_KEYMENU 0xF100
#define SC_RESTORE 0xF120
#define WMSZ_LEFT 1
#define WMSZ_RIGHT 2
#define WMSZ_TOP 3
#define WMSZ_TOPLEFT 4
#define WMSZ_TOPRIGHT 5
#define WMSZ_BOTTOM 6
#define WMSZ_BOTTOMLEFT 7
#define WMSZ_BOTTOMRIGHT 8

// ChildWindowFromPointEx.
#define CWP_ALL 0x0000
#define CWP_SKIPINVISIBLE 0x0001
#define CWP_SKIPDISABLED 0x0002
#define CWP_SKIPTRANSPARENT 0x0004

// TrackMouseEvent.
#define TME_HOVER 0x00000001
#define TME_LEAVE 0x00000002
#define TME_NONCLIENT 0x00000010
#define TME_QUERY 0x40000000
#define TME_CANCEL 0x80000000
#define HOVER_DEFAULT 0xFFFFFFFF

typedef struct tagTRACKMOUSEEVENT {
  DWORD cbSize;
  DWORD dwFlags;
  HWND hwndTrack;
  DWORD dwHoverTime;
} TRACKMOUSEEVENT, *LPTRACKMOUSEEVENT;

// Hooks.
#define WH_MSGFILTER (-1)
#define WH_JOURNALRECORD 0
#define WH_JOURNALPLAYBACK 1
#define WH_KEYBOARD 2
#define WH_GETMESSAGE 3
#define WH_CALLWNDPROC 4
#define WH_CBT 5
#define WH_SYSMSGFILTER 6
#define WH_MOUSE 7
#define WH_DEBUG 9
#define WH_SHELL 10
#define WH_FOREGROUNDIDLE 11
#define WH_CALLWNDPROCRET 12
#define WH_KEYBOARD_LL 13
#define WH_MOUSE_LL 14
#define WH_MIN (-1)
#define WH_MAX 14
#define HC_ACTION 0
#define HC_NOREMOVE 3
#define MSGF_DIALOGBOX 0
#define MSGF_MESSAGEBOX 1
#define MSGF_MENU 2
#define MSGF_SCROLLBAR 5
#define MSGF_NEXTWINDOW 6
#define MSGF_USER 4096
#define ERROR_HOOK_NOT_INSTALLED 1431L
#define ERROR_INVALID_HOOK_HANDLE 1404L
#define ERROR_INVALID_FILTER_PROC 1427L

typedef LRESULT(CALLBACK* HOOKPROC)(int code, WPARAM wParam, LPARAM lParam);

typedef struct tagCWPSTRUCT {
  LPARAM lParam;
  WPARAM wParam;
  UINT message;
  HWND hwnd;
} CWPSTRUCT, *PCWPSTRUCT, *LPCWPSTRUCT;

typedef struct tagCWPRETSTRUCT {
  LRESULT lResult;
  LPARAM lParam;
  WPARAM wParam;
  UINT message;
  HWND hwnd;
} CWPRETSTRUCT, *PCWPRETSTRUCT, *LPCWPRETSTRUCT;

typedef struct tagMOUSEHOOKSTRUCT {
  POINT pt;
  HWND hwnd;
  UINT wHitTestCode;
  ULONG_PTR dwExtraInfo;
} MOUSEHOOKSTRUCT, *LPMOUSEHOOKSTRUCT, *PMOUSEHOOKSTRUCT;

// MapVirtualKeyW.
#define MAPVK_VK_TO_VSC 0
#define MAPVK_VSC_TO_VK 1
#define MAPVK_VK_TO_CHAR 2

// Capture, focus, activation, enabling.
WINUSERAPI HWND SetCapture(HWND hwnd);
WINUSERAPI BOOL ReleaseCapture(void);
WINUSERAPI HWND GetCapture(void);
WINUSERAPI HWND SetFocus(HWND hwnd);
WINUSERAPI HWND GetFocus(void);
WINUSERAPI HWND SetActiveWindow(HWND hwnd);
WINUSERAPI HWND GetActiveWindow(void);
WINUSERAPI BOOL SetForegroundWindow(HWND hwnd);
WINUSERAPI HWND GetForegroundWindow(void);
WINUSERAPI BOOL EnableWindow(HWND hwnd, BOOL enable);
WINUSERAPI BOOL IsWindowEnabled(HWND hwnd);

// Hit-testing.
WINUSERAPI HWND WindowFromPoint(POINT point);
WINUSERAPI HWND ChildWindowFromPoint(HWND parent, POINT point);
WINUSERAPI HWND ChildWindowFromPointEx(HWND parent, POINT point, UINT flags);
WINUSERAPI HWND RealChildWindowFromPoint(HWND parent, POINT point);

// Mouse and cursor.
WINUSERAPI BOOL TrackMouseEvent(LPTRACKMOUSEEVENT event);
WINUSERAPI BOOL GetCursorPos(LPPOINT point);
WINUSERAPI BOOL SetCursorPos(int x, int y);
WINUSERAPI HCURSOR SetCursor(HCURSOR cursor);
WINUSERAPI HCURSOR GetCursor(void);
WINUSERAPI UINT GetDoubleClickTime(void);
WINUSERAPI BOOL SetDoubleClickTime(UINT ms);

// Keyboard.
WINUSERAPI SHORT GetKeyState(int key);
WINUSERAPI SHORT GetAsyncKeyState(int key);
WINUSERAPI BOOL GetKeyboardState(LPBYTE state);
WINUSERAPI BOOL SetKeyboardState(LPBYTE state);
WINUSERAPI UINT MapVirtualKeyW(UINT code, UINT mapType);

// Hooks.
WINUSERAPI HHOOK SetWindowsHookExW(int idHook, HOOKPROC proc, HINSTANCE module, DWORD threadId);
WINUSERAPI BOOL UnhookWindowsHookEx(HHOOK hook);
WINUSERAPI LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
WINUSERAPI BOOL CallMsgFilterW(LPMSG msg, int code);
