// A double rounded to a count of decimal places, as the fixed text form
// shows it.
#pragma once

#include <cstdint>

namespace channelflow::numeric {

inline constexpr int kMaxDecimalPlaces = 15;

struct RoundedPlaces {
  std::uint64_t whole = 0;     // the digits before the point
  std::uint64_t decimals = 0;  // the digits after it, as an integer below 10^places
};

// Rounds |value| (finite, below 2^64) to `places` (0..15) decimal places, to
// nearest with ties away from zero, from its exact binary value. Exact in
// 64-bit integers: the fraction's bits times 10^places fit in 103 bits.
RoundedPlaces roundToDecimalPlaces(double value, int places);

}  // namespace channelflow::numeric
