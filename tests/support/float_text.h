// The standard library's exact conversions between doubles and text, for
// reference values in tests. A library without the floating-point to_chars
// and from_chars (emscripten's libc++) gets the C library's printf and strtod
// instead, which are exact there (musl) and always in the "C" locale.
#pragma once

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace channelflow::testing {

// A text that reads back as exactly `value`: the shortest one where the
// library has it, else 17 significant digits.
inline std::string roundTripText(double value) {
  char text[40];
#if defined(__cpp_lib_to_chars)
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
#else
  return std::string(text, static_cast<std::size_t>(std::snprintf(text, sizeof text, "%.17g", value)));
#endif
}

// `value` in scientific notation with `precision` digits after the point.
inline std::string scientificText(double value, int precision) {
  char text[64];
#if defined(__cpp_lib_to_chars)
  return std::string(text, std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, precision).ptr);
#else
  return std::string(text, static_cast<std::size_t>(std::snprintf(text, sizeof text, "%.*e", precision, value)));
#endif
}

// Reads all of a plain decimal text (digits, ".", exponent) to the nearest
// double; false when any of it is not part of the number.
inline bool readDecimal(std::string_view text, double& value) {
#if defined(__cpp_lib_to_chars)
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() && result.ptr == text.data() + text.size();
#else
  const std::string copy(text);
  char* end = nullptr;
  value = std::strtod(copy.c_str(), &end);
  return !copy.empty() && end == copy.c_str() + copy.size();
#endif
}

}  // namespace channelflow::testing
