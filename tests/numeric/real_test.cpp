// Real on the boundaries of its range and of the double's: one rounding into
// the subnormals and to infinity, exponents far beyond the double range, and
// the channel formulas whose doubles overflow on the way.
#include "numeric/elementary/real.h"

#include <gtest/gtest.h>

#include "numeric/elementary/bits.h"
#include <cstdint>
#include <limits>

namespace {

using channelflow::numeric::bitCast;
using channelflow::numeric::DoubleDouble;
using channelflow::numeric::Real;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

void expectBits(double actual, double expected) {
  EXPECT_EQ(bitCast<std::uint64_t>(actual), bitCast<std::uint64_t>(expected)) << std::hexfloat << actual << " vs " << expected;
}

TEST(Real, ToDoubleRoundsOnce) {
  struct Row {
    double hi, lo;
    std::int64_t exponent;
    double expected;
  };
  // clang-format off
  const Row rows[] = {
      {1, 0, -1075, 0},                              // half the smallest subnormal: ties to even 0
      {1, 0x1p-60, -1075, 0x1p-1074},                // just above the tie
      {-1, 0x1p-60, -1075, -0.0},                    // just below it in magnitude, sign kept
      {3, 0, -1075, 0x1p-1073},                      // 1.5 of the smallest: ties to 2
      {0x1.8p0, 0, -1075, 0x1p-1074},                // 0.75 of it
      {1, 0, -1076, 0},                              // a quarter of it
      {0x1.0000000000001p0, 0, -1074, 0x1p-1074},
      {1, -0x1p-60, -1022, 0x1p-1022},               // just below the smallest normal rounds to it
      {0x1.fffffffffffffp0, 0, 1023, 0x1.fffffffffffffp1023},
      {0x1.fffffffffffffp0, 0x1p-53, 1023, kInf},    // DBL_MAX + half an ulp: ties to infinity
      {0x1.fffffffffffffp0, 0x1p-54, 1023, 0x1.fffffffffffffp1023},
      {1, 0, 1024, kInf},
      {-1, 0, 100000, -kInf},
      {1, 0, -100000, 0},
      {0x1.5555555555555p0, 0x1.5555555555555p-54, 600, 0x1.5555555555555p600},
  };
  // clang-format on
  for (const Row& row : rows) {
    SCOPED_TRACE(row.exponent);
    expectBits(Real(DoubleDouble{row.hi, row.lo}, row.exponent).toDouble(), row.expected);
  }
}

// A side slope of 1e155 over a depth of 1e-300: m^2 and y^2 leave the double
// range, the perimeter and radius do not.
TEST(Real, ChannelFormulasBeyondTheDoubleRange) {
  const Real slope(1e155), depth(1e-300);
  const Real perimeter = 2.0 * depth * sqrt(1.0 + slope * slope);
  const Real area = slope * depth * depth;
  expectBits(perimeter.toDouble(), 0x1.3faac3e3fa1f4p-481);
  expectBits((area / perimeter).toDouble(), 0x1.56e1fc2f8f359p-998);
  expectBits(area.toDouble(), 0);  // 1e-445: below the subnormals
  EXPECT_EQ(area.binaryExponent(), -1479);
  expectBits((Real(1e-300) * 1e-300 * 1e300 * 1e300).toDouble(), 0x1.0000000000001p+0);
  expectBits((Real(1e300) * 1e300 / 1e300).toDouble(), 1e300);
}

TEST(Real, ExponentsComparisonsAndSpecialValues) {
  const Real huge = ldexp(Real(1.0), 100000);
  EXPECT_EQ(huge.binaryExponent(), 100000);
  EXPECT_EQ(Real(0.75).binaryExponent(), -1);
  EXPECT_EQ(Real(DoubleDouble{1, -0x1p-60}).binaryExponent(), -1);  // just below 1
  EXPECT_EQ(sqrt(ldexp(Real(2.0), 99999)).binaryExponent(), 50000);
  EXPECT_TRUE(ldexp(Real(1.0), 5000) == ldexp(Real(2.0), 4999));
  EXPECT_TRUE(huge > Real(1e300) && -huge < Real(-1e300) && Real(1e-300) * 1e-300 < Real(0x1p-1074));
  EXPECT_TRUE(Real(DoubleDouble{1, 0x1p-80}) > 1.0 && Real(DoubleDouble{1, -0x1p-80}) < 1.0);
  expectBits((huge - huge).toDouble(), 0);
  expectBits((huge + 1.0).toDouble(), kInf);
  expectBits((1.0 / huge).toDouble(), 0);
  EXPECT_TRUE((Real(kNaN) + 1.0).isNaN());
  EXPECT_TRUE((Real(kInf) * 0.0).isNaN());
  EXPECT_TRUE(sqrt(Real(-1.0)).isNaN());
  EXPECT_FALSE(Real(kNaN) == Real(kNaN));
  EXPECT_FALSE(Real(kNaN) < 1.0 || Real(kNaN) >= 1.0);
  expectBits((Real(1.0) / 0.0).toDouble(), kInf);
  expectBits(Real(0x1p-1074).toDouble(), 0x1p-1074);  // a subnormal survives the round trip
}

}  // namespace
