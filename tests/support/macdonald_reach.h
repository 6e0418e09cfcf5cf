// MacDonald's analytic benchmarks for steady flow in open channels
// (J. Hydraulic Eng. 1997, collected with others in SWASHES): a depth h(x)
// is chosen and the bed that makes it the exact steady solution follows
// from the energy equation with Manning friction,
//   S0(x) = Sf(h) + h'(x) (1 - Q^2 T / (g A^3)),
// the bed being its integral. Here a rectangle 10 m wide carrying 20 m³/s
// (2 m²/s a metre, the compilation's), n = 0.033, 1000 m long, its walls in
// the wetted perimeter, no contraction or expansion losses; a jump stands
// where the two branches' momentum functions balance. The reach file is the
// command line's CSV.
#pragma once

#include <cmath>
#include <cstdio>
#include <string>

#include "numeric/elementary/elementary.h"

namespace channelflow::testing {

struct MacDonaldCase {
  const char* name;
  double (*depth)(double x);
  double (*rise)(double x);  // dh/dx
  double jump;               // where the jump stands; NaN for none
  bool upstream, downstream;  // the boundaries given: the exact levels there
};

inline constexpr double kMacDonaldWidth = 10, kMacDonaldQ = 20, kMacDonaldN = 0.033, kMacDonaldLength = 1000;
inline constexpr double kG = 9.80665;

inline double macDonaldCritical() {
  const double q = kMacDonaldQ / kMacDonaldWidth;
  return numeric::cbrt(q * q / kG);
}

// The bed slope under depth h rising at dh/dx.
inline double macDonaldSlope(double h, double dh) {
  const double B = kMacDonaldWidth, A = B * h, R = A / (B + 2 * h);
  const double v = kMacDonaldQ / A;
  const double Sf = kMacDonaldN * kMacDonaldN * v * v / (R * numeric::cbrt(R));
  const double Fr2 = kMacDonaldQ * kMacDonaldQ * B / (kG * A * A * A);
  return Sf + dh * (1 - Fr2);
}

// The bed fall over [a, b] by five-point Gauss–Legendre, the slope smooth within it.
inline double macDonaldFall(const MacDonaldCase& c, double a, double b) {
  constexpr double kNodes[5] = {0, -0.5384693101056831, 0.5384693101056831, -0.9061798459386640, 0.9061798459386640};
  constexpr double kWeights[5] = {0.5688888888888889, 0.4786286704993665, 0.4786286704993665, 0.2369268850561891,
                                  0.2369268850561891};
  const double middle = (a + b) / 2, half = (b - a) / 2;
  double sum = 0;
  for (int k = 0; k < 5; ++k) {
    const double x = middle + half * kNodes[k];
    sum += kWeights[k] * macDonaldSlope(c.depth(x), c.rise(x));
  }
  return sum * half;
}

inline std::string decimalText(double x) {
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", x);
  return text;
}

// The reach of `sections` sections (spaced evenly, the first at x = 0) and
// each section's bed.
struct MacDonaldReach {
  std::string csv;
  std::vector<double> x, bed;
};

inline MacDonaldReach macDonaldReach(const MacDonaldCase& c, int sections) {
  MacDonaldReach reach;
  const double dx = kMacDonaldLength / (sections - 1);
  reach.bed.assign(static_cast<std::size_t>(sections), 0);
  reach.bed.back() = 10;
  for (int k = sections - 1; k-- > 0;) {
    const double a = k * dx, b = (k + 1) * dx;
    // A panel is split at the jump, where the slope changes at once.
    const double fall = c.jump > a && c.jump < b ? macDonaldFall(c, a, c.jump) + macDonaldFall(c, c.jump, b) : macDonaldFall(c, a, b);
    reach.bed[static_cast<std::size_t>(k)] = reach.bed[static_cast<std::size_t>(k) + 1] + fall;
  }
  reach.csv = "station,points,n,contraction,expansion,Q,upstream,downstream\n";
  for (int k = 0; k < sections; ++k) {
    const double x = k * dx, z = reach.bed[static_cast<std::size_t>(k)];
    reach.x.push_back(x);
    const std::string bed = decimalText(z), top = decimalText(z + 6), width = decimalText(kMacDonaldWidth);
    reach.csv += decimalText(x) + ",\"0," + top + " 0," + bed + " " + width + "," + bed + " " + width + "," + top + "\"," +
                 decimalText(kMacDonaldN) + ",0,0,";
    if (k == 0) reach.csv += decimalText(kMacDonaldQ);
    reach.csv += ",";
    if (k == 0 && c.upstream) reach.csv += "wse=" + decimalText(z + c.depth(x));
    reach.csv += ",";
    if (k + 1 == sections && c.downstream) reach.csv += "wse=" + decimalText(z + c.depth(x));
    reach.csv += "\n";
  }
  return reach;
}

// The cases. Depths in units of the critical depth hc.
namespace macdonald {

inline double hc() { return macDonaldCritical(); }
inline double bump(double x, double width) {
  const double s = x / kMacDonaldLength - 0.5;
  return numeric::exp(-width * s * s);
}

// Subcritical all along: hc (1 + exp(-16 (x/L - 1/2)^2) / 2).
inline double subDepth(double x) { return hc() * (1 + 0.5 * bump(x, 16)); }
inline double subRise(double x) { return hc() * 0.5 * bump(x, 16) * -32 * (x / kMacDonaldLength - 0.5) / kMacDonaldLength; }

// Supercritical all along: hc (1 - exp(-36 (x/L - 1/2)^2) / 5).
inline double superDepth(double x) { return hc() * (1 - 0.2 * bump(x, 36)); }
inline double superRise(double x) { return hc() * -0.2 * bump(x, 36) * -72 * (x / kMacDonaldLength - 0.5) / kMacDonaldLength; }

// Supercritical to x = J, hc (0.6 + exp(-x/300) / 10); the jump there to
// its sequent depth h2; subcritical below, h2 + 0.15 hc (1 - exp(-(x - J)/200)).
// J lies halfway between two sections.
inline constexpr double kJump = 502.5;
inline double beforeJump(double x) { return hc() * (0.6 + 0.1 * numeric::exp(-x / 300)); }
inline double sequent() {
  const double h1 = beforeJump(kJump), r = hc() / h1;
  return h1 / 2 * (numeric::sqrt(1 + 8 * r * r * r) - 1);
}
inline double jumpDepth(double x) {
  if (x <= kJump) return beforeJump(x);
  return sequent() + 0.15 * hc() * (1 - numeric::exp(-(x - kJump) / 200));
}
inline double jumpRise(double x) {
  if (x <= kJump) return hc() * 0.1 * numeric::exp(-x / 300) / -300;
  return 0.15 * hc() * numeric::exp(-(x - kJump) / 200) / 200;
}

// Subcritical to supercritical through critical flow at x = 500:
// hc (1 - tanh(3 (x/L - 1/2)) / 3).
inline double tanhOf(double x) {
  const double e = numeric::exp(-2 * x);
  return (1 - e) / (1 + e);
}
inline double smoothDepth(double x) { return hc() * (1 - tanhOf(3 * (x / kMacDonaldLength - 0.5)) / 3); }
inline double smoothRise(double x) {
  const double t = tanhOf(3 * (x / kMacDonaldLength - 0.5));
  return -hc() * (1 - t * t) / kMacDonaldLength;
}

}  // namespace macdonald

inline const MacDonaldCase kMacDonaldCases[] = {
    {"subcritical", macdonald::subDepth, macdonald::subRise, NAN, false, true},
    {"supercritical", macdonald::superDepth, macdonald::superRise, NAN, true, false},
    {"transcritical with a jump", macdonald::jumpDepth, macdonald::jumpRise, macdonald::kJump, true, true},
    {"transcritical through critical flow", macdonald::smoothDepth, macdonald::smoothRise, NAN, true, true},
};

}  // namespace channelflow::testing
