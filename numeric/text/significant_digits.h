// A double rounded to a count of significant decimal digits, as the text
// forms show it.
#pragma once

#include <cstdint>

namespace channelflow::numeric {

inline constexpr int kMaxSignificantDigits = 17;

struct RoundedDecimal {
  std::uint64_t significand = 0;  // exactly `count` digits: 10^(count-1) <= significand < 10^count
  int exponent = 0;               // its first digit stands at 10^exponent
};

// Rounds a positive finite value to `count` (1..17) significant digits, to
// nearest with ties to even, from its exact binary value.
//
// One product of the 53-bit significand with a 128-bit power of ten gives
// value x 10^k (below 2^60) too large by less than 2^-67: the power is rounded
// up by less than 2^-127 of itself, and exact for 10^0..10^55. The 64-bit
// fraction read from it (cut, so 2^-64 lower still) therefore rounds as the
// exact value does unless it lies within 2^-63 of one half. Only then, and
// only for an inexact power, is the rounding settled exactly: in 64-bit
// integers for whole values below 2^64, else with the decimal buffer of
// exact_decimal.h. Exact powers know their ties from the product itself.
RoundedDecimal roundToSignificantDigits(double value, int count);

}  // namespace channelflow::numeric
