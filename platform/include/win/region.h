// GDI regions: creation, combination, queries and the RGNDATA exchange format.
//
// Coordinates are device units. Every region excludes its right and bottom edges.
// Region coordinates are 27-bit signed values: rectangle corners beyond that range are
// clamped to it; polygon points beyond it make the call fail; an offset that would move a
// region past it fails.
//
// Limits: ExtCreateRegion applies only transforms without rotation or shear (eM12 and
// eM21 zero); others fail with ERROR_INVALID_PARAMETER. Ellipse, rounded-rectangle and
// polygon regions taller than 1,048,576 rows, and polygon regions of more than 2,097,152
// row spans or 16,777,216 edge crossings, fail with ERROR_NOT_ENOUGH_MEMORY. ExtCreateRegion
// refuses an RGNDATA whose rectangle count needs more bytes than nCount (the argument)
// leaves after the header, or whose nRgnSize exceeds nCount.
#pragma once

#include <win/base.h>

// Region types, as CombineRgn, OffsetRgn and GetRgnBox report them. ERROR is 0.
#define ERROR 0
#define NULLREGION 1
#define SIMPLEREGION 2
#define COMPLEXREGION 3
#define RGN_ERROR ERROR

// CombineRgn modes.
#define RGN_AND 1
#define RGN_OR 2
#define RGN_XOR 3
#define RGN_DIFF 4
#define RGN_COPY 5
#define RGN_MIN RGN_AND
#define RGN_MAX RGN_COPY

// Polygon fill modes.
#define ALTERNATE 1
#define WINDING 2

// RGNDATAHEADER.iType.
#define RDH_RECTANGLES 1

typedef struct _RGNDATAHEADER {
  DWORD dwSize;    // sizeof(RGNDATAHEADER), 32
  DWORD iType;     // RDH_RECTANGLES
  DWORD nCount;    // rectangles in Buffer
  DWORD nRgnSize;  // bytes of rectangles in Buffer, or 0 when not known
  RECT rcBound;
} RGNDATAHEADER, *PRGNDATAHEADER;

// The header followed by nCount RECTs, in y-x banded order when GetRegionData fills it.
typedef struct _RGNDATA {
  RGNDATAHEADER rdh;
  char Buffer[1];
} RGNDATA, *PRGNDATA, *NPRGNDATA, *LPRGNDATA;

#ifndef TALIX_HAVE_XFORM
#define TALIX_HAVE_XFORM
// A world transform: x' = x * eM11 + y * eM21 + eDx, y' = x * eM12 + y * eM22 + eDy.
typedef struct tagXFORM {
  FLOAT eM11;
  FLOAT eM12;
  FLOAT eM21;
  FLOAT eM22;
  FLOAT eDx;
  FLOAT eDy;
} XFORM, *PXFORM, *LPXFORM;
#endif

WINGDIAPI HRGN CreateRectRgn(int x1, int y1, int x2, int y2);
WINGDIAPI HRGN CreateRectRgnIndirect(const RECT* lprect);
WINGDIAPI BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom);
WINGDIAPI HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2);
WINGDIAPI HRGN CreateEllipticRgnIndirect(const RECT* lprect);
WINGDIAPI HRGN CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h);
WINGDIAPI HRGN CreatePolygonRgn(const POINT* pptl, int cPoint, int iMode);
WINGDIAPI HRGN CreatePolyPolygonRgn(const POINT* pptl, const INT* pc, int cPoly, int iMode);
WINGDIAPI HRGN ExtCreateRegion(const XFORM* lpx, DWORD nCount, const RGNDATA* lpData);

WINGDIAPI int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode);
WINGDIAPI int OffsetRgn(HRGN hrgn, int x, int y);
WINGDIAPI BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2);
WINGDIAPI int GetRgnBox(HRGN hrgn, LPRECT lprc);
WINGDIAPI BOOL PtInRegion(HRGN hrgn, int x, int y);
WINGDIAPI BOOL RectInRegion(HRGN hrgn, const RECT* lprect);
WINGDIAPI DWORD GetRegionData(HRGN hrgn, DWORD nCount, LPRGNDATA lpRgnData);
