// A value put into a message or a phrase, kept as data: front ends write it
// in their language and name inputs as they name them.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace channelflow::calc {

struct Phrase;
struct Problem;

// One value put into a message.
struct MessageArg {
  enum class Kind {
    Text,      // literal text, e.g. a quoted input
    Number,    // a double, written in the 15-digit text form
    Field,     // an input's key, written as the front end names inputs ("--B", "B")
    Quantity,  // a quantity's key, written as its label ("流量 Q")
    Unit,      // a unit kind's key and a unit system's ("length:si"), written as the unit ("m")
    Term,      // a term's key ("circle"), written as its name ("圆形")
    Row,       // a design table row's key ("medium-loam"), written as its name ("中壤土")
    Phrase,    // a phrase of its own, written in the same language
    Problem,   // a problem of its own (a cell of a file's row), its input named as a column
    Words,     // a name in both languages (a table's form), written in the chosen one
  };
  Kind kind = Kind::Text;
  std::string text;
  double number = 0;
  std::shared_ptr<const Phrase> phrase;
  // A Number that is a measured quantity: its unit kind (calc/toolkit/catalog.h's
  // UnitKind), so that a writer showing numbers rounded rounds it as it rounds
  // that kind; -1 for a number always shown in full.
  int unitKind = -1;
  std::shared_ptr<const Problem> problem;
  std::string english;  // Words: the English name, `text` the Chinese

  static MessageArg literal(std::string_view text) { return {Kind::Text, std::string(text), 0, {}, -1, {}, {}}; }
  static MessageArg value(double number) { return {Kind::Number, {}, number, {}, -1, {}, {}}; }
  static MessageArg measure(double number, int kind) { return {Kind::Number, {}, number, {}, kind, {}, {}}; }
  static MessageArg field(std::string_view key) { return {Kind::Field, std::string(key), 0, {}, -1, {}, {}}; }
  static MessageArg quantity(std::string_view key) { return {Kind::Quantity, std::string(key), 0, {}, -1, {}, {}}; }
  static MessageArg unit(std::string_view kind, std::string_view system) {
    return {Kind::Unit, std::string(kind) + ":" + std::string(system), 0, {}, -1, {}, {}};
  }
  static MessageArg term(std::string_view key) { return {Kind::Term, std::string(key), 0, {}, -1, {}, {}}; }
  static MessageArg row(std::string_view key) { return {Kind::Row, std::string(key), 0, {}, -1, {}, {}}; }
  static MessageArg nested(Phrase phrase);
  static MessageArg nested(Problem problem);
  static MessageArg words(std::string_view chinese, std::string_view english) {
    return {Kind::Words, std::string(chinese), 0, {}, -1, {}, std::string(english)};
  }
};

}  // namespace channelflow::calc
