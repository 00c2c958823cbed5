// Region combination and queries.
#include "platform/gdi/region/region_internal.h"

using namespace talix::gdi;

namespace {

// result = a (mode) b; result is a fresh initialised region distinct from a and b.
bool CombineInto(pixman_region32_t* result, const pixman_region32_t* a, const pixman_region32_t* b,
                 int mode) {
  switch (mode) {
    case RGN_AND: return pixman_region32_intersect(result, a, b);
    case RGN_OR: return pixman_region32_union(result, a, b);
    case RGN_DIFF: return pixman_region32_subtract(result, a, b);
    case RGN_XOR: {
      pixman_region32_t aOnly, bOnly;
      pixman_region32_init(&aOnly);
      pixman_region32_init(&bOnly);
      bool ok = pixman_region32_subtract(&aOnly, a, b) && pixman_region32_subtract(&bOnly, b, a) &&
                pixman_region32_union(result, &aOnly, &bOnly);
      pixman_region32_fini(&aOnly);
      pixman_region32_fini(&bOnly);
      return ok;
    }
    default: return false;
  }
}

}  // namespace

int CombineRgn(HRGN hrgnDst, HRGN hrgnSrc1, HRGN hrgnSrc2, int iMode) {
  RegionObject* dst = RegionOrError(hrgnDst);
  if (!dst) return ERROR;
  if (iMode < RGN_AND || iMode > RGN_COPY) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return ERROR;
  }
  RegionObject* a = RegionOrError(hrgnSrc1);
  if (!a) return ERROR;
  RegionObject* b = iMode == RGN_COPY ? a : RegionOrError(hrgnSrc2);
  if (!b) return ERROR;

  // Work in a temporary so that the destination may be a source, and stays as it was
  // when memory runs out.
  pixman_region32_t result;
  pixman_region32_init(&result);
  bool ok = iMode == RGN_COPY ? CopyRegion(&result, a->region)
                              : CombineInto(&result, &a->region, &b->region, iMode);
  if (!ok) {
    pixman_region32_fini(&result);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return ERROR;
  }
  std::swap(dst->region, result);
  pixman_region32_fini(&result);
  return RegionType(dst->region);
}

int OffsetRgn(HRGN hrgn, int x, int y) {
  RegionObject* object = RegionOrError(hrgn);
  if (!object) return ERROR;
  int type = RegionType(object->region);
  if (type == NULLREGION || (x == 0 && y == 0)) return type;
  const pixman_box32_t* e = pixman_region32_extents(&object->region);
  if (int64_t{e->x1} + x < kMinRegionCoord || int64_t{e->x2} + x > kMaxRegionCoord ||
      int64_t{e->y1} + y < kMinRegionCoord || int64_t{e->y2} + y > kMaxRegionCoord) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return ERROR;
  }
  pixman_region32_translate(&object->region, x, y);
  return type;
}

BOOL EqualRgn(HRGN hrgn1, HRGN hrgn2) {
  RegionObject* a = RegionOrError(hrgn1);
  RegionObject* b = a ? RegionOrError(hrgn2) : nullptr;
  if (!a || !b) return ERROR;
  bool aEmpty = !pixman_region32_not_empty(&a->region);
  bool bEmpty = !pixman_region32_not_empty(&b->region);
  if (aEmpty || bEmpty) return aEmpty == bEmpty;
  return pixman_region32_equal(&a->region, &b->region) ? TRUE : FALSE;
}

int GetRgnBox(HRGN hrgn, LPRECT lprc) {
  RegionObject* object = RegionOrError(hrgn);
  if (!object) return ERROR;
  if (!lprc) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return ERROR;
  }
  int type = RegionType(object->region);
  const pixman_box32_t* e = pixman_region32_extents(&object->region);
  *lprc = type == NULLREGION ? RECT{0, 0, 0, 0} : RECT{e->x1, e->y1, e->x2, e->y2};
  return type;
}

BOOL PtInRegion(HRGN hrgn, int x, int y) {
  RegionObject* object = RegionOrError(hrgn);
  return object && pixman_region32_contains_point(&object->region, x, y, nullptr) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN hrgn, const RECT* lprect) {
  RegionObject* object = RegionOrError(hrgn);
  if (!object) return FALSE;
  if (!lprect) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  pixman_box32_t box = NormalisedBox(lprect->left, lprect->top, lprect->right, lprect->bottom);
  if (box.x1 >= box.x2) return FALSE;
  return pixman_region32_contains_rectangle(&object->region, &box) != PIXMAN_REGION_OUT ? TRUE
                                                                                        : FALSE;
}
