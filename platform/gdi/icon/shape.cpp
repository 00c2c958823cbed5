#include "platform/gdi/icon/shape.h"

#include <algorithm>

namespace talix::gdi {

namespace {

float DistanceSquaredToSegment(Pt p, Pt a, Pt b) {
  float dx = b.x - a.x, dy = b.y - a.y;
  float len2 = dx * dx + dy * dy;
  float t = len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.f, 1.f) : 0.f;
  float ex = p.x - (a.x + t * dx), ey = p.y - (a.y + t * dy);
  return ex * ex + ey * ey;
}

// Even-odd rule.
bool InsidePolygon(Pt p, const std::vector<Pt>& poly) {
  bool inside = false;
  for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const Pt &a = poly[i], &b = poly[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
      inside = !inside;
  }
  return inside;
}

}  // namespace

bool Shape::Contains(Pt p) const {
  switch (kind) {
    case kDisc: {
      float dx = p.x - points[0].x, dy = p.y - points[0].y;
      return dx * dx + dy * dy <= radius * radius;
    }
    case kCapsule:
      return DistanceSquaredToSegment(p, points[0], points[1]) <= radius * radius;
    case kPolygon:
      return points.size() >= 3 && InsidePolygon(p, points);
  }
  return false;
}

}  // namespace talix::gdi
