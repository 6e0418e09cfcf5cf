// formatSignificant and formatFixed against MPFR over seeded random doubles
// of every exponent: MPFR's digits rounded to nearest with ties to even for
// the first; for the second MPFR's exact product with 10^places, rounded to
// an integer with ties away from zero.
#include "numeric/text/number_text.h"

#include <gtest/gtest.h>
#include <mpfr.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

namespace {

namespace nm = channelflow::numeric;

#ifdef CHANNELFLOW_SANITIZED
constexpr long kCount = 100'000;
#else
constexpr long kCount = 1'000'000;
#endif

// One MPFR number of 256 bits: a double times 10^15 is exact in it.
class Big {
 public:
  Big() { mpfr_init2(value_, 256); }
  ~Big() { mpfr_clear(value_); }
  Big(const Big&) = delete;
  Big& operator=(const Big&) = delete;
  mpfr_ptr get() { return value_; }

 private:
  mpfr_t value_;
};

// A seeded double: a quarter anywhere in the range, an eighth subnormal, the
// rest where a calculator's results lie, with a random sign.
double draw(std::mt19937_64& random, long k) {
  double value = 0;
  if (k % 8 < 2 || k % 8 == 2) {
    std::uint64_t bits = std::uniform_int_distribution<std::uint64_t>(1, 0x7FEFFFFFFFFFFFFF)(random);
    if (k % 8 == 2) bits >>= 12;
    std::memcpy(&value, &bits, sizeof value);
  } else {
    value = std::pow(10.0, std::uniform_real_distribution<double>(-7, 17)(random));
  }
  return (random() & 1) != 0 ? -value : value;
}

// The default notation of significant digits (no trailing zeros) whose first
// stands at 10^exponent, written from its description, not from the code.
std::string layOut(bool negative, std::string digits, long exponent) {
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  const long count = static_cast<long>(digits.size());
  std::string text = negative ? "-" : "";
  if (exponent < -5 || exponent > 14) {
    text += digits.substr(0, 1) + (count > 1 ? "." + digits.substr(1) : "") + (exponent < 0 ? "E-" : "E+");
    const std::string magnitude = std::to_string(std::labs(exponent));
    return text + (magnitude.size() < 2 ? "0" : "") + magnitude;
  }
  if (exponent < 0) return text + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  if (count <= exponent + 1) return text + digits + std::string(static_cast<std::size_t>(exponent + 1 - count), '0');
  return text + digits.substr(0, static_cast<std::size_t>(exponent + 1)) + "." +
         digits.substr(static_cast<std::size_t>(exponent + 1));
}

TEST(FormatSignificantMpfr, AgreesWithMpfrDigitsRoundedToNearest) {
  std::mt19937_64 random(17);
  Big x;
  std::array<char, 32> digits{};
  for (long k = 0; k < kCount; ++k) {
    const double value = draw(random, k);
    const int count = 1 + static_cast<int>(k % 17);
    mpfr_set_d(x.get(), std::fabs(value), MPFR_RNDN);
    mpfr_exp_t exponent = 0;
    mpfr_get_str(digits.data(), &exponent, 10, static_cast<std::size_t>(count), x.get(), MPFR_RNDN);
    // MPFR reads its digits as 0.d1d2... x 10^exponent.
    ASSERT_EQ(nm::formatSignificant(value, count), layOut(value < 0, digits.data(), exponent - 1))
        << std::hexfloat << value << " to " << count << " digits";
  }
}

TEST(FormatFixedMpfr, AgreesWithMpfrsExactProductRoundedAwayFromZero) {
  std::mt19937_64 random(15);
  Big x, power;
  mpz_t whole;
  mpz_init(whole);
  for (long k = 0; k < kCount / 2; ++k) {
    const double value = draw(random, k);
    const int places = static_cast<int>(k % 16);
    mpfr_set_d(x.get(), std::fabs(value), MPFR_RNDN);
    mpfr_ui_pow_ui(power.get(), 10, static_cast<unsigned long>(places), MPFR_RNDN);
    mpfr_mul(x.get(), x.get(), power.get(), MPFR_RNDN);  // exact: 53 + 50 bits
    mpfr_round(x.get(), x.get());                         // halves away from zero
    mpfr_get_z(whole, x.get(), MPFR_RNDN);
    std::string digits(mpz_sizeinbase(whole, 10) + 2, '\0');
    mpz_get_str(digits.data(), 10, whole);
    digits.resize(std::strlen(digits.c_str()));
    if (digits.size() <= static_cast<std::size_t>(places)) digits.insert(0, static_cast<std::size_t>(places) + 1 - digits.size(), '0');
    if (places > 0) digits.insert(digits.size() - static_cast<std::size_t>(places), ".");
    const std::string expected = (value < 0 && mpz_sgn(whole) != 0 ? "-" : "") + digits;
    ASSERT_EQ(nm::formatFixed(value, places), expected) << std::hexfloat << value << " to " << places << " places";
  }
  mpz_clear(whole);
}

}  // namespace
