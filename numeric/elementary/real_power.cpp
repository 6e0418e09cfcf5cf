// x^y = 2^(y E) e^(y log m) for x = 2^E m: y E splits exactly into an integer
// n and a fraction f, so only e^(f ln2 + y log m) needs the kernel and the
// result's exponent n costs no accuracy however large it is.
#include "numeric/elementary/correct_power.h"
#include "numeric/elementary/elementary.h"
#include "numeric/elementary/log_exp_kernels.h"

#include <limits>

namespace channelflow::numeric {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kRoundShift = 0x1.8p52;

// +infinity or 0 for a power whose logarithm's sign is that of x - 1 times y.
Real beyondRange(const Real& x, const Real& y) { return Real((x > 1.0) == (y.sign() > 0) ? kInfinity : 0.0); }

}  // namespace

double pow(double x, double y) { return correctlyRoundedPower(x, y); }

Real pow(const Real& x, double y) { return pow(x, Real(y)); }

Real pow(const Real& x, const Real& y) {
  if (x.isNaN() || y.isNaN()) return Real(kNaN);
  if (y.isZero() || x == 1.0) return Real(1.0);
  if (!(x.sign() > 0)) return Real(x.isZero() ? (y.sign() > 0 ? 0.0 : kInfinity) : kNaN);
  if (!x.isFinite() || !y.isFinite()) return beyondRange(x, y);
  if (y.exponent() != 0) {
    if (y.binaryExponent() < 0) return exp(y * log(x));  // |y| < 2^-480: the product cannot overflow
    return beyondRange(x, y);
  }
  const log_exp::ReducedLogarithm reduced = log_exp::reducedLog(x.mantissa());
  const auto exponent = static_cast<double>(reduced.exponent + x.exponent());
  const DoubleDouble power = y.mantissa();
  // y E = high + low exactly, high = n + (high - n) with n an integer.
  const DoubleDouble high = twoProduct(power.hi, exponent);
  if (high.hi > 0x1p40 || high.hi < -0x1p40) return beyondRange(x, y);
  const double n = (high.hi + kRoundShift) - kRoundShift;
  const DoubleDouble fraction = twoSum(high.hi - n, high.lo) + twoProduct(power.lo, exponent);
  const DoubleDouble t = fraction * kLn2 + power * reduced.logOfMantissa;
  if (t.hi > 7.4e8 || t.hi < -7.4e8) return beyondRange(x, y);
  const log_exp::ScaledExponential e = log_exp::scaledExp(t);
  return Real(e.value, e.exponent + static_cast<std::int64_t>(n));
}

}  // namespace channelflow::numeric
