#include "tools/cli_args.h"

#include "numeric/number_text.h"
#include "numeric/runtime_error.h"
#include "tools/utf8.h"

#include <cfloat>
#include <cmath>

namespace channelflow::tools {
namespace {

bool isOption(std::string_view word) { return word.size() > 2 && word.substr(0, 2) == "--"; }

// Whether the digits before any exponent hold one that is not 0, so that a
// conversion to 0 lost the number.
bool hasNonzeroDigit(std::string_view text) {
  for (char c : text) {
    if (c == 'e' || c == 'E') return false;
    if (c >= '1' && c <= '9') return true;
  }
  return false;
}

}  // namespace

bool hasWord(std::span<char* const> words, std::string_view word) {
  for (const char* w : words) {
    if (word == w) return true;
  }
  return false;
}

Options::Options(std::span<char* const> words, std::span<const OptionSpec> required) : specs_(required) {
  for (std::size_t k = 0; k < words.size(); ++k) {
    std::string_view word = words[k];
    if (!isOption(word)) throw UsageError{"多余的参数 \"" + quoteForMessage(word) + "\""};
    word.remove_prefix(2);
    std::string_view value;
    if (const auto equals = word.find('='); equals != std::string_view::npos) {
      value = word.substr(equals + 1);
      word = word.substr(0, equals);
    } else {
      if (k + 1 >= words.size() || isOption(words[k + 1])) {
        throw UsageError{"--" + quoteForMessage(word) + " 缺少取值"};
      }
      value = words[++k];
    }
    bool known = word == "format";
    for (const OptionSpec& option : required) known = known || option.name == word;
    if (!known) throw UsageError{"未知选项 --" + quoteForMessage(word)};
    if (!values_.emplace(std::string(word), std::string(value)).second) {
      throw UsageError{"选项 --" + std::string(word) + " 重复"};
    }
  }
  for (const OptionSpec& option : required) {
    if (option.required && values_.find(option.name) == values_.end()) throw UsageError{"缺少 --" + std::string(option.name)};
  }
  if (const auto found = values_.find("format"); found != values_.end()) {
    if (found->second == "text") {
      format_ = OutputFormat::Text;
    } else if (found->second == "csv") {
      format_ = OutputFormat::Csv;
    } else if (found->second == "json") {
      format_ = OutputFormat::Json;
    } else {
      throw UsageError{"--format 只能是 text、csv 或 json，而不是 \"" + quoteForMessage(found->second) + "\""};
    }
  }
}

std::string_view Options::text(std::string_view name) const { return values_.find(name)->second; }

double Options::number(std::string_view name) const {
  std::string_view label = name;
  for (const OptionSpec& option : specs_) {
    if (option.name == name) label = option.label;
  }
  const std::string_view value = text(name);
  std::string error;
  const std::optional<double> number = readNumber(value, error);
  if (!number) throw InputError{std::string(label) + " 的取值 \"" + quoteForMessage(value) + "\" " + error};
  return *number;
}

std::optional<double> readNumber(std::string_view text, std::string& error) {
  double value = 0;
  try {
    value = numeric::convertStrict(text);
  } catch (const numeric::RuntimeError& failure) {
    error = failure.number() == numeric::ErrorNumber::Overflow ? "超出数值范围（绝对值大于 1.8E+308）"
                                                               : "不是有效的数字";
    return std::nullopt;
  }
  if ((value == 0 && hasNonzeroDigit(text)) || (value != 0 && std::fabs(value) < DBL_MIN)) {
    error = "太小（绝对值小于 2.2E-308），双精度数无法准确表示";
    return std::nullopt;
  }
  return value;
}

std::string quoteForMessage(std::string_view text) {
  constexpr std::size_t kShown = 40;
  std::string shown;
  appendValidUtf8(shown, text.substr(0, kShown));
  // A cut through a character leaves a replacement at the end; drop it.
  if (text.size() > kShown) {
    while (shown.size() >= 3 && shown.compare(shown.size() - 3, 3, "\xEF\xBF\xBD") == 0) shown.resize(shown.size() - 3);
    shown += "…";
  }
  for (char& c : shown) {
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  }
  return shown;
}

}  // namespace channelflow::tools
