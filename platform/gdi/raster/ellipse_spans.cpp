#include "platform/gdi/raster/ellipse_spans.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

namespace talix::gdi::raster {

namespace {

using u128 = unsigned __int128;

// Pixels [x0, x1) of row ey of the ellipse inscribed in a w x h box at the origin.
void EllipseRow(int64_t w, int64_t h, int64_t ey, int64_t* x0, int64_t* x1) {
  const int64_t y = 2 * ey + 1 - h;
  const u128 y_abs = static_cast<u128>(y < 0 ? -y : y);
  const u128 a2 = static_cast<u128>(w) * w, b2 = static_cast<u128>(h) * h;
  const u128 room = a2 * (b2 - y_abs * y_abs);  // X^2 * B^2 must stay <= room
  auto fits = [&](int64_t x) { return static_cast<u128>(x) * x * b2 <= room; };
  // Largest X with the parity of w - 1, starting from a floating estimate.
  int64_t x = static_cast<int64_t>(std::sqrt(static_cast<long double>(room) /
                                             static_cast<long double>(b2)));
  x = std::min<int64_t>(x + 2, w - 1);
  if ((x - (w - 1)) % 2 != 0) --x;
  while (x >= 0 && !fits(x)) x -= 2;
  if (x < 0) {
    *x0 = *x1 = 0;
    return;
  }
  *x0 = (w - 1 - x) / 2;
  *x1 = (w - 1 + x) / 2 + 1;
}

bool RowInLimit(int y, const RasterRect* limit) {
  return limit == nullptr || (y >= limit->top && y < limit->bottom);
}

// The rows of `box` that a limit leaves.
void RowRange(const RasterRect& box, const RasterRect* limit, int* first, int* last) {
  *first = box.top;
  *last = box.bottom;
  if (limit != nullptr) {
    *first = std::max(*first, limit->top);
    *last = std::min(*last, limit->bottom);
  }
}

}  // namespace

bool ClipSpanToLimit(Span* span, const RasterRect* limit) {
  if (limit != nullptr) {
    if (!RowInLimit(span->y, limit)) return false;
    span->x0 = std::max(span->x0, limit->left);
    span->x1 = std::min(span->x1, limit->right);
  }
  return span->x0 < span->x1;
}

Span RoundRectRow(const RasterRect& box, int corner_width, int corner_height, int y) {
  Span row{y, box.left, box.right};
  if (box.Empty() || y < box.top || y >= box.bottom) return Span{y, 0, 0};
  // Sizes stay below 2^31 so the exact test fits 128 bits.
  const int64_t w = std::min<int64_t>({corner_width, int64_t{box.right} - box.left, INT32_MAX});
  const int64_t h = std::min<int64_t>({corner_height, int64_t{box.bottom} - box.top, INT32_MAX});
  if (w <= 0 || h <= 0) return row;
  const int64_t from_top = int64_t{y} - box.top, from_bottom = int64_t{box.bottom} - 1 - y;
  int64_t ey;
  if (from_top < h / 2) {
    ey = from_top;
  } else if (from_bottom < h / 2) {
    ey = h - 1 - from_bottom;
  } else {
    return row;
  }
  int64_t x0, x1;
  EllipseRow(w, h, ey, &x0, &x1);
  if (x1 <= x0) return Span{y, 0, 0};
  row.x0 = static_cast<int>(box.left + x0);
  row.x1 = static_cast<int>(box.right - (w - x1));
  return row;
}

std::vector<Span> RoundRectSpans(const RasterRect& box, int corner_width, int corner_height,
                                 const RasterRect* limit) {
  std::vector<Span> spans;
  int first, last;
  RowRange(box, limit, &first, &last);
  for (int y = first; y < last; ++y) {
    Span s = RoundRectRow(box, corner_width, corner_height, y);
    if (ClipSpanToLimit(&s, limit)) spans.push_back(s);
  }
  return spans;
}

std::vector<Span> EllipseSpans(const RasterRect& box, const RasterRect* limit) {
  return RoundRectSpans(box, INT32_MAX, INT32_MAX, limit);
}

ShapeSpans RoundRectShape(const RasterRect& box, int corner_width, int corner_height,
                          const RasterRect* limit) {
  ShapeSpans shape;
  int first, last;
  RowRange(box, limit, &first, &last);
  for (int y = first; y < last; ++y) {
    const Span row = RoundRectRow(box, corner_width, corner_height, y);
    if (row.x1 <= row.x0) continue;
    const Span above = RoundRectRow(box, corner_width, corner_height, y - 1);
    const Span below = RoundRectRow(box, corner_width, corner_height, y + 1);
    // Interior pixels have all four neighbours in the shape; rows are single runs.
    Span inner{y, std::max({row.x0 + 1, above.x0, below.x0}),
               std::min({row.x1 - 1, above.x1, below.x1})};
    if (above.x1 <= above.x0 || below.x1 <= below.x0 || inner.x1 <= inner.x0) {
      inner = Span{y, row.x1, row.x1};
    }
    Span left{y, row.x0, inner.x0}, right{y, inner.x1, row.x1};
    if (inner.x0 == row.x1) right = Span{y, 0, 0};
    if (ClipSpanToLimit(&left, limit)) shape.outline.push_back(left);
    if (ClipSpanToLimit(&right, limit)) shape.outline.push_back(right);
    if (ClipSpanToLimit(&inner, limit)) shape.interior.push_back(inner);
  }
  return shape;
}

ShapeSpans EllipseShape(const RasterRect& box, const RasterRect* limit) {
  return RoundRectShape(box, INT32_MAX, INT32_MAX, limit);
}

}  // namespace talix::gdi::raster
