// Fitting a result into a label too narrow for its full text form, without
// ever showing a cut number. No GUI types: each backend passes its own
// measure of what fits.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace channelflow::runtime {

// The text to draw for a label whose caption is a number in the default text
// form (formatDouble's output). Returns the caption itself when fits(caption);
// otherwise the same number rounded to the largest count of significant
// digits (14 down to 1) whose text fits, exponent kept ("2.800351211E-08"), in
// the same notation rules as the caption (plain for a decimal exponent in
// -5..14, otherwise E with a sign and at least two digits). A plain number
// that no rounding makes narrow enough ("-123456789012345") is then tried in
// its E form, again from 14 digits down ("-1.2345679E+14"). When not even one
// digit fits, the one-digit form in the caption's notation.
// The caption's own decimal digits are rounded, half away from zero, carrying
// into a new leading digit and exponent where needed ("9.99999999999999E+99"
// to 3 digits is "1E+100"). A caption that is not a number in the default
// text form is returned unchanged.
std::string fitNumberCaption(std::string_view caption, const std::function<bool(std::string_view)>& fits);

}  // namespace channelflow::runtime
