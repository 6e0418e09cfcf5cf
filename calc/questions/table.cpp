// table: the rating table of uniform flow over a range of depths.
#include <cmath>
#include <string>

#include "calc/flow/flow_state.h"
#include "calc/toolkit/result_value.h"
#include "calc/survey/survey.h"
#include "calc/toolkit/toolkit.h"

namespace channelflow::calc {
namespace {

double rangePart(std::string_view key, std::string_view text, std::string_view part) {
  Problem problem;
  const std::optional<double> number = readNumber(text, problem);
  if (!number) {
    const char* reason = problem.id == MessageId::NumberTooLarge ? "too-large"
                         : problem.id == MessageId::NumberTooSmall ? "too-small"
                                                                   : "not-a-number";
    fail(MessageId::RangePartNotANumber, key,
         {MessageArg::term(part), MessageArg::literal(quoteForMessage(text)), MessageArg::term(reason)});
  }
  return *number;
}

// A surveyed section's water leaving it, or not reaching it.
void checkLevel(const Channel& c, const Real& h, std::string_view key) {
  const auto* points = std::get_if<Points>(&c.shape);
  if (points == nullptr) return;
  const Survey& survey = *points->survey;
  const std::string_view unit = unitsOf(c.units).key;
  if (!(h > Real(0))) {
    fail(MessageId::LevelBelowBottom, key, {MessageArg::value(survey.lowest()), MessageArg::unit("length", unit)});
  }
  if (h > survey.bankDepth()) {
    fail(MessageId::DepthAboveBanks, key,
         {MessageArg::value(survey.bankElevation()), MessageArg::unit("length", unit),
          MessageArg::value(survey.bankDepth().toDouble())});
  }
}

TableRow rowAt(const Channel& c, double x, bool level) {
  TableRow row;
  row.h = x;
  try {
    const auto* points = std::get_if<Points>(&c.shape);
    const Real lowest(points ? points->survey->lowest() : 0.0);
    const Real h = level ? Real(x) - lowest : Real(x);
    if (points) {
      row.wse = level ? x : resultValue(lowest + h, "wse");
      if (level) row.h = resultValue(h, "h");  // rounded only when it has a depth
      checkLevel(c, h, level ? "wse" : "h");
    }
    if (std::holds_alternative<Circle>(c.shape) && h > c.size) fail(MessageId::DepthAboveDiameter, "h");
    if (isClosed(c.shape) && h > topDepth(c)) {
      fail(MessageId::DepthAboveCrown, "h",
           {MessageArg::value(topDepth(c).toDouble()), MessageArg::unit("length", unitsOf(c.units).key)});
    }
    const FlowState f = uniformFlow(c, h);
    row.A = resultValue(f.A, "A");
    row.v = resultValue(f.v, "v");
    row.Q = resultValue(f.Q, "Q");
    row.full = f.full;
    row.Fr = f.full ? 0 : resultValue(f.Fr, "Fr");
    row.regime = f.full ? "full" : regimeTerm(f.regime);
    row.ok = true;
  } catch (const CalcError& error) {
    row.error = error.problem();
  }
  return row;
}

}  // namespace

TableRange readRange(std::string_view key, std::string_view range, bool ofDepths) {
  const auto first = range.find(':');
  const auto second = first == std::string_view::npos ? first : range.find(':', first + 1);
  if (second == std::string_view::npos || range.find(':', second + 1) != std::string_view::npos) {
    fail(MessageId::RangeSyntax, key);
  }
  const double from = rangePart(key, range.substr(0, first), "start");
  const double to = rangePart(key, range.substr(first + 1, second - first - 1), "end");
  const double step = rangePart(key, range.substr(second + 1), "step");
  if (!(step > 0) || !(to >= from)) fail(MessageId::RangeOrder, key);
  const double span = (to - from) / step;
  if (!(span < static_cast<double>(kMaxTableRows))) fail(MessageId::RangeRows, key);
  if (ofDepths && !(from > 0)) {
    fail(MessageId::RangeStart, key, {MessageArg::literal(quoteForMessage(range.substr(0, first)))});
  }
  // 0.3 - 0.1 is a hair under two steps of 0.1: the last depth must not be lost.
  const TableRange depths{from, step, static_cast<long>(std::floor(span * (1 + 1e-12) + 1e-9)) + 1};
  if (!std::isfinite(from + static_cast<double>(depths.rows - 1) * step)) fail(MessageId::RangeEnd, key);
  return depths;
}

TablePlan planTable(const Inputs& inputs) {
  InputReader reader(inputs);
  reader.requireDepthOrLevel();
  TablePlan plan{reader.channel({}, SlopeUse::Uniform), {}};
  plan.levels = inputs.has("wse");
  plan.range = plan.levels ? readRange("wse", *inputs.find("wse"), false) : readRange("h", *inputs.find("h"));
  reader.finish();
  return plan;
}

TableRow tableRow(const TablePlan& plan, long k) {
  return rowAt(plan.channel, plan.range.from + static_cast<double>(k) * plan.range.step, plan.levels);
}

}  // namespace channelflow::calc
