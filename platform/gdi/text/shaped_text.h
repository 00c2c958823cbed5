// Text shaped for drawing: HarfBuzz glyphs with whole-pixel advances, in visual order
// (FriBidi decides the order when the text holds right-to-left characters or the
// reading order is right to left).
//
// Kerning and optional ligatures are off, so a string's width is the sum of its
// characters' widths, as GDI measures. Characters the face lacks are shaped with a
// fallback face (font_fallback.h); a character no face has draws the .notdef glyph.
#pragma once

#include "platform/gdi/font/realized_font.h"

#include <memory>
#include <string_view>
#include <vector>

namespace talix::gdi {

struct ShapedGlyph {
  uint32_t index = 0;
  uint32_t cluster = 0;  // the UTF-16 offset of the first character it shows
  int advance = 0;
  int xOffset = 0;
  int yOffset = 0;  // upwards
  RealizedFont* font = nullptr;  // the fallback face it comes from; null: the text's font
};

struct ShapedText {
  std::vector<ShapedGlyph> glyphs;  // left to right
  int width = 0;
  std::vector<std::shared_ptr<RealizedFont>> fallbacks;  // keeps the glyphs' faces alive

  RealizedFont& FontOf(const ShapedGlyph& glyph, RealizedFont& primary) const {
    return glyph.font ? *glyph.font : primary;
  }
};

// Callers hold FontLock().
ShapedText ShapeText(RealizedFont& font, std::u16string_view text, bool rtlReading);

// Each UTF-16 unit's advance in logical order (a cluster's width goes to its first unit).
std::vector<int> CharAdvances(RealizedFont& font, std::u16string_view text);
// The same from text already shaped left to right.
std::vector<int> AdvancesOf(const ShapedText& shaped, size_t length);

// True when the text holds a strong right-to-left character.
bool HasRightToLeft(std::u16string_view text);

}  // namespace talix::gdi
