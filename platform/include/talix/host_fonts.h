// Host API: the stock fonts' LOGFONTWs, so tests and the demo can fix them.
#pragma once

#include <win/text.h>

namespace talix::host {

// From now on the stock font `index` (SYSTEM_FONT, DEFAULT_GUI_FONT, ...) is described
// and drawn by `logfont`. False for an index that is not a stock font.
TALIX_EXPORT bool SetStockFont(int index, const LOGFONTW& logfont);
// Back to the defaults (SYSTEM_FONT's cell follows the screen parameters' system font).
TALIX_EXPORT void ResetStockFonts();

}  // namespace talix::host
