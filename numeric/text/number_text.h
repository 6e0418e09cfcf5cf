// Conversions between text and numbers. None of them looks at the process's
// C locale: the decimal point is always ".", whatever LC_NUMERIC says.
#pragma once

#include <string>
#include <string_view>

namespace channelflow::numeric {

// How a reading ended: a number, no number (strict reading only), or a
// number beyond the range of a double.
enum class ReadStatus { Ok, NotANumber, TooLarge };
struct ReadNumber {
  double value = 0;
  ReadStatus status = ReadStatus::Ok;
};

// Lenient reading, for boxes that must never fail on what the user typed.
// Blanks, tabs, line feeds and carriage returns are skipped wherever they
// stand, inside the number too ("1 5" is 15). What remains is read as an
// optional sign, digits with an optional "." and fraction, and an optional
// e/E exponent with optional sign; reading stops at the first character that
// cannot continue the number ("2.5m" is 2.5, "1e" is 1). No number at the
// start gives 0. TooLarge for a number beyond the range of a double; nothing
// else fails. A number too small for a double gives 0.
ReadNumber readLenientNumber(std::string_view text);

// Strict conversion, used when arithmetic meets a text operand. Accepts
// optional leading and trailing blanks around exactly: an optional sign,
// digits with an optional "." and fraction (".025" and "5." are numbers), and
// an optional exponent whose sign is optional and whose digits are not.
// Anything else, empty text included, is NotANumber; a number beyond the
// range of a double is TooLarge; one too small for a double gives 0.
ReadNumber readStrictNumber(std::string_view text);

// Default text form of a finite double: at most 15 significant digits,
// rounded to nearest, no trailing zeros and no trailing "."; "-" for
// negatives; "0" for both zeros. Plain notation when the decimal exponent of
// the rounded value lies in -5..14, otherwise "1.5E+15" / "-2.5E-07" with at
// least two exponent digits. A value that is not finite has no text form:
// the text is empty. The same as formatSignificant(value, 15).
std::string formatDouble(double value);

// Same text as formatDouble, written into a caller's buffer of at least
// kMaxFormattedLength bytes; returns the number of bytes written.
inline constexpr std::size_t kMaxFormattedLength = 32;
std::size_t formatDouble(double value, char* out);

// The default text form with `digits` significant digits instead of 15:
// rounded to nearest with ties to even from the exact binary value, trailing
// zeros dropped, the same notation. `digits` outside 1..17 is taken as the
// nearer end. Not finite: empty. The buffer holds kMaxFormattedLength bytes.
std::string formatSignificant(double value, int digits);
std::size_t formatSignificant(double value, int digits, char* out);

// `value` with exactly `decimals` digits after the point ("2.500", "-0.125",
// "3" for none): rounded to nearest with ties away from zero from the exact
// binary value, as engineers and spreadsheets round. A negative value that
// rounds to zero shows no sign ("0.000"); -0 is "0". `decimals` outside
// 0..15 is taken as the nearer end. Not finite: empty. Never E notation: the
// largest double has 309 digits before the point, so the buffer holds
// kMaxFixedLength bytes.
inline constexpr std::size_t kMaxFixedLength = 1 + 309 + 1 + 15;
std::string formatFixed(double value, int decimals);
std::size_t formatFixed(double value, int decimals, char* out);

}  // namespace channelflow::numeric
