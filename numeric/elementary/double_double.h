// Double-double arithmetic: a value hi + lo of two doubles with hi the double
// nearest to hi + lo (ties to even), about 106 significant bits. Built from
// IEEE double operations only (no fused multiply-add), so every build gives
// the same bits. u = 2^-53 below; every bound assumes no overflow and, for
// products and quotients, no result under 2^-969 (below that the low parts
// fall into the subnormals and the bounds hold only absolutely, to 2^-1074).
#pragma once

#include <cmath>

namespace channelflow::numeric {

struct DoubleDouble {
  double hi = 0;
  double lo = 0;
};

// a + b = hi + lo exactly, for any a and b whose sum does not overflow.
inline DoubleDouble twoSum(double a, double b) {
  const double sum = a + b;
  const double bPart = sum - a;
  return {sum, (a - (sum - bPart)) + (b - bPart)};
}

// a + b = hi + lo exactly, when a == 0 or a's exponent is at least b's (|a| >= |b| is enough).
inline DoubleDouble fastTwoSum(double a, double b) {
  const double sum = a + b;
  return {sum, b - (sum - a)};
}

// Veltkamp's split: a = hi + lo exactly, hi with 26 significant bits and lo
// with at most 26 plus its sign. Needs |a| <= kSplitLimit, so (2^27 + 1) a
// cannot overflow.
inline constexpr double kSplitLimit = 0x1p995;
inline DoubleDouble veltkampSplit(double a) {
  const double scaled = 134217729.0 * a;
  const double hi = scaled - (scaled - a);
  return {hi, a - hi};
}

// Dekker's product: a * b = hi + lo exactly, for |a|, |b| <= kSplitLimit and
// exponents with e(a) + e(b) >= -970 (so every partial product is exact).
inline DoubleDouble twoProduct(double a, double b) {
  const double product = a * b;
  const DoubleDouble x = veltkampSplit(a);
  const DoubleDouble y = veltkampSplit(b);
  return {product, ((x.hi * y.hi - product) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

// a^2 = hi + lo exactly, on the same terms as twoProduct; one split fewer.
inline DoubleDouble twoSquare(double a) {
  const double product = a * a;
  const DoubleDouble x = veltkampSplit(a);
  return {product, ((x.hi * x.hi - product) + 2 * x.hi * x.lo) + x.lo * x.lo};
}

inline DoubleDouble operator-(DoubleDouble x) { return {-x.hi, -x.lo}; }
inline DoubleDouble abs(DoubleDouble x) { return x.hi < 0 ? -x : x; }

// x + y with relative error at most 2u^2.
inline DoubleDouble operator+(DoubleDouble x, double y) {
  const DoubleDouble s = twoSum(x.hi, y);
  return fastTwoSum(s.hi, x.lo + s.lo);
}
inline DoubleDouble operator+(double x, DoubleDouble y) { return y + x; }
inline DoubleDouble operator-(DoubleDouble x, double y) { return x + -y; }
inline DoubleDouble operator-(double x, DoubleDouble y) { return -y + x; }

// x + y with relative error at most 3u^2 + 13u^3 (below 2^-104.4): the sign is
// always right and the result is zero only when x == -y.
inline DoubleDouble operator+(DoubleDouble x, DoubleDouble y) {
  const DoubleDouble s = twoSum(x.hi, y.hi);
  const DoubleDouble t = twoSum(x.lo, y.lo);
  const DoubleDouble v = fastTwoSum(s.hi, s.lo + t.hi);
  return fastTwoSum(v.hi, t.lo + v.lo);
}
inline DoubleDouble operator-(DoubleDouble x, DoubleDouble y) { return x + -y; }

// x * y with relative error at most 1.5u^2 + 4u^3 (below 2^-105.4).
inline DoubleDouble operator*(DoubleDouble x, double y) {
  const DoubleDouble c = twoProduct(x.hi, y);
  const DoubleDouble t = fastTwoSum(c.hi, x.lo * y);
  return fastTwoSum(t.hi, t.lo + c.lo);
}
inline DoubleDouble operator*(double x, DoubleDouble y) { return y * x; }

// x * y with relative error at most 7u^2 (below 2^-103.1).
inline DoubleDouble operator*(DoubleDouble x, DoubleDouble y) {
  const DoubleDouble c = twoProduct(x.hi, y.hi);
  const double cross = x.hi * y.lo + x.lo * y.hi;
  return fastTwoSum(c.hi, c.lo + cross);
}

// x / y with relative error at most 3.5u^2 (below 2^-104.1).
inline DoubleDouble operator/(DoubleDouble x, double y) {
  const double quotient = x.hi / y;
  const DoubleDouble p = twoProduct(quotient, y);
  const double remainder = ((x.hi - p.hi) - p.lo) + x.lo;
  return fastTwoSum(quotient, remainder / y);
}

// x / y with relative error at most 15u^2 + 56u^3 (below 2^-102).
inline DoubleDouble operator/(DoubleDouble x, DoubleDouble y) {
  const double quotient = x.hi / y.hi;
  const DoubleDouble r = y * quotient;
  const double remainder = (x.hi - r.hi) + (x.lo - r.lo);
  return fastTwoSum(quotient, remainder / y.hi);
}
inline DoubleDouble operator/(double x, DoubleDouble y) { return DoubleDouble{x, 0} / y; }

// The square root of x >= 0 with relative error below 2^-104 (NaN below 0).
inline DoubleDouble sqrt(DoubleDouble x) {
  if (!(x.hi > 0 && x.hi - x.hi == 0)) return {std::sqrt(x.hi), 0};  // 0, infinity, NaN, x < 0
  const double root = std::sqrt(x.hi);
  const DoubleDouble square = twoSquare(root);
  const double correction = (((x.hi - square.hi) - square.lo) + x.lo) / (2 * root);
  return fastTwoSum(root, correction);
}

// Comparisons of normalised values: hi decides unless the two are equal.
inline bool operator==(DoubleDouble x, DoubleDouble y) { return x.hi == y.hi && x.lo == y.lo; }
inline bool operator!=(DoubleDouble x, DoubleDouble y) { return !(x == y); }
inline bool operator<(DoubleDouble x, DoubleDouble y) { return x.hi < y.hi || (x.hi == y.hi && x.lo < y.lo); }
inline bool operator>(DoubleDouble x, DoubleDouble y) { return y < x; }
inline bool operator<=(DoubleDouble x, DoubleDouble y) { return !(y < x); }
inline bool operator>=(DoubleDouble x, DoubleDouble y) { return !(x < y); }

}  // namespace channelflow::numeric
