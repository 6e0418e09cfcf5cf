#include "calc/sections/circular_segment.h"
#include "calc/sections/number_forms.h"
#include "calc/sections/shape.h"

namespace channelflow::calc {
namespace {

using numeric::atan2;
using numeric::sqrt;

// The roof: an arc of radius R over the chord B, its centre c below the
// chord, c = sqrt(R^2 - B^2/4) written (R - B/2)(R + B/2) so that a roof
// close to a semicircle keeps its digits; the rise R - c as (B/2)^2 / (R + c),
// which a flat roof (R far above B/2) would otherwise cancel away.
template <typename Number>
struct RoofArc {
  Number radius, half, centre, rise, wall;
};

template <typename Number>
RoofArc<Number> roofArc(const Arch& s, const Number& B) {
  RoofArc<Number> roof;
  roof.half = B * Number(0.5);
  roof.radius = s.Ra > 0 ? Number(s.Ra) : roof.half;
  roof.centre = sqrt((roof.radius - roof.half) * (roof.radius + roof.half));
  roof.rise = roof.half * roof.half / (roof.radius + roof.centre);
  roof.wall = Number(s.H) - roof.rise;
  return roof;
}

// The whole section's area, perimeter and first moment about the floor,
// with the roof's radius and the walls' height.
template <typename Number>
struct Whole {
  Number radius, wall, area, perimeter, moment;
};

template <typename Number>
Whole<Number> wholeOf(const Arch& s, const Number& B) {
  if (s.width > 0 && B == Number(s.width)) {
    return {as<Number>(s.radius), as<Number>(s.wall), as<Number>(s.area), as<Number>(s.perimeter),
            as<Number>(s.moment)};
  }
  const RoofArc<Number> roof = roofArc(s, B);
  const Number& R = roof.radius;
  // A semicircle's half angle is a right angle; a flatter roof's, its atan.
  const Number alpha = roof.centre == Number(0) ? as<Number>(Real(numeric::kHalfPi)) : atan2(roof.half, roof.centre);
  const Segment<Number> arc = circularSegment(R, alpha, roof.half / R, roof.centre / R);
  const Number wallArea = B * roof.wall;
  return {R, roof.wall, wallArea + arc.A, B + Number(2) * roof.wall + arc.P,
          wallArea * roof.wall * Number(0.5) + arc.A * roof.wall + arc.moment};
}

}  // namespace

Arch Arch::withWidth(double H, double Ra, double B) {
  Arch a{H, Ra};
  const Whole<Real> whole = wholeOf(a, Real(B));
  a.width = B;
  a.radius = whole.radius;
  a.wall = whole.wall;
  a.area = whole.area;
  a.perimeter = whole.perimeter;
  a.moment = whole.moment;
  return a;
}

ArchRoof archRoof(const Arch& s, const Real& B) {
  const RoofArc<Real> roof = roofArc(s, B);
  return {roof.radius, roof.rise, roof.wall};
}

// Up to the springing line a rectangle. Above it the water leaves a circular
// segment of the roof dry, d = H - h deep: the wet section is the whole one
// less that segment, which is exact up to the crown, where the surface closes
// (T = 0). The moment about the surface is h A_full - S_full + the dry
// segment's moment about its chord, S_full being the whole section's first
// moment about the floor.
template <typename Number>
Geometry<Number> geometry(const Arch& s, const Number& B, const Number& h) {
  const Whole<Number> whole = wholeOf(s, B);
  Geometry<Number> g;
  if (h <= whole.wall) {
    g.A = B * h;
    g.P = B + h + h;
    g.T = B;
    g.moment = g.A * h * Number(0.5);
    g.bed = g.P;
    return g;
  }
  const SegmentAtDepth<Number> dry = circularSegmentAtDepth(whole.radius + whole.radius, Number(s.H) - h);
  g.A = whole.area - dry.segment.A;
  g.P = whole.perimeter - dry.segment.P;
  g.T = dry.T;
  g.moment = h * whole.area - whole.moment + dry.segment.moment;
  g.bed = g.P;
  return g;
}

Real archArea(const Arch& s, const Real& B) { return wholeOf(s, B).area; }

template Geometry<double> geometry(const Arch&, const double&, const double&);
template Geometry<Real> geometry(const Arch&, const Real&, const Real&);

}  // namespace channelflow::calc
