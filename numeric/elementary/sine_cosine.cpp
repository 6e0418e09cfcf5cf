// sin and cos: x = n pi/2 + r with r summed exactly from the products of n
// and six 32-bit chunks of pi/2, then r = j/64 + t with tables of sin(j/64)
// and cos(j/64) and the series of sin t and cos t for |t| <= 2^-7. The double
// forms reduce with three chunks unless r is tiny, and sum the series in
// double around exact products with the table (about 2^-64 relative).
#include "numeric/elementary/elementary.h"
#include "numeric/elementary/elementary_tables.h"
#include "numeric/elementary/series.h"

#include <limits>

namespace channelflow::numeric {
namespace {

using elementary_tables::kHalfPiChunks;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kRoundShift = 0x1.8p52;
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;
constexpr double kLargestAngle = 0x1p20;

struct ReducedAngle {
  DoubleDouble r;  // |r| <= pi/4 + 2^-40
  std::uint64_t quadrant;
};

// Adds b to the nonoverlapping expansion e[0..count), smallest first: exact.
void grow(double* e, int& count, double b) {
  for (int i = 0; i < count; ++i) {
    const DoubleDouble s = twoSum(b, e[i]);
    e[i] = s.lo;
    b = s.hi;
  }
  e[count++] = b;
}

ReducedAngle reduce(DoubleDouble x) {
  if (std::fabs(x.hi) <= 0.785) return {x, 0};
  const double n = (x.hi * kTwoOverPi + kRoundShift) - kRoundShift;
  // x - n pi/2 as an exact expansion: n times a chunk is exact, and so is
  // x.hi - n chunk0 (the two lie within a factor of two).
  double e[8];
  int count = 0;
  grow(e, count, x.hi - n * kHalfPiChunks[0]);
  grow(e, count, x.lo);
  for (int i = 1; i < 6; ++i) grow(e, count, -n * kHalfPiChunks[i]);
  DoubleDouble r{e[0], 0};
  for (int i = 1; i < count; ++i) r = r + e[i];
  return {r, static_cast<std::uint64_t>(static_cast<std::int64_t>(n))};
}

struct SineCosine {
  DoubleDouble sine, cosine;
};

// sin r and cos r for |r| <= pi/4 + 2^-40.
SineCosine sineCosineOfReduced(DoubleDouble r) {
  const bool negativeR = r.hi < 0;
  const DoubleDouble ar = abs(r);
  const double j = (ar.hi * 64 + kRoundShift) - kRoundShift;
  const DoubleDouble t = twoSum(ar.hi - j / 64, ar.lo);  // the difference is exact (Sterbenz)
  const DoubleDouble z = t * t;
  const DoubleDouble sineT = t * mixedHorner(z, elementary_tables::kSinHead, elementary_tables::kSinTail);
  const DoubleDouble cosineT = mixedHorner(z, elementary_tables::kCosHead, elementary_tables::kCosTail);
  SineCosine result{sineT, cosineT};
  if (j != 0) {
    const auto index = static_cast<std::size_t>(j);
    const DoubleDouble sineJ = elementary_tables::kSin[index], cosineJ = elementary_tables::kCos[index];
    result = {sineJ * cosineT + cosineJ * sineT, cosineJ * cosineT - sineJ * sineT};
  }
  if (negativeR) result.sine = -result.sine;
  return result;
}

// The sine (or cosine, one quadrant on) of x, |x.hi| < 2^20.
DoubleDouble sineInQuadrant(DoubleDouble x, std::uint64_t extraQuadrant) {
  if (!(std::fabs(x.hi) < kLargestAngle)) return {kNaN, 0};
  const ReducedAngle reduced = reduce(x);
  const SineCosine sc = sineCosineOfReduced(reduced.r);
  switch ((reduced.quadrant + extraQuadrant) & 3) {
    case 0: return sc.sine;
    case 1: return sc.cosine;
    case 2: return -sc.sine;
    default: return -sc.cosine;
  }
}

// x = n pi/2 + r for a double x: three chunks leave r within 2^-110 unless it
// is tiny, where the exact expansion takes over.
ReducedAngle fastReduce(double x) {
  if (std::fabs(x) <= 0.785) return {{x, 0}, 0};
  const double n = (x * kTwoOverPi + kRoundShift) - kRoundShift;
  const DoubleDouble b = twoSum(x - n * kHalfPiChunks[0], -n * kHalfPiChunks[1]);
  const DoubleDouble r = twoSum(b.hi, -n * kHalfPiChunks[2]);
  if (std::fabs(r.hi) < 0x1p-30) return reduce({x, 0});
  return {fastTwoSum(r.hi, r.lo + (b.lo - n * kHalfPiChunks[3])), static_cast<std::uint64_t>(static_cast<std::int64_t>(n))};
}

// sin r or cos r for |r| <= pi/4 + 2^-40, to about 2^-64 relative.
double fastSineOrCosine(DoubleDouble r, bool cosine) {
  const bool negativeR = r.hi < 0;
  const DoubleDouble ar = abs(r);
  const double j = (ar.hi * 64 + kRoundShift) - kRoundShift;
  const DoubleDouble t = twoSum(ar.hi - j / 64, ar.lo);
  const double z = t.hi * t.hi;
  const double sineTail = t.lo + t.hi * z * (-1.0 / 6 + z * (1.0 / 120 + z * (-1.0 / 5040 + z * (1.0 / 362880))));
  const double cosineMinusOne = -(0.5 * z + t.hi * t.lo) + z * z * (1.0 / 24 + z * (-1.0 / 720 + z * (1.0 / 40320)));
  double result;
  if (j == 0) {
    result = cosine ? 1 + cosineMinusOne : t.hi + sineTail;
  } else {
    const auto index = static_cast<std::size_t>(j);
    const DoubleDouble sineJ = elementary_tables::kSin[index], cosineJ = elementary_tables::kCos[index];
    if (cosine) {  // cos(c + t) = C + C (cos t - 1) - S t - S (sin t - t)
      const DoubleDouble p = twoProduct(sineJ.hi, t.hi);
      const DoubleDouble h = twoSum(cosineJ.hi, -p.hi);
      result = h.hi + (h.lo - p.lo + cosineJ.lo - sineJ.lo * t.hi + cosineJ.hi * cosineMinusOne - sineJ.hi * sineTail);
    } else {  // sin(c + t) = S + S (cos t - 1) + C t + C (sin t - t)
      const DoubleDouble p = twoProduct(cosineJ.hi, t.hi);
      const DoubleDouble h = twoSum(sineJ.hi, p.hi);
      result = h.hi + (h.lo + p.lo + sineJ.lo + cosineJ.lo * t.hi + sineJ.hi * cosineMinusOne + cosineJ.hi * sineTail);
    }
  }
  return negativeR && !cosine ? -result : result;
}

// The sine (or cosine, one quadrant on) of a double |x| < 2^20.
double fastSineInQuadrant(double x, std::uint64_t extraQuadrant) {
  if (!(std::fabs(x) < kLargestAngle)) return kNaN;
  const ReducedAngle reduced = fastReduce(x);
  const std::uint64_t quadrant = reduced.quadrant + extraQuadrant;
  const double value = fastSineOrCosine(reduced.r, (quadrant & 1) != 0);
  return (quadrant & 2) != 0 ? -value : value;
}

}  // namespace

DoubleDouble sin(DoubleDouble x) { return sineInQuadrant(x, 0); }
DoubleDouble cos(DoubleDouble x) { return sineInQuadrant(x, 1); }
double sin(double x) { return fastSineInQuadrant(x, 0); }
double cos(double x) { return fastSineInQuadrant(x, 1); }

Real sin(const Real& x) {
  if (x.exponent() == 0) return Real(sin(x.mantissa()));
  return x.binaryExponent() < 0 ? x : Real(kNaN);  // sin x = x (1 - x^2/6 ...) for |x| < 2^-480
}

Real cos(const Real& x) {
  if (x.exponent() == 0) return Real(cos(x.mantissa()));
  return Real(x.binaryExponent() < 0 ? 1.0 : kNaN);
}

}  // namespace channelflow::numeric
