// CQuorGraphics: a thin wrapper of a device context through which skins draw pictures,
// whole or in parts, at natural size or stretched (HALFTONE), with the picture's mask
// blended over what the DC already shows. The DC is borrowed, never deleted.
//
// Limits: a masked draw reads the destination back, so the DC must have a readable surface
// (memory DCs and window DCs here all do); skins draw masked pictures into back buffers.
#pragma once

#include "frame/talix_export.h"

#include <windows.h>

class CQuorBitmap;

class TALIX_LIB_API CQuorGraphics {
 public:
  explicit CQuorGraphics(HDC dc);
  virtual ~CQuorGraphics();
  CQuorGraphics(const CQuorGraphics&) = default;
  CQuorGraphics& operator=(const CQuorGraphics&) = default;

  operator HDC() const { return m_hDC; }

  // Whole picture at natural size, top-left at (x, y).
  void DrawImage(CQuorBitmap* picture, int x, int y);
  // Whole picture stretched into (x, y, x + cx, y + cy).
  void DrawImage(CQuorBitmap* picture, int x, int y, int cx, int cy);
  // Whole picture stretched into dst.
  void DrawImage(CQuorBitmap* picture, RECT dst);
  // The src part of the picture stretched into dst; every other overload ends here.
  void DrawImage(CQuorBitmap* picture, RECT dst, RECT src);
  // The part (x, y, x + cx, y + cy) of the picture stretched into dst.
  void DrawImage(CQuorBitmap* picture, RECT dst, int x, int y, int cx, int cy);

 protected:
  // A new cx x cy bitmap compatible with the DC holding the src part of `bitmap`,
  // stretched when the sizes differ; the caller deletes it. NULL on failure.
  HBITMAP CopyBitmapPart(HBITMAP bitmap, RECT src, int cx, int cy);
  // BitBlt when the sizes are equal, else a HALFTONE StretchBlt (mode restored after).
  BOOL MyStretchBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int srcX, int srcY,
                    int srcCx, int srcCy, unsigned long rop);

  HDC m_hDC;
};
