#include "tests/reference/expected_text.h"

#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "tests/reference/real.h"

namespace channelflow::reference {
namespace {

// The 15 rounded digits of |value| and the decimal exponent of the first.
std::string fifteenDigits(mpfr_srcptr value, long& exponent) {
  std::array<char, 32> digits{};
  mpfr_exp_t e = 0;
  mpfr_get_str(digits.data(), &e, 10, 15, value, MPFR_RNDN);  // RNDN settles ties to the even digit
  exponent = static_cast<long>(e) - 1;
  return std::string(digits.data()[0] == '-' ? digits.data() + 1 : digits.data());
}

}  // namespace

Real fromText(const std::string& text) {
  Real r;
  if (mpfr_set_str(r.get(), text.c_str(), 10, MPFR_RNDN) != 0) throw std::invalid_argument("not a number: " + text);
  return r;
}

std::string expectedText(double value) {
  if (value == 0) return "0";
  mpfr_t exact;
  mpfr_init2(exact, 53);
  mpfr_set_d(exact, value, MPFR_RNDN);
  long exponent = 0;
  std::string digits = fifteenDigits(exact, exponent);
  mpfr_clear(exact);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string text = value < 0 ? "-" : "";
  if (exponent >= -5 && exponent <= 14) {
    if (exponent < 0) return text + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole) return text + digits + std::string(whole - digits.size(), '0');
    return text + digits.substr(0, whole) + "." + digits.substr(whole);
  }
  text += digits.substr(0, 1);
  if (digits.size() > 1) text += "." + digits.substr(1);
  const long magnitude = std::labs(exponent);
  return text + (exponent < 0 ? "E-" : "E+") + (magnitude < 10 ? "0" : "") + std::to_string(magnitude);
}

double unitsApart(const std::string& printed, const std::string& expected) {
  if (expected == "0") return printed == "0" ? 0 : std::numeric_limits<double>::infinity();
  const Real want = fromText(expected);
  long exponent = 0;
  fifteenDigits(want.get(), exponent);
  Real unit(10);
  mpfr_pow_si(unit.get(), unit.get(), exponent - 14, MPFR_RNDN);
  return toDouble(abs(fromText(printed) - want) / unit);
}

}  // namespace channelflow::reference
