#include "numeric/elementary/power_exact_cases.h"

#include "numeric/elementary/bits.h"

#include <bit>
#include <limits>

namespace channelflow::numeric {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr std::uint64_t kFractionMask = (std::uint64_t{1} << 52) - 1;

// A finite nonzero double as odd * 2^exponent.
struct OddParts {
  std::uint64_t odd;
  int exponent;
};

OddParts oddParts(double value) {
  const std::uint64_t bits = bitCast<std::uint64_t>(value) & ~(std::uint64_t{1} << 63);
  const int biased = static_cast<int>(bits >> 52);
  std::uint64_t mantissa = bits & kFractionMask;
  int exponent = -1074;
  if (biased != 0) {
    mantissa |= std::uint64_t{1} << 52;
    exponent = biased - 1075;
  }
  const int zeros = std::countr_zero(mantissa);
  return {mantissa >> zeros, exponent + zeros};
}

// base^count when it stays below 2^54, else nullopt.
std::optional<std::uint64_t> smallPower(std::uint64_t base, std::uint64_t count) {
  constexpr std::uint64_t kLimit = std::uint64_t{1} << 54;
  std::uint64_t result = 1;
  for (std::uint64_t i = 0; i < count; ++i) {
    if (result > kLimit / base) return std::nullopt;
    result *= base;
    if (result >= kLimit) return std::nullopt;
  }
  return result;
}

// The integer square root of value when value is a perfect square.
std::optional<std::uint64_t> exactSquareRoot(std::uint64_t value) {
  std::uint64_t root = std::uint64_t{1} << ((std::bit_width(value) + 1) / 2U);
  while (true) {
    const std::uint64_t next = (root + value / root) / 2;
    if (next >= root) break;
    root = next;
  }
  if (root * root != value) return std::nullopt;
  return root;
}

}  // namespace

double roundToDouble(std::uint64_t mantissa, int exponent) {
  if (mantissa == 0) return 0.0;
  const auto width = static_cast<int>(std::bit_width(mantissa));
  const int lead = exponent + width - 1;  // exponent of the leading bit
  if (lead >= 1024) return kInfinity;
  // Significant bits a double keeps at this magnitude: 53, fewer below 2^-1022.
  const int kept = lead >= -1022 ? 53 : lead + 1075;
  const int dropped = width - kept;
  std::uint64_t quotient = 0;
  if (dropped <= 0) {
    quotient = mantissa << -dropped;
  } else if (dropped <= 64) {
    quotient = dropped == 64 ? 0 : mantissa >> dropped;
    const std::uint64_t rest = dropped == 64 ? mantissa : mantissa & ((std::uint64_t{1} << dropped) - 1);
    const std::uint64_t half = std::uint64_t{1} << (dropped - 1);
    if (rest > half || (rest == half && (quotient & 1) != 0)) ++quotient;
  }  // more than 64 dropped bits: below half the smallest subnormal, 0
  int quantum = exponent + dropped;  // quotient * 2^quantum
  if (quotient == 0) return 0.0;
  if (quantum == -1074 && quotient <= (std::uint64_t{1} << 52)) {
    return bitCast<double>(quotient);  // subnormal, or the carry into the smallest normal
  }
  if (quotient >= (std::uint64_t{1} << 53)) {
    quotient >>= 1;
    ++quantum;
  }
  const int biased = quantum + 52 + 1023;
  if (biased >= 2047) return kInfinity;
  return bitCast<double>((static_cast<std::uint64_t>(biased) << 52) | (quotient & kFractionMask));
}

std::optional<double> exactPower(double x, double y) {
  const OddParts base = oddParts(x);
  const OddParts power = oddParts(y);
  const bool negativeExponent = y < 0;
  if (base.odd == 1) {
    // x = 2^e: x^y = 2^(e*y), a power of two when e*y is an integer.
    if (base.exponent == 0) return 1.0;
    if (y > 0x1p31 || y < -0x1p31) {
      const bool grows = (base.exponent > 0) != negativeExponent;
      return grows ? kInfinity : 0.0;
    }
    // |e| <= 1126 < 2^11: no 2^11 or higher power divides it.
    if (power.exponent < 0 && (power.exponent < -10 || base.exponent % (1 << -power.exponent) != 0)) {
      return std::nullopt;
    }
    // e*y is an integer below 2^42 in magnitude, so the product is exact.
    const auto n = static_cast<long long>(static_cast<double>(base.exponent) * y);
    if (n >= 1024) return kInfinity;
    if (n < -1100) return 0.0;
    return roundToDouble(1, static_cast<int>(n));
  }
  // An odd part of 3 or more: 1/x^|y| has an odd denominator, never a double.
  if (negativeExponent) return std::nullopt;
  std::uint64_t root = base.odd;
  int exponent = base.exponent;
  if (power.exponent < 0) {
    // y = odd / 2^q: x must be a 2^q-th power, and 3^64 > 2^53 bounds q by 5.
    const int q = -power.exponent;
    if (q > 5 || exponent % (1 << q) != 0) return std::nullopt;
    for (int i = 0; i < q; ++i) {
      const auto next = exactSquareRoot(root);
      if (!next) return std::nullopt;
      root = *next;
    }
    exponent /= 1 << q;
  }
  // Now x^y = (root * 2^exponent)^count, root odd and at least 3.
  if (y > 64) return std::nullopt;
  const auto count = static_cast<std::uint64_t>(power.exponent < 0 ? power.odd : static_cast<std::uint64_t>(y));
  const auto odd = smallPower(root, count);
  if (!odd) return std::nullopt;
  return roundToDouble(*odd, exponent * static_cast<int>(count));
}

}  // namespace channelflow::numeric
