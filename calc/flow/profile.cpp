#include "calc/flow/profile.h"

#include <cmath>
#include <limits>

#include "calc/flow/critical.h"
#include "calc/flow/flow_state.h"
#include "calc/toolkit/result_value.h"
#include "calc/flow/root_finding.h"
#include "calc/flow/uniform_solvers.h"
#include "calc/flow/solver_setup.h"
#include "calc/survey/survey.h"

namespace channelflow::calc {
namespace {

// Critical slope flow: the normal and critical depths agree to this share.
constexpr double kCriticalSlopeBand = 1e-9;

// The exact quantities of one point, and the point as printed.
struct Station {
  Real x, h, E, Sf;
  ProfilePoint point;
};

Station stationOf(const FlowState& f, const Real& x) {
  Station s{x, f.h, f.E, f.Sf, {}};
  s.point = {resultValue(x, "x"), resultValue(f.h, "h"), resultValue(f.A, "A"), resultValue(f.v, "v"),
             resultValue(f.E, "E"), f.full ? NAN : resultValue(f.Fr, "Fr"), resultValue(f.Sf, "Sf")};
  return s;
}

Station stationAt(const Channel& c, const Real& Q, const Real& h, const Real& x) {
  return stationOf(flowAt(c, h, Q), x);
}

// The distance from a to b by the energy balance over the step, with the
// mean friction slope: E_b - E_a = (i - Sf) (x_b - x_a).
Real stepLength(const Channel& c, const Station& a, const Real& Eb, const Real& Sfb) {
  return (Eb - a.E) / (c.i - (a.Sf + Sfb) * 0.5);
}

struct Setup {
  ProfileClass kind;
  Direction direction;
  double trend;  // +1 when the depth grows the way the profile is computed, -1 when it falls
  Real limit;    // the depth it runs toward: hc, hn, a circle's D, or 0 / infinity
  bool limitIsCritical = false;
  bool limitIsNormal = false;
  bool bounded = false;  // a finite limit other than 0
};

Setup setUp(const Channel& c, const Real& Q, const Real& h0) {
  Setup s{classifyProfile(c, Q, h0), Direction::Upstream, 1, Real(0)};
  s.direction = h0 > s.kind.hc ? Direction::Upstream : Direction::Downstream;
  // dh/dx = (i - Sf) / (dE/dh), taken the way the profile is computed:
  // dE/dh = 1 - Fr^2, or 1 - psi Q^2/g where alpha varies with the depth.
  const FlowState f = flowAt(c, h0, Q);
  const Real energyRate = isSurvey(c.shape)
                              ? Real(1) - std::get<Points>(c.shape).survey->energySlopeFactor(h0) * Q * Q /
                                              Real(c.constants().g)
                              : Real(1) - f.Fr * f.Fr;
  const Real slope = (c.i - f.Sf) / energyRate;
  s.trend = (slope > Real(0)) == (s.direction == Direction::Downstream) ? 1 : -1;
  if (s.trend > 0 && hasTop(c)) {
    s.limit = topDepth(c);
    s.bounded = true;
  }
  auto consider = [&s, &h0](const Real& depth, bool critical) {
    const bool ahead = s.trend > 0 ? depth > h0 : depth < h0;
    const bool nearer = !s.bounded || numeric::abs(depth - h0) < numeric::abs(s.limit - h0);
    if (ahead && nearer) {
      s.limit = depth;
      s.bounded = true;
      s.limitIsCritical = critical;
      s.limitIsNormal = !critical;
    }
  };
  const bool criticalSlope = s.kind.type == ProfileType::C1 || s.kind.type == ProfileType::C3;
  if (s.kind.hn && !criticalSlope) consider(*s.kind.hn, false);
  consider(s.kind.hc, true);
  return s;
}

WaterSurfaceProfile start(const Setup& s) {
  WaterSurfaceProfile profile;
  profile.type = s.kind.type;
  profile.hc = s.kind.hc;
  profile.hn = s.kind.hn;
  profile.direction = s.direction;
  return profile;
}

void stopAtCritical(WaterSurfaceProfile& profile) {
  profile.reachedCritical = true;
  profile.note = Problem{MessageId::ReachedCritical, {},
                         {MessageArg::value(profile.points.back().x), MessageArg::value(profile.hc.toDouble())}};
}

// At a circle's crown, or a surveyed section's lower end.
void stopAtCrown(const Channel& c, WaterSurfaceProfile& profile) {
  profile.reachedCrown = true;
  const MessageArg x = MessageArg::value(profile.points.back().x);
  if (const auto* points = std::get_if<Points>(&c.shape)) {
    profile.note = Problem{MessageId::ReachedBankTop, {},
                           {x, MessageArg::value(points->survey->bankElevation()),
                            MessageArg::unit("length", unitsOf(c.units).key)}};
    return;
  }
  profile.note = Problem{MessageId::ReachedCrown, {}, {x}};
}

// E(h) and Sf(h) of the step equations, in either number type.
template <typename Number>
struct EnergyAndFriction {
  Number E, Sf;
};

template <typename Number>
EnergyAndFriction<Number> energyAndFriction(const Channel& c, const Real& Q, const Number& h) {
  const Geometry<Number> g = geometry(c.shape, as<Number>(c.size), h);
  const Number q = as<Number>(Q);
  const Number v = q / g.A;
  const Number root = q / conveyance(c, g);
  if (g.divided) return {h + g.alpha * v * v / Number(2 * c.constants().g), root * root};
  return {h + v * v / Number(2 * c.constants().g), root * root};
}

}  // namespace

const char* profileTypeTerm(ProfileType type) {
  constexpr const char* kNames[] = {"M1", "M2", "M3", "S1", "S2", "S3", "C1", "C3", "H2", "H3", "A2", "A3"};
  return kNames[static_cast<int>(type)];
}

ProfileClass classifyProfile(const Channel& c, const Real& Q, const Real& h0) {
  ProfileClass k{ProfileType::M1, criticalDepth(c, Q), std::nullopt};
  require(!(h0 == k.hc), MessageId::ControlAtCritical, "h0");
  const bool above = h0 > k.hc;
  if (c.i == Real(0)) {
    k.type = above ? ProfileType::H2 : ProfileType::H3;
    return k;
  }
  if (c.i < Real(0)) {
    k.type = above ? ProfileType::A2 : ProfileType::A3;
    return k;
  }
  const Real hn = normalDepths(c, Q).front();
  k.hn = hn;
  require(!(h0 == hn), MessageId::ControlAtNormal, "h0");
  if (numeric::abs(hn - k.hc) <= Real(kCriticalSlopeBand) * k.hc) {
    k.type = above ? ProfileType::C1 : ProfileType::C3;
  } else if (hn > k.hc) {
    k.type = h0 > hn ? ProfileType::M1 : above ? ProfileType::M2 : ProfileType::M3;
  } else {
    k.type = above ? ProfileType::S1 : h0 > hn ? ProfileType::S2 : ProfileType::S3;
  }
  return k;
}

WaterSurfaceProfile directStepProfile(const Channel& c, const Real& Q, const Real& h0, const Real& target,
                                      int steps) {
  const Setup s = setUp(c, Q, h0);
  WaterSurfaceProfile profile = start(s);
  if (!((target - h0).sign() * s.trend > 0)) {
    fail(MessageId::TargetWrongWay, "to-h",
         {MessageArg::term(profileTypeTerm(s.kind.type)),
          MessageArg::term(s.direction == Direction::Upstream ? "upstream" : "downstream"),
          MessageArg::term(s.trend > 0 ? "rises" : "falls")});
  }
  const bool beyond = s.bounded && (s.trend > 0 ? !(target < s.limit) : !(target > s.limit));
  if (beyond && s.limitIsNormal) {
    fail(MessageId::TargetBeyondNormal, "to-h", {MessageArg::value(s.limit.toDouble())});
  }
  // The depths between are doubles, and the limit's rounding when the
  // profile stops there; the ends as given.
  const Real end = beyond ? Real(s.limit.toDouble()) : target;
  const double first = h0.toDouble();
  const double dh = (end.toDouble() - first) / steps;
  Station last = stationAt(c, Q, h0, Real(0));
  profile.points.reserve(static_cast<std::size_t>(steps) + 1);
  profile.points.push_back(last.point);
  for (int k = 1; k <= steps; ++k) {
    const Real h = k == steps ? end : Real(first + dh * k);
    const FlowState f = flowAt(c, h, Q);
    Station next = stationOf(f, last.x + stepLength(c, last, f.E, f.Sf));
    profile.points.push_back(next.point);
    last = next;
  }
  if (beyond && s.limitIsCritical) stopAtCritical(profile);
  if (beyond && !s.limitIsCritical && !s.limitIsNormal) stopAtCrown(c, profile);
  return profile;
}

WaterSurfaceProfile standardStepProfile(const Channel& c, const Real& Q, const Real& h0, double length, int steps) {
  const Setup s = setUp(c, Q, h0);
  WaterSurfaceProfile profile = start(s);
  const Real L = Real(length) / Real(steps);
  const bool upstream = s.direction == Direction::Upstream;
  const Real hcReal = s.kind.hc;
  const double hc = hcReal.toDouble();
  const double top = fullDepth(c);
  const bool fast = fitsDoubles(c, Q.toDouble());
  const EnergyAndFriction<Real> critical = energyAndFriction(c, Q, hcReal);
  const Real halfL = L * 0.5;
  Station known = stationAt(c, Q, h0, Real(0));
  profile.points.reserve(static_cast<std::size_t>(steps) + 1);
  profile.points.push_back(known.point);
  // Upstream, the unknown depth a above the known b solves
  //   E_a - Sf_a L/2 = E_b - i L + Sf_b L/2, rising in h over (hc, top);
  // downstream, the unknown b below the known a solves
  //   E_b + Sf_b L/2 = E_a + i L - Sf_a L/2, falling in h over (0, hc).
  double previousStep = 0;
  // Stops at depth `at` (hc or the crown), the last step's length by the direct step.
  auto endAt = [&](const Real& at) {
    const FlowState f = flowAt(c, at, Q);
    const Real x = known.x + stepLength(c, known, f.E, f.Sf);
    if (upstream ? x < known.x : x > known.x) profile.points.push_back(stationOf(f, x).point);
  };
  for (int k = 1; k <= steps; ++k) {
    const Real rhs = upstream ? known.E - c.i * L + known.Sf * halfL : known.E + c.i * L - known.Sf * halfL;
    auto balance = [&c, &Q, &halfL, &rhs, upstream](const auto& h) {
      using Number = std::remove_cvref_t<decltype(h)>;
      const EnergyAndFriction<Number> ef = energyAndFriction(c, Q, h);
      const Number half = as<Number>(halfL);
      return upstream ? ef.E - ef.Sf * half - as<Number>(rhs) : as<Number>(rhs) - ef.E - ef.Sf * half;
    };
    // Both forms rise with h on their branch; the branch ends at hc (and a circle's crown).
    const Real atCritical = upstream ? critical.E - critical.Sf * halfL - rhs : rhs - critical.E - critical.Sf * halfL;
    if (upstream ? atCritical >= Real(0) : atCritical <= Real(0)) {
      // The last point's depth is a double, as the direct step's stop at hc is.
      endAt(Real(hc));
      stopAtCritical(profile);
      return profile;
    }
    const double lo = upstream ? hc : 0, hi = upstream ? top : hc;
    const double fLo = upstream ? atCritical.toDouble() : -HUGE_VAL;
    double fHi = upstream ? HUGE_VAL : atCritical.toDouble();
    if (upstream && std::isfinite(top)) {
      const Real atTop = balance(topDepth(c));
      if (atTop <= Real(0)) {
        endAt(topDepth(c));
        stopAtCrown(c, profile);
        return profile;
      }
      fHi = atTop.toDouble();
    }
    // Near the depth the last step points to: a smooth profile needs two or
    // three trials per step.
    const double kh = known.point.h;
    const double h = findRootNear(firstStage(balance, fast), {lo, hi}, fLo, fHi, kh + previousStep,
                                  std::fmax(0.01 * std::fabs(previousStep), 1e-9 * kh));
    // The slope of the balance by a central difference in doubles, where they serve.
    const double step = h * 0x1p-26;
    const double slope = fast && h - step > lo && h + step < hi ? (balance(h + step) - balance(h - step)) / (2 * step) : 0;
    const Real depth = polishRootAlong(balance, h, slope, lo, hi);
    previousStep = h - kh;
    const Real x = upstream ? -(Real(k) * L) : Real(k) * L;
    known = stationAt(c, Q, depth, x);
    profile.points.push_back(known.point);
  }
  return profile;
}

}  // namespace channelflow::calc
