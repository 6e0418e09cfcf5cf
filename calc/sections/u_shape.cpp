#include "calc/sections/circular_segment.h"
#include "calc/sections/shape.h"

namespace channelflow::calc {
namespace {

using numeric::atan2;
using numeric::sqrt;

// Where the walls meet the bottom arc: the arc spans 2 alpha about the centre,
// with tan(alpha) = 1/m, so it rises r (1 - cos alpha) and is 2 r sin(alpha)
// wide there. 1 - cos(alpha) = 1 - m/sqrt(1 + m^2) is written without the
// cancellation that steep-sided (large m) walls would bring.
template <typename Number>
struct Tangency {
  Number alpha, sinAlpha, cosAlpha, rise, width, wallLength;
};

template <typename Number>
Tangency<Number> tangency(const UShape& s, const Number& r) {
  const Number m(s.m);
  const bool known = s.root != Real(0);
  const Number root = known ? as<Number>(s.root) : sqrt(Number(1) + m * m);  // sqrt(1 + m^2)
  const Number alpha = known ? as<Number>(s.alpha) : atan2(Number(1), m);
  const Number sinAlpha = Number(1) / root;
  return {alpha, sinAlpha, m / root, r / (root * (root + m)), Number(2) * r * sinAlpha, root};
}

}  // namespace

UShape UShape::withSlope(double m) {
  return {m, sqrt(Real(1) + Real(m) * Real(m)), atan2(Real(1), Real(m))};
}

template <typename Number>
Geometry<Number> geometry(const UShape& s, const Number& r, const Number& h) {
  const Tangency<Number> t = tangency(s, r);
  Geometry<Number> g;
  if (h <= t.rise) {
    const SegmentAtDepth<Number> wet = circularSegmentAtDepth(r + r, h);
    g.A = wet.segment.A;
    g.P = wet.segment.P;
    g.T = wet.T;
    g.moment = wet.segment.moment;
    g.bed = g.P;
    return g;
  }
  // The whole arc, then a trapezoid of height y on its chord.
  const Segment<Number> arc = circularSegment(r, t.alpha, t.sinAlpha, t.cosAlpha);
  const Number m(s.m);
  const Number y = h - t.rise;
  g.A = arc.A + (t.width + m * y) * y;
  g.P = arc.P + Number(2) * t.wallLength * y;
  g.T = t.width + Number(2) * m * y;
  g.moment = arc.moment + arc.A * y + (Number(3) * t.width + Number(2) * m * y) * y * y / Number(6);
  g.bed = arc.P;
  return g;
}

template Geometry<double> geometry(const UShape&, const double&, const double&);
template Geometry<Real> geometry(const UShape&, const Real&, const Real&);

}  // namespace channelflow::calc
