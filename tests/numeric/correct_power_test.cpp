// The correctly rounded power on its hardest and most special cases, bit for
// bit. Runs on every build, the Windows ones under wine included. The
// expected bits were computed once with MPFR (53 bits, round to nearest, the
// double's exponent range with subnormals).
#include "numeric/elementary/correct_power.h"
#include "numeric/elementary/power_exact_cases.h"
#include "numeric/elementary/power_multi_limb.h"
#include "numeric/value/value.h"

#include <gtest/gtest.h>

#include "numeric/elementary/bits.h"
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace {

using channelflow::numeric::correctlyRoundedPower;

struct Case {
  std::uint64_t base, exponent, expected;
};

// clang-format off
const Case kCases[] = {
    // Radii where the C library's pow errs by just over half an ulp.
    {0x3F73179F281A878CULL, 0x3FC5555555555555ULL, 0x3FDA2851FE4C110FULL},  // C library pow misrounds
    {0x3FAAFF263EF78A40ULL, 0x3FC5555555555555ULL, 0x3FE39873BCA23D7AULL},  // C library pow misrounds
    {0x3F9E78E577F8BB9AULL, 0x3FC5555555555555ULL, 0x3FE1D04586D4FD87ULL},  // C library pow misrounds
    {0x4048D2D137CAF4B0ULL, 0x3FC5555555555555ULL, 0x3FFEAC83F1FBB005ULL},  // C library pow misrounds
    {0x3FE1BBDB61E5444EULL, 0x3FC5555555555555ULL, 0x3FED0077B2BA6ADBULL},  // C library pow misrounds
    {0x3FEF5BE172E877A1ULL, 0x3FC5555555555555ULL, 0x3FEFE46A65545703ULL},  // C library pow misrounds
    {0x3F62AAF552626100ULL, 0x3FC5555555555555ULL, 0x3FD7376E1C98AFBEULL},  // C library pow misrounds
    {0x401083C999F151D3ULL, 0x3FC5555555555555ULL, 0x3FF443F2472E4665ULL},  // C library pow misrounds
    // Radii whose fast-path error bound straddles a midpoint: the exact path decides.
    {0x401083C999F151D3ULL, 0x3FC5555555555555ULL, 0x3FF443F2472E4665ULL},  // hard for the fast path
    {0x3FCCB769BDD2E873ULL, 0x3FC5555555555555ULL, 0x3FE8F1B92624D2BFULL},  // hard for the fast path
    {0x3F77D6161AA6E59FULL, 0x3FC5555555555555ULL, 0x3FDB24A34B0A4C82ULL},  // hard for the fast path
    {0x3FD7973D4635D6B7ULL, 0x3FC5555555555555ULL, 0x3FEB18A8A15A944FULL},  // hard for the fast path
    {0x404F91BC899428AFULL, 0x3FC5555555555555ULL, 0x3FFFED84D1B31453ULL},  // hard for the fast path
    {0x3F9DDBB8F810FF59ULL, 0x3FC5555555555555ULL, 0x3FE1C0D3F137DC53ULL},  // hard for the fast path
    {0x3FEF11C875963B1DULL, 0x3FC5555555555555ULL, 0x3FEFD7CEB143C571ULL},  // hard for the fast path
    // General exponents the exact path decides.
    {0x2FCE2C5E2884AB0AULL, 0xC0093BAE51EFDE48ULL, 0x72D0671B77148AAFULL},  // hard, general exponent
    {0x07A1EE1E33C85233ULL, 0xBFEB55ADC314AE7DULL, 0x7006A7D83BDEF6D0ULL},  // hard, general exponent
    {0x5DABD8E8137FD728ULL, 0xBFEF92E6D819CEB4ULL, 0x22973763923AB09DULL},  // hard, general exponent
    {0x59CE8AF2689A31C7ULL, 0x3FFA00B7759B350AULL, 0x69FA3AEBA770D38EULL},  // hard, general exponent
    {0x3911E3BDE596F933ULL, 0xBFF4A42428CB0FCAULL, 0x48C9FF764418D778ULL},  // hard, general exponent
    {0x02749008C9CEC125ULL, 0x3FD2EF9358034F0BULL, 0x2DBF4F302A46A9F4ULL},  // hard, general exponent
    // Exact results, midpoints, subnormals, overflow and the largest values.
    {0x4010000000000000ULL, 0x3FE0000000000000ULL, 0x4000000000000000ULL},  // 4^0.5 = 2
    {0x4022000000000000ULL, 0x3FE0000000000000ULL, 0x4008000000000000ULL},  // 9^0.5 = 3
    {0x4000000000000000ULL, 0x3FE0000000000000ULL, 0x3FF6A09E667F3BCDULL},  // 2^0.5
    {0x4030000000000000ULL, 0x3FD0000000000000ULL, 0x4000000000000000ULL},  // 16^0.25 = 2
    {0x4050000000000000ULL, 0x3FC5555555555555ULL, 0x4000000000000000ULL},  // 64^(1.0/6.0) rounds to 2
    {0x4000000000000000ULL, 0x4024000000000000ULL, 0x4090000000000000ULL},  // 2^10 = 1024
    {0x4000000000000000ULL, 0xC090C80000000000ULL, 0x0000000000000001ULL},  // 2^-1074 = the smallest subnormal
    {0x4000000000000000ULL, 0xC090CC0000000000ULL, 0x0000000000000000ULL},  // 2^-1075: a tie, to even 0
    {0x3280000000000000ULL, 0x4014000000000000ULL, 0x0000000000000000ULL},  // (2^-215)^5 = 2^-1075: a tie, to even 0
    {0x1E68000000000000ULL, 0x4000000000000000ULL, 0x0000000000000002ULL},  // (3 2^-538)^2 = 2.25 2^-1074, rounds to 2 2^-1074
    {0x419FFFFFFC000000ULL, 0x4000000000000000ULL, 0x434FFFFFF8000000ULL},  // (2^27-1)^2: a midpoint, to even
    {0x410FFFF800000000ULL, 0x4008000000000000ULL, 0x434FFFE800060000ULL},  // (2^18-1)^3: a midpoint, to even
    {0x422FFFF000020000ULL, 0x3FF8000000000000ULL, 0x434FFFE800060000ULL},  // (2^18-1)^2 ^ 1.5 = (2^18-1)^3: a midpoint
    {0x4008000000000000ULL, 0x4041800000000000ULL, 0x436637ED9B2612F3ULL},  // 3^35 (not exact)
    {0x4000000000000000ULL, 0x4090000000000000ULL, 0x7FF0000000000000ULL},  // 2^1024 overflows
    {0x7FEFFFFFFFFFFFFFULL, 0x3FF0000000000000ULL, 0x7FEFFFFFFFFFFFFFULL},  // DBL_MAX^1 = DBL_MAX
    {0x7FEFFFFFFFFFFFFFULL, 0x3FF0000000000001ULL, 0x7FF0000000000000ULL},  // DBL_MAX^(1+2^-52) overflows
    {0x7FEFFFFFFFFFFFFFULL, 0x3FC5555555555555ULL, 0x4A9965FEA53D6E0DULL},  // DBL_MAX^(1.0/6.0)
    {0x7FEFFFFFFFFFFFFFULL, 0xBFF0000000000000ULL, 0x0004000000000000ULL},  // DBL_MAX^-1: subnormal
    {0x7FEFFFFFFFFFFFFFULL, 0x3FE0000000000000ULL, 0x5FEFFFFFFFFFFFFFULL},  // DBL_MAX^0.5
    {0x0000000000000001ULL, 0x3FC5555555555555ULL, 0x34C000000000001FULL},  // (2^-1074)^(1.0/6.0)
    {0x0000000000000001ULL, 0x3FE0000000000000ULL, 0x1E60000000000000ULL},  // (2^-1074)^0.5 = 2^-537
    {0x0010000000000000ULL, 0x3FC5555555555555ULL, 0x354965FEA53D6E6BULL},  // DBL_MIN^(1.0/6.0)
    {0x000123456789ABCDULL, 0x3FC5555555555555ULL, 0x354059123D3A9864ULL},  // a subnormal base^(1.0/6.0)
    {0x01A56E1FC2F8F359ULL, 0x3FC5555555555555ULL, 0x358DEE7A4AD4B855ULL},  // 1e-300^(1.0/6.0)
    {0x7E37E43C8800759CULL, 0x3FC5555555555555ULL, 0x4A511B0EC57E647BULL},  // 1e300^(1.0/6.0)
    {0x3FF0000000000001ULL, 0x4330000000000000ULL, 0x4005BF0A8B145769ULL},  // (1+2^-52)^(2^52), near e
    {0x3FEFFFFFFFFFFFFFULL, 0x43B0000000000000ULL, 0x34642EB9F39AFAE3ULL},  // (1-2^-53)^(2^60), near exp(-128)
    {0x4024000000000000ULL, 0xC014000000000000ULL, 0x3EE4F8B588E368F1ULL},  // 10^-5 = 1.0000000000000001e-05
    {0x4024000000000000ULL, 0x4036000000000000ULL, 0x4480F0CF064DD592ULL},  // 10^22
    {0x4024000000000000ULL, 0x4037000000000000ULL, 0x44B52D02C7E14AF6ULL},  // 10^23 (not exact)
    {0x3FE0000000000000ULL, 0x4090CA0000000000ULL, 0x0000000000000001ULL},  // 0.5^1074.5 = 2^-1074.5, above half the smallest subnormal
    {0x3FE0000000000000ULL, 0x4090C9999999999AULL, 0x0000000000000001ULL},  // 0.5^1074.4, rounds to the smallest subnormal
    {0x4000000000000000ULL, 0x408FFFFFFFFFFFFFULL, 0x7FEFFFFFFFFFFD3AULL},  // 2^1023.9999999999999: finite
    {0x4005BF0A8B145769ULL, 0x40862E3D70A3D70AULL, 0x7FEFE9CE5C4C5161ULL},  // e^709.78 (as doubles) near DBL_MAX
    {0x3FB999999999999AULL, 0x3BC79CA10C924223ULL, 0x3FF0000000000000ULL},  // x^1e-20 rounds to 1
    {0x7E37E43C8800759CULL, 0xBC670EF54646D497ULL, 0x3FEFFFFFFFFFFFC2ULL},  // 1e300^-1e-17, just below 1
    {0x3FECCCCCCCCCCCCDULL, 0x4376345785D8A000ULL, 0x0000000000000000ULL},  // 0.9^1e17 underflows
    {0x3FF199999999999AULL, 0xC376345785D8A000ULL, 0x0000000000000000ULL},  // 1.1^-1e17 underflows
    {0x3FE3E1DB337DB366ULL, 0x3FC5555555555555ULL, 0x3FED8F53E1C99126ULL},  // 0.62^(1.0/6.0), the worked example
};
// clang-format on

TEST(CorrectPower, HardAndSpecialCasesBitForBit) {
  for (const Case& row : kCases) {
    const double base = channelflow::numeric::bitCast<double>(row.base);
    const double exponent = channelflow::numeric::bitCast<double>(row.exponent);
    EXPECT_EQ(channelflow::numeric::bitCast<std::uint64_t>(correctlyRoundedPower(base, exponent)), row.expected)
        << std::hexfloat << base << " ^ " << exponent;
  }
}

// Each precision of the exact path, on its own, rounds the same way: the
// higher ones are otherwise reached only by values closer to a midpoint than
// any known double power.
TEST(CorrectPower, EveryMultiLimbPrecisionAgrees) {
  int checked = 0;
  for (const Case& row : kCases) {
    const double base = channelflow::numeric::bitCast<double>(row.base);
    const double exponent = channelflow::numeric::bitCast<double>(row.exponent);
    const double magnitude = std::fabs(exponent);
    if (!(base > 0 && base != 1 && base <= 0x1.fffffffffffffp1023) || magnitude < 0x1p-70 || magnitude >= 0x1p64 ||
        channelflow::numeric::exactPower(base, exponent)) {
      continue;
    }
    ++checked;
    for (const int limbs : {8, 16, 40}) {
      const auto result = channelflow::numeric::multiLimbPowerAt(limbs, base, exponent);
      ASSERT_TRUE(result.has_value()) << limbs << " limbs: " << std::hexfloat << base << " ^ " << exponent;
      EXPECT_EQ(channelflow::numeric::bitCast<std::uint64_t>(*result), row.expected)
          << limbs << " limbs: " << std::hexfloat << base << " ^ " << exponent;
    }
  }
  EXPECT_GT(checked, 40);
}

TEST(CorrectPower, SignsZerosAndInvalidOperands) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  struct Row {
    double base, exponent, expected;
  };
  // clang-format off
  const Row rows[] = {
      {-2, 3, -8},          {-2, -3, -0.125},      {-2, 4, 16},         {-0.5, 0x1p53, 0},
      {-1, 0x1p60, 1},      {-1, 3, -1},           {-3, 0, 1},          {0, 0, 1},
      {0, 5, 0},            {-0.0, 3, -0.0},       {-0.0, 4, 0},        {0, -1, kInf},
      {-0.0, -3, -kInf},    {0.0, 1.0 / 6.0, 0},   {1, 1e300, 1},       {1, -1e300, 1},
      {2, 1e300, kInf},     {0.5, 1e300, 0},       {2, -1e300, 0},      {-2, 1025, -kInf},
      {kNaN, 0, 1},         {-8, 1.0 / 3.0, kNaN}, {kNaN, 2, kNaN},     {2, kNaN, kNaN},
      {kInf, 2, kNaN},      {2, kInf, kNaN},
  };
  // clang-format on
  for (const Row& row : rows) {
    const double actual = correctlyRoundedPower(row.base, row.exponent);
    if (std::isnan(row.expected)) {
      EXPECT_TRUE(std::isnan(actual)) << row.base << " ^ " << row.exponent;
    } else {
      EXPECT_EQ(channelflow::numeric::bitCast<std::uint64_t>(actual), channelflow::numeric::bitCast<std::uint64_t>(row.expected))
          << row.base << " ^ " << row.exponent << " gave " << actual;
    }
  }
}

// One rounding of mantissa * 2^exponent: ties to even at the top of the range,
// in the subnormals and across the carry into the next binade.
TEST(CorrectPower, RoundToDoubleBoundaries) {
  using channelflow::numeric::roundToDouble;
  constexpr std::uint64_t kTwo53 = std::uint64_t{1} << 53;
  struct Row {
    std::uint64_t mantissa;
    int exponent;
    double expected;
  };
  // clang-format off
  const Row rows[] = {
      {kTwo53 + 1, 0, 0x1p53},                       // tie, to even below
      {kTwo53 + 3, 0, 0x1p53 + 4},                   // tie, to even above
      {2 * kTwo53 - 2, 970, 0x1.fffffffffffffp1023}, // DBL_MAX exactly
      {2 * kTwo53 - 3, 970, 0x1.ffffffffffffep1023}, // half an ulp below DBL_MAX: to the even one below
      {2 * kTwo53 - 1, 970, std::numeric_limits<double>::infinity()},  // DBL_MAX + half an ulp: ties to inf
      {1, 1024, std::numeric_limits<double>::infinity()},
      {3, -1076, 0x1p-1074},                         // 0.75 of the smallest subnormal
      {1, -1076, 0},                                 // a quarter of it
      {1, -1075, 0},                                 // half of it: ties to 0
      {3, -1075, 0x1p-1073},                         // 1.5 of it: ties to 2
      {kTwo53 - 1, -1075, 0x1p-1022},                // carries into the smallest normal
      {(std::uint64_t{1} << 63) + 1, -63, 1},        // 64 significant bits
      {~std::uint64_t{0}, 0, 0x1p64},
      {0, 5, 0},
  };
  // clang-format on
  for (const Row& row : rows) {
    EXPECT_EQ(roundToDouble(row.mantissa, row.exponent), row.expected) << row.mantissa << " * 2^" << row.exponent;
  }
}

// Exact results and midpoints are recognised; everything else is left to the
// approximation (an irrational value, or one with more than 54 bits).
TEST(CorrectPower, ExactCasesAreRecognised) {
  using channelflow::numeric::exactPower;
  struct Row {
    double base, exponent;
    std::optional<double> expected;
  };
  // clang-format off
  const Row rows[] = {
      {81, 0.25, 3},            {0x1p-1074, 0.5, 0x1p-537}, {8, 1.0 / 3.0, std::nullopt}, {3, 0.5, std::nullopt},
      {2, 0.5, std::nullopt},   {9, -0.5, std::nullopt},    {4, -0.5, 0.5},               {3, 33, 5559060566555523.0},
      {3, 35, std::nullopt},    {0x1p-8, 0.125, 0.5},       {0x1p-9, 0.125, std::nullopt}, {6561, 0.125, 3},
      {2, 0x1p40, std::numeric_limits<double>::infinity()}, {0.5, 0x1p40, 0},
  };
  // clang-format on
  for (const Row& row : rows) {
    EXPECT_EQ(exactPower(row.base, row.exponent), row.expected) << row.base << " ^ " << row.exponent;
  }
}

// The general-value power is the correctly rounded one, with its own checks.
TEST(CorrectPower, GeneralValuePowerRoundsCorrectly) {
  using channelflow::numeric::power;
  const double radius = channelflow::numeric::bitCast<double>(0x3F73179F281A878CULL);  // the C library misrounds it
  EXPECT_EQ(channelflow::numeric::bitCast<std::uint64_t>(power(radius, 1.0 / 6.0).toDouble()), 0x3FDA2851FE4C110FULL);
}

}  // namespace
