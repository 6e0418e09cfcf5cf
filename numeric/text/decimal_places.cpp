#include "numeric/text/decimal_places.h"

#include "numeric/text/binary_parts.h"
#include "numeric/text/decimal_tables.h"
#include "numeric/text/wide_integer.h"

namespace channelflow::numeric {
namespace {

using decimal_tables::kWholePowersOfTen;

// Bit `k` (0..127) of n.
bool bitAt(const U128& n, int k) { return ((k < 64 ? n.lo >> k : n.hi >> (k - 64)) & 1) != 0; }

// n >> k for k in 1..127, the result known to fit 64 bits.
std::uint64_t shiftRight(const U128& n, int k) {
  if (k < 64) return (n.lo >> k) | (n.hi << (64 - k));
  return n.hi >> (k - 64);
}

}  // namespace

RoundedPlaces roundToDecimalPlaces(double value, int places) {
  const BinaryParts parts = binaryParts(value);
  if (parts.exponent >= 0) return {parts.significand << parts.exponent, 0};  // whole from 2^52 on
  const int drop = -parts.exponent;  // value = significand / 2^drop
  RoundedPlaces result;
  std::uint64_t fractionBits = parts.significand;  // the fraction is fractionBits / 2^drop
  if (drop < 64) {
    result.whole = parts.significand >> drop;
    fractionBits &= (std::uint64_t{1} << drop) - 1;
  }
  // fractionBits x 10^places < 2^53 x 2^50: from 2^-104 on the fraction
  // times 10^places is below one half and rounds to 0.
  if (drop > 103) return result;
  const U128 scaled = multiply(fractionBits, kWholePowersOfTen[places]);
  result.decimals = shiftRight(scaled, drop) + (bitAt(scaled, drop - 1) ? 1 : 0);  // a half goes up
  if (result.decimals == kWholePowersOfTen[places]) {
    result.decimals = 0;
    ++result.whole;
  }
  return result;
}

}  // namespace channelflow::numeric
