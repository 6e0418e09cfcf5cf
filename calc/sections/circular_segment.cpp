#include "calc/sections/circular_segment.h"

#include <array>
#include <cmath>

namespace channelflow::sections {
namespace {

// Below this half angle the series are used: above it the closed forms lose
// fewer than two bits to cancellation, below it the series' terms up to
// phi^35 reach full double precision.
constexpr double kSeriesLimit = 1.2;

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

// sum c_k x^k by Horner's rule.
double polynomial(const std::array<double, 16>& c, double x) {
  double sum = 0;
  for (auto k = c.size(); k-- > 0;) sum = sum * x + c[k];
  return sum;
}

}  // namespace

SegmentParts circularSegment(double r, double phi, double s, double c) {
  if (phi < kSeriesLimit) {
    // r phi is about sqrt(2 r h) and r phi^2 about 2h: with the powers of phi
    // gathered on them, a shallow segment of a vast circle neither overflows
    // r^2 nor sinks phi^2 into the subnormals.
    const double phi2 = phi * phi;
    const double arc = r * phi;
    return {arc * arc * phi * polynomial(kAreaSeries, phi2), 2 * arc,
            arc * arc * (arc * phi) * phi * polynomial(kMomentSeries, phi2)};
  }
  const double area = phi - s * c;                                   // A / r^2
  const double moment = 2.0 / 3.0 * s * s * s - phi * c + s * c * c;  // moment / r^3
  return {area * r * r, 2 * r * phi, moment * r * r * r};
}

// With half angle phi, h = r (1 - cos phi), so sin(phi/2) = sqrt(h/D) and
// cos(phi/2) = sqrt((D - h)/D): atan2 of the two is exact at both ends, where
// acos(1 - 2h/D) would lose the digits of a shallow or nearly full depth.
SegmentAtDepth circularSegmentAtDepth(double D, double h) {
  const double rootH = std::sqrt(h);
  const double rootRest = std::sqrt(D - h);
  const double phi = 2 * std::atan2(rootH, rootRest);
  const double T = 2 * rootH * rootRest;
  const double s = T / D;            // sin(phi) = 2 sqrt(h (D - h)) / D
  const double c = (D - h - h) / D;  // cos(phi) = 1 - 2h/D
  return {circularSegment(D / 2, phi, s, c), T};
}

}  // namespace channelflow::sections
