// The calculator's conversions between text and numbers: the exact readings
// and text form of numeric/text, with their failures raised as the
// calculator's runtime errors.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "numeric/text/number_text.h"

namespace channelflow::numeric {

// readLenientNumber; throws RuntimeError(Overflow) for a number beyond the
// range of a double.
double readLenient(std::string_view text);

// readStrictNumber; throws RuntimeError(NotANumber) for a text that is not a
// number and RuntimeError(Overflow) for one beyond the range of a double.
double convertStrict(std::string_view text);

// formatDouble; throws RuntimeError(Overflow) for a value that is not
// finite, which has no text form.
std::string textOf(double value);
std::size_t textOf(double value, char* out);

}  // namespace channelflow::numeric
