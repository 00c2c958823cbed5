// GDI: device contexts, bitmaps, DIBs, brushes, pens, copies with raster operations,
// clipping on DCs and device capabilities.
#pragma once

#include <win/base.h>

// ---- Bitmaps and DIBs -------------------------------------------------------------------

typedef struct tagBITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
} BITMAP, *PBITMAP, *LPBITMAP;

typedef struct tagRGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
} RGBQUAD, *LPRGBQUAD;

typedef struct tagBITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
} BITMAPINFOHEADER, *PBITMAPINFOHEADER, *LPBITMAPINFOHEADER;

typedef struct tagBITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
} BITMAPINFO, *PBITMAPINFO, *LPBITMAPINFO;

#pragma pack(push, 2)
typedef struct tagBITMAPFILEHEADER {
  WORD bfType;
  DWORD bfSize;
  WORD bfReserved1;
  WORD bfReserved2;
  DWORD bfOffBits;
} BITMAPFILEHEADER, *PBITMAPFILEHEADER, *LPBITMAPFILEHEADER;
#pragma pack(pop)

typedef struct tagDIBSECTION {
  BITMAP dsBm;
  BITMAPINFOHEADER dsBmih;
  DWORD dsBitfields[3];
  HANDLE dshSection;
  DWORD dsOffset;
} DIBSECTION, *PDIBSECTION, *LPDIBSECTION;

typedef struct _BLENDFUNCTION {
  BYTE BlendOp;
  BYTE BlendFlags;
  BYTE SourceConstantAlpha;
  BYTE AlphaFormat;
} BLENDFUNCTION, *PBLENDFUNCTION;
#define AC_SRC_OVER 0x00
#define AC_SRC_ALPHA 0x01

#define BI_RGB 0L
#define BI_RLE8 1L
#define BI_RLE4 2L
#define BI_BITFIELDS 3L
#define BI_JPEG 4L
#define BI_PNG 5L

#define DIB_RGB_COLORS 0
#define DIB_PAL_COLORS 1
#define CBM_INIT 0x04L

// ---- Brushes and pens -------------------------------------------------------------------

typedef struct tagLOGBRUSH {
  UINT lbStyle;
  COLORREF lbColor;
  ULONG_PTR lbHatch;
} LOGBRUSH, *PLOGBRUSH, *LPLOGBRUSH;

typedef struct tagLOGPEN {
  UINT lopnStyle;
  POINT lopnWidth;
  COLORREF lopnColor;
} LOGPEN, *PLOGPEN, *LPLOGPEN;

#define BS_SOLID 0
#define BS_NULL 1
#define BS_HOLLOW BS_NULL
#define BS_HATCHED 2
#define BS_PATTERN 3
#define BS_DIBPATTERN 5
#define BS_DIBPATTERNPT 6
#define BS_PATTERN8X8 7
#define BS_DIBPATTERN8X8 8

#define HS_HORIZONTAL 0
#define HS_VERTICAL 1
#define HS_FDIAGONAL 2
#define HS_BDIAGONAL 3
#define HS_CROSS 4
#define HS_DIAGCROSS 5

#define PS_SOLID 0
#define PS_DASH 1
#define PS_DOT 2
#define PS_DASHDOT 3
#define PS_DASHDOTDOT 4
#define PS_NULL 5
#define PS_INSIDEFRAME 6
#define PS_STYLE_MASK 0x0000000F

// ---- Stock objects ----------------------------------------------------------------------

#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define OEM_FIXED_FONT 10
#define ANSI_FIXED_FONT 11
#define ANSI_VAR_FONT 12
#define SYSTEM_FONT 13
#define DEVICE_DEFAULT_FONT 14
#define DEFAULT_PALETTE 15
#define SYSTEM_FIXED_FONT 16
#define DEFAULT_GUI_FONT 17
#define DC_BRUSH 18
#define DC_PEN 19

// ---- Raster operations ------------------------------------------------------------------

#define SRCCOPY 0x00CC0020u
#define SRCPAINT 0x00EE0086u
#define SRCAND 0x008800C6u
#define SRCINVERT 0x00660046u
#define SRCERASE 0x00440328u
#define NOTSRCCOPY 0x00330008u
#define NOTSRCERASE 0x001100A6u
#define MERGECOPY 0x00C000CAu
#define MERGEPAINT 0x00BB0226u
#define PATCOPY 0x00F00021u
#define PATPAINT 0x00FB0A09u
#define PATINVERT 0x005A0049u
#define DSTINVERT 0x00550009u
#define BLACKNESS 0x00000042u
#define WHITENESS 0x00FF0062u
#define NOMIRRORBITMAP 0x80000000u
#define CAPTUREBLT 0x40000000u
#define MAKEROP4(fore, back) (DWORD)((((back) << 8) & 0xFF000000) | (fore))

#define R2_BLACK 1
#define R2_NOTMERGEPEN 2
#define R2_MASKNOTPEN 3
#define R2_NOTCOPYPEN 4
#define R2_MASKPENNOT 5
#define R2_NOT 6
#define R2_XORPEN 7
#define R2_NOTMASKPEN 8
#define R2_MASKPEN 9
#define R2_NOTXORPEN 10
#define R2_NOP 11
#define R2_MERGENOTPEN 12
#define R2_COPYPEN 13
#define R2_MERGEPENNOT 14
#define R2_MERGEPEN 15
#define R2_WHITE 16

// ---- DC attributes ----------------------------------------------------------------------

#define TRANSPARENT 1
#define OPAQUE 2

#define BLACKONWHITE 1
#define WHITEONBLACK 2
#define COLORONCOLOR 3
#define HALFTONE 4
#define STRETCH_ANDSCANS BLACKONWHITE
#define STRETCH_ORSCANS WHITEONBLACK
#define STRETCH_DELETESCANS COLORONCOLOR
#define STRETCH_HALFTONE HALFTONE

#define MM_TEXT 1

#define TA_NOUPDATECP 0
#define TA_UPDATECP 1
#define TA_LEFT 0
#define TA_RIGHT 2
#define TA_CENTER 6
#define TA_TOP 0
#define TA_BOTTOM 8
#define TA_BASELINE 24
#define TA_RTLREADING 256

#define LAYOUT_RTL 0x00000001
#define LAYOUT_BTT 0x00000002
#define LAYOUT_VBH 0x00000004
#define LAYOUT_BITMAPORIENTATIONPRESERVED 0x00000008

#define CLR_INVALID 0xFFFFFFFFu
#define GDI_ERROR 0xFFFFFFFFu
#define HGDI_ERROR ((HANDLE)(LONG_PTR)-1)

// Region types and combine modes (also declared with the region functions).
#ifndef ERROR
#define ERROR 0
#endif
#define NULLREGION 1
#define SIMPLEREGION 2
#define COMPLEXREGION 3
#define RGN_AND 1
#define RGN_OR 2
#define RGN_XOR 3
#define RGN_DIFF 4
#define RGN_COPY 5

// ---- GetDeviceCaps ----------------------------------------------------------------------

#define DRIVERVERSION 0
#define TECHNOLOGY 2
#define HORZSIZE 4
#define VERTSIZE 6
#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define PLANES 14
#define NUMBRUSHES 16
#define NUMPENS 18
#define NUMMARKERS 20
#define NUMFONTS 22
#define NUMCOLORS 24
#define PDEVICESIZE 26
#define CURVECAPS 28
#define LINECAPS 30
#define POLYGONALCAPS 32
#define TEXTCAPS 34
#define CLIPCAPS 36
#define RASTERCAPS 38
#define ASPECTX 40
#define ASPECTY 42
#define ASPECTXY 44
#define LOGPIXELSX 88
#define LOGPIXELSY 90
#define SIZEPALETTE 104
#define NUMRESERVED 106
#define COLORRES 108
#define VREFRESH 116
#define DESKTOPVERTRES 117
#define DESKTOPHORZRES 118
#define BLTALIGNMENT 119
#define SHADEBLENDCAPS 120
#define COLORMGMTCAPS 121

#define DT_PLOTTER 0
#define DT_RASDISPLAY 1
#define DT_RASPRINTER 2

#define RC_BITBLT 0x0001
#define RC_BANDING 0x0002
#define RC_SCALING 0x0004
#define RC_BITMAP64 0x0008
#define RC_GDI20_OUTPUT 0x0010
#define RC_DI_BITMAP 0x0080
#define RC_PALETTE 0x0100
#define RC_DIBTODEV 0x0200
#define RC_STRETCHBLT 0x0800
#define RC_FLOODFILL 0x1000
#define RC_STRETCHDIB 0x2000

#define CP_NONE 0
#define CP_RECTANGLE 1
#define CP_REGION 2

#define SB_NONE 0x00
#define SB_CONST_ALPHA 0x01
#define SB_PIXEL_ALPHA 0x02
#define SB_PREMULT_ALPHA 0x04
#define SB_GRAD_RECT 0x10
#define SB_GRAD_TRI 0x20

// ---- Device contexts --------------------------------------------------------------------

typedef struct _devicemodeW DEVMODEW;

// The screen DC: GetDC(NULL) / ReleaseDC.
WINUSERAPI HDC GetDC(HWND hWnd);
WINUSERAPI int ReleaseDC(HWND hWnd, HDC hDC);
// Only the "DISPLAY" device is known.
WINGDIAPI HDC CreateDCW(LPCWSTR pwszDriver, LPCWSTR pwszDevice, LPCWSTR pszPort,
                        const DEVMODEW* pdm);
WINGDIAPI HDC CreateCompatibleDC(HDC hdc);
WINGDIAPI BOOL DeleteDC(HDC hdc);
WINGDIAPI HGDIOBJ SelectObject(HDC hdc, HGDIOBJ h);
WINGDIAPI HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
WINGDIAPI int SaveDC(HDC hdc);
WINGDIAPI BOOL RestoreDC(HDC hdc, int nSavedDC);
WINGDIAPI int GetDeviceCaps(HDC hdc, int index);

WINGDIAPI int SetBkMode(HDC hdc, int mode);
WINGDIAPI int GetBkMode(HDC hdc);
WINGDIAPI COLORREF SetBkColor(HDC hdc, COLORREF color);
WINGDIAPI COLORREF GetBkColor(HDC hdc);
WINGDIAPI COLORREF SetTextColor(HDC hdc, COLORREF color);
WINGDIAPI COLORREF GetTextColor(HDC hdc);
WINGDIAPI int SetStretchBltMode(HDC hdc, int mode);
WINGDIAPI int GetStretchBltMode(HDC hdc);
WINGDIAPI int SetROP2(HDC hdc, int rop2);
WINGDIAPI int GetROP2(HDC hdc);
WINGDIAPI UINT SetTextAlign(HDC hdc, UINT align);
WINGDIAPI UINT GetTextAlign(HDC hdc);
WINGDIAPI int SetMapMode(HDC hdc, int mode);
WINGDIAPI int GetMapMode(HDC hdc);
WINGDIAPI BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
WINGDIAPI BOOL GetBrushOrgEx(HDC hdc, LPPOINT lppt);
WINGDIAPI COLORREF SetDCBrushColor(HDC hdc, COLORREF color);
WINGDIAPI COLORREF GetDCBrushColor(HDC hdc);
WINGDIAPI COLORREF SetDCPenColor(HDC hdc, COLORREF color);
WINGDIAPI COLORREF GetDCPenColor(HDC hdc);

WINGDIAPI BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
WINGDIAPI BOOL GetViewportOrgEx(HDC hdc, LPPOINT lppt);
WINGDIAPI BOOL OffsetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
WINGDIAPI BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
WINGDIAPI BOOL GetWindowOrgEx(HDC hdc, LPPOINT lppt);
WINGDIAPI BOOL OffsetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt);
WINGDIAPI BOOL GetDCOrgEx(HDC hdc, LPPOINT lppt);
WINGDIAPI BOOL LPtoDP(HDC hdc, LPPOINT lppt, int c);
WINGDIAPI BOOL DPtoLP(HDC hdc, LPPOINT lppt, int c);
WINGDIAPI DWORD SetLayout(HDC hdc, DWORD l);
WINGDIAPI DWORD GetLayout(HDC hdc);

// ---- Clipping ---------------------------------------------------------------------------

WINGDIAPI int SelectClipRgn(HDC hdc, HRGN hrgn);
WINGDIAPI int ExtSelectClipRgn(HDC hdc, HRGN hrgn, int mode);
WINGDIAPI int GetClipRgn(HDC hdc, HRGN hrgn);
WINGDIAPI int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
WINGDIAPI int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
WINGDIAPI int OffsetClipRgn(HDC hdc, int x, int y);
WINGDIAPI int GetClipBox(HDC hdc, LPRECT lprect);
WINGDIAPI BOOL PtVisible(HDC hdc, int x, int y);
WINGDIAPI BOOL RectVisible(HDC hdc, const RECT* lprect);

// ---- Objects ----------------------------------------------------------------------------

// Object types, as GetObjectType reports them.
#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_DC 3
#define OBJ_METADC 4
#define OBJ_PAL 5
#define OBJ_FONT 6
#define OBJ_BITMAP 7
#define OBJ_REGION 8
#define OBJ_METAFILE 9
#define OBJ_MEMDC 10
#define OBJ_EXTPEN 11
#define OBJ_ENHMETADC 12
#define OBJ_ENHMETAFILE 13
#define OBJ_COLORSPACE 14

WINGDIAPI BOOL DeleteObject(HGDIOBJ ho);
WINGDIAPI DWORD GetObjectType(HGDIOBJ h);

WINGDIAPI HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount,
                               const void* lpBits);
WINGDIAPI HBITMAP CreateBitmapIndirect(const BITMAP* pbm);
WINGDIAPI HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy);
WINGDIAPI HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* pbmi, UINT usage, void** ppvBits,
                                   HANDLE hSection, DWORD offset);
WINGDIAPI HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* pbmih, DWORD flInit,
                                 const void* pjBits, const BITMAPINFO* pbmi, UINT iUsage);
WINGDIAPI int GetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, LPVOID lpvBits,
                        LPBITMAPINFO lpbmi, UINT usage);
WINGDIAPI int SetDIBits(HDC hdc, HBITMAP hbm, UINT start, UINT cLines, const void* lpBits,
                        const BITMAPINFO* lpbmi, UINT ColorUse);
WINGDIAPI int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD w, DWORD h, int xSrc,
                                int ySrc, UINT StartScan, UINT cLines, const void* lpvBits,
                                const BITMAPINFO* lpbmi, UINT ColorUse);
WINGDIAPI int StretchDIBits(HDC hdc, int xDest, int yDest, int DestWidth, int DestHeight,
                            int xSrc, int ySrc, int SrcWidth, int SrcHeight, const void* lpBits,
                            const BITMAPINFO* lpbmi, UINT iUsage, DWORD rop);
WINGDIAPI LONG GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits);
WINGDIAPI LONG SetBitmapBits(HBITMAP hbm, DWORD cb, const void* pvBits);

WINGDIAPI HBRUSH CreateSolidBrush(COLORREF color);
WINGDIAPI HBRUSH CreateHatchBrush(int iHatch, COLORREF color);
WINGDIAPI HBRUSH CreatePatternBrush(HBITMAP hbm);
WINGDIAPI HBRUSH CreateBrushIndirect(const LOGBRUSH* plbrush);
WINGDIAPI HBRUSH CreateDIBPatternBrushPt(const void* lpPackedDIB, UINT iUsage);
WINUSERAPI HBRUSH GetSysColorBrush(int nIndex);
WINGDIAPI HPEN CreatePen(int iStyle, int cWidth, COLORREF color);
WINGDIAPI HPEN CreatePenIndirect(const LOGPEN* plpen);
WINGDIAPI HGDIOBJ GetStockObject(int i);
WINGDIAPI int GetObjectW(HANDLE h, int c, LPVOID pv);
inline int GetObject(HANDLE h, int c, LPVOID pv) { return GetObjectW(h, c, pv); }
inline HDC CreateDC(LPCWSTR d, LPCWSTR dev, LPCWSTR port, const DEVMODEW* dm) {
  return CreateDCW(d, dev, port, dm);
}

// ---- Copies and pixels ------------------------------------------------------------------

WINGDIAPI BOOL BitBlt(HDC hdc, int x, int y, int cx, int cy, HDC hdcSrc, int x1, int y1,
                      DWORD rop);
WINGDIAPI BOOL PatBlt(HDC hdc, int x, int y, int w, int h, DWORD rop);
WINGDIAPI COLORREF GetPixel(HDC hdc, int x, int y);
WINGDIAPI COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);
WINGDIAPI BOOL SetPixelV(HDC hdc, int x, int y, COLORREF color);
WINUSERAPI int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
WINUSERAPI int FrameRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
WINUSERAPI BOOL InvertRect(HDC hDC, const RECT* lprc);

// ---- Stretching, blending and keyed copies ---------------------------------------------

WINGDIAPI BOOL StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc,
                          int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop);
WINGDIAPI BOOL AlphaBlend(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest, int hDest,
                          HDC hdcSrc, int xoriginSrc, int yoriginSrc, int wSrc, int hSrc,
                          BLENDFUNCTION ftn);
WINGDIAPI BOOL GdiAlphaBlend(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest,
                             int hDest, HDC hdcSrc, int xoriginSrc, int yoriginSrc, int wSrc,
                             int hSrc, BLENDFUNCTION ftn);
WINGDIAPI BOOL TransparentBlt(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest,
                              int hDest, HDC hdcSrc, int xoriginSrc, int yoriginSrc, int wSrc,
                              int hSrc, UINT crTransparent);
WINGDIAPI BOOL GdiTransparentBlt(HDC hdcDest, int xoriginDest, int yoriginDest, int wDest,
                                 int hDest, HDC hdcSrc, int xoriginSrc, int yoriginSrc,
                                 int wSrc, int hSrc, UINT crTransparent);

// ---- Lines and shapes ---------------------------------------------------------------------

WINGDIAPI BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT lppt);
WINGDIAPI BOOL LineTo(HDC hdc, int x, int y);
WINGDIAPI BOOL GetCurrentPositionEx(HDC hdc, LPPOINT lppt);
WINGDIAPI BOOL Polyline(HDC hdc, const POINT* apt, int cpt);
WINGDIAPI BOOL PolylineTo(HDC hdc, const POINT* apt, DWORD cpt);
WINGDIAPI BOOL Polygon(HDC hdc, const POINT* apt, int cpt);
WINGDIAPI BOOL PolyPolygon(HDC hdc, const POINT* apt, const INT* asz, int csz);
WINGDIAPI int SetPolyFillMode(HDC hdc, int mode);
WINGDIAPI int GetPolyFillMode(HDC hdc);
WINGDIAPI BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
WINGDIAPI BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom);
WINGDIAPI BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width,
                         int height);

// ---- Painting regions ---------------------------------------------------------------------

WINGDIAPI BOOL FillRgn(HDC hdc, HRGN hrgn, HBRUSH hbr);
WINGDIAPI BOOL FrameRgn(HDC hdc, HRGN hrgn, HBRUSH hbr, int w, int h);
WINGDIAPI BOOL PaintRgn(HDC hdc, HRGN hrgn);
WINGDIAPI BOOL InvertRgn(HDC hdc, HRGN hrgn);

// ---- Edges, focus rectangles and frame controls -----------------------------------------

#define BDR_RAISEDOUTER 0x0001
#define BDR_SUNKENOUTER 0x0002
#define BDR_RAISEDINNER 0x0004
#define BDR_SUNKENINNER 0x0008
#define BDR_OUTER (BDR_RAISEDOUTER | BDR_SUNKENOUTER)
#define BDR_INNER (BDR_RAISEDINNER | BDR_SUNKENINNER)
#define BDR_RAISED (BDR_RAISEDOUTER | BDR_RAISEDINNER)
#define BDR_SUNKEN (BDR_SUNKENOUTER | BDR_SUNKENINNER)
#define EDGE_RAISED (BDR_RAISEDOUTER | BDR_RAISEDINNER)
#define EDGE_SUNKEN (BDR_SUNKENOUTER | BDR_SUNKENINNER)
#define EDGE_ETCHED (BDR_SUNKENOUTER | BDR_RAISEDINNER)
#define EDGE_BUMP (BDR_RAISEDOUTER | BDR_SUNKENINNER)

#define BF_LEFT 0x0001
#define BF_TOP 0x0002
#define BF_RIGHT 0x0004
#define BF_BOTTOM 0x0008
#define BF_TOPLEFT (BF_TOP | BF_LEFT)
#define BF_TOPRIGHT (BF_TOP | BF_RIGHT)
#define BF_BOTTOMLEFT (BF_BOTTOM | BF_LEFT)
#define BF_BOTTOMRIGHT (BF_BOTTOM | BF_RIGHT)
#define BF_RECT (BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM)
#define BF_DIAGONAL 0x0010
#define BF_MIDDLE 0x0800
#define BF_SOFT 0x1000
#define BF_ADJUST 0x2000
#define BF_FLAT 0x4000
#define BF_MONO 0x8000

#define DFC_CAPTION 1
#define DFC_MENU 2
#define DFC_SCROLL 3
#define DFC_BUTTON 4

#define DFCS_MENUARROW 0x0000
#define DFCS_MENUCHECK 0x0001
#define DFCS_MENUBULLET 0x0002
#define DFCS_MENUARROWRIGHT 0x0004

WINUSERAPI BOOL DrawEdge(HDC hdc, LPRECT qrc, UINT edge, UINT grfFlags);
WINUSERAPI BOOL DrawFocusRect(HDC hDC, const RECT* lprc);
WINUSERAPI BOOL DrawFrameControl(HDC hdc, LPRECT lprc, UINT uType, UINT uState);
