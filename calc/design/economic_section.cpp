#include "calc/design/economic_section.h"

#include "numeric/elementary/elementary.h"

namespace channelflow::calc::design {
namespace {

using numeric::sqrt;

Real eighthRoot(const Real& x) { return sqrt(sqrt(sqrt(x))); }

}  // namespace

BestSection bestSection(const Real& Q, const Real& n, const Real& i, double m) {
  BestSection best;
  const Real slope(m);
  best.S = sqrt(Real(1) + slope * slope);
  best.K = best.S + best.S - slope;
  const Real x = n * Q / (best.K * sqrt(i));
  // (2^(1/4) x^(3/8))^8 = 4 x^3.
  best.h0 = eighthRoot(Real(4) * x * x * x);
  // 2 (S - m) without its cancellation for steep walls.
  best.b0 = Real(2) * best.h0 / (best.S + slope);
  best.A0 = best.K * best.h0 * best.h0;
  best.v0 = Q / best.A0;
  return best;
}

EconomicScheme economicScheme(const BestSection& best, const Real& Q, double m, double alpha) {
  // With u = alpha^4 - 1, the smaller root is alpha^2.5 - sqrt(alpha^5 - alpha)
  // = sqrt(alpha) / (alpha^2 + sqrt(u)), and alpha / eta^2 = 1 + 2u + 2 alpha^2 sqrt(u):
  // neither subtracts nearly equal numbers, as the printed forms do near alpha = 1.
  const Real a(alpha);
  const Real a2 = a * a;
  const Real u = (a - Real(1)) * (a + Real(1)) * (a2 + Real(1));
  const Real rootU = sqrt(u);
  const Real excess = Real(2) * u + Real(2) * a2 * rootU;  // alpha / eta^2 - 1
  const Real slope(m);
  EconomicScheme scheme;
  scheme.alpha = alpha;
  scheme.eta = sqrt(a) / (a2 + rootU);
  // alpha K / eta^2 - m = (alpha / eta^2) 2 (S - m) + m (alpha / eta^2 - 1).
  scheme.beta = Real(2) * (Real(1) + excess) / (best.S + slope) + slope * excess;
  scheme.h = scheme.eta * best.h0;
  scheme.b = scheme.beta * scheme.h;
  scheme.A = a * best.A0;
  scheme.v = Q / scheme.A;
  return scheme;
}

Real depthForRatio(const Real& Q, const Real& n, const Real& i, double m, double beta) {
  const Real slope(m);
  const Real b(beta);
  const Real y = n * Q / sqrt(i);
  const Real perimeter = b + Real(2) * sqrt(Real(1) + slope * slope);  // P / h
  const Real area = b + slope;                                          // A / h^2
  const Real area2 = area * area;
  return eighthRoot(y * y * y * perimeter * perimeter / (area2 * area2 * area));
}

}  // namespace channelflow::calc::design
