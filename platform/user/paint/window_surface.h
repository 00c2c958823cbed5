// The backing surface of a top-level window: 32-bit BGRX, the size of the window
// rectangle (at least 1x1), kept across moves and resized with the window (the old
// pixels stay at the top-left; new parts start black until painted).
#pragma once

#include "platform/gdi/bitmap/bitmap_object.h"
#include "platform/user/window/window_object.h"

#include <memory>

namespace talix::user {

// The surface of a top-level window, made or resized to its window rectangle; null when
// memory runs out. Requires UserLock.
std::shared_ptr<gdi::BitmapObject> SurfaceOfLocked(Window& top);

}  // namespace talix::user
