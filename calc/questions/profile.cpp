// profile: the water-surface profile from a control depth.
#include <cmath>

#include "calc/flow/profile.h"
#include "calc/toolkit/toolkit.h"
#include "calc/questions/formulas.h"
#include "calc/toolkit/item_list.h"

namespace channelflow::calc {
namespace {

int stepCount(InputReader& reader) {
  if (!reader.inputs().has("steps")) return kDefaultSteps;
  Problem problem;
  const std::optional<double> steps = readNumber(*reader.inputs().find("steps"), problem);
  if (!steps || !(*steps >= 1 && *steps <= kMaxSteps) || *steps != std::floor(*steps)) {
    fail(MessageId::StepsRange, "steps");
  }
  return static_cast<int>(*steps);
}

}  // namespace

Answer profile(const Inputs& inputs) {
  InputReader reader(inputs);
  for (std::string_view key : {"Q", "i", "h0"}) reader.requireGiven(key);
  const bool direct = inputs.has("to-h");
  if (direct == inputs.has("length")) {  // the box to clear, or else the one to fill
    fail(MessageId::TargetOrLength, direct ? "length" : "to-h", {MessageArg::field("to-h"), MessageArg::field("length")});
  }
  const Channel c = reader.channel({}, SlopeUse::Any);
  const int steps = stepCount(reader);
  const std::optional<double> Q = reader.number("Q");
  const std::optional<Real> start = reader.depth("h0", c);
  const std::optional<Real> target = direct ? reader.depthAsTyped("to-h", c) : std::nullopt;
  const std::optional<double> length = direct ? std::nullopt : reader.number("length");
  reader.finish();

  const WaterSurfaceProfile p = direct ? directStepProfile(c, Real(*Q), *start, *target, steps)
                                       : standardStepProfile(c, Real(*Q), *start, *length, steps);
  Answer answer("profile", c.units);
  answer.csvLayout = Answer::CsvLayout::TablesOnly;
  Group& record = answer.record();
  ItemList list(record.items);
  using enum QuantityId;
  list.channel(c, true, true);
  list.exact(Discharge, *Q);
  list.exact(ControlDepth, start->toDouble());
  list.term(Method, direct ? "direct-step" : "standard-step");
  list.term(ProfileType, profileTypeTerm(p.type));
  list.number(CriticalDepth, p.hc);
  if (isSurvey(c.shape)) list.criticalChoice(c, Real(*Q));
  if (p.hn) {
    list.number(NormalDepth, *p.hn);
  } else {
    list.none(NormalDepth, "no-normal-depth");
  }
  const bool upstream = p.direction == calc::Direction::Upstream;
  list.term(QuantityId::Direction, upstream ? "upstream" : "downstream");
  list.term(DirectionReason, upstream ? "reason-upstream" : "reason-downstream");
  if (p.note) list.message(Note, *p.note);
  list.flag(ReachedCritical, p.reachedCritical);
  std::vector<Row> rows;
  rows.reserve(p.points.size());
  // A full pipe's point has no Froude number.
  const auto cell = [](double value) { return std::isnan(value) ? Cell::absent("full") : Cell::of(value); };
  for (const ProfilePoint& point : p.points) {
    rows.push_back(Row({cell(point.x), cell(point.h), cell(point.A), cell(point.v), cell(point.E), cell(point.Fr), cell(point.Sf)}));
  }
  answer.formulas = profileFormulas(c);
  record.tables.push_back(Table::of("points", {Distance, Depth, Area, Velocity, Energy, Froude, FrictionSlope}, std::move(rows)));
  return answer;
}

}  // namespace channelflow::calc
