// A value-type pixman region: copyable, for the clip regions DCs keep and save.
#pragma once

#include <win/gdi.h>

#include <pixman.h>

#include <utility>

namespace talix::gdi {

class Region32 {
 public:
  Region32() { pixman_region32_init(&r_); }
  explicit Region32(const RECT& rc) {
    if (rc.right > rc.left && rc.bottom > rc.top)
      pixman_region32_init_rect(&r_, rc.left, rc.top, unsigned(rc.right - rc.left),
                                unsigned(rc.bottom - rc.top));
    else
      pixman_region32_init(&r_);
  }
  explicit Region32(const pixman_region32_t* other) {
    pixman_region32_init(&r_);
    pixman_region32_copy(&r_, const_cast<pixman_region32_t*>(other));
  }
  Region32(const Region32& other) : Region32(&other.r_) {}
  Region32& operator=(const Region32& other) {
    if (this != &other) pixman_region32_copy(&r_, const_cast<pixman_region32_t*>(&other.r_));
    return *this;
  }
  ~Region32() { pixman_region32_fini(&r_); }

  pixman_region32_t* get() { return &r_; }
  const pixman_region32_t* get() const { return &r_; }
  bool Empty() const { return !pixman_region32_not_empty(const_cast<pixman_region32_t*>(&r_)); }
  void Intersect(const Region32& o) { pixman_region32_intersect(&r_, &r_, const_cast<pixman_region32_t*>(&o.r_)); }
  void Intersect(const RECT& rc) { Intersect(Region32(rc)); }
  void Union(const Region32& o) { pixman_region32_union(&r_, &r_, const_cast<pixman_region32_t*>(&o.r_)); }
  void Subtract(const Region32& o) { pixman_region32_subtract(&r_, &r_, const_cast<pixman_region32_t*>(&o.r_)); }
  void Translate(int dx, int dy) { pixman_region32_translate(&r_, dx, dy); }
  bool Contains(int x, int y) const {
    return pixman_region32_contains_point(const_cast<pixman_region32_t*>(&r_), x, y, nullptr);
  }
  RECT Box() const {
    if (Empty()) return RECT{0, 0, 0, 0};
    const pixman_box32_t* b = pixman_region32_extents(const_cast<pixman_region32_t*>(&r_));
    return RECT{b->x1, b->y1, b->x2, b->y2};
  }
  // NULLREGION, SIMPLEREGION or COMPLEXREGION.
  int Type() const {
    int n = pixman_region32_n_rects(const_cast<pixman_region32_t*>(&r_));
    return n == 0 ? NULLREGION : n == 1 ? SIMPLEREGION : COMPLEXREGION;
  }
  // Reflects x about the middle of [0, width): the edge x goes to width - x.
  void MirrorX(int width);

 private:
  pixman_region32_t r_;
};

inline void Region32::MirrorX(int width) {
  int n = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(&r_, &n);
  pixman_region32_t mirrored;
  pixman_region32_init(&mirrored);
  for (int i = 0; i < n; ++i) {
    pixman_region32_union_rect(&mirrored, &mirrored, width - boxes[i].x2, boxes[i].y1,
                               unsigned(boxes[i].x2 - boxes[i].x1),
                               unsigned(boxes[i].y2 - boxes[i].y1));
  }
  pixman_region32_fini(&r_);
  r_ = mirrored;
}

}  // namespace talix::gdi
