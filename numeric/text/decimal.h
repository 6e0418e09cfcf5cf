// A number as it was typed, so that levels and stations subtract exactly:
// 102.6 - 100 is 2.6, where the doubles nearest to them differ by
// 2.5999999999999943. Held as significand x 10^exponent when the text has at
// most 18 significant digits and its last digit's place lies within
// 10^-22 .. 10^22 (every double's shortest text has at most 17 digits);
// a longer text is held as its nearest double, as a number given as a double
// is, and a result beyond the limits as its Real. Its nearest double and its
// Real are kept at hand.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "numeric/elementary/real.h"
#include "numeric/text/number_text.h"

namespace channelflow::numeric {

class Decimal {
 public:
  static constexpr std::int64_t kSignificandLimit = 1'000'000'000'000'000'000;  // 10^18, excluded
  static constexpr int kExponentLimit = 22;  // 10^22 is the largest power of ten a double holds exactly

  Decimal() = default;  // 0
  Decimal(double value);  // NOLINT: a double is a decimal too, held exactly
  // significand x 10^exponent: held exactly within the limits above (trailing
  // zeros of the significand dropped first), otherwise as its Real.
  static Decimal of(std::int64_t significand, int exponent);

  // A computed value (a station from a plan's coordinates, a level less a
  // depth), held as its Real: differences of such values are their Reals'.
  static Decimal ofReal(const Real& value);

  // Whether the value is held as significand x 10^exponent.
  bool isDecimal() const { return decimal_; }
  std::int64_t significand() const { return significand_; }
  int exponent() const { return exponent_; }
  // The double nearest to the value, ties to even.
  double toDouble() const { return nearest_; }
  // The value as a Real: exact for a double, or a significand below 2^53 and
  // an exponent >= 0; otherwise within 2^-104 of it (relative).
  const Real& toReal() const { return real_; }

  // a - b, exactly when both are held in decimal and their difference fits
  // 63 bits at the finer place of the two (then rounded once into the Real,
  // within 2^-104, the same Real as the difference typed); otherwise the
  // difference of their Reals.
  friend Real difference(const Decimal& a, const Decimal& b);
  // -1, 0 or 1 as a < b, a == b, a > b: exactly in decimal, otherwise as their Reals compare.
  friend int compare(const Decimal& a, const Decimal& b);
  // this + count x step: exact in decimal where the result is held in decimal,
  // otherwise from the Reals (within 2^-103).
  Decimal advanced(const Decimal& step, std::int64_t count) const;
  // floor((to - from) / step) for step > 0 and to >= from, when all three
  // are held in decimal and the quotient fits; nothing otherwise.
  friend std::optional<std::int64_t> wholeSteps(const Decimal& from, const Decimal& to, const Decimal& step);

 private:
  Decimal(std::int64_t significand, int exponent, double nearest);

  std::int64_t significand_ = 0;
  int exponent_ = 0;
  bool decimal_ = true;
  double nearest_ = 0;
  Real real_;
};

Real difference(const Decimal& a, const Decimal& b);
int compare(const Decimal& a, const Decimal& b);
std::optional<std::int64_t> wholeSteps(const Decimal& from, const Decimal& to, const Decimal& step);

// The strict reading of readStrictNumber, kept as typed: the same status and
// the same nearest double, and the number in decimal where it fits.
struct ReadDecimal {
  Decimal value;
  ReadStatus status = ReadStatus::Ok;
};
ReadDecimal readStrictDecimal(std::string_view text);

}  // namespace channelflow::numeric
