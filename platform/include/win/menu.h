// Menus, the window menu, popup menus, the menu bar and accelerator tables.
//
// Menus are data (items, their states and submenus, templates loaded from resources, the
// menu handle a top-level window keeps and its window menu) shown two ways: as popup
// windows of class "#32768" while TrackPopupMenu(Ex) runs its modal loop, and as the menu
// bar band in a top-level window's non-client area.
//
// Limits: the menu bar is one row (items that do not fit are cut off, never wrapped);
// popups do not scroll (a popup taller than the work area is cut off); submenus open at
// once on hover (no delay); MNS_MODELESS, MNS_DRAGDROP, MNS_AUTODISMISS and MNS_CHECKORBMP
// are stored but not acted on (MNS_NOTIFYBYPOS is: a choice posts WM_MENUCOMMAND); item bitmaps (hbmpItem, MFT_BITMAP) are drawn only as plain bitmaps (the
// HBMMENU_* predefined ones are not drawn); keyboard input reaches the menu through the
// focus or active window of the thread, so a thread with neither cannot type into a menu.
#pragma once

#include <win/base.h>
#include <win/gdi.h>
#include <win/user.h>
#include <win/owner_draw.h>

// Errors of the menu functions beyond win/errors.h.
#define ERROR_MENU_ITEM_NOT_FOUND 1456L
#define ERROR_CHILD_WINDOW_MENU 1436L
#define ERROR_POPUP_ALREADY_ACTIVE 1446L

// Menu messages beyond win/user.h.
#define WM_MENURBUTTONUP 0x0122
#define WM_MENUDRAG 0x0123
#define WM_MENUGETOBJECT 0x0124
#define WM_UNINITMENUPOPUP 0x0125
#define WM_MENUCOMMAND 0x0126

// WM_MENUCHAR answers (high word of the result).
#define MNC_IGNORE 0
#define MNC_CLOSE 1
#define MNC_EXECUTE 2
#define MNC_SELECT 3

// TrackPopupMenu(Ex) flags.
#define TPM_LEFTBUTTON 0x0000L
#define TPM_RIGHTBUTTON 0x0002L
#define TPM_LEFTALIGN 0x0000L
#define TPM_CENTERALIGN 0x0004L
#define TPM_RIGHTALIGN 0x0008L
#define TPM_TOPALIGN 0x0000L
#define TPM_VCENTERALIGN 0x0010L
#define TPM_BOTTOMALIGN 0x0020L
#define TPM_HORIZONTAL 0x0000L
#define TPM_VERTICAL 0x0040L
#define TPM_NONOTIFY 0x0080L
#define TPM_RETURNCMD 0x0100L
#define TPM_RECURSE 0x0001L
#define TPM_HORPOSANIMATION 0x0400L
#define TPM_HORNEGANIMATION 0x0800L
#define TPM_VERPOSANIMATION 0x1000L
#define TPM_VERNEGANIMATION 0x2000L
#define TPM_NOANIMATION 0x4000L
#define TPM_LAYOUTRTL 0x8000L
#define TPM_WORKAREA 0x10000L

typedef struct tagTPMPARAMS {
  UINT cbSize;
  RECT rcExclude;
} TPMPARAMS, *LPTPMPARAMS;

// GetMenuBarInfo.
#define OBJID_SYSMENU ((LONG)0xFFFFFFFF)
#define OBJID_MENU ((LONG)0xFFFFFFFD)
#define OBJID_CLIENT ((LONG)0xFFFFFFFC)

typedef struct tagMENUBARINFO {
  DWORD cbSize;
  RECT rcBar;
  HMENU hMenu;
  HWND hwndMenu;
  BOOL fBarFocused : 1;
  BOOL fFocused : 1;
} MENUBARINFO, *PMENUBARINFO, *LPMENUBARINFO;

// Flags of AppendMenu, InsertMenu, ModifyMenu, CheckMenuItem, EnableMenuItem, ...
#define MF_INSERT 0x00000000L
#define MF_CHANGE 0x00000080L
#define MF_APPEND 0x00000100L
#define MF_DELETE 0x00000200L
#define MF_REMOVE 0x00001000L
#define MF_BYCOMMAND 0x00000000L
#define MF_BYPOSITION 0x00000400L
#define MF_SEPARATOR 0x00000800L
#define MF_ENABLED 0x00000000L
#define MF_GRAYED 0x00000001L
#define MF_DISABLED 0x00000002L
#define MF_UNCHECKED 0x00000000L
#define MF_CHECKED 0x00000008L
#define MF_USECHECKBITMAPS 0x00000200L
#define MF_STRING 0x00000000L
#define MF_BITMAP 0x00000004L
#define MF_OWNERDRAW 0x00000100L
#define MF_POPUP 0x00000010L
#define MF_MENUBARBREAK 0x00000020L
#define MF_MENUBREAK 0x00000040L
#define MF_UNHILITE 0x00000000L
#define MF_HILITE 0x00000080L
#define MF_DEFAULT 0x00001000L
#define MF_SYSMENU 0x00002000L
#define MF_HELP 0x00004000L
#define MF_RIGHTJUSTIFY 0x00004000L
#define MF_MOUSESELECT 0x00008000L
#define MF_END 0x00000080L  // the last item of a level, in menu templates

// Item types (MENUITEMINFOW.fType).
#define MFT_STRING MF_STRING
#define MFT_BITMAP MF_BITMAP
#define MFT_MENUBARBREAK MF_MENUBARBREAK
#define MFT_MENUBREAK MF_MENUBREAK
#define MFT_OWNERDRAW MF_OWNERDRAW
#define MFT_RADIOCHECK 0x00000200L
#define MFT_SEPARATOR MF_SEPARATOR
#define MFT_RIGHTORDER 0x00002000L
#define MFT_RIGHTJUSTIFY MF_RIGHTJUSTIFY

// Item states (MENUITEMINFOW.fState).
#define MFS_GRAYED 0x00000003L
#define MFS_DISABLED MFS_GRAYED
#define MFS_CHECKED MF_CHECKED
#define MFS_HILITE MF_HILITE
#define MFS_ENABLED MF_ENABLED
#define MFS_UNCHECKED MF_UNCHECKED
#define MFS_UNHILITE MF_UNHILITE
#define MFS_DEFAULT MF_DEFAULT

// MENUITEMINFOW.fMask.
#define MIIM_STATE 0x00000001
#define MIIM_ID 0x00000002
#define MIIM_SUBMENU 0x00000004
#define MIIM_CHECKMARKS 0x00000008
#define MIIM_TYPE 0x00000010
#define MIIM_DATA 0x00000020
#define MIIM_STRING 0x00000040
#define MIIM_BITMAP 0x00000080
#define MIIM_FTYPE 0x00000100

// Predefined item bitmaps (MENUITEMINFOW.hbmpItem).
#define HBMMENU_CALLBACK ((HBITMAP)-1)
#define HBMMENU_SYSTEM ((HBITMAP)1)
#define HBMMENU_MBAR_RESTORE ((HBITMAP)2)
#define HBMMENU_MBAR_MINIMIZE ((HBITMAP)3)
#define HBMMENU_MBAR_CLOSE ((HBITMAP)5)
#define HBMMENU_MBAR_CLOSE_D ((HBITMAP)6)
#define HBMMENU_MBAR_MINIMIZE_D ((HBITMAP)7)
#define HBMMENU_POPUP_CLOSE ((HBITMAP)8)
#define HBMMENU_POPUP_RESTORE ((HBITMAP)9)
#define HBMMENU_POPUP_MAXIMIZE ((HBITMAP)10)
#define HBMMENU_POPUP_MINIMIZE ((HBITMAP)11)

// MENUINFO.fMask and styles.
#define MIM_MAXHEIGHT 0x00000001
#define MIM_BACKGROUND 0x00000002
#define MIM_HELPID 0x00000004
#define MIM_MENUDATA 0x00000008
#define MIM_STYLE 0x00000010
#define MIM_APPLYTOSUBMENUS 0x80000000
#define MNS_NOCHECK 0x80000000
#define MNS_MODELESS 0x40000000
#define MNS_DRAGDROP 0x20000000
#define MNS_AUTODISMISS 0x10000000
#define MNS_NOTIFYBYPOS 0x08000000
#define MNS_CHECKORBMP 0x04000000

// GetMenuDefaultItem flags.
#define GMDI_USEDISABLED 0x0001L
#define GMDI_GOINTOPOPUPS 0x0002L

// System commands (WM_SYSCOMMAND wParam, the window menu's item ids).
#define SC_SIZE 0xF000
#define SC_MOVE 0xF010
#define SC_MINIMIZE 0xF020
#define SC_MAXIMIZE 0xF030
#define SC_NEXTWINDOW 0xF040
#define SC_PREVWINDOW 0xF050
#define SC_CLOSE 0xF060
#define SC_VSCROLL 0xF070
#define SC_HSCROLL 0xF080
#define SC_MOUSEMENU 0xF090
#define SC_KEYMENU 0xF100
#define SC_ARRANGE 0xF110
#define SC_RESTORE 0xF120
#define SC_TASKLIST 0xF130
#define SC_SCREENSAVE 0xF140
#define SC_HOTKEY 0xF150
#define SC_DEFAULT 0xF160
#define SC_MONITORPOWER 0xF170
#define SC_CONTEXTHELP 0xF180
#define SC_SEPARATOR 0xF00F
#define SC_ICON SC_MINIMIZE
#define SC_ZOOM SC_MAXIMIZE

// Owner-drawn items (ODT_MENU): DRAWITEMSTRUCT and MEASUREITEMSTRUCT are in
// win/owner_draw.h; a menu item's hwndItem is its HMENU.

typedef struct tagMENUITEMINFOW {
  UINT cbSize;
  UINT fMask;
  UINT fType;
  UINT fState;
  UINT wID;
  HMENU hSubMenu;
  HBITMAP hbmpChecked;
  HBITMAP hbmpUnchecked;
  ULONG_PTR dwItemData;
  LPWSTR dwTypeData;
  UINT cch;
  HBITMAP hbmpItem;
} MENUITEMINFOW, *LPMENUITEMINFOW;
typedef const MENUITEMINFOW* LPCMENUITEMINFOW;
typedef MENUITEMINFOW MENUITEMINFO;

typedef struct tagMENUINFO {
  DWORD cbSize;
  DWORD fMask;
  DWORD dwStyle;
  UINT cyMax;
  HBRUSH hbrBack;
  DWORD dwContextHelpID;
  ULONG_PTR dwMenuData;
} MENUINFO, *LPMENUINFO;
typedef const MENUINFO* LPCMENUINFO;

// Menu templates in memory (LoadMenuIndirectW): a header, then the items.
typedef struct {
  WORD versionNumber;
  WORD offset;
} MENUITEMTEMPLATEHEADER, *PMENUITEMTEMPLATEHEADER;
typedef struct {
  WORD mtOption;
  WORD mtID;
  WCHAR mtString[1];
} MENUITEMTEMPLATE, *PMENUITEMTEMPLATE;
typedef VOID MENUTEMPLATEW, *LPMENUTEMPLATEW;
typedef const VOID* LPCMENUTEMPLATEW;

// Menus.
WINUSERAPI HMENU CreateMenu(void);
WINUSERAPI HMENU CreatePopupMenu(void);
WINUSERAPI BOOL DestroyMenu(HMENU hMenu);
WINUSERAPI BOOL IsMenu(HMENU hMenu);
WINUSERAPI HMENU LoadMenuW(HINSTANCE hInstance, LPCWSTR lpMenuName);
WINUSERAPI HMENU LoadMenuIndirectW(const MENUTEMPLATEW* lpMenuTemplate);

WINUSERAPI BOOL AppendMenuW(HMENU hMenu, UINT uFlags, UINT_PTR uIDNewItem, LPCWSTR lpNewItem);
WINUSERAPI BOOL InsertMenuW(HMENU hMenu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem,
                            LPCWSTR lpNewItem);
WINUSERAPI BOOL ModifyMenuW(HMENU hMnu, UINT uPosition, UINT uFlags, UINT_PTR uIDNewItem,
                            LPCWSTR lpNewItem);
WINUSERAPI BOOL InsertMenuItemW(HMENU hmenu, UINT item, BOOL fByPosition,
                                LPCMENUITEMINFOW lpmi);
WINUSERAPI BOOL GetMenuItemInfoW(HMENU hmenu, UINT item, BOOL fByPosition,
                                 LPMENUITEMINFOW lpmii);
WINUSERAPI BOOL SetMenuItemInfoW(HMENU hmenu, UINT item, BOOL fByPositon,
                                 LPCMENUITEMINFOW lpmii);
WINUSERAPI BOOL RemoveMenu(HMENU hMenu, UINT uPosition, UINT uFlags);
WINUSERAPI BOOL DeleteMenu(HMENU hMenu, UINT uPosition, UINT uFlags);

WINUSERAPI int GetMenuItemCount(HMENU hMenu);
WINUSERAPI UINT GetMenuItemID(HMENU hMenu, int nPos);
WINUSERAPI HMENU GetSubMenu(HMENU hMenu, int nPos);
WINUSERAPI UINT GetMenuState(HMENU hMenu, UINT uId, UINT uFlags);
WINUSERAPI int GetMenuStringW(HMENU hMenu, UINT uIDItem, LPWSTR lpString, int cchMax,
                              UINT flags);
WINUSERAPI DWORD CheckMenuItem(HMENU hMenu, UINT uIDCheckItem, UINT uCheck);
WINUSERAPI BOOL CheckMenuRadioItem(HMENU hmenu, UINT first, UINT last, UINT check,
                                   UINT flags);
WINUSERAPI BOOL EnableMenuItem(HMENU hMenu, UINT uIDEnableItem, UINT uEnable);
WINUSERAPI BOOL HiliteMenuItem(HWND hWnd, HMENU hMenu, UINT uIDHiliteItem, UINT uHilite);
WINUSERAPI UINT GetMenuDefaultItem(HMENU hMenu, UINT fByPos, UINT gmdiFlags);
WINUSERAPI BOOL SetMenuDefaultItem(HMENU hMenu, UINT uItem, UINT fByPos);
WINUSERAPI BOOL GetMenuInfo(HMENU hMenu, LPMENUINFO lpmi);
WINUSERAPI BOOL SetMenuInfo(HMENU hMenu, LPCMENUINFO lpmi);
WINUSERAPI BOOL SetMenuItemBitmaps(HMENU hMenu, UINT uPosition, UINT uFlags,
                                   HBITMAP hBitmapUnchecked, HBITMAP hBitmapChecked);
WINUSERAPI BOOL GetMenuItemRect(HWND hWnd, HMENU hMenu, UINT uItem, LPRECT lprcItem);

// Popup menus: a modal loop on the calling thread until an item is chosen or the menu is
// cancelled (Escape, a click outside, EndMenu, WM_CANCELMODE to DefWindowProcW).
WINUSERAPI BOOL TrackPopupMenu(HMENU hMenu, UINT uFlags, int x, int y, int nReserved, HWND hWnd,
                               const RECT* prcRect);
WINUSERAPI BOOL TrackPopupMenuEx(HMENU hMenu, UINT uFlags, int x, int y, HWND hwnd,
                                 LPTPMPARAMS lptpm);
WINUSERAPI BOOL EndMenu(void);
WINUSERAPI BOOL GetMenuBarInfo(HWND hwnd, LONG idObject, LONG idItem, PMENUBARINFO pmbi);
WINUSERAPI int MenuItemFromPoint(HWND hWnd, HMENU hMenu, POINT ptScreen);

// The menu of a top-level window and its window menu.
WINUSERAPI HMENU GetMenu(HWND hWnd);
WINUSERAPI BOOL SetMenu(HWND hWnd, HMENU hMenu);
WINUSERAPI BOOL DrawMenuBar(HWND hWnd);
WINUSERAPI HMENU GetSystemMenu(HWND hWnd, BOOL bRevert);

// Accelerator tables.
#define FVIRTKEY 0x01
#define FNOINVERT 0x02
#define FSHIFT 0x04
#define FCONTROL 0x08
#define FALT 0x10

typedef struct tagACCEL {
  BYTE fVirt;
  WORD key;
  WORD cmd;
} ACCEL, *LPACCEL;

WINUSERAPI HACCEL CreateAcceleratorTableW(LPACCEL paccel, int cAccel);
WINUSERAPI BOOL DestroyAcceleratorTable(HACCEL hAccel);
WINUSERAPI int CopyAcceleratorTableW(HACCEL hAccelSrc, LPACCEL lpAccelDst, int cAccelEntries);
WINUSERAPI HACCEL LoadAcceleratorsW(HINSTANCE hInstance, LPCWSTR lpTableName);
WINUSERAPI int TranslateAcceleratorW(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg);

// The unsuffixed names.
inline BOOL AppendMenu(HMENU m, UINT f, UINT_PTR id, LPCWSTR s) { return AppendMenuW(m, f, id, s); }
inline BOOL InsertMenu(HMENU m, UINT p, UINT f, UINT_PTR id, LPCWSTR s) {
  return InsertMenuW(m, p, f, id, s);
}
inline BOOL ModifyMenu(HMENU m, UINT p, UINT f, UINT_PTR id, LPCWSTR s) {
  return ModifyMenuW(m, p, f, id, s);
}
inline BOOL InsertMenuItem(HMENU m, UINT i, BOOL b, LPCMENUITEMINFOW mi) {
  return InsertMenuItemW(m, i, b, mi);
}
inline BOOL GetMenuItemInfo(HMENU m, UINT i, BOOL b, LPMENUITEMINFOW mi) {
  return GetMenuItemInfoW(m, i, b, mi);
}
inline BOOL SetMenuItemInfo(HMENU m, UINT i, BOOL b, LPCMENUITEMINFOW mi) {
  return SetMenuItemInfoW(m, i, b, mi);
}
inline int GetMenuString(HMENU m, UINT i, LPWSTR s, int n, UINT f) {
  return GetMenuStringW(m, i, s, n, f);
}
inline HMENU LoadMenu(HINSTANCE h, LPCWSTR n) { return LoadMenuW(h, n); }
inline HMENU LoadMenuIndirect(const MENUTEMPLATEW* t) { return LoadMenuIndirectW(t); }
inline HACCEL CreateAcceleratorTable(LPACCEL a, int n) { return CreateAcceleratorTableW(a, n); }
inline int CopyAcceleratorTable(HACCEL h, LPACCEL a, int n) {
  return CopyAcceleratorTableW(h, a, n);
}
inline HACCEL LoadAccelerators(HINSTANCE h, LPCWSTR n) { return LoadAcceleratorsW(h, n); }
inline int TranslateAccelerator(HWND w, HACCEL h, LPMSG m) {
  return TranslateAcceleratorW(w, h, m);
}
