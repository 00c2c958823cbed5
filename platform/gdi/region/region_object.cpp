// Region handles and the helpers the rest of GDI uses on pixman regions.
#include "platform/gdi/region_object.h"

#include <win/base.h>

#include <memory>
#include <new>

namespace talix::gdi {

int RegionType(const pixman_region32_t& region) {
  int n = pixman_region32_n_rects(&region);
  return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
}

bool CopyRegion(pixman_region32_t* dst, const pixman_region32_t& src) {
  if (dst == &src) return true;
  if (pixman_region32_copy(dst, &src)) return true;
  pixman_region32_fini(dst);
  pixman_region32_init(dst);
  return false;
}

HRGN AdoptRegionHandle(pixman_region32_t* source) {
  std::shared_ptr<RegionObject> object;
  try {
    object = std::make_shared<RegionObject>();
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  // Swap the storage: the new object takes source's rectangles, source gets the empty one.
  std::swap(object->region, *source);
  HRGN handle = static_cast<HRGN>(AddGdiObject(object));
  if (!handle) std::swap(object->region, *source);
  return handle;
}

HRGN CreateRegionHandle(const pixman_region32_t& source) {
  pixman_region32_t copy;
  pixman_region32_init(&copy);
  if (!CopyRegion(&copy, source)) {
    pixman_region32_fini(&copy);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  HRGN handle = AdoptRegionHandle(&copy);
  pixman_region32_fini(&copy);  // empty now, or still the copy when no handle was free
  return handle;
}

std::vector<RECT> RegionRects(HRGN hrgn) {
  std::vector<RECT> rects;
  RegionObject* object = PeekRegion(hrgn);
  if (!object) return rects;
  int n = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(&object->region, &n);
  rects.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i)
    rects.push_back(RECT{boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2});
  return rects;
}

}  // namespace talix::gdi
