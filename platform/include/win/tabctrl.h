// The tab control ("SysTabControl32", WC_TABCONTROLW) and the common controls start-up
// functions InitCommonControls / InitCommonControlsEx. Included from commctrl.h.
//
// Geometry (all in client pixels; the figures marked "ours" are this control's own choice):
// - Padding around a tab's icon and label defaults to 6 x 3 (ours; TCM_SETPADDING).
// - A tab is as high as the font's tmHeight or the image list's icon, whichever is taller,
//   plus twice the vertical padding; TCM_SETITEMSIZE with a height above 0 sets it instead.
// - A tab is as wide as its label's text extent plus twice the horizontal padding; an icon
//   adds its width and one more horizontal padding. TCS_FIXEDWIDTH tabs (and owner-drawn
//   tabs given a TCM_SETITEMSIZE width) all take the TCM_SETITEMSIZE width, 96 when none
//   was set (ours). No tab is narrower than TCM_SETMINTABWIDTH (default 0, ours).
// - TCS_TABS: the tab row starts 2 pixels in from the left and 2 below the top (room for
//   the raised selected tab, ours); the panel below the tabs has a 2-pixel raised edge and
//   the display area (TCM_ADJUSTRECT) lies 4 pixels inside the panel (ours).
// - TCS_BUTTONS / TCS_FLATBUTTONS: no panel; buttons and rows are 3 pixels apart (ours) and
//   the display area starts 3 pixels below the last row of buttons.
// - TCS_MULTILINE: tabs fill a row left to right and wrap; with more than one row each row
//   is stretched to the full width unless TCS_RAGGEDRIGHT. With TCS_TABS the rows rotate
//   so the selected tab's row lies against the panel; rows of buttons do not move.
// - TCS_BOTTOM mirrors the layout top to bottom; WS_EX_LAYOUTRTL mirrors it right to left
//   (through the window's mirrored client coordinates), and Left / Right swap with it.
// - A single-line control whose tabs do not fit shows a pair of scroll arrows at the right
//   end of the row, each as wide as the row is high; they scroll by whole tabs and cover
//   (and hide from hit-testing) the tabs under them. Selecting a tab scrolls it into view.
//
// Behaviour worth knowing: inserting into an empty control selects the new tab; deleting
// the selected tab leaves none selected (TCM_GETCURSEL -1). A click selects on the button
// press (TCN_SELCHANGING, which the parent may veto by returning TRUE, then
// TCN_SELCHANGE) and sends NM_CLICK on the release. TCN_KEYDOWN precedes the key's own
// effect. With TCS_BUTTONS the arrow keys move only the focus (TCN_FOCUSCHANGE) and Space or
// Enter selects the focused button. TCS_OWNERDRAWFIXED (read at every paint, so it may be
// set after creation) sends WM_DRAWITEM with ODT_TAB for each tab, after the control drew
// the tab's frame: rcItem is the TCM_GETITEMRECT rectangle, itemState ODS_SELECTED for the
// selected tab and ODS_FOCUS for the focus tab while the control has the focus, itemData
// the tab's lParam (a pointer to its bytes when TCM_SETITEMEXTRA made them longer). A
// tab's application data is sizeof(LPARAM) bytes until TCM_SETITEMEXTRA changes it.
//
// Limits: the scroll arrows are drawn and handled by the control itself, not by an
// up-down child window. TCS_VERTICAL, TCS_SCROLLOPPOSITE, TCS_HOTTRACK, TCS_MULTISELECT
// (Ctrl+click), tool tips (TCS_TOOLTIPS; TCM_SETTOOLTIPS only stores the window), drag
// and drop (TCS_EX_REGISTERDROP) and the ANSI messages are not provided; the default look
// is the classic raised one, without visual themes. Labels show '&' as written (no
// mnemonics).
#pragma once

#include <win/notify.h>
#include <win/owner_draw.h>
#include <win/types.h>

#define WC_TABCONTROLW u"SysTabControl32"
#define WC_TABCONTROL WC_TABCONTROLW

// InitCommonControlsEx classes.
typedef struct tagINITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
} INITCOMMONCONTROLSEX, *LPINITCOMMONCONTROLSEX;

#define ICC_LISTVIEW_CLASSES 0x00000001
#define ICC_TREEVIEW_CLASSES 0x00000002
#define ICC_BAR_CLASSES 0x00000004
#define ICC_TAB_CLASSES 0x00000008
#define ICC_UPDOWN_CLASS 0x00000010
#define ICC_PROGRESS_CLASS 0x00000020
#define ICC_HOTKEY_CLASS 0x00000040
#define ICC_ANIMATE_CLASS 0x00000080
#define ICC_WIN95_CLASSES 0x000000FF
#define ICC_DATE_CLASSES 0x00000100
#define ICC_USEREX_CLASSES 0x00000200
#define ICC_COOL_CLASSES 0x00000400
#define ICC_INTERNET_CLASSES 0x00000800
#define ICC_PAGESCROLLER_CLASS 0x00001000
#define ICC_NATIVEFNTCTL_CLASS 0x00002000
#define ICC_STANDARD_CLASSES 0x00004000
#define ICC_LINK_CLASS 0x00008000

// Returns FALSE (ERROR_INVALID_PARAMETER) for a null record, a wrong dwSize or unknown
// ICC_* bits; the classes themselves are present in every process.
WINBASEAPI BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce);
WINBASEAPI void InitCommonControls(void);

// Messages every common control answers.
#ifndef CCM_FIRST
#define CCM_FIRST 0x2000
#define CCM_SETUNICODEFORMAT (CCM_FIRST + 5)
#define CCM_GETUNICODEFORMAT (CCM_FIRST + 6)
#endif

#define ODT_TAB 101

// Styles.
#define TCS_SCROLLOPPOSITE 0x0001
#define TCS_BOTTOM 0x0002
#define TCS_RIGHT 0x0002
#define TCS_MULTISELECT 0x0004
#define TCS_FLATBUTTONS 0x0008
#define TCS_FORCEICONLEFT 0x0010
#define TCS_FORCELABELLEFT 0x0020
#define TCS_HOTTRACK 0x0040
#define TCS_VERTICAL 0x0080
#define TCS_TABS 0x0000
#define TCS_BUTTONS 0x0100
#define TCS_SINGLELINE 0x0000
#define TCS_MULTILINE 0x0200
#define TCS_RIGHTJUSTIFY 0x0000
#define TCS_FIXEDWIDTH 0x0400
#define TCS_RAGGEDRIGHT 0x0800
#define TCS_FOCUSONBUTTONDOWN 0x1000
#define TCS_OWNERDRAWFIXED 0x2000
#define TCS_TOOLTIPS 0x4000
#define TCS_FOCUSNEVER 0x8000

#define TCS_EX_FLATSEPARATORS 0x00000001
#define TCS_EX_REGISTERDROP 0x00000002

// Messages.
#define TCM_FIRST 0x1300
#define TCM_GETIMAGELIST (TCM_FIRST + 2)
#define TCM_SETIMAGELIST (TCM_FIRST + 3)
#define TCM_GETITEMCOUNT (TCM_FIRST + 4)
#define TCM_DELETEITEM (TCM_FIRST + 8)
#define TCM_DELETEALLITEMS (TCM_FIRST + 9)
#define TCM_GETITEMRECT (TCM_FIRST + 10)
#define TCM_GETCURSEL (TCM_FIRST + 11)
#define TCM_SETCURSEL (TCM_FIRST + 12)
#define TCM_HITTEST (TCM_FIRST + 13)
#define TCM_SETITEMEXTRA (TCM_FIRST + 14)
#define TCM_ADJUSTRECT (TCM_FIRST + 40)
#define TCM_SETITEMSIZE (TCM_FIRST + 41)
#define TCM_REMOVEIMAGE (TCM_FIRST + 42)
#define TCM_SETPADDING (TCM_FIRST + 43)
#define TCM_GETROWCOUNT (TCM_FIRST + 44)
#define TCM_GETTOOLTIPS (TCM_FIRST + 45)
#define TCM_SETTOOLTIPS (TCM_FIRST + 46)
#define TCM_GETCURFOCUS (TCM_FIRST + 47)
#define TCM_SETCURFOCUS (TCM_FIRST + 48)
#define TCM_SETMINTABWIDTH (TCM_FIRST + 49)
#define TCM_DESELECTALL (TCM_FIRST + 50)
#define TCM_HIGHLIGHTITEM (TCM_FIRST + 51)
#define TCM_SETEXTENDEDSTYLE (TCM_FIRST + 52)
#define TCM_GETEXTENDEDSTYLE (TCM_FIRST + 53)
#define TCM_GETITEMW (TCM_FIRST + 60)
#define TCM_SETITEMW (TCM_FIRST + 61)
#define TCM_INSERTITEMW (TCM_FIRST + 62)
#define TCM_GETITEM TCM_GETITEMW
#define TCM_SETITEM TCM_SETITEMW
#define TCM_INSERTITEM TCM_INSERTITEMW
#define TCM_SETUNICODEFORMAT CCM_SETUNICODEFORMAT
#define TCM_GETUNICODEFORMAT CCM_GETUNICODEFORMAT

// TCITEMW::mask.
#define TCIF_TEXT 0x0001
#define TCIF_IMAGE 0x0002
#define TCIF_RTLREADING 0x0004
#define TCIF_PARAM 0x0008
#define TCIF_STATE 0x0010

// TCITEMW::dwState.
#define TCIS_BUTTONPRESSED 0x0001
#define TCIS_HIGHLIGHTED 0x0002

// The head of a tab's record when TCM_SETITEMEXTRA changed the size of its data: the
// application's bytes follow it, where TCITEMW keeps lParam.
typedef struct tagTCITEMHEADERW {
  UINT mask;
  UINT lpReserved1;
  UINT lpReserved2;
  LPWSTR pszText;
  int cchTextMax;
  int iImage;
} TCITEMHEADERW, *LPTCITEMHEADERW;

typedef struct tagTCITEMW {
  UINT mask;
  DWORD dwState;
  DWORD dwStateMask;
  LPWSTR pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
} TCITEMW, *LPTCITEMW;
typedef TCITEMW TCITEM;
typedef LPTCITEMW LPTCITEM;
typedef TCITEMHEADERW TCITEMHEADER;

// TCM_HITTEST.
#define TCHT_NOWHERE 0x0001
#define TCHT_ONITEMICON 0x0002
#define TCHT_ONITEMLABEL 0x0004
#define TCHT_ONITEM (TCHT_ONITEMICON | TCHT_ONITEMLABEL)

typedef struct tagTCHITTESTINFO {
  POINT pt;
  UINT flags;
} TCHITTESTINFO, *LPTCHITTESTINFO;

// Notifications (WM_NOTIFY codes).
#define TCN_FIRST (0U - 550U)
#define TCN_LAST (0U - 580U)
#define TCN_KEYDOWN (TCN_FIRST - 0)
#define TCN_SELCHANGE (TCN_FIRST - 1)
#define TCN_SELCHANGING (TCN_FIRST - 2)
#define TCN_GETOBJECT (TCN_FIRST - 3)
#define TCN_FOCUSCHANGE (TCN_FIRST - 4)

// TCN_KEYDOWN: the key and the WM_KEYDOWN lParam.
typedef struct tagTCKEYDOWN {
  NMHDR hdr;
  WORD wVKey;
  UINT flags;
} NMTCKEYDOWN;
