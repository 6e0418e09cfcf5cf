#include "calc/sections/circular_segment.h"
#include "calc/sections/number_forms.h"
#include "calc/sections/shape.h"

namespace channelflow::calc {
namespace {

using numeric::atan2;
using numeric::sqrt;

// 1/3 to the number's precision: a product where a quotient would cost more.
template <typename Number>
Number third() {
  if constexpr (kIsReal<Number>) {
    static const Real value = Real(1) / Real(3);
    return value;
  } else {
    return 1.0 / 3.0;
  }
}

// The section for r = 1, built of three arcs: the invert, radius t centred t
// above the floor; each side, radius t centred on the springing line (1 above
// the floor) t - 1 beyond the axis, so that it meets the roof tangentially;
// the roof, radius 1 about the axis at the springing. Side and invert meet
// where cos(theta) - sin(theta) = (t - 1)/t, theta the invert's half angle,
// which is also the side arc's angle below the springing line there.
struct Unit {
  Real theta, sinTheta, cosTheta;
  Real invert;                    // the invert's height t (1 - cos theta)
  Real invertArea, invertMoment;  // the invert segment's area and moment about its chord
  Real springArea;                // the area below the springing line, t^2 c
  Real c, outward;                // c, and 2 (t - 1)/t, the side arcs' centres off the axis over t r, doubled
  Real cubeThird;                 // cos^3(theta) / 3
  Real halfProduct;               // sin(theta) cos(theta) / 2
  Real springMoment;              // its moment about the springing line
  Real fullArea, fullPerimeter, fullMoment;  // the whole section; the moment about the floor
};

Unit unitOf(double tValue) {
  const Real t(tValue);
  Unit u;
  const Real quarter = Real(numeric::kPi) * 0.25;
  u.theta = numeric::acos((t - 1) / (sqrt(Real(2)) * t)) - quarter;
  u.sinTheta = numeric::sin(u.theta);
  u.cosTheta = numeric::cos(u.theta);
  const Segment<Real> invert = circularSegment(t, u.theta, u.sinTheta, u.cosTheta);
  u.invert = t * (1 - u.cosTheta);
  u.invertArea = invert.A;
  u.invertMoment = invert.moment;
  // The area between a side arc and the axis from the invert's top up to the
  // springing line, as the general band below at a = 0.
  u.outward = 2 * (t - 1) / t;
  u.c = u.theta + u.theta - u.outward * u.sinTheta;
  u.springArea = t * t * u.c;
  u.cubeThird = u.cosTheta * u.cosTheta * u.cosTheta / 3;
  u.halfProduct = u.sinTheta * u.cosTheta * 0.5;
  const Real band = 1 - u.invert;
  const Real cube = u.cosTheta * u.cosTheta * u.cosTheta;
  u.springMoment = u.invertMoment + u.invertArea * band - (t - 1) * band * band + 2 * t * t * t * (1 - cube) / 3;
  const Real halfPi = Real(numeric::kHalfPi);
  u.fullArea = u.springArea + halfPi;
  u.fullPerimeter = 4 * t * u.theta + Real(numeric::kPi);
  // Below the springing: its area at height 1 less its moment about that
  // line; the half disc above: pi/2 at height 1, and 2/3 about its diameter.
  u.fullMoment = u.springArea - u.springMoment + halfPi + Real(2) / 3;
  return u;
}

const Unit& unitFor(const Horseshoe& s) {
  static const Unit kTypeOne = unitOf(3), kTypeTwo = unitOf(2);
  return s.type == 2 ? kTypeTwo : kTypeOne;
}

}  // namespace

// Three ranges of depth. Up to the invert's top, the segment of the invert's
// circle (diameter 2tr). Up to the springing line, that segment and the band
// between the side arcs: with sin(a) = (r - h)/(t r), the band's width at any
// height is 2r (t cos a - t + 1), and its area and moment are integrals of
// it in a. Above the springing, the whole section less the dry segment of
// the roof's circle, as for the arch.
template <typename Number>
Geometry<Number> geometry(const Horseshoe& s, const Number& r, const Number& h) {
  const Unit& unit = unitFor(s);
  const double t = s.t();  // a small whole number: its products are a double's fast path
  const Number tr = r * t;
  const Number e = as<Number>(unit.invert) * r;
  Geometry<Number> g;
  if (h <= e) {
    const SegmentAtDepth<Number> wet = circularSegmentAtDepth(tr + tr, h);
    g.A = wet.segment.A;
    g.P = wet.segment.P;
    g.T = wet.T;
    g.moment = wet.segment.moment;
  } else if (h <= r) {
    const Number sinA = (r - h) / tr;
    const Number cosA = sqrt((Number(1) - sinA) * (Number(1) + sinA));
    const Number a = atan2(sinA, cosA);
    const Number theta = as<Number>(unit.theta);
    const Number sinCos = sinA * cosA;
    const Number trSquared = tr * tr;
    g.A = trSquared * (as<Number>(unit.c) - a - sinCos + as<Number>(unit.outward) * sinA);
    g.P = (tr + tr) * (theta + theta - a);
    g.T = (r + r) * (cosA * t - Number(t - 1));
    // The invert segment carried up to the surface, then the band: the
    // side arcs' (t - 1) r offset and the integral of (h - y) t r cos(alpha).
    const Number rise = h - e;
    const Number rSquared = r * r;
    const Number rCubed = rSquared * r;
    const Number cubes = cosA * cosA * cosA * third<Number>() - as<Number>(unit.cubeThird);
    const Number rest = sinA * ((theta - a - sinCos) * 0.5 + as<Number>(unit.halfProduct));
    g.moment = as<Number>(unit.invertMoment) * rCubed + as<Number>(unit.invertArea) * rSquared * rise -
               r * rise * rise * (t - 1) + rCubed * (2 * t * t * t) * (cubes - rest);
  } else {
    const SegmentAtDepth<Number> dry = circularSegmentAtDepth(r + r, r + r - h);
    const Number fullArea = as<Number>(unit.fullArea) * r * r;
    g.A = fullArea - dry.segment.A;
    g.P = as<Number>(unit.fullPerimeter) * r - dry.segment.P;
    g.T = dry.T;
    g.moment = h * fullArea - as<Number>(unit.fullMoment) * r * r * r + dry.segment.moment;
  }
  g.bed = g.P;
  return g;
}

Real horseshoeArea(const Horseshoe& s, const Real& r) { return unitFor(s).fullArea * r * r; }

template Geometry<double> geometry(const Horseshoe&, const double&, const double&);
template Geometry<Real> geometry(const Horseshoe&, const Real&, const Real&);

}  // namespace channelflow::calc
