// solve: uniform flow with one quantity unknown.
#include <array>
#include <string>

#include "calc/flow/uniform_solvers.h"
#include "calc/survey/points_text.h"
#include "calc/questions/formulas.h"
#include "calc/toolkit/item_list.h"
#include "calc/toolkit/result_value.h"
#include "calc/toolkit/toolkit.h"

namespace channelflow::calc {
namespace {

std::string_view sizeKey(const Inputs& inputs) {
  const std::string* section = inputs.find("section");
  const SectionInfo* info = findSection(section ? *section : "trapezoid");
  return info ? info->parameters[0] : "B";
}

QuantityId sizeQuantity(const Inputs& inputs, std::string_view key) {
  const std::string* section = inputs.find("section");
  if (key == "D") return QuantityId::Diameter;
  if (key == "r" && section && *section == "horseshoe") return QuantityId::HorseshoeRadius;
  if (key == "r") return QuantityId::Radius;
  if (key == "p") return QuantityId::ParabolaP;
  return QuantityId::B;
}

// Whether a surveyed section's points give n of their own (when they can be read).
bool pointsCarryN(const Inputs& inputs) {
  const std::string* points = inputs.find("points");
  std::vector<Problem> ignored;
  const std::optional<SurveyText> read = points ? readSurveyText(*points, "points", ignored) : std::nullopt;
  if (!read) return false;
  for (const std::optional<double>& n : read->n) {
    if (n) return true;
  }
  return false;
}

// The unknown a solve names, or else the one of the five inputs left out.
// A surveyed section has no size, and its depth may be given as its water level.
Unknown unknownOf(const Inputs& inputs, std::string_view named) {
  const std::string_view size = sizeKey(inputs);
  const bool survey = size == "points";
  const std::array<std::pair<std::string_view, Unknown>, 5> candidates{{
      {"Q", Unknown::Discharge}, {"h", Unknown::Depth}, {survey ? "wse" : size, survey ? Unknown::Depth : Unknown::Size},
      {"i", Unknown::Slope}, {"n", Unknown::Roughness}}};
  if (!named.empty()) {
    for (const auto& [key, unknown] : candidates) {
      if (key == named) return unknown;
    }
    if (survey && named == "points") fail(MessageId::SectionWithoutSize, "unknown", {MessageArg::term("points")});
    fail(MessageId::UnknownQuantity, "unknown",
         {MessageArg::literal("Q、h、" + std::string(survey ? "wse" : size) + "、i、n"),
          MessageArg::literal(quoteForMessage(named))});
  }
  int missing = 0;
  Unknown unknown = Unknown::Discharge;
  for (const auto& [key, which] : candidates) {
    // A surveyed section's points may carry its n: n is the unknown only when nothing else is.
    if (survey && (key == "wse" || key == "n")) continue;
    const bool given = inputs.has(key) || (which == Unknown::Roughness && inputs.has("n-bed")) ||
                       (which == Unknown::Depth && inputs.has("wse"));
    if (!given) {
      ++missing;
      unknown = which;
    }
  }
  if (survey && missing == 0 && !inputs.has("n") && !pointsCarryN(inputs)) return Unknown::Roughness;
  if (missing != 1 && survey) {
    fail(MessageId::SolveOneUnknownPoints, {},
         {MessageArg::field("Q"), MessageArg::field("h"), MessageArg::field("wse"), MessageArg::field("i"),
          MessageArg::field("n"), MessageArg::literal(std::to_string(missing))});
  }
  if (missing != 1) {
    fail(MessageId::SolveOneUnknown, {},
         {MessageArg::field("Q"), MessageArg::field("h"), MessageArg::field(size), MessageArg::field("i"),
          MessageArg::field("n"), MessageArg::literal(std::to_string(missing))});
  }
  return unknown;
}

Real unknownValue(Unknown unknown, const UniformSolution& s) {
  switch (unknown) {
    case Unknown::Discharge: return s.Q;
    case Unknown::Depth: return s.h;
    case Unknown::Size: return s.channel.size;
    case Unknown::Slope: return s.channel.i;
    case Unknown::Roughness: return s.channel.roughness.n;
  }
  return s.Q;
}

// The lines before the answers: the unknown found (both of a circle's
// depths), and a circle's capacity when its depth was sought.
void addSummary(Answer& answer, const Channel& channel, QuantityId unknown, const std::vector<double>& values,
                const std::optional<ConduitCapacity>& capacity) {
  const std::size_t count = values.size();
  for (std::size_t k = 0; k < count; ++k) {
    answer.report.push_back(
        ReportLine::of(count > 1 ? (k ? "deeper" : "shallower") : "solved", Item(unknown, Cell::of(values[k]))));
  }
  if (count > 1) {
    const bool pipe = std::holds_alternative<Circle>(channel.shape);
    answer.report.emplace_back(ReportLine::Kind::Plain, Phrase{pipe ? TextId::TwoDepths : TextId::TwoConduitDepths, {}});
  }
  if (capacity) {
    const char* system = answer.units == UnitSystem::US ? "us" : "si";
    answer.report.emplace_back(
        ReportLine::Kind::Plain,
        Phrase{TextId::CircleCapacityLine,
               {MessageArg::value(resultValue(capacity->QMax, "Qmax")), MessageArg::unit("discharge", system),
                MessageArg::value(resultValue(capacity->hMax, "hmax")), MessageArg::unit("length", system),
                MessageArg::value(resultValue(capacity->QFull, "Qfull"))}});
  }
}

}  // namespace

Answer solve(const Inputs& inputs, std::string_view named) {
  const Unknown unknown = unknownOf(inputs, named);
  const std::string_view size = sizeKey(inputs);
  const std::string unknownKey = unknown == Unknown::Discharge ? "Q"
                                 : unknown == Unknown::Depth   ? "h"
                                 : unknown == Unknown::Size    ? std::string(size)
                                 : unknown == Unknown::Slope   ? "i"
                                                               : "n";
  const QuantityId unknownQuantity = unknown == Unknown::Discharge ? QuantityId::Discharge
                                     : unknown == Unknown::Depth   ? QuantityId::NormalDepthSolved
                                     : unknown == Unknown::Size    ? sizeQuantity(inputs, size)
                                     : unknown == Unknown::Slope   ? QuantityId::Slope
                                                                   : QuantityId::N;
  InputReader reader(inputs);
  if (unknown != Unknown::Depth) reader.requireDepthOrLevel();
  const ChannelGaps gaps{unknown == Unknown::Size, unknown == Unknown::Roughness, unknown == Unknown::Slope};
  Channel c = reader.channel(gaps, SlopeUse::Uniform);
  if (unknown == Unknown::Roughness && c.roughness.composite) reader.keep({MessageId::CompositeUnknown, "n-bed", {}});
  Real Q, h;
  if (unknown != Unknown::Discharge) Q = Real(reader.number("Q").value_or(0));
  if (unknown != Unknown::Depth) h = reader.depthOrLevel(c).value_or(Real(0));
  reader.finish();

  Answer answer("solve", c.units, 0);
  std::optional<ConduitCapacity> capacity;
  if (unknown == Unknown::Depth && isClosed(c.shape)) capacity = conduitCapacity(c);
  std::vector<double> values;
  for (const UniformSolution& s : solveUniformFlow(c, unknown, Q, h)) {
    values.push_back(resultValue(unknownValue(unknown, s), unknownKey));
    Group record;
    record.items.reserve(36);
    ItemList list(record.items);
    list.text(QuantityId::Unknown, unknownKey);
    list.channel(s.channel, true, true);
    list.flow(s.channel, uniformFlow(s.channel, s.h));
    if (capacity) {
      list.number(QuantityId::QMax, capacity->QMax);
      list.number(QuantityId::HMax, capacity->hMax);
      list.number(QuantityId::QFull, capacity->QFull);
      for (std::size_t k = record.items.size() - 3; k < record.items.size(); ++k) record.items[k].inText = false;
    }
    answer.records.push_back(std::move(record));
  }
  addSummary(answer, c, unknownQuantity, values, capacity);
  if (!answer.records.empty()) answer.formulas = uniformFormulas(c, answer.record().items);
  return answer;
}

}  // namespace channelflow::calc
