// atan, atan2, asin and acos from one kernel: atan(n/d) for 0 <= n <= d is
// atan(c) + atan((n - c d)/(d + c n)) with c = i/64 the nearest to n/d, a
// table of atan(i/64), and the odd series to u^15 for |u| <= 2^-7. asin and
// acos go through atan2 with sqrt((1 - x)(1 + x)), which keeps its accuracy
// near |x| = 1.
#include "numeric/elementary.h"
#include "numeric/elementary_tables.h"
#include "numeric/series.h"

#include <limits>

namespace channelflow::numeric {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kRoundShift = 0x1.8p52;

DoubleDouble atanSeries(DoubleDouble u) {
  return u * mixedHorner(u * u, elementary_tables::kAtanHead, elementary_tables::kAtanTail);
}

// atan(n/d) for 0 <= n <= d, d > 0, both below 2^990.
DoubleDouble atanOfRatio(DoubleDouble n, DoubleDouble d) {
  const double nearest = (n.hi / d.hi * 64 + kRoundShift) - kRoundShift;
  if (nearest == 0) return atanSeries(n / d);
  const double c = nearest / 64;
  // n - c d from exact products: it cancels, so no rounding may precede it.
  const DoubleDouble numerator = (n - twoProduct(c, d.hi)) - twoProduct(c, d.lo);
  return elementary_tables::kAtan[static_cast<std::size_t>(nearest)] + atanSeries(numerator / (d + n * c));
}

bool negative(double x) { return std::signbit(x); }

// The angle of (x, y) for |y|, |x| scaled so their larger lies near 1.
DoubleDouble angle(DoubleDouble y, DoubleDouble x) {
  const DoubleDouble ay = abs(y), ax = abs(x);
  DoubleDouble theta;
  if (ay.hi == 0 && ax.hi == 0) {
    theta = {0, 0};
  } else {
    theta = ay <= ax ? atanOfRatio(ay, ax) : kHalfPi - atanOfRatio(ax, ay);
  }
  if (negative(x.hi)) theta = kPi - theta;
  return negative(y.hi) ? -theta : theta;
}

// sqrt((1 - x)(1 + x)) for |x| <= 1: both factors are exact or nearly so.
DoubleDouble cosineOfArcSine(DoubleDouble x) { return sqrt((1.0 - x) * (1.0 + x)); }

}  // namespace

DoubleDouble atan(DoubleDouble x) {
  if (x.hi != x.hi) return x;
  const DoubleDouble ax = abs(x);
  const DoubleDouble theta = ax.hi < 1 ? atanOfRatio(ax, {1, 0}) : kHalfPi - atanOfRatio({1, 0}, ax);
  return negative(x.hi) ? -theta : theta;
}

double atan(double x) { return atan(DoubleDouble{x, 0}).hi; }

Real atan(const Real& x) {
  if (x.exponent() == 0) return Real(atan(x.mantissa()));
  if (x.binaryExponent() < 0) return x;  // |x| < 2^-480: atan x = x (1 - x^2/3 ...)
  const Real theta = Real(kHalfPi) - 1.0 / abs(x);
  return x.sign() < 0 ? -theta : theta;
}

DoubleDouble atan2(DoubleDouble y, DoubleDouble x) {
  if (y.hi != y.hi || x.hi != x.hi) return {kNaN, 0};
  const bool infiniteY = y.hi - y.hi != 0, infiniteX = x.hi - x.hi != 0;
  if (infiniteY || infiniteX) {  // the direction of the infinite one(s)
    y = {infiniteY ? (negative(y.hi) ? -1.0 : 1.0) : (negative(y.hi) ? -0.0 : 0.0), 0};
    x = {infiniteX ? (negative(x.hi) ? -1.0 : 1.0) : (negative(x.hi) ? -0.0 : 0.0), 0};
  }
  const double larger = std::fabs(y.hi) > std::fabs(x.hi) ? std::fabs(y.hi) : std::fabs(x.hi);
  if (larger > 0x1p900 || (larger < 0x1p-900 && larger > 0)) {
    const double scale = larger > 1 ? 0x1p-200 : 0x1p200;
    y = {y.hi * scale, y.lo * scale};
    x = {x.hi * scale, x.lo * scale};
  }
  return angle(y, x);
}

double atan2(double y, double x) { return atan2(DoubleDouble{y, 0}, DoubleDouble{x, 0}).hi; }

Real atan2(const Real& y, const Real& x) {
  if (y.isNaN() || x.isNaN()) return Real(kNaN);
  if ((y.exponent() == 0 && x.exponent() == 0) || y.isZero() || x.isZero() || !y.isFinite() || !x.isFinite()) {
    if (y.exponent() == 0 && x.exponent() == 0) return Real(atan2(y.mantissa(), x.mantissa()));
    return Real(atan2(DoubleDouble{y.toDouble(), 0}, DoubleDouble{x.toDouble(), 0}));
  }
  // Both scaled by the larger's power of two; a ratio below 2^-900 is its own arc tangent.
  const std::int64_t shift = -(y.binaryExponent() > x.binaryExponent() ? y.binaryExponent() : x.binaryExponent());
  const DoubleDouble ys = ldexp(y, shift).toDoubleDouble(), xs = ldexp(x, shift).toDoubleDouble();
  if (ys.hi == ys.hi && xs.hi == xs.hi) return Real(angle(ys, xs));
  const bool yIsSmall = ys.hi != ys.hi;
  const Real ratio = yIsSmall ? abs(y) / abs(x) : abs(x) / abs(y);
  Real theta = yIsSmall ? ratio : Real(kHalfPi) - ratio;
  if (x.sign() < 0) theta = Real(kPi) - theta;
  return y.sign() < 0 ? -theta : theta;
}

DoubleDouble asin(DoubleDouble x) {
  if (!(std::fabs(x.hi) <= 1) || (std::fabs(x.hi) == 1 && (x.hi > 0) == (x.lo > 0) && x.lo != 0)) return {kNaN, 0};
  const DoubleDouble theta = angle(abs(x), cosineOfArcSine(abs(x)));
  return negative(x.hi) ? -theta : theta;
}

double asin(double x) { return asin(DoubleDouble{x, 0}).hi; }

Real asin(const Real& x) {
  if (x.exponent() == 0) return Real(asin(x.mantissa()));
  return x.binaryExponent() < 0 ? x : Real(kNaN);  // asin x = x (1 + x^2/6 ...) for |x| < 2^-480
}

DoubleDouble acos(DoubleDouble x) {
  if (!(std::fabs(x.hi) <= 1) || (std::fabs(x.hi) == 1 && (x.hi > 0) == (x.lo > 0) && x.lo != 0)) return {kNaN, 0};
  return angle(cosineOfArcSine(abs(x)), x);
}

double acos(double x) { return acos(DoubleDouble{x, 0}).hi; }

Real acos(const Real& x) {
  if (x.exponent() == 0) return Real(acos(x.mantissa()));
  return x.binaryExponent() < 0 ? Real(kHalfPi) - x : Real(kNaN);
}

}  // namespace channelflow::numeric
