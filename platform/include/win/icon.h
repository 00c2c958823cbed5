// Icons, cursors and images loaded from resources and files.
#pragma once

#include <win/base.h>
#include <win/errors.h>
#include <win/gdi.h>

typedef struct _ICONINFO {
  BOOL fIcon;
  DWORD xHotspot;
  DWORD yHotspot;
  HBITMAP hbmMask;
  HBITMAP hbmColor;
} ICONINFO, *PICONINFO;

// DrawIconEx flags.
#define DI_MASK 0x0001
#define DI_IMAGE 0x0002
#define DI_NORMAL 0x0003
#define DI_COMPAT 0x0004
#define DI_DEFAULTSIZE 0x0008
#define DI_NOMIRROR 0x0010

// LoadImageW.
#define IMAGE_BITMAP 0
#define IMAGE_ICON 1
#define IMAGE_CURSOR 2

#define LR_DEFAULTCOLOR 0x00000000
#define LR_MONOCHROME 0x00000001
#define LR_COPYRETURNORG 0x00000004
#define LR_COPYDELETEORG 0x00000008
#define LR_LOADFROMFILE 0x00000010
#define LR_LOADTRANSPARENT 0x00000020
#define LR_DEFAULTSIZE 0x00000040
#define LR_VGACOLOR 0x00000080
#define LR_LOADMAP3DCOLORS 0x00001000
#define LR_CREATEDIBSECTION 0x00002000
#define LR_COPYFROMRESOURCE 0x00004000
#define LR_SHARED 0x00008000

// Standard icons (LoadIconW with a null module).
#define IDI_APPLICATION MAKEINTRESOURCEW(32512)
#define IDI_HAND MAKEINTRESOURCEW(32513)
#define IDI_QUESTION MAKEINTRESOURCEW(32514)
#define IDI_EXCLAMATION MAKEINTRESOURCEW(32515)
#define IDI_ASTERISK MAKEINTRESOURCEW(32516)
#define IDI_WINLOGO MAKEINTRESOURCEW(32517)
#define IDI_SHIELD MAKEINTRESOURCEW(32518)
#define IDI_WARNING IDI_EXCLAMATION
#define IDI_ERROR IDI_HAND
#define IDI_INFORMATION IDI_ASTERISK

// Standard cursors (LoadCursorW with a null module).
#define IDC_ARROW MAKEINTRESOURCEW(32512)
#define IDC_IBEAM MAKEINTRESOURCEW(32513)
#define IDC_WAIT MAKEINTRESOURCEW(32514)
#define IDC_CROSS MAKEINTRESOURCEW(32515)
#define IDC_UPARROW MAKEINTRESOURCEW(32516)
#define IDC_SIZE MAKEINTRESOURCEW(32640)
#define IDC_ICON MAKEINTRESOURCEW(32641)
#define IDC_SIZENWSE MAKEINTRESOURCEW(32642)
#define IDC_SIZENESW MAKEINTRESOURCEW(32643)
#define IDC_SIZEWE MAKEINTRESOURCEW(32644)
#define IDC_SIZENS MAKEINTRESOURCEW(32645)
#define IDC_SIZEALL MAKEINTRESOURCEW(32646)
#define IDC_NO MAKEINTRESOURCEW(32648)
#define IDC_HAND MAKEINTRESOURCEW(32649)
#define IDC_APPSTARTING MAKEINTRESOURCEW(32650)
#define IDC_HELP MAKEINTRESOURCEW(32651)

WINUSERAPI HICON CreateIconIndirect(PICONINFO piconinfo);
WINUSERAPI BOOL GetIconInfo(HICON hIcon, PICONINFO piconinfo);
WINUSERAPI HICON CopyIcon(HICON hIcon);
WINUSERAPI BOOL DestroyIcon(HICON hIcon);
WINUSERAPI BOOL DestroyCursor(HCURSOR hCursor);

WINUSERAPI BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth,
                           UINT istepIfAniCur, HBRUSH hbrFlickerFreeDraw, UINT diFlags);
WINUSERAPI BOOL DrawIcon(HDC hDC, int X, int Y, HICON hIcon);

WINUSERAPI HICON LoadIconW(HINSTANCE hInstance, LPCWSTR lpIconName);
WINUSERAPI HCURSOR LoadCursorW(HINSTANCE hInstance, LPCWSTR lpCursorName);
WINUSERAPI HBITMAP LoadBitmapW(HINSTANCE hInstance, LPCWSTR lpBitmapName);
WINUSERAPI HANDLE LoadImageW(HINSTANCE hInst, LPCWSTR name, UINT type, int cx, int cy,
                             UINT fuLoad);

WINUSERAPI int LookupIconIdFromDirectoryEx(PBYTE presbits, BOOL fIcon, int cxDesired,
                                           int cyDesired, UINT Flags);
WINUSERAPI int LookupIconIdFromDirectory(PBYTE presbits, BOOL fIcon);
WINUSERAPI HICON CreateIconFromResourceEx(PBYTE presbits, DWORD dwResSize, BOOL fIcon,
                                          DWORD dwVer, int cxDesired, int cyDesired,
                                          UINT Flags);
WINUSERAPI HICON CreateIconFromResource(PBYTE presbits, DWORD dwResSize, BOOL fIcon,
                                        DWORD dwVer);
