// Coverage tests of simple shapes, the pieces the standard pictures are built from.
// Coordinates are fractions of the picture's side (0..1), y down.
#pragma once

#include <initializer_list>
#include <vector>

namespace talix::gdi {

struct Pt {
  float x, y;
};

struct Shape {
  enum Kind { kDisc, kCapsule, kPolygon } kind;
  std::vector<Pt> points;  // disc: centre; capsule: two ends; polygon: corners
  float radius = 0;        // disc and capsule

  static Shape Disc(Pt c, float r) { return {kDisc, {c}, r}; }
  static Shape Line(Pt a, Pt b, float halfWidth) { return {kCapsule, {a, b}, halfWidth}; }
  static Shape Dot(Pt c, float r) { return {kCapsule, {c, c}, r}; }
  static Shape Polygon(std::initializer_list<Pt> p) { return {kPolygon, p, 0}; }

  bool Contains(Pt p) const;
};

}  // namespace talix::gdi
