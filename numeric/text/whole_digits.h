// The exact decimal digits of a large whole double.
#pragma once

#include <cstddef>

namespace channelflow::numeric {

// Writes the digits of a finite value of at least 2^52 (so whole: its binary
// exponent is not negative) to `out`, which holds the 309 of the largest
// double; no sign, no leading zero. Returns the count written. Exact: its
// significand times 2^(exponent mod 64), in base 10^9, times 2^(64 j) from
// decimal_tables.h.
std::size_t writeWholeDigits(double value, char* out);

}  // namespace channelflow::numeric
