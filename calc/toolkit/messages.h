// The one table of message texts, in Chinese and English, and their
// rendering: a Problem's arguments filled in, its input named as the front
// end names inputs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "calc/toolkit/phrase.h"
#include "calc/toolkit/problem.h"

namespace channelflow::calc {

enum class Language { Chinese, English };

// How a message names an input: "--B" on the command line, "B" for a batch's
// column or a form's field.
enum class FieldStyle { Option, Column };

struct MessageInfo {
  MessageId id;
  std::string_view code;  // stable, for programs: "not-a-number"
  bool usage;             // wrong usage of the command line (exit status 2) rather than a value without an answer
  std::string_view chinese;
  std::string_view english;
};

const MessageInfo& messageInfo(MessageId id);

// The text of the problem. In the templates, {label} is the label of the
// problem's input ("下底宽 B"), {option} its name in `style`, {0}… its arguments.
std::string messageText(const Problem& problem, Language language = Language::Chinese,
                        FieldStyle style = FieldStyle::Option);

// The text of the phrase, its arguments filled in as a problem's are.
// Measured numbers in it are shown as `precision` shows their kind, when given.
std::string phraseText(const Phrase& phrase, Language language = Language::Chinese,
                       FieldStyle style = FieldStyle::Option, const struct Precision* precision = nullptr);

// A term's words, or those of a design table's row named by its key (a
// lining, a soil), or the key itself.
std::string termWords(std::string_view key, Language language);

// A template filled in: {label} is the label of the input `field`, {option}
// its name in `style`, {0}… the arguments.
std::string fillTemplate(std::string_view pattern, std::string_view field, const std::vector<MessageArg>& args,
                         Language language, FieldStyle style, const struct Precision* precision = nullptr);

}  // namespace channelflow::calc
