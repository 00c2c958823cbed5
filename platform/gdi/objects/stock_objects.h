// Stock objects, created on first use (usable from static initialisers) and never
// deleted, and the system colour brushes.
#pragma once

#include <win/gdi.h>

namespace talix::gdi {

// The 1x1 monochrome bitmap every new memory DC starts with.
TALIX_EXPORT HBITMAP DefaultBitmap();

// The font engine's stock fonts (OEM_FIXED_FONT ... DEFAULT_GUI_FONT): creates the font
// object for a stock index and returns its handle, or null. The font engine provides
// the definition; until it does, a weak default returns null. Called once per index.
TALIX_EXPORT HGDIOBJ CreateStockFont(int index);

}  // namespace talix::gdi
