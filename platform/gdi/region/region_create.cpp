// Region creation: rectangles, ellipses, rounded rectangles and polygons.
#include "platform/gdi/region/region_internal.h"
#include "platform/gdi/region/region_shapes.h"
#include "platform/gdi/region/span_region_builder.h"

#include <new>

using namespace talix::gdi;

namespace {

HRGN RegionFromBox(const pixman_box32_t& box) {
  pixman_region32_t region;
  pixman_region32_init(&region);
  SetRegionToBox(&region, box);
  return HandleFromTemporary(&region);
}

// Runs a span generator into a new region. The generator's false means the shape is too
// big (its parameters are checked before).
template <typename Generate>
HRGN RegionFromSpans(Generate generate) {
  try {
    SpanRegionBuilder builder;
    pixman_region32_t region;
    if (!generate(builder.Sink()) || !builder.Finish(&region)) {
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
    return HandleFromTemporary(&region);
  } catch (const std::bad_alloc&) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
}

bool PolygonInputValid(const POINT* points, const INT* counts, int polygonCount, int mode) {
  if (!points || !counts || polygonCount <= 0 || (mode != ALTERNATE && mode != WINDING))
    return false;
  size_t total = 0;
  for (int i = 0; i < polygonCount; ++i) {
    if (counts[i] < 2) return false;
    total += static_cast<size_t>(counts[i]);
  }
  for (size_t i = 0; i < total; ++i) {
    const POINT& p = points[i];
    if (p.x < kMinRegionCoord || p.x > kMaxRegionCoord || p.y < kMinRegionCoord ||
        p.y > kMaxRegionCoord)
      return false;
  }
  return true;
}

}  // namespace

HRGN CreateRectRgn(int x1, int y1, int x2, int y2) {
  return RegionFromBox(NormalisedBox(x1, y1, x2, y2));
}

HRGN CreateRectRgnIndirect(const RECT* lprect) {
  if (!lprect) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return CreateRectRgn(lprect->left, lprect->top, lprect->right, lprect->bottom);
}

BOOL SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom) {
  RegionObject* object = RegionOrError(hrgn);
  if (!object) return FALSE;
  SetRegionToBox(&object->region, NormalisedBox(left, top, right, bottom));
  return TRUE;
}

HRGN CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h) {
  RECT box{x1, y1, x2, y2};
  return RegionFromSpans(
      [&](const SpanRowSink& sink) { return RoundRectSpans(box, w, h, nullptr, sink); });
}

HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2) {
  RECT box{x1, y1, x2, y2};
  return RegionFromSpans([&](const SpanRowSink& sink) { return EllipseSpans(box, nullptr, sink); });
}

HRGN CreateEllipticRgnIndirect(const RECT* lprect) {
  if (!lprect) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return CreateEllipticRgn(lprect->left, lprect->top, lprect->right, lprect->bottom);
}

HRGN CreatePolyPolygonRgn(const POINT* pptl, const INT* pc, int cPoly, int iMode) {
  if (!PolygonInputValid(pptl, pc, cPoly, iMode)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return RegionFromSpans([&](const SpanRowSink& sink) {
    return PolyPolygonSpans(pptl, pc, cPoly, iMode, nullptr, sink);
  });
}

HRGN CreatePolygonRgn(const POINT* pptl, int cPoint, int iMode) {
  INT count = cPoint;
  return CreatePolyPolygonRgn(pptl, &count, 1, iMode);
}
