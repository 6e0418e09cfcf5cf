// The question table: every question of the toolkit declared once, with its
// name, its inputs (each a parameter of the catalog, with whether it must be
// given and its default), what it answers and its help. The command line's
// options and help, the page's fields and the binding's dispatch are read
// from it; nothing else lists a question's inputs.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "calc/toolkit/answer.h"
#include "calc/toolkit/inputs.h"
#include "calc/toolkit/phrase.h"

namespace channelflow::calc {

struct QuestionInput {
  constexpr QuestionInput(std::string_view name, bool needed = false, std::string_view value = {}, std::uint8_t group = 0)
      : key(name), required(needed), byDefault(value), oneOf(group) {}

  std::string_view key;  // a parameter of the catalog (calc/toolkit/catalog.h)
  bool required;
  std::string_view byDefault;  // the value taken when left out, as typed; empty for none
  // Inputs of one nonzero group exclude each other: at most one is given.
  std::uint8_t oneOf;
};

struct Question {
  std::string_view name;  // "report"
  TextId summary;         // what it answers, in a line
  TextId help;            // its help page's paragraph
  std::span<const QuestionInput> inputs;
  bool channel = false;  // takes a channel: the channel's inputs after its own
  std::span<const std::string_view> examples;  // command lines, without "channelflow-cli "
  // Answers the inputs; throws CalcError. Null for a service that streams
  // (batch), which front ends run themselves.
  Answer (*answer)(const Inputs&) = nullptr;
};

std::span<const Question> questions();
// Nullptr for a name that is no question.
const Question* findQuestion(std::string_view name);
// The inputs that describe a channel of any section.
std::span<const QuestionInput> channelInputs();
// The values a choice takes ("trapezoid|circle|..."), empty when any text may be given.
std::string_view choicesOf(std::string_view key);

}  // namespace channelflow::calc
