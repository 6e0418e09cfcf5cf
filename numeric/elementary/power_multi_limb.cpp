#include "numeric/elementary/power_multi_limb.h"

#include "numeric/elementary/power_exact_cases.h"

#include <array>
#include <cstddef>
#include "numeric/elementary/bits.h"

#include <bit>
#include <cstdint>
#include <limits>
#include <optional>

namespace channelflow::numeric {
namespace {

// A fixed-point number of kLimbs 32-bit limbs, least significant first: the
// top limb is the integer part, the others the fraction. Signed values are
// two's complement over all the limbs; products and quotients take magnitudes.
template <std::size_t kLimbs>
struct Fixed {
  static constexpr int kFractionBits = 32 * static_cast<int>(kLimbs - 1);
  std::array<std::uint32_t, kLimbs> limb{};

  static Fixed integer(std::uint32_t value) {
    Fixed result;
    result.limb[kLimbs - 1] = value;
    return result;
  }
  bool isZero() const {
    for (const std::uint32_t part : limb) {
      if (part != 0) return false;
    }
    return true;
  }
  bool isNegative() const { return (limb[kLimbs - 1] >> 31) != 0; }
  int bit(int position) const { return static_cast<int>((limb[static_cast<std::size_t>(position / 32)] >> (position % 32)) & 1U); }
};

template <std::size_t L>
Fixed<L> operator+(const Fixed<L>& a, const Fixed<L>& b) {
  Fixed<L> sum;
  std::uint64_t carry = 0;
  for (std::size_t i = 0; i < L; ++i) {
    carry += std::uint64_t{a.limb[i]} + b.limb[i];
    sum.limb[i] = static_cast<std::uint32_t>(carry);
    carry >>= 32;
  }
  return sum;
}

template <std::size_t L>
Fixed<L> negate(const Fixed<L>& a) {
  Fixed<L> result;
  std::uint64_t carry = 1;
  for (std::size_t i = 0; i < L; ++i) {
    carry += static_cast<std::uint32_t>(~a.limb[i]);
    result.limb[i] = static_cast<std::uint32_t>(carry);
    carry >>= 32;
  }
  return result;
}

template <std::size_t L>
Fixed<L> operator-(const Fixed<L>& a, const Fixed<L>& b) {
  return a + negate(b);
}

template <std::size_t L>
Fixed<L> magnitude(const Fixed<L>& a) {
  return a.isNegative() ? negate(a) : a;
}

// a * b, both non-negative, truncated to the fraction's last bit.
template <std::size_t L>
Fixed<L> operator*(const Fixed<L>& a, const Fixed<L>& b) {
  std::array<std::uint32_t, 2 * L> product{};
  for (std::size_t i = 0; i < L; ++i) {
    std::uint64_t carry = 0;
    for (std::size_t j = 0; j < L; ++j) {
      carry += std::uint64_t{a.limb[i]} * b.limb[j] + product[i + j];
      product[i + j] = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    product[i + L] = static_cast<std::uint32_t>(carry);
  }
  Fixed<L> result;
  for (std::size_t i = 0; i < L; ++i) result.limb[i] = product[i + L - 1];
  return result;
}

template <std::size_t L>
Fixed<L> multiplySmall(const Fixed<L>& a, std::uint32_t factor) {
  Fixed<L> result;
  std::uint64_t carry = 0;
  for (std::size_t i = 0; i < L; ++i) {
    carry += std::uint64_t{a.limb[i]} * factor;
    result.limb[i] = static_cast<std::uint32_t>(carry);
    carry >>= 32;
  }
  return result;
}

// a / divisor for non-negative a, truncated.
template <std::size_t L>
Fixed<L> divideSmall(const Fixed<L>& a, std::uint32_t divisor) {
  Fixed<L> result;
  std::uint64_t rest = 0;
  for (std::size_t i = L; i-- > 0;) {
    rest = (rest << 32) | a.limb[i];
    result.limb[i] = static_cast<std::uint32_t>(rest / divisor);
    rest %= divisor;
  }
  return result;
}

// ln 2 = 2 atanh(1/3), each term off by at most 2 units of the last bit.
template <std::size_t L>
Fixed<L> computeLn2() {
  Fixed<L> term = divideSmall(Fixed<L>::integer(1), 3);
  Fixed<L> sum = term;
  for (std::uint32_t k = 1; !term.isZero(); ++k) {
    term = divideSmall(term, 9);
    sum = sum + divideSmall(term, 2 * k + 1);
  }
  return sum + sum;
}

template <std::size_t L>
const Fixed<L>& ln2() {
  static const Fixed<L> value = computeLn2<L>();
  return value;
}

// ln(numerator / denominator) for 1/sqrt2 <= ratio <= sqrt2, as
// 2 atanh(s) with s = (numerator - denominator) / (numerator + denominator).
template <std::size_t L>
Fixed<L> logOfRatio(std::uint64_t numerator, std::uint64_t denominator) {
  const bool negative = numerator < denominator;
  std::uint64_t rest = negative ? denominator - numerator : numerator - denominator;
  const std::uint64_t sum = numerator + denominator;  // below 2^55: rest << 1 cannot overflow
  Fixed<L> s;
  for (std::size_t i = L - 1; i-- > 0;) {
    std::uint32_t part = 0;
    for (int b = 31; b >= 0; --b) {
      rest <<= 1;
      if (rest >= sum) {
        rest -= sum;
        part |= std::uint32_t{1} << b;
      }
    }
    s.limb[i] = part;
  }
  const Fixed<L> square = s * s;
  Fixed<L> power = s;
  Fixed<L> series = s;
  for (std::uint32_t k = 1; !power.isZero(); ++k) {
    power = power * square;
    series = series + divideSmall(power, 2 * k + 1);
  }
  series = series + series;
  return negative ? negate(series) : series;
}

// exp(r) for 0 <= r < ln 2 by its Taylor series.
template <std::size_t L>
Fixed<L> expOfReduced(const Fixed<L>& r) {
  Fixed<L> term = Fixed<L>::integer(1);
  Fixed<L> sum = term;
  for (std::uint32_t n = 1; !term.isZero(); ++n) {
    term = divideSmall(term * r, n);
    sum = sum + term;
  }
  return sum;
}

// Bits needed to hold the error bound (in units of the last fraction bit).
int errorBits(double units) {
  const auto biased = static_cast<int>(bitCast<std::uint64_t>(units) >> 52);
  return biased - 1023 + 2;
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// One attempt at L limbs: the rounded result, or nullopt when the error bound
// still straddles a rounding boundary.
template <std::size_t L>
std::optional<double> attempt(double x, double y, bool final) {
  using Number = Fixed<L>;
  constexpr int kBits = Number::kFractionBits;
  constexpr int kWideBits = 32 * static_cast<int>(L + 2);

  // x = 2^e * M / 2^52 with 2^52 <= M < 2^53.
  std::uint64_t bits = bitCast<std::uint64_t>(x);
  int e = static_cast<int>(bits >> 52) - 1023;
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  if (e == -1023) {
    const int shift = std::countl_zero(mantissa) - 11;
    mantissa <<= shift;
    e = -1022 - shift;
  } else {
    mantissa |= std::uint64_t{1} << 52;
  }
  // ln x = e ln2 + ln(M / D), with M / D between 1/sqrt2 and sqrt2.
  std::uint64_t denominator = std::uint64_t{1} << 52;
  if (mantissa > 6369051672525772ULL) {  // floor(sqrt2 * 2^52)
    denominator <<= 1;
    ++e;
  }
  const Number& log2 = ln2<L>();
  Number logX = logOfRatio<L>(mantissa, denominator);
  const Number scaledLn2 = multiplySmall(log2, static_cast<std::uint32_t>(e < 0 ? -e : e));
  logX = e < 0 ? logX - scaledLn2 : logX + scaledLn2;
  const double absE = e < 0 ? -e : e;
  const double logError = absE * 1024 + 1024;

  // t = y ln x: |ln x| times y's 53-bit integer, then shifted by y's exponent.
  const bool tNegative = logX.isNegative() != (y < 0);
  const Number logMagnitude = magnitude(logX);
  const std::uint64_t yBits = bitCast<std::uint64_t>(y) & ~(std::uint64_t{1} << 63);
  int yExponent = static_cast<int>(yBits >> 52);
  std::uint64_t yMantissa = yBits & ((std::uint64_t{1} << 52) - 1);
  if (yExponent == 0) {
    yExponent = -1074;
  } else {
    yMantissa |= std::uint64_t{1} << 52;
    yExponent -= 1075;
  }
  std::array<std::uint32_t, L + 2> wide{};
  for (int half = 0; half < 2; ++half) {
    const auto factor = static_cast<std::uint32_t>(half == 0 ? yMantissa : yMantissa >> 32);
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < L; ++i) {
      const std::size_t at = i + static_cast<std::size_t>(half);
      carry += std::uint64_t{logMagnitude.limb[i]} * factor + wide[at];
      wide[at] = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
    for (std::size_t at = L + static_cast<std::size_t>(half); carry != 0 && at < L + 2; ++at) {
      carry += wide[at];
      wide[at] = static_cast<std::uint32_t>(carry);
      carry >>= 32;
    }
  }
  // Shift by yExponent: bit at position p of the result is bit p - yExponent of wide.
  auto wideBit = [&](int position) -> std::uint32_t {
    if (position < 0 || position >= kWideBits) return 0;
    return (wide[static_cast<std::size_t>(position / 32)] >> (position % 32)) & 1U;
  };
  for (int position = kBits + 32; position < kWideBits + 64; ++position) {
    if (wideBit(position - yExponent) != 0) return tNegative ? 0.0 : kInfinity;  // |t| >= 2^32
  }
  Number t;
  for (int position = 0; position < kBits + 32; ++position) {
    t.limb[static_cast<std::size_t>(position / 32)] |= wideBit(position - yExponent) << (position % 32);
  }
  if (t.isNegative()) return tNegative ? 0.0 : kInfinity;  // |t| >= 2^31
  if (tNegative) t = negate(t);
  const double absY = y < 0 ? -y : y;
  const double tError = absY * logError + 2;

  // t = k ln2 + r with 0 <= r < ln2.
  const auto integerPart = static_cast<std::int32_t>(t.limb[L - 1]);
  if (integerPart > 800) return kInfinity;
  if (integerPart < -800) return 0.0;
  int k = static_cast<int>(static_cast<double>(integerPart) / 0.6931471805599453);
  auto reduced = [&](int multiple) {
    const Number product = multiplySmall(log2, static_cast<std::uint32_t>(multiple < 0 ? -multiple : multiple));
    return multiple < 0 ? t + product : t - product;
  };
  Number r = reduced(k);
  while (r.isNegative()) r = reduced(--k);
  while (!(r - log2).isNegative()) r = reduced(++k);
  const double rError = tError + (k < 0 ? -k : k) * 1024.0 + 2;
  const Number s = expOfReduced(r);  // in [1, 2)
  const int errBits = errorBits(2 * rError + 1024);

  // x^y = 2^k * s: keep f bits after the point (fewer below 2^-1022).
  if (k >= 1024) return kInfinity;
  const int kept = k + 1074 < 52 ? k + 1074 : 52;
  if (kept < -1) return 0.0;
  const int cut = kBits - kept;  // first kept bit of s
  if (!final && cut - 2 < errBits + 8) return std::nullopt;
  const int halfBit = s.bit(cut - 1);
  bool boundary = true;  // the bits below the half bit all point to a midpoint
  for (int position = errBits + 1; position <= cut - 2 && boundary; ++position) {
    boundary = s.bit(position) != halfBit;
  }
  if (boundary && !final) return std::nullopt;
  std::uint64_t keptValue = 0;
  for (int position = kBits; position >= cut; --position) {
    keptValue = (keptValue << 1) | static_cast<std::uint64_t>(s.bit(position));
  }
  keptValue += static_cast<std::uint64_t>(halfBit);
  return roundToDouble(keptValue, k - kept);
}

}  // namespace

double multiLimbPower(double x, double y) {
  if (const auto result = attempt<8>(x, y, false)) return *result;    // 224 bits
  if (const auto result = attempt<16>(x, y, false)) return *result;   // 480 bits
  return *attempt<40>(x, y, true);                                    // 1248 bits
}

std::optional<double> multiLimbPowerAt(int limbs, double x, double y) {
  switch (limbs) {
    case 8: return attempt<8>(x, y, false);
    case 16: return attempt<16>(x, y, false);
    default: return attempt<40>(x, y, true);
  }
}

}  // namespace channelflow::numeric
