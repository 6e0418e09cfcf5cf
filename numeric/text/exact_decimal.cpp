#include "numeric/text/exact_decimal.h"

#include "numeric/text/binary_parts.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace channelflow::numeric {
namespace {

// The exact decimal value of any double has at most 767 significant digits,
// so a double's value always fits. A longer text keeps its first digits and
// remembers that it dropped a non-zero one, which decides a rounding that
// would otherwise look like an exact tie.
constexpr int kCapacity = 800;

// Shifts of at most 60 bits keep every intermediate below 2^64.
constexpr int kMaxShift = 60;

// value = 0.d[0] d[1] ... d[count-1] x 10^point, with d[0] != 0 and no
// trailing zeros; count == 0 is zero.
class DecimalBuffer {
 public:
  void assignText(std::string_view text, std::int64_t exponent);
  void assignInteger(std::uint64_t value);

  // Multiplies (k > 0) or divides (k < 0) by 2^|k|.
  void shift(int k) {
    if (count_ == 0) return;
    for (; k > kMaxShift; k -= kMaxShift) shiftLeft(kMaxShift);
    for (; k < -kMaxShift; k += kMaxShift) shiftRight(kMaxShift);
    if (k > 0) shiftLeft(k);
    if (k < 0) shiftRight(-k);
  }

  // Keeps n significant digits, rounded to nearest with ties to even.
  void roundToDigits(int n);

  // The integer part rounded to nearest, ties to even; below 2^64 by use.
  std::uint64_t roundedInteger() const;

  bool isZero() const { return count_ == 0; }
  std::int64_t point() const { return point_; }
  int count() const { return count_; }
  int digit(int k) const { return digits_[static_cast<std::size_t>(k)]; }

 private:
  void shiftLeft(int k);
  void shiftRight(int k);
  bool roundsUpAt(int n) const;
  void trim() {
    while (count_ > 0 && digits_[static_cast<std::size_t>(count_ - 1)] == 0) --count_;
    if (count_ == 0) point_ = 0;
  }

  std::array<std::uint8_t, kCapacity> digits_{};
  int count_ = 0;
  std::int64_t point_ = 0;
  bool truncated_ = false;  // a non-zero digit was dropped beyond the capacity
};

void DecimalBuffer::assignText(std::string_view text, std::int64_t exponent) {
  bool afterPoint = false;
  bool started = false;
  for (char c : text) {
    if (c == '.') {
      afterPoint = true;
      continue;
    }
    const auto digit = static_cast<std::uint8_t>(c - '0');
    if (!started && digit == 0) {
      if (afterPoint) --point_;
      continue;
    }
    started = true;
    if (!afterPoint) ++point_;
    if (count_ < kCapacity) {
      digits_[static_cast<std::size_t>(count_++)] = digit;
    } else if (digit != 0) {
      truncated_ = true;
    }
  }
  trim();
  if (count_ > 0) point_ += exponent;
}

void DecimalBuffer::assignInteger(std::uint64_t value) {
  std::array<std::uint8_t, 20> reversed{};
  int length = 0;
  for (; value > 0; value /= 10) reversed[static_cast<std::size_t>(length++)] = static_cast<std::uint8_t>(value % 10);
  for (int k = 0; k < length; ++k) digits_[static_cast<std::size_t>(k)] = reversed[static_cast<std::size_t>(length - 1 - k)];
  count_ = length;
  point_ = length;
  truncated_ = false;
  trim();
}

void DecimalBuffer::shiftLeft(int k) {
  // From the last digit to the first; 2^60 adds at most 19 digits in front.
  constexpr int kRoom = 19;
  std::array<std::uint8_t, kCapacity + kRoom> out{};
  int position = count_ + kRoom;
  std::uint64_t carry = 0;  // stays below 2^k, so carry + 9 * 2^k < 2^64
  for (int read = count_ - 1; read >= 0; --read) {
    carry += static_cast<std::uint64_t>(digits_[static_cast<std::size_t>(read)]) << k;
    out[static_cast<std::size_t>(--position)] = static_cast<std::uint8_t>(carry % 10);
    carry /= 10;
  }
  for (; carry > 0; carry /= 10) out[static_cast<std::size_t>(--position)] = static_cast<std::uint8_t>(carry % 10);
  const int length = count_ + kRoom - position;
  point_ += length - count_;
  const int kept = std::min(length, kCapacity);
  for (int w = 0; w < kept; ++w) digits_[static_cast<std::size_t>(w)] = out[static_cast<std::size_t>(position + w)];
  for (int w = kept; w < length; ++w) truncated_ = truncated_ || out[static_cast<std::size_t>(position + w)] != 0;
  count_ = kept;
  trim();
}

void DecimalBuffer::shiftRight(int k) {
  int read = 0;
  int write = 0;
  std::uint64_t n = 0;  // below 2^k before each "* 10", so below 2^64 after
  // Take digits until the first quotient digit is not zero.
  for (; (n >> k) == 0; ++read) {
    if (read >= count_) {
      while ((n >> k) == 0) {
        n *= 10;
        ++read;
      }
      break;
    }
    n = n * 10 + digits_[static_cast<std::size_t>(read)];
  }
  point_ -= read - 1;
  const std::uint64_t mask = (std::uint64_t{1} << k) - 1;
  for (; read < count_; ++read) {
    digits_[static_cast<std::size_t>(write++)] = static_cast<std::uint8_t>(n >> k);
    n = (n & mask) * 10 + digits_[static_cast<std::size_t>(read)];
  }
  // The remainder's digits: an exact double's value always fits.
  while (n > 0) {
    const auto digit = static_cast<std::uint8_t>(n >> k);
    n = (n & mask) * 10;
    if (write < kCapacity) {
      digits_[static_cast<std::size_t>(write++)] = digit;
    } else if (digit != 0) {
      truncated_ = true;
    }
  }
  count_ = write;
  trim();
}

// Whether rounding to n digits (n < count) goes up: above half, or an exact
// half with an odd digit before it. A dropped digit makes a half more.
bool DecimalBuffer::roundsUpAt(int n) const {
  const int next = digits_[static_cast<std::size_t>(n)];
  if (next == 5 && n + 1 == count_) {
    if (truncated_) return true;
    return n > 0 && digits_[static_cast<std::size_t>(n - 1)] % 2 == 1;
  }
  return next >= 5;
}

void DecimalBuffer::roundToDigits(int n) {
  if (n >= count_) return;
  if (!roundsUpAt(n)) {
    count_ = n;
    trim();
    return;
  }
  for (int k = n - 1; k >= 0; --k) {
    if (digits_[static_cast<std::size_t>(k)] < 9) {
      ++digits_[static_cast<std::size_t>(k)];
      count_ = k + 1;
      return;
    }
  }
  // All nines: 0.999.. becomes 0.1 x 10^(point + 1).
  digits_[0] = 1;
  count_ = 1;
  ++point_;
}

std::uint64_t DecimalBuffer::roundedInteger() const {
  std::uint64_t n = 0;
  std::int64_t k = 0;
  for (; k < point_ && k < count_; ++k) n = n * 10 + digits_[static_cast<std::size_t>(k)];
  for (; k < point_; ++k) n *= 10;
  if (point_ >= 0 && point_ < count_ && roundsUpAt(static_cast<int>(point_))) ++n;
  return n;
}

// kShiftForPoint[k] is the largest n with 2^n <= 10^k (1 for k = 0, a number
// in [0.1, 1/2)): a shift by it moves the decimal point by at most k places,
// so the loops that bring a number into [1/2, 1) never step far past it;
// from 19 places on they take the longest shift, 60 bits.
constexpr std::array<int, 19> kShiftForPoint{1, 3, 6, 9, 13, 16, 19, 23, 26, 29, 33, 36, 39, 43, 46, 49, 53, 56, 59};

int shiftForPoint(std::int64_t point) {
  return point < static_cast<std::int64_t>(kShiftForPoint.size()) ? kShiftForPoint[static_cast<std::size_t>(point)]
                                                                   : kMaxShift;
}

double fromBits(std::uint64_t bits) {
  double value = 0;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

}  // namespace

double exactDecimalToDouble(std::string_view digits, std::int64_t exponent) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  DecimalBuffer d;
  d.assignText(digits, exponent);
  if (d.isZero()) return 0.0;
  // Beyond 10^310 is beyond every double; below 10^-330 is under half the
  // smallest subnormal (about 4.9E-324).
  if (d.point() > 310) return kInfinity;
  if (d.point() < -330) return 0.0;

  // Bring the value into [1/2, 1) as value = d x 2^binaryExponent.
  int binaryExponent = 0;
  while (d.point() > 0) {
    const int n = shiftForPoint(d.point());
    d.shift(-n);
    binaryExponent += n;
  }
  while (d.point() < 0 || (d.point() == 0 && d.digit(0) < 5)) {
    const int n = shiftForPoint(-d.point());
    d.shift(n);
    binaryExponent -= n;
  }
  // As 2d in [1, 2) times 2^binaryExponent. Below 2^-1022 the number is
  // subnormal: shift it down so the 53 bits taken next end at 2^-1074.
  --binaryExponent;
  if (binaryExponent < -1022) {
    d.shift(-(-1022 - binaryExponent));
    binaryExponent = -1022;
  }
  if (binaryExponent > 1023) return kInfinity;

  d.shift(53);  // the 53 bits of the significand before the point
  std::uint64_t mantissa = d.roundedInteger();
  if (mantissa == std::uint64_t{1} << 53) {  // rounding carried into a new bit
    mantissa >>= 1;
    ++binaryExponent;
    if (binaryExponent > 1023) return kInfinity;
  }
  constexpr std::uint64_t kHiddenBit = std::uint64_t{1} << 52;
  const std::uint64_t biased = (mantissa & kHiddenBit) == 0 ? 0 : static_cast<std::uint64_t>(binaryExponent + 1023);
  return fromBits((biased << 52) | (mantissa & (kHiddenBit - 1)));
}

RoundedDecimal exactSignificantDigits(double value, int count) {
  const BinaryParts parts = binaryParts(value);
  DecimalBuffer d;
  d.assignInteger(parts.significand);
  d.shift(parts.exponent);
  d.roundToDigits(count);
  std::uint64_t significand = 0;
  for (int k = 0; k < count; ++k) significand = significand * 10 + static_cast<std::uint64_t>(k < d.count() ? d.digit(k) : 0);
  return {significand, static_cast<int>(d.point() - 1)};
}

}  // namespace channelflow::numeric
