#include "numeric/text/decimal.h"

#include <array>

#include "numeric/text/decimal_tables.h"
#include "numeric/text/exact_decimal.h"

namespace channelflow::numeric {
namespace {

constexpr std::array<double, 23> kPowersOfTen{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                              1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Aligned significands stay below 2^62, so that a sum or difference of two stays below 2^63.
constexpr std::int64_t kAlignedLimit = std::int64_t{1} << 62;

std::int64_t magnitude(std::int64_t x) { return x < 0 ? -x : x; }

// x exactly as a double-double, for |x| < 2^63: its two 32-bit halves are
// exact doubles, whatever the platform converts 64-bit integers with.
Real realOfInteger(std::int64_t x) {
  const std::int64_t high = x >> 32;  // arithmetic: the low half is then in [0, 2^32)
  const std::int64_t low = x - high * (std::int64_t{1} << 32);
  const double highPart = static_cast<double>(static_cast<std::int32_t>(high)) * 0x1p32;
  const double lowPart = static_cast<double>(static_cast<std::int32_t>(low - 0x80000000LL)) + 2147483648.0;
  return Real(twoSum(highPart, lowPart));
}

// significand x 10^exponent: one double-double operation for |exponent| <= 22
// (within 2^-104; exact for a significand below 2^53 and exponent >= 0).
Real realOf(std::int64_t significand, int exponent) {
  Real value = realOfInteger(significand);
  for (; exponent > 22; exponent -= 22) value = value * kPowersOfTen[22];
  for (; exponent < -22; exponent += 22) value = value / kPowersOfTen[22];
  return exponent >= 0 ? value * kPowersOfTen[static_cast<std::size_t>(exponent)]
                       : value / kPowersOfTen[static_cast<std::size_t>(-exponent)];
}

// The double nearest to significand x 10^exponent: one IEEE operation where
// both factors are exact doubles, else the exact conversion of its digits.
double nearestOf(std::int64_t significand, int exponent) {
  const std::int64_t m = magnitude(significand);
  double value = 0;
  if (m <= (std::int64_t{1} << 53) && exponent >= -22 && exponent <= 22) {
    const auto exact = static_cast<double>(m);
    value = exponent >= 0 ? exact * kPowersOfTen[static_cast<std::size_t>(exponent)]
                          : exact / kPowersOfTen[static_cast<std::size_t>(-exponent)];
  } else {
    std::array<char, 20> digits{};
    std::size_t count = 0;
    for (std::int64_t rest = m; rest > 0; rest /= 10) digits[count++] = static_cast<char>('0' + rest % 10);
    for (std::size_t k = 0; k < count / 2; ++k) std::swap(digits[k], digits[count - 1 - k]);
    value = exactDecimalToDouble(std::string_view(digits.data(), count), exponent);
  }
  return significand < 0 ? -value : value;
}

// significand x 10^exponent with the significand's trailing zeros moved
// into the exponent: equal values give the same Real, bit for bit.
Real canonicalReal(std::int64_t significand, int exponent) {
  if (significand == 0) return Real(0);
  for (; significand % 10 == 0 && exponent < 22; significand /= 10) ++exponent;
  return realOf(significand, exponent);
}

// x * 10^places below kAlignedLimit in magnitude, or nothing.
std::optional<std::int64_t> aligned(std::int64_t x, int places) {
  if (places < 0 || places > 18) return std::nullopt;  // 10^18 is the largest below 2^62
  const auto scale = static_cast<std::int64_t>(decimal_tables::kWholePowersOfTen[places]);
  if (magnitude(x) >= kAlignedLimit / scale) return std::nullopt;
  return x * scale;
}

}  // namespace

Decimal::Decimal(double value) : decimal_(false), nearest_(value), real_(value) {}

Decimal::Decimal(std::int64_t significand, int exponent, double nearest)
    : significand_(significand), exponent_(exponent), nearest_(nearest), real_(realOf(significand, exponent)) {}

Decimal Decimal::ofReal(const Real& value) {
  Decimal d;
  d.decimal_ = false;
  d.nearest_ = value.toDouble();
  d.real_ = value;
  return d;
}

Decimal Decimal::of(std::int64_t significand, int exponent) {
  if (significand == 0) return Decimal();
  while (significand % 10 == 0 && exponent < kExponentLimit) {
    significand /= 10;
    ++exponent;
  }
  Decimal d(significand, exponent, nearestOf(significand, exponent));
  d.decimal_ = magnitude(significand) < kSignificandLimit && exponent >= -kExponentLimit && exponent <= kExponentLimit;
  return d;
}

Real difference(const Decimal& a, const Decimal& b) {
  if (a.decimal_ && b.decimal_) {
    const bool aCoarser = a.exponent_ >= b.exponent_;
    const Decimal& coarse = aCoarser ? a : b;
    const Decimal& fine = aCoarser ? b : a;
    if (const std::optional<std::int64_t> scaled = aligned(coarse.significand_, coarse.exponent_ - fine.exponent_)) {
      return canonicalReal(aCoarser ? *scaled - fine.significand_ : fine.significand_ - *scaled, fine.exponent_);
    }
  }
  return a.real_ - b.real_;
}

int compare(const Decimal& a, const Decimal& b) {
  if (a.decimal_ && b.decimal_) {
    const bool aCoarser = a.exponent_ >= b.exponent_;
    const Decimal& coarse = aCoarser ? a : b;
    const Decimal& fine = aCoarser ? b : a;
    if (const std::optional<std::int64_t> scaled = aligned(coarse.significand_, coarse.exponent_ - fine.exponent_)) {
      const std::int64_t x = aCoarser ? *scaled : a.significand_, y = aCoarser ? b.significand_ : *scaled;
      return x < y ? -1 : (y < x ? 1 : 0);
    }
  }
  return compare(a.real_, b.real_);
}

Decimal Decimal::advanced(const Decimal& step, std::int64_t count) const {
  if (decimal_ && step.decimal_ && magnitude(count) < kAlignedLimit) {
    const int place = exponent_ < step.exponent_ ? exponent_ : step.exponent_;
    const std::optional<std::int64_t> start = aligned(significand_, exponent_ - place);
    const std::optional<std::int64_t> unit = aligned(step.significand_, step.exponent_ - place);
    if (start && unit && (*unit == 0 || magnitude(count) < kAlignedLimit / magnitude(*unit))) {
      return of(*start + *unit * count, place);
    }
  }
  return ofReal(real_ + step.real_ * Real(static_cast<double>(count)));
}

std::optional<std::int64_t> wholeSteps(const Decimal& from, const Decimal& to, const Decimal& step) {
  if (!(from.decimal_ && to.decimal_ && step.decimal_)) return std::nullopt;
  int place = from.exponent_ < to.exponent_ ? from.exponent_ : to.exponent_;
  place = step.exponent_ < place ? step.exponent_ : place;
  const std::optional<std::int64_t> start = aligned(from.significand_, from.exponent_ - place);
  const std::optional<std::int64_t> end = aligned(to.significand_, to.exponent_ - place);
  const std::optional<std::int64_t> unit = aligned(step.significand_, step.exponent_ - place);
  if (!start || !end || !unit || !(*unit > 0) || *end < *start) return std::nullopt;
  return (*end - *start) / *unit;
}

}  // namespace channelflow::numeric
