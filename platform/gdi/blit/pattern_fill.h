// A DC's brush made ready for one drawing call: the pattern in final colours for the
// target, aligned to the brush origin (device coordinates).
//
// Colour rules: a hatch draws its lines in the brush colour and its gaps in the DC's
// background colour (left untouched in TRANSPARENT mode); a monochrome pattern draws 0
// bits in the text colour and 1 bits in the background colour; for a monochrome
// target every colour becomes the nearer of black and white.
#pragma once

#include "platform/gdi/dc/dc_object.h"
#include "platform/gdi/objects/brush_object.h"

#include <vector>

namespace talix::gdi {

class PatternFill {
 public:
  PatternFill(const DcObject& dc, const BrushObject* brush);

  // False for the null brush (or none): nothing is drawn with it.
  bool Usable() const { return width_ > 0; }
  // True when some pattern pixels must leave the destination alone.
  bool HasGaps() const { return !opaque_.empty(); }
  // Pattern pixels of device row y from device column x; opaque (when HasGaps) gets 1
  // where the pattern covers the destination.
  void Row(int x, int y, int count, uint32_t* out, uint8_t* opaque) const;

 private:
  int width_ = 0;
  int height_ = 0;
  POINT origin_{0, 0};
  std::vector<uint32_t> pixels_;
  std::vector<uint8_t> opaque_;
};

}  // namespace talix::gdi
