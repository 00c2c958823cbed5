#include "platform/gdi/raster/lines.h"

#include <algorithm>
#include <cstdlib>

namespace talix::gdi::raster {

namespace {

std::vector<int> StyleRuns(PenStyle style) {
  switch (style) {
    case PenStyle::kDash: return {18, 6};
    case PenStyle::kDot: return {3, 3};
    case PenStyle::kDashDot: return {9, 6, 3, 6};
    case PenStyle::kDashDotDot: return {9, 3, 3, 3, 3, 3};
    case PenStyle::kAlternate: return {1, 1};
    case PenStyle::kSolid: break;
  }
  return {};
}

bool InLimit(int64_t x, int64_t y, const RasterRect* limit) {
  return limit == nullptr ||
         (x >= limit->left && x < limit->right && y >= limit->top && y < limit->bottom);
}

// round(i * minor / major) with ties toward 0; minor >= 0, major > 0.
int64_t MinorStep(int64_t i, int64_t minor, int64_t major) {
  using i128 = __int128;
  return static_cast<int64_t>((2 * i128{i} * minor + major - 1) / (2 * i128{major}));
}

// The steps [first, last) of the major axis whose major coordinate lies in [lo, hi).
void VisibleSteps(int64_t start, int sign, int64_t n, int64_t lo, int64_t hi, int64_t* first,
                  int64_t* last) {
  if (sign > 0) {
    *first = std::max<int64_t>(0, lo - start);
    *last = std::min<int64_t>(n, hi - start);
  } else {
    *first = std::max<int64_t>(0, start - (hi - 1));
    *last = std::min<int64_t>(n, start - lo + 1);
  }
}

}  // namespace

LineStyle::LineStyle(PenStyle style) : runs_(StyleRuns(style)) {
  for (int r : runs_) period_ += r;
}

bool LineStyle::OnAt(int64_t offset) const {
  if (period_ == 0) return true;
  int64_t p = (position_ + offset) % period_;
  for (size_t i = 0; i < runs_.size(); ++i) {
    if (p < runs_[i]) return i % 2 == 0;
    p -= runs_[i];
  }
  return true;
}

void LineStyle::Advance(int64_t pixels) {
  if (period_ != 0) position_ = (position_ + pixels) % period_;
}

void AppendLinePixels(RasterPoint from, RasterPoint to, LineStyle* style,
                      const RasterRect* limit, std::vector<LinePixel>* out) {
  const int64_t dx = int64_t{to.x} - from.x, dy = int64_t{to.y} - from.y;
  const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
  const int64_t ax = std::llabs(dx), ay = std::llabs(dy);
  const bool x_major = ax >= ay;
  const int64_t n = x_major ? ax : ay, minor = x_major ? ay : ax;
  if (n == 0) return;
  int64_t first = 0, last = n;
  if (limit != nullptr) {
    if (x_major) {
      VisibleSteps(from.x, sx, n, limit->left, limit->right, &first, &last);
    } else {
      VisibleSteps(from.y, sy, n, limit->top, limit->bottom, &first, &last);
    }
  }
  for (int64_t i = first; i < last; ++i) {
    const int64_t m = MinorStep(i, minor, n);
    const int64_t x = from.x + sx * (x_major ? i : m);
    const int64_t y = from.y + sy * (x_major ? m : i);
    if (!InLimit(x, y, limit)) continue;
    out->push_back(LinePixel{static_cast<int>(x), static_cast<int>(y),
                             style == nullptr || style->OnAt(i)});
  }
  if (style != nullptr) style->Advance(n);
}

std::vector<LinePixel> PolylinePixels(const std::vector<RasterPoint>& points, bool closed,
                                      LineStyle* style, const RasterRect* limit) {
  std::vector<LinePixel> out;
  for (size_t i = 0; i + 1 < points.size(); ++i)
    AppendLinePixels(points[i], points[i + 1], style, limit, &out);
  if (closed && points.size() > 2) AppendLinePixels(points.back(), points[0], style, limit, &out);
  return out;
}

std::vector<RasterPoint> FocusRectPixels(const RasterRect& rect, const RasterRect* limit) {
  std::vector<RasterPoint> out;
  if (rect.Empty()) return out;
  const RasterRect area = limit == nullptr ? rect : Intersect(rect, *limit);
  const int64_t parity = (int64_t{rect.left} + rect.top) & 1;
  auto add = [&](int x, int y) {
    if (((int64_t{x} + y) & 1) == parity && InLimit(x, y, &area)) out.push_back({x, y});
  };
  for (int y = std::max(rect.top, area.top); y < std::min(rect.bottom, area.bottom); ++y) {
    const bool edge_row = y == rect.top || int64_t{y} == int64_t{rect.bottom} - 1;
    if (edge_row) {
      const int64_t skip = (int64_t{area.left} + y + parity) & 1;
      for (int64_t x = area.left + skip; x < area.right; x += 2) add(static_cast<int>(x), y);
    } else {
      add(rect.left, y);
      if (int64_t{rect.right} - 1 != rect.left) add(rect.right - 1, y);
    }
  }
  return out;
}

}  // namespace talix::gdi::raster
