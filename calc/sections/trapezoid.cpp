#include <cmath>

#include "calc/flow_error.h"
#include "calc/section.h"

namespace channelflow::sections {
namespace {

// sqrt(1 + m^2) in one rounding of the radicand; beyond 1E+150 it is m itself
// to the last digit, where m^2 would overflow.
double wallLength(double m) { return m < 1e150 ? std::sqrt(std::fma(m, m, 1.0)) : m; }

}  // namespace

void validate(const Trapezoid& s) {
  require(std::isfinite(s.B) && std::isfinite(s.m1) && std::isfinite(s.m2), "梯形断面参数必须是有限的数");
  require(s.B >= 0, "底宽 B 不能为负");
  require(s.m1 >= 0 && s.m2 >= 0, "边坡系数 m 不能为负");
  require(s.B > 0 || s.m1 > 0 || s.m2 > 0, "底宽 B 与边坡系数 m 不能同时为零");
}

Geometry geometry(const Trapezoid& s, double h) {
  const double spread = s.m1 + s.m2;
  const double walls = wallLength(s.m1) + wallLength(s.m2);
  Geometry g;
  g.A = (s.B + 0.5 * spread * h) * h;
  g.P = s.B + walls * h;
  g.T = s.B + spread * h;
  g.R = g.A / g.P;
  g.D = g.A / g.T;
  // The integral of (h - y) T(y) over the depth: B h^2/2 + (m1 + m2) h^3/6.
  g.moment = (0.5 * s.B + spread * h / 6) * h * h;
  return g;
}

PerimeterParts perimeterParts(const Trapezoid& s, double h) {
  return {s.B, (wallLength(s.m1) + wallLength(s.m2)) * h};
}

}  // namespace channelflow::sections
