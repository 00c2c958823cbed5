// The one engine behind BitBlt, PatBlt, the brush fills and the DIB transfers: clips a
// destination rectangle to the DC (and to the source bitmap), converts every depth
// through 32-bit pixels, applies the ternary raster operation and writes back.
//
// Monochrome rules: a monochrome device-compatible source drawn on a colour target
// gives 0 bits the target DC's text colour and 1 bits its background colour; a colour
// source drawn on a monochrome target gives white where it equals the source DC's
// background colour and black elsewhere. Copies within one bitmap read the source as
// it was before the copy, whatever the overlap.
#pragma once

#include "platform/gdi/dc/dc_object.h"
#include "platform/gdi/objects/brush_object.h"

namespace talix::gdi {

struct BlitSource {
  const BitmapObject* bitmap = nullptr;
  RECT rect{};          // in the bitmap's pixels, top row 0; same size as the destination
  bool flip = false;    // read right to left (mirroring between layouts)
  COLORREF bkColor = RGB(255, 255, 255);  // the source DC's background colour
};

struct BlitJob {
  DcObject* dc = nullptr;
  RECT rect{};          // destination, device coordinates, normalised
  uint8_t rop = 0;      // index byte of the raster operation
  BlitSource source;    // used when the operation reads a source
  const BrushObject* brush = nullptr;  // the pattern; the DC's brush when null
  bool useDcBrush = true;
  const Region32* shape = nullptr;     // device coordinates: draw only here (when set)
};

// False only when the job cannot run (no target); clipped-away jobs succeed.
bool RunBlit(const BlitJob& job);

}  // namespace talix::gdi
