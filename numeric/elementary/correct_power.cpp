// The fast path works in double-double: log x from a table and a short
// series, t = y log x, exp t from a table and a short series, each with an
// error bound. When the bound leaves no doubt about the rounding, that is the
// answer (for R^(1/6) all but about 3 in 100 000 radii); otherwise the exact
// cases and the multi-limb path decide.
#include "numeric/elementary/correct_power.h"

#include "numeric/elementary/correct_power_tables.h"
#include "numeric/elementary/log_exp_kernels.h"
#include "numeric/elementary/power_exact_cases.h"
#include "numeric/elementary/power_multi_limb.h"

#include "numeric/elementary/bits.h"
#include "numeric/elementary/double_double.h"
#include <cmath>
#include <cstdint>
#include <limits>

#if defined(__FLT_EVAL_METHOD__) && __FLT_EVAL_METHOD__ != 0
#error "the correctly rounded power needs double evaluation (SSE2, -mfpmath=sse), not x87 extended precision"
#endif

namespace channelflow::numeric {
namespace {

using power_tables::kExp;
using power_tables::kLog;

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// ln2 = kLn2Hi + kLn2Lo; kLn2Hi has 42 bits, so e * kLn2Hi is exact.
constexpr double kLn2Hi = 0x1.62e42fefa3800p-1;
constexpr double kLn2Lo = 0x1.ef35793c76730p-45;
// ln2 / 128 = kLn2HiN + kLn2LoN; kLn2HiN has 35 bits, so k * kLn2HiN is exact.
constexpr double kInvLn2N = 0x1.71547652b82fep+7;
constexpr double kLn2HiN = 0x1.62e42fefc0000p-8;
constexpr double kLn2LoN = -0x1.c610ca86c3899p-44;
// Bit pattern of the lowest reduced mantissa (about 0.708).
constexpr std::uint64_t kOffset = 0x3FE6A80000000000ULL;

bool isInteger(double value) {
  const double magnitude = std::fabs(value);
  if (magnitude >= 0x1p52) return true;
  return static_cast<double>(static_cast<std::int64_t>(value)) == value;
}

bool isOddInteger(double value) {
  const double magnitude = std::fabs(value);
  if (magnitude >= 0x1p53 || !isInteger(value)) return false;
  return (static_cast<std::int64_t>(value) & 1) != 0;
}

// ln x and the series' share of its absolute error, for x > 0 finite; absY
// = |y| of the power, which sets how exact the logarithm must be.
struct Logarithm {
  DoubleDouble value;
  double seriesError;
};

Logarithm logarithm(double x, double absY) {
  std::uint64_t bits = bitCast<std::uint64_t>(x);
  std::int64_t extraExponent = 0;
  if (bits < (std::uint64_t{1} << 52)) {  // subnormal: scale into the normal range
    bits = bitCast<std::uint64_t>(x * 0x1p52);
    extraExponent = -52;
  }
  // x = 2^e * m with m in [0.708, 1.416); the table entry i covers m.
  const std::uint64_t shifted = bits - kOffset;
  const auto index = static_cast<std::size_t>((shifted >> (52 - power_tables::kLogBits)) % power_tables::kLogSize);
  const std::int64_t e = (static_cast<std::int64_t>(shifted) >> 52) + extraExponent;
  const std::uint64_t mBits = bits - (shifted & (std::uint64_t{0xFFF} << 52));
  const double m = bitCast<double>(mBits);
  const power_tables::LogEntry& entry = kLog[index];

  // r = m * invc - 1 exactly: invc has 24 bits, m's upper half 26 and its
  // lower half 27, so both products are exact.
  const double mHigh = bitCast<double>(mBits & ~((std::uint64_t{1} << 27) - 1));
  const DoubleDouble r = twoSum(mHigh * entry.invc - 1.0, (m - mHigh) * entry.invc);

  // log1p(r) = r - r^2/2 + r^3 (1/3 - r/4 + ... - r^5/8), |r| <= 2^-9.
  // The rounding error of r^2 and the term r.hi r.lo (each below 2^-62 r)
  // matter only for larger |y|.
  const double square = r.hi * r.hi;
  double correction = 0;
  double seriesError = 0x1.03p-61;
  if (absY > 0.25) {
    const DoubleDouble rParts = veltkampSplit(r.hi);
    const double squareLow = ((rParts.hi * rParts.hi - square) + 2 * rParts.hi * rParts.lo) + rParts.lo * rParts.lo;
    correction = 0.5 * squareLow + r.hi * r.lo;
    seriesError = 0x1.03p-69;
  }
  const DoubleDouble head = fastTwoSum(r.hi, -0.5 * square);
  const double series =
      1.0 / 3 + r.hi * (-0.25 + r.hi * (0.2 + r.hi * (-1.0 / 6 + r.hi * (1.0 / 7 + r.hi * -0.125))));
  const double tail = head.lo + r.lo - correction + (square * r.hi) * series;

  // ln x = e ln2 - log(invc) + log1p(r).
  const auto scale = static_cast<double>(e);
  const DoubleDouble upper = fastTwoSum(scale * kLn2Hi, entry.logHi);
  const DoubleDouble sum = twoSum(upper.hi, head.hi);
  const double low = upper.lo + sum.lo + (scale * kLn2Lo + entry.logLo) + tail;
  // Error: the series' share, plus (|e| + 1) 2^-96 from ln2 and the table,
  // which the caller bounds by (|t| + 2|y|) 2^-95 as |e| <= 1.45 |ln x| + 0.51.
  return {fastTwoSum(sum.hi, low), std::fabs(r.hi) * seriesError};
}

// exp(t) as hi * 2^exponent with hi + lo in [0.7, 1.5) and relative error
// below 2^-68, for -708 < t.hi < 709.
struct Exponential {
  DoubleDouble value;
  int exponent;
};

Exponential exponential(DoubleDouble t) {
  constexpr double kRoundShift = 0x1.8p52;
  const double kd = (t.hi * kInvLn2N + kRoundShift) - kRoundShift;
  const auto k = static_cast<std::int64_t>(kd);
  // t - k ln2/128, |r| <= 2^-8.5; the first difference is exact.
  const DoubleDouble r = twoSum(t.hi - kd * kLn2HiN, t.lo - kd * kLn2LoN);
  // 2^(j/128) (1 + r.hi + ...), the exponential's own kernel.
  const log_exp::TableExponential e = log_exp::exponentialFromTable(r, k);
  return {{e.hi, e.lo}, static_cast<int>(e.exponent)};
}

// x^y for x > 0 finite and 2^-70 <= |y| < 2^64.
double positivePower(double x, double y) {
  const double absY = std::fabs(y);
  const Logarithm log = logarithm(x, absY);
  DoubleDouble t = twoProduct(y, log.value.hi);
  t.lo += y * log.value.lo;
  const double absT = std::fabs(t.hi);
  if (t.hi > -708 && t.hi < 709) {
    const Exponential power = exponential(t);
    // The bound of the relative error, with 1% to spare for its own rounding.
    const double relativeError = 0x1.03p-68 + absY * log.seriesError + (absT + 2 * absY) * 0x1.03p-95;
    const double error = power.value.hi * relativeError;
    const double below = power.value.hi + (power.value.lo - error);
    const double above = power.value.hi + (power.value.lo + error);
    if (below == above) {
      // A normal result: the scaling by 2^exponent is exact.
      return below * bitCast<double>(static_cast<std::uint64_t>(power.exponent + 1023) << 52);
    }
  } else if (t.hi >= 710) {
    return kInfinity;  // beyond ln(DBL_MAX) = 709.78 by far more than the error
  } else if (t.hi <= -746) {
    return 0.0;  // below ln(2^-1075) = -745.13
  }
  if (const auto exact = exactPower(x, y)) return *exact;
  return multiLimbPower(x, y);
}

// Everything outside the common case: zero, negative, subnormal and
// non-finite bases, tiny and huge exponents.
double unusualPower(double base, double exponent) {
  if (exponent == 0) return 1.0;
  if (base != base || exponent != exponent) return kNaN;
  if (base == kInfinity || base == -kInfinity || exponent == kInfinity || exponent == -kInfinity) return kNaN;
  bool negative = false;
  if (base < 0) {
    if (!isInteger(exponent)) return kNaN;
    negative = isOddInteger(exponent);
    base = -base;
  }
  const auto withSign = [negative](double magnitude) { return negative ? -magnitude : magnitude; };
  if (base == 0) {
    // -0 to an odd power keeps its sign.
    const bool minusZero = std::signbit(base) && isOddInteger(exponent);
    const double magnitude = exponent > 0 ? 0.0 : kInfinity;
    return minusZero ? -magnitude : magnitude;
  }
  if (base == 1) return withSign(1.0);
  const double absExponent = std::fabs(exponent);
  // |y ln x| < 2^-60: within a hair of 1, far from the midpoints around it.
  if (absExponent < 0x1p-70) return withSign(1.0);
  // |y ln x| >= 2^64 * 2^-53 for every x other than 1.
  if (absExponent >= 0x1p64) return withSign((base > 1) == (exponent > 0) ? kInfinity : 0.0);
  return withSign(positivePower(base, exponent));
}

}  // namespace

double correctlyRoundedPower(double base, double exponent) {
  // The common case in two integer comparisons: base positive, normal and
  // finite, 2^-70 <= |exponent| < 2^64.
  const std::uint64_t baseBits = bitCast<std::uint64_t>(base);
  const std::uint64_t exponentBits = bitCast<std::uint64_t>(exponent) & ~(std::uint64_t{1} << 63);
  constexpr std::uint64_t kSmallestNormal = 0x0010000000000000ULL;
  constexpr std::uint64_t kInfinityBits = 0x7FF0000000000000ULL;
  constexpr std::uint64_t kTwoToMinus70 = 0x3B90000000000000ULL;
  constexpr std::uint64_t kTwoTo64 = 0x43F0000000000000ULL;
  if (baseBits - kSmallestNormal < kInfinityBits - kSmallestNormal &&
      exponentBits - kTwoToMinus70 < kTwoTo64 - kTwoToMinus70) {
    return positivePower(base, exponent);
  }
  return unusualPower(base, exponent);
}

}  // namespace channelflow::numeric
