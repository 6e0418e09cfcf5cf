#include "calc/flow/jump.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "calc/flow/critical.h"
#include "calc/flow/root_finding.h"
#include "calc/flow/solver_setup.h"
#include "calc/survey/survey.h"

namespace channelflow::calc {
namespace {

JumpSide sideAt(const Channel& c, const Real& Q, const Real& h) {
  const Geometry<Real> g = geometry(c.shape, c.size, h);
  const Real g0(c.constants().g);
  JumpSide side;
  side.h = h;
  side.A = g.A;
  side.v = Q / g.A;
  side.full = !(g.T > Real(0));
  side.Fr = side.full ? Real(0) : side.v / numeric::sqrt(g0 * g.A / g.T);
  side.E = h + side.v * side.v / (g0 + g0);
  if (g.divided) {
    side.Fr = side.v * numeric::sqrt(g.alpha * g.T / (g0 * g.A));
    side.E = h + g.alpha * side.v * side.v / (g0 + g0);
  }
  return side;
}

// M(h) / M - 1 for the momentum function M(h) = Q^2/(g A) + moment: it falls
// from +infinity to its least at hc, then rises.
auto momentumExcess(const Channel& c, const Real& Q, const Real& M) {
  return [&c, &Q, &M](const auto& h) {
    using Number = std::remove_cvref_t<decltype(h)>;
    const Geometry<Number> g = geometry(c.shape, as<Number>(c.size), h);
    if (!(g.A > Number(0))) return Number(HUGE_VAL);
    const Number q = as<Number>(Q);
    return (q * q / (g.A * Number(c.constants().g)) + g.moment) / as<Number>(M) - Number(1);
  };
}

// Of a surveyed section's depths that keep the momentum (it may have several
// lows), the one nearest hc on the far side of it: the first of the depths
// where the geometry changes (its points' elevations and the quarters between
// them), going from hc toward `end`, at which the sign turns brackets it.
template <typename F>
double nearestSequent(const Survey& survey, const F& first, double hc, double fHc, double end, double fEnd) {
  std::vector<double> depths;
  for (int k = 0; k < survey.intervalCount(); ++k) {
    const double lo = k == 0 ? 0 : survey.levelDepthApprox(k - 1), hi = survey.levelDepthApprox(k);
    for (double fraction : {0.25, 0.5, 0.75, 1.0}) {
      const double h = lo + (hi - lo) * fraction;
      if ((h - hc) * (end - h) > 0) depths.push_back(h);
    }
  }
  std::sort(depths.begin(), depths.end(), [hc](double a, double b) { return std::fabs(a - hc) < std::fabs(b - hc); });
  depths.push_back(end);
  double near = hc, fNear = fHc;
  for (double h : depths) {
    const double fh = h == end ? fEnd : first(h);
    if (fh >= 0) {
      return h > near ? findRoot(first, {near, h}, fNear, fh, NAN) : findRoot(first, {h, near}, fh, fNear, NAN);
    }
    near = h;
    fNear = fh;
  }
  return hc;
}

Real momentumAt(const Channel& c, const Real& Q, const Real& h) {
  const Geometry<Real> g = geometry(c.shape, c.size, h);
  return Q * Q / (g.A * Real(c.constants().g)) + g.moment;
}

}  // namespace

const char* jumpTypeTerm(const Real& Fr1) {
  if (Fr1 < Real(1.7)) return "undular";
  if (Fr1 < Real(2.5)) return "weak";
  if (Fr1 < Real(4.5)) return "oscillating";
  if (Fr1 < Real(9)) return "steady";
  return "strong";
}

HydraulicJump hydraulicJump(const Channel& c, const Real& Q, const Real& h) {
  HydraulicJump jump;
  jump.hc = criticalDepth(c, Q);
  require(!(h == jump.hc), MessageId::CriticalNoJump, "h1");
  jump.M = momentumAt(c, Q, h);
  jump.givenDownstream = h > jump.hc;
  const auto excess = momentumExcess(c, Q, jump.M);
  const auto first = firstStage(excess, fitsDoubles(c, Q.toDouble()) && h.toDouble() > 0x1p-120);
  const double hc = jump.hc.toDouble();
  const double atCritical = excess(jump.hc).toDouble();
  Real sequent = jump.hc;  // where M is no lower at hc than at h: a jump of no height
  const auto* points = std::get_if<Points>(&c.shape);
  if (atCritical < 0 && points && jump.givenDownstream) {
    sequent = polishRoot(excess, nearestSequent(*points->survey, first, hc, atCritical, 0, HUGE_VAL), 0, hc);
  } else if (atCritical < 0) {
    if (jump.givenDownstream) {
      sequent = polishRoot(excess, findRoot(first, {0, hc}, HUGE_VAL, atCritical, 0.5 * hc), 0, hc);
    } else if (hasTop(c)) {
      const Real top = topDepth(c);
      const double full = top.toDouble();
      const double atFull = excess(top).toDouble();
      if (!(atFull >= 0) && std::holds_alternative<Circle>(c.shape)) fail(MessageId::JumpFillsPipe, "h1");
      if (!(atFull >= 0) && isClosed(c.shape)) fail(MessageId::JumpFillsConduit, "h1");
      if (!(atFull >= 0)) {
        fail(MessageId::JumpAboveBanks, "h1",
             {MessageArg::value(std::get<Points>(c.shape).survey->bankElevation()),
              MessageArg::unit("length", unitsOf(c.units).key)});
      }
      const double root = points ? nearestSequent(*points->survey, first, hc, atCritical, full, atFull)
                                 : findRoot(first, {hc, full}, atCritical, atFull, 0.5 * (hc + full));
      sequent = polishRoot(excess, root, hc, full);
    } else {
      const double root = findRootFrom(first, hc, HUGE_VAL, 2 * hc, jump.givenDownstream ? "h1" : "h2");
      sequent = polishRoot(excess, root, hc, HUGE_VAL);
    }
  }
  const JumpSide given = sideAt(c, Q, h);
  const JumpSide other = sideAt(c, Q, sequent);
  jump.upstream = jump.givenDownstream ? other : given;
  jump.downstream = jump.givenDownstream ? given : other;
  // In double-double the difference keeps all but log2(E1 / (E1 - E2)) of its
  // 106 bits: a weak jump's loss of 1e-9 E1 still has more than a double's.
  jump.energyLoss = jump.upstream.E - jump.downstream.E;
  jump.relativeLoss = jump.energyLoss / jump.upstream.E;
  jump.height = jump.downstream.h - jump.upstream.h;
  return jump;
}

}  // namespace channelflow::calc
