// Channel cross-sections: for a depth h, the exact closed forms of the flow
// area A, wetted perimeter P, top width T (= dA/dh) and the first moment of
// the area about the water surface (A times the centroid's depth, which the
// momentum function needs). A section is its shape and one size: the bottom
// width B of a trapezoid, the diameter D of a circle, the radius r of a U
// shape, the parameter p of a parabola, the width B of an arch-roofed tunnel
// or the roof radius r of a horseshoe, kept apart so that a solver can vary
// the size; or a surveyed section, its points (calc/survey.h), whose size is
// unused. Lengths are in whatever unit the caller uses, consistently.
//
// Every form is written once for any number type: plain doubles for a
// solver's first, fast iterations, numeric::Real for every printed result.
#pragma once

#include <memory>
#include <variant>

#include "numeric/elementary/elementary.h"

namespace channelflow::calc {

using numeric::Real;

// Side slopes of the left and right walls (horizontal run per unit rise); a
// rectangle has m1 = m2 = 0, a triangle a size B of 0.
struct Trapezoid {
  double m1 = 0;
  double m2 = 0;
  // sqrt(1 + m1^2) + sqrt(1 + m2^2), the walls' length per unit of depth,
  // worked out once by withSlopes; 0 when not, and then at every depth.
  Real walls{};

  static Trapezoid withSlopes(double m1, double m2);
};

// A circular conduit running part full or full (h <= D).
struct Circle {};

// A circular bottom of radius r whose straight walls are tangent to it, each
// leaning outward with side slope m. With m = 0 the bottom is a full
// semicircle and the walls are vertical.
struct UShape {
  double m = 0;
  // sqrt(1 + m^2) and the arc's half angle atan2(1, m), worked out once by
  // withSlope; 0 when not, and then at every depth.
  Real root{}, alpha{};

  static UShape withSlope(double m);
};

// x^2 = 2 p y, its vertex at the bed.
struct Parabola {};

// A tunnel of straight walls under a circular roof (城门洞形), its width B
// the size: the crown H above the floor, the roof an arc of radius Ra >= B/2
// meeting the walls at its chord, a semicircle when Ra is 0 (taken as B/2).
struct Arch {
  double H = 0;
  double Ra = 0;
  // For the width it was made for by withWidth (0 when not), what is the
  // same at every depth, worked out once: the roof's radius, the walls'
  // height, and the whole section's area, perimeter and first moment about
  // the floor.
  double width = 0;
  Real radius{}, wall{}, area{}, perimeter{}, moment{};

  static Arch withWidth(double H, double Ra, double B);
};

// The standard horseshoe of roof radius r (the size), 2r high: a semicircular
// roof, sides and invert arcs of radius t r, t = 3 for type I and 2 for
// type II.
struct Horseshoe {
  int type = 1;
  double t() const { return type == 2 ? 2.0 : 3.0; }
};

class Survey;

// A section by its surveyed points, shared by the copies of a channel.
struct Points {
  std::shared_ptr<const Survey> survey;
};

using Shape = std::variant<Trapezoid, Circle, UShape, Parabola, Points, Arch, Horseshoe>;

template <typename Number>
struct Geometry {
  Number A{};       // flow area
  Number P{};       // wetted perimeter
  Number T{};       // top width; 0 for a circle running full
  Number moment{};  // first moment of A about the surface
  Number bed{};     // the part of P that is bed rather than walls (composite roughness)
  // A section divided into parts of their own n (by its points): the sum of
  // each part's Aj Rj^(2/3) / nj, its conveyance without Manning's k, and the
  // energy coefficient alpha = (sum Kj^3/Aj^2) / (K^3/A^2). Otherwise the
  // whole section is one part of the channel's n, and alpha is 1.
  bool divided = false;
  Number conveyance{};
  Number alpha{1};
};

// The closed forms at depth h, 0 < h <= fullDepth, for any size > 0 (>= 0 for
// a trapezoid with sloping walls). No checks: callers check the inputs.
template <typename Number>
Geometry<Number> geometry(const Trapezoid& shape, const Number& B, const Number& h);
template <typename Number>
Geometry<Number> geometry(const Circle& shape, const Number& D, const Number& h);
template <typename Number>
Geometry<Number> geometry(const UShape& shape, const Number& r, const Number& h);
template <typename Number>
Geometry<Number> geometry(const Parabola& shape, const Number& p, const Number& h);
template <typename Number>
Geometry<Number> geometry(const Arch& shape, const Number& B, const Number& h);
template <typename Number>
Geometry<Number> geometry(const Horseshoe& shape, const Number& r, const Number& h);
// 0 < h <= the survey's bank depth; the size is unused.
template <typename Number>
Geometry<Number> geometry(const Points& shape, const Number& size, const Number& h);

template <typename Number>
Geometry<Number> geometry(const Shape& shape, const Number& size, const Number& h) {
  return std::visit([&](const auto& s) { return geometry(s, size, h); }, shape);
}

// Whether the section is closed at the top (a circle, an arch-roofed tunnel,
// a horseshoe), its depth bounded by its crown.
inline bool isClosed(const Shape& shape) {
  return std::holds_alternative<Circle>(shape) || std::holds_alternative<Arch>(shape) ||
         std::holds_alternative<Horseshoe>(shape);
}

// A closed section's height from the invert to the crown: D, H or 2r.
Real crownDepth(const Shape& shape, const Real& size);

// A closed section's whole area, as its geometry at the crown gives it.
Real fullArea(const Shape& shape, const Real& size);

// Where a closed section's roof arc begins (the depth of its springing line,
// 0 for a circle) and its radius: above the springing the surface narrows to
// the crown, which is where the discharge of uniform flow is greatest. An
// arch whose roof rises less than its springing's depth ends the search there.
struct Roof {
  Real springing;
  Real radius;
};
Roof roofOf(const Shape& shape, const Real& size);

// An arch's roof radius, rise above the springing line and wall height, for width B.
struct ArchRoof {
  Real radius, rise, wall;
};
ArchRoof archRoof(const Arch& shape, const Real& B);

// Whether the wetted perimeter divides into bed and walls (trapezoid and U).
inline bool hasWalls(const Shape& shape) {
  return std::holds_alternative<Trapezoid>(shape) || std::holds_alternative<UShape>(shape);
}

// Whether the section is its surveyed points.
inline bool isSurvey(const Shape& shape) { return std::holds_alternative<Points>(shape); }

// "trapezoid", "circle", "u", "parabola", "points", "arch" or "horseshoe".
const char* shapeKey(const Shape& shape);

}  // namespace channelflow::calc
