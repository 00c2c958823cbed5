#include "platform/gdi/raster/shapes.h"

#include <algorithm>
#include <climits>

namespace talix::gdi::raster {

namespace {

void AddSpan(std::vector<Span>* out, Span s, const RasterRect* limit) {
  if (ClipSpanToLimit(&s, limit)) out->push_back(s);
}

// A polygon edge oriented downwards; `direction` remembers the original orientation.
struct Edge {
  int64_t x0, y0, x1, y1;
  int direction;
};

// ceil(x0 + (y - y0) * (x1 - x0) / (y1 - y0)): where the edge crosses row y, rounded up.
int64_t Crossing(const Edge& e, int64_t y) {
  using i128 = __int128;
  const i128 den = e.y1 - e.y0;
  const i128 num = i128{e.x0} * den + i128{y - e.y0} * (e.x1 - e.x0);
  return static_cast<int64_t>(num >= 0 ? (num + den - 1) / den : -((-num) / den));
}

std::vector<Edge> CollectEdges(const std::vector<std::vector<RasterPoint>>& polygons) {
  std::vector<Edge> edges;
  for (const auto& poly : polygons) {
    for (size_t i = 0; i < poly.size(); ++i) {
      const RasterPoint& a = poly[i];
      const RasterPoint& b = poly[(i + 1) % poly.size()];
      if (a.y == b.y) continue;  // horizontal edges cross no sample row
      if (a.y < b.y) {
        edges.push_back({a.x, a.y, b.x, b.y, 1});
      } else {
        edges.push_back({b.x, b.y, a.x, a.y, -1});
      }
    }
  }
  return edges;
}

// The pixel spans of one row from its sorted crossings (x = ceil of the crossing).
void RowSpans(int y, std::vector<std::pair<int64_t, int>>* crossings, FillMode mode,
              const RasterRect* limit, std::vector<Span>* out) {
  std::sort(crossings->begin(), crossings->end());
  std::vector<Span> row;
  int winding = 0;
  for (size_t i = 0; i + 1 < crossings->size(); ++i) {
    winding += mode == FillMode::kAlternate ? 1 : (*crossings)[i].second;
    const bool inside = mode == FillMode::kAlternate ? (winding & 1) != 0 : winding != 0;
    const int64_t x0 = (*crossings)[i].first, x1 = (*crossings)[i + 1].first;
    if (!inside || x1 <= x0) continue;
    Span s{y, static_cast<int>(std::max<int64_t>(x0, INT_MIN)),
           static_cast<int>(std::min<int64_t>(x1, INT_MAX))};
    if (!row.empty() && row.back().x1 >= s.x0) {
      row.back().x1 = std::max(row.back().x1, s.x1);
    } else {
      row.push_back(s);
    }
  }
  for (const Span& s : row) AddSpan(out, s, limit);
}

}  // namespace

ShapeSpans RectangleShape(const RasterRect& rect, int pen_width, const RasterRect* limit) {
  ShapeSpans shape;
  if (rect.Empty()) return shape;
  const int64_t pen = std::max(pen_width, 0);
  const int first = limit ? std::max(rect.top, limit->top) : rect.top;
  const int last = limit ? std::min(rect.bottom, limit->bottom) : rect.bottom;
  const bool pen_covers_columns = 2 * pen >= int64_t{rect.right} - rect.left;
  for (int y = first; y < last; ++y) {
    const bool pen_row = y - int64_t{rect.top} < pen || int64_t{rect.bottom} - y <= pen;
    if (pen_row || pen_covers_columns) {
      AddSpan(&shape.outline, {y, rect.left, rect.right}, limit);
      continue;
    }
    const int inner_left = static_cast<int>(rect.left + pen);
    const int inner_right = static_cast<int>(rect.right - pen);
    if (pen > 0) {
      AddSpan(&shape.outline, {y, rect.left, inner_left}, limit);
      AddSpan(&shape.outline, {y, inner_right, rect.right}, limit);
    }
    AddSpan(&shape.interior, {y, inner_left, inner_right}, limit);
  }
  return shape;
}

std::vector<Span> PolygonSpans(const std::vector<std::vector<RasterPoint>>& polygons,
                               FillMode mode, const RasterRect* limit) {
  std::vector<Span> out;
  const std::vector<Edge> edges = CollectEdges(polygons);
  if (edges.empty()) return out;
  int64_t top = INT64_MAX, bottom = INT64_MIN;
  for (const Edge& e : edges) {
    top = std::min(top, e.y0);
    bottom = std::max(bottom, e.y1);
  }
  if (limit != nullptr) {
    top = std::max<int64_t>(top, limit->top);
    bottom = std::min<int64_t>(bottom, limit->bottom);
  }
  std::vector<std::pair<int64_t, int>> crossings;
  for (int64_t y = top; y < bottom; ++y) {
    crossings.clear();
    for (const Edge& e : edges) {
      if (y < e.y0 || y >= e.y1) continue;
      crossings.push_back({Crossing(e, y), e.direction});
    }
    RowSpans(static_cast<int>(y), &crossings, mode, limit, &out);
  }
  return out;
}

}  // namespace talix::gdi::raster
