// Painting shaped text into a DC: background, glyph coverage blended with the text
// colour, underline and strike-out, all inside the DC's clip (and an optional clip
// rectangle). On mirrored (right-to-left layout) DCs the text's box is mirrored but the
// text itself still reads left to right.
#pragma once

#include "platform/gdi/text/shaped_text.h"

#include <win/text.h>

#include <vector>

namespace talix::gdi {

// A horizontal stroke under part of the text (prefix underlines), in pixels from the
// text's left edge.
struct UnderlineSpan {
  int x = 0;
  int width = 0;
};

struct TextPaint {
  int left = 0;      // logical x of the text's left edge
  int baseline = 0;  // logical y of the baseline
  const RECT* clip = nullptr;    // logical; glyphs and cell stay inside
  const RECT* opaque = nullptr;  // logical; filled with the background colour first
  bool fillCell = false;         // background mode OPAQUE: the text's cell is filled
  bool glyphs = true;            // false: only the underline spans (DT_PREFIXONLY)
  std::vector<UnderlineSpan> underlines;
};

// Callers hold FontLock(). False for a bad DC.
bool PaintText(HDC hdc, RealizedFont& font, const ShapedText& shaped, const TextPaint& paint);

}  // namespace talix::gdi
