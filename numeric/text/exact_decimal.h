// Exact conversions between decimal numbers and doubles for the cases the
// short paths leave: texts of many digits or large exponents, and doubles
// outside 1E-05 .. 1E+15. They work on a buffer of decimal digits that is
// multiplied and divided by powers of two, with integer arithmetic only, so
// every platform and every floating-point unit gives the same bits.
#pragma once

#include "numeric/text/significant_digits.h"

#include <cstdint>
#include <string_view>

namespace channelflow::numeric {

// The double nearest to the number `digits` x 10^exponent, ties to even.
// `digits` holds decimal digits with at most one "." among them (no sign, no
// exponent), and any number of them. Gives +infinity beyond the largest
// double and 0 below the smallest subnormal's half.
double exactDecimalToDouble(std::string_view digits, std::int64_t exponent);

// Rounds a positive finite double to `count` (1..17) significant digits, to
// nearest with ties to even, from its exact binary value.
RoundedDecimal exactSignificantDigits(double value, int count);

}  // namespace channelflow::numeric
