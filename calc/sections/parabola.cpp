#include <cmath>

#include "calc/flow_error.h"
#include "calc/section.h"

namespace channelflow::sections {

void validate(const Parabola& s) {
  require(std::isfinite(s.p), "抛物线参数 p 必须是有限的数");
  require(s.p > 0, "抛物线参数 p 必须大于零");
}

// The surface meets the parabola at x = +-x0 with x0 = sqrt(2 p h). The arc
// length of each half is (p/2) (u sqrt(1 + u^2) + asinh u) with u = x0/p,
// written x0 sqrt(1 + u^2) so that it stays finite wherever P does.
Geometry geometry(const Parabola& s, double h) {
  const double x0 = std::sqrt(2 * s.p) * std::sqrt(h);
  const double u = x0 / s.p;
  Geometry g;
  g.T = 2 * x0;
  g.A = 2.0 / 3.0 * g.T * h;
  g.P = x0 * std::hypot(1.0, u) + s.p * std::asinh(u);
  g.R = g.A / g.P;
  g.D = g.A / g.T;
  // The centroid lies 2h/5 below the surface.
  g.moment = 0.4 * h * g.A;
  return g;
}

}  // namespace channelflow::sections
