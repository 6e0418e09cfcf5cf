#include "numeric/text/fifteen_digits.h"

#include "numeric/text/exact_decimal.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace channelflow::numeric {
namespace {

// 128-bit unsigned arithmetic from 64-bit halves, so the 32-bit Windows
// build takes the same path as the others.
struct U128 {
  std::uint64_t hi = 0;
  std::uint64_t lo = 0;
};

U128 multiply(std::uint64_t a, std::uint64_t b) {
#ifdef __SIZEOF_INT128__
  __extension__ typedef unsigned __int128 Product;  // one instruction where the compiler has it
  const Product product = static_cast<Product>(a) * b;
  return {static_cast<std::uint64_t>(product >> 64), static_cast<std::uint64_t>(product)};
#else
  const std::uint64_t aLo = a & 0xFFFFFFFFu, aHi = a >> 32, bLo = b & 0xFFFFFFFFu, bHi = b >> 32;
  const std::uint64_t ll = aLo * bLo, lh = aLo * bHi, hl = aHi * bLo, hh = aHi * bHi;
  const std::uint64_t middle = (ll >> 32) + (lh & 0xFFFFFFFFu) + (hl & 0xFFFFFFFFu);
  return {hh + (lh >> 32) + (hl >> 32) + (middle >> 32), (middle << 32) | (ll & 0xFFFFFFFFu)};
#endif
}

// n / 2^shift rounded to nearest, ties to even; shift in 1..127 and the
// quotient known to fit 64 bits.
std::uint64_t shiftRounded(const U128& n, int shift) {
  std::uint64_t quotient = 0;
  bool above = false, half = false;  // remainder compared with 2^(shift-1)
  if (shift < 64) {
    quotient = (n.lo >> shift) | (n.hi << (64 - shift));
    const std::uint64_t remainder = n.lo & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t halfway = std::uint64_t{1} << (shift - 1);
    above = remainder > halfway;
    half = remainder == halfway;
  } else if (shift == 64) {
    quotient = n.hi;
    above = n.lo > (std::uint64_t{1} << 63);
    half = n.lo == (std::uint64_t{1} << 63);
  } else {
    const int s = shift - 64;
    quotient = n.hi >> s;
    const std::uint64_t remainderHi = n.hi & ((std::uint64_t{1} << s) - 1);
    const std::uint64_t halfwayHi = std::uint64_t{1} << (s - 1);
    above = remainderHi > halfwayHi || (remainderHi == halfwayHi && n.lo != 0);
    half = remainderHi == halfwayHi && n.lo == 0;
  }
  if (above || (half && (quotient & 1) != 0)) ++quotient;
  return quotient;
}

constexpr std::uint64_t kPow10[] = {1ull,
                                    10ull,
                                    100ull,
                                    1000ull,
                                    10000ull,
                                    100000ull,
                                    1000000ull,
                                    10000000ull,
                                    100000000ull,
                                    1000000000ull,
                                    10000000000ull,
                                    100000000000ull,
                                    1000000000000ull,
                                    10000000000000ull,
                                    100000000000000ull,
                                    1000000000000000ull,
                                    10000000000000000ull,
                                    100000000000000000ull,
                                    1000000000000000000ull,
                                    10000000000000000000ull};

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes `value` (below 10000) as four decimal digits.
void writeFourDigits(std::uint32_t value, char* out) {
  const std::uint32_t high = value / 100, low = value % 100;
  std::memcpy(out, kDigitPairs + 2 * high, 2);
  std::memcpy(out + 2, kDigitPairs + 2 * low, 2);
}

// Writes `value` (below 10^15) as 15 decimal digits, leading zeros included:
// four groups of four that do not wait on one another.
void writeFifteenDigits(std::uint64_t value, char* out) {
  std::array<char, 16> text{};
  const auto high = static_cast<std::uint32_t>(value / 100000000);
  const auto low = static_cast<std::uint32_t>(value % 100000000);
  writeFourDigits(high / 10000, text.data());
  writeFourDigits(high % 10000, text.data() + 4);
  writeFourDigits(low / 10000, text.data() + 8);
  writeFourDigits(low % 10000, text.data() + 12);
  std::memcpy(out, text.data() + 1, 15);
}

// The exact path for 1e-5 <= value < 1e15, where most results lie: with
// value = m * 2^q (q < 0), the digits are m * 10^p / 2^-q rounded, for the
// p that leaves 15 of them; m * 10^p fits 117 bits. Returns false when the
// rounded value leaves that range, for the slower exact path to take over.
bool roundExactly(double value, FifteenDigits& result) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
  const int shift = 1075 - biased;  // value = mantissa / 2^shift
  // log10(value) lies in [(52 - shift) log10 2, (53 - shift) log10 2), so this
  // guess is the decimal exponent or one below it.
  int exponent = static_cast<int>(static_cast<double>(52 - shift) * 0.30102999566398120);
  if (52 - shift < 0) --exponent;  // the cast truncates toward zero
  // One comparison with the next power of ten settles most guesses, which
  // spares the second exact multiplication; a wrong call only costs it back.
  static constexpr double kDecades[] = {1e-5, 1e-4, 1e-3, 1e-2, 1e-1, 1e0,  1e1,  1e2,  1e3,  1e4, 1e5,
                                        1e6,  1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  if (exponent >= -6 && exponent <= 14 && value >= kDecades[exponent + 6]) ++exponent;
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int p = 14 - exponent;
    if (p < 0 || p > 19 || shift < 1 || shift > 127) return false;
    const std::uint64_t digits = shiftRounded(multiply(mantissa, kPow10[p]), shift);
    if (digits >= kPow10[15]) {
      ++exponent;
      continue;
    }
    if (digits < kPow10[14]) {
      --exponent;
      continue;
    }
    if (exponent < -5 || exponent > 14) return false;
    writeFifteenDigits(digits, result.digits.data());
    result.exponent = exponent;
    return true;
  }
  return false;
}

}  // namespace

FifteenDigits roundToFifteenDigits(double value) {
  // One named result, built in the caller's place: copying a freshly written
  // one costs more than the rounding itself.
  FifteenDigits result;
  if (!(value >= 1e-5 && value < 1e15 && roundExactly(value, result))) result = exactFifteenDigits(value);
  return result;
}

}  // namespace channelflow::numeric
