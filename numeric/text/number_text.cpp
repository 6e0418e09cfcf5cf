#include "numeric/text/number_text.h"

#include "numeric/text/decimal.h"
#include "numeric/text/exact_decimal.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace channelflow::numeric {
namespace {

constexpr bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal number found in a text. `digits` is its unsigned part before
// the exponent; the other fields let most numbers be converted without it.
struct NumberParts {
  bool negative = false;
  std::string_view digits;
  std::uint64_t mantissa = 0;    // the significant digits, point ignored
  bool mantissaExact = true;     // false beyond 19 digits: `mantissa` is then unused
  std::int64_t scale = 0;        // minus the count of fraction digits
  std::int64_t exponent = 0;     // the e-part, saturated far beyond any double
};

constexpr std::array<double, 23> kPowersOfTen{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

ReadNumber withSign(bool negative, double magnitude) { return {negative ? -magnitude : magnitude, ReadStatus::Ok}; }

ReadNumber toDouble(const NumberParts& parts) {
  // A mantissa below 2^53 and a power of ten up to 1e22 are both exact
  // doubles, so one multiplication or division rounds correctly.
  const std::int64_t power = parts.scale + parts.exponent;
  if (parts.mantissaExact && parts.mantissa == 0) return withSign(parts.negative, 0.0);
  if (parts.mantissaExact && parts.mantissa <= (std::uint64_t{1} << 53) && power >= -22 && power <= 22) {
    const auto m = static_cast<double>(parts.mantissa);
    const double magnitude = power >= 0 ? m * kPowersOfTen[static_cast<std::size_t>(power)]
                                        : m / kPowersOfTen[static_cast<std::size_t>(-power)];
    return withSign(parts.negative, magnitude);
  }
  // The rare number beyond the short exact path: many digits or a large
  // exponent, read exactly in integer arithmetic. One too small is 0.
  const double magnitude = exactDecimalToDouble(parts.digits, parts.exponent);
  if (std::isinf(magnitude)) return {0, ReadStatus::TooLarge};
  return withSign(parts.negative, magnitude);
}

// Scans a number at p: optional sign, digits with an optional "." and
// fraction, optional exponent. An exponent without digits is an error when
// `strict`; otherwise the number ends before its "e". Returns the position
// after the number, or nullptr when there is no number there.
const char* scanNumber(const char* p, const char* last, bool strict, NumberParts& parts) {
  if (p < last && (*p == '+' || *p == '-')) parts.negative = *p++ == '-';
  const char* const bodyStart = p;
  // One pass gathers the significant digits (from the first non-zero one on,
  // across the point) into the mantissa. Past 19 of them it wraps and is not
  // used: mantissaExact says so.
  while (p < last && *p == '0') ++p;
  const char* const integerSignificant = p;
  for (; p < last && isDigit(*p); ++p) parts.mantissa = parts.mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
  const std::int64_t integerDigits = p - integerSignificant;
  bool sawDigit = p != bodyStart;
  std::int64_t significantDigits = integerDigits;
  if (p < last && *p == '.') {
    const char* const fractionStart = ++p;
    if (integerDigits == 0) {
      while (p < last && *p == '0') ++p;
    }
    const char* const fractionSignificant = p;
    for (; p < last && isDigit(*p); ++p) parts.mantissa = parts.mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
    sawDigit = sawDigit || p != fractionStart;
    significantDigits += p - fractionSignificant;
    parts.scale = -(p - fractionStart);
  }
  if (!sawDigit) return nullptr;
  parts.mantissaExact = significantDigits <= 19;
  parts.digits = std::string_view(bodyStart, static_cast<std::size_t>(p - bodyStart));

  if (p < last && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    bool negativeExponent = false;
    if (q < last && (*q == '+' || *q == '-')) negativeExponent = *q++ == '-';
    if (q < last && isDigit(*q)) {
      for (; q < last && isDigit(*q); ++q) {
        if (parts.exponent < 100000000) parts.exponent = parts.exponent * 10 + (*q - '0');
      }
      if (negativeExponent) parts.exponent = -parts.exponent;
      p = q;
    } else if (strict) {
      return nullptr;
    }
  }
  return p;
}

// The whole text, blanks around it allowed, as one number; false otherwise.
bool scanStrict(std::string_view text, NumberParts& parts) {
  const char* first = text.data();
  const char* last = first + text.size();
  while (first < last && isBlank(*first)) ++first;
  while (last > first && isBlank(last[-1])) --last;
  return first != last && scanNumber(first, last, /*strict=*/true, parts) == last;
}

}  // namespace

ReadNumber readLenientNumber(std::string_view text) {
  // Gather the characters that are not blanks; only a number's worth of them
  // matters, but the number may be long, so fall back to a string.
  std::array<char, 64> small{};
  std::string large;
  char* buffer = small.data();
  std::size_t length = 0;
  if (text.size() > small.size()) {
    large.resize(text.size());
    buffer = large.data();
  }
  for (char c : text) {
    if (!isBlank(c)) buffer[length++] = c;
  }
  NumberParts parts;
  if (scanNumber(buffer, buffer + length, /*strict=*/false, parts) == nullptr) return {};
  return toDouble(parts);
}

ReadNumber readStrictNumber(std::string_view text) {
  NumberParts parts;
  if (!scanStrict(text, parts)) return {0, ReadStatus::NotANumber};
  return toDouble(parts);
}

ReadDecimal readStrictDecimal(std::string_view text) {
  NumberParts parts;
  if (!scanStrict(text, parts)) return {Decimal(), ReadStatus::NotANumber};
  const ReadNumber nearest = toDouble(parts);
  if (nearest.status != ReadStatus::Ok) return {Decimal(), nearest.status};
  if (parts.mantissaExact) {
    std::uint64_t m = parts.mantissa;
    std::int64_t place = parts.scale + parts.exponent;
    for (; m != 0 && m % 10 == 0; m /= 10) ++place;
    if (m < static_cast<std::uint64_t>(Decimal::kSignificandLimit) && place >= -Decimal::kExponentLimit &&
        place <= Decimal::kExponentLimit) {
      const auto significand = static_cast<std::int64_t>(m);
      return {Decimal::of(parts.negative ? -significand : significand, static_cast<int>(place)), ReadStatus::Ok};
    }
  }
  return {Decimal(nearest.value), ReadStatus::Ok};
}

}  // namespace channelflow::numeric
