// The slow paths of Real: rescaling, sums of operands with different
// exponents, and the conversions to double and double-double.
#include "numeric/elementary/real.h"

#include "numeric/elementary/power_of_two.h"

#include <limits>

namespace channelflow::numeric {
namespace {

constexpr std::uint64_t kExponentMask = std::uint64_t{0x7FF} << 52;
constexpr std::uint64_t kMantissaMask = (std::uint64_t{1} << 52) - 1;

}  // namespace

Real::Real(DoubleDouble value, std::int64_t exponent) : Real(normalised(twoSum(value.hi, value.lo), exponent)) {}

Real Real::rescaled(DoubleDouble value, std::int64_t exponent) {
  if (value.hi == 0 || !(value.hi - value.hi == 0)) return Real{value.hi, 0, 0};
  if ((bitCast<std::uint64_t>(value.hi) & kExponentMask) == 0) {  // subnormal: exact scaling up
    value = {value.hi * 0x1p600, value.lo * 0x1p600};
    exponent -= 600;
  }
  const std::int64_t own = exponentOf(value.hi);
  const std::int64_t total = own + exponent;
  if (total >= -kRangeBits && total <= kRangeBits) {
    return Real{withExponent(value.hi, total), scaled(value.lo, exponent), 0};
  }
  if (total > kExponentLimit) return Real{value.hi * std::numeric_limits<double>::infinity(), 0, 0};
  if (total < -kExponentLimit) return Real{value.hi * 0.0, 0, 0};
  return Real{withExponent(value.hi, 0), scaled(value.lo, -own), total};
}

Real Real::slowSum(const Real& x, const Real& y) {
  if (!x.isFinite() || !y.isFinite() || x.isZero() || y.isZero()) {
    if (x.isZero() && y.isFinite()) return y.isZero() ? Real(x.hi_ + y.hi_) : y;
    if (y.isZero() && x.isFinite()) return x;
    return Real(x.hi_ + y.hi_);
  }
  if (x.exponent_ == y.exponent_) return normalised(x.mantissa() + y.mantissa(), x.exponent_);
  const bool xLarger = exponentOf(x.hi_) + x.exponent_ >= exponentOf(y.hi_) + y.exponent_;
  const Real& large = xLarger ? x : y;
  const Real& small = xLarger ? y : x;
  const std::int64_t gap = exponentOf(large.hi_) + large.exponent_ - (exponentOf(small.hi_) + small.exponent_);
  if (gap > 120) return large;
  // The smaller one in the larger one's frame: no lower than 2^-601 there.
  const std::int64_t shift = small.exponent_ - large.exponent_;
  const DoubleDouble aligned{withExponent(small.hi_, exponentOf(small.hi_) + shift), scaled(small.lo_, shift)};
  return normalised(large.mantissa() + aligned, large.exponent_);
}

Real Real::slowProduct(const Real& x, const Real& y) {
  if (!x.isFinite() || !y.isFinite() || x.isZero() || y.isZero()) return Real(x.hi_ * y.hi_);
  return normalised(x.mantissa() * y.mantissa(), x.exponent_ + y.exponent_);
}

Real Real::slowQuotient(const Real& x, const Real& y) {
  if (!x.isFinite() || !y.isFinite() || x.isZero() || y.isZero()) return Real(x.hi_ / y.hi_);
  return normalised(x.mantissa() / y.mantissa(), x.exponent_ - y.exponent_);
}

Real ldexp(const Real& x, std::int64_t n) {
  constexpr std::int64_t kClamp = std::int64_t{1} << 40;
  n = n > kClamp ? kClamp : (n < -kClamp ? -kClamp : n);
  return Real::normalised(x.mantissa(), x.exponent_ + n);
}

std::int64_t Real::binaryExponent() const {
  const std::int64_t own = exponentOf(hi_) + exponent_;
  // A power of two with a low part of the other sign lies just below it.
  const bool belowPowerOfTwo = (bitCast<std::uint64_t>(hi_) & kMantissaMask) == 0 && (hi_ > 0) != (lo_ > 0) && lo_ != 0;
  return belowPowerOfTwo ? own - 1 : own;
}

double Real::toDouble() const {
  if (exponent_ == 0) return hi_;  // hi is the double nearest to hi + lo
  const std::int64_t own = exponentOf(hi_);
  const std::int64_t total = own + exponent_;
  if (total > 1023) return hi_ * std::numeric_limits<double>::infinity();
  if (total >= -1022) return withExponent(hi_, total);  // a normal result rounds as hi did
  if (total < -1075) return hi_ * 0.0;
  // Below the normals: round |value| / 2^-1074 to an integer, ties to even.
  // t is exact and f = t - n too; the low part moves the value by less than
  // half of t's last place, so it decides only exact halves.
  const double t = withExponent(hi_ < 0 ? -hi_ : hi_, total + 1074);
  const auto n = static_cast<std::uint64_t>(t);
  const double f = t - static_cast<double>(n);
  const double lowTowardsHi = hi_ < 0 ? -lo_ : lo_;
  const bool up = f > 0.5 || (f == 0.5 && (lowTowardsHi > 0 || (lowTowardsHi == 0 && (n & 1) != 0)));
  const double magnitude = static_cast<double>(n + (up ? 1 : 0)) * 0x1p-1074;
  return hi_ < 0 ? -magnitude : magnitude;
}

DoubleDouble Real::toDoubleDouble() const {
  if (exponent_ == 0) return {hi_, lo_};
  const std::int64_t total = exponentOf(hi_) + exponent_;
  if (total < -900 || total >= 1000) return {std::numeric_limits<double>::quiet_NaN(), 0};
  return {withExponent(hi_, total), scaled(lo_, exponent_)};
}

Real sqrt(const Real& x) {
  if (x.exponent() == 0) return Real(sqrt(x.mantissa()));
  // An even exponent halves exactly.
  const std::int64_t odd = x.exponent() & 1;
  const DoubleDouble m = x.mantissa();
  const DoubleDouble root = sqrt(DoubleDouble{odd != 0 ? 2 * m.hi : m.hi, odd != 0 ? 2 * m.lo : m.lo});
  return ldexp(Real(root), (x.exponent() - odd) / 2);
}

}  // namespace channelflow::numeric
