// Rectangle arithmetic, as the documented functions behave: edges exclusive on the right
// and bottom, empty when either extent is zero or negative, results written only through
// valid pointers. Coordinates are added in 64 bits and saturated to the LONG range, so
// hostile offsets cannot overflow.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

LONG Saturate(int64_t value) {
  return LONG(std::clamp<int64_t>(value, std::numeric_limits<LONG>::min(),
                                  std::numeric_limits<LONG>::max()));
}

bool Empty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

}  // namespace

extern "C" {

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
  if (!rect) return FALSE;
  *rect = RECT{left, top, right, bottom};
  return TRUE;
}

BOOL SetRectEmpty(LPRECT rect) { return SetRect(rect, 0, 0, 0, 0); }

BOOL CopyRect(LPRECT dst, const RECT* src) {
  if (!dst || !src) return FALSE;
  *dst = *src;
  return TRUE;
}

BOOL IsRectEmpty(const RECT* rect) { return !rect || Empty(*rect); }

BOOL EqualRect(const RECT* a, const RECT* b) {
  if (!a || !b) return FALSE;
  return a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

BOOL PtInRect(const RECT* rect, POINT pt) {
  if (!rect) return FALSE;
  return pt.x >= rect->left && pt.x < rect->right && pt.y >= rect->top && pt.y < rect->bottom;
}

BOOL OffsetRect(LPRECT rect, int dx, int dy) {
  if (!rect) return FALSE;
  rect->left = Saturate(int64_t(rect->left) + dx);
  rect->right = Saturate(int64_t(rect->right) + dx);
  rect->top = Saturate(int64_t(rect->top) + dy);
  rect->bottom = Saturate(int64_t(rect->bottom) + dy);
  return TRUE;
}

BOOL InflateRect(LPRECT rect, int dx, int dy) {
  if (!rect) return FALSE;
  rect->left = Saturate(int64_t(rect->left) - dx);
  rect->right = Saturate(int64_t(rect->right) + dx);
  rect->top = Saturate(int64_t(rect->top) - dy);
  rect->bottom = Saturate(int64_t(rect->bottom) + dy);
  return TRUE;
}

BOOL IntersectRect(LPRECT dst, const RECT* a, const RECT* b) {
  if (!dst || !a || !b) return FALSE;
  RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
         std::min(a->bottom, b->bottom)};
  if (Empty(*a) || Empty(*b) || Empty(r)) {
    *dst = RECT{};
    return FALSE;
  }
  *dst = r;
  return TRUE;
}

BOOL UnionRect(LPRECT dst, const RECT* a, const RECT* b) {
  if (!dst || !a || !b) return FALSE;
  const bool emptyA = Empty(*a), emptyB = Empty(*b);
  if (emptyA && emptyB) {
    *dst = RECT{};
    return FALSE;
  }
  if (emptyA) {
    *dst = *b;
  } else if (emptyB) {
    *dst = *a;
  } else {
    *dst = RECT{std::min(a->left, b->left), std::min(a->top, b->top),
                std::max(a->right, b->right), std::max(a->bottom, b->bottom)};
  }
  return TRUE;
}

BOOL SubtractRect(LPRECT dst, const RECT* a, const RECT* b) {
  if (!dst || !a || !b) return FALSE;
  RECT result = *a;
  RECT overlap;
  if (IntersectRect(&overlap, a, b)) {
    const bool fullWidth = overlap.left == a->left && overlap.right == a->right;
    const bool fullHeight = overlap.top == a->top && overlap.bottom == a->bottom;
    if (fullWidth && fullHeight) {
      result = RECT{};
    } else if (fullWidth && overlap.top == a->top) {
      result.top = overlap.bottom;
    } else if (fullWidth && overlap.bottom == a->bottom) {
      result.bottom = overlap.top;
    } else if (fullHeight && overlap.left == a->left) {
      result.left = overlap.right;
    } else if (fullHeight && overlap.right == a->right) {
      result.right = overlap.left;
    }
  }
  *dst = result;
  if (Empty(result)) {
    *dst = RECT{};
    return FALSE;
  }
  return TRUE;
}

}  // extern "C"
