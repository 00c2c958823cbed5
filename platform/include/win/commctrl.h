// Common controls. As on Windows this header is not part of windows.h: include it where
// common controls are used. It holds the image lists for now.
//
// Image lists: images are kept at 32 bits a pixel whatever the ILC_COLOR* depth (colours
// are not reduced to 4, 8, 16 or 24 bits); only ILC_COLOR32 lists keep per-pixel alpha.
// Overlay images (ILD_OVERLAYMASK), ILD_ROP/ILD_SCALE/ILD_DPISCALE and the drag functions
// are not provided.
#pragma once

#include <win/gdi.h>
#include <win/icon.h>
#include <win/tooltips.h>

// ImageList_Create flags.
#define ILC_MASK 0x00000001
#define ILC_COLOR 0x00000000
#define ILC_COLORDDB 0x000000FE
#define ILC_COLOR4 0x00000004
#define ILC_COLOR8 0x00000008
#define ILC_COLOR16 0x00000010
#define ILC_COLOR24 0x00000018
#define ILC_COLOR32 0x00000020
#define ILC_PALETTE 0x00000800
#define ILC_MIRROR 0x00002000
#define ILC_PERITEMMIRROR 0x00008000

// ImageList_Draw styles.
#define ILD_NORMAL 0x00000000
#define ILD_TRANSPARENT 0x00000001
#define ILD_BLEND25 0x00000002
#define ILD_BLEND50 0x00000004
#define ILD_MASK 0x00000010
#define ILD_IMAGE 0x00000020
#define ILD_ROP 0x00000040
#define ILD_OVERLAYMASK 0x00000F00
#define ILD_PRESERVEALPHA 0x00001000
#define ILD_SCALE 0x00002000
#define ILD_DPISCALE 0x00004000
#define ILD_SELECTED ILD_BLEND50
#define ILD_FOCUS ILD_BLEND25
#define ILD_BLEND ILD_BLEND50
#define INDEXTOOVERLAYMASK(i) ((i) << 8)

#define CLR_NONE 0xFFFFFFFFL
#define CLR_DEFAULT 0xFF000000L
#define CLR_HILIGHT CLR_DEFAULT

typedef struct _IMAGEINFO {
  HBITMAP hbmImage;
  HBITMAP hbmMask;
  int Unused1;
  int Unused2;
  RECT rcImage;
} IMAGEINFO, *LPIMAGEINFO;

WINBASEAPI HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow);
WINBASEAPI BOOL ImageList_Destroy(HIMAGELIST himl);
WINBASEAPI int ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask);
WINBASEAPI int ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask);
WINBASEAPI int ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON hicon);
WINBASEAPI BOOL ImageList_Replace(HIMAGELIST himl, int i, HBITMAP hbmImage, HBITMAP hbmMask);
WINBASEAPI BOOL ImageList_Remove(HIMAGELIST himl, int i);
WINBASEAPI int ImageList_GetImageCount(HIMAGELIST himl);
WINBASEAPI BOOL ImageList_SetImageCount(HIMAGELIST himl, UINT uNewCount);
WINBASEAPI BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy);
WINBASEAPI BOOL ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy);
WINBASEAPI COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF clrBk);
WINBASEAPI COLORREF ImageList_GetBkColor(HIMAGELIST himl);
WINBASEAPI BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle);
WINBASEAPI BOOL ImageList_DrawEx(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, int dx,
                                 int dy, COLORREF rgbBk, COLORREF rgbFg, UINT fStyle);
WINBASEAPI HICON ImageList_GetIcon(HIMAGELIST himl, int i, UINT flags);
WINBASEAPI BOOL ImageList_GetImageInfo(HIMAGELIST himl, int i, IMAGEINFO* pImageInfo);
WINBASEAPI HIMAGELIST ImageList_LoadImageW(HINSTANCE hi, LPCWSTR lpbmp, int cx, int cGrow,
                                           COLORREF crMask, UINT uType, UINT uFlags);
WINBASEAPI HIMAGELIST ImageList_Duplicate(HIMAGELIST himl);

#define ImageList_AddIcon(himl, hicon) ImageList_ReplaceIcon(himl, -1, hicon)
#define ImageList_ExtractIcon(hi, himl, i) ImageList_GetIcon(himl, i, 0)
#define ImageList_RemoveAll(himl) ImageList_Remove(himl, -1)
#define ImageList_LoadBitmap(hi, lpbmp, cx, cGrow, crMask) \
  ImageList_LoadImageW(hi, lpbmp, cx, cGrow, crMask, IMAGE_BITMAP, 0)
inline HIMAGELIST ImageList_LoadImage(HINSTANCE hi, LPCWSTR b, int cx, int g, COLORREF m, UINT t,
                                      UINT f) {
  return ImageList_LoadImageW(hi, b, cx, g, m, t, f);
}
