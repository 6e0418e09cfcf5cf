#include "calc/toolkit/inputs.h"

#include <cfloat>
#include <cmath>

#include "calc/toolkit/catalog.h"
#include "calc/survey/points_text.h"
#include "numeric/text/decimal.h"
#include "numeric/text/number_text.h"
#include "numeric/text/utf8.h"

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

// Whether a reading gave a number a double holds with all its digits; else fills `problem`.
bool usable(std::string_view text, numeric::ReadStatus status, double value, Problem& problem) {
  if (status != numeric::ReadStatus::Ok) {
    problem.id = status == numeric::ReadStatus::TooLarge ? MessageId::NumberTooLarge : MessageId::NotANumber;
    problem.args = {MessageArg::literal(quoteForMessage(text))};
    return false;
  }
  if ((value == 0 && hasNonzeroDigit(text)) || (value != 0 && std::fabs(value) < DBL_MIN)) {
    problem.id = MessageId::NumberTooSmall;
    problem.args = {MessageArg::literal(quoteForMessage(text))};
    return false;
  }
  return true;
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
  const numeric::ReadNumber read = numeric::readStrictNumber(text);
  if (!usable(text, read.status, read.value, problem)) return std::nullopt;
  return read.value;
}

std::optional<numeric::Decimal> readDecimal(std::string_view text, Problem& problem) {
  const numeric::ReadDecimal read = numeric::readStrictDecimal(text);
  if (!usable(text, read.status, read.value.toDouble(), problem)) return std::nullopt;
  return read.value;
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
  for (std::string_view key : {"B", "m", "m1", "m2", "D", "r", "p", "points", "wse", "H", "Ra", "type"}) {
    if (inputs_.has(key) && !takes(section, key)) {
      fail(MessageId::NotTakenBySection, key, {MessageArg::literal(section.key)});
    }
  }
  const bool survey = section.key == "points";
  for (std::string_view key : {"n-bed", "n-wall"}) {
    if (survey && inputs_.has(key)) fail(MessageId::NotTakenBySection, key, {MessageArg::literal(section.key)});
  }
  if (!gaps.size) requireGiven(section.parameters[0]);
  if (section.key == "arch") requireGiven("H");
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
  } else if (!gaps.roughness && !survey) {
    requireGiven("n");  // a surveyed section's points may carry theirs
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

void InputReader::keepAboveBanks(std::string_view key, const Survey& survey, const Channel& channel) {
  const std::string_view unit = unitsOf(channel.units).key;
  keep({MessageId::DepthAboveBanks, std::string(key),
        {MessageArg::value(survey.bankElevation()), MessageArg::unit("length", unit),
         MessageArg::value(survey.bankDepth().toDouble())}});
}

std::optional<Real> InputReader::depthAsTyped(std::string_view key, const Channel& channel) {
  const std::optional<double> h = number(key);
  if (!h) return std::nullopt;
  if (!isSurvey(channel.shape)) return Real(*h);
  Problem unused;  // the text was read above
  return readDecimal(*inputs_.find(key), unused)->toReal();
}

std::optional<Real> InputReader::depth(std::string_view key, const Channel& channel) {
  const std::optional<Real> h = depthAsTyped(key, channel);
  if (!h) return std::nullopt;
  if (std::holds_alternative<Circle>(channel.shape) && channel.size > Real(0) && *h > channel.size) {
    keep({MessageId::DepthAboveDiameter, std::string(key), {}});
    return std::nullopt;
  }
  // An arch's crown stands at H whatever its width; a horseshoe's at 2r.
  const bool arch = std::holds_alternative<Arch>(channel.shape);
  if (isClosed(channel.shape) && !std::holds_alternative<Circle>(channel.shape) && (arch || channel.size > Real(0))) {
    const Real crown = crownDepth(channel.shape, channel.size);
    if (crown > Real(0) && *h > crown) {
      keep({MessageId::DepthAboveCrown, std::string(key),
            {MessageArg::value(crown.toDouble()), MessageArg::unit("length", unitsOf(channel.units).key)}});
      return std::nullopt;
    }
  }
  const auto* points = std::get_if<Points>(&channel.shape);
  if (points && points->survey && *h > points->survey->bankDepth()) {
    keepAboveBanks(key, *points->survey, channel);
    return std::nullopt;
  }
  return h;
}

void InputReader::requireDepthOrLevel() const {
  if (inputs_.has("h") && inputs_.has("wse")) {
    fail(MessageId::EitherInput, "wse", {MessageArg::field("h"), MessageArg::field("wse")});
  }
  if (!inputs_.has("wse")) requireGiven("h");
}

std::optional<Real> InputReader::depthOrLevel(const Channel& channel) {
  if (!inputs_.has("wse")) return depth("h", channel);
  Problem problem;
  problem.field = "wse";
  const std::optional<numeric::Decimal> wse = readDecimal(*inputs_.find("wse"), problem);
  if (!wse) keep(std::move(problem));
  const auto* points = std::get_if<Points>(&channel.shape);
  if (!wse || !points || !points->survey) return std::nullopt;
  const Survey& survey = *points->survey;
  const Real h = difference(*wse, survey.lowest());
  if (!(h > Real(0))) {
    keep({MessageId::LevelBelowBottom, "wse",
          {MessageArg::value(survey.lowest().toDouble()), MessageArg::unit("length", unitsOf(channel.units).key)}});
    return std::nullopt;
  }
  if (h > survey.bankDepth()) {
    keepAboveBanks("wse", survey, channel);
    return std::nullopt;
  }
  return h;
}

// The points and each segment's n: its own, carried from the point before,
// or else --n. Nothing when they cannot be used (the problems kept).
std::shared_ptr<const Survey> InputReader::survey(RoughnessUse use, Roughness& roughness) {
  const std::optional<SurveyText> read = readSurveyText(*inputs_.find("points"), "points", problems_);
  const bool common = use != RoughnessUse::Unknown && inputs_.has("n");
  const std::optional<double> n = common ? number("n") : std::nullopt;
  if (!read || (common && !n)) return nullptr;
  bool own = false;
  for (const std::optional<double>& given : read->n) own = own || given.has_value();
  if (use == RoughnessUse::Unknown && own) {
    keep({MessageId::RoughnessOfPoints, "points", {}});
    return nullptr;
  }
  std::vector<double> segmentN(read->points.size() - 1);
  std::optional<double> carried = n;
  for (std::size_t s = 0; s < segmentN.size(); ++s) {
    if (read->n[s]) carried = read->n[s];
    // Without any n a solver's unknown or a drawing's section is one part.
    if (!carried && (use == RoughnessUse::Needed || own)) fail(MessageId::MissingInput, "n");
    segmentN[s] = carried.value_or(0);
  }
  auto survey = std::make_shared<const Survey>(read->points, std::move(segmentN));
  if (!survey->divided()) roughness.n = Real(survey->partN(0));
  return survey;
}

Channel InputReader::shape(bool withSize, RoughnessUse roughness) {
  const SectionInfo& section = sectionOf(inputs_);
  Channel c;
  if (const std::string* units = inputs_.find("units")) c.units = *unitSystemNamed(*units);
  const std::size_t before = problems_.size();
  const double size = withSize && section.key != "points" ? valueOr(section.parameters[0], 0) : 0;
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
  } else if (section.key == "parabola") {
    c.shape = Parabola{};
  } else if (section.key == "arch") {
    if (withSize && problems_.size() == before && size == 0) keep({MessageId::NotPositive, "B", {}});
    c.shape = arch(withSize ? size : 0, c.units);
  } else if (section.key == "horseshoe") {
    c.shape = horseshoe();
  } else {
    c.shape = Points{survey(roughness, c.roughness)};
  }
  return c;
}

// H and Ra (B/2 when left out), and a roof that spans B (Ra >= B/2) and
// fits under H. A width still unknown (0) is checked by its solver.
Arch InputReader::arch(double B, UnitSystem units) {
  const std::size_t before = problems_.size();
  Arch a;
  a.H = valueOr("H", 0);
  a.Ra = valueOr("Ra", 0);
  if (problems_.size() != before || !(B > 0)) return a;
  const MessageArg unit = MessageArg::unit("length", unitsOf(units).key);
  const Real half = Real(B) * 0.5;
  if (a.Ra > 0 && Real(a.Ra) < half) {
    keep({MessageId::RoofNarrowerThanWidth, "Ra", {MessageArg::value(half.toDouble()), unit}});
    return a;
  }
  const ArchRoof roof = archRoof(a, Real(B));
  if (roof.wall < Real(0)) keep({MessageId::RoofAboveCrown, "H", {MessageArg::value(roof.rise.toDouble()), unit}});
  return Arch::withWidth(a.H, a.Ra, B);
}

// Type 1 (I) unless given as 2 (II).
Horseshoe InputReader::horseshoe() {
  const std::string* text = inputs_.find("type");
  if (text == nullptr || *text == "1") return {1};
  if (*text == "2") return {2};
  keep({MessageId::UnknownHorseshoeType, "type", {MessageArg::literal(quoteForMessage(*text))}});
  return {1};
}

Channel InputReader::section() {
  checkChannelUsage({false, true, true});
  return shape(true, RoughnessUse::Optional);
}

Channel InputReader::channel(ChannelGaps gaps, SlopeUse slope) {
  checkChannelUsage(gaps);
  Channel c = shape(!gaps.size, gaps.roughness ? RoughnessUse::Unknown : RoughnessUse::Needed);
  if (isSurvey(c.shape)) {
    // Its n were read with its points.
  } else if (inputs_.has("n-bed")) {
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
