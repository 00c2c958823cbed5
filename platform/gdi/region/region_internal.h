// Small helpers shared by the region functions.
#pragma once

#include "platform/gdi/region_object.h"

#include <win/base.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace talix::gdi {

inline int32_t ClampRegionCoord(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, kMinRegionCoord, kMaxRegionCoord));
}

// The rectangle with its corners put in order and clamped to the region range; empty
// (all zero) when it has no area.
inline pixman_box32_t NormalisedBox(int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
  pixman_box32_t box{ClampRegionCoord(std::min(x1, x2)), ClampRegionCoord(std::min(y1, y2)),
                     ClampRegionCoord(std::max(x1, x2)), ClampRegionCoord(std::max(y1, y2))};
  if (box.x1 >= box.x2 || box.y1 >= box.y2) return pixman_box32_t{0, 0, 0, 0};
  return box;
}

// Replaces a region's contents with one rectangle (or nothing).
inline void SetRegionToBox(pixman_region32_t* region, const pixman_box32_t& box) {
  pixman_region32_fini(region);
  if (box.x1 < box.x2 && box.y1 < box.y2)
    pixman_region32_init_with_extents(region, &box);
  else
    pixman_region32_init(region);
}

// Initialises *region with the union of the boxes (any order, overlapping or not); false
// (region empty) when memory runs out.
inline bool InitRegionFromBoxes(pixman_region32_t* region,
                                const std::vector<pixman_box32_t>& boxes) {
  if (boxes.empty()) {
    pixman_region32_init(region);
    return true;
  }
  if (pixman_region32_init_rects(region, boxes.data(), static_cast<int>(boxes.size()))) return true;
  pixman_region32_fini(region);
  pixman_region32_init(region);
  return false;
}

// Moves a region built in a local variable into a new handle and releases the local.
inline HRGN HandleFromTemporary(pixman_region32_t* region) {
  HRGN handle = AdoptRegionHandle(region);
  pixman_region32_fini(region);
  return handle;
}

// The region behind a handle, or null with ERROR_INVALID_HANDLE.
inline RegionObject* RegionOrError(HRGN hrgn) {
  RegionObject* object = PeekRegion(hrgn);
  if (!object) SetLastError(ERROR_INVALID_HANDLE);
  return object;
}

}  // namespace talix::gdi
