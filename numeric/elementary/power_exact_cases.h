// The powers whose value is exactly a double or exactly halfway between two
// neighbouring doubles. The correctly rounded power asks here before its
// high-precision search, which could never decide such a value by
// approximation alone.
#pragma once

#include <cstdint>
#include <optional>

namespace channelflow::numeric {

// mantissa * 2^exponent rounded once to the nearest double (ties to even):
// +inf beyond the range, the rounded subnormal or +0 below it.
double roundToDouble(std::uint64_t mantissa, int exponent);

// x^y rounded, when x^y is a double or a midpoint; nullopt otherwise (the
// value is then irrational or needs more than 54 significant bits).
// x > 0 finite, y finite and not 0.
std::optional<double> exactPower(double x, double y);

}  // namespace channelflow::numeric
