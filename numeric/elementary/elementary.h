// Elementary functions built from IEEE double operations and integers only:
// no C library function, the same bits on every platform.
//
// Three forms each. On Real: relative error below 2^-100 over the whole range
// of a Real, by summing the bounds of the double-double operations each
// kernel takes (the worst measured against MPFR lies between 2^-103 and
// 2^-105). On DoubleDouble: the same kernels, for arguments and results
// within the double range. On double: faithfully rounded (below one ulp) from
// an approximation good to about 2^-64, so correctly rounded but for about one
// argument in 10^4 (exp) to 10^6 and fewer (the others), for the solvers'
// fast first iterations. NaN gives NaN, an argument outside the domain NaN.
#pragma once

#include "numeric/elementary/double_double.h"
#include "numeric/elementary/real.h"

#include <cmath>

namespace channelflow::numeric {

inline constexpr DoubleDouble kPi{0x1.921fb54442d18p+1, 0x1.1a62633145c07p-53};
inline constexpr DoubleDouble kHalfPi{0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54};
inline constexpr DoubleDouble kLn2{0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56};

// Square root: the IEEE operation, correctly rounded.
inline double sqrt(double x) { return std::sqrt(x); }

// Cube root of any x (odd: cbrt(-x) = -cbrt(x)). Double: faithful, correctly
// rounded but for about one argument in 2^25. Double-double and Real: one
// Newton step in double-double from the double's root.
double cbrt(double x);
DoubleDouble cbrt(DoubleDouble x);
Real cbrt(const Real& x);

// sqrt(x^2 + y^2) without overflow or underflow of the squares.
double hypot(double x, double y);
Real hypot(const Real& x, const Real& y);

// Natural logarithm, x > 0 (log 0 = -infinity).
double log(double x);
DoubleDouble log(DoubleDouble x);
Real log(const Real& x);

// log(1 + x), x > -1, accurate relative to the result for tiny x.
double log1p(double x);
DoubleDouble log1p(DoubleDouble x);
Real log1p(const Real& x);

// e^x. The double-double forms need |x| < 708 (beyond, +infinity or 0);
// a Real's result may lie anywhere within 2^+/-kExponentLimit.
double exp(double x);
DoubleDouble exp(DoubleDouble x);
Real exp(const Real& x);

// e^x - 1, accurate relative to the result for tiny x.
double expm1(double x);
DoubleDouble expm1(DoubleDouble x);
Real expm1(const Real& x);

// x^y for x > 0 as e^(y log x), with y log2 x split into an exact integer and
// a small rest. Double: correctly rounded (correctlyRoundedPower). Real:
// relative error below (20 + 5|y|) 2^-106, so below 2^-100 for |y| <= 8.
double pow(double x, double y);
Real pow(const Real& x, const Real& y);
Real pow(const Real& x, double y);

// Arc tangent in [-pi/2, pi/2]; atan2(y, x) in [-pi, pi] with the quadrant of
// (x, y) and the signs of zeros (atan2(+/-0, -0) = +/-pi).
double atan(double x);
DoubleDouble atan(DoubleDouble x);
Real atan(const Real& x);
double atan2(double y, double x);
DoubleDouble atan2(DoubleDouble y, DoubleDouble x);
Real atan2(const Real& y, const Real& x);

// Arc sine in [-pi/2, pi/2] and arc cosine in [0, pi], for |x| <= 1.
double asin(double x);
DoubleDouble asin(DoubleDouble x);
Real asin(const Real& x);
double acos(double x);
DoubleDouble acos(DoubleDouble x);
Real acos(const Real& x);

// Sine and cosine of angles |x| < 2^20 (NaN beyond: the reduction keeps 190
// bits of pi/2, so its absolute error stays below 2^-189). The relative bound
// holds wherever x lies at least 2^-85 from a multiple of pi/2, as every
// double does; a double-double closer than that has error below 2^-189.
double sin(double x);
DoubleDouble sin(DoubleDouble x);
Real sin(const Real& x);
double cos(double x);
DoubleDouble cos(DoubleDouble x);
Real cos(const Real& x);

// Inverse hyperbolic sine, odd, any x.
double asinh(double x);
DoubleDouble asinh(DoubleDouble x);
Real asinh(const Real& x);

}  // namespace channelflow::numeric
