// Cube roots and hypot. The double cube root starts from a polynomial seed
// good to 2^-29 on each quarter of [1, 2) and takes one Halley step with the
// residual a - y^3 computed exactly; the double-double root takes one Newton
// step in double-double from the double's root.
#include "numeric/elementary/elementary.h"
#include "numeric/elementary/elementary_tables.h"
#include "numeric/elementary/power_of_two.h"

#include <limits>

namespace channelflow::numeric {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

}  // namespace

double cbrt(double x) {
  if (x == 0 || x - x != 0) return x;  // +/-0, +/-infinity, NaN
  const double magnitude = x < 0 ? -x : x;
  double a = magnitude;
  std::int64_t extra = 0;
  if (a < 0x1p-1022) {  // subnormal: 2^54 has an exact cube root
    a *= 0x1p54;
    extra = -18;
  }
  const std::uint64_t bits = bitCast<std::uint64_t>(a);
  const std::int64_t exponent = exponentOf(a);
  const std::int64_t third = (exponent + 3072) / 3 - 1024;  // floor(exponent / 3)
  const std::int64_t rest = exponent - 3 * third;
  const double m = withExponent(a, 0);
  const auto quarter = static_cast<std::size_t>(bits >> 50 & 3);
  const double t = m - (1.125 + 0.25 * static_cast<double>(quarter));
  const double* c = elementary_tables::kCbrtSeed[quarter];
  const double seed = c[0] + t * (c[1] + t * (c[2] + t * (c[3] + t * (c[4] + t * c[5]))));
  // Halley's step y + y (b - y^3) / (2 y^3 + b) for b = m 2^rest: cubic, so
  // 2^-29 becomes 2^-85 but for the rounding of the correction (2^-80).
  const double y = seed * elementary_tables::kCbrtOfPowerOfTwo[rest];
  const double b = withExponent(m, rest);
  const DoubleDouble cube = twoSquare(y) * y;
  const double residual = (b - cube.hi) - cube.lo;
  const double root = (y + y * residual / (2 * cube.hi + b)) * powerOfTwo(third + extra);
  return x < 0 ? -root : root;
}

DoubleDouble cbrt(DoubleDouble x) {
  if (x.hi == 0 || x.hi - x.hi != 0) return {cbrt(x.hi), 0};
  if (x.hi < 0) return -cbrt(-x);
  // y within 2^-52 of the root: Newton's step leaves (2^-52)^2 and its roundings.
  const double y = cbrt(x.hi);
  const DoubleDouble square = twoSquare(y);
  const DoubleDouble residual = x - square * y;
  return fastTwoSum(y, residual.hi / (3 * square.hi));
}

Real cbrt(const Real& x) {
  if (x.exponent() == 0) return Real(cbrt(x.mantissa()));
  // 2^e = 2^(3q + s): the mantissa takes 2^s, the root 2^q.
  const std::int64_t rest = ((x.exponent() % 3) + 3) % 3;
  const DoubleDouble m = x.mantissa();
  const double scale = powerOfTwo(rest);
  return ldexp(Real(cbrt(DoubleDouble{m.hi * scale, m.lo * scale})), (x.exponent() - rest) / 3);
}

double hypot(double x, double y) {
  x = x < 0 ? -x : x;
  y = y < 0 ? -y : y;
  if (x == kInfinity || y == kInfinity) return kInfinity;
  if (x != x || y != y) return x + y;
  const double big = x > y ? x : y;
  const double small = x > y ? y : x;
  if (small <= big * 0x1p-60) return big;  // sqrt(1 + 2^-120) rounds to 1
  // Both scaled so the larger lies in [1, 2): the squares are exact.
  const std::int64_t exponent = big < 0x1p-1022 ? exponentOf(big * 0x1p600) - 600 : exponentOf(big);
  const DoubleDouble sum = twoSquare(scaled(big, -exponent)) + twoSquare(scaled(small, -exponent));
  const DoubleDouble root = sqrt(sum);
  if (exponent > -1022 && exponent < 1023) return root.hi * powerOfTwo(exponent);
  return Real(root, exponent).toDouble();
}

Real hypot(const Real& x, const Real& y) { return sqrt(x * x + y * y); }

}  // namespace channelflow::numeric
