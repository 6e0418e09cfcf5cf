#include "calc/sections/shape.h"

#include "calc/sections/number_forms.h"

namespace channelflow::calc {
namespace {

using numeric::sqrt;

// sqrt(1 + m^2), the length of a wall per unit of depth.
template <typename Number>
Number wallLength(double m) {
  const Number slope(m);
  return sqrt(Number(1) + slope * slope);
}

// 1/6 to the number's precision: a product where a quotient would cost three.
template <typename Number>
Number sixth() {
  if constexpr (kIsReal<Number>) {
    static const Real value = Real(1) / Real(6);
    return value;
  } else {
    return 1.0 / 6.0;
  }
}

}  // namespace

Trapezoid Trapezoid::withSlopes(double m1, double m2) {
  return {m1, m2, wallLength<Real>(m1) + wallLength<Real>(m2)};
}

template <typename Number>
Geometry<Number> geometry(const Trapezoid& s, const Number& B, const Number& h) {
  const Number spread = Number(s.m1) + Number(s.m2);
  const Number walls = s.walls == Real(0) ? wallLength<Number>(s.m1) + wallLength<Number>(s.m2) : as<Number>(s.walls);
  Geometry<Number> g;
  g.T = B + spread * h;
  g.A = (B + g.T) * h * Number(0.5);
  g.P = B + walls * h;
  // The integral of (h - y) T(y) over the depth: B h^2/2 + (m1 + m2) h^3/6.
  g.moment = (Number(3) * B + spread * h) * h * h * sixth<Number>();
  g.bed = B;
  return g;
}

template Geometry<double> geometry(const Trapezoid&, const double&, const double&);
template Geometry<Real> geometry(const Trapezoid&, const Real&, const Real&);

}  // namespace channelflow::calc
