// log and log1p: x = 2^k m, m near 1/c for a table entry c (24 bits), and
// log x = k ln2 - log c + log1p(r) with r = c m - 1 exact and |r| < 2^-8.9.
// The double forms sum the series in double around an exact r; the
// double-double ones take it to r^12.
#include "numeric/elementary/correct_power_tables.h"
#include "numeric/elementary/elementary.h"
#include "numeric/elementary/elementary_tables.h"
#include "numeric/elementary/log_exp_kernels.h"
#include "numeric/elementary/power_of_two.h"
#include "numeric/elementary/series.h"

#include <limits>

namespace channelflow::numeric {
namespace {

using power_tables::kLog;

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// ln2 = kLn2Hi + kLn2Lo; kLn2Hi has 42 bits, so k kLn2Hi is exact for |k| < 2^11.
constexpr double kLn2Hi = 0x1.62e42fefa3800p-1;
constexpr double kLn2Lo = 0x1.ef35793c76730p-45;
// Bit pattern of the lowest reduced mantissa (about 0.708).
constexpr std::uint64_t kOffset = 0x3FE6A80000000000ULL;

// Where a positive normal x falls: x = 2^exponent m, and the table entry for m.
struct Reduction {
  std::int64_t exponent;
  const power_tables::LogEntry* entry;
  double mantissa;
};

Reduction reduce(double x) {
  const std::uint64_t bits = bitCast<std::uint64_t>(x);
  const std::uint64_t shifted = bits - kOffset;
  const auto index = static_cast<std::size_t>((shifted >> (52 - power_tables::kLogBits)) % power_tables::kLogSize);
  const std::uint64_t mantissaBits = bits - (shifted & (std::uint64_t{0xFFF} << 52));
  return {static_cast<std::int64_t>(shifted) >> 52, &kLog[index], bitCast<double>(mantissaBits)};
}

// log1p(r) for |r| < 2^-8.9, relative error below 4u^2.
DoubleDouble log1pSeries(DoubleDouble r) {
  return r * mixedHorner(r, elementary_tables::kLog1pHead, elementary_tables::kLog1pTail);
}

DoubleDouble tableLog(const power_tables::LogEntry& entry) { return {entry.logHi, entry.logLo}; }

// log(2^k (m + mLow)) to about 2^-70 relative, for m the reduced mantissa of
// its entry and |mLow| <= 2^-52.
DoubleDouble fastLogReduced(std::int64_t k, const power_tables::LogEntry& entry, double m, double mLow) {
  // r = m c - 1 exactly: c has 24 bits, m's halves 26 and 27.
  const double mHigh = bitCast<double>(bitCast<std::uint64_t>(m) & ~((std::uint64_t{1} << 27) - 1));
  DoubleDouble r = twoSum(mHigh * entry.invc - 1.0, (m - mHigh) * entry.invc);
  r = twoSum(r.hi, r.lo + mLow * entry.invc);  // r.hi may be 0 when 1 + x rounds to 1
  // log1p(r) = r - r^2/2 + r^3 (1/3 - r/4 + ...), with r^2 taken exactly.
  const double square = r.hi * r.hi;
  const DoubleDouble parts = veltkampSplit(r.hi);
  const double squareLow = ((parts.hi * parts.hi - square) + 2 * parts.hi * parts.lo) + parts.lo * parts.lo;
  const DoubleDouble head = fastTwoSum(r.hi, -0.5 * square);
  const double series =
      1.0 / 3 + r.hi * (-0.25 + r.hi * (0.2 + r.hi * (-1.0 / 6 + r.hi * (1.0 / 7 + r.hi * (-0.125 + r.hi / 9)))));
  const double tail = head.lo + r.lo - (0.5 * squareLow + r.hi * r.lo) + (square * r.hi) * series;
  const auto scale = static_cast<double>(k);
  const DoubleDouble upper = fastTwoSum(scale * kLn2Hi, entry.logHi);
  const DoubleDouble sum = twoSum(upper.hi, head.hi);
  return fastTwoSum(sum.hi, upper.lo + sum.lo + (scale * kLn2Lo + entry.logLo) + tail);
}

}  // namespace

namespace log_exp {

DoubleDouble fastLog(DoubleDouble x) {
  std::int64_t extra = 0;
  if (x.hi < 0x1p-1022) {  // subnormal: scale into the normals
    x = {x.hi * 0x1p54, x.lo * 0x1p54};
    extra = -54;
  }
  const Reduction reduction = reduce(x.hi);
  const double mLow = scaled(x.lo, -reduction.exponent);
  return fastLogReduced(reduction.exponent + extra, *reduction.entry, reduction.mantissa, mLow);
}

ReducedLogarithm reducedLog(DoubleDouble x) {
  const Reduction reduction = reduce(x.hi);
  const double c = reduction.entry->invc;
  // r = c (m + mLow) - 1, exactly up to the last addition.
  const DoubleDouble high = twoProduct(reduction.mantissa, c);
  const DoubleDouble low = twoProduct(scaled(x.lo, -reduction.exponent), c);
  const DoubleDouble r = twoSum(high.hi - 1.0, high.lo) + low;
  return {reduction.exponent, tableLog(*reduction.entry) + log1pSeries(r)};
}

}  // namespace log_exp

double log(double x) {
  if (!(x > 0) || x == kInfinity) return x == 0 ? -kInfinity : (x == kInfinity ? x : kNaN);
  return log_exp::fastLog({x, 0}).hi;
}

DoubleDouble log(DoubleDouble x) {
  if (!(x.hi > 0) || x.hi == kInfinity) return {log(x.hi), 0};
  std::int64_t extra = 0;
  if (x.hi < 0x1p-969) {  // keep the low part out of the subnormals
    x = {x.hi * 0x1p200, x.lo * 0x1p200};
    extra = -200;
  }
  const log_exp::ReducedLogarithm reduced = log_exp::reducedLog(x);
  return kLn2 * static_cast<double>(reduced.exponent + extra) + reduced.logOfMantissa;
}

Real log(const Real& x) {
  if (!(x.sign() > 0) || !x.isFinite()) return Real(log(x.toDouble()));
  const log_exp::ReducedLogarithm reduced = log_exp::reducedLog(x.mantissa());
  return Real(kLn2 * static_cast<double>(reduced.exponent + x.exponent()) + reduced.logOfMantissa);
}

double log1p(double x) {
  if (!(x > -1) || x == kInfinity) return x == -1 ? -kInfinity : (x == kInfinity ? x : kNaN);
  if (x > -0x1p-54 && x < 0x1p-54) return x;  // x^2/2 is below a quarter of x's last place
  return log_exp::fastLog(twoSum(1.0, x)).hi;  // 1 + x exactly as a pair
}

DoubleDouble log1p(DoubleDouble x) {
  if (x.hi > 0x1p100) return log(x + 1.0);  // 1 + x to 2^-105 relative costs log nothing
  const DoubleDouble y = x + 1.0;
  if (!(y.hi > 0x1p-900)) return y.hi > 0 ? log(y) : DoubleDouble{log1p(x.hi), 0};
  // r = c 2^-k (1 + x) - 1 from exact parts: the table entry of 1 + x and
  // its exponent, then (c' - 1) + c' x.hi + c' x.lo with c' = c 2^-k.
  const Reduction reduction = reduce(y.hi);
  const double c = scaled(reduction.entry->invc, -reduction.exponent);
  const DoubleDouble r = (twoSum(c, -1.0) + twoProduct(c, x.hi)) + twoProduct(c, x.lo);
  return kLn2 * static_cast<double>(reduction.exponent) + (tableLog(*reduction.entry) + log1pSeries(r));
}

Real log1p(const Real& x) {
  if (x.isNaN()) return x;
  if (x.exponent() != 0) {
    if (x.binaryExponent() < 0) return x;  // |x| < 2^-480: log1p x = x (1 - x/2 + ...)
    return log(x + 1.0);
  }
  return Real(log1p(x.mantissa()));
}

}  // namespace channelflow::numeric
