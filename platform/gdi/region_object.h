// The region object: a y-x banded list of rectangles, held as a pixman region.
#pragma once

#include "platform/gdi/gdi_object.h"

#include <pixman.h>

namespace talix::gdi {

class RegionObject : public GdiObject {
 public:
  RegionObject() : GdiObject(OBJ_REGION) { pixman_region32_init(&region); }
  ~RegionObject() override { pixman_region32_fini(&region); }

  pixman_region32_t region;
};

inline RegionObject* PeekRegion(HRGN h) { return PeekGdiObject<RegionObject>(h, OBJ_REGION); }

}  // namespace talix::gdi
