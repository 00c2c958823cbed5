// The embedded-font table: the TrueType fonts of the theme module (resource type "TTF",
// ids 34004, 34003, 34001 and 34002, in that slot order), added for this process on the
// first request and removed by TALIX_Finalize.
#pragma once

#include <windows.h>

namespace talix::frame {

constexpr int kEmbeddedFontCount = 4;
// The resource ids in slot order.
constexpr UINT kEmbeddedFontIds[kEmbeddedFontCount] = {34004, 34003, 34001, 34002};

struct EmbeddedFontTable {
  HANDLE fonts[kEmbeddedFontCount] = {};  // AddFontMemResourceEx handles; null where missing
  bool loaded = false;                    // the fonts were looked for (found or not)
};

TALIX_EXPORT const EmbeddedFontTable& EmbeddedFonts();

// Looks the fonts up in `module` (null: the host executable) and adds them, once per
// process: later calls do nothing, even when none was found.
void LoadEmbeddedFonts(HMODULE module);
// Removes the added fonts (TALIX_Finalize). The table keeps its loaded flag, so the fonts
// are not looked for again; the removed handles are cleared.
void RemoveEmbeddedFonts();
// Removes the fonts and forgets that they were looked for (tests that start over).
TALIX_EXPORT void ForgetEmbeddedFonts();

}  // namespace talix::frame
