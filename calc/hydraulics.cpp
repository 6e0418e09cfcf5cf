#include "calc/hydraulics.h"

#include <cmath>
#include <initializer_list>
#include <utility>

namespace channelflow::calc {
namespace {

constexpr double kRelativeTolerance = 1e-12;
constexpr double kCriticalBand = 1e-9;

void require(bool condition, const char* message) {
  if (!condition) throw HydraulicsError(message);
}

void checkFinite(std::initializer_list<double> values, const char* message = "输入值必须是有限的数") {
  for (double value : values) require(std::isfinite(value), message);
}

// Rules every question shares: the slope drives the flow, n resists it, and
// the section has a width somewhere.
void checkChannelSlopeAndRoughness(const Channel& c) {
  checkFinite({c.B, c.m, c.i, c.n});
  require(c.n > 0, "粗糙系数 n 必须大于零");
  require(c.i > 0, "渠底坡度 i 必须大于零：平坡或逆坡上不存在均匀流");
  require(c.m >= 0, "边坡系数 m 不能为负");
}

void checkChannel(const Channel& c) {
  checkChannelSlopeAndRoughness(c);
  require(c.B >= 0, "下底宽 B 不能为负");
  require(c.B > 0 || c.m > 0, "下底宽 B 与边坡系数 m 不能同时为零");
}

struct Section {
  double A, P, T;
};

Section sectionAt(double B, double m, double h) {
  return {(B + m * h) * h, B + 2 * h * std::sqrt(1 + m * m), B + 2 * m * h};
}

// Manning's discharge through a section: A R^(2/3) sqrt(i) / n.
double manningDischarge(const Section& s, const Channel& c) {
  return s.A * std::pow(s.A / s.P, 2.0 / 3.0) * std::sqrt(c.i) / c.n;
}

// Finds x > lo with f(x) = target for an f that increases strictly, where
// f(lo) < target. `step` gives f(x) and df/dx. Newton steps are taken while
// they stay inside the bracket, bisection otherwise, so it always converges.
template <typename Evaluate>
double solveIncreasing(Evaluate step, double target, double lo, double guess) {
  double hi = guess > lo ? guess : lo + 1;
  for (int k = 0; step(hi).first < target; ++k) {
    require(k < 2100 && std::isfinite(hi), "无解：所需的值超出了数值范围");
    lo = hi;
    hi *= 2;
  }
  double x = guess > lo && guess <= hi ? guess : 0.5 * (lo + hi);
  for (int k = 0; k < 500; ++k) {
    const auto [value, slope] = step(x);
    const double error = value - target;
    if (error == 0) return x;
    (error < 0 ? lo : hi) = x;
    double next = x - error / slope;
    if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);  // also catches a NaN step
    if (std::fabs(next - x) <= kRelativeTolerance * std::fabs(next) || hi - lo <= kRelativeTolerance * hi) {
      return next;
    }
    x = next;
  }
  return x;
}

}  // namespace

std::string_view regimeName(FlowRegime regime) {
  switch (regime) {
    case FlowRegime::Subcritical: return "缓流";
    case FlowRegime::Critical: return "临界流";
    case FlowRegime::Supercritical: return "急流";
  }
  return "";
}

double dischargeAt(const Channel& c, double h) { return manningDischarge(sectionAt(c.B, c.m, h), c); }

// The flow is critical at depth h when Q^2 T = g A^3. With K = Q^2/g the
// polynomial A^3 - K T is negative at h = 0, convex for h > 0 and so has one
// positive root; Newton's method started above it descends onto it without
// overshooting. The depths of the rectangle (K/B^2)^(1/3) and of the triangle
// (2K/m^2)^(1/5) are both above it, since the trapezoid carries more at any
// depth than either of its parts.
double criticalDepth(double B, double m, double Q) {
  const double K = Q * Q / kGravity;
  double h = INFINITY;
  if (B > 0) h = std::cbrt(K / (B * B));
  if (m > 0) h = std::fmin(h, std::pow(2 * K / (m * m), 0.2));
  // Cubes of areas beyond about 1E+100 or below 1E-100 would leave the range
  // of a double: the bracketed solver below works on A^(3/2) instead.
  const double A0 = (B + m * h) * h;
  const bool polynomialSafe = K > 1e-100 && K < 1e100 && A0 > 1e-100 && A0 < 1e100 && B + 2 * m * h < 1e100;
  if (polynomialSafe) {
    for (int k = 0; k < 200; ++k) {
      const double A = (B + m * h) * h;
      const double T = B + 2 * m * h;
      const double step = (A * A * A - K * T) / (3 * A * A * T - 2 * m * K);
      h -= step;
      if (std::fabs(step) <= kRelativeTolerance * h) return h;
    }
  }
  // sqrt(g A^3 / T) grows with h; written as A sqrt(g A / T) it neither
  // overflows nor underflows before the discharge itself would.
  auto step = [B, m](double depth) {
    const Section s = sectionAt(B, m, depth);
    const double F = s.A * std::sqrt(kGravity * s.A / s.T);
    return std::pair{F, F * (1.5 * s.T / s.A - m / s.T)};
  };
  return solveIncreasing(step, Q, 0.0, std::isfinite(h) && h > 0 ? h : 1.0);
}

FlowState describeFlow(const Channel& channel, double h) {
  checkChannel(channel);
  checkFinite({h});
  require(h > 0, "水深 h 必须大于零");
  FlowState f;
  f.channel = channel;
  f.h = h;
  const Section s = sectionAt(channel.B, channel.m, h);
  f.A = s.A;
  f.P = s.P;
  f.T = s.T;
  f.R = f.A / f.P;
  f.D = f.A / f.T;
  f.C = std::pow(f.R, 1.0 / 6.0) / channel.n;
  f.v = f.C * std::sqrt(f.R * channel.i);
  f.Q = f.v * f.A;
  require(std::isfinite(f.Q), "结果超出数值范围");
  f.Fr = f.v / std::sqrt(kGravity * f.D);
  f.regime = std::fabs(f.Fr - 1) <= kCriticalBand ? FlowRegime::Critical
             : f.Fr < 1                            ? FlowRegime::Subcritical
                                                   : FlowRegime::Supercritical;
  f.hc = criticalDepth(channel.B, channel.m, f.Q);
  f.E = h + f.v * f.v / (2 * kGravity);
  f.tau0 = kWaterDensity * kGravity * f.R * channel.i;
  checkFinite({f.C, f.Fr, f.hc, f.E, f.tau0}, "结果超出数值范围");
  return f;
}

double normalDepth(const Channel& channel, double Q) {
  checkChannel(channel);
  checkFinite({Q});
  require(Q > 0, "流量 Q 必须大于零");
  const double rootTwo = 2 * std::sqrt(1 + channel.m * channel.m);
  auto step = [&channel, rootTwo](double h) {
    const Section s = sectionAt(channel.B, channel.m, h);
    const double q = manningDischarge(s, channel);
    return std::pair{q, q * (5.0 / 3.0 * s.T / s.A - 2.0 / 3.0 * rootTwo / s.P)};
  };
  // Wide-rectangle estimate as the first guess: q = h^(5/3) sqrt(i) / n per metre of width.
  const double width = channel.B > 0 ? channel.B : channel.m;
  const double guess = std::pow(Q * channel.n / (width * std::sqrt(channel.i)), 0.6);
  return solveIncreasing(step, Q, 0.0, guess);
}

double bottomWidth(const Channel& channel, double h, double Q) {
  checkChannelSlopeAndRoughness(channel);
  checkFinite({h, Q});
  require(h > 0, "水深 h 必须大于零");
  require(Q > 0, "流量 Q 必须大于零");
  Channel c = channel;
  c.B = 0;
  if (c.m > 0) require(dischargeAt(c, h) < Q, "该水深下仅两侧边坡部分的流量已超过 Q，所需底宽为负");
  auto step = [&c, h](double B) {
    const Section s = sectionAt(B, c.m, h);
    const double q = manningDischarge(s, c);
    return std::pair{q, q * (5.0 / 3.0 * h / s.A - 2.0 / 3.0 / s.P)};
  };
  const double guess = Q * c.n / (std::pow(h, 5.0 / 3.0) * std::sqrt(c.i));
  return solveIncreasing(step, Q, 0.0, guess);
}

}  // namespace channelflow::calc
