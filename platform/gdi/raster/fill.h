// Solid fills: the fast path behind FillRect and PatBlt with a solid brush and PATCOPY.
#pragma once

#include "platform/gdi/raster/clip.h"

#include <cstdint>

namespace talix::gdi::raster {

// Stores `pixel` (0xAARRGGBB, written as is) into every visible pixel of `rect`: the
// rectangle clipped to the destination bounds and to `clip` (null = no clip region).
TALIX_EXPORT void Fill(const Surface32& dst, const RasterRect& rect, uint32_t pixel,
                       const pixman_region32_t* clip);

// The same for a list of spans (shape interiors and outlines from the span generators).
TALIX_EXPORT void FillSpans(const Surface32& dst, const std::vector<Span>& spans,
                            uint32_t pixel, const pixman_region32_t* clip);

}  // namespace talix::gdi::raster
