// line: a canal line's water levels from head to tail for its three flows
// (calc/canal/canal_line.h): the results table per flow, the plan, the flow
// segments, the structures, the checks, the adopted depths, the profile's
// tables, and the calculation report.
#include <memory>

#include "calc/canal/canal_line.h"
#include "calc/canal/line_answer.h"
#include "calc/toolkit/item_list.h"
#include "calc/toolkit/result_value.h"
#include "calc/toolkit/toolkit.h"

namespace channelflow::calc {
namespace {

using enum QuantityId;

Cell value(const Real& x, QuantityId id) {
  try {
    return Cell::of(resultValue(x, quantityInfo(id).key));
  } catch (const CalcError& error) {
    return Cell::messageOf(error.problem());
  }
}

Cell stationCell(const numeric::Decimal& station) { return Cell::of(station.toDouble()); }

using Data = std::shared_ptr<const LineAnswerData>;

// Each row with coordinates: the plan's elements.
Table planTable(const Data& data) {
  auto rows = std::make_shared<std::vector<std::size_t>>();
  for (std::size_t r = 0; r < data->line.rows.size(); ++r) {
    if (data->line.rows[r].x) rows->push_back(r);
  }
  Table table{"plan",
              {RowName, NodeKindName, Stake, PlanX, PlanY, CurveRadius, Deflection, Turn, Tangent, CurveLength, CurveStart,
               CurveMiddle, CurveEnd, IpSpacing, StraightLength},
              false, static_cast<long>(rows->size()), {}};
  table.rowAt = [data, rows](long k) {
    const std::size_t r = (*rows)[static_cast<std::size_t>(k)];
    const LineRowInfo& row = data->line.rows[r];
    std::vector<Cell> cells{Cell::textOf(row.name), Cell::termed(nodeKindKey(row.kind)),
                            Cell::textOf(stakeText(data->line.chain.nodes[row.down].station, data->line.stakePrefix)),
                            value(*row.x, PlanX), value(*row.y, PlanY)};
    if (row.curve && row.kind == NodeKind::Ip) {
      const PlanCurve& c = *row.curve;
      cells.push_back(value(c.Rc, CurveRadius));
      cells.push_back(value(c.deflection, Deflection));
      cells.push_back(Cell::termed(c.left ? "left" : "right"));
      for (const auto& [x, id] : {std::pair{&c.T, Tangent}, std::pair{&c.Lc, CurveLength}, std::pair{&c.BC, CurveStart},
                                  std::pair{&c.MC, CurveMiddle}, std::pair{&c.EC, CurveEnd}}) {
        cells.push_back(value(*x, id));
      }
    } else {
      cells.insert(cells.end(), 8, Cell::absent("not-applicable"));
    }
    if (row.curve && r > 0) {
      cells.push_back(value(row.curve->spacing, IpSpacing));
      cells.push_back(value(row.curve->straight, StraightLength));
    } else {
      cells.insert(cells.end(), 2, Cell::absent("not-applicable"));
    }
    return Row(std::move(cells));
  };
  return table;
}

Table segmentTable(const Data& data) {
  const CanalLine& line = data->line;
  std::vector<Row> rows;
  std::size_t last = line.segments.size();
  for (std::size_t r = 0; r < line.rows.size(); ++r) {
    const std::size_t segment = line.nodes[line.rows[r].down].segment;
    if (segment == last) continue;
    last = segment;
    const LineFlows& f = line.segments[segment];
    const std::string_view source = f.enlargedFromTable && f.minimumByRatio ? "table-and-ratio"
                                    : f.enlargedFromTable                   ? "table-6.3.4"
                                    : f.minimumByRatio                      ? "ratio-0.4"
                                                                            : "given";
    rows.push_back(Row({Cell::textOf(line.rows[r].name), stationCell(line.chain.nodes[line.rows[r].down].station),
                        value(f.Q[0], Discharge), value(f.Q[1], EnlargedDischarge), value(f.Q[2], MinimumDischarge),
                        Cell::termed(source)}));
  }
  return Table::of("segments", {RowName, Station, Discharge, EnlargedDischarge, MinimumDischarge, SegmentFlowSource},
                   std::move(rows));
}

// Row r of flow f: its levels, flow and the terms of its fall from the row before.
Row flowRow(const LineAnswerData& data, std::size_t f, std::size_t r) {
  const CanalLine& line = data.line;
  const LineResult& result = data.result;
  const LineRowInfo& row = line.rows[r];
  const std::size_t k = row.down;
  const Node& node = line.chain.nodes[k];
  const NodeWater& w = result.flows[f].nodes[k];
  std::vector<Cell> cells{Cell::textOf(row.name), Cell::termed(nodeKindKey(row.kind)), stationCell(node.station),
                          Cell::textOf(stakeText(node.station, line.stakePrefix))};
  const auto absent = [&cells](std::size_t count, std::string_view why) { cells.insert(cells.end(), count, Cell::absent(why)); };
  if (!row.inChain) {
    absent(16, "not-computed");
    cells.push_back(row.note ? Cell::messageOf(*row.note) : Cell::absent("no-note"));
    return Row(std::move(cells));
  }
  cells.push_back(value(result.flows[f].along.Q[k], Discharge));
  if (w.known) {
    cells.push_back(value(w.h, Depth));
    cells.push_back(value(w.x.v, Velocity));
    cells.push_back(value(w.x.v * numeric::sqrt(w.x.T / (Real(node.channel.constants().g) * w.x.A)), Froude));
  } else {
    absent(3, "no-level");
  }
  cells.push_back(w.known || f == 0 ? value(w.wse, Wse) : Cell::absent("no-level"));
  cells.push_back(result.bed[k] ? value(*result.bed[k], CanalBed) : Cell::absent("not-computed"));
  cells.push_back(result.top[r] ? value(*result.top[r], BankTop) : Cell::absent("not-computed"));
  const RowFall& fall = result.flows[f].falls[r];
  if (fall.known) {
    for (const auto& [x, id] : {std::pair{&fall.hf, FrictionLoss}, std::pair{&fall.hw, BendLoss},
                                std::pair{&fall.htr, TransitionFall}, std::pair{&fall.hs, StructureFall},
                                std::pair{&fall.hgate, GateFall}, std::pair{&fall.hr, ReservedLoss},
                                std::pair{&fall.dhv, HeadChange}}) {
      cells.push_back(value(*x, id));
    }
  } else {
    absent(7, "no-level");
  }
  const NodeWater& head = result.flows[f].nodes[line.rows[0].down];
  const bool levels = f == 0 || (w.known && head.known);
  cells.push_back(r > 0 && (f == 0 || fall.known) ? value(fall.dz, LevelFall) : Cell::absent(r > 0 ? "no-level" : "not-applicable"));
  cells.push_back(levels ? value(head.wse - w.wse, TotalFall) : Cell::absent("no-level"));
  const std::optional<Problem>& note = w.note ? w.note : row.note;
  cells.push_back(note ? Cell::messageOf(*note) : Cell::absent("no-note"));
  return Row(std::move(cells));
}

Group flowGroup(const Data& data, std::size_t f) {
  const char* key = structures::flowCaseKey(static_cast<structures::FlowCase>(f));
  Group group(key, true);
  ItemList list(group.items);
  list.term(FlowName, key);
  Table rows{"rows",
             {RowName, NodeKindName, Station, Stake, Discharge, Depth, Velocity, Froude, Wse, CanalBed, BankTop, FrictionLoss,
              BendLoss, TransitionFall, StructureFall, GateFall, ReservedLoss, HeadChange, LevelFall, TotalFall, Note},
             false, static_cast<long>(data->line.rows.size()), {}};
  rows.rowAt = [data, f](long r) { return flowRow(*data, f, static_cast<std::size_t>(r)); };
  group.tables.push_back(std::move(rows));
  return group;
}

Table structureTable(const Data& data) {
  const CanalLine& line = data->line;
  const LineResult& result = data->result;
  std::vector<Row> rows;
  for (const LineStructure& s : line.structures) {
    const LineRowInfo& in = line.rows[s.inRow];
    const LineRowInfo& out = line.rows[s.outRow];
    std::vector<Cell> cells{Cell::textOf(in.name), Cell::termed(structureTypeKey(s.type)),
                            stationCell(line.chain.nodes[in.up].station), stationCell(line.chain.nodes[out.down].station)};
    const bool span = s.outRow != s.inRow && s.type != StructureType::Gate && s.type != StructureType::Drop;
    cells.push_back(span ? value(s.L, StructureLength) : Cell::absent("not-applicable"));
    const bool transitions = !s.reservedOnly && s.type != StructureType::Gate && s.type != StructureType::Drop;
    cells.push_back(transitions ? value(s.xi1, InletXi) : Cell::absent("not-applicable"));
    cells.push_back(transitions && s.type != StructureType::Chute ? value(s.xi2, OutletXi) : Cell::absent("not-applicable"));
    // The floors: a barrel's at its ends, else the canal's either side.
    const std::size_t floorIn = span && line.nodes[in.down].structure ? in.down : in.up;
    const std::size_t floorOut = span && line.nodes[out.up].structure ? out.up : out.down;
    cells.push_back(result.bed[floorIn] ? value(*result.bed[floorIn], FloorIn) : Cell::absent("not-computed"));
    cells.push_back(result.bed[floorOut] ? value(*result.bed[floorOut], FloorOut) : Cell::absent("not-computed"));
    constexpr QuantityId kFalls[kFlowCases] = {FallDesign, FallEnlarged, FallMinimum};
    for (std::size_t f = 0; f < kFlowCases; ++f) {
      const NodeWater& a = result.flows[f].nodes[in.up];
      const NodeWater& b = result.flows[f].nodes[out.down];
      cells.push_back((a.known || f == 0) && (b.known || f == 0) ? value(a.wse - b.wse, kFalls[f]) : Cell::absent("no-level"));
    }
    cells.push_back(s.allotted ? value(*s.allotted, AllottedHead) : Cell::absent("not-given"));
    rows.push_back(Row(std::move(cells)));
  }
  return Table::of("structures",
                   {RowName, StructureName, StationIn, StationOut, StructureLength, InletXi, OutletXi, FloorIn, FloorOut,
                    FallDesign, FallEnlarged, FallMinimum, AllottedHead},
                   std::move(rows));
}

Table checkTable(const Data& data) {
  Table table{"checks",
              {RowName, Station, FlowName, CheckKey, Clause, Verdict, ComparedSymbol, CheckValue, CheckLimits, CheckLimitSymbols},
              false, static_cast<long>(data->result.checks.size()), {}};
  table.rowAt = [data](long k) {
    const LineCheck& c = data->result.checks[static_cast<std::size_t>(k)];
    const LineRowInfo& row = data->line.rows[c.row];
    std::vector<Cell> cells{Cell::textOf(row.name), stationCell(data->line.chain.nodes[row.down].station),
                            c.flow ? Cell::termed(structures::flowCaseKey(*c.flow)) : Cell::absent("all-flows"),
                            Cell::termed(c.check.rule), c.check.clause.empty() ? Cell::absent("not-applicable") : Cell::textOf(c.check.clause),
                            Cell::termed(structures::verdictTerm(c.check.verdict))};
    const std::vector<structures::Compared>& numbers = c.check.numbers;
    if (numbers.empty()) {
      cells.insert(cells.end(), 4, Cell::absent("not-applicable"));
    } else {
      cells.push_back(Cell::textOf(numbers[0].symbol));
      cells.push_back(value(numbers[0].value, CheckValue));
      std::vector<double> limits;
      std::string symbols;
      for (std::size_t j = 1; j < numbers.size(); ++j) {
        limits.push_back(numbers[j].value.toDouble());
        symbols += (j > 1 ? " " : "") + std::string(numbers[j].symbol);
      }
      cells.push_back(limits.empty() ? Cell::absent("not-applicable") : Cell::list(std::move(limits)));
      cells.push_back(symbols.empty() ? Cell::absent("not-applicable") : Cell::textOf(symbols));
    }
    return Row(std::move(cells));
  };
  return table;
}

Table adoptedTable(const Data& data) {
  const CanalLine& line = data->line;
  const LineResult& result = data->result;
  std::vector<Row> rows;
  std::optional<std::size_t> last;
  for (std::size_t r = 0; r < line.rows.size(); ++r) {
    const LineNode& node = line.nodes[line.rows[r].down];
    if (!node.section || node.section == last) continue;
    last = node.section;
    const std::size_t s = *node.section;
    if (!result.heightAdopted[s]) continue;
    rows.push_back(Row({Cell::termed("canal-height"), Cell::textOf(line.rows[r].name), stationCell(line.chain.nodes[line.rows[r].down].station),
                        result.heightNeeded[s] ? value(*result.heightNeeded[s], NeededValue) : Cell::absent("not-computed"),
                        value(*result.heightAdopted[s], AdoptedValue)}));
  }
  for (const calc::TroughHeight& t : result.troughs) {
    const LineRowInfo& row = line.rows[line.structures[t.structure].inRow];
    rows.push_back(Row({Cell::termed("trough-height"), Cell::textOf(row.name), stationCell(line.chain.nodes[row.up].station),
                        t.needed ? value(*t.needed, NeededValue) : Cell::absent("not-computed"), value(t.adopted, AdoptedValue)}));
  }
  return Table::of("adopted", {AdoptedItem, RowName, Station, NeededValue, AdoptedValue}, std::move(rows));
}

// The longitudinal profile's lines and bands: every row's station, bed, levels and top.
Table profileTable(const Data& data) {
  Table table{"profile", {Station, Stake, RowName, NodeKindName, CanalBed, WseDesign, WseEnlarged, WseMinimum, BankTop},
              false, static_cast<long>(data->line.rows.size()), {}};
  table.rowAt = [data](long k) {
    const auto r = static_cast<std::size_t>(k);
    const CanalLine& line = data->line;
    const LineResult& result = data->result;
    const LineRowInfo& row = line.rows[r];
    const Node& node = line.chain.nodes[row.down];
    std::vector<Cell> cells{stationCell(node.station), Cell::textOf(stakeText(node.station, line.stakePrefix)),
                            Cell::textOf(row.name), Cell::termed(nodeKindKey(row.kind))};
    if (!row.inChain) {
      cells.insert(cells.end(), 5, Cell::absent("not-computed"));
      return Row(std::move(cells));
    }
    cells.push_back(result.bed[row.down] ? value(*result.bed[row.down], CanalBed) : Cell::absent("not-computed"));
    constexpr QuantityId kLevels[kFlowCases] = {WseDesign, WseEnlarged, WseMinimum};
    for (std::size_t f = 0; f < kFlowCases; ++f) {
      const NodeWater& w = result.flows[f].nodes[row.down];
      cells.push_back(w.known ? value(w.wse, kLevels[f]) : Cell::absent("no-level"));
    }
    cells.push_back(result.top[r] ? value(*result.top[r], BankTop) : Cell::absent("not-computed"));
    return Row(std::move(cells));
  };
  return table;
}

LineSettings settingsOf(const Inputs& inputs) {
  InputReader reader(inputs);
  LineSettings settings;
  const auto level = [&](std::string_view key) -> std::optional<numeric::Decimal> {
    const std::string* text = inputs.find(key);
    if (!text) return std::nullopt;
    Problem problem;
    problem.field = std::string(key);
    std::optional<numeric::Decimal> value = readDecimal(*text, problem);
    if (!value) reader.keep(problem);
    return value;
  };
  settings.headLevel = level("level");
  settings.controlLevel = level("control-level");
  if (const std::string* at = inputs.find("control-at")) settings.controlAt = *at;
  if (const std::string* rule = inputs.find("friction")) {
    if (*rule == "uniform") {
      settings.uniform = true;
    } else if (const std::optional<FrictionRule> named = frictionRuleNamed(*rule)) {
      settings.rule = *named;
    } else {
      fail(MessageId::UnknownChoice, "friction",
           {MessageArg::literal(std::string(frictionRuleChoices()) + "|uniform"), MessageArg::literal(quoteForMessage(*rule))});
    }
  }
  if (inputs.has("g")) settings.g = reader.number("g").value_or(settings.g);
  if (inputs.has("grade")) {
    const std::optional<double> grade = reader.number("grade");
    if (grade && !(*grade >= 1 && *grade <= 5)) reader.keep({MessageId::OutOfRange, "grade", {MessageArg::value(1), MessageArg::value(5)}});
    if (grade) settings.grade = static_cast<int>(*grade);
  }
  if (const std::string* tail = inputs.find("tail")) settings.tail = *tail;
  if (inputs.has("max-step")) settings.maxStep = reader.number("max-step");
  reader.finish();
  return settings;
}

}  // namespace

std::shared_ptr<LineAnswerData> lineAnswerData(const Inputs& inputs) {
  InputReader(inputs).requireGiven("file");
  auto data = std::make_shared<LineAnswerData>();
  data->line = readCanalLine(*inputs.find("file"), settingsOf(inputs));
  data->result = computeLine(data->line);
  return data;
}

Answer canalLine(const Inputs& inputs) {
  const Data data = lineAnswerData(inputs);
  const CanalLine& line = data->line;
  Answer answer("line", UnitSystem::SI);
  Group& record = answer.record();
  ItemList list(record.items);
  list.exact(NodeCount, static_cast<double>(line.rows.size()));
  const LineSettings& s = line.settings;
  list.number(KnownLevel, (s.headLevel ? *s.headLevel : *s.controlLevel).toReal());
  if (s.headLevel) {
    list.term(KnownAt, "head");
  } else if (s.controlAt) {
    list.text(KnownAt, *s.controlAt);
  } else {
    list.term(KnownAt, "tail");
  }
  list.term(FrictionRuleName, s.uniform ? "uniform" : frictionRuleKey(s.rule));
  list.exact(Gravity, s.g);
  list.exact(Grade, s.grade);
  record.tables.push_back(segmentTable(data));
  record.tables.push_back(planTable(data));
  Group flows("flows", true);
  for (std::size_t f = 0; f < kFlowCases; ++f) flows.groups.push_back(flowGroup(data, f));
  record.groups.push_back(std::move(flows));
  Group structures("structures", true);
  structures.tables.push_back(structureTable(data));
  record.groups.push_back(std::move(structures));
  Group checks("checks", true);
  checks.tables.push_back(checkTable(data));
  record.groups.push_back(std::move(checks));
  Group adopted("adopted", true);
  adopted.tables.push_back(adoptedTable(data));
  record.groups.push_back(std::move(adopted));
  Group drawing("drawing");
  drawing.tables.push_back(profileTable(data));
  std::vector<Row> bands;
  for (const QuantityId id : {Stake, CanalBed, WseDesign, WseEnlarged, BankTop}) {
    bands.push_back(Row({Cell::textOf(quantityInfo(id).key)}));
  }
  drawing.tables.push_back(Table::of("bands", {RowKey}, std::move(bands)));
  record.groups.push_back(std::move(drawing));
  answer.reportRole = Answer::ReportRole::Document;
  answer.report = lineReport(*data);
  return answer;
}

}  // namespace channelflow::calc
