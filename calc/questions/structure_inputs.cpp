#include "calc/questions/structure_inputs.h"

#include <string>
#include <tuple>

#include "calc/toolkit/catalog.h"
#include "calc/toolkit/question.h"

namespace channelflow::calc {
namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t at = text.find(separator);
    parts.push_back(trimmed(text.substr(0, at)));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

std::string_view reasonTerm(MessageId id) {
  if (id == MessageId::NumberTooLarge) return "too-large";
  if (id == MessageId::NumberTooSmall) return "too-small";
  return "not-a-number";
}

}  // namespace

void StructureInputs::atMostOne(std::string_view a, std::string_view b) const {
  if (has(a) && has(b)) fail(MessageId::EitherInput, b, {MessageArg::field(a), MessageArg::field(b)});
}

void StructureInputs::atMostOne(std::string_view a, std::string_view b, std::string_view c) const {
  if (has(a) + has(b) + has(c) > 1) {
    fail(MessageId::OneSizing, has(c) ? c : b, {MessageArg::field(a), MessageArg::field(b), MessageArg::field(c)});
  }
}

void StructureInputs::together(std::string_view a, std::string_view b) const {
  if (has(a) != has(b)) fail(MessageId::InputsTogether, has(a) ? b : a, {MessageArg::field(a), MessageArg::field(b)});
}

void StructureInputs::onlyWith(std::string_view key, std::string_view needs) const {
  if (has(key) && !has(needs)) fail(MessageId::MissingInput, needs);
}

std::string_view StructureInputs::choice(std::string_view key, std::string_view otherwise) const {
  const std::string* given = text(key);
  if (given == nullptr) return otherwise;
  const std::string_view choices = choicesOf(key);
  for (std::string_view each : split(choices, '|')) {
    if (each == *given) return each;
  }
  std::string listed(choices);
  for (char& c : listed) c = c == '|' ? ',' : c;
  fail(MessageId::UnknownChoice, key, {MessageArg::literal(listed), MessageArg::literal(quoteForMessage(*given))});
}

double StructureInputs::number(std::string_view key, double otherwise) {
  if (!has(key)) return otherwise;
  return reader_.number(key).value_or(otherwise);
}

int StructureInputs::whole(std::string_view key, int otherwise, int low, int high) {
  if (!has(key)) return otherwise;
  const std::optional<double> value = reader_.number(key);
  if (!value) return otherwise;
  if (!(*value >= low && *value <= high && *value == static_cast<double>(static_cast<int>(*value)))) {
    keep({MessageId::NotWholeNumber, std::string(key), {MessageArg::value(low), MessageArg::value(high)}});
    return otherwise;
  }
  return static_cast<int>(*value);
}

structures::FlowsInput StructureInputs::flows() {
  structures::FlowsInput f;
  f.Q = number("Q", 1);
  f.Qj = number("Qj", 0);
  f.enlarge = number("enlarge", 0);
  f.Qmin = number("Qmin", 0);
  return f;
}

structures::TransitionChoice StructureInputs::transition(structures::TransitionEnd end) {
  const bool inlet = end == structures::TransitionEnd::Inlet;
  structures::TransitionChoice choice;
  if (const std::string* form = text(inlet ? "inlet-form" : "outlet-form")) choice.form = *form;
  choice.xi = optional(inlet ? "xi1" : "xi2");
  choice.angle = optional(inlet ? "theta1" : "theta2");
  return choice;
}

std::optional<double> StructureInputs::part(std::string_view key, std::string_view text, std::string_view symbol,
                                            int item) {
  Problem problem;
  const std::optional<double> value = readNumber(text, problem);
  if (value) return value;
  const MessageArg why = MessageArg::term(reasonTerm(problem.id));
  if (item == 0) {
    keep({MessageId::FieldValue, std::string(key),
          {MessageArg::literal(symbol), MessageArg::literal(quoteForMessage(text)), why}});
  } else {
    keep({MessageId::ItemValue, std::string(key),
          {MessageArg::value(item), MessageArg::literal(symbol), MessageArg::literal(quoteForMessage(text)), why}});
  }
  return std::nullopt;
}

std::optional<std::vector<double>> StructureInputs::fields(std::string_view key, std::size_t count,
                                                           std::string_view syntax) {
  const std::string* given = text(key);
  if (given == nullptr) return std::nullopt;
  const std::vector<std::string_view> parts = split(*given, ':');
  if (parts.size() != count) {
    keep({MessageId::FieldsSyntax, std::string(key),
          {MessageArg::literal(quoteForMessage(*given)), MessageArg::literal(syntax)}});
    return std::nullopt;
  }
  const std::vector<std::string_view> symbols = split(syntax, ':');
  std::vector<double> values;
  bool usable = true;
  for (std::size_t k = 0; k < count; ++k) {
    const std::optional<double> value = part(key, parts[k], symbols[k], 0);
    usable = usable && value.has_value();
    values.push_back(value.value_or(0));
  }
  if (!usable) return std::nullopt;
  return values;
}

std::vector<std::vector<double>> StructureInputs::list(std::string_view key, std::size_t count, std::string_view syntax,
                                                       std::initializer_list<bool> positive) {
  std::vector<std::vector<double>> items;
  const std::string* given = text(key);
  if (given == nullptr) return items;
  const std::vector<std::string_view> symbols = split(syntax, ':');
  int item = 0;
  for (std::string_view each : split(*given, ';')) {
    if (each.empty()) continue;  // "a;;b" and a last ";" leave nothing out
    ++item;
    const std::vector<std::string_view> parts = split(each, ':');
    if (parts.size() != count) {
      keep({MessageId::ItemSyntax, std::string(key),
            {MessageArg::value(item), MessageArg::literal(quoteForMessage(each)), MessageArg::literal(syntax)}});
      continue;
    }
    std::vector<double> values;
    for (std::size_t k = 0; k < count; ++k) {
      const std::optional<double> value = part(key, parts[k], symbols[k], item);
      if (value && k < positive.size() && positive.begin()[k] && !(*value > 0)) {
        keep({MessageId::ItemNotPositive, std::string(key), {MessageArg::value(item), MessageArg::literal(symbols[k])}});
      }
      values.push_back(value.value_or(0));
    }
    items.push_back(std::move(values));
  }
  return items;
}

std::optional<Channel> StructureInputs::canal(std::string_view key, double g) {
  const std::optional<std::vector<double>> parts = fields(key, 4, "B:m:n:i");
  if (!parts) return std::nullopt;
  const double B = (*parts)[0], m = (*parts)[1], n = (*parts)[2], i = (*parts)[3];
  bool usable = true;
  for (const auto& [value, symbol, zeroAllowed] :
       {std::tuple{B, "B", true}, std::tuple{m, "m", true}, std::tuple{n, "n", false}, std::tuple{i, "i", false}}) {
    if (value < 0 || (!zeroAllowed && value == 0)) {
      keep({MessageId::FieldNotPositive, std::string(key), {MessageArg::literal(symbol)}});
      usable = false;
    }
  }
  if (usable && B == 0 && m == 0) {
    keep({MessageId::FieldNotPositive, std::string(key), {MessageArg::literal("B")}});
    usable = false;
  }
  if (!usable) return std::nullopt;
  Channel c;
  c.shape = Trapezoid::withSlopes(m, m);
  c.size = Real(B);
  c.roughness.n = Real(n);
  c.i = Real(i);
  c.g = g;
  return c;
}

}  // namespace channelflow::calc
