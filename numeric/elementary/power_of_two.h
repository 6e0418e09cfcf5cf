// Exact scaling by powers of two through the bits of a double.
#pragma once

#include "numeric/elementary/bits.h"

#include <cstdint>

namespace channelflow::numeric {

// The unbiased exponent field of a normal x: floor(log2 |x|).
inline std::int64_t exponentOf(double x) {
  return static_cast<std::int64_t>(bitCast<std::uint64_t>(x) >> 52 & 0x7FF) - 1023;
}

// 2^n for -1022 <= n <= 1023.
inline double powerOfTwo(std::int64_t n) { return bitCast<double>(static_cast<std::uint64_t>(n + 1023) << 52); }

// A normal x with its exponent field set to -1022 <= exponent <= 1023: exact.
inline double withExponent(double x, std::int64_t exponent) {
  constexpr std::uint64_t kExponentMask = std::uint64_t{0x7FF} << 52;
  return bitCast<double>((bitCast<std::uint64_t>(x) & ~kExponentMask) | (static_cast<std::uint64_t>(exponent + 1023) << 52));
}

// x * 2^n for any n: exact unless the result leaves the normal range, and
// rounded at most twice then (it only scales low parts that far).
inline double scaled(double x, std::int64_t n) {
  while (n > 1023) {
    x *= 0x1p1023;
    n -= 1023;
    if (x - x != 0) return x;
  }
  while (n < -1022) {
    x *= 0x1p-1022;
    n += 1022;
    if (x == 0) return x;
  }
  return x * powerOfTwo(n);
}

}  // namespace channelflow::numeric
