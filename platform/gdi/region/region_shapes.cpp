// Row spans of ellipses, rounded rectangles and polygons; the coverage rule is described
// in region_shapes.h. All arithmetic is exact integer arithmetic on doubled coordinates,
// so pixel centres (x + 0.5) become odd integers.
#include "platform/gdi/region/region_shapes.h"

#include "platform/gdi/region_object.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace talix::gdi {
namespace {

using u128 = unsigned __int128;

int64_t ClampCoord(int64_t v) { return std::clamp<int64_t>(v, kMinRegionCoord, kMaxRegionCoord); }

uint64_t IntegerSqrt(uint64_t n) {
  auto r = static_cast<uint64_t>(std::sqrt(static_cast<double>(n)));
  while (r > 0 && r * r > n) --r;
  while ((r + 1) * (r + 1) <= n) ++r;
  return r;
}

// The rows and columns a shape may touch: its box, cut by the clip.
struct RowWindow {
  int64_t top, bottom, left, right;
  bool Empty() const { return top >= bottom || left >= right; }
};

RowWindow WindowOf(int64_t left, int64_t top, int64_t right, int64_t bottom, const RECT* clip) {
  RowWindow w{top, bottom, left, right};
  if (clip) {
    w.top = std::max<int64_t>(w.top, clip->top);
    w.bottom = std::min<int64_t>(w.bottom, clip->bottom);
    w.left = std::max<int64_t>(w.left, clip->left);
    w.right = std::min<int64_t>(w.right, clip->right);
  }
  return w;
}

// The inset of row dy (from the box's top) of a box `height` rows tall whose corners are
// cut by an ew x eh ellipse: the top half of the ellipse cuts the first eh / 2 rows, its
// bottom half the last eh / 2 rows; rows between are full.
int64_t CornerInset(int64_t ew, int64_t eh, int64_t dy, int64_t height) {
  if (ew == 0 || eh == 0) return 0;
  int64_t fromBottom = height - 1 - dy;
  if (dy < eh / 2) return EllipseRowInset(ew, eh, dy);
  if (fromBottom < eh / 2) return EllipseRowInset(ew, eh, eh - 1 - fromBottom);
  return 0;
}

}  // namespace

int64_t EllipseRowInset(int64_t width, int64_t height, int64_t row) {
  if (width <= 0 || height <= 0) return 0;
  // Doubled coordinates from the ellipse centre: pixel x has centre X = 2x + 1 - width,
  // row `row` has centre Y = 2 row + 1 - height. Inside when
  //   X^2 height^2 + Y^2 width^2 <= width^2 height^2.
  int64_t y = 2 * row + 1 - height;
  u128 w2 = static_cast<u128>(width) * static_cast<u128>(width);
  u128 h2 = static_cast<u128>(height) * static_cast<u128>(height);
  u128 y2 = static_cast<u128>(y < 0 ? -y : y) * static_cast<u128>(y < 0 ? -y : y);
  if (y2 > h2) return width / 2;
  uint64_t limit = static_cast<uint64_t>(w2 * (h2 - y2) / h2);  // largest X^2 allowed
  int64_t x = static_cast<int64_t>(IntegerSqrt(limit));
  x = std::min<int64_t>(x, width - 1);
  if ((x - (width - 1)) % 2 != 0) --x;  // X has the parity of width - 1
  if (x < 0) return width / 2;
  return (width - 1 - x) / 2;
}

bool RoundRectSpans(const RECT& box, int ellipseWidth, int ellipseHeight, const RECT* clip,
                    const SpanRowSink& sink) {
  int64_t left = ClampCoord(std::min(box.left, box.right));
  int64_t right = ClampCoord(std::max(box.left, box.right));
  int64_t top = ClampCoord(std::min(box.top, box.bottom));
  int64_t bottom = ClampCoord(std::max(box.top, box.bottom));
  RowWindow window = WindowOf(left, top, right, bottom, clip);
  if (window.Empty()) return true;
  if (window.bottom - window.top > kMaxShapeRows) return false;
  int64_t width = right - left, height = bottom - top;
  int64_t ew = std::min<int64_t>(std::abs(static_cast<int64_t>(ellipseWidth)), width);
  int64_t eh = std::min<int64_t>(std::abs(static_cast<int64_t>(ellipseHeight)), height);
  for (int64_t y = window.top; y < window.bottom; ++y) {
    int64_t inset = CornerInset(ew, eh, y - top, height);
    int64_t spanLeft = std::max(left + inset, window.left);
    int64_t spanRight = std::min(right - inset, window.right);
    if (spanLeft >= spanRight) continue;
    Span span{static_cast<int32_t>(spanLeft), static_cast<int32_t>(spanRight)};
    if (!sink(static_cast<int32_t>(y), &span, 1)) return false;
  }
  return true;
}

bool EllipseSpans(const RECT& box, const RECT* clip, const SpanRowSink& sink) {
  // An ellipse is a rounded rectangle whose corner ellipse fills the whole box.
  int64_t width = std::abs(static_cast<int64_t>(box.right) - box.left);
  int64_t height = std::abs(static_cast<int64_t>(box.bottom) - box.top);
  auto corner = [](int64_t v) { return static_cast<int>(std::min<int64_t>(v, INT32_MAX)); };
  return RoundRectSpans(box, corner(width), corner(height), clip, sink);
}

}  // namespace talix::gdi
