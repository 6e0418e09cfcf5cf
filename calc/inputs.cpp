#include "calc/inputs.h"

#include <cfloat>
#include <cmath>

#include "calc/catalog.h"
#include "numeric/number_text.h"
#include "numeric/runtime_error.h"
#include "numeric/utf8.h"

namespace channelflow::calc {
namespace {

// Whether the digits before any exponent hold one that is not 0, so that a
// conversion to 0 lost the number.
bool hasNonzeroDigit(std::string_view text) {
  for (char c : text) {
    if (c == 'e' || c == 'E') return false;
    if (c >= '1' && c <= '9') return true;
  }
  return false;
}

const SectionInfo& sectionOf(const Inputs& inputs) {
  const std::string* key = inputs.find("section");
  const SectionInfo* section = findSection(key ? *key : "trapezoid");
  if (section == nullptr) fail(MessageId::UnknownSection, "section", {MessageArg::literal(quoteForMessage(*key))});
  return *section;
}

bool takes(const SectionInfo& section, std::string_view key) {
  for (std::string_view parameter : section.parameters) {
    if (parameter == key) return true;
  }
  return false;
}

}  // namespace

Inputs& Inputs::set(std::string_view key, std::string_view text) {
  for (auto& [name, value] : entries_) {
    if (name == key) {
      value.assign(text);
      return *this;
    }
  }
  entries_.emplace_back(std::string(key), std::string(text));
  return *this;
}

const std::string* Inputs::find(std::string_view key) const {
  for (const auto& [name, value] : entries_) {
    if (name == key) return &value;
  }
  return nullptr;
}

std::optional<double> readNumber(std::string_view text, Problem& problem) {
  double value = 0;
  try {
    value = numeric::convertStrict(text);
  } catch (const numeric::RuntimeError& failure) {
    problem.id = failure.number() == numeric::ErrorNumber::Overflow ? MessageId::NumberTooLarge : MessageId::NotANumber;
    problem.args = {MessageArg::literal(quoteForMessage(text))};
    return std::nullopt;
  }
  if ((value == 0 && hasNonzeroDigit(text)) || (value != 0 && std::fabs(value) < DBL_MIN)) {
    problem.id = MessageId::NumberTooSmall;
    problem.args = {MessageArg::literal(quoteForMessage(text))};
    return std::nullopt;
  }
  return value;
}

std::string quoteForMessage(std::string_view text) {
  constexpr std::size_t kShown = 40;
  std::string shown;
  numeric::appendValidUtf8(shown, text.substr(0, kShown));
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

void InputReader::requireGiven(std::string_view key) const {
  if (!inputs_.has(key)) fail(MessageId::MissingInput, key);
}

void InputReader::requireAbsent(std::string_view key, MessageId id) const {
  if (inputs_.has(key)) fail(id, key);
}

void InputReader::checkChannelUsage(ChannelGaps gaps) const {
  const SectionInfo& section = sectionOf(inputs_);
  if (const std::string* units = inputs_.find("units"); units && !unitSystemNamed(*units)) {
    fail(MessageId::UnknownUnits, "units", {MessageArg::literal(quoteForMessage(*units))});
  }
  for (std::string_view key : {"B", "m", "m1", "m2", "D", "r", "p"}) {
    if (inputs_.has(key) && !takes(section, key)) {
      fail(MessageId::NotTakenBySection, key, {MessageArg::literal(section.key)});
    }
  }
  if (!gaps.size) requireGiven(section.parameters[0]);
  if (section.key == "trapezoid") {
    if (inputs_.has("m") && (inputs_.has("m1") || inputs_.has("m2"))) {
      fail(MessageId::ExclusiveInputs, "m", {MessageArg::field("m"), MessageArg::field("m1"), MessageArg::field("m2")});
    }
    if (inputs_.has("m1") != inputs_.has("m2")) {
      fail(MessageId::InputsTogether, "m1", {MessageArg::field("m1"), MessageArg::field("m2")});
    }
    if (!inputs_.has("m1")) requireGiven("m");
  }
  const bool composite = inputs_.has("n-bed") || inputs_.has("n-wall");
  if (composite) {
    if (inputs_.has("n")) {
      fail(MessageId::ExclusiveInputs, "n", {MessageArg::field("n"), MessageArg::field("n-bed"), MessageArg::field("n-wall")});
    }
    requireGiven("n-bed");
    requireGiven("n-wall");
  } else if (!gaps.roughness) {
    requireGiven("n");
  }
}

std::optional<double> InputReader::number(std::string_view key) {
  const std::string* text = inputs_.find(key);
  if (text == nullptr) fail(MessageId::MissingInput, key);
  Problem problem;
  problem.field = std::string(key);
  const std::optional<double> value = readNumber(*text, problem);
  if (!value) {
    problems_.push_back(std::move(problem));
    return std::nullopt;
  }
  const ParameterInfo* parameter = findParameter(key);
  const Limit limit = parameter ? parameter->limit : Limit::Any;
  if (limit == Limit::NonNegative && *value < 0) {
    keep({MessageId::Negative, std::string(key), {}});
    return std::nullopt;
  }
  if (limit == Limit::Positive && !(*value > 0)) {
    keep({MessageId::NotPositive, std::string(key), {}});
    return std::nullopt;
  }
  return value;
}

double InputReader::valueOr(std::string_view key, double otherwise) {
  if (!inputs_.has(key)) return otherwise;
  return number(key).value_or(otherwise);
}

std::optional<double> InputReader::depth(std::string_view key, const Channel& channel) {
  const std::optional<double> h = number(key);
  if (h && isClosed(channel.shape) && channel.size > Real(0) && Real(*h) > channel.size) {
    keep({MessageId::DepthAboveDiameter, std::string(key), {}});
    return std::nullopt;
  }
  return h;
}

Channel InputReader::shape(bool withSize) {
  const SectionInfo& section = sectionOf(inputs_);
  Channel c;
  if (const std::string* units = inputs_.find("units")) c.units = *unitSystemNamed(*units);
  const std::size_t before = problems_.size();
  const double size = withSize ? valueOr(section.parameters[0], 0) : 0;
  c.size = Real(size);
  if (section.key == "trapezoid") {
    const double m = valueOr("m", 0);
    const double m1 = valueOr("m1", m);
    const double m2 = valueOr("m2", m);
    c.shape = Trapezoid::withSlopes(m1, m2);
    if (withSize && problems_.size() == before && size == 0 && m1 == 0 && m2 == 0) keep({MessageId::NoWidth, "B", {}});
  } else if (section.key == "circle") {
    c.shape = Circle{};
  } else if (section.key == "u") {
    c.shape = UShape::withSlope(valueOr("m", 0));
  } else {
    c.shape = Parabola{};
  }
  return c;
}

Channel InputReader::section() {
  checkChannelUsage({false, true, true});
  return shape(true);
}

Channel InputReader::channel(ChannelGaps gaps, SlopeUse slope) {
  checkChannelUsage(gaps);
  Channel c = shape(!gaps.size);
  if (inputs_.has("n-bed")) {
    c.roughness.composite = true;
    c.roughness.nBed = valueOr("n-bed", 0);
    c.roughness.nWall = valueOr("n-wall", 0);
    if (!hasWalls(c.shape)) {
      keep({MessageId::CompositeOneSurface, "n-bed", {MessageArg::term(shapeKey(c.shape))}});
    }
  } else if (!gaps.roughness) {
    c.roughness.n = Real(valueOr("n", 0));
  }
  if (slope != SlopeUse::None && !gaps.slope) {
    const std::size_t before = problems_.size();
    const double i = valueOr("i", 0);
    if (slope == SlopeUse::Uniform && problems_.size() == before && !(i > 0)) keep({MessageId::NoUniformFlow, "i", {}});
    c.i = Real(i);
  }
  return c;
}

void InputReader::finish() const {
  if (!problems_.empty()) throw CalcError(problems_);
}

}  // namespace channelflow::calc
