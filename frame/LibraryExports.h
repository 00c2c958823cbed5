// The library's plain exported functions of its frame: strings and modules of the
// resource handler, and the host's last call, TALIX_Finalize.
#pragma once

#include "frame/talix_export.h"

#include <windows.h>

#include <string>

// LoadStringW from the language module; 0 (buffer emptied when it has room) without one.
TALIX_LIB_C_API int TALIX_LoadString(UINT id, WCHAR* buffer, int cchBufferMax);
// The theme and language modules; null when missing or after TALIX_Finalize.
TALIX_LIB_C_API HINSTANCE TALIX_GetCommonSKX();
TALIX_LIB_C_API HINSTANCE TALIX_GetCommonWDP();
// Creates nothing: always null.
TALIX_LIB_C_API HFONT TALIX_CreateFontIndirect(void* logFont);
// Frees, in this order, the data-layer root, the resource handler with its modules, the
// colour loader with its cache and the embedded fonts. Later calls of the frame's
// functions and loaders find no modules and fail cleanly (null, 0).
TALIX_LIB_C_API void TALIX_Finalize();

namespace talix::frame {

// The data-layer root kept for the file dialog; empty at load, freed by TALIX_Finalize.
std::u16string& DataLayerRoot();

// Cleanup steps of other areas that TALIX_Finalize runs last, in registration order.
using FinalizeStep = void (*)();
TALIX_EXPORT void AddFinalizeStep(FinalizeStep step);

}  // namespace talix::frame
