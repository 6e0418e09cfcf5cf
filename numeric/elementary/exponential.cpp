// exp and expm1: t = k ln2/128 + r with |r| <= 2^-8.5, e^t = 2^(k/128) e^r
// from a table of 2^(j/128); expm1 adds a table of 2^(j/128) - 1 near zero so
// the subtraction of 1 costs no accuracy. The double form sums its series in
// double around an exact product with the table entry.
#include "numeric/elementary/correct_power_tables.h"
#include "numeric/elementary/elementary.h"
#include "numeric/elementary/elementary_tables.h"
#include "numeric/elementary/log_exp_kernels.h"
#include "numeric/elementary/power_of_two.h"
#include "numeric/elementary/series.h"

#include <limits>

namespace channelflow::numeric {
namespace {

using power_tables::kExp;
using elementary_tables::kLn2By128;

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kInvLn2By128 = 0x1.71547652b82fep+7;
constexpr double kRoundShift = 0x1.8p52;
// ln2/128 = kLn2By128Hi + kLn2By128Lo; the first has 35 bits, so k times it is exact for |k| < 2^18.
constexpr double kLn2By128Hi = 0x1.62e42fefc0000p-8;
constexpr double kLn2By128Lo = -0x1.c610ca86c3899p-44;

// t = k ln2/128 + r, |r| <= 2^-8.49, for |t.hi| < 2^30; r to 3u^2.
struct ExpReduction {
  std::int64_t k;
  DoubleDouble r;
};

ExpReduction reduceExp(DoubleDouble t) {
  const double kd = (t.hi * kInvLn2By128 + kRoundShift) - kRoundShift;
  // t.hi - k c0 is exact (Sterbenz); the products with the other parts too.
  DoubleDouble r = twoSum(t.hi - kd * kLn2By128[0], t.lo) - twoProduct(kd, kLn2By128[1]);
  r = r - (twoProduct(kd, kLn2By128[2]) + kd * kLn2By128[3]);
  return {static_cast<std::int64_t>(kd), r};
}

// e^r - 1 for |r| <= 2^-8.49, relative error below 5u^2.
DoubleDouble expm1Series(DoubleDouble r) {
  return r * mixedHorner(r, elementary_tables::kExpm1Head, elementary_tables::kExpm1Tail);
}

DoubleDouble tableExp(std::int64_t k) {
  const power_tables::ExpEntry& entry = kExp[static_cast<std::size_t>(k & (power_tables::kExpSize - 1))];
  return {entry.hi, entry.lo};
}

}  // namespace

namespace log_exp {

ScaledExponential scaledExp(DoubleDouble t) {
  const ExpReduction reduced = reduceExp(t);
  const DoubleDouble power = tableExp(reduced.k);
  return {power + power * expm1Series(reduced.r), reduced.k >> power_tables::kExpBits};
}

ScaledExponential fastExp(double x) {
  const double kd = (x * kInvLn2By128 + kRoundShift) - kRoundShift;
  const auto k = static_cast<std::int64_t>(kd);
  const DoubleDouble r = twoSum(x - kd * kLn2By128Hi, -kd * kLn2By128Lo);
  const TableExponential e = exponentialFromTable(r, k);
  return {fastTwoSum(e.hi, e.lo), e.exponent};
}

TableExponential exponentialFromTable(DoubleDouble r, std::int64_t k) {
  // e^r = 1 + r.hi + rest; the table entry times r.hi exactly from its halves.
  const double rest =
      r.lo + r.hi * r.lo +
      (r.hi * r.hi) * (0.5 + r.hi * (1.0 / 6 + r.hi * (1.0 / 24 + r.hi * (1.0 / 120 + r.hi * (1.0 / 720)))));
  const power_tables::ExpEntry& entry = kExp[static_cast<std::size_t>(k & (power_tables::kExpSize - 1))];
  const DoubleDouble rParts = veltkampSplit(r.hi);
  const double product = entry.hi * r.hi;
  const double productLow = ((entry.hiHigh * rParts.hi - product) + entry.hiHigh * rParts.lo + entry.hiLow * rParts.hi) +
                            entry.hiLow * rParts.lo;
  const DoubleDouble sum = fastTwoSum(entry.hi, product);
  const double low = sum.lo + productLow + entry.hi * rest + entry.lo * (1.0 + r.hi);
  return {sum.hi, low, k >> power_tables::kExpBits};
}

}  // namespace log_exp

double exp(double x) {
  if (!(x <= 709.8)) return x + kInfinity;  // +infinity, or NaN
  if (x < -745.2) return 0;                  // below half the smallest subnormal
  if (x > -0x1p-54 && x < 0x1p-54) return 1 + x;
  const log_exp::ScaledExponential e = log_exp::fastExp(x);
  if (e.exponent > -1022 && e.exponent < 1023) return (e.value.hi + e.value.lo) * powerOfTwo(e.exponent);
  return Real(e.value, e.exponent).toDouble();  // overflow, or one rounding into the subnormals
}

DoubleDouble exp(DoubleDouble x) {
  if (!(x.hi <= 709.8)) return {x.hi + kInfinity, 0};
  if (x.hi < -745.2) return {0, 0};
  const log_exp::ScaledExponential e = log_exp::scaledExp(x);
  return {scaled(e.value.hi, e.exponent), scaled(e.value.lo, e.exponent)};
}

Real exp(const Real& x) {
  if (!x.isFinite()) return x.isNaN() ? x : Real(x.sign() > 0 ? kInfinity : 0.0);
  if (x.exponent() != 0) {
    if (x.binaryExponent() < 0) return 1.0 + x;  // |x| < 2^-480
    return Real(x.sign() > 0 ? kInfinity : 0.0);
  }
  const double magnitude = x.mantissa().hi < 0 ? -x.mantissa().hi : x.mantissa().hi;
  if (magnitude < 0x1p-60) return 1.0 + x;  // x^2/2 is below 2^-121
  if (magnitude > 7.4e8) return Real(x.sign() > 0 ? kInfinity : 0.0);  // beyond 2^(2^30)
  const log_exp::ScaledExponential e = log_exp::scaledExp(x.mantissa());
  return Real(e.value, e.exponent);
}

double expm1(double x) {
  if (x > -0x1p-54 && x < 0x1p-54) return x;  // x^2/2 is below a quarter of x's last place
  if (x < -38) return -1;                      // e^x is below a quarter of 1's last place
  if (!(x <= 709.8)) return x + kInfinity;
  const double kd = (x * kInvLn2By128 + kRoundShift) - kRoundShift;
  if (kd < -64 || kd > 64) {  // |x| > 0.34: e^x - 1 loses at most a factor 3.4 of e^x's accuracy
    const log_exp::ScaledExponential e = log_exp::fastExp(x);
    const DoubleDouble power{scaled(e.value.hi, e.exponent), scaled(e.value.lo, e.exponent)};
    const DoubleDouble difference = twoSum(power.hi, -1.0);
    return difference.hi + (difference.lo + power.lo);
  }
  // e^x - 1 = d + (1 + d)(e^r - 1) with d = 2^(k/128) - 1 from its table and
  // e^r - 1 = r.hi + rest; d + r.hi and d r.hi are taken exactly.
  const DoubleDouble r = twoSum(x - kd * kLn2By128Hi, -kd * kLn2By128Lo);
  const double rest = r.lo + r.hi * r.lo +
                      (r.hi * r.hi) * (0.5 + r.hi * (1.0 / 6 + r.hi * (1.0 / 24 + r.hi * (1.0 / 120 + r.hi * (1.0 / 720)))));
  const DoubleDouble d = elementary_tables::kExpMinusOne[static_cast<std::size_t>(kd + 64)];
  const DoubleDouble product = twoProduct(d.hi, r.hi);
  const DoubleDouble head = twoSum(d.hi, r.hi);
  const DoubleDouble sum = twoSum(head.hi, product.hi);
  return sum.hi + (sum.lo + head.lo + product.lo + d.lo + rest + d.hi * rest + d.lo * r.hi);
}

DoubleDouble expm1(DoubleDouble x) {
  if (!(x.hi <= 709.8)) return {x.hi + kInfinity, 0};
  if (x.hi < -80) return fastTwoSum(-1, exp(x).hi);  // e^x is below 2^-115
  const ExpReduction reduced = reduceExp(x);
  const DoubleDouble em1 = expm1Series(reduced.r);
  if (reduced.k >= -64 && reduced.k <= 64) {
    // 2^(k/128) - 1 from its own table: e^x - 1 = d + (1 + d) em1.
    const DoubleDouble d = elementary_tables::kExpMinusOne[reduced.k + 64];
    return d + (em1 + d * em1);
  }
  // |x| > 0.34: e^x - 1 loses at most a factor 3.4 of e^x's accuracy.
  const std::int64_t exponent = reduced.k >> power_tables::kExpBits;
  const DoubleDouble table = tableExp(reduced.k);
  const DoubleDouble power = table + table * em1;
  return DoubleDouble{scaled(power.hi, exponent), scaled(power.lo, exponent)} - 1.0;
}

Real expm1(const Real& x) {
  if (x.isNaN()) return x;
  if (x.exponent() != 0 || !x.isFinite()) {
    if (x.isFinite() && x.binaryExponent() < 0) return x;  // |x| < 2^-480
    return x.sign() > 0 ? exp(x) : Real(-1.0);
  }
  if (x.mantissa().hi > 700) return exp(x);          // the 1 lies below 2^-1000 of e^x
  if (x.mantissa().hi < -700) return -1.0 + exp(x);  // and e^x below 2^-1000 of the 1
  return Real(expm1(x.mantissa()));
}

}  // namespace channelflow::numeric
