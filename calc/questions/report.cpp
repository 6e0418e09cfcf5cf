// report and solve: uniform flow at a given depth, or with one quantity unknown.
#include <array>
#include <string>

#include "calc/survey/points_text.h"
#include "calc/toolkit/result_value.h"
#include "calc/toolkit/toolkit.h"
#include "calc/toolkit/item_list.h"

namespace channelflow::calc {
namespace {

struct UnknownRow {
  Unknown unknown;
  QuantityId quantity;  // the label it is printed with
};

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

}  // namespace

const Item* findItem(const Items& items, std::string_view key) {
  for (const Item& item : items) {
    if (item.key() == key) return &item;
  }
  return nullptr;
}

Items reportOf(const Channel& c, const Real& h) {
  Items items;
  items.reserve(32);
  ItemList list(items);
  list.channel(c, true, true);
  list.flow(c, uniformFlow(c, h));
  return items;
}

Items report(const Inputs& inputs) {
  InputReader reader(inputs);
  reader.requireDepthOrLevel();
  const Channel c = reader.channel({}, SlopeUse::Uniform);
  const std::optional<Real> h = reader.depthOrLevel(c);
  reader.finish();
  return reportOf(c, *h);
}

SolveAnswer solve(const Inputs& inputs, std::string_view named) {
  SolveAnswer answer;
  answer.unknown = unknownOf(inputs, named);
  const Unknown unknown = answer.unknown;
  const std::string_view size = sizeKey(inputs);
  answer.unknownKey = unknown == Unknown::Discharge ? "Q"
                      : unknown == Unknown::Depth   ? "h"
                      : unknown == Unknown::Size    ? std::string(size)
                      : unknown == Unknown::Slope   ? "i"
                                                    : "n";
  answer.unknownQuantity = unknown == Unknown::Discharge ? QuantityId::Discharge
                           : unknown == Unknown::Depth   ? QuantityId::NormalDepthSolved
                           : unknown == Unknown::Size    ? sizeQuantity(inputs, size)
                           : unknown == Unknown::Slope   ? QuantityId::Slope
                                                         : QuantityId::N;
  InputReader reader(inputs);
  if (unknown != Unknown::Depth) reader.requireDepthOrLevel();
  const ChannelGaps gaps{unknown == Unknown::Size, unknown == Unknown::Roughness, unknown == Unknown::Slope};
  Channel c = reader.channel(gaps, SlopeUse::Uniform);
  answer.units = c.units;
  if (unknown == Unknown::Roughness && c.roughness.composite) reader.keep({MessageId::CompositeUnknown, "n-bed", {}});
  Real Q, h;
  if (unknown != Unknown::Discharge) Q = Real(reader.number("Q").value_or(0));
  if (unknown != Unknown::Depth) h = reader.depthOrLevel(c).value_or(Real(0));
  reader.finish();

  for (const UniformSolution& s : solveUniformFlow(c, unknown, Q, h)) {
    answer.values.push_back(resultValue(unknownValue(unknown, s), answer.unknownKey));
    Items items;
    items.reserve(32);
    ItemList list(items);
    list.text(QuantityId::Unknown, answer.unknownKey);
    list.channel(s.channel, true, true);
    list.flow(s.channel, uniformFlow(s.channel, s.h));
    answer.answers.push_back(std::move(items));
  }
  if (unknown == Unknown::Depth && isClosed(c.shape)) {
    const ConduitCapacity capacity = conduitCapacity(c);
    Items items;
    ItemList list(items);
    list.number(QuantityId::QMax, capacity.QMax);
    list.number(QuantityId::HMax, capacity.hMax);
    list.number(QuantityId::QFull, capacity.QFull);
    answer.capacity = std::move(items);
  }
  return answer;
}

}  // namespace channelflow::calc
