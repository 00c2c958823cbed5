// The library's plain resource loaders: colours kept as text, the embedded fonts and a
// screen-compatible copy of a theme image.
#pragma once

#include "frame/talix_export.h"

#include <windows.h>

// The colour of string `id` of `module` (null: the theme module), cached per (module, id).
// 0 (black) when the string or the module is missing, or after TALIX_Finalize.
TALIX_LIB_C_API COLORREF KvnLoadColor(HINSTANCE module, UINT id);

// Adds the theme module's embedded fonts on the first call (once per process; not after
// TALIX_Finalize), then, when `lf` is non-null, fills it with the standard face: all
// zero but the face "Arial", DEFAULT_CHARSET and CLEARTYPE_QUALITY. The caller sets the
// height and weight and creates the font.
TALIX_LIB_C_API void KvnLoadFont(LOGFONTW* lf);

// A new device-compatible bitmap (the screen's format; alpha is dropped) holding image
// `id` of the theme module; the caller deletes it. Null when the image or the theme
// module is missing or a device context or bitmap cannot be made.
TALIX_LIB_C_API HBITMAP TALIX_LoadBitmap(UINT id);
