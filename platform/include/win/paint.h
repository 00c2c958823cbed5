// Painting: update regions and the paint cycle, window DCs, window regions and layered
// windows. GetDC and ReleaseDC are declared with the other DC functions in win/gdi.h.
//
// Every top-level window draws into a surface of its own and the screen composes them
// (talix/host_capture.h), so top-level windows never clip or invalidate each other; child
// windows share their top-level window's surface and clip and invalidate as documented.
// GetDCEx's clip region is in screen coordinates.
//
// Limits: every GetDC returns a fresh DC (CS_OWNDC and CS_CLASSDC DCs keep no attributes
// between calls); WS_EX_LAYOUTRTL windows get mirrored DCs and mirrored update rectangles,
// but child positions are not mirrored; there is no caret to hide around BeginPaint;
// WS_EX_LAYERED dropped by SetWindowLongW resets the layered state only when the window
// passes WM_STYLECHANGED on to DefWindowProcW.
#pragma once

#include <win/gdi.h>
#include <win/region.h>
#include <win/user.h>

typedef struct tagPAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
} PAINTSTRUCT, *PPAINTSTRUCT, *LPPAINTSTRUCT;

// RedrawWindow flags.
#define RDW_INVALIDATE 0x0001
#define RDW_INTERNALPAINT 0x0002
#define RDW_ERASE 0x0004
#define RDW_VALIDATE 0x0008
#define RDW_NOINTERNALPAINT 0x0010
#define RDW_NOERASE 0x0020
#define RDW_NOCHILDREN 0x0040
#define RDW_ALLCHILDREN 0x0080
#define RDW_UPDATENOW 0x0100
#define RDW_ERASENOW 0x0200
#define RDW_FRAME 0x0400
#define RDW_NOFRAME 0x0800

// GetDCEx flags.
#define DCX_WINDOW 0x00000001L
#define DCX_CACHE 0x00000002L
#define DCX_NORESETATTRS 0x00000004L
#define DCX_CLIPCHILDREN 0x00000008L
#define DCX_CLIPSIBLINGS 0x00000010L
#define DCX_PARENTCLIP 0x00000020L
#define DCX_EXCLUDERGN 0x00000040L
#define DCX_INTERSECTRGN 0x00000080L
#define DCX_EXCLUDEUPDATE 0x00000100L
#define DCX_INTERSECTUPDATE 0x00000200L
#define DCX_LOCKWINDOWUPDATE 0x00000400L
#define DCX_VALIDATE 0x00200000L

// Layered windows.
#define LWA_COLORKEY 0x00000001
#define LWA_ALPHA 0x00000002
#define ULW_COLORKEY 0x00000001
#define ULW_ALPHA 0x00000002
#define ULW_OPAQUE 0x00000004
#define ULW_EX_NORESIZE 0x00000008

// The paint cycle.
WINUSERAPI HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT paint);
WINUSERAPI BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
WINUSERAPI BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
WINUSERAPI BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase);
WINUSERAPI BOOL ValidateRect(HWND hwnd, const RECT* rect);
WINUSERAPI BOOL ValidateRgn(HWND hwnd, HRGN region);
WINUSERAPI BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL erase);
WINUSERAPI int GetUpdateRgn(HWND hwnd, HRGN region, BOOL erase);
WINUSERAPI BOOL UpdateWindow(HWND hwnd);
WINUSERAPI BOOL RedrawWindow(HWND hwnd, const RECT* update, HRGN updateRegion, UINT flags);

// Window DCs.
WINUSERAPI HDC GetDCEx(HWND hwnd, HRGN clip, DWORD flags);
WINUSERAPI HDC GetWindowDC(HWND hwnd);
WINUSERAPI HWND WindowFromDC(HDC hdc);

// Window regions (window coordinates; the window owns a region once it is set).
WINUSERAPI int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw);
WINUSERAPI int GetWindowRgn(HWND hwnd, HRGN region);
WINUSERAPI int GetWindowRgnBox(HWND hwnd, LPRECT rect);

// Layered windows.
WINUSERAPI BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags);
WINUSERAPI BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha,
                                           DWORD* flags);
WINUSERAPI BOOL UpdateLayeredWindow(HWND hwnd, HDC hdcDst, POINT* pptDst, SIZE* psize,
                                    HDC hdcSrc, POINT* pptSrc, COLORREF key,
                                    BLENDFUNCTION* blend, DWORD flags);
