#include "tools/cli_args.h"

#include "tools/points_file.h"

namespace channelflow::tools {
namespace {

using calc::MessageArg;
using calc::MessageId;

bool isOption(std::string_view word) { return word.size() > 2 && word.substr(0, 2) == "--"; }

std::string dashed(std::string_view name) { return "--" + calc::quoteForMessage(name); }

// Whether the question takes the option, and whether it must be given.
bool takes(const calc::Question& question, std::span<const std::string_view> extra, std::string_view name) {
  if (name == "format" || name == "lang" || name == "digits") return true;
  for (std::string_view option : extra) {
    if (option == name) return true;
  }
  for (const calc::QuestionInput& input : question.inputs) {
    if (input.key == name) return true;
  }
  if (!question.channel) return false;
  for (const calc::QuestionInput& input : calc::channelInputs()) {
    if (input.key == name) return true;
  }
  return name == "points-file";
}

}  // namespace

bool hasWord(std::span<char* const> words, std::string_view word) {
  for (const char* w : words) {
    if (word == w) return true;
  }
  return false;
}

calc::Language languageOf(std::span<char* const> words) {
  for (std::size_t k = 0; k < words.size(); ++k) {
    const std::string_view word = words[k];
    if (word == "--lang=en" || (word == "--lang" && k + 1 < words.size() && std::string_view(words[k + 1]) == "en")) {
      return calc::Language::English;
    }
  }
  return calc::Language::Chinese;
}

Options::Options(std::span<char* const> words, const calc::Question& question, std::span<const std::string_view> extra)
    : extra_(extra) {
  for (std::size_t k = 0; k < words.size(); ++k) {
    std::string_view word = words[k];
    if (!isOption(word)) calc::fail(MessageId::ExtraArgument, {}, {MessageArg::literal(calc::quoteForMessage(word))});
    word.remove_prefix(2);
    std::string_view value;
    if (const auto equals = word.find('='); equals != std::string_view::npos) {
      value = word.substr(equals + 1);
      word = word.substr(0, equals);
    } else {
      if (k + 1 >= words.size() || isOption(words[k + 1])) {
        calc::fail(MessageId::MissingValue, {}, {MessageArg::literal(dashed(word))});
      }
      value = words[++k];
    }
    if (!takes(question, extra, word)) calc::fail(MessageId::UnknownOption, {}, {MessageArg::literal(dashed(word))});
    const auto [at, added] = values_.emplace(std::string(word), std::string(value));
    if (!added) {
      // A list's items may come one option each: --bend 3:30 --bend 5:45.
      const calc::ParameterInfo* parameter = calc::findParameter(word);
      if (parameter == nullptr || parameter->limit != calc::Limit::List) {
        calc::fail(MessageId::RepeatedOption, {}, {MessageArg::literal(dashed(word))});
      }
      at->second += ';';
      at->second += value;
    }
  }
  for (const calc::QuestionInput& input : question.inputs) {
    if (input.required && values_.find(input.key) == values_.end()) calc::fail(MessageId::MissingInput, input.key);
  }
  if (const auto found = values_.find("lang"); found != values_.end()) {
    if (found->second == "en") {
      write_.language = calc::Language::English;
    } else if (found->second != "zh") {
      calc::fail(MessageId::UnknownChoice, "lang", {MessageArg::literal("zh、en"), MessageArg::literal(calc::quoteForMessage(found->second))});
    }
  }
  if (const auto found = values_.find("format"); found != values_.end()) {
    if (found->second == "text") {
      format_ = OutputFormat::Text;
    } else if (found->second == "csv") {
      format_ = OutputFormat::Csv;
    } else if (found->second == "json") {
      format_ = OutputFormat::Json;
    } else {
      calc::fail(MessageId::UnknownFormat, {},
                 {MessageArg::literal("--format"), MessageArg::literal(calc::quoteForMessage(found->second))});
    }
  }
  write_.words = has("lang");
  if (has("digits")) write_.precision = calc::readPrecision(text("digits"), "digits");
}

std::string_view Options::text(std::string_view name) const { return values_.find(name)->second; }

calc::Inputs Options::inputs() const {
  calc::Inputs inputs;
  for (const auto& [name, value] : values_) {
    bool own = name != "format" && name != "lang" && name != "digits" && name != "points-file";
    for (std::string_view option : extra_) own = own && option != name;
    if (own) inputs.set(name, value);
  }
  if (has("points-file")) {
    if (has("points")) {
      calc::fail(MessageId::EitherInput, "points-file", {MessageArg::field("points"), MessageArg::field("points-file")});
    }
    readPointsFile(text("points-file"), inputs);
  }
  return inputs;
}

}  // namespace channelflow::tools
