#include "calc/jump.h"

#include <cmath>

#include "calc/flow.h"
#include "calc/flow_error.h"
#include "calc/root_finding.h"
#include "calc/scaled_product.h"

namespace channelflow::sections {
namespace {

JumpSide sideAt(const Section& section, double Q, double h, const Units& units) {
  const Geometry g = geometryAt(section, h);
  JumpSide side;
  side.h = h;
  side.A = g.A;
  side.v = Q / g.A;
  side.Fr = std::isinf(g.D) ? 0 : side.v / std::sqrt(units.g * g.D);
  side.E = h + side.v * (side.v / (2 * units.g));
  require(std::isfinite(side.v) && std::isfinite(side.E), "流速 v 超出数值范围");
  return side;
}

// M = Q^2/(g A) + A ybar, with Q^2/(g A) scaled so that neither Q^2 nor
// the velocity head forms: M is a double wherever it can be.
double momentumAt(const Section& section, double Q, double h, const Units& units) {
  const Geometry g = geometryUnchecked(section, h);
  if (!(g.A > 0)) return HUGE_VAL;  // M grows without bound as the depth vanishes
  return scaledProduct({Q, Q}, {g.A, units.g}) + g.moment;
}

}  // namespace

std::string_view jumpTypeName(JumpType type) {
  switch (type) {
    case JumpType::Undular: return "波状水跃";
    case JumpType::Weak: return "弱水跃";
    case JumpType::Oscillating: return "摆动水跃";
    case JumpType::Steady: return "稳定水跃";
    case JumpType::Strong: return "强水跃";
  }
  return "";
}

JumpType jumpTypeOf(double Fr1) {
  if (Fr1 < 1.7) return JumpType::Undular;
  if (Fr1 < 2.5) return JumpType::Weak;
  if (Fr1 < 4.5) return JumpType::Oscillating;
  if (Fr1 < 9) return JumpType::Steady;
  return JumpType::Strong;
}

double momentumFunction(const Section& section, double Q, double h, const Units& units) {
  return momentumAt(section, Q, h, units);
}

HydraulicJump hydraulicJump(const Section& section, double Q, double h, const Units& units) {
  const double hc = criticalDepth(section, Q, units);
  const JumpSide given = sideAt(section, Q, h, units);
  require(h != hc, "水深等于临界水深：临界流不发生水跃");
  const double M = momentumAt(section, Q, h, units);
  require(std::isfinite(M), "动量函数 M 超出数值范围");
  // M falls from infinity to its least at hc, then rises: the sequent depth
  // is on the other side of hc, where M comes back to the given value.
  auto excess = [&section, Q, &units, M](double depth) { return momentumAt(section, Q, depth, units) / M - 1; };
  HydraulicJump jump;
  jump.hc = hc;
  jump.givenDownstream = h > hc;
  double sequent = hc;  // where rounding leaves M no lower at hc than at h: a jump of no height
  if (excess(hc) >= 0) {
  } else if (jump.givenDownstream) {
    sequent = findRoot(excess, {0, hc}, HUGE_VAL, excess(hc), 0.5 * hc);
  } else {
    const double full = fullDepth(section);
    if (std::isfinite(full)) {
      require(excess(full) >= 0, "跃后水深将超过管径：水跃会使管道满流，明渠水跃公式不再适用");
      sequent = findRoot(excess, {hc, full}, excess(hc), excess(full), 0.5 * (hc + full));
    } else {
      sequent = findRootFrom(excess, hc, HUGE_VAL, 2 * hc, "跃后水深超出数值范围");
    }
  }
  require(std::fabs(excess(sequent)) <= kRootResidual, "共轭水深处的过水面积超出数值范围");
  const JumpSide other = sideAt(section, Q, sequent, units);
  jump.upstream = jump.givenDownstream ? other : given;
  jump.downstream = jump.givenDownstream ? given : other;
  jump.M = M;
  jump.energyLoss = jump.upstream.E - jump.downstream.E;
  jump.relativeLoss = jump.energyLoss / jump.upstream.E;
  jump.height = jump.downstream.h - jump.upstream.h;
  jump.type = jumpTypeOf(jump.upstream.Fr);
  return jump;
}

}  // namespace channelflow::sections
