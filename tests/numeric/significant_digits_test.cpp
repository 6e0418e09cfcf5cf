// The rounding to significant digits from one wide product against the exact
// decimal path it falls back on: over doubles of every exponent, and over
// exact ties and their neighbours, where only an exact decision is right.
#include "numeric/text/exact_decimal.h"
#include "numeric/text/significant_digits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

namespace channelflow::numeric {
namespace {

double fromBits(std::uint64_t bits) {
  double value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// Both paths on one value and count; false (with the value named) when they differ.
::testing::AssertionResult samePath(double value, int count) {
  const RoundedDecimal fast = roundToSignificantDigits(value, count);
  const RoundedDecimal exact = exactSignificantDigits(value, count);
  if (fast.significand == exact.significand && fast.exponent == exact.exponent) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << std::hexfloat << value << " to " << count << " digits: " << fast.significand
                                       << "e" << fast.exponent << ", exactly " << exact.significand << "e"
                                       << exact.exponent;
}

// The exact path takes some 20 us a double at the ends of the range, so the
// sample is sized to keep this test near a second and a half; the MPFR test
// compares a million more.
TEST(RoundToSignificantDigits, AgreesWithTheExactPathOverEveryExponent) {
  std::mt19937_64 random(2024);
  std::uniform_int_distribution<std::uint64_t> bits(1, 0x7FEFFFFFFFFFFFFF);
  for (int k = 0; k < 150000; ++k) {
    const std::uint64_t raw = bits(random) >> (k % 8 == 0 ? 12 : 0);  // one in eight subnormal
    ASSERT_TRUE(samePath(fromBits(raw | 1), 1 + k % 17));
  }
}

// Exact ties: fractions j / 2^s (j odd) end in a 5 that some count cuts in
// half, and wholes (2r + 1) x 5^q x 2^(q-1) are ties at 10^q, below 2^64 and
// beyond it. Their neighbours miss a half by the least a double can.
TEST(RoundToSignificantDigits, SettlesTiesAndTheirNeighboursExactly) {
  std::mt19937_64 random(5);
  const auto checkAround = [](double tie) {
    for (double value : {tie, std::nextafter(tie, 0.0), std::nextafter(tie, std::numeric_limits<double>::infinity())}) {
      for (int count = 1; count <= kMaxSignificantDigits; ++count) ASSERT_TRUE(samePath(value, count));
    }
  };
  for (int k = 0; k < 3000; ++k) {
    const int bits = 1 + k % 40;
    const std::uint64_t odd = (random() >> (64 - bits)) | 1;
    checkAround(std::ldexp(static_cast<double>(odd), -static_cast<int>(random() % 24)));
    const int q = 1 + k % 22;  // 5 x 10^21 is beyond 2^64
    std::uint64_t whole = (random() >> (64 - 1 - k % 12)) | 1;
    for (int five = 0; five < q; ++five) whole *= 5;
    if (whole < (std::uint64_t{1} << 53)) checkAround(std::ldexp(static_cast<double>(whole), q - 1));
  }
}

}  // namespace
}  // namespace channelflow::numeric
