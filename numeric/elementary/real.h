// The hydraulic core's number: a double-double with a binary exponent of its
// own, value (hi + lo) * 2^exponent, so that no intermediate overflows or
// underflows for inputs anywhere in the double range. The exponent is lazy:
// while |hi| stays within [2^-kRangeBits, 2^kRangeBits] it stays 0 and an
// operation costs a double-double operation and one range check; a result
// outside that range is rescaled by an exact power of two.
#pragma once

#include "numeric/elementary/bits.h"
#include "numeric/elementary/double_double.h"

#include <cstdint>

namespace channelflow::numeric {

class Real {
 public:
  // Values that keep exponent 0 lie in [2^-kRangeBits, 2^kRangeBits]: the
  // product or quotient of two of them needs no rescaling to stay exact.
  static constexpr int kRangeBits = 480;
  // Exponents beyond +/-kExponentLimit saturate to +/-infinity or +/-0.
  static constexpr int kExponentLimit = 1 << 30;

  constexpr Real() = default;
  Real(double value) : Real(normalised({value, 0}, 0)) {}  // NOLINT: exact, implicit by design
  Real(int value) : Real(static_cast<double>(value)) {}  // NOLINT
  // (value.hi + value.lo) * 2^exponent; value need not be normalised.
  explicit Real(DoubleDouble value, std::int64_t exponent = 0);

  // The double nearest to the exact value (ties to even): +/-infinity beyond
  // the double range, the rounded subnormal or +/-0 below it.
  double toDouble() const;
  // The value as a double-double when it is 0 or its magnitude lies in
  // [2^-900, 2^1000) (exact but for a low part below 2^-1022); otherwise NaN.
  DoubleDouble toDoubleDouble() const;
  // floor(log2 |x|) for finite x != 0: 0 for 1.5, -1 for 0.75.
  std::int64_t binaryExponent() const;

  DoubleDouble mantissa() const { return {hi_, lo_}; }
  std::int64_t exponent() const { return exponent_; }

  int sign() const { return hi_ > 0 ? 1 : (hi_ < 0 ? -1 : 0); }
  bool isZero() const { return hi_ == 0; }
  bool isFinite() const { return hi_ - hi_ == 0; }
  bool isNaN() const { return hi_ != hi_; }

  Real operator-() const { return Real{-hi_, -lo_, exponent_}; }
  friend Real abs(const Real& x) { return x.hi_ < 0 ? -x : x; }

  // Each with the error bound of the same double-double operation
  // (relative: + 2^-104.4, * 2^-103.1, / 2^-102); a sum of operands more than
  // 2^120 apart is the larger one.
  friend Real operator+(const Real& x, const Real& y) {
    if (x.exponent_ == 0 && y.exponent_ == 0) {
      const DoubleDouble sum = x.mantissa() + y.mantissa();
      if (inRange(sum.hi)) return Real{sum.hi, sum.lo, 0};
    }
    return slowSum(x, y);
  }
  friend Real operator*(const Real& x, const Real& y) {
    const DoubleDouble product = x.mantissa() * y.mantissa();
    if (x.exponent_ + y.exponent_ == 0 && inRange(product.hi)) return Real{product.hi, product.lo, 0};
    return slowProduct(x, y);
  }
  friend Real operator/(const Real& x, const Real& y) {
    const DoubleDouble quotient = x.mantissa() / y.mantissa();
    if (x.exponent_ == y.exponent_ && inRange(quotient.hi)) return Real{quotient.hi, quotient.lo, 0};
    return slowQuotient(x, y);
  }
  friend Real operator*(const Real& x, double y) {
    const DoubleDouble product = x.mantissa() * y;
    if (x.exponent_ == 0 && inRange(product.hi)) return Real{product.hi, product.lo, 0};
    return x * Real(y);
  }
  friend Real operator/(const Real& x, double y) {
    const DoubleDouble quotient = x.mantissa() / y;
    if (x.exponent_ == 0 && inRange(quotient.hi)) return Real{quotient.hi, quotient.lo, 0};
    return x / Real(y);
  }
  friend Real operator-(const Real& x, const Real& y) { return x + -y; }
  friend Real operator*(double x, const Real& y) { return y * x; }
  friend Real operator+(const Real& x, double y) { return x + Real(y); }
  friend Real operator+(double x, const Real& y) { return Real(x) + y; }
  friend Real operator-(const Real& x, double y) { return x + Real(-y); }
  friend Real operator-(double x, const Real& y) { return Real(x) + -y; }
  friend Real operator/(double x, const Real& y) { return Real(x) / y; }
  Real& operator+=(const Real& y) { return *this = *this + y; }
  Real& operator-=(const Real& y) { return *this = *this - y; }
  Real& operator*=(const Real& y) { return *this = *this * y; }
  Real& operator/=(const Real& y) { return *this = *this / y; }

  // x * 2^n exactly (saturating beyond kExponentLimit).
  friend Real ldexp(const Real& x, std::int64_t n);

  // -1, 0 or 1 as x < y, x == y, x > y, for x and y not NaN. Every
  // comparison with a NaN is false, != true.
  friend int compare(const Real& x, const Real& y) {
    if (x.exponent_ == y.exponent_) {
      const DoubleDouble a = x.mantissa(), b = y.mantissa();
      return a < b ? -1 : (b < a ? 1 : 0);
    }
    return (x - y).sign();
  }
  friend bool operator==(const Real& x, const Real& y) { return !x.isNaN() && !y.isNaN() && compare(x, y) == 0; }
  friend bool operator!=(const Real& x, const Real& y) { return !(x == y); }
  friend bool operator<(const Real& x, const Real& y) { return !x.isNaN() && !y.isNaN() && compare(x, y) < 0; }
  friend bool operator>(const Real& x, const Real& y) { return y < x; }
  friend bool operator<=(const Real& x, const Real& y) { return !x.isNaN() && !y.isNaN() && compare(x, y) <= 0; }
  friend bool operator>=(const Real& x, const Real& y) { return y <= x; }

 private:
  constexpr Real(double hi, double lo, std::int64_t exponent) : hi_(hi), lo_(lo), exponent_(exponent) {}
  // |x| within [2^-kRangeBits, 2^kRangeBits]: one integer comparison.
  static bool inRange(double x) {
    constexpr std::uint64_t kLowest = 1023 - kRangeBits;
    return ((bitCast<std::uint64_t>(x) >> 52 & 0x7FF) - kLowest) <= 2 * kRangeBits;
  }
  // The canonical form: exponent 0 and hi in range, or hi in [1, 2) and a
  // value outside the range; 0, infinities and NaN with exponent 0.
  static Real normalised(DoubleDouble value, std::int64_t exponent) {
    if (exponent == 0 && inRange(value.hi)) return Real{value.hi, value.lo, 0};
    return rescaled(value, exponent);
  }
  static Real rescaled(DoubleDouble value, std::int64_t exponent);
  // The operations off the fast path: rescaled results, zeros, infinities, NaN.
  static Real slowSum(const Real& x, const Real& y);
  static Real slowProduct(const Real& x, const Real& y);
  static Real slowQuotient(const Real& x, const Real& y);

  double hi_ = 0;
  double lo_ = 0;
  std::int64_t exponent_ = 0;
};

// The friends, visible to qualified calls too.
Real abs(const Real& x);
Real ldexp(const Real& x, std::int64_t n);
int compare(const Real& x, const Real& y);

// sqrt(x) for x >= 0 (NaN below), relative error below 2^-104.
Real sqrt(const Real& x);

}  // namespace channelflow::numeric
