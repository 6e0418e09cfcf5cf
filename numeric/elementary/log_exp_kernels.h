// The double-double kernels shared by the logarithms, the exponentials and
// the power.
#pragma once

#include "numeric/elementary/double_double.h"

#include <cstdint>

namespace channelflow::numeric::log_exp {

// x = 2^exponent m with m in [0.708, 1.416), and log m, for x.hi > 0 normal;
// |log m| <= 0.35 with relative error below 6u^2.
struct ReducedLogarithm {
  std::int64_t exponent;
  DoubleDouble logOfMantissa;
};
ReducedLogarithm reducedLog(DoubleDouble x);

// log x to about 2^-68 relative for x.hi > 0 finite, |x.lo| <= 2^-52 x.hi:
// the double forms' logarithm.
DoubleDouble fastLog(DoubleDouble x);

// e^t = value 2^exponent with value in [0.99, 2.01) and relative error below
// 12u^2, for |t.hi| < 2^30.
struct ScaledExponential {
  DoubleDouble value;
  std::int64_t exponent;
};
ScaledExponential scaledExp(DoubleDouble t);
// The same to about 2^-68 relative for |x| <= 746: the double forms' exponential.
ScaledExponential fastExp(double x);

// 2^(j/128) e^r from the power's table (j = k mod 128), for |r| <= 2^-8.5,
// to about 2^-68 relative: {hi, lo} unnormalised (|lo| below a few ulp of hi),
// the exponent k >> 7 apart.
struct TableExponential {
  double hi, lo;
  std::int64_t exponent;
};
TableExponential exponentialFromTable(DoubleDouble r, std::int64_t k);

}  // namespace channelflow::numeric::log_exp
