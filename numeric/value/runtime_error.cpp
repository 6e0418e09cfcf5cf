#include "numeric/value/runtime_error.h"

namespace channelflow::numeric {

namespace {

struct Description {
  ErrorNumber number;
  const char* chinese;
  const char* english;
};

// clang-format off
constexpr Description kDescriptions[] = {
  {ErrorNumber::InvalidArgument, "参数无效：负数不能取分数次幂", "Invalid argument: a negative number to a fractional power"},
  {ErrorNumber::Overflow,        "溢出：结果超出数值范围",       "Overflow: the result is beyond the range of numbers"},
  {ErrorNumber::DivisionByZero,  "除数为零",                     "Division by zero"},
  {ErrorNumber::NotANumber,      "文本不是有效的数字",           "The text is not a valid number"},
  {ErrorNumber::ControlAccess,   "无法访问控件",                 "A control cannot be reached"},
};
// clang-format on

const Description* find(ErrorNumber number) {
  for (const Description& d : kDescriptions) {
    if (d.number == number) return &d;
  }
  return nullptr;
}

}  // namespace

const char* describe(ErrorNumber number) {
  const Description* d = find(number);
  return d ? d->chinese : "未知错误";
}

const char* describeInEnglish(ErrorNumber number) {
  const Description* d = find(number);
  return d ? d->english : "Unknown error";
}

RuntimeError::RuntimeError(ErrorNumber number) : std::runtime_error(describe(number)), number_(number) {}

std::string RuntimeError::message() const {
  return "错误 " + std::to_string(code()) + "：" + what();
}

std::string RuntimeError::englishMessage() const {
  return "Error " + std::to_string(code()) + ": " + describeInEnglish(number_);
}

}  // namespace channelflow::numeric
