#include "calc/sections/circular_segment.h"

#include <array>

namespace channelflow::calc {
namespace {

using numeric::atan2;
using numeric::sqrt;

// Taylor coefficients, in powers phi^3, phi^5, ... of phi - sin(phi) cos(phi).
constexpr std::array<double, 16> kAreaSeries = {
    0.66666666666666666667,   -0.13333333333333333333,   0.012698412698412698413,   -0.00070546737213403880071,
    2.5653358986692320026e-5, -6.5777843555621333399e-7, 1.2529113058213587314e-8,  -1.8425166262078804874e-10,
    2.1549902060910882893e-12, -2.0523716248486555136e-14, 1.6224281619356960582e-16, -1.0816187746237973721e-18,
    6.1630699408763383028e-21, -3.0359950447666691147e-23, 1.3058043203297501569e-25, -4.9462284860975384729e-28};

// Taylor coefficients, in powers phi^5, phi^7, ... of
// (2/3) sin^3(phi) - phi cos(phi) + sin(phi) cos^2(phi), the moment about the chord over r^3.
constexpr std::array<double, 16> kMomentSeries = {
    0.13333333333333333333,    -0.034920634920634920635,  0.0044973544973544973545,  -0.00036956870290203623537,
    2.1334118556340778563e-5,  -9.1439277947214455151e-7, 3.0255958321629034359e-8,  -7.9621048175786510367e-10,
    1.7061655999029193921e-11, -3.0346819589512512931e-13, 4.5520229497735094402e-15, -5.8359268604472549157e-17,
    6.4683918406324509523e-19, -6.2597340393489679290e-21, 5.3350006017206343146e-23, -4.0348744046629123540e-25};

// Below this half angle the series are used. In doubles, above 1.2 the closed
// forms lose fewer than two bits to cancellation, and below it the sixteen
// terms reach full precision. In double-double, the closed forms lose at most
// 22 of their 106 bits above 2^-10, and below it six terms reach 2^-120.
template <typename Number>
constexpr double kSeriesLimit = kIsReal<Number> ? 0x1p-10 : 1.2;

// sum c_k x^k by Horner's rule, in doubles.
double polynomial(const std::array<double, 16>& c, double x) {
  double sum = 0;
  for (auto k = c.size(); k-- > 0;) sum = sum * x + c[k];
  return sum;
}

// The first six terms in double-double: the leading three coefficients exact
// (their ratios of integers divided out), the next three as doubles, whose
// rounding is below 2^-53 phi^6 of the sum.
Real polynomial(const std::array<Real, 3>& exact, const std::array<double, 16>& c, const Real& x) {
  Real sum = Real(c[5]);
  sum = sum * x + Real(c[4]);
  sum = sum * x + Real(c[3]);
  for (auto k = exact.size(); k-- > 0;) sum = sum * x + exact[k];
  return sum;
}

const std::array<Real, 3>& exactAreaTerms() {
  static const std::array<Real, 3> terms{Real(2) / Real(3), Real(-2) / Real(15), Real(4) / Real(315)};
  return terms;
}

const std::array<Real, 3>& exactMomentTerms() {
  static const std::array<Real, 3> terms{Real(2) / Real(15), Real(-11) / Real(315), Real(17) / Real(3780)};
  return terms;
}

template <typename Number>
Number areaSeries(const Number& phi2) {
  if constexpr (kIsReal<Number>) {
    return polynomial(exactAreaTerms(), kAreaSeries, phi2);
  } else {
    return polynomial(kAreaSeries, phi2);
  }
}

template <typename Number>
Number momentSeries(const Number& phi2) {
  if constexpr (kIsReal<Number>) {
    return polynomial(exactMomentTerms(), kMomentSeries, phi2);
  } else {
    return polynomial(kMomentSeries, phi2);
  }
}

}  // namespace

template <typename Number>
Segment<Number> circularSegment(const Number& r, const Number& phi, const Number& s, const Number& c) {
  if (phi < Number(kSeriesLimit<Number>)) {
    // r phi is about sqrt(2 r h) and r phi^2 about 2h: with the powers of phi
    // gathered on them, a shallow segment of a vast circle neither overflows
    // r^2 nor sinks phi^2 below the doubles.
    const Number phi2 = phi * phi;
    const Number arc = r * phi;
    return {arc * arc * phi * areaSeries(phi2), arc + arc, arc * arc * (arc * phi) * phi * momentSeries(phi2)};
  }
  const Number area = phi - s * c;                                            // A / r^2
  const Number moment = Number(2) * (s * s * s) / Number(3) - phi * c + s * c * c;  // moment / r^3
  return {area * r * r, (r + r) * phi, moment * r * r * r};
}

// With half angle phi, h = r (1 - cos phi), so sin(phi/2) = sqrt(h/D) and
// cos(phi/2) = sqrt((D - h)/D): atan2 of the two is exact at both ends, where
// acos(1 - 2h/D) would lose the digits of a shallow or nearly full depth.
template <typename Number>
SegmentAtDepth<Number> circularSegmentAtDepth(const Number& D, const Number& h) {
  const Number rootH = sqrt(h);
  const Number rest = D - h;
  const Number rootRest = sqrt(rest);
  const Number half = atan2(rootH, rootRest);
  const Number T = Number(2) * rootH * rootRest;
  const Number s = T / D;             // sin(phi) = 2 sqrt(h (D - h)) / D
  const Number c = (rest - h) / D;    // cos(phi) = 1 - 2h/D
  return {circularSegment(D * Number(0.5), half + half, s, c), T};
}

template Segment<double> circularSegment(const double&, const double&, const double&, const double&);
template Segment<Real> circularSegment(const Real&, const Real&, const Real&, const Real&);
template SegmentAtDepth<double> circularSegmentAtDepth(const double&, const double&);
template SegmentAtDepth<Real> circularSegmentAtDepth(const Real&, const Real&);

}  // namespace channelflow::calc
