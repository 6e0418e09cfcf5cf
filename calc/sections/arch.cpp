#include "calc/sections/circular_segment.h"
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

}  // namespace

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
  const RoofArc<Number> roof = roofArc(s, B);
  Geometry<Number> g;
  if (h <= roof.wall) {
    g.A = B * h;
    g.P = B + h + h;
    g.T = B;
    g.moment = g.A * h * Number(0.5);
    g.bed = g.P;
    return g;
  }
  const Number& R = roof.radius;
  const Segment<Number> whole = circularSegment(R, atan2(roof.half, roof.centre), roof.half / R, roof.centre / R);
  const Number wallArea = B * roof.wall;
  const Number fullArea = wallArea + whole.A;
  const Number fullMoment = wallArea * roof.wall * Number(0.5) + whole.A * roof.wall + whole.moment;
  const SegmentAtDepth<Number> dry = circularSegmentAtDepth(R + R, Number(s.H) - h);
  g.A = fullArea - dry.segment.A;
  g.P = B + Number(2) * roof.wall + whole.P - dry.segment.P;
  g.T = dry.T;
  g.moment = h * fullArea - fullMoment + dry.segment.moment;
  g.bed = g.P;
  return g;
}

template Geometry<double> geometry(const Arch&, const double&, const double&);
template Geometry<Real> geometry(const Arch&, const Real&, const Real&);

}  // namespace channelflow::calc
