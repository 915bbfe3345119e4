// Small shapes described by their signed distance (negative inside), for the
// image tools: an anti-aliased coverage comes from the distance, and a tile
// repeats seamlessly when every shape is measured against its copies one
// tile away in each direction.
#pragma once

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

namespace sdf {

struct Vec {
  double x = 0, y = 0;
};
inline Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
inline Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
inline double Length(Vec v) { return std::hypot(v.x, v.y); }

// A shape: the signed distance of a point from its outline.
using Shape = std::function<double(Vec)>;

// A stroke of half-width hw along the segment a-b, with round ends.
inline Shape Segment(Vec a, Vec b, double hw) {
  return [=](Vec p) {
    Vec pa = p - a, ba = b - a;
    double len2 = ba.x * ba.x + ba.y * ba.y;
    double t = len2 > 0 ? std::clamp((pa.x * ba.x + pa.y * ba.y) / len2, 0.0, 1.0) : 0.0;
    return Length({pa.x - ba.x * t, pa.y - ba.y * t}) - hw;
  };
}

inline Shape Disc(Vec c, double r) {
  return [=](Vec p) { return Length(p - c) - r; };
}

inline Shape Ring(Vec c, double r, double hw) {
  return [=](Vec p) { return std::abs(Length(p - c) - r) - hw; };
}

// A ring's part from angle a0 to a1 (radians, counter-clockwise with y down
// meaning clockwise on screen), with round ends.
inline Shape Arc(Vec c, double r, double a0, double a1, double hw) {
  return [=](Vec p) {
    Vec d = p - c;
    double a = std::atan2(d.y, d.x);
    while (a < a0) a += 2 * std::numbers::pi;
    if (a <= a1) return std::abs(Length(d) - r) - hw;
    Vec e0{c.x + r * std::cos(a0), c.y + r * std::sin(a0)};
    Vec e1{c.x + r * std::cos(a1), c.y + r * std::sin(a1)};
    return std::min(Length(p - e0), Length(p - e1)) - hw;
  };
}

// A filled axis-aligned box.
inline Shape Box(Vec lo, Vec hi) {
  return [=](Vec p) {
    double dx = std::max(lo.x - p.x, p.x - hi.x), dy = std::max(lo.y - p.y, p.y - hi.y);
    if (dx <= 0 && dy <= 0) return std::max(dx, dy);
    return Length({std::max(dx, 0.0), std::max(dy, 0.0)});
  };
}

// A filled polygon (any simple polygon, even-odd rule).
inline Shape Polygon(std::vector<Vec> pts) {
  return [pts](Vec p) {
    double d = 1e9;
    bool inside = false;
    for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
      Vec a = pts[j], b = pts[i];
      d = std::min(d, Segment(a, b, 0)(p));
      if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
        inside = !inside;
    }
    return inside ? -d : d;
  };
}

// The union of shapes.
inline Shape Union(std::vector<Shape> shapes) {
  return [shapes](Vec p) {
    double d = 1e9;
    for (const auto& s : shapes) d = std::min(d, s(p));
    return d;
  };
}

// Moves a shape by `offset`.
inline Shape Moved(Shape s, Vec offset) {
  return [=](Vec p) { return s(p - offset); };
}

// Coverage of the pixel whose centre is `centre` by a shape: 0 outside, 1
// inside, a one-pixel soft edge between.
inline double Coverage(const Shape& s, Vec centre) {
  return std::clamp(0.5 - s(centre), 0.0, 1.0);
}

// The same for a tile of w x h pixels repeated in both directions.
inline double TiledCoverage(const Shape& s, Vec centre, double w, double h) {
  double c = 0;
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx) c = std::max(c, Coverage(s, {centre.x + dx * w, centre.y + dy * h}));
  return c;
}

}  // namespace sdf
