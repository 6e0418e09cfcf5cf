#include "numeric/runtime_error.h"

namespace channelflow::numeric {

const char* describe(ErrorNumber number) {
  switch (number) {
    case ErrorNumber::InvalidArgument: return "参数无效：负数不能取分数次幂";
    case ErrorNumber::Overflow: return "溢出：结果超出数值范围";
    case ErrorNumber::DivisionByZero: return "除数为零";
    case ErrorNumber::NotANumber: return "文本不是有效的数字";
    case ErrorNumber::ControlAccess: return "无法访问控件";
  }
  return "未知错误";
}

RuntimeError::RuntimeError(ErrorNumber number) : std::runtime_error(describe(number)), number_(number) {}

std::string RuntimeError::message() const {
  return "错误 " + std::to_string(code()) + "：" + what();
}

}  // namespace channelflow::numeric
