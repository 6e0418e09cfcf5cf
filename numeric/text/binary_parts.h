// A double's value as an integer times a power of two, read from its bits.
#pragma once

#include <cstdint>
#include <cstring>

namespace channelflow::numeric {

// |value| = significand x 2^exponent, exactly; significand below 2^53, and
// below 2^52 with exponent -1074 for subnormals and zero. For finite values.
struct BinaryParts {
  std::uint64_t significand = 0;
  int exponent = 0;
};

inline BinaryParts binaryParts(double value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  const auto biased = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  if (biased == 0) return {fraction, -1074};
  return {fraction | (std::uint64_t{1} << 52), biased - 1075};
}

}  // namespace channelflow::numeric
