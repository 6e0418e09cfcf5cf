// The text forms of numbers: significant digits (the default form) and fixed
// decimal places.
#include "numeric/text/number_text.h"

#include "numeric/text/decimal_places.h"
#include "numeric/text/digit_writing.h"
#include "numeric/text/significant_digits.h"
#include "numeric/text/whole_digits.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace channelflow::numeric {
namespace {

// Lays out `count` significant digits (no trailing zero) whose first stands
// at 10^exponent: plain for exponents -5..14, else with an E part.
char* layOut(const char* digits, std::size_t count, int exponent, char* o) {
  if (exponent >= -5 && exponent <= 14) {
    if (exponent < 0) {
      *o++ = '0';
      *o++ = '.';
      for (int zero = -1; zero > exponent; --zero) *o++ = '0';
      std::memcpy(o, digits, count);
      return o + count;
    }
    const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
    if (count <= integerDigits) {
      std::memcpy(o, digits, count);
      std::memset(o + count, '0', integerDigits - count);
      return o + integerDigits;
    }
    std::memcpy(o, digits, integerDigits);
    o += integerDigits;
    *o++ = '.';
    std::memcpy(o, digits + integerDigits, count - integerDigits);
    return o + (count - integerDigits);
  }
  *o++ = digits[0];
  if (count > 1) {
    *o++ = '.';
    std::memcpy(o, digits + 1, count - 1);
    o += count - 1;
  }
  *o++ = 'E';
  *o++ = exponent < 0 ? '-' : '+';
  const int magnitude = exponent < 0 ? -exponent : exponent;
  if (magnitude >= 100) *o++ = static_cast<char>('0' + magnitude / 100);
  writePair(static_cast<std::uint32_t>(magnitude % 100), o);
  return o + 2;
}

}  // namespace

std::size_t formatSignificant(double value, int digits, char* out) {
  if (!std::isfinite(value)) return 0;
  char* o = out;
  if (value == 0) {
    *o++ = '0';
    return 1;
  }
  if (value < 0) {
    *o++ = '-';
    value = -value;
  }
  const auto count = static_cast<std::size_t>(std::clamp(digits, 1, kMaxSignificantDigits));
  const RoundedDecimal rounded = roundToSignificantDigits(value, static_cast<int>(count));
  std::array<char, kMaxSignificantDigits> text{};
  writeSeventeenDigits(rounded.significand, text.data());
  const char* const first = text.data() + text.size() - count;
  std::size_t kept = count;
  while (kept > 1 && first[kept - 1] == '0') --kept;
  return static_cast<std::size_t>(layOut(first, kept, rounded.exponent, o) - out);
}

std::size_t formatDouble(double value, char* out) { return formatSignificant(value, 15, out); }

std::size_t formatFixed(double value, int decimals, char* out) {
  if (!std::isfinite(value)) return 0;
  const int places = std::clamp(decimals, 0, kMaxDecimalPlaces);
  const double magnitude = value < 0 ? -value : value;
  char* o = out;
  if (magnitude >= 0x1p64) {
    // Whole, and beyond the 64-bit integers: its exact digits, then zeros.
    if (value < 0) *o++ = '-';
    o += writeWholeDigits(magnitude, o);
    if (places > 0) {
      *o++ = '.';
      std::memset(o, '0', static_cast<std::size_t>(places));
      o += places;
    }
    return static_cast<std::size_t>(o - out);
  }
  const RoundedPlaces rounded = roundToDecimalPlaces(magnitude, places);
  if (value < 0 && (rounded.whole != 0 || rounded.decimals != 0)) *o++ = '-';
  o += writeWhole(rounded.whole, o);
  if (places > 0) {
    std::array<char, kMaxSignificantDigits> text{};
    writeSeventeenDigits(rounded.decimals, text.data());
    *o++ = '.';
    std::memcpy(o, text.data() + text.size() - places, static_cast<std::size_t>(places));
    o += places;
  }
  return static_cast<std::size_t>(o - out);
}

std::string formatDouble(double value) {
  std::array<char, kMaxFormattedLength> buffer{};
  return std::string(buffer.data(), formatDouble(value, buffer.data()));
}

std::string formatSignificant(double value, int digits) {
  std::array<char, kMaxFormattedLength> buffer{};
  return std::string(buffer.data(), formatSignificant(value, digits, buffer.data()));
}

std::string formatFixed(double value, int decimals) {
  std::array<char, kMaxFixedLength> buffer{};
  return std::string(buffer.data(), formatFixed(value, decimals, buffer.data()));
}

}  // namespace channelflow::numeric
