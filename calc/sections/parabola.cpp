#include "calc/sections/number_forms.h"
#include "calc/sections/shape.h"

namespace channelflow::calc {
namespace {

using numeric::asinh;
using numeric::sqrt;

}  // namespace

// The surface meets the parabola at x = +-x0 with x0 = sqrt(2 p h). The arc
// length of each half is (p/2) (u sqrt(1 + u^2) + asinh u) with u = x0/p,
// written x0 sqrt(1 + u^2) / 2 for the first term so that it stays finite
// wherever P does.
template <typename Number>
Geometry<Number> geometry(const Parabola&, const Number& p, const Number& h) {
  const Number x0 = sqrt(Number(2) * p) * sqrt(h);
  const Number u = x0 / p;
  Geometry<Number> g;
  g.T = x0 + x0;
  g.A = Number(2) * g.T * h / Number(3);
  g.P = x0 * sqrt(Number(1) + u * u) + p * asinh(u);
  // The centroid lies 2h/5 below the surface.
  g.moment = Number(2) * h * g.A / Number(5);
  g.bed = g.P;
  return g;
}

template Geometry<double> geometry(const Parabola&, const double&, const double&);
template Geometry<Real> geometry(const Parabola&, const Real&, const Real&);

}  // namespace channelflow::calc
