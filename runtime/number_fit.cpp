#include "runtime/number_fit.h"

#include <optional>

namespace channelflow::runtime {
namespace {

constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A caption read back into its sign, significant digits (no leading or
// trailing zeros) and the decimal exponent of the first of them.
struct CaptionNumber {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

// Reads the default text form: "-"?, digits with an optional "." and
// fraction, an optional "E" with a sign and digits. Anything else is not a
// caption this fitting knows how to round.
std::optional<CaptionNumber> readCaption(std::string_view text) {
  CaptionNumber number;
  std::size_t p = 0;
  if (p < text.size() && text[p] == '-') {
    number.negative = true;
    ++p;
  }
  int integerDigits = 0;
  int leadingZerosAfterPoint = 0;
  if (p >= text.size() || !isDigit(text[p])) return std::nullopt;  // ".5" is not the text form
  for (; p < text.size() && isDigit(text[p]); ++p) {
    if (number.digits.empty() && text[p] == '0') continue;
    number.digits += text[p];
    ++integerDigits;
  }
  if (p < text.size() && text[p] == '.') {
    ++p;
    const std::size_t fractionStart = p;
    for (; p < text.size() && isDigit(text[p]); ++p) {
      if (number.digits.empty() && text[p] == '0') {
        ++leadingZerosAfterPoint;
        continue;
      }
      number.digits += text[p];
    }
    if (p == fractionStart) return std::nullopt;  // "5." is not the text form
  }
  int exponentPart = 0;
  if (p < text.size() && text[p] == 'E') {
    ++p;
    if (p >= text.size() || (text[p] != '+' && text[p] != '-')) return std::nullopt;
    const bool negativeExponent = text[p++] == '-';
    const std::size_t exponentStart = p;
    for (; p < text.size() && isDigit(text[p]); ++p) {
      if (exponentPart > 100000) return std::nullopt;  // far beyond any double
      exponentPart = exponentPart * 10 + (text[p] - '0');
    }
    if (p == exponentStart) return std::nullopt;
    if (negativeExponent) exponentPart = -exponentPart;
  }
  if (p != text.size()) return std::nullopt;
  while (!number.digits.empty() && number.digits.back() == '0') number.digits.pop_back();
  number.exponent = (integerDigits > 0 ? integerDigits - 1 : -leadingZerosAfterPoint - 1) + exponentPart;
  return number;
}

// The number rounded to `count` significant digits, half away from zero on
// its decimal digits; a carry past the first digit makes it "1" one decade up.
CaptionNumber roundTo(const CaptionNumber& number, std::size_t count) {
  CaptionNumber rounded = number;
  if (rounded.digits.size() <= count) return rounded;
  const bool roundUp = rounded.digits[count] >= '5';
  rounded.digits.resize(count);
  if (roundUp) {
    std::size_t i = count;
    while (i > 0 && rounded.digits[i - 1] == '9') --i;
    if (i == 0) {
      rounded.digits = "1";
      ++rounded.exponent;
    } else {
      ++rounded.digits[i - 1];
      rounded.digits.resize(i);
    }
  }
  while (rounded.digits.size() > 1 && rounded.digits.back() == '0') rounded.digits.pop_back();
  return rounded;
}

enum class Notation { TextForm, Exponent };

// The default text form's notation: plain for an exponent in -5..14,
// otherwise one digit, the fraction and "E+15" / "E-07". Notation::Exponent
// writes the E form whatever the exponent.
std::string writeNumber(const CaptionNumber& number, Notation notation) {
  std::string text = number.negative ? "-" : "";
  const std::string& digits = number.digits;
  const int exponent = number.exponent;
  if (notation == Notation::TextForm && exponent >= -5 && exponent <= 14) {
    if (exponent < 0) {
      text += "0.";
      text.append(static_cast<std::size_t>(-exponent - 1), '0');
      text += digits;
    } else {
      const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
      if (digits.size() <= integerDigits) {
        text += digits;
        text.append(integerDigits - digits.size(), '0');
      } else {
        text.append(digits, 0, integerDigits);
        text += '.';
        text.append(digits, integerDigits);
      }
    }
    return text;
  }
  text += digits[0];
  if (digits.size() > 1) {
    text += '.';
    text.append(digits, 1);
  }
  text += exponent < 0 ? "E-" : "E+";
  const int magnitude = exponent < 0 ? -exponent : exponent;
  if (magnitude < 10) text += '0';
  text += std::to_string(magnitude);
  return text;
}

}  // namespace

std::string fitNumberCaption(std::string_view caption, const std::function<bool(std::string_view)>& fits) {
  if (fits(caption)) return std::string(caption);
  const std::optional<CaptionNumber> number = readCaption(caption);
  if (!number) return std::string(caption);
  if (number->digits.empty()) return "0";  // a zero has no shorter form
  std::string text;
  for (std::size_t count = 14; count >= 1; --count) {
    if (count >= number->digits.size() && count > 1) continue;  // no shorter than the caption itself
    text = writeNumber(roundTo(*number, count), Notation::TextForm);
    if (fits(text)) return text;
  }
  const std::string oneDigit = text;
  // A wide plain number ("-123456789012345") gets no shorter by rounding;
  // its E form does, and still reads as the same value.
  for (std::size_t count = 14; count >= 1; --count) {
    const CaptionNumber rounded = roundTo(*number, count);
    if (rounded.exponent >= -5 && rounded.exponent <= 14) {
      text = writeNumber(rounded, Notation::Exponent);
      if (fits(text)) return text;
    }
  }
  return oneDigit;
}

}  // namespace channelflow::runtime
