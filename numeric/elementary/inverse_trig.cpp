// atan, atan2, asin and acos from one kernel: atan(n/d) for 0 <= n <= d is
// atan(c) + atan((n - c d)/(d + c n)) with c = i/64 the nearest to n/d, a
// table of atan(i/64), and the odd series in u, |u| <= 2^-7. The double-double
// kernel sums the series to u^15 in double-double; the double forms' kernel
// takes u as a pair and its series in double (about 2^-64 relative). asin and
// acos go through atan2 with sqrt(1 - x^2), 1 - x^2 from exact parts.
#include "numeric/elementary/elementary.h"
#include "numeric/elementary/elementary_tables.h"
#include "numeric/elementary/series.h"

#include <limits>

namespace channelflow::numeric {
namespace {

using elementary_tables::kAtan;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kRoundShift = 0x1.8p52;

using RatioKernel = DoubleDouble (*)(DoubleDouble, DoubleDouble);

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
  return kAtan[static_cast<std::size_t>(nearest)] + atanSeries(numerator / (d + n * c));
}

// The same to about 2^-64 relative, for the double forms.
DoubleDouble fastAtanOfRatio(DoubleDouble n, DoubleDouble d) {
  const double nearest = (n.hi / d.hi * 64 + kRoundShift) - kRoundShift;
  const double c = nearest / 64;
  // u = (n - c d)/(d + c n) as a pair: n.hi - c d.hi is exact (Sterbenz).
  const DoubleDouble cd = twoProduct(c, d.hi);
  const DoubleDouble numerator = twoSum(n.hi - cd.hi, (n.lo - cd.lo) - c * d.lo);
  const DoubleDouble cn = twoProduct(c, n.hi);
  const DoubleDouble sum = fastTwoSum(d.hi, cn.hi);
  const DoubleDouble denominator{sum.hi, sum.lo + cn.lo + d.lo + c * n.lo};
  const double u = numerator.hi / denominator.hi;
  const DoubleDouble ud = twoProduct(u, denominator.hi);
  const double uLow = (((numerator.hi - ud.hi) - ud.lo) + numerator.lo - u * denominator.lo) / denominator.hi;
  const double z = u * u;
  const double series = u * z * (-1.0 / 3 + z * (0.2 + z * (-1.0 / 7 + z * (1.0 / 9 - z / 11))));
  const DoubleDouble table = kAtan[static_cast<std::size_t>(nearest)];
  const DoubleDouble head = fastTwoSum(table.hi, u);
  return fastTwoSum(head.hi, head.lo + table.lo + uLow + series);
}

bool negative(double x) { return std::signbit(x); }

// The angle of (x, y) for |y|, |x| scaled so their larger lies near 1.
template <RatioKernel kRatio>
DoubleDouble angle(DoubleDouble y, DoubleDouble x) {
  const DoubleDouble ay = abs(y), ax = abs(x);
  DoubleDouble theta;
  if (ay.hi == 0 && ax.hi == 0) {
    theta = {0, 0};
  } else {
    theta = ay <= ax ? kRatio(ay, ax) : kHalfPi - kRatio(ax, ay);
  }
  if (negative(x.hi)) theta = kPi - theta;
  return negative(y.hi) ? -theta : theta;
}

template <RatioKernel kRatio>
DoubleDouble arcTangent(DoubleDouble x) {
  if (x.hi != x.hi) return x;
  const DoubleDouble ax = abs(x);
  DoubleDouble theta;
  if (ax.hi > 0x1p100) {
    theta = kHalfPi - DoubleDouble{1 / ax.hi, 0};  // 1/x to 2^-53 is 2^-153 of the result
  } else {
    theta = ax.hi < 1 ? kRatio(ax, {1, 0}) : kHalfPi - kRatio({1, 0}, ax);
  }
  return negative(x.hi) ? -theta : theta;
}

template <RatioKernel kRatio>
DoubleDouble arcTangent2(DoubleDouble y, DoubleDouble x) {
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
  return angle<kRatio>(y, x);
}

bool outsideUnitInterval(DoubleDouble x) {
  return !(std::fabs(x.hi) <= 1) || (std::fabs(x.hi) == 1 && (x.hi > 0) == (x.lo > 0) && x.lo != 0);
}

// sqrt((1 - x)(1 + x)) for |x| <= 1: both factors are exact or nearly so.
DoubleDouble cosineOfArcSine(DoubleDouble x) { return sqrt((1.0 - x) * (1.0 + x)); }
// sqrt(1 - x^2) for a double |x| <= 1: 1 - x^2 from x^2 exactly.
DoubleDouble cosineOfArcSine(double x) {
  const DoubleDouble square = twoSquare(x);
  return sqrt(twoSum(1.0, -square.hi) - square.lo);
}

}  // namespace

DoubleDouble atan(DoubleDouble x) { return arcTangent<atanOfRatio>(x); }
double atan(double x) { return arcTangent<fastAtanOfRatio>({x, 0}).hi; }

Real atan(const Real& x) {
  if (x.exponent() == 0) return Real(atan(x.mantissa()));
  if (x.binaryExponent() < 0) return x;  // |x| < 2^-480: atan x = x (1 - x^2/3 ...)
  const Real theta = Real(kHalfPi) - 1.0 / abs(x);
  return x.sign() < 0 ? -theta : theta;
}

DoubleDouble atan2(DoubleDouble y, DoubleDouble x) { return arcTangent2<atanOfRatio>(y, x); }
double atan2(double y, double x) { return arcTangent2<fastAtanOfRatio>({y, 0}, {x, 0}).hi; }

Real atan2(const Real& y, const Real& x) {
  if (y.isNaN() || x.isNaN()) return Real(kNaN);
  if ((y.exponent() == 0 && x.exponent() == 0) || y.isZero() || x.isZero() || !y.isFinite() || !x.isFinite()) {
    if (y.exponent() == 0 && x.exponent() == 0) return Real(atan2(y.mantissa(), x.mantissa()));
    return Real(atan2(DoubleDouble{y.toDouble(), 0}, DoubleDouble{x.toDouble(), 0}));
  }
  // Both scaled by the larger's power of two; a ratio below 2^-900 is its own arc tangent.
  const std::int64_t shift = -(y.binaryExponent() > x.binaryExponent() ? y.binaryExponent() : x.binaryExponent());
  const DoubleDouble ys = ldexp(y, shift).toDoubleDouble(), xs = ldexp(x, shift).toDoubleDouble();
  if (ys.hi == ys.hi && xs.hi == xs.hi) return Real(angle<atanOfRatio>(ys, xs));
  const bool yIsSmall = ys.hi != ys.hi;
  const Real ratio = yIsSmall ? abs(y) / abs(x) : abs(x) / abs(y);
  Real theta = yIsSmall ? ratio : Real(kHalfPi) - ratio;
  if (x.sign() < 0) theta = Real(kPi) - theta;
  return y.sign() < 0 ? -theta : theta;
}

DoubleDouble asin(DoubleDouble x) {
  if (outsideUnitInterval(x)) return {kNaN, 0};
  const DoubleDouble theta = angle<atanOfRatio>(abs(x), cosineOfArcSine(abs(x)));
  return negative(x.hi) ? -theta : theta;
}

double asin(double x) {
  if (!(std::fabs(x) <= 1)) return kNaN;
  const double theta = angle<fastAtanOfRatio>({std::fabs(x), 0}, cosineOfArcSine(x)).hi;
  return negative(x) ? -theta : theta;
}

Real asin(const Real& x) {
  if (x.exponent() == 0) return Real(asin(x.mantissa()));
  return x.binaryExponent() < 0 ? x : Real(kNaN);  // asin x = x (1 + x^2/6 ...) for |x| < 2^-480
}

DoubleDouble acos(DoubleDouble x) {
  if (outsideUnitInterval(x)) return {kNaN, 0};
  return angle<atanOfRatio>(cosineOfArcSine(abs(x)), x);
}

double acos(double x) {
  if (!(std::fabs(x) <= 1)) return kNaN;
  return angle<fastAtanOfRatio>(cosineOfArcSine(x), {x, 0}).hi;
}

Real acos(const Real& x) {
  if (x.exponent() == 0) return Real(acos(x.mantissa()));
  return x.binaryExponent() < 0 ? Real(kHalfPi) - x : Real(kNaN);
}

}  // namespace channelflow::numeric
