// Runtime errors: a stable number and a short description in Simplified
// Chinese (and in English, for pages in English). They are raised by the arithmetic, the conversions and control
// access, and pass upward untouched to whoever reports them to the user.
#pragma once

#include <stdexcept>
#include <string>

namespace channelflow::numeric {

enum class ErrorNumber : int {
  InvalidArgument = 5,    // a negative number raised to a fractional power
  Overflow = 6,           // a result beyond the range of a double
  DivisionByZero = 11,    // a zero divisor, 0/0 included
  NotANumber = 13,        // a text that is not a number
  ControlAccess = 50,     // a control could not be read or written
};

class RuntimeError : public std::runtime_error {
 public:
  explicit RuntimeError(ErrorNumber number);

  ErrorNumber number() const noexcept { return number_; }
  int code() const noexcept { return static_cast<int>(number_); }
  // The description alone, UTF-8; what() gives the same text.
  std::string description() const { return what(); }
  // "错误 11：除数为零", the line shown to the user; in English for the page's English pages.
  std::string message() const;
  std::string englishMessage() const;

 private:
  ErrorNumber number_;
};

const char* describe(ErrorNumber number);
const char* describeInEnglish(ErrorNumber number);

}  // namespace channelflow::numeric
