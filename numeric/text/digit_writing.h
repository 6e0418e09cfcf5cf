// Decimal digits of integers written two at a time from a table of pairs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace channelflow::numeric {

inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes `value` (below 100) as two digits.
inline void writePair(std::uint32_t value, char* out) { std::memcpy(out, kDigitPairs + 2 * value, 2); }

// Writes `value` (below 10^8) as eight digits: four pairs that do not wait
// on one another.
inline void writeEightDigits(std::uint32_t value, char* out) {
  const std::uint32_t high = value / 10000, low = value % 10000;
  writePair(high / 100, out);
  writePair(high % 100, out + 2);
  writePair(low / 100, out + 4);
  writePair(low % 100, out + 6);
}

// Writes `value` (below 10^9) as nine digits, leading zeros included.
inline void writeNineDigits(std::uint32_t value, char* out) {
  out[0] = static_cast<char>('0' + value / 100000000);
  writeEightDigits(value % 100000000, out + 1);
}

// Writes `value` (below 10^17) as 17 digits, leading zeros included.
inline void writeSeventeenDigits(std::uint64_t value, char* out) {
  writeNineDigits(static_cast<std::uint32_t>(value / 100000000), out);  // below 10^9
  writeEightDigits(static_cast<std::uint32_t>(value % 100000000), out + 9);
}

// Writes a whole number without leading zeros; returns its length.
inline std::size_t writeWhole(std::uint64_t value, char* out) {
  std::array<char, 20> text{};
  char* first = text.data() + text.size();
  for (; value >= 100; value /= 100) {
    first -= 2;
    writePair(static_cast<std::uint32_t>(value % 100), first);
  }
  if (value >= 10) {
    first -= 2;
    writePair(static_cast<std::uint32_t>(value), first);
  } else {
    *--first = static_cast<char>('0' + value);
  }
  const auto length = static_cast<std::size_t>(text.data() + text.size() - first);
  std::memcpy(out, first, length);
  return length;
}

}  // namespace channelflow::numeric
