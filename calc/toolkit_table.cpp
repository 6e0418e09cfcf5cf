// table: the rating table of uniform flow over a range of depths.
#include <cmath>
#include <string>

#include "calc/flow.h"
#include "calc/result_value.h"
#include "calc/toolkit.h"

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

TableRow rowAt(const Channel& c, double h) {
  TableRow row;
  row.h = h;
  try {
    if (isClosed(c.shape) && Real(h) > c.size) fail(MessageId::DepthAboveDiameter, "h");
    const FlowState f = uniformFlow(c, Real(h));
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

TableRange readRange(std::string_view key, std::string_view range) {
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
  if (!(from > 0)) fail(MessageId::RangeStart, key, {MessageArg::literal(quoteForMessage(range.substr(0, first)))});
  // 0.3 - 0.1 is a hair under two steps of 0.1: the last depth must not be lost.
  const TableRange depths{from, step, static_cast<long>(std::floor(span * (1 + 1e-12) + 1e-9)) + 1};
  if (!std::isfinite(from + static_cast<double>(depths.rows - 1) * step)) fail(MessageId::RangeEnd, key);
  return depths;
}

TablePlan planTable(const Inputs& inputs) {
  InputReader reader(inputs);
  reader.requireGiven("h");
  TablePlan plan{reader.channel({}, SlopeUse::Uniform), {}};
  plan.range = readRange("h", *inputs.find("h"));
  reader.finish();
  return plan;
}

TableRow tableRow(const TablePlan& plan, long k) {
  return rowAt(plan.channel, plan.range.from + static_cast<double>(k) * plan.range.step);
}

}  // namespace channelflow::calc
