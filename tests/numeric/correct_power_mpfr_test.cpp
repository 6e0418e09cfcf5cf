// correctlyRoundedPower against MPFR's pow rounded to the double format
// (subnormals included): every result must carry the same bits.
#include "numeric/elementary/correct_power.h"

#include <gtest/gtest.h>
#include <mpfr.h>

#include "numeric/elementary/bits.h"
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <functional>
#include <random>
#include <string>

namespace {

using channelflow::numeric::correctlyRoundedPower;

// MPFR takes a few microseconds a case, which sets the counts (11.9 million in
// all). The sanitizer build runs several times slower: it checks a tenth.
#ifdef CHANNELFLOW_SANITIZED
constexpr long kScale = 10;
#else
constexpr long kScale = 1;
#endif

class Reference {
 public:
  Reference() {
    mpfr_set_emin(-1073);  // the double format: subnormals down to 2^-1074
    mpfr_set_emax(1024);
    mpfr_inits2(53, x_, y_, result_, static_cast<mpfr_ptr>(nullptr));
  }
  ~Reference() { mpfr_clears(x_, y_, result_, static_cast<mpfr_ptr>(nullptr)); }
  Reference(const Reference&) = delete;
  Reference& operator=(const Reference&) = delete;

  double power(double x, double y) {
    mpfr_set_d(x_, x, MPFR_RNDN);
    mpfr_set_d(y_, y, MPFR_RNDN);
    const int inexact = mpfr_pow(result_, x_, y_, MPFR_RNDN);
    mpfr_subnormalize(result_, inexact, MPFR_RNDN);
    return mpfr_get_d(result_, MPFR_RNDN);
  }

 private:
  mpfr_t x_, y_, result_;
};

// Runs count cases drawn by next and returns how many differ, printing the first few.
long misrounded(long count, const std::function<void(double&, double&)>& next) {
  Reference reference;
  long wrong = 0;
  for (long i = 0; i < count; ++i) {
    double x = 0, y = 0;
    next(x, y);
    const double expected = reference.power(x, y);
    const double actual = correctlyRoundedPower(x, y);
    if (channelflow::numeric::bitCast<std::uint64_t>(expected) != channelflow::numeric::bitCast<std::uint64_t>(actual)) {
      if (++wrong <= 10) {
        ADD_FAILURE() << std::hexfloat << "pow(" << x << ", " << y << ") = " << actual << ", expected " << expected;
      }
    }
  }
  return wrong;
}

double logUniform(std::mt19937_64& random, double low, double high) {
  std::uniform_real_distribution<double> exponent(std::log(low), std::log(high));
  return std::exp(exponent(random));
}

constexpr double kSixth = 1.0 / 6.0;

// 8 million radii of real channels in eight slices, so CTest can run them side by side.
class RealChannels : public testing::TestWithParam<int> {};

TEST_P(RealChannels, HydraulicRadii) {
  std::mt19937_64 random(static_cast<std::uint64_t>(100 + GetParam()));
  EXPECT_EQ(misrounded(1'000'000 / kScale, [&](double& x, double& y) {
              x = logUniform(random, 1e-4, 1e3);
              y = kSixth;
            }),
            0);
}

INSTANTIATE_TEST_SUITE_P(CorrectPowerMpfr, RealChannels, testing::Range(0, 8));

TEST(CorrectPowerMpfr, HydraulicRadiiOverTheWholeRange) {
  std::mt19937_64 random(2);
  EXPECT_EQ(misrounded(1'500'000 / kScale, [&](double& x, double& y) {
              x = logUniform(random, 1e-300, 1e300);
              y = kSixth;
            }),
            0);
}

TEST(CorrectPowerMpfr, EveryPositiveBitPatternIncludingSubnormals) {
  std::mt19937_64 random(3);
  std::uniform_int_distribution<std::uint64_t> bits(1, 0x7FEFFFFFFFFFFFFFULL);
  std::uniform_int_distribution<std::uint64_t> subnormal(1, (std::uint64_t{1} << 52) - 1);
  long i = 0;
  EXPECT_EQ(misrounded(500'000 / kScale, [&](double& x, double& y) {
              x = channelflow::numeric::bitCast<double>(++i % 8 == 0 ? subnormal(random) : bits(random));
              y = kSixth;
            }),
            0);
}

TEST(CorrectPowerMpfr, GeneralExponents) {
  std::mt19937_64 random(4);
  std::uniform_real_distribution<double> small(-12.0, 12.0);
  std::uniform_real_distribution<double> logTarget(-760.0, 720.0);
  long i = 0;
  EXPECT_EQ(misrounded(1'000'000 / kScale, [&](double& x, double& y) {
              x = logUniform(random, 1e-300, 1e300);
              // Half with small exponents, half aimed over the whole result range
              // (overflow and underflow included).
              y = ++i % 2 == 0 ? small(random) : logTarget(random) / std::log(x);
            }),
            0);
}

TEST(CorrectPowerMpfr, BasesNearOneWithLargeExponents) {
  std::mt19937_64 random(5);
  std::uniform_int_distribution<int> steps(-4096, 4096);
  std::uniform_real_distribution<double> logTarget(-760.0, 720.0);
  EXPECT_EQ(misrounded(300'000 / kScale, [&](double& x, double& y) {
              const std::uint64_t one = channelflow::numeric::bitCast<std::uint64_t>(1.0);
              int step = steps(random);
              if (step == 0) step = 1;
              x = channelflow::numeric::bitCast<double>(one + static_cast<std::uint64_t>(static_cast<std::int64_t>(step)));
              y = logTarget(random) / std::log(x);
            }),
            0);
}

TEST(CorrectPowerMpfr, ExactPowersAndIntegerExponents) {
  // Small integers and their powers: exact results, midpoints and near misses.
  std::mt19937_64 random(6);
  std::uniform_int_distribution<int> integer(1, 1 << 20);
  std::uniform_int_distribution<int> shift(-1100, 960);
  const double exponents[] = {0.5, 0.25, 0.125, 1.5, 2.5, 0.75, 3, 4, 5, 7, 11, -2, -3, 1.0 / 3, kSixth, 0.0625, 0.03125};
  long i = 0;
  EXPECT_EQ(misrounded(600'000 / kScale, [&](double& x, double& y) {
              const int value = integer(random);
              x = std::ldexp(static_cast<double>(value) * value, i % 3 == 0 ? shift(random) : 0);
              y = exponents[static_cast<std::size_t>(i++) % std::size(exponents)];
            }),
            0);
}

TEST(CorrectPowerMpfr, ExtremeValues) {
  const double bases[] = {DBL_MAX, DBL_MIN, 0x1p-1074, 0x1.fffffffffffffp-1, 0x1.0000000000001p0, 2, 0.5, 10, 1e-300};
  const double exponents[] = {kSixth, 1.0 / 3, 0.5, 2.0 / 3, 0.6, 1.5, -kSixth, -0.5, 1e-10, 1e-300, 4e-324, 1e10,
                              1e15, 1e17, -1e17, 1.0000000000000002, 0.9999999999999999, 1074, -1074, 1075, 1023.5};
  long index = 0;
  const long count = static_cast<long>(std::size(bases) * std::size(exponents));
  EXPECT_EQ(misrounded(count, [&](double& x, double& y) {
              x = bases[static_cast<std::size_t>(index) / std::size(exponents)];
              y = exponents[static_cast<std::size_t>(index) % std::size(exponents)];
              ++index;
            }),
            0);
}

}  // namespace
