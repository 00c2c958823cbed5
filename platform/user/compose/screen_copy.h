// The composed screen for the presenter's screen source: brings the composition up to
// date and copies a rectangle of it without any allocation, from any thread.
#pragma once

#include <win/types.h>

#include <cstddef>
#include <cstdint>

namespace talix::user {

// Copies `rect` (screen coordinates) of the composed screen as 32-bit BGRX pixels into
// rows `strideBytes` apart, the pixel at (rect.left, rect.top) first; the part of `rect`
// outside the screen is left as it was. False when nothing could be copied.
TALIX_EXPORT bool CopyComposedScreen(const RECT& rect, uint32_t* rows, size_t strideBytes);

}  // namespace talix::user
