// table: the rating table of uniform flow over a range of depths.
#include <cmath>
#include <string>

#include "calc/flow/flow_state.h"
#include "calc/toolkit/result_value.h"
#include "calc/survey/survey.h"
#include "calc/toolkit/toolkit.h"

namespace channelflow::calc {
namespace {

// The range as typed: each row's depth or level is from + k step, exactly.
struct TableRange {
  numeric::Decimal from, step;
  long rows = 0;
};

numeric::Decimal rangePart(std::string_view key, std::string_view text, std::string_view part) {
  Problem problem;
  const std::optional<numeric::Decimal> number = readDecimal(text, problem);
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
    fail(MessageId::LevelBelowBottom, key, {MessageArg::value(survey.lowest().toDouble()), MessageArg::unit("length", unit)});
  }
  if (h > survey.bankDepth()) {
    fail(MessageId::DepthAboveBanks, key,
         {MessageArg::value(survey.bankElevation()), MessageArg::unit("length", unit),
          MessageArg::value(survey.bankDepth().toDouble())});
  }
}

// The row of depth (or level) x: h[, wse], A, v, Q, Fr and the regime, or
// the leading cells it has and why it has no flow. A pipe running full has
// no free surface, so no Froude number.
Row rowAt(const Channel& c, const numeric::Decimal& x, bool level) {
  const auto* points = std::get_if<Points>(&c.shape);
  double h = x.toDouble(), wse = x.toDouble();  // as far as they are known
  Row row;
  try {
    // A level less the lowest point, and a surveyed section's depth, exactly
    // as typed; another section's depth as its double, as every question reads one.
    const Real depth = !points ? Real(x.toDouble()) : level ? difference(x, points->survey->lowest()) : x.toReal();
    if (points) {
      level ? h = resultValue(depth, "h") : wse = resultValue(points->survey->lowest().toReal() + depth, "wse");
      checkLevel(c, depth, level ? "wse" : "h");
    }
    if (std::holds_alternative<Circle>(c.shape) && depth > c.size) fail(MessageId::DepthAboveDiameter, "h");
    if (isClosed(c.shape) && depth > topDepth(c)) {
      fail(MessageId::DepthAboveCrown, "h",
           {MessageArg::value(topDepth(c).toDouble()), MessageArg::unit("length", unitsOf(c.units).key)});
    }
    const FlowState f = uniformFlow(c, depth);
    row.cells.reserve(7);
    row.cells.push_back(Cell::of(h));
    if (points) row.cells.push_back(Cell::of(wse));
    row.cells.push_back(Cell::of(resultValue(f.A, "A")));
    row.cells.push_back(Cell::of(resultValue(f.v, "v")));
    row.cells.push_back(Cell::of(resultValue(f.Q, "Q")));
    row.cells.push_back(f.full ? Cell::absent("full") : Cell::of(resultValue(f.Fr, "Fr")));
    row.cells.push_back(Cell::termed(f.full ? "full" : regimeTerm(f.regime)));
  } catch (const CalcError& error) {
    row.cells = {Cell::of(h)};
    if (points) row.cells.push_back(Cell::of(wse));
    row.error = error.problem();
  }
  return row;
}

// Reads "from:to:step" of depths (from > 0), or of levels (any from); throws
// CalcError naming `key`.
TableRange readRange(std::string_view key, std::string_view range, bool ofDepths = true) {
  const auto first = range.find(':');
  const auto second = first == std::string_view::npos ? first : range.find(':', first + 1);
  if (second == std::string_view::npos || range.find(':', second + 1) != std::string_view::npos) {
    fail(MessageId::RangeSyntax, key);
  }
  const numeric::Decimal from = rangePart(key, range.substr(0, first), "start");
  const numeric::Decimal to = rangePart(key, range.substr(first + 1, second - first - 1), "end");
  const numeric::Decimal step = rangePart(key, range.substr(second + 1), "step");
  if (!(step.toDouble() > 0) || compare(to, from) < 0) fail(MessageId::RangeOrder, key);
  // The whole steps from the start to the end, counted exactly in decimal;
  // texts beyond it counted in doubles, where 0.3 - 0.1 is a hair under two
  // steps of 0.1 and the last row must not be lost.
  const std::optional<std::int64_t> steps = wholeSteps(from, to, step);
  const double span = steps ? static_cast<double>(*steps) : (to.toDouble() - from.toDouble()) / step.toDouble();
  if (!(span < static_cast<double>(kMaxTableRows))) fail(MessageId::RangeRows, key);
  if (ofDepths && !(from.toDouble() > 0)) {
    fail(MessageId::RangeStart, key, {MessageArg::literal(quoteForMessage(range.substr(0, first)))});
  }
  const long rows = (steps ? static_cast<long>(*steps) : static_cast<long>(std::floor(span * (1 + 1e-12) + 1e-9))) + 1;
  const TableRange table{from, step, rows};
  if (!std::isfinite(from.advanced(step, rows - 1).toDouble())) fail(MessageId::RangeEnd, key);
  return table;
}

}  // namespace

Answer table(const Inputs& inputs) {
  InputReader reader(inputs);
  reader.requireDepthOrLevel();
  const Channel c = reader.channel({}, SlopeUse::Uniform);
  const bool levels = inputs.has("wse");
  const TableRange range = levels ? readRange("wse", *inputs.find("wse"), false) : readRange("h", *inputs.find("h"));
  reader.finish();
  using enum QuantityId;
  std::vector<QuantityId> columns{Depth, Area, Velocity, Discharge, Froude, Regime};
  // A surveyed section's rows carry the water level after the depth.
  if (isSurvey(c.shape)) columns.insert(columns.begin() + 1, Wse);
  Answer answer("table", c.units);
  answer.record().tables.push_back(Table{"rows", std::move(columns), true, range.rows, [c, range, levels](long k) {
                                           return rowAt(c, range.from.advanced(range.step, k), levels);
                                         }});
  return answer;
}

}  // namespace channelflow::calc
