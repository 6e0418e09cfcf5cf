// The double-double kernels shared by the logarithms, the exponentials and
// the power.
#pragma once

#include "numeric/double_double.h"

#include <cstdint>

namespace channelflow::numeric::log_exp {

// x = 2^exponent m with m in [0.708, 1.416), and log m, for x.hi > 0 normal;
// |log m| <= 0.35 with relative error below 6u^2.
struct ReducedLogarithm {
  std::int64_t exponent;
  DoubleDouble logOfMantissa;
};
ReducedLogarithm reducedLog(DoubleDouble x);

// e^t = value 2^exponent with value in [0.7, 1.5) and relative error below
// 12u^2, for |t.hi| < 2^30.
struct ScaledExponential {
  DoubleDouble value;
  std::int64_t exponent;
};
ScaledExponential scaledExp(DoubleDouble t);

}  // namespace channelflow::numeric::log_exp
