// The 15 significant digits of a double, as the default text form shows them.
#pragma once

#include <array>

namespace channelflow::numeric {

struct FifteenDigits {
  std::array<char, 15> digits{};  // '1'..'9' first, trailing zeros kept
  int exponent = 0;               // the first digit stands at 10^exponent
};

// Rounds a positive finite value to 15 significant digits, to nearest with
// ties to even, from its exact binary value.
FifteenDigits roundToFifteenDigits(double value);

}  // namespace channelflow::numeric
