#include "numeric/text/whole_digits.h"

#include "numeric/text/binary_parts.h"
#include "numeric/text/decimal_tables.h"
#include "numeric/text/digit_writing.h"
#include "numeric/text/wide_integer.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace channelflow::numeric {
namespace {

constexpr std::uint32_t kLimb = 1000000000;

// n / 10^9 in place, 32 bits at a time (each partial dividend below 2^62);
// returns the remainder.
std::uint32_t divideByLimb(U128& n) {
  const std::array<std::uint64_t, 4> chunks{n.hi >> 32, n.hi & 0xFFFFFFFFu, n.lo >> 32, n.lo & 0xFFFFFFFFu};
  std::array<std::uint64_t, 4> quotient{};
  std::uint64_t remainder = 0;
  for (std::size_t k = 0; k < chunks.size(); ++k) {
    const std::uint64_t dividend = (remainder << 32) | chunks[k];
    quotient[k] = dividend / kLimb;
    remainder = dividend % kLimb;
  }
  n = {(quotient[0] << 32) | quotient[1], (quotient[2] << 32) | quotient[3]};
  return static_cast<std::uint32_t>(remainder);
}

}  // namespace

std::size_t writeWholeDigits(double value, char* out) {
  using namespace decimal_tables;
  const BinaryParts parts = binaryParts(value);
  const int step = parts.exponent / 64, rest = parts.exponent % 64;
  // significand x 2^rest is below 2^117: at most four limbs.
  U128 low{rest == 0 ? 0 : parts.significand >> (64 - rest), parts.significand << rest};
  std::array<std::uint32_t, 4> a{};
  int aCount = 0;
  while (low.hi != 0 || low.lo != 0) a[static_cast<std::size_t>(aCount++)] = divideByLimb(low);

  // The product with 2^(64 step), a column at a time: at most four products
  // below 10^18 each and a carry, below 2^62.
  const LimbRange range = kTwoPowers[step];
  const std::uint32_t* const b = kTwoPowerLimbs + range.first;
  const int bCount = range.count;
  std::array<std::uint32_t, 40> product{};
  const int count = aCount + bCount;
  std::uint64_t carry = 0;
  for (int c = 0; c < count; ++c) {
    std::uint64_t sum = carry;
    for (int i = std::max(0, c - bCount + 1); i <= std::min(c, aCount - 1); ++i) {
      sum += static_cast<std::uint64_t>(a[static_cast<std::size_t>(i)]) * b[c - i];
    }
    product[static_cast<std::size_t>(c)] = static_cast<std::uint32_t>(sum % kLimb);
    carry = sum / kLimb;
  }
  int top = count - 1;
  while (product[static_cast<std::size_t>(top)] == 0) --top;

  std::size_t length = writeWhole(product[static_cast<std::size_t>(top)], out);
  for (int k = top - 1; k >= 0; --k, length += 9) writeNineDigits(product[static_cast<std::size_t>(k)], out + length);
  return length;
}

}  // namespace channelflow::numeric
