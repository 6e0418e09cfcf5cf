#include "tools/cli_args.h"

#include <array>

#include "tools/points_file.h"

namespace channelflow::tools {
namespace {

using calc::MessageArg;
using calc::MessageId;

bool isOption(std::string_view word) { return word.size() > 2 && word.substr(0, 2) == "--"; }

std::string dashed(std::string_view name) { return "--" + calc::quoteForMessage(name); }

constexpr std::array<OptionRule, 17> kChannelOptions{{
    {"section"}, {"units"}, {"B"}, {"m"}, {"m1"}, {"m2"}, {"D"}, {"r"}, {"p"}, {"n"}, {"n-bed"}, {"n-wall"},
    {"points"}, {"points-file"}, {"H"}, {"Ra"}, {"type"},
}};

}  // namespace

bool hasWord(std::span<char* const> words, std::string_view word) {
  for (const char* w : words) {
    if (word == w) return true;
  }
  return false;
}

std::span<const OptionRule> channelOptions() { return kChannelOptions; }

Options::Options(std::span<char* const> words, std::span<const OptionRule> rules) {
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
    bool known = word == "format";
    for (const OptionRule& option : rules) known = known || option.name == word;
    if (!known) calc::fail(MessageId::UnknownOption, {}, {MessageArg::literal(dashed(word))});
    if (!values_.emplace(std::string(word), std::string(value)).second) {
      calc::fail(MessageId::RepeatedOption, {}, {MessageArg::literal(dashed(word))});
    }
  }
  for (const OptionRule& option : rules) {
    if (option.required && values_.find(option.name) == values_.end()) calc::fail(MessageId::MissingInput, option.name);
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
}

std::string_view Options::text(std::string_view name) const { return values_.find(name)->second; }

calc::Inputs Options::inputs() const {
  calc::Inputs inputs;
  for (const auto& [name, value] : values_) {
    if (name != "format" && name != "points-file") inputs.set(name, value);
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
