// The normal depth: the depth whose uniform flow carries Q, and a circle's
// capacity, above which no depth carries it.
#include <cmath>

#include "calc/flow/flow_state.h"
#include "calc/flow/root_finding.h"
#include "calc/flow/uniform_solvers.h"
#include "calc/flow/solver_setup.h"
#include "calc/survey/survey.h"

namespace channelflow::calc {
namespace {

// The depth fraction h/D at which a circle's Manning discharge A^(5/3)/P^(2/3)
// is greatest, 5 P dA = 2 A dP, as a double-double: 0.93818121616060709817.
const Real& greatestDischargeFraction() {
  static const Real fraction = Real(0x1.e05949d2433bap-1) + Real(-0x1.cdcfecc3cf74dp-56);
  return fraction;
}

// K(h) sqrt(i) / Q - 1, rising with the depth (below a circle's greatest).
auto dischargeExcess(const Channel& c, const Real& Q) {
  return [&c, &Q](const auto& h) {
    using Number = std::remove_cvref_t<decltype(h)>;
    const Geometry<Number> g = geometry(c.shape, as<Number>(c.size), h);
    if (!(g.A > Number(0))) return Number(-1);
    return conveyance(c, g) * numeric::sqrt(as<Number>(c.i)) / as<Number>(Q) - Number(1);
  };
}

// A wide rectangle's depth for Q, q = h^(5/3) sqrt(i) k / n per unit width:
// a first guess that the solver's secants refine.
double depthGuess(const Channel& c, double Q) {
  const double size = c.size.toDouble();
  const double width = size > 0 ? size : 1.0;
  const double n = c.roughness.composite ? c.roughness.nBed : c.roughness.n.toDouble();
  const double guess = numeric::pow(Q * n / (c.constants().manning * width * numeric::sqrt(c.i.toDouble())), 0.6);
  return std::isfinite(guess) && guess > 0 ? guess : 1.0;
}

Real depthBelow(const Channel& c, const Real& Q, double top) {
  const auto excess = dischargeExcess(c, Q);
  const double q = Q.toDouble();
  const double h = findRootFrom(firstStage(excess, fitsDoubles(c, q)), 0, top, std::fmin(depthGuess(c, q), top),
                                "h");
  return polishRoot(excess, h, 0, top);
}

Real dischargeAt(const Channel& c, const Real& h) {
  return conveyance(c, geometry(c.shape, c.size, h)) * numeric::sqrt(c.i);
}

// A surveyed section's shallowest depth that carries Q: the first point
// elevation at which it carries Q brackets the depth (with one n over a
// floodplain the conveyance need not grow with the depth, so a depth further
// up may carry Q again). Above the lower end the water leaves the section.
Real surveyNormalDepth(const Channel& c, const Real& Q) {
  const Survey& survey = *std::get<Points>(c.shape).survey;
  const auto excess = dischargeExcess(c, Q);
  if (excess(survey.bankDepth()) < Real(0)) {
    const char* system = c.units == UnitSystem::US ? "us" : "si";
    fail(MessageId::AboveBankfull, "Q",
         {MessageArg::value(dischargeAt(c, survey.bankDepth()).toDouble()), MessageArg::unit("discharge", system),
          MessageArg::value(survey.bankElevation()), MessageArg::unit("length", system),
          MessageArg::value(survey.bankDepth().toDouble())});
  }
  const auto first = firstStage(excess, fitsDoubles(c, Q.toDouble()));
  double lo = 0, fLo = -1;
  for (int k = 0;; ++k) {
    const bool last = k + 1 == survey.intervalCount();
    const double hi = survey.levelDepthApprox(k);
    const double fHi = last ? std::fmax(first(hi), 0.0) : first(hi);
    if (fHi >= 0) return polishRoot(excess, fHi == 0 ? hi : findRoot(first, {lo, hi}, fLo, fHi, NAN), lo, hi);
    lo = hi;
    fLo = fHi;
  }
}

// The depth of a closed section's greatest discharge. The conveyance grows
// as A^(5/3) / P^(2/3), greatest where 5 P dA = 2 A dP. Above the springing
// of a roof of radius R, dA = T dh and dP = 4 R / T dh: the ratio
// 5 T^2 P / (8 A R) falls through 1 there, from above 1 (a roof steeper than
// the walls below it) to 0 at the crown. A flat roof, whose ratio is below 1
// at once, carries most with the water at its springing line. The circle's
// depth is a fixed share of D.
Real searchGreatestDischarge(const Channel& c) {
  const Roof roof = roofOf(c.shape, c.size);
  auto surplus = [&c, &roof](const auto& h) {
    using Number = std::remove_cvref_t<decltype(h)>;
    const Geometry<Number> g = geometry(c.shape, as<Number>(c.size), h);
    return Number(5) * g.T * g.T * g.P / (Number(8) * g.A * as<Number>(roof.radius)) - Number(1);
  };
  const double springing = roof.springing.toDouble();
  const double top = fullDepth(c);
  const auto first = firstStage(surplus, fitsDoubles(c, 1.0));
  // A roof springing from the floor: from just above it, where the floor is
  // all the perimeter and the ratio is vast.
  const double lo = springing > 0 ? springing : top * 0x1p-40;
  const double atLo = first(lo);
  if (!(atLo > 0)) return roof.springing;
  const double root = findRoot(first, {lo, top}, atLo, -1, 0.5 * (lo + top));
  return polishRoot(surplus, root, lo, top);
}

// A horseshoe's is a fixed share of r for each type, as the circle's of D.
const Real& horseshoeFraction(int type) {
  auto fraction = [](int t) {
    Channel unit;
    unit.shape = Horseshoe{t};
    unit.size = Real(1);
    return searchGreatestDischarge(unit);
  };
  static const Real kTypeOne = fraction(1), kTypeTwo = fraction(2);
  return type == 2 ? kTypeTwo : kTypeOne;
}

Real greatestDischargeDepth(const Channel& c) {
  if (std::holds_alternative<Circle>(c.shape)) return greatestDischargeFraction() * c.size;
  if (const auto* horseshoe = std::get_if<Horseshoe>(&c.shape)) return horseshoeFraction(horseshoe->type) * c.size;
  return searchGreatestDischarge(c);
}

}  // namespace

ConduitCapacity conduitCapacity(const Channel& c) {
  ConduitCapacity capacity;
  capacity.hMax = greatestDischargeDepth(c);
  capacity.QMax = dischargeAt(c, capacity.hMax);
  capacity.QFull = dischargeAt(c, topDepth(c));
  return capacity;
}

std::vector<Real> normalDepths(const Channel& c, const Real& Q) {
  if (isSurvey(c.shape)) return {surveyNormalDepth(c, Q)};
  if (!isClosed(c.shape)) return {depthBelow(c, Q, HUGE_VAL)};
  if (!std::holds_alternative<Circle>(c.shape)) {
    // The discharge grows up to the springing line: a flow no greater than
    // it there and running full has one depth, below the springing.
    const Real springing = roofOf(c.shape, c.size).springing;
    if (springing > Real(0) && Q <= dischargeAt(c, springing) && Q <= dischargeAt(c, topDepth(c))) {
      return {depthBelow(c, Q, springing.toDouble())};
    }
  }
  const ConduitCapacity capacity = conduitCapacity(c);
  if (Q > capacity.QMax) {
    const char* system = c.units == UnitSystem::US ? "us" : "si";
    fail(std::holds_alternative<Circle>(c.shape) ? MessageId::AboveCapacity : MessageId::AboveConduitCapacity, "Q",
         {MessageArg::value(capacity.QMax.toDouble()), MessageArg::unit("discharge", system),
          MessageArg::value(capacity.hMax.toDouble()), MessageArg::unit("length", system)});
  }
  const double hMax = capacity.hMax.toDouble();
  const Real lower = depthBelow(c, Q, hMax);
  if (Q <= capacity.QFull) return {lower};
  // Above the greatest discharge Q falls again toward the full conduit's.
  const auto excess = dischargeExcess(c, Q);
  const double top = fullDepth(c);
  const double q = Q.toDouble();
  const double upper = findRoot(firstStage(excess, fitsDoubles(c, q)), {hMax, top}, (capacity.QMax / Q).toDouble() - 1,
                                (capacity.QFull / Q).toDouble() - 1, 0.5 * (hMax + top));
  return {lower, polishRoot(excess, upper, hMax, top)};
}

}  // namespace channelflow::calc
