// The region object: a y-x banded list of rectangles, held as a pixman region.
#pragma once

#include "platform/gdi/gdi_object.h"

#include <win/region.h>

#include <pixman.h>

#include <vector>

namespace talix::gdi {

class RegionObject : public GdiObject {
 public:
  RegionObject() : GdiObject(OBJ_REGION) { pixman_region32_init(&region); }
  ~RegionObject() override { pixman_region32_fini(&region); }

  pixman_region32_t region;
};

inline RegionObject* PeekRegion(HRGN h) { return PeekGdiObject<RegionObject>(h, OBJ_REGION); }

// Region coordinates are 27-bit signed values.
constexpr int32_t kMinRegionCoord = -(1 << 27);
constexpr int32_t kMaxRegionCoord = (1 << 27) - 1;

// Helpers for the rest of GDI (clipping, window regions, hit-testing).

// NULLREGION, SIMPLEREGION or COMPLEXREGION.
TALIX_EXPORT int RegionType(const pixman_region32_t& region);

// Replaces dst with a copy of src. False (dst left empty) when memory runs out.
TALIX_EXPORT bool CopyRegion(pixman_region32_t* dst, const pixman_region32_t& src);

// A new region handle holding a copy of source; null with ERROR_NOT_ENOUGH_MEMORY when
// memory or handles run out.
TALIX_EXPORT HRGN CreateRegionHandle(const pixman_region32_t& source);

// Takes over source (left empty afterwards) into a new region handle; null with
// ERROR_NOT_ENOUGH_MEMORY when handles run out (source is then left as it was).
TALIX_EXPORT HRGN AdoptRegionHandle(pixman_region32_t* source);

// The rectangles of a region in y-x banded order; empty for an empty region or a handle
// that is not a region.
TALIX_EXPORT std::vector<RECT> RegionRects(HRGN hrgn);

}  // namespace talix::gdi
