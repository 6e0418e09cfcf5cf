// The text channelflow-cli prints for a double, built independently of the
// program's own formatting from MPFR's decimal conversion of the double's
// exact value, and the distance between two such texts.
#pragma once

#include <string>

namespace channelflow::reference {

// At most 15 significant digits, rounded to nearest with ties to even;
// trailing zeros and a trailing "." dropped; "0" for zero, "-" before a
// negative. Plain notation when the rounded value's decimal exponent is in
// -5..14, otherwise "1.5E+15" / "2.5E-07" (at least two exponent digits).
std::string expectedText(double value);

// |printed - expected| in units of the 15th significant digit of `expected`;
// zero when both are "0", infinity when only `expected` is. Both must be
// numbers in the form above.
double unitsApart(const std::string& printed, const std::string& expected);

}  // namespace channelflow::reference
