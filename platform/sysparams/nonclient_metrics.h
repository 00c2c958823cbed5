// The non-client metrics and the UI fonts of the virtual screen.
#pragma once

#include <win/sysparams.h>

namespace talix::sysparams {

// The UI face at 8 points at the screen's DPI (bold for captions).
LOGFONTW UiFont(bool bold);
// Fills `size` bytes of the structure (504, or 500 without iPaddedBorderWidth); cbSize
// is left as the caller set it.
void FillNonClientMetrics(NONCLIENTMETRICSW* metrics, UINT size);

}  // namespace talix::sysparams
