// Fonts, text drawing and text metrics.
//
// Limits: fonts are scalable (TrueType/OpenType through FreeType); lfEscapement and
// lfOrientation are kept in the LOGFONTW but text is always drawn horizontally; there is
// no subpixel (ClearType) rendering: CLEARTYPE_QUALITY draws grey antialiased text.
#pragma once

#include <win/base.h>
#include <win/gdi.h>

#define LF_FACESIZE 32
#define LF_FULLFACESIZE 64

typedef struct tagLOGFONTW {
  LONG lfHeight;
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  WCHAR lfFaceName[LF_FACESIZE];
} LOGFONTW, *PLOGFONTW, *LPLOGFONTW;
typedef LOGFONTW LOGFONT;
static_assert(sizeof(LOGFONTW) == 92, "LOGFONTW is 92 bytes");

typedef struct tagTEXTMETRICW {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  WCHAR tmFirstChar;
  WCHAR tmLastChar;
  WCHAR tmDefaultChar;
  WCHAR tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;
  BYTE tmCharSet;
} TEXTMETRICW, *PTEXTMETRICW, *LPTEXTMETRICW;
typedef TEXTMETRICW TEXTMETRIC;
static_assert(sizeof(TEXTMETRICW) == 60, "TEXTMETRICW is 60 bytes");

typedef struct tagPANOSE {
  BYTE bFamilyType;
  BYTE bSerifStyle;
  BYTE bWeight;
  BYTE bProportion;
  BYTE bContrast;
  BYTE bStrokeVariation;
  BYTE bArmStyle;
  BYTE bLetterform;
  BYTE bMidline;
  BYTE bXHeight;
} PANOSE, *LPPANOSE;

// The four name members hold offsets from the start of the structure to the
// null-terminated UTF-16 names, which follow the structure in the same buffer.
typedef struct _OUTLINETEXTMETRICW {
  UINT otmSize;
  TEXTMETRICW otmTextMetrics;
  BYTE otmFiller;
  PANOSE otmPanoseNumber;
  UINT otmfsSelection;
  UINT otmfsType;
  int otmsCharSlopeRise;
  int otmsCharSlopeRun;
  int otmItalicAngle;  // tenths of a degree, counterclockwise from vertical
  UINT otmEMSquare;
  int otmAscent;
  int otmDescent;
  UINT otmLineGap;
  UINT otmsCapEmHeight;
  UINT otmsXHeight;
  RECT otmrcFontBox;
  int otmMacAscent;
  int otmMacDescent;
  UINT otmMacLineGap;
  UINT otmusMinimumPPEM;
  POINT otmptSubscriptSize;
  POINT otmptSubscriptOffset;
  POINT otmptSuperscriptSize;
  POINT otmptSuperscriptOffset;
  UINT otmsStrikeoutSize;
  int otmsStrikeoutPosition;
  int otmsUnderscoreSize;
  int otmsUnderscorePosition;
  PSTR otmpFamilyName;
  PSTR otmpFaceName;
  PSTR otmpStyleName;
  PSTR otmpFullName;
} OUTLINETEXTMETRICW, *POUTLINETEXTMETRICW, *LPOUTLINETEXTMETRICW;
typedef OUTLINETEXTMETRICW OUTLINETEXTMETRIC;

typedef struct _ABC {
  int abcA;
  UINT abcB;
  int abcC;
} ABC, *PABC, *LPABC;

typedef struct tagDRAWTEXTPARAMS {
  UINT cbSize;
  int iTabLength;
  int iLeftMargin;
  int iRightMargin;
  UINT uiLengthDrawn;
} DRAWTEXTPARAMS, *LPDRAWTEXTPARAMS;

// Weights.
#define FW_DONTCARE 0
#define FW_THIN 100
#define FW_EXTRALIGHT 200
#define FW_ULTRALIGHT 200
#define FW_LIGHT 300
#define FW_NORMAL 400
#define FW_REGULAR 400
#define FW_MEDIUM 500
#define FW_SEMIBOLD 600
#define FW_DEMIBOLD 600
#define FW_BOLD 700
#define FW_EXTRABOLD 800
#define FW_ULTRABOLD 800
#define FW_HEAVY 900
#define FW_BLACK 900

// Character sets, precisions, qualities, pitch and family.
#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define SYMBOL_CHARSET 2
#define HEBREW_CHARSET 177
#define ARABIC_CHARSET 178
#define OEM_CHARSET 255
#define OUT_DEFAULT_PRECIS 0
#define OUT_TT_PRECIS 4
#define OUT_TT_ONLY_PRECIS 7
#define OUT_OUTLINE_PRECIS 8
#define CLIP_DEFAULT_PRECIS 0
#define DEFAULT_QUALITY 0
#define DRAFT_QUALITY 1
#define PROOF_QUALITY 2
#define NONANTIALIASED_QUALITY 3
#define ANTIALIASED_QUALITY 4
#define CLEARTYPE_QUALITY 5
#define CLEARTYPE_NATURAL_QUALITY 6
#define DEFAULT_PITCH 0
#define FIXED_PITCH 1
#define VARIABLE_PITCH 2
#define FF_DONTCARE (0 << 4)
#define FF_ROMAN (1 << 4)
#define FF_SWISS (2 << 4)
#define FF_MODERN (3 << 4)
#define FF_SCRIPT (4 << 4)
#define FF_DECORATIVE (5 << 4)
// tmPitchAndFamily bits.
#define TMPF_FIXED_PITCH 0x01
#define TMPF_VECTOR 0x02
#define TMPF_TRUETYPE 0x04
#define TMPF_DEVICE 0x08

// ExtTextOutW options.
#define ETO_OPAQUE 0x0002
#define ETO_CLIPPED 0x0004
#define ETO_GLYPH_INDEX 0x0010
#define ETO_RTLREADING 0x0080
#define ETO_NUMERICSLOCAL 0x0400
#define ETO_NUMERICSLATIN 0x0800
#define ETO_IGNORELANGUAGE 0x1000
#define ETO_PDY 0x2000

// DrawTextW formats.
#define DT_TOP 0x00000000
#define DT_LEFT 0x00000000
#define DT_CENTER 0x00000001
#define DT_RIGHT 0x00000002
#define DT_VCENTER 0x00000004
#define DT_BOTTOM 0x00000008
#define DT_WORDBREAK 0x00000010
#define DT_SINGLELINE 0x00000020
#define DT_EXPANDTABS 0x00000040
#define DT_TABSTOP 0x00000080
#define DT_NOCLIP 0x00000100
#define DT_EXTERNALLEADING 0x00000200
#define DT_CALCRECT 0x00000400
#define DT_NOPREFIX 0x00000800
#define DT_INTERNAL 0x00001000
#define DT_EDITCONTROL 0x00002000
#define DT_PATH_ELLIPSIS 0x00004000
#define DT_END_ELLIPSIS 0x00008000
#define DT_MODIFYSTRING 0x00010000
#define DT_RTLREADING 0x00020000
#define DT_WORD_ELLIPSIS 0x00040000
#define DT_NOFULLWIDTHCHARBREAK 0x00080000
#define DT_HIDEPREFIX 0x00100000
#define DT_PREFIXONLY 0x00200000

// AddFontResourceExW flags.
#define FR_PRIVATE 0x10
#define FR_NOT_ENUM 0x20

// ---- Font objects -----------------------------------------------------------------------

WINGDIAPI HFONT CreateFontIndirectW(const LOGFONTW* lplf);
WINGDIAPI HFONT CreateFontW(int cHeight, int cWidth, int cEscapement, int cOrientation,
                            int cWeight, DWORD bItalic, DWORD bUnderline, DWORD bStrikeOut,
                            DWORD iCharSet, DWORD iOutPrecision, DWORD iClipPrecision,
                            DWORD iQuality, DWORD iPitchAndFamily, LPCWSTR pszFaceName);
inline HFONT CreateFontIndirect(const LOGFONTW* lplf) { return CreateFontIndirectW(lplf); }

// Fonts from memory or private files, visible to this process only.
WINGDIAPI HANDLE AddFontMemResourceEx(PVOID pFileView, DWORD cjSize, PVOID pvResrved,
                                      DWORD* pNumFonts);
WINGDIAPI BOOL RemoveFontMemResourceEx(HANDLE h);
WINGDIAPI int AddFontResourceExW(LPCWSTR name, DWORD fl, PVOID res);
WINGDIAPI BOOL RemoveFontResourceExW(LPCWSTR name, DWORD fl, PVOID pdv);

// ---- Drawing ----------------------------------------------------------------------------

WINGDIAPI BOOL TextOutW(HDC hdc, int x, int y, LPCWSTR lpString, int c);
WINGDIAPI BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* lprect,
                           LPCWSTR lpString, UINT c, const INT* lpDx);
WINUSERAPI int DrawTextW(HDC hdc, LPCWSTR lpchText, int cchText, LPRECT lprc, UINT format);
WINUSERAPI int DrawTextExW(HDC hdc, LPWSTR lpchText, int cchText, LPRECT lprc, UINT format,
                           LPDRAWTEXTPARAMS lpdtp);
inline BOOL TextOut(HDC hdc, int x, int y, LPCWSTR s, int c) { return TextOutW(hdc, x, y, s, c); }
inline int DrawText(HDC hdc, LPCWSTR s, int c, LPRECT rc, UINT f) { return DrawTextW(hdc, s, c, rc, f); }

// ---- Metrics ----------------------------------------------------------------------------

WINGDIAPI BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR lpString, int c, LPSIZE psizl);
WINGDIAPI BOOL GetTextExtentExPointW(HDC hdc, LPCWSTR lpszString, int cchString, int nMaxExtent,
                                     LPINT lpnFit, LPINT lpnDx, LPSIZE lpSize);
WINGDIAPI BOOL GetTextMetricsW(HDC hdc, LPTEXTMETRICW lptm);
// With lpOTM NULL: the size the structure and its names need. A smaller cbData fails
// (ERROR_INSUFFICIENT_BUFFER) and writes nothing.
WINGDIAPI UINT GetOutlineTextMetricsW(HDC hdc, UINT cbData, LPOUTLINETEXTMETRICW lpOTM);
WINGDIAPI BOOL GetCharWidth32W(HDC hdc, UINT iFirst, UINT iLast, LPINT lpBuffer);
WINGDIAPI BOOL GetCharABCWidthsW(HDC hdc, UINT wFirst, UINT wLast, LPABC lpABC);
WINGDIAPI int GetTextFaceW(HDC hdc, int c, LPWSTR lpName);
// Dialog base units of the system font: LOWORD horizontal, HIWORD vertical.
WINUSERAPI LONG GetDialogBaseUnits(void);
// Dialog units to pixels with the base units of the font the window answers WM_GETFONT
// with (the system font when it answers none): x * cx / 4, y * cy / 8, rounded.
WINUSERAPI BOOL MapDialogRect(HWND hDlg, LPRECT lpRect);
inline BOOL GetTextExtentPoint32(HDC hdc, LPCWSTR s, int c, LPSIZE sz) {
  return GetTextExtentPoint32W(hdc, s, c, sz);
}
inline BOOL GetTextMetrics(HDC hdc, LPTEXTMETRICW tm) { return GetTextMetricsW(hdc, tm); }
inline UINT GetOutlineTextMetrics(HDC hdc, UINT cb, LPOUTLINETEXTMETRICW otm) {
  return GetOutlineTextMetricsW(hdc, cb, otm);
}
