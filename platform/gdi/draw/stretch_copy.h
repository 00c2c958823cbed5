// The stretching copy behind StretchBlt and StretchDIBits: a source bitmap rectangle onto
// a DC rectangle, both with signed extents, through any raster operation.
//
// SRCCOPY onto a 32-bit target from a colour source runs the stretching kernel straight
// into the target; everything else stretches into a temporary 32-bit image first and then
// combines it with the destination through the raster-operation engine (which also
// converts to the target's depth). Destination pixels whose sample falls outside the
// source bitmap are left alone.
//
// Limits: BLACKONWHITE and WHITEONBLACK shrink like COLORONCOLOR (nearest pixel, no
// merging of dropped rows and columns).
#pragma once

#include "platform/gdi/dc/dc_object.h"

namespace talix::gdi {

struct StretchSource {
  const BitmapObject* bitmap = nullptr;
  int x = 0, y = 0, width = 0, height = 0;  // bitmap pixels, top row 0; signed extents
  bool mirrored = false;                    // the source DC is right-to-left
  COLORREF bkColor = RGB(255, 255, 255);    // the source DC's background colour
};

// Destination in logical coordinates with signed extents; `rop` a full raster operation
// (NOMIRRORBITMAP honoured). False only when nothing can be drawn at all (no target, no
// memory).
bool StretchOnto(DcObject& dc, int x, int y, int width, int height, const StretchSource& src,
                 DWORD rop);

}  // namespace talix::gdi
