#include "numeric/text/significant_digits.h"

#include "numeric/text/binary_parts.h"
#include "numeric/text/decimal_tables.h"
#include "numeric/text/exact_decimal.h"
#include "numeric/text/wide_integer.h"

#include <bit>

namespace channelflow::numeric {
namespace {

using decimal_tables::kWholePowersOfTen;

constexpr std::uint64_t kHalf = std::uint64_t{1} << 63;

// value x 10^k as an integer, the next 64 bits of its fraction, and whether
// any bit beyond those is set.
struct Scaled {
  std::uint64_t integer = 0;
  std::uint64_t fraction = 0;
  bool sticky = false;
};

// Divides a scaled value by ten, for a guess of the exponent that was one low.
void divideByTen(Scaled& s) {
  const std::uint64_t digit = s.integer % 10;
  s.integer /= 10;
  // (digit x 2^64 + fraction) / 10 in two 32-bit steps: each quotient fits.
  const std::uint64_t upper = (digit << 32) | (s.fraction >> 32);
  const std::uint64_t lower = ((upper % 10) << 32) | (s.fraction & 0xFFFFFFFFu);
  s.fraction = ((upper / 10) << 32) | (lower / 10);
  s.sticky = s.sticky || lower % 10 != 0;
}

// A whole value below 2^64 rounded to `count` digits exactly, when it has
// more of them (places = how many go, 1..19).
std::uint64_t roundWhole(std::uint64_t whole, int places) {
  const std::uint64_t unit = kWholePowersOfTen[places];
  const std::uint64_t quotient = whole / unit, remainder = whole % unit, half = unit / 2;
  return quotient + ((remainder > half || (remainder == half && (quotient & 1) != 0)) ? 1 : 0);
}

// The value if it is a whole number below 2^64, else 0.
std::uint64_t wholeBelow2To64(const BinaryParts& parts) {
  if (parts.exponent >= 0) return parts.exponent <= 10 ? parts.significand << parts.exponent : 0;
  if (parts.exponent < -52) return 0;
  const int drop = -parts.exponent;
  return (parts.significand & ((std::uint64_t{1} << drop) - 1)) == 0 ? parts.significand >> drop : 0;
}

}  // namespace

RoundedDecimal roundToSignificantDigits(double value, int count) {
  using namespace decimal_tables;
  const BinaryParts parts = binaryParts(value);
  const int leadingZeros = std::countl_zero(parts.significand);
  const std::uint64_t significand = parts.significand << leadingZeros;  // top bit set
  const int exponent2 = parts.exponent - leadingZeros;                  // value = significand x 2^exponent2
  // The decimal exponent is this guess or one more.
  int exponent10 = decimalExponent(exponent2 + 63);
  const int k = count - 1 - exponent10;
  const Significand& power = kTenPowers[k - kMinPower];

  // value x 10^k = significand x power x 2^-shift, a 192-bit product at or
  // just above the exact one, in [10^(count-1), 10^(count+1)): shift - 128 is
  // in 3..63.
  const int shift = 127 - binaryExponent(k) - exponent2;
  const U128 high = multiply(significand, power.hi);
  const U128 low = power.lo == 0 ? U128{} : multiply(significand, power.lo);  // 0 up to 10^27
  const std::uint64_t middle = high.lo + low.hi;
  const std::uint64_t top = high.hi + (middle < high.lo ? 1 : 0);
  const int r = shift - 128;
  Scaled scaled{top >> r, (top << (64 - r)) | (middle >> r), (middle << (64 - r)) != 0 || low.lo != 0};
  if (scaled.integer >= kWholePowersOfTen[count]) {
    divideByTen(scaled);
    ++exponent10;
  }

  std::uint64_t digits = scaled.integer;
  const bool exactPower = k >= 0 && k <= 55;
  if (!exactPower && scaled.fraction - (kHalf - 2) <= 3) {
    // Too near a half to tell from the product. Only whole values can be
    // exact ties here: below 2^64 they are rounded in integers, and the rest
    // take the exact decimal path.
    const std::uint64_t whole = wholeBelow2To64(parts);
    if (whole == 0) return exactSignificantDigits(value, count);
    digits = roundWhole(whole, exponent10 + 1 - count);
  } else if (scaled.fraction > kHalf || (scaled.fraction == kHalf && (scaled.sticky || (digits & 1) != 0))) {
    ++digits;
  }
  if (digits == kWholePowersOfTen[count]) {  // rounded up into the next decade
    digits = kWholePowersOfTen[count - 1];
    ++exponent10;
  }
  return {digits, exponent10};
}

}  // namespace channelflow::numeric
