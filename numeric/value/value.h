// General values and their arithmetic. A value holds a double, a 16-bit
// integer or a text source; every operation gives a double. Integers widen to
// double, and a text source is fetched and converted strictly at the moment
// an operation needs its number, not before.
#pragma once

#include "numeric/elementary/correct_power.h"
#include "numeric/value/runtime_error.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <variant>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// A 32-bit x86 build must do its double arithmetic on SSE2: the x87 unit
// rounds each result twice (to 64 bits, then to 53 when stored).
#if defined(__i386__) && !defined(__SSE2_MATH__)
#error "32-bit x86 builds need -msse2 -mfpmath=sse"
#endif

namespace channelflow::numeric {

// Where a text operand comes from: a fixed string, or a control whose text is
// read only when the arithmetic asks for it. fetchText may throw RuntimeError.
class TextSource {
 public:
  virtual std::string fetchText() const = 0;

 protected:
  ~TextSource() = default;
};

class Value {
 public:
  Value(double number) : content_(number) {}                   // NOLINT: implicit by design
  Value(std::int16_t integer) : content_(integer) {}           // NOLINT
  Value(const TextSource& text) : content_(&text) {}           // NOLINT

  bool holdsDouble() const { return std::holds_alternative<double>(content_); }
  bool holdsInteger() const { return std::holds_alternative<std::int16_t>(content_); }
  bool holdsText() const { return std::holds_alternative<const TextSource*>(content_); }

  // The value as a double: a double as it is, an integer widened, a text
  // fetched and converted strictly (may throw RuntimeError).
  double toDouble() const {
    if (const double* number = std::get_if<double>(&content_)) return *number;
    if (const std::int16_t* integer = std::get_if<std::int16_t>(&content_)) return *integer;
    return convertText(*std::get<const TextSource*>(content_));
  }

 private:
  static double convertText(const TextSource& text);

  std::variant<double, std::int16_t, const TextSource*> content_;
};

// Throws RuntimeError(number); kept out of line so the arithmetic stays small.
[[noreturn]] void raise(ErrorNumber number);

// A plain double result checked the way the arithmetic checks its own.
// Operands are always finite, so a NaN can only come from an infinite
// intermediate: both are a result beyond the double range.
inline double checkedResult(double value) {
  if (!std::isfinite(value)) raise(ErrorNumber::Overflow);
  return value;
}

// Each operation converts its left operand first, then its right one, then
// computes. Results beyond the range of a double throw Overflow.
inline Value add(const Value& left, const Value& right) {
  const double a = left.toDouble();
  return checkedResult(a + right.toDouble());
}

inline Value multiply(const Value& left, const Value& right) {
  const double a = left.toDouble();
  return checkedResult(a * right.toDouble());
}

// A zero divisor throws DivisionByZero, 0/0 included: the divisor is the fault.
inline Value divide(const Value& left, const Value& right) {
  const double dividend = left.toDouble();
  const double divisor = right.toDouble();
  if (divisor == 0) raise(ErrorNumber::DivisionByZero);
  return checkedResult(dividend / divisor);
}

// The correctly rounded power. A negative base with a fractional exponent
// throws InvalidArgument; zero to a negative power is a division by zero.
inline Value power(const Value& base, const Value& exponent) {
  const double b = base.toDouble();
  const double e = exponent.toDouble();
  if (b < 0 && e != std::trunc(e)) raise(ErrorNumber::InvalidArgument);
  if (b == 0 && e < 0) raise(ErrorNumber::DivisionByZero);
  return checkedResult(correctlyRoundedPower(b, e));
}

inline Value absoluteValue(const Value& value) { return std::fabs(value.toDouble()); }

// Square root of a plain double, correctly rounded; a negative argument
// throws InvalidArgument. On x86 it is the sqrtsd instruction itself, so no
// build can fall back to a library routine that rounds differently.
inline double squareRoot(double value) {
  if (value < 0) raise(ErrorNumber::InvalidArgument);
#if defined(__SSE2__)
  return _mm_cvtsd_f64(_mm_sqrt_sd(_mm_setzero_pd(), _mm_set_sd(value)));
#else
  return std::sqrt(value);
#endif
}

// Default text form of a value's number (see formatDouble).
std::string toText(const Value& value);

}  // namespace channelflow::numeric
