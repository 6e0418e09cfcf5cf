#include "calc/critical.h"

#include <cmath>

#include "calc/flow.h"
#include "calc/root_finding.h"
#include "calc/solver_setup.h"

namespace channelflow::calc {

// Compared as a ratio to Q, A sqrt(g A / T) / Q - 1 increases through its
// root; where the surface closes (T = 0) it is +infinity.
Real criticalDepth(const Channel& c, const Real& Q) {
  const double g0 = c.constants().g;
  auto excess = [&c, &Q, g0](const auto& h) {
    using Number = std::remove_cvref_t<decltype(h)>;
    const Geometry<Number> g = geometry(c.shape, as<Number>(c.size), h);
    if (!(g.T > Number(0))) return Number(HUGE_VAL);
    return g.A * numeric::sqrt(Number(g0) * g.A / g.T) / as<Number>(Q) - Number(1);
  };
  // Start from the depth of a rectangle as wide as the section's size
  // parameter: the secants in log h close in from there in a few steps.
  const double q = Q.toDouble();
  const double size = c.size.toDouble();
  const double unit = (size > 0 ? q / size : q) / numeric::sqrt(g0);
  const double guess = numeric::cbrt(unit * unit);
  const double top = fullDepth(c);
  const double hc = findRootFrom(firstStage(excess, fitsDoubles(c, q)), 0, top,
                                 std::isfinite(guess) && guess > 0 ? guess : 1.0, "hc");
  return polishRoot(excess, hc, 0, top);
}

CriticalFlow criticalFlow(const Channel& c, const Real& Q) {
  CriticalFlow critical;
  critical.hc = criticalDepth(c, Q);
  const FlowState f = flowAt(c, critical.hc, Q);
  critical.vc = f.v;
  critical.Ec = f.E;
  critical.ic = f.Sf;
  return critical;
}

}  // namespace channelflow::calc
