// The virtual screen's surface and DCs on it (GetDC(NULL), CreateDCW(L"DISPLAY")).
// GetDC and ReleaseDC belong to the window manager (platform/user/paint), which composes
// the windows into this surface.
#pragma once

#include "platform/gdi/bitmap/bitmap_object.h"

#include <memory>

namespace talix::gdi {

// The screen's 32-bit surface, of the virtual screen's current size (made again when
// the size changes).
TALIX_EXPORT std::shared_ptr<BitmapObject> ScreenSurface();

// A new DC drawing into the whole screen surface.
TALIX_EXPORT HDC CreateScreenDc();

}  // namespace talix::gdi
