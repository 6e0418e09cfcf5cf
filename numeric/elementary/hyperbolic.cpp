// asinh x = log1p(|x| + x^2 / (1 + sqrt(1 + x^2))) with the sign of x: the
// argument of log1p is a sum of two positive terms, so it keeps its accuracy
// for tiny x, where asinh x ~ x. Beyond 2^100, log(2|x|).
#include "numeric/elementary/elementary.h"
#include "numeric/elementary/log_exp_kernels.h"

namespace channelflow::numeric {

DoubleDouble asinh(DoubleDouble x) {
  if (x.hi - x.hi != 0) return x;  // +/-infinity, NaN
  const DoubleDouble ax = abs(x);
  DoubleDouble result;
  if (ax.hi > 0x1p100) {
    result = log(ax) + kLn2;  // log(2x): 1/(4 x^2) lies below 2^-200
  } else {
    const DoubleDouble square = ax * ax;
    result = log1p(ax + square / (1.0 + sqrt(1.0 + square)));
  }
  return x.hi < 0 ? -result : result;
}

double asinh(double x) {
  const double ax = std::fabs(x);
  if (!(ax >= 0x1p-26) || ax - ax != 0) return x;  // x^3/6 is below a quarter of x's last place; infinities; NaN
  DoubleDouble result;
  if (ax > 0x1p28) {  // log(2x) + 1/(4x^2)
    result = log_exp::fastLog({ax, 0}) + kLn2 + 0.25 / ax / ax;
  } else {
    const DoubleDouble square = twoSquare(ax);
    const DoubleDouble w = ax + square / (1.0 + sqrt(1.0 + square));
    result = log_exp::fastLog(twoSum(1.0, w.hi) + w.lo);
  }
  return x < 0 ? -result.hi : result.hi;
}

Real asinh(const Real& x) {
  if (x.exponent() == 0) return Real(asinh(x.mantissa()));
  if (x.binaryExponent() < 0) return x;  // asinh x = x (1 - x^2/6 ...) for |x| < 2^-480
  const Real result = log(2.0 * abs(x));
  return x.sign() < 0 ? -result : result;
}

}  // namespace channelflow::numeric
