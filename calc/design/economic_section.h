// Appendix E of GB 50288-2018 (梯形渠道实用经济断面): the hydraulically best
// trapezoid (E.0.1) and the practical economic sections around it (E.0.2),
// each a closed form in Reals. The best section's depth is printed in the
// standard as 1.189 [nQ/(K√i)]^(3/8); 1.189 is 2^(1/4) rounded, and only
// 2^(1/4) makes the section carry Q exactly, so that is used here.
#pragma once

#include <array>

#include "numeric/elementary/real.h"

namespace channelflow::calc::design {

using numeric::Real;

// The α of Table E.0.2's columns: the practical section's area over the best one's.
inline constexpr std::array<double, 5> kTableAlphas{1.00, 1.01, 1.02, 1.03, 1.04};

struct BestSection {
  Real S;   // sqrt(1 + m^2)
  Real K;   // 2 sqrt(1 + m^2) - m
  Real h0;  // 2^(1/4) [n Q / (K sqrt(i))]^(3/8)       (E.0.1-1)
  Real b0;  // 2 (sqrt(1 + m^2) - m) h0                  (E.0.1-2)
  Real A0;  // K h0^2                                     (E.0.1-3)
  Real v0;  // Q / A0                                     (E.0.1-6)
};

// For Q, n, i > 0 and m >= 0, in SI units.
BestSection bestSection(const Real& Q, const Real& n, const Real& i, double m);

struct EconomicScheme {
  double alpha = 1;
  Real eta;   // h/h0, the smaller root of eta^2 - 2 alpha^2.5 eta + alpha = 0   (E.0.2-2)
  Real beta;  // b/h = alpha K / eta^2 - m                                     (E.0.2-3)
  Real h, b;
  Real A;     // alpha A0
  Real v;     // Q / A = v0 / alpha
};

// The practical section of area alpha A0, alpha >= 1.
EconomicScheme economicScheme(const BestSection& best, const Real& Q, double m, double alpha);

// The depth at which a trapezoid of side slope m and bottom width beta h
// carries Q in uniform flow (beta + m > 0):
// h = [ (nQ/sqrt(i))^3 (beta + 2 sqrt(1 + m^2))^2 / (beta + m)^5 ]^(1/8).
Real depthForRatio(const Real& Q, const Real& n, const Real& i, double m, double beta);

}  // namespace channelflow::calc::design
