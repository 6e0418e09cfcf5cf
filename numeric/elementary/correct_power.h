// The power of the general-value arithmetic, correctly rounded: the double
// nearest to base^exponent (ties to even), the same bits on every platform.
// It is built from IEEE double operations and integer arithmetic only, so it
// depends on no C library's pow and needs double evaluation (SSE2, no x87
// extended precision) and no fused multiply-add contraction.
#pragma once

namespace channelflow::numeric {

// Finite operands: base > 0 (subnormals included) with any exponent; base 0
// with exponent > 0 gives 0 (and -0 for an odd integer exponent of -0), with
// exponent < 0 gives +/-inf; a negative base with an integer exponent takes the
// sign of its parity, with a fractional one gives NaN. Results beyond the
// double range are +/-inf, results below it the rounded subnormal or 0.
// x^0 is 1 for every x. A NaN or infinite operand gives NaN.
double correctlyRoundedPower(double base, double exponent);

}  // namespace channelflow::numeric
