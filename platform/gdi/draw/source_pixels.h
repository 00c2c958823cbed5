// The source side of the stretching copies (StretchBlt, StretchDIBits, AlphaBlend,
// TransparentBlt): a source bitmap seen as a 32-bit surface, either the bitmap itself
// (32-bit BGRX) or a converted copy of the part that is needed.
#pragma once

#include "platform/gdi/bitmap/bitmap_object.h"
#include "platform/gdi/dc/dc_object.h"

#include <vector>

namespace talix::gdi {

class SourcePixels {
 public:
  // The part of `wanted` (bitmap pixels, top row 0) inside the bitmap. A monochrome
  // device-compatible source drawn on a colour target takes the target DC's colours (0
  // bits text, 1 bits background) when `target` is given. `copy` always makes a copy.
  SourcePixels(const BitmapObject& bitmap, const RECT& wanted, const DcObject* target,
               bool copy = false);

  bool Empty() const { return surface_.bits == nullptr; }
  // The pixels; bitmap pixel (x, y) is surface pixel (x - Offset().x, y - Offset().y).
  const Surface32& Surface() const { return surface_; }
  POINT Offset() const { return offset_; }
  // True when the surface is the bitmap's own memory.
  bool Direct() const { return copy_.empty(); }
  // Reverses every row of a copy (mirroring between layouts).
  void MirrorRows();

 private:
  Surface32 surface_;
  POINT offset_{0, 0};
  std::vector<uint32_t> copy_;
};

// Clears the X byte of the pixels of `rect` (surface coordinates of the bitmap) when the
// bitmap is device-compatible: the kernels copy alpha as they find it.
void ClearXBytes(BitmapObject& bitmap, const RECT& rect);

}  // namespace talix::gdi
