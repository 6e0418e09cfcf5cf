#include "calc/profile.h"

#include <cmath>
#include <limits>

#include "calc/flow_error.h"
#include "calc/root_finding.h"
#include "calc/scaled_product.h"
#include "calc/solve.h"

namespace channelflow::sections {
namespace {

// Critical slope flow: the normal and critical depths agree to this share.
constexpr double kCriticalSlopeBand = 1e-9;

// One point of the profile. The channel and Q were checked once for the
// whole profile; each point checks that its numbers are doubles.
ProfilePoint pointAt(const Channel& c, double Q, double h, double x) {
  const Geometry g = geometryUnchecked(c.section, h);
  require(g.A >= std::numeric_limits<double>::min() && std::isfinite(g.A) && g.R >= std::numeric_limits<double>::min(),
          "水面线上的过水面积超出数值范围");
  ProfilePoint p{x, h, g.A, scaledProduct({Q}, {g.A}), 0, 0, frictionSlope(c, h, g, Q)};
  p.E = h + p.v * (p.v / (2 * c.units.g));
  p.Fr = std::isinf(g.D) ? 0 : p.v / std::sqrt(c.units.g) / std::sqrt(g.D);
  require(std::isfinite(p.v) && std::isfinite(p.E) && std::isfinite(p.Fr), "水面线上的流速超出数值范围");
  require(std::isfinite(p.Sf) && p.Sf >= std::numeric_limits<double>::min(), "摩阻坡度 Sf 超出数值范围");
  return p;
}

// Specific energy and friction slope at depth h for the step equations,
// unchecked: the points kept are checked by pointAt.
struct EnergyAndFriction {
  double E, Sf;
};

EnergyAndFriction energyAndFriction(const Channel& c, double Q, double h) {
  const Geometry g = geometryUnchecked(c.section, h);
  const double v = Q / g.A;
  const double n = equivalentN(c.roughness, c.section, h);
  const double slopeRoot = Q * n / (c.units.manning * g.A * std::pow(g.R, 2.0 / 3.0));
  return {h + v * v / (2 * c.units.g), slopeRoot * slopeRoot};
}

// The distance from a to b by the energy balance over the step, with the
// mean friction slope: E_b - E_a = (i - Sf) (x_b - x_a).
double stepLength(const Channel& c, const ProfilePoint& a, const ProfilePoint& b) {
  const double dx = (b.E - a.E) / (c.i - 0.5 * (a.Sf + b.Sf));
  require(std::isfinite(dx), "水面线推算的步长超出数值范围");
  return dx;
}

struct Setup {
  ProfileClass kind;
  Direction direction;
  double trend;   // +1 when the depth grows the way the profile is computed, -1 when it falls
  double limit;   // the depth it runs toward: hc, hn, a circle's D, or infinity
  bool limitIsCritical;
  bool limitIsNormal;
};

Setup setUp(const Channel& c, double Q, double h0) {
  Setup s{classifyProfile(c, Q, h0), Direction::Upstream, 1, HUGE_VAL, false, false};
  s.direction = h0 > s.kind.hc ? Direction::Upstream : Direction::Downstream;
  // dh/dx = (i - Sf) / (1 - Fr^2), taken the way the profile is computed.
  const FlowState f = flowAt(c, h0, Q);
  const double slope = (c.i - f.Sf) / (1 - f.Fr * f.Fr);
  s.trend = (slope > 0) == (s.direction == Direction::Downstream) ? 1 : -1;
  auto consider = [&s, h0](double depth, bool critical) {
    if ((depth - h0) * s.trend > 0 && std::fabs(depth - h0) < std::fabs(s.limit - h0)) {
      s.limit = depth;
      s.limitIsCritical = critical;
      s.limitIsNormal = !critical;
    }
  };
  if (s.trend > 0) s.limit = fullDepth(c.section);
  if (s.trend < 0) s.limit = 0;
  const bool criticalSlope = s.kind.type == ProfileType::C1 || s.kind.type == ProfileType::C3;
  if (s.kind.hn && !criticalSlope) consider(*s.kind.hn, false);
  consider(s.kind.hc, true);
  return s;
}

WaterSurfaceProfile start(const Channel& c, double Q, double h0, const Setup& s) {
  WaterSurfaceProfile profile;
  profile.type = s.kind.type;
  profile.hc = s.kind.hc;
  profile.hn = s.kind.hn;
  profile.direction = s.direction;
  profile.directionReason = s.direction == Direction::Upstream
                                ? "缓流（h0 > hc）：水面受下游控制，由控制断面向上游推算"
                                : "急流（h0 < hc）：水面受上游控制，由控制断面向下游推算";
  profile.points.push_back(pointAt(c, Q, h0, 0));
  return profile;
}

void stopAtCritical(WaterSurfaceProfile& profile) {
  profile.reachedCritical = true;
  profile.note = "水面线在 x = " + numberText(profile.points.back().x) + " 处到达临界水深 hc = " +
                 numberText(profile.hc) + "：水跃或跌水发生在此附近，不越过临界水深继续推算";
}

void stopAtCrown(WaterSurfaceProfile& profile) {
  profile.reachedCrown = true;
  profile.note = "水面线在 x = " + numberText(profile.points.back().x) + " 处到达管顶：管道满流，明渠水面线到此为止";
}

// A million points is 56 MB: more than any profile needs.
void checkSteps(int steps) { require(steps >= 1 && steps <= 1'000'000, "步数必须在 1 到 1000000 之间"); }

}  // namespace

std::string_view profileTypeName(ProfileType type) {
  constexpr std::string_view kNames[] = {"M1", "M2", "M3", "S1", "S2", "S3", "C1", "C3", "H2", "H3", "A2", "A3"};
  return kNames[static_cast<int>(type)];
}

std::string_view directionName(Direction direction) {
  return direction == Direction::Upstream ? "向上游" : "向下游";
}

ProfileClass classifyProfile(const Channel& c, double Q, double h0) {
  validate(c);
  geometryAt(c.section, h0);
  ProfileClass k{ProfileType::M1, criticalDepth(c.section, Q, c.units), std::nullopt};
  require(h0 != k.hc, "控制水深等于临界水深：没有渐变流水面线");
  const bool above = h0 > k.hc;
  if (c.i == 0) {
    k.type = above ? ProfileType::H2 : ProfileType::H3;
    return k;
  }
  if (c.i < 0) {
    k.type = above ? ProfileType::A2 : ProfileType::A3;
    return k;
  }
  const double hn = normalDepths(c, Q).front();
  k.hn = hn;
  require(h0 != hn, "控制水深等于正常水深：水面线就是均匀流");
  if (std::fabs(hn - k.hc) <= kCriticalSlopeBand * k.hc) {
    k.type = above ? ProfileType::C1 : ProfileType::C3;
  } else if (hn > k.hc) {
    k.type = h0 > hn ? ProfileType::M1 : above ? ProfileType::M2 : ProfileType::M3;
  } else {
    k.type = above ? ProfileType::S1 : h0 > hn ? ProfileType::S2 : ProfileType::S3;
  }
  return k;
}

WaterSurfaceProfile directStepProfile(const Channel& c, double Q, double h0, double target, int steps) {
  checkSteps(steps);
  require(std::isfinite(target) && target > 0, "目标水深必须是大于零的有限数");
  const Setup s = setUp(c, Q, h0);
  WaterSurfaceProfile profile = start(c, Q, h0, s);
  if (!((target - h0) * s.trend > 0)) {
    throw FlowError(std::string(profileTypeName(s.kind.type)) + " 型水面线由控制断面" +
                    std::string(directionName(s.direction)) + "水深" + (s.trend > 0 ? "增大" : "减小") +
                    "：目标水深不在推算方向上");
  }
  const bool beyond = (target - s.limit) * s.trend >= 0;
  if (beyond && s.limitIsNormal) {
    throw FlowError("目标水深到达或越过正常水深 hn = " + numberText(s.limit) + "：水面线只渐近于正常水深，永远达不到");
  }
  const double end = beyond ? s.limit : target;
  const double dh = (end - h0) / steps;
  for (int k = 1; k <= steps; ++k) {
    const double h = k == steps ? end : h0 + dh * k;
    ProfilePoint next = pointAt(c, Q, h, 0);
    next.x = profile.points.back().x + stepLength(c, profile.points.back(), next);
    profile.points.push_back(next);
  }
  if (beyond && s.limitIsCritical) stopAtCritical(profile);
  if (beyond && !s.limitIsCritical && !s.limitIsNormal) stopAtCrown(profile);
  return profile;
}

WaterSurfaceProfile standardStepProfile(const Channel& c, double Q, double h0, double length, int steps) {
  checkSteps(steps);
  require(std::isfinite(length) && length > 0, "推算长度必须是大于零的有限数");
  const Setup s = setUp(c, Q, h0);
  WaterSurfaceProfile profile = start(c, Q, h0, s);
  const double L = length / steps;
  const double dx = s.direction == Direction::Upstream ? -L : L;
  const double hc = s.kind.hc;
  const double top = fullDepth(c.section);
  const EnergyAndFriction critical = energyAndFriction(c, Q, hc);
  // Upstream, the unknown depth a above the known b solves
  //   E_a - Sf_a L/2 = E_b - i L + Sf_b L/2, rising in h over (hc, top);
  // downstream, the unknown b below the known a solves
  //   E_b + Sf_b L/2 = E_a + i L - Sf_a L/2, falling in h over (0, hc).
  const bool upstream = s.direction == Direction::Upstream;
  double previousStep = 0;
  for (int k = 1; k <= steps; ++k) {
    const ProfilePoint& known = profile.points.back();
    const double rhs = upstream ? known.E - c.i * L + 0.5 * known.Sf * L : known.E + c.i * L - 0.5 * known.Sf * L;
    auto balance = [&c, Q, L, rhs, upstream](double h) {
      const EnergyAndFriction ef = energyAndFriction(c, Q, h);
      return upstream ? ef.E - 0.5 * ef.Sf * L - rhs : rhs - ef.E - 0.5 * ef.Sf * L;
    };
    // Both forms rise with h on their branch; the branch ends at hc (and a circle's crown).
    const double atCritical = upstream ? critical.E - 0.5 * critical.Sf * L - rhs : rhs - critical.E - 0.5 * critical.Sf * L;
    if (upstream ? atCritical >= 0 : atCritical <= 0) {
      ProfilePoint last = pointAt(c, Q, hc, 0);
      last.x = known.x + stepLength(c, known, last);
      if ((last.x - known.x) * dx > 0) profile.points.push_back(last);
      stopAtCritical(profile);
      return profile;
    }
    const double lo = upstream ? hc : 0, hi = upstream ? top : hc;
    const double fLo = upstream ? atCritical : -HUGE_VAL;
    double fHi = upstream ? HUGE_VAL : atCritical;
    if (upstream && std::isfinite(top)) {
      fHi = balance(top);
      if (fHi <= 0) {
        ProfilePoint last = pointAt(c, Q, top, 0);
        last.x = known.x + stepLength(c, known, last);
        if ((last.x - known.x) * dx > 0) profile.points.push_back(last);
        stopAtCrown(profile);
        return profile;
      }
    }
    // Near the depth the last step points to: a smooth profile needs two or
    // three trials per step.
    const double h = findRootNear(balance, {lo, hi}, fLo, fHi, known.h + previousStep,
                                  std::fmax(0.01 * std::fabs(previousStep), 1e-9 * known.h));
    previousStep = h - known.h;
    profile.points.push_back(pointAt(c, Q, h, known.x + dx));
  }
  return profile;
}

}  // namespace channelflow::sections
