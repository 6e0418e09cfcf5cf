// The slow, exact path of the correctly rounded power: log and exp in
// fixed point on 32-bit integer limbs, repeated at higher precision until the
// rounding is decided.
#pragma once

#include <optional>

namespace channelflow::numeric {

// x^y correctly rounded, for x > 0 finite and not 1, y finite with
// 2^-70 <= |y| <= 2^64, and x^y neither a double nor a midpoint (see
// exactPower). Overflow gives +inf, underflow the rounded subnormal or 0.
double multiLimbPower(double x, double y);

// One attempt at a fixed precision of 8, 16 or 40 limbs (224, 480 or 1248
// fraction bits), for the tests: nullopt when the rounding stays undecided
// (the 40-limb attempt always decides).
std::optional<double> multiLimbPowerAt(int limbs, double x, double y);

}  // namespace channelflow::numeric
