#include "calc/sections/circular_segment.h"
#include "calc/sections/shape.h"

namespace channelflow::calc {

// The wet part is the circular segment below the water surface, its chord.
// Running full (h = D) the surface has closed: T = 0.
template <typename Number>
Geometry<Number> geometry(const Circle&, const Number& D, const Number& h) {
  const SegmentAtDepth<Number> wet = circularSegmentAtDepth(D, h);
  Geometry<Number> g;
  g.A = wet.segment.A;
  g.P = wet.segment.P;
  g.T = wet.T;
  g.moment = wet.segment.moment;
  g.bed = g.P;
  return g;
}

template Geometry<double> geometry(const Circle&, const double&, const double&);
template Geometry<Real> geometry(const Circle&, const Real&, const Real&);

}  // namespace channelflow::calc
