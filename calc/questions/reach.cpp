// reach: the water surface along a river reach, per flow.
#include <algorithm>
#include <memory>

#include "calc/reach/reach.h"
#include "calc/survey/survey.h"
#include "calc/toolkit/item_list.h"
#include "calc/toolkit/result_value.h"
#include "calc/toolkit/toolkit.h"

namespace channelflow::calc {
namespace {

using enum QuantityId;

Cell valueCell(const Real& value, QuantityId id) { return Cell::of(resultValue(value, quantityInfo(id).key)); }

// Each section's station, bed, banks, lengths and coefficients: the
// longitudinal profile's bed and bank lines. Rows are made as they are written.
Table geometryTable(const std::shared_ptr<const Reach>& reach) {
  const long n = static_cast<long>(reach->chain.nodes.size());
  Table table{"geometry",
              {Station, RowName, Bed, LeftBank, RightBank, LeftBankLevel, RightBankLevel, LengthLeft, LengthChannel,
               LengthRight, Contraction, Expansion},
              false, n, {}};
  table.rowAt = [reach, n](long k) {
    const Node& node = reach->chain.nodes[static_cast<std::size_t>(k)];
    const ReachSection& section = reach->sections[static_cast<std::size_t>(k)];
    const std::span<const SurveyPoint> points = std::get<Points>(node.channel.shape).survey->points();
    const SurveyPoint& left = points[static_cast<std::size_t>(section.leftBank)];
    const SurveyPoint& right = points[static_cast<std::size_t>(section.rightBank)];
    std::vector<Cell> cells{Cell::of(node.station.toDouble()), node.name.empty() ? Cell::absent("unnamed") : Cell::textOf(node.name),
                            Cell::of(node.bed.toDouble()),     Cell::of(left.x.toDouble()),
                            Cell::of(right.x.toDouble()),      Cell::of(left.z.toDouble()),
                            Cell::of(right.z.toDouble())};
    for (const Real& length : section.lengths) cells.push_back(k + 1 < n ? valueCell(length, ReachLength) : Cell::absent("last-section"));
    cells.push_back(Cell::of(section.contraction));
    cells.push_back(Cell::of(section.expansion));
    return Row(std::move(cells));
  };
  return table;
}

// Every section's points, for drawing the cross-sections: a row a point.
Table pointsTable(const std::shared_ptr<const Reach>& reach) {
  auto firsts = std::make_shared<std::vector<long>>();  // each section's first row
  long count = 0;
  for (const Node& node : reach->chain.nodes) {
    firsts->push_back(count);
    count += static_cast<long>(std::get<Points>(node.channel.shape).survey->points().size());
  }
  Table table{"points", {Station, X, Z, N}, false, count, {}};
  table.rowAt = [reach, firsts](long row) {
    const auto section = static_cast<std::size_t>(std::upper_bound(firsts->begin(), firsts->end(), row) - firsts->begin() - 1);
    const Node& node = reach->chain.nodes[section];
    const Survey& survey = *std::get<Points>(node.channel.shape).survey;
    const auto p = static_cast<std::size_t>(row - (*firsts)[section]);
    const SurveyPoint& point = survey.points()[p];
    return Row({Cell::of(node.station.toDouble()), Cell::of(point.x.toDouble()), Cell::of(point.z.toDouble()),
                p < survey.segmentN().size() ? Cell::of(survey.segmentN()[p]) : Cell::absent("last-point")});
  };
  return table;
}

// A flow's surface and what its rows are made from.
struct FlowRows {
  FlowSurface surface;
  std::vector<std::optional<Hydraulics<Real>>> states;  // per node where its depth is known
  std::vector<bool> jumpAfter;                          // per node: a jump stands between it and the next
};

// Node k's row of the flow: its levels, its flow, and the losses to the next section down.
Row sectionRow(const Reach& reach, const FlowRows& rows, std::size_t k) {
  const FlowSurface& flow = rows.surface;
  const std::vector<std::optional<Hydraulics<Real>>>& states = rows.states;
  const Node& node = reach.chain.nodes[k];
  const NodeDepth& depth = flow.surface.nodes[k];
  const NodeCritical& critical = flow.along.critical[k];
  std::vector<Cell> cells{Cell::of(node.station.toDouble()), Cell::of(node.bed.toDouble())};
  const Real bed = node.bed.toReal();
  const auto absent = [&cells](std::size_t count, std::string_view why) { cells.insert(cells.end(), count, Cell::absent(why)); };
  if (!states[k]) {
    absent(4, "no-level");
  } else {
    const Hydraulics<Real>& x = *states[k];
    const Real wse = bed + x.h;
    cells.push_back(valueCell(wse, Wse));
    cells.push_back(valueCell(x.h, Depth));
    cells.push_back(valueCell(wse + x.head, EnergyLevel));
    cells.push_back(valueCell(x.h + x.head, Energy));
  }
  if (critical.found) {
    cells.push_back(valueCell(critical.least, CriticalDepth));
    cells.push_back(valueCell(bed + critical.least, CriticalLevel));
  } else {
    absent(2, "critical-above-section");
  }
  cells.push_back(valueCell(flow.along.Q[k], Discharge));
  if (!states[k]) {
    absent(14, "no-level");
  } else {
    const Hydraulics<Real>& x = *states[k];
    cells.push_back(valueCell(x.v, Velocity));
    constexpr QuantityId kSideVelocity[kSides] = {VelocityLeft, VelocityChannel, VelocityRight};
    for (std::size_t s = 0; s < kSides; ++s) {
      cells.push_back(x.sideA[s] > Real(0) ? valueCell(x.Q * x.sideK[s] / x.K / x.sideA[s], kSideVelocity[s]) : Cell::absent("dry"));
    }
    const Real Fr = x.v * numeric::sqrt(x.alpha * x.T / (Real(node.channel.constants().g) * x.A));
    cells.push_back(valueCell(Fr, Froude));
    cells.push_back(Cell::termed(regimeTerm(regimeOf(Fr))));
    cells.push_back(valueCell(x.A, Area));
    cells.push_back(valueCell(x.T, TopWidth));
    cells.push_back(valueCell(x.K, Conveyance));
    cells.push_back(valueCell(x.alpha, EnergyCoefficient));
    cells.push_back(valueCell(x.Sf, FrictionSlope));
    if (k + 1 < states.size() && states[k + 1] && !rows.jumpAfter[k]) {
      for (const auto& link : reach.chain.gaps[k]) {
        const Loss loss = link->explain(x, *states[k + 1]);
        for (const LossTerm& term : loss.terms) {
          if (term.id == ReachLength || term.id == FrictionLoss || term.id == EddyLoss) cells.push_back(valueCell(term.value, term.id));
        }
      }
    } else {
      absent(3, rows.jumpAfter[k] ? "jump-between" : "no-next-section");
    }
  }
  cells.push_back(depth.note ? Cell::messageOf(*depth.note) : Cell::absent("no-note"));
  return Row(std::move(cells));
}

Group flowGroup(const std::shared_ptr<const Reach>& reach, const ReachFlow& flow) {
  const std::vector<Node>& nodes = reach->chain.nodes;
  const std::size_t n = nodes.size();
  auto rows = std::make_shared<FlowRows>();
  rows->surface = computeFlow(*reach, flow);
  rows->states.resize(n);
  rows->jumpAfter.assign(n, false);
  for (std::size_t k = 0; k < n; ++k) {
    const NodeDepth& depth = rows->surface.surface.nodes[k];
    if (depth.known) rows->states[k] = hydraulicsAt(nodes[k], rows->surface.along.Q[k], depth.h);
  }
  for (const Jump& jump : rows->surface.surface.jumps) rows->jumpAfter[jump.before] = true;

  Group group(flow.name, true);
  ItemList list(group.items);
  list.text(FlowName, flow.name);
  list.number(Discharge, flow.Q.front());
  list.term(Computed, flow.downstream && flow.upstream ? "mixed" : flow.downstream ? "subcritical" : "supercritical");
  for (const auto& [id, boundary] : {std::pair{DownstreamBoundary, &flow.downstream}, std::pair{UpstreamBoundary, &flow.upstream}}) {
    if (*boundary) {
      list.text(id, (*boundary)->text);
    } else {
      list.none(id, "not-given");
    }
  }
  Table sections{"sections",
                 {Station, Bed, Wse, Depth, EnergyLevel, Energy, CriticalDepth, CriticalLevel, Discharge, Velocity,
                  VelocityLeft, VelocityChannel, VelocityRight, Froude, Regime, Area, TopWidth, Conveyance,
                  EnergyCoefficient, FrictionSlope, ReachLength, FrictionLoss, EddyLoss, Note},
                 false, static_cast<long>(n), {}};
  sections.rowAt = [reach, rows](long k) { return sectionRow(*reach, *rows, static_cast<std::size_t>(k)); };
  group.tables.push_back(std::move(sections));
  if (!(flow.downstream && flow.upstream)) return group;
  std::vector<Row> jumps;
  for (const Jump& jump : rows->surface.surface.jumps) {
    const Node& before = nodes[jump.before];
    const Node& after = nodes[jump.before + 1];
    const Real station = before.station.toReal() + jump.share * difference(after.station, before.station);
    const Hydraulics<Real>& x = *rows->states[jump.before];
    const Real Fr = x.v * numeric::sqrt(x.alpha * x.T / (Real(before.channel.constants().g) * x.A));
    jumps.push_back(Row({valueCell(station, Station), Cell::of(before.station.toDouble()), Cell::of(after.station.toDouble()),
                         valueCell(x.h, H1), valueCell(rows->states[jump.before + 1]->h, H2), valueCell(Fr, Fr1)}));
  }
  group.tables.push_back(Table::of("jumps", {Station, From, To, H1, H2, Fr1}, std::move(jumps)));
  return group;
}

}  // namespace

Answer reach(const Inputs& inputs) {
  InputReader reader(inputs);
  reader.requireGiven("file");
  ReachSettings settings;
  if (const std::string* units = inputs.find("units")) {
    const std::optional<UnitSystem> system = unitSystemNamed(*units);
    if (!system) fail(MessageId::UnknownUnits, "units", {MessageArg::literal(quoteForMessage(*units))});
    settings.units = *system;
  }
  if (const std::string* rule = inputs.find("friction")) {
    const std::optional<FrictionRule> named = frictionRuleNamed(*rule);
    if (!named) {
      fail(MessageId::UnknownChoice, "friction", {MessageArg::literal(frictionRuleChoices()), MessageArg::literal(quoteForMessage(*rule))});
    }
    settings.rule = *named;
  }
  for (const auto& [key, setting] : {std::pair{"flows", &settings.flows}, std::pair{"downstream", &settings.downstream},
                                     std::pair{"upstream", &settings.upstream}}) {
    if (const std::string* text = inputs.find(key)) *setting = *text;
  }
  const auto r = std::make_shared<const Reach>(readReach(*inputs.find("file"), settings));

  Answer answer("reach", settings.units);
  Group& record = answer.record();
  ItemList list(record.items);
  list.term(QuantityId::Units, settings.units == UnitSystem::US ? "us" : "si");
  list.term(FrictionRuleName, frictionRuleKey(r->rule));
  list.exact(SectionCount, static_cast<double>(r->chain.nodes.size()));
  record.tables.push_back(geometryTable(r));
  Group flows("flows", true);
  for (const ReachFlow& flow : r->flows) flows.groups.push_back(flowGroup(r, flow));
  record.groups.push_back(std::move(flows));
  Group drawing("drawing");
  drawing.tables.push_back(pointsTable(r));
  record.groups.push_back(std::move(drawing));
  return answer;
}

}  // namespace channelflow::calc
