// A region model for tests and the fuzz target: a plain set of pixels on a small grid,
// with the region operations done pixel by pixel, and per-pixel oracles for shapes.
#pragma once

#include <win/region.h>

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

namespace talix::test {

class RegionPixelModel {
 public:
  // The grid covers [kMin, kMax) on both axes; everything outside is left out.
  static constexpr int kMin = -16;
  static constexpr int kMax = 48;
  static constexpr int kSize = kMax - kMin;

  bool Get(int x, int y) const { return Inside(x, y) && bits_[Index(x, y)]; }
  void Set(int x, int y, bool on) {
    if (Inside(x, y)) bits_[Index(x, y)] = on;
  }

  // Adds a rectangle (right and bottom exclusive) given with corners in any order.
  void AddRect(int x1, int y1, int x2, int y2) {
    for (int y = std::min(y1, y2); y < std::max(y1, y2); ++y)
      for (int x = std::min(x1, x2); x < std::max(x1, x2); ++x) Set(x, y, true);
  }

  static RegionPixelModel FromRects(const std::vector<RECT>& rects) {
    RegionPixelModel m;
    for (const RECT& r : rects)
      if (r.left < r.right && r.top < r.bottom) m.AddRect(r.left, r.top, r.right, r.bottom);
    return m;
  }

  // The region as PtInRegion sees it over the grid.
  static RegionPixelModel FromHandle(HRGN region) {
    RegionPixelModel m;
    for (int y = kMin; y < kMax; ++y)
      for (int x = kMin; x < kMax; ++x) m.Set(x, y, PtInRegion(region, x, y) != FALSE);
    return m;
  }

  static RegionPixelModel Combine(const RegionPixelModel& a, const RegionPixelModel& b, int mode) {
    RegionPixelModel m;
    switch (mode) {
      case RGN_AND: m.bits_ = a.bits_ & b.bits_; break;
      case RGN_OR: m.bits_ = a.bits_ | b.bits_; break;
      case RGN_XOR: m.bits_ = a.bits_ ^ b.bits_; break;
      case RGN_DIFF: m.bits_ = a.bits_ & ~b.bits_; break;
      case RGN_COPY: m.bits_ = a.bits_; break;
    }
    return m;
  }

  RegionPixelModel Offset(int dx, int dy) const {
    RegionPixelModel m;
    for (int y = kMin; y < kMax; ++y)
      for (int x = kMin; x < kMax; ++x)
        if (Get(x, y)) m.Set(x + dx, y + dy, true);
    return m;
  }

  // Bounding box; all zero when empty.
  RECT Box() const {
    RECT box{kMax, kMax, kMin, kMin};
    for (int y = kMin; y < kMax; ++y)
      for (int x = kMin; x < kMax; ++x)
        if (Get(x, y)) {
          box.left = std::min<LONG>(box.left, x);
          box.top = std::min<LONG>(box.top, y);
          box.right = std::max<LONG>(box.right, x + 1);
          box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    return Empty() ? RECT{0, 0, 0, 0} : box;
  }

  bool Empty() const { return bits_.none(); }

  // NULLREGION, SIMPLEREGION (exactly one rectangle) or COMPLEXREGION.
  int Type() const {
    if (Empty()) return NULLREGION;
    RECT b = Box();
    size_t area = size_t(b.right - b.left) * size_t(b.bottom - b.top);
    return bits_.count() == area ? SIMPLEREGION : COMPLEXREGION;
  }

  bool operator==(const RegionPixelModel& other) const { return bits_ == other.bits_; }
  bool operator!=(const RegionPixelModel& other) const { return bits_ != other.bits_; }

  // Rows of '#' and '.', over the rows and columns of the given window.
  std::string Picture(const RECT& window) const {
    std::string s;
    for (int y = window.top; y < window.bottom; ++y) {
      for (int x = window.left; x < window.right; ++x) s += Get(x, y) ? '#' : '.';
      s += '\n';
    }
    return s;
  }

 private:
  static bool Inside(int x, int y) { return x >= kMin && x < kMax && y >= kMin && y < kMax; }
  static size_t Index(int x, int y) { return size_t(y - kMin) * kSize + size_t(x - kMin); }

  std::bitset<size_t(kSize) * kSize> bits_;
};

// Per-pixel oracles for the shape rule: a pixel is covered when its centre is inside.

// The ellipse inscribed in the box (corners in order), centre on the boundary inside.
inline bool EllipseCoversPixel(const RECT& box, int x, int y) {
  int64_t w = box.right - box.left, h = box.bottom - box.top;
  if (w <= 0 || h <= 0) return false;
  // Doubled coordinates: centre of pixel minus centre of box.
  int64_t dx = 2 * int64_t{x} + 1 - (box.left + box.right);
  int64_t dy = 2 * int64_t{y} + 1 - (box.top + box.bottom);
  return dx * dx * h * h + dy * dy * w * w <= w * w * h * h;
}

// Edges crossed by a ray from the pixel centre to the right, counting only crossings
// strictly right of the centre (so a centre on a left edge is in, on a right edge out).
struct RayCrossings {
  int count = 0;
  int winding = 0;  // downward edges +1, upward -1
};

inline RayCrossings CrossingsRightOfPixel(const std::vector<std::vector<POINT>>& polygons, int x,
                                          int y) {
  RayCrossings c;
  int64_t px2 = 2 * int64_t{x} + 1, py2 = 2 * int64_t{y} + 1;  // doubled centre
  for (const auto& poly : polygons) {
    for (size_t i = 0; i < poly.size(); ++i) {
      POINT a = poly[i], b = poly[(i + 1) % poly.size()];
      if ((2 * int64_t{a.y} < py2) == (2 * int64_t{b.y} < py2)) continue;
      // Doubled crossing x = num / den.
      int64_t den = int64_t{b.y} - a.y;
      int64_t num = 2 * int64_t{a.x} * den + (int64_t{b.x} - a.x) * (py2 - 2 * int64_t{a.y});
      bool right = den > 0 ? num > px2 * den : num < px2 * den;
      if (!right) continue;
      ++c.count;
      c.winding += den > 0 ? 1 : -1;
    }
  }
  return c;
}

inline bool PolygonCoversPixel(const std::vector<std::vector<POINT>>& polygons, int mode, int x,
                               int y) {
  RayCrossings c = CrossingsRightOfPixel(polygons, x, y);
  return mode == ALTERNATE ? c.count % 2 == 1 : c.winding != 0;
}

}  // namespace talix::test
