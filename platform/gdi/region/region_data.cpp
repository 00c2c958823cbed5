// The RGNDATA exchange format: ExtCreateRegion reads it, GetRegionData writes it.
//
// Limits: ExtCreateRegion takes transforms without rotation or shear only (eM12 and eM21
// zero): each rectangle is scaled and moved, corners rounded to the nearest integer.
// It also refuses an nRgnSize larger than the whole buffer (callers fill it with the
// rectangles' bytes or with the whole size; either fits).
#include "platform/gdi/region/region_internal.h"

#include <cmath>
#include <cstring>
#include <new>
#include <vector>

using namespace talix::gdi;

namespace {

constexpr uint64_t kHeaderSize = sizeof(RGNDATAHEADER);

bool TransformSupported(const XFORM& x) {
  for (FLOAT v : {x.eM11, x.eM12, x.eM21, x.eM22, x.eDx, x.eDy})
    if (!std::isfinite(v)) return false;
  return x.eM12 == 0 && x.eM21 == 0;
}

int64_t TransformCoord(LONG v, FLOAT scale, FLOAT offset) {
  double t = std::floor(static_cast<double>(v) * scale + offset + 0.5);
  return static_cast<int64_t>(std::clamp(t, -4e9, 4e9));  // clamped to the region range later
}

// The rectangle as a region box: a rectangle without area adds nothing; the transform
// may flip it, so the corners are put back in order.
pixman_box32_t BoxOf(const RECT& r, const XFORM* xform) {
  if (r.left >= r.right || r.top >= r.bottom) return pixman_box32_t{0, 0, 0, 0};
  if (!xform) return NormalisedBox(r.left, r.top, r.right, r.bottom);
  return NormalisedBox(TransformCoord(r.left, xform->eM11, xform->eDx),
                       TransformCoord(r.top, xform->eM22, xform->eDy),
                       TransformCoord(r.right, xform->eM11, xform->eDx),
                       TransformCoord(r.bottom, xform->eM22, xform->eDy));
}

HRGN RegionFromBoxes(const std::vector<pixman_box32_t>& boxes) {
  pixman_region32_t region;
  if (!InitRegionFromBoxes(&region, boxes)) {
    pixman_region32_fini(&region);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return HandleFromTemporary(&region);
}

}  // namespace

HRGN ExtCreateRegion(const XFORM* lpx, DWORD nCount, const RGNDATA* lpData) {
  RGNDATAHEADER header;
  if (!lpData || nCount < kHeaderSize) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::memcpy(&header, lpData, sizeof header);
  uint64_t available = nCount - kHeaderSize;
  if (header.dwSize != kHeaderSize || header.iType != RDH_RECTANGLES ||
      uint64_t{header.nCount} * sizeof(RECT) > available || header.nRgnSize > nCount ||
      (lpx && !TransformSupported(*lpx))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  try {
    std::vector<pixman_box32_t> boxes;
    boxes.reserve(header.nCount);
    const char* rects = reinterpret_cast<const char*>(lpData) + kHeaderSize;
    for (DWORD i = 0; i < header.nCount; ++i) {
      RECT r;
      std::memcpy(&r, rects + uint64_t{i} * sizeof(RECT), sizeof r);
      pixman_box32_t box = BoxOf(r, lpx);
      if (box.x1 < box.x2) boxes.push_back(box);
    }
    return RegionFromBoxes(boxes);
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
}

DWORD GetRegionData(HRGN hrgn, DWORD nCount, LPRGNDATA lpRgnData) {
  RegionObject* object = RegionOrError(hrgn);
  if (!object) return 0;
  int n = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(&object->region, &n);
  uint64_t size = kHeaderSize + uint64_t(n) * sizeof(RECT);
  if (size > UINT32_MAX) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (!lpRgnData) return static_cast<DWORD>(size);
  if (nCount < size) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  RGNDATAHEADER header{};
  header.dwSize = kHeaderSize;
  header.iType = RDH_RECTANGLES;
  header.nCount = static_cast<DWORD>(n);
  header.nRgnSize = static_cast<DWORD>(n * sizeof(RECT));
  GetRgnBox(hrgn, &header.rcBound);
  std::memcpy(lpRgnData, &header, sizeof header);
  char* out = reinterpret_cast<char*>(lpRgnData) + kHeaderSize;
  for (int i = 0; i < n; ++i) {
    RECT r{boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2};
    std::memcpy(out + size_t(i) * sizeof(RECT), &r, sizeof r);
  }
  return static_cast<DWORD>(size);
}
