#include "calc/flow.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "calc/flow_error.h"
#include "calc/root_finding.h"
#include "calc/scaled_product.h"

namespace channelflow::sections {
namespace {

constexpr double kCriticalBand = 1e-9;

void requireRepresentable(double value, const char* message) {
  // Subnormal numbers have lost digits: they count as out of range too.
  require(std::isfinite(value) && value >= std::numeric_limits<double>::min(), message);
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

std::string numberText(double value) {
  char text[32];
#if defined(__cpp_lib_to_chars)
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
  return std::string(text, result.ptr);
#else
  // A standard library without the floating-point to_chars (emscripten's):
  // the same text, as to_chars is defined by it, from a C library whose
  // conversion is exact.
  const int length = std::snprintf(text, sizeof text, "%.15g", value);
  return std::string(text, static_cast<std::size_t>(length));
#endif
}

void validate(const Channel& c) {
  validate(c.section);
  validate(c.roughness);
  require(std::isfinite(c.i), "渠底坡度 i 必须是有限的数");
}

double frictionSlope(const Channel& c, double h, const Geometry& g, double Q) {
  const double n = equivalentN(c.roughness, c.section, h);
  const double root = scaledProduct({Q, n}, {g.A, c.units.manning, std::pow(g.R, 2.0 / 3.0)});
  return scaledProduct({root, root});
}

double dischargeExcess(const Channel& c, double h, double Q) {
  const Geometry g = geometryUnchecked(c.section, h);
  if (!(g.A > 0) || !(g.R > 0)) return -1;
  if (!std::isfinite(g.A) || !std::isfinite(g.R)) return HUGE_VAL;
  const double n = equivalentN(c.roughness, c.section, h);
  const double ratio = scaledProduct({g.A, c.units.manning, std::pow(g.R, 2.0 / 3.0), std::sqrt(c.i)}, {Q, n});
  return ratio - 1;
}

FlowState flowAt(const Channel& c, double h, double Q) {
  validate(c);
  require(std::isfinite(Q) && Q > 0, "流量 Q 必须是大于零的有限数");
  FlowState f;
  f.h = h;
  f.geometry = geometryAt(c.section, h);
  const Geometry& g = f.geometry;
  f.n = equivalentN(c.roughness, c.section, h);
  f.Q = Q;
  f.v = scaledProduct({Q}, {g.A});
  requireRepresentable(f.v, "流速 v 超出数值范围");
  const double g0 = c.units.g;
  // v / sqrt(g D) with the root split, and E with v^2/(2g) as v (v/2g): each
  // overflows only when the quantity does.
  f.Fr = std::isinf(g.D) ? 0 : f.v / std::sqrt(g0) / std::sqrt(g.D);
  f.regime = std::fabs(f.Fr - 1) <= kCriticalBand ? FlowRegime::Critical
             : f.Fr < 1                            ? FlowRegime::Subcritical
                                                   : FlowRegime::Supercritical;
  f.E = h + f.v * (f.v / (2 * g0));
  require(std::isfinite(f.E), "断面比能 E 超出数值范围");
  f.Sf = frictionSlope(c, h, g, Q);
  requireRepresentable(f.Sf, "摩阻坡度 Sf 超出数值范围");
  f.tau0 = scaledProduct({c.units.unitWeight, g.R, f.Sf});
  requireRepresentable(f.tau0, "切应力 τ0 超出数值范围");
  return f;
}

double uniformDischarge(const Channel& c, double h, const Geometry& g) {
  const double n = equivalentN(c.roughness, c.section, h);
  return scaledProduct({g.A, c.units.manning, std::pow(g.R, 2.0 / 3.0), std::sqrt(c.i)}, {n});
}

FlowState uniformFlow(const Channel& c, double h) {
  validate(c);
  require(c.i > 0, "渠底坡度 i 必须大于零：平坡或逆坡上不存在均匀流");
  const double Q = uniformDischarge(c, h, geometryAt(c.section, h));
  requireRepresentable(Q, "流量 Q 超出数值范围");
  FlowState f = flowAt(c, h, Q);
  f.Sf = c.i;  // the same to rounding; exactly the slope by definition
  return f;
}

// Q^2 T = g A^3 where A sqrt(g A / T) = Q, an increasing function of h for
// every section (it grows without bound as a circle fills). Compared as a
// ratio to Q, it neither overflows nor underflows for any depth whose area a
// double holds.
double criticalDepth(const Section& section, double Q, const Units& units) {
  validate(section);
  require(std::isfinite(Q) && Q > 0, "流量 Q 必须是大于零的有限数");
  const double rootG = std::sqrt(units.g);
  auto excess = [&section, Q, rootG](double h) {
    const Geometry g = geometryUnchecked(section, h);
    if (!(g.T > 0)) return HUGE_VAL;  // a full circle: no discharge is critical there
    if (!(g.A > 0)) return -1.0;
    // A sqrt(g A/T) / Q - 1, scaled: both ends of the double range meet here.
    return scaledProduct({g.A, rootG, std::sqrt(g.A / g.T)}, {Q}) - 1;
  };
  // Start from the depth of a rectangle as wide as the section's size
  // parameter: the secants in log h close in from there in a few steps.
  const double width = widthParameter(section) > 0 ? widthParameter(section) : 1.0;
  const double guess = std::cbrt(Q / width / std::sqrt(units.g)) * std::cbrt(Q / width / std::sqrt(units.g));
  const double full = fullDepth(section);
  const double hc = findRootFrom(excess, 0, full, std::isfinite(guess) && guess > 0 ? guess : 1.0,
                                 "临界水深超出数值范围");
  // Where the area leaves the range before the flow turns critical, the sign
  // changes without a root.
  require(std::fabs(excess(hc)) <= kRootResidual, "临界水深处的过水面积超出数值范围");
  return hc;
}

CriticalFlow criticalFlow(const Channel& c, double Q) {
  validate(c);
  CriticalFlow cf;
  cf.hc = criticalDepth(c.section, Q, c.units);
  Channel atCritical = c;
  atCritical.i = 0;  // flowAt does not use the slope
  const FlowState f = flowAt(atCritical, cf.hc, Q);
  cf.vc = f.v;
  cf.Ec = f.E;
  cf.ic = f.Sf;
  return cf;
}

}  // namespace channelflow::sections
