// Dialog base units of a font, for the dialog code (MapDialogRect and dialog layout).
#pragma once

#include <win/text.h>

namespace talix::gdi {

// The average width of the 52 Latin letters (rounded) and the character height, as
// dialogs compute them. {0, 0} for anything that is not a font.
TALIX_EXPORT SIZE DialogBaseUnitsForFont(HFONT font);

}  // namespace talix::gdi
