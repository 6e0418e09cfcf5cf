#include "calc/flow/critical.h"

#include <cmath>
#include <span>

#include "calc/flow/flow_state.h"
#include "calc/flow/root_finding.h"
#include "calc/flow/solver_setup.h"
#include "calc/survey/survey.h"

namespace channelflow::calc {
namespace {

// Compared as a ratio to Q, A sqrt(g A / T) / Q - 1 increases through its
// root; where the surface closes (T = 0) it is +infinity.
Real closedFormCriticalDepth(const Channel& c, const Real& Q) {
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
  // A horseshoe is 2r wide.
  const double size = c.size.toDouble() * (std::holds_alternative<Horseshoe>(c.shape) ? 2 : 1);
  const double unit = (size > 0 ? q / size : q) / numeric::sqrt(g0);
  const double guess = numeric::cbrt(unit * unit);
  const double top = fullDepth(c);
  const double hc = findRootFrom(firstStage(excess, fitsDoubles(c, q)), 0, top,
                                 std::isfinite(guess) && guess > 0 ? guess : 1.0, "hc");
  return polishRoot(excess, hc, 0, top);
}

// dE/dh = 1 - psi Q^2 / g, with psi sampled across every interval between
// point elevations when the survey was made: E has a local least wherever
// psi falls through g / Q^2, found between the samples that straddle it, or
// at a point's elevation where psi drops past it at once.
std::vector<Real> surveyCriticalDepths(const Channel& c, const Real& Q) {
  const Survey& survey = *std::get<Points>(c.shape).survey;
  const Real g0(c.constants().g);
  const Real level = g0 / (Q * Q);
  const bool fast = fitsDoubles(c, Q.toDouble());
  std::vector<Real> depths;
  const std::span<const Survey::Sample> samples = survey.samples();
  // Doubles tell the samples above the level from those below but where the
  // level or the survey lies beyond their comfortable range.
  const double approx = level.toDouble();
  const bool rounded = fast && approx > 0x1p-500 && approx < 0x1p500;
  auto above = [&](const Survey::Sample& sample) { return rounded ? sample.approx > approx : sample.psi > level; };
  for (std::size_t s = 1; s < samples.size(); ++s) {
    const Survey::Sample& before = samples[s - 1];
    const Survey::Sample& at = samples[s];
    if (!above(before) || above(at)) continue;  // E does not stop falling here
    const int k = at.interval;
    if (before.interval != k) {  // E' jumps from below 0 to above at this elevation
      depths.push_back(survey.levelDepth(k - 1));
      continue;
    }
    // psi Q^2 / g - 1, positive where E falls, with this interval's
    // geometry at its ends too: E' may jump at a point's elevation.
    auto excess = [&survey, &Q, &g0, k](const auto& h) {
      using Number = std::remove_cvref_t<decltype(h)>;
      const Number q = as<Number>(Q);
      return survey.energySlopeFactorIn(h, k) * q * q / as<Number>(g0) - Number(1);
    };
    const auto first = firstStage(excess, fast);
    double lo = before.h;
    const double hi = at.h, fHi = first(hi);
    // From the bottom, where psi grows without end: down from hi until E falls.
    for (double below = hi * 0.0625; lo == 0 && below > 0x1p-900; below *= 0.0625) {
      if (first(below) > 0) lo = below;
    }
    const double fLo = first(lo);
    double root = fLo <= 0 ? lo : hi;  // a sample on the root itself
    if (fLo > 0 && fHi < 0) root = findRoot(first, {lo, hi}, fLo, fHi, NAN);
    depths.push_back(polishRoot(excess, root, lo, hi));
  }
  if (depths.empty()) {
    fail(MessageId::CriticalAboveBanks, {},
         {MessageArg::value(survey.bankElevation()), MessageArg::unit("length", unitsOf(c.units).key)});
  }
  return depths;
}

}  // namespace

std::vector<Real> criticalDepths(const Channel& c, const Real& Q) {
  if (isSurvey(c.shape)) return surveyCriticalDepths(c, Q);
  return {closedFormCriticalDepth(c, Q)};
}

Real criticalDepth(const Channel& c, const Real& Q) {
  if (!isSurvey(c.shape)) return closedFormCriticalDepth(c, Q);
  const std::vector<Real> depths = surveyCriticalDepths(c, Q);
  Real least = depths.front(), leastEnergy = specificEnergy(c, least, Q);
  for (std::size_t k = 1; k < depths.size(); ++k) {
    const Real E = specificEnergy(c, depths[k], Q);
    if (E < leastEnergy) {
      least = depths[k];
      leastEnergy = E;
    }
  }
  return least;
}

CriticalFlow criticalFlow(const Channel& c, const Real& Q) {
  CriticalFlow critical;
  critical.all = criticalDepths(c, Q);
  critical.hc = critical.all.front();
  const FlowState f = flowAt(c, critical.hc, Q);
  critical.vc = f.v;
  critical.Ec = f.E;
  critical.ic = f.Sf;
  return critical;
}

Real specificEnergy(const Channel& c, const Real& h, const Real& Q) {
  const Geometry<Real> g = geometry(c.shape, c.size, h);
  const Real v = Q / g.A;
  const Real g0(c.constants().g);
  return h + g.alpha * v * v / (g0 + g0);
}

}  // namespace channelflow::calc
