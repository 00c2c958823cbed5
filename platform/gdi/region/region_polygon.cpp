// Polygon scan conversion: an active-edge scan over the rows, sampling each row at its
// pixel centres (see region_shapes.h for the rule).
#include "platform/gdi/region/region_shapes.h"

#include "platform/gdi/region_object.h"

#include <algorithm>
#include <vector>

namespace talix::gdi {
namespace {

// Work bound: crossings computed over all rows.
constexpr int64_t kMaxShapeCrossings = int64_t{1} << 24;

// A non-horizontal edge, stored top to bottom; it crosses rows top .. bottom - 1.
struct Edge {
  int64_t top, bottom;  // = ya, yb
  int64_t xa, dx, dy;   // from (xa, ya) to (xa + dx, yb), dy > 0
  int winding;          // +1 when drawn downwards, -1 upwards
};

struct Crossing {
  int64_t x;  // first pixel whose centre is at or right of the edge
  int winding;
};

int64_t CeilDiv(int64_t num, int64_t den) {  // den > 0
  int64_t q = num / den;
  return (num % den > 0) ? q + 1 : q;
}

// The first pixel column x whose centre x + 0.5 lies at or right of the edge on row y:
// x = ceil(xc - 0.5), xc the edge's x at y + 0.5. In doubled units over 2 dy:
//   xc - 0.5 = (2 xa dy + dx (2 (y - ya) + 1) - dy) / (2 dy).
int64_t CrossingColumn(const Edge& e, int64_t y) {
  return CeilDiv(2 * e.xa * e.dy + e.dx * (2 * (y - e.top) + 1) - e.dy, 2 * e.dy);
}

bool InRange(const POINT& p) {
  return p.x >= kMinRegionCoord && p.x <= kMaxRegionCoord && p.y >= kMinRegionCoord &&
         p.y <= kMaxRegionCoord;
}

// The edges of all polygons, each closed; false on a bad count or an out-of-range point.
bool CollectEdges(const POINT* points, const INT* counts, int polygonCount,
                  std::vector<Edge>* edges) {
  size_t start = 0;
  for (int i = 0; i < polygonCount; ++i) {
    if (counts[i] < 2) return false;
    size_t n = static_cast<size_t>(counts[i]);
    for (size_t k = 0; k < n; ++k) {
      const POINT& a = points[start + k];
      const POINT& b = points[start + (k + 1) % n];
      if (!InRange(a)) return false;
      if (a.y == b.y) continue;
      bool down = a.y < b.y;
      const POINT& hi = down ? a : b;
      const POINT& lo = down ? b : a;
      edges->push_back(
          Edge{hi.y, lo.y, hi.x, int64_t{lo.x} - hi.x, int64_t{lo.y} - hi.y, down ? 1 : -1});
    }
    start += n;
  }
  return true;
}

// Turns one row's sorted crossings into spans under the fill rule, clipped to
// [clipLeft, clipRight); touching spans are joined.
void RowSpans(const std::vector<Crossing>& crossings, int fillMode, int64_t clipLeft,
              int64_t clipRight, std::vector<Span>* spans) {
  spans->clear();
  auto add = [&](int64_t l, int64_t r) {
    l = std::max(l, clipLeft);
    r = std::min(r, clipRight);
    if (l >= r) return;
    if (!spans->empty() && spans->back().right >= l) {
      spans->back().right = static_cast<int32_t>(std::max<int64_t>(spans->back().right, r));
      return;
    }
    spans->push_back(Span{static_cast<int32_t>(l), static_cast<int32_t>(r)});
  };
  int winding = 0;
  for (size_t i = 0; i < crossings.size(); ++i) {
    bool inside = fillMode == ALTERNATE ? (i % 2 == 1) : (winding != 0);
    if (inside && i > 0) add(crossings[i - 1].x, crossings[i].x);
    winding += crossings[i].winding;
  }
}

}  // namespace

bool PolyPolygonSpans(const POINT* points, const INT* counts, int polygonCount, int fillMode,
                      const RECT* clip, const SpanRowSink& sink) {
  if ((fillMode != ALTERNATE && fillMode != WINDING) || polygonCount < 0 || !points || !counts)
    return false;
  std::vector<Edge> edges;
  if (!CollectEdges(points, counts, polygonCount, &edges)) return false;
  if (edges.empty()) return true;
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.top < b.top; });

  int64_t top = edges.front().top, bottom = top;
  for (const Edge& e : edges) bottom = std::max(bottom, e.bottom);
  int64_t clipLeft = kMinRegionCoord, clipRight = int64_t{kMaxRegionCoord} + 1;
  if (clip) {
    top = std::max<int64_t>(top, clip->top);
    bottom = std::min<int64_t>(bottom, clip->bottom);
    clipLeft = clip->left;
    clipRight = clip->right;
  }
  if (top >= bottom || clipLeft >= clipRight) return true;
  if (bottom - top > kMaxShapeRows) return false;

  std::vector<const Edge*> active;
  std::vector<Crossing> crossings;
  std::vector<Span> spans;
  size_t next = 0;
  int64_t crossingBudget = kMaxShapeCrossings, spanBudget = kMaxShapeSpans;
  for (int64_t y = top; y < bottom; ++y) {
    while (next < edges.size() && edges[next].top <= y) active.push_back(&edges[next++]);
    active.erase(
        std::remove_if(active.begin(), active.end(), [y](const Edge* e) { return e->bottom <= y; }),
        active.end());
    crossingBudget -= static_cast<int64_t>(active.size());
    if (crossingBudget < 0) return false;
    crossings.clear();
    for (const Edge* e : active) crossings.push_back(Crossing{CrossingColumn(*e, y), e->winding});
    std::sort(crossings.begin(), crossings.end(),
              [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
    RowSpans(crossings, fillMode, clipLeft, clipRight, &spans);
    if (spans.empty()) continue;
    spanBudget -= static_cast<int64_t>(spans.size());
    if (spanBudget < 0) return false;
    if (!sink(static_cast<int32_t>(y), spans.data(), spans.size())) return false;
  }
  return true;
}

}  // namespace talix::gdi
