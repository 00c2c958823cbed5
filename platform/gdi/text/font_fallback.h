// Per-character font fallback: a character the selected face lacks is drawn with a face
// fontconfig finds for it (by character set, preferring the selected face's family,
// weight and slant), at the selected face's em size and with its simulated styles.
//
// Limits: the fallback face is antialiased whatever lfQuality asked for, and lfWidth
// does not narrow it; fonts added with AddFontMemResourceEx are not searched.
#pragma once

#include "platform/gdi/font/realized_font.h"

#include <memory>

namespace talix::gdi {

// The face that draws `code` when `primary` lacks it, or null when no face has it.
// Lookups and realisations are cached. Callers hold FontLock().
std::shared_ptr<RealizedFont> FallbackFontFor(RealizedFont& primary, char32_t code);

// True when the face has a glyph for the character.
inline bool FaceHas(RealizedFont& font, char32_t code) {
  return FT_Get_Char_Index(font.Face(), code) != 0;
}

}  // namespace talix::gdi
