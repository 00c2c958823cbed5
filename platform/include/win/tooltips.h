// The tooltip control ("tooltips_class32"): styles, tool flags, messages, notifications
// and their records. Included from win/commctrl.h.
//
// Limits: Unicode messages only (the ...A forms are not answered); balloon tips
// (TTS_BALLOON), the close button (TTS_CLOSE), links (TTF_PARSELINKS), fading and
// animation, and title icons are not drawn (the title is drawn as a plain first line);
// a tooltip and its tool windows must belong to one thread.
#pragma once

#include <win/user.h>

#define TOOLTIPS_CLASSW u"tooltips_class32"
#define TOOLTIPS_CLASS TOOLTIPS_CLASSW

// Tooltip window styles.
#define TTS_ALWAYSTIP 0x01
#define TTS_NOPREFIX 0x02
#define TTS_NOANIMATE 0x10
#define TTS_NOFADE 0x20
#define TTS_BALLOON 0x40
#define TTS_CLOSE 0x80
#define TTS_USEVISUALSTYLE 0x100

// TOOLINFOW.uFlags.
#define TTF_IDISHWND 0x0001
#define TTF_CENTERTIP 0x0002
#define TTF_RTLREADING 0x0004
#define TTF_SUBCLASS 0x0010
#define TTF_TRACK 0x0020
#define TTF_ABSOLUTE 0x0080
#define TTF_TRANSPARENT 0x0100
#define TTF_PARSELINKS 0x1000
#define TTF_DI_SETITEM 0x8000

// TTM_SETDELAYTIME / TTM_GETDELAYTIME.
#define TTDT_AUTOMATIC 0
#define TTDT_RESHOW 1
#define TTDT_AUTOPOP 2
#define TTDT_INITIAL 3

// TTM_SETTITLEW icons.
#define TTI_NONE 0
#define TTI_INFO 1
#define TTI_WARNING 2
#define TTI_ERROR 3

#define LPSTR_TEXTCALLBACKW ((LPWSTR)(LONG_PTR)-1)
#define LPSTR_TEXTCALLBACK LPSTR_TEXTCALLBACKW

typedef struct tagTOOLINFOW {
  UINT cbSize;
  UINT uFlags;
  HWND hwnd;
  UINT_PTR uId;
  RECT rect;
  HINSTANCE hinst;
  LPWSTR lpszText;
  LPARAM lParam;
  void* lpReserved;
} TTTOOLINFOW, *PTOOLINFOW, *LPTTTOOLINFOW;
typedef TTTOOLINFOW TOOLINFOW;
typedef TTTOOLINFOW TOOLINFO;
typedef LPTTTOOLINFOW LPTOOLINFOW;
typedef LPTTTOOLINFOW LPTOOLINFO;

// The sizes of the record's versions: up to lpszText, up to lParam, whole.
#define TTTOOLINFOW_V1_SIZE ((UINT)(offsetof(TTTOOLINFOW, lpszText) + sizeof(LPWSTR)))
#define TTTOOLINFOW_V2_SIZE ((UINT)(offsetof(TTTOOLINFOW, lParam) + sizeof(LPARAM)))
#define TTTOOLINFOW_V3_SIZE ((UINT)sizeof(TTTOOLINFOW))

typedef struct _TT_HITTESTINFOW {
  HWND hwnd;
  POINT pt;
  TTTOOLINFOW ti;
} TTHITTESTINFOW, *LPTTHITTESTINFOW, *LPHITTESTINFOW;

typedef struct _TTGETTITLE {
  DWORD dwSize;
  UINT uTitleBitmap;
  UINT cch;
  WCHAR* pszTitle;
} TTGETTITLE, *PTTGETTITLE;

// Messages.
#define TTM_ACTIVATE (WM_USER + 1)
#define TTM_SETDELAYTIME (WM_USER + 3)
#define TTM_RELAYEVENT (WM_USER + 7)
#define TTM_GETTOOLCOUNT (WM_USER + 13)
#define TTM_WINDOWFROMPOINT (WM_USER + 16)
#define TTM_TRACKACTIVATE (WM_USER + 17)
#define TTM_TRACKPOSITION (WM_USER + 18)
#define TTM_SETTIPBKCOLOR (WM_USER + 19)
#define TTM_SETTIPTEXTCOLOR (WM_USER + 20)
#define TTM_GETDELAYTIME (WM_USER + 21)
#define TTM_GETTIPBKCOLOR (WM_USER + 22)
#define TTM_GETTIPTEXTCOLOR (WM_USER + 23)
#define TTM_SETMAXTIPWIDTH (WM_USER + 24)
#define TTM_GETMAXTIPWIDTH (WM_USER + 25)
#define TTM_SETMARGIN (WM_USER + 26)
#define TTM_GETMARGIN (WM_USER + 27)
#define TTM_POP (WM_USER + 28)
#define TTM_UPDATE (WM_USER + 29)
#define TTM_GETBUBBLESIZE (WM_USER + 30)
#define TTM_ADJUSTRECT (WM_USER + 31)
#define TTM_SETTITLEW (WM_USER + 33)
#define TTM_POPUP (WM_USER + 34)
#define TTM_GETTITLE (WM_USER + 35)
#define TTM_ADDTOOLW (WM_USER + 50)
#define TTM_DELTOOLW (WM_USER + 51)
#define TTM_NEWTOOLRECTW (WM_USER + 52)
#define TTM_GETTOOLINFOW (WM_USER + 53)
#define TTM_SETTOOLINFOW (WM_USER + 54)
#define TTM_HITTESTW (WM_USER + 55)
#define TTM_GETTEXTW (WM_USER + 56)
#define TTM_UPDATETIPTEXTW (WM_USER + 57)
#define TTM_ENUMTOOLSW (WM_USER + 58)
#define TTM_GETCURRENTTOOLW (WM_USER + 59)
#define TTM_ADDTOOL TTM_ADDTOOLW
#define TTM_DELTOOL TTM_DELTOOLW
#define TTM_NEWTOOLRECT TTM_NEWTOOLRECTW
#define TTM_GETTOOLINFO TTM_GETTOOLINFOW
#define TTM_SETTOOLINFO TTM_SETTOOLINFOW
#define TTM_HITTEST TTM_HITTESTW
#define TTM_GETTEXT TTM_GETTEXTW
#define TTM_UPDATETIPTEXT TTM_UPDATETIPTEXTW
#define TTM_ENUMTOOLS TTM_ENUMTOOLSW
#define TTM_GETCURRENTTOOL TTM_GETCURRENTTOOLW
#define TTM_SETTITLE TTM_SETTITLEW

// Notifications (WM_NOTIFY to the tool's hwnd; idFrom is the tool's uId).
#define TTN_FIRST (0U - 520U)
#define TTN_LAST (0U - 549U)
#define TTN_SHOW (TTN_FIRST - 1)
#define TTN_POP (TTN_FIRST - 2)
#define TTN_LINKCLICK (TTN_FIRST - 3)
#define TTN_GETDISPINFOW (TTN_FIRST - 10)
#define TTN_NEEDTEXTW TTN_GETDISPINFOW
#define TTN_GETDISPINFO TTN_GETDISPINFOW
#define TTN_NEEDTEXT TTN_NEEDTEXTW

typedef struct tagNMTTDISPINFOW {
  NMHDR hdr;
  LPWSTR lpszText;
  WCHAR szText[80];
  HINSTANCE hinst;
  UINT uFlags;
  LPARAM lParam;
} NMTTDISPINFOW, *LPNMTTDISPINFOW;
typedef NMTTDISPINFOW TOOLTIPTEXTW;
typedef LPNMTTDISPINFOW LPTOOLTIPTEXTW;
typedef NMTTDISPINFOW NMTTDISPINFO;
typedef LPNMTTDISPINFOW LPNMTTDISPINFO;

typedef struct tagNMTTCUSTOMDRAW {
  NMCUSTOMDRAW nmcd;
  UINT uDrawFlags;
} NMTTCUSTOMDRAW, *LPNMTTCUSTOMDRAW;
