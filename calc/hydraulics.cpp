#include "calc/hydraulics.h"

#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

namespace channelflow::calc {
namespace {

constexpr double kCriticalBand = 1e-9;
constexpr int kMaxIterations = 400;

void require(bool condition, const char* message) {
  if (!condition) throw HydraulicsError(message);
}

// The message of a failed check on a named value, built only when it fails.
[[noreturn]] void fail(const char* name, const char* reason) { throw HydraulicsError(std::string(name) + reason); }

// A value the user gives must be a number a double holds with all its digits:
// finite, and either zero or at least DBL_MIN (a subnormal keeps fewer digits
// than the text form prints).
void checkInput(double value, const char* name) {
  if (!std::isfinite(value)) fail(name, " 必须是有限的数");
  if (value != 0 && std::fabs(value) < DBL_MIN) fail(name, " 的绝对值太小（小于 2.2E-308），双精度数无法准确表示");
}

// Rules every question shares: the slope drives the flow, n resists it, and
// the section has a width somewhere.
void checkSlopeAndRoughness(const Channel& c) {
  checkInput(c.m, "边坡系数 m");
  checkInput(c.i, "渠底坡度 i");
  checkInput(c.n, "粗糙系数 n");
  require(c.n > 0, "粗糙系数 n 必须大于零");
  require(c.i > 0, "渠底坡度 i 必须大于零：平坡或逆坡上不存在均匀流");
  require(c.m >= 0, "边坡系数 m 不能为负");
}

// A result as a double, or an error naming the quantity when a double cannot
// hold it: beyond DBL_MAX, or so small that it would lose digits or vanish.
// Every quantity of a real flow is positive, so 0 is always an underflow.
template <typename Real>
double result(Real value, const char* name) {
  const auto d = static_cast<double>(value);
  if (!std::isfinite(d)) fail(name, " 超出数值范围（大于 1.8E+308）");
  if (std::fabs(d) < DBL_MIN) fail(name, " 超出数值范围（小于 2.2E-308）");
  return d;
}

// Watches the intermediate values of a calculation in doubles: as long as every
// one is a normal double, the arithmetic kept its full relative precision.
// When one is not, the caller repeats the calculation in long double, whose
// range holds every intermediate of these formulas for any double inputs (in
// long double the watch has nothing to do).
template <typename Real>
struct RangeWatch {
  using Value = Real;
  bool ok = true;
  Real operator()(Real x) {
    if constexpr (std::is_same_v<Real, double>) ok = ok && std::isnormal(x);
    return x;
  }
};

template <typename Real>
struct Section {
  Real A, P, T;
};

// hypot keeps sqrt(1 + m^2) finite and exact to the last bit for any m.
template <typename Real>
Section<Real> sectionAt(Real B, Real m, Real h, RangeWatch<Real>& watch) {
  const Real A = watch((B + m * h) * h);
  const Real P = watch(B + 2 * h * std::hypot(Real(1), m));
  const Real T = watch(B + 2 * m * h);
  return {A, P, T};
}

// R^(1/6): a double seed refined by one Newton step on s^6 = R, which squares
// the seed's relative error (about 1e-16) to far below long double's; cbrtl
// itself only where R is beyond the double range.
long double sixthRoot(long double R) {
  const auto seed = static_cast<double>(R);
  if (!std::isnormal(seed)) return std::cbrt(std::sqrt(R));
  const long double s = std::cbrt(std::sqrt(seed));
  const long double s2 = s * s, s3 = s2 * s;
  return s - (s3 * s3 - R) / (6 * s3 * s2);
}

// Manning's discharge through a section: A R^(2/3) sqrt(i) / n.
template <typename Real>
Real manningDischarge(const Section<Real>& s, Real i, Real n, RangeWatch<Real>& watch) {
  const Real R = watch(s.A / s.P);
  Real twoThirds = 0;  // R^(2/3)
  if constexpr (std::is_same_v<Real, long double>) {
    const Real sixth = sixthRoot(R);
    twoThirds = sixth * sixth * sixth * sixth;
  } else {
    twoThirds = std::cbrt(watch(R * R));
  }
  const Real conveyance = watch(s.A * twoThirds);
  return watch(watch(conveyance * std::sqrt(i)) / n);
}

// The critical depth for Q: the root of A^3 - K T with K = Q^2/g. The
// polynomial is negative at h = 0 and convex for h > 0, so Newton's method
// started above the root descends onto it without overshooting; it stops
// when a step no longer lowers the depth, which is the root to the last bit.
// The depths of the rectangle (K/B^2)^(1/3) and of the triangle
// (2K/m^2)^(1/5) both lie above it, since the trapezoid carries more at any
// depth than either of its parts.
template <typename Real>
Real criticalDepthIn(Real B, Real m, Real Q, RangeWatch<Real>& watch) {
  const Real K = watch(Q * Q / Real(kGravity));
  Real h = std::numeric_limits<Real>::infinity();
  if (B > 0) h = std::cbrt(watch(K / watch(B * B)));
  if (m > 0) h = std::fmin(h, std::pow(watch(2 * K / watch(m * m)), Real(1) / 5));
  auto excessAt = [B, m, K, &watch](Real depth) {
    const Real A = watch((B + m * depth) * depth);
    return std::pair{watch(A * A * A) - watch(K * (B + 2 * m * depth)), A};
  };
  // The rounding of cbrt and pow (an exponent of 1/5 is not exact in binary)
  // may leave the start a hair below the root: step up until it is above.
  for (int k = 0; k < 64 && watch.ok && !(excessAt(h).first > 0); ++k) {
    h *= 1 + 1024 * std::numeric_limits<Real>::epsilon() * static_cast<Real>(1 << (k % 16));
  }
  for (int k = 0; k < kMaxIterations && watch.ok; ++k) {
    const auto [excess, A] = excessAt(h);
    const Real T = B + 2 * m * h;
    if (!(excess > 0)) return h;
    const Real step = excess / watch(3 * watch(watch(A * A) * T) - 2 * m * K);
    const Real next = h - step;
    if (!(next < h)) return h;
    // Newton's error squares with each step: after a step below 1e-9 h the
    // error is far below an ulp.
    if (step <= Real(1e-9) * h && std::is_same_v<Real, double>) return next;
    h = next;
  }
  require(!watch.ok, "临界水深 hc 的迭代未收敛");
  return h;
}

// The quantities of the flow in long double: its range holds every
// intermediate of these formulas for any double inputs, and its 64-bit
// mantissa leaves each result, once rounded to a double, within an ulp of
// the exact value. Only the critical depth (an iteration) is left out.
struct Quantities {
  long double A, P, R, T, D, C, v, Q, Fr, E, tau0;
};

Quantities quantitiesAt(const Channel& c, double depth) {
  const long double B = c.B, m = c.m, i = c.i, n = c.n, h = depth, g = kGravity;
  Quantities q{};
  q.A = (B + m * h) * h;
  q.P = B + 2 * h * std::hypot(1.0L, m);
  q.T = B + 2 * m * h;
  q.R = q.A / q.P;
  q.D = q.A / q.T;
  q.C = sixthRoot(q.R) / n;
  q.v = q.C * std::sqrt(q.R) * std::sqrt(i);
  q.Q = q.v * q.A;
  q.Fr = q.v / std::sqrt(g * q.D);
  q.E = h + q.v * q.v / (2 * g);
  q.tau0 = static_cast<long double>(kWaterDensity) * g * q.R * i;
  return q;
}

// Finds x > 0 with f(x) = target for an f that increases strictly from 0.
// `evaluate` gives f(x) and df/dx. Newton steps are taken while they stay
// inside the bracket, bisection otherwise, until the bracket or the step is
// within 2 ulp. Returns nothing when the double range was left on the way.
template <typename Real, typename Evaluate>
std::optional<Real> solveIncreasing(Evaluate evaluate, Real target, Real guess, RangeWatch<Real>& watch,
                                    const char* name) {
  constexpr Real kUlp = std::numeric_limits<Real>::epsilon();
  Real lo = guess, hi = guess;
  for (int k = 0; evaluate(lo).first >= target; ++k) {
    if (!watch.ok || k > 40000) return std::nullopt;
    hi = lo;
    lo /= 2;
  }
  for (int k = 0; evaluate(hi).first < target; ++k) {
    if (!watch.ok || k > 40000) return std::nullopt;
    lo = hi;
    hi *= 2;
  }
  if (!(hi < std::numeric_limits<Real>::infinity())) return std::nullopt;
  Real x = lo < guess && guess < hi ? guess : (lo + hi) / 2;
  for (int k = 0; k < kMaxIterations; ++k) {
    const auto [value, slope] = evaluate(x);
    if (!watch.ok) return std::nullopt;
    if (value == target) return x;
    (value < target ? lo : hi) = x;
    Real next = x - (value - target) / slope;
    if (!(next > lo && next < hi)) next = (lo + hi) / 2;  // also catches a NaN step
    if (std::fabs(next - x) <= 2 * kUlp * next || hi - lo <= 2 * kUlp * hi) return next;
    x = next;
  }
  fail(name, " 的迭代未收敛");
}

// Runs `solve` in long double, whose range and precision leave the answer,
// rounded to a double, within an ulp of the exact root.
template <typename Solve>
double solveWide(Solve solve, const char* name) {
  RangeWatch<long double> wide;
  const auto x = solve(wide);
  if (!x) fail(name, " 超出数值范围");
  return result(*x, name);
}

}  // namespace

void checkChannel(const Channel& c) {
  checkInput(c.B, "下底宽 B");
  checkSlopeAndRoughness(c);
  require(c.B >= 0, "下底宽 B 不能为负");
  require(c.B > 0 || c.m > 0, "下底宽 B 与边坡系数 m 不能同时为零");
}

std::string_view regimeName(FlowRegime regime) {
  switch (regime) {
    case FlowRegime::Subcritical: return "缓流";
    case FlowRegime::Critical: return "临界流";
    case FlowRegime::Supercritical: return "急流";
  }
  return "";
}

double dischargeAt(const Channel& c, double h) {
  RangeWatch<double> watch;
  return manningDischarge(sectionAt(c.B, c.m, h, watch), c.i, c.n, watch);
}

double criticalDepth(double B, double m, double Q) {
  RangeWatch<double> fast;
  const double h = criticalDepthIn(B, m, Q, fast);
  if (fast.ok) return h;
  RangeWatch<long double> wide;
  return result(criticalDepthIn<long double>(B, m, Q, wide), "临界水深 hc");
}

FlowState describeFlow(const Channel& channel, double h) {
  checkChannel(channel);
  checkInput(h, "水深 h");
  require(h > 0, "水深 h 必须大于零");
  FlowState f;
  f.channel = channel;
  f.h = h;
  const Quantities w = quantitiesAt(channel, h);
  f.A = result(w.A, "过水断面面积 A");
  f.P = result(w.P, "湿周 P");
  f.R = result(w.R, "水力半径 R");
  f.T = result(w.T, "水面宽度 T");
  f.D = result(w.D, "水力深度 D");
  f.C = result(w.C, "谢才系数 C");
  f.v = result(w.v, "流速 v");
  f.Q = result(w.Q, "流量 Q");
  f.Fr = result(w.Fr, "弗劳德数 Fr");
  f.hc = criticalDepth(channel.B, channel.m, f.Q);
  f.E = result(w.E, "断面比能 E");
  f.tau0 = result(w.tau0, "床面切应力 τ0");
  f.regime = std::fabs(f.Fr - 1) <= kCriticalBand ? FlowRegime::Critical
             : f.Fr < 1                            ? FlowRegime::Subcritical
                                                   : FlowRegime::Supercritical;
  return f;
}

double normalDepth(const Channel& channel, double Q) {
  checkChannel(channel);
  checkInput(Q, "流量 Q");
  require(Q > 0, "流量 Q 必须大于零");
  auto solve = [&channel, Q](auto& watch) {
    using Real = typename std::remove_reference_t<decltype(watch)>::Value;
    const Real B = channel.B, m = channel.m, i = channel.i, n = channel.n;
    const Real rootTwo = 2 * std::hypot(Real(1), m);
    auto evaluate = [&](Real h) {
      const Section<Real> s = sectionAt(B, m, h, watch);
      const Real q = manningDischarge(s, i, n, watch);
      return std::pair{q, q * (Real(5) / 3 * s.T / s.A - Real(2) / 3 * rootTwo / s.P)};
    };
    // First guess: the smaller of the wide rectangle's depth, from q = h^(5/3) sqrt(i) / n
    // per metre of width, and the triangle's, from Q = m h^(8/3) (2 sqrt(1+m^2))^(-2/3) sqrt(i) / n.
    const Real carried = Q * n / std::sqrt(i);
    Real guess = std::numeric_limits<Real>::infinity();
    if (B > 0) guess = std::pow(carried / B, Real(0.6));
    if (m > 0) guess = std::fmin(guess, std::pow(carried * std::cbrt(rootTwo * rootTwo) / m, Real(0.375)));
    if (!(guess > 0 && guess < std::numeric_limits<Real>::infinity())) guess = 1;
    return solveIncreasing(evaluate, Real(Q), guess, watch, "正常水深 h");
  };
  return solveWide(solve, "正常水深 h");
}

double bottomWidth(const Channel& channel, double h, double Q) {
  checkSlopeAndRoughness(channel);
  checkInput(h, "水深 h");
  checkInput(Q, "流量 Q");
  require(h > 0, "水深 h 必须大于零");
  require(Q > 0, "流量 Q 必须大于零");
  if (channel.m > 0) {
    // The side slopes alone, in long double so that no range is lost.
    RangeWatch<long double> wide;
    const long double sides = manningDischarge(sectionAt(0.0L, static_cast<long double>(channel.m),
                                                         static_cast<long double>(h), wide),
                                               static_cast<long double>(channel.i),
                                               static_cast<long double>(channel.n), wide);
    require(sides < Q, "该水深下仅两侧边坡部分的流量已超过 Q，所需底宽为负");
  }
  auto solve = [&channel, h, Q](auto& watch) {
    using Real = typename std::remove_reference_t<decltype(watch)>::Value;
    const Real m = channel.m, i = channel.i, n = channel.n, depth = h;
    auto evaluate = [&](Real B) {
      const Section<Real> s = sectionAt(B, m, depth, watch);
      const Real q = manningDischarge(s, i, n, watch);
      return std::pair{q, q * (Real(5) / 3 * depth / s.A - Real(2) / 3 / s.P)};
    };
    Real guess = Q * n / (depth * std::cbrt(depth * depth) * std::sqrt(i));
    if (!(guess > 0 && guess < std::numeric_limits<Real>::infinity())) guess = 1;
    return solveIncreasing(evaluate, Real(Q), guess, watch, "下底宽 B");
  };
  return solveWide(solve, "下底宽 B");
}

}  // namespace channelflow::calc
