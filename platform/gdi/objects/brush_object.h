// Brush objects: solid, hatched, pattern (from a bitmap or a packed DIB) and null.
// Pattern brushes keep a copy of their pixels, so the bitmap may be deleted afterwards.
//
// Limits: the hatch patterns are this platform's own 8x8 drawings; BS_DIBPATTERN with a
// global memory handle is refused (BS_DIBPATTERNPT is supported).
#pragma once

#include "platform/gdi/gdi_object.h"

#include <win/gdi.h>

#include <cstdint>
#include <vector>

namespace talix::gdi {

class BrushObject : public GdiObject {
 public:
  explicit BrushObject(const LOGBRUSH& log) : GdiObject(OBJ_BRUSH), log_(log) {}

  const LOGBRUSH& Log() const { return log_; }
  UINT Style() const { return log_.lbStyle; }
  // The stock DC brush: its colour is the DC's SetDCBrushColor colour.
  bool IsDcBrush() const { return dcBrush_; }
  void MarkDcBrush() { dcBrush_ = true; }

  // Pattern pixels (0x00RRGGBB) of pattern brushes, top row first. A monochrome
  // pattern holds 0 or 0xFFFFFF and is drawn with the DC's text and background colours.
  int PatternWidth() const { return patternWidth_; }
  int PatternHeight() const { return patternHeight_; }
  bool PatternIsMono() const { return patternMono_; }
  const std::vector<uint32_t>& PatternPixels() const { return pattern_; }
  void SetPattern(int width, int height, std::vector<uint32_t> pixels, bool mono);

  int GetObjectInfo(int cb, void* out) const override;

 private:
  LOGBRUSH log_;
  bool dcBrush_ = false;
  int patternWidth_ = 0;
  int patternHeight_ = 0;
  bool patternMono_ = false;
  std::vector<uint32_t> pattern_;
};

inline BrushObject* PeekBrush(const void* h) { return PeekGdiObject<BrushObject>(h, OBJ_BRUSH); }

// Row y of a hatch style's 8x8 pattern: bit 7 is x = 0, a set bit is a hatch line.
uint8_t HatchRow(int style, int y);

}  // namespace talix::gdi
