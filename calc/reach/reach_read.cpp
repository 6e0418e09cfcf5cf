// Reading a reach: its file's rows into sections, flows and boundaries.
#include <algorithm>

#include "calc/line/contraction_loss.h"
#include "calc/line/friction_loss.h"
#include "calc/reach/reach.h"
#include "calc/reach/reach_file.h"
#include "calc/survey/points_text.h"
#include "calc/toolkit/inputs.h"

namespace channelflow::calc {
namespace {

using Column = ReachColumn;
constexpr std::string_view kFile = "file";
constexpr std::size_t kMostProblems = 10;

// One row's values, each problem kept at its row and column.
class RowReader {
 public:
  RowReader(const ReachFile& file, const ReachRow& row, std::vector<Problem>& problems)
      : file_(file), row_(row), problems_(problems) {}

  void keep(Problem cell) {
    ok_ = false;
    if (problems_.size() < kMostProblems) problems_.push_back(rowProblem(file_, row_, std::move(cell), kFile));
  }
  void keep(MessageId id, Column column, std::vector<MessageArg> args = {}) {
    keep({id, std::string(reachColumnKey(column)), std::move(args)});
  }
  bool ok() const { return ok_; }
  const std::optional<std::string>& cell(Column column) const { return row_[column]; }

  std::optional<numeric::Decimal> decimal(Column column) {
    if (!row_[column]) return std::nullopt;
    Problem problem;
    problem.field = std::string(reachColumnKey(column));
    std::optional<numeric::Decimal> value = readDecimal(*row_[column], problem);
    if (!value) keep(std::move(problem));
    return value;
  }

  // A number checked against `positive` (> 0) or else >= 0.
  std::optional<double> number(Column column, bool positive) {
    if (!row_[column]) return std::nullopt;
    Problem problem;
    problem.field = std::string(reachColumnKey(column));
    const std::optional<double> value = readNumber(*row_[column], problem);
    if (!value) {
      keep(std::move(problem));
    } else if (positive ? !(*value > 0) : *value < 0) {
      keep(positive ? MessageId::NotPositive : MessageId::Negative, column);
      return std::nullopt;
    }
    return value;
  }

 private:
  const ReachFile& file_;
  const ReachRow& row_;
  std::vector<Problem>& problems_;
  bool ok_ = true;
};

// What a row says, read.
struct SectionRow {
  std::optional<numeric::Decimal> station;
  std::shared_ptr<const Survey> survey;
  ReachSection section;
  std::array<std::optional<numeric::Decimal>, kSides> lengths;
  std::vector<std::string> flows;  // as typed
};

std::vector<std::string> flowTexts(std::string_view text) {
  std::vector<std::string> flows;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find_first_of("; \t", start), text.size());
    if (end > start) flows.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return flows;
}

// The point a bank stands on: the first at its station on the left, the
// last on the right, so that a wall there is the channel's.
std::optional<int> bankPoint(const std::vector<SurveyPoint>& points, const numeric::Decimal& station, bool left) {
  std::optional<int> found;
  for (std::size_t k = 0; k < points.size(); ++k) {
    if (compare(points[k].x, station) != 0) continue;
    found = static_cast<int>(k);
    if (left) break;
  }
  return found;
}

void readSurvey(RowReader& reader, SectionRow& out) {
  if (!reader.cell(Column::Points)) {
    reader.keep(MessageId::MissingInput, Column::Points);
    return;
  }
  std::vector<Problem> problems;
  const std::optional<SurveyText> text = readSurveyText(*reader.cell(Column::Points), "points", problems);
  for (Problem& problem : problems) reader.keep(std::move(problem));
  const std::optional<double> common = reader.number(Column::N, true);
  if (!text) return;
  const std::vector<SurveyPoint>& points = text->points;
  std::vector<double> segmentN(points.size() - 1);
  std::optional<double> carried = common;
  for (std::size_t s = 0; s < segmentN.size(); ++s) {
    if (text->n[s]) carried = text->n[s];
    if (!carried) {
      reader.keep(MessageId::MissingInput, Column::N);
      return;
    }
    segmentN[s] = *carried;
  }
  const int last = static_cast<int>(points.size()) - 1;
  int banks[2] = {0, last};
  for (int side = 0; side < 2; ++side) {
    const Column column = side == 0 ? Column::LeftBank : Column::RightBank;
    const std::optional<numeric::Decimal> station = reader.decimal(column);
    if (!station) continue;
    const std::optional<int> point = bankPoint(points, *station, side == 0);
    if (!point) {
      reader.keep(MessageId::BankNotAPoint, column,
                  {MessageArg::value(station->toDouble()), MessageArg::value(points.front().x.toDouble()),
                   MessageArg::value(points.back().x.toDouble())});
      return;
    }
    banks[side] = *point;
  }
  if (reader.cell(Column::LeftBank) && reader.cell(Column::RightBank) && compare(points[static_cast<std::size_t>(banks[0])].x, points[static_cast<std::size_t>(banks[1])].x) >= 0) {
    reader.keep(MessageId::BanksOrder, Column::LeftBank,
                {MessageArg::value(points[static_cast<std::size_t>(banks[0])].x.toDouble()),
                 MessageArg::value(points[static_cast<std::size_t>(banks[1])].x.toDouble())});
    return;
  }
  if (!reader.ok()) return;
  std::vector<int> breaks;
  if (banks[0] > 0) breaks.push_back(banks[0]);
  if (banks[1] < last) breaks.push_back(banks[1]);
  out.survey = std::make_shared<const Survey>(points, std::move(segmentN), std::move(breaks));
  out.section.leftBank = banks[0];
  out.section.rightBank = banks[1];
}

SectionRow readRow(RowReader& reader) {
  SectionRow out;
  if (!reader.cell(Column::Station)) reader.keep(MessageId::MissingInput, Column::Station);
  out.station = reader.decimal(Column::Station);
  readSurvey(reader, out);
  constexpr Column kLengths[kSides] = {Column::LengthLeft, Column::LengthChannel, Column::LengthRight};
  for (std::size_t s = 0; s < kSides; ++s) {
    out.lengths[s] = reader.decimal(kLengths[s]);
    if (out.lengths[s] && !(out.lengths[s]->toDouble() > 0)) {
      reader.keep(MessageId::NotPositive, kLengths[s]);
      out.lengths[s].reset();
    }
  }
  out.section.contraction = reader.number(Column::Contraction, false).value_or(0.1);
  out.section.expansion = reader.number(Column::Expansion, false).value_or(0.3);
  if (reader.cell(Column::Q)) {
    out.flows = flowTexts(*reader.cell(Column::Q));
    for (const std::string& flow : out.flows) {
      Problem problem;
      problem.field = "Q";
      const std::optional<double> Q = readNumber(flow, problem);
      if (!Q) reader.keep(std::move(problem));
      if (Q && !(*Q > 0)) reader.keep(MessageId::NotPositive, Column::Q);
    }
  }
  return out;
}

Node nodeOf(const ReachRow& row, const SectionRow& read, UnitSystem units) {
  Node node;
  node.station = *read.station;
  if (row[Column::Name]) node.name = *row[Column::Name];
  const Survey& survey = *read.survey;
  node.bed = survey.lowest();
  node.channel.shape = Points{read.survey};
  node.channel.units = units;
  if (!survey.divided()) node.channel.roughness.n = Real(survey.partN(0));
  for (int j = 0; j < survey.partCount(); ++j) {
    const int first = survey.partFirstPoint(j);
    node.partSides.push_back(first < read.section.leftBank    ? Side::LeftOverbank
                             : first < read.section.rightBank ? Side::Channel
                                                              : Side::RightOverbank);
  }
  return node;
}

// The boundaries of one end: the input's, or the file's (a JSON setting, or
// the end row's cell), each problem placed where it was written.
std::vector<Boundary> boundariesOf(const ReachFile& file, const ReachRow& end, const std::optional<std::string>& input,
                                   const std::optional<std::string>& setting, Column column, std::size_t flows) {
  const std::string_view key = reachColumnKey(column);
  if (input) return readBoundaries(*input, key, flows);
  if (setting && end[column]) {
    fail(MessageId::EitherInput, kFile,
         {MessageArg::literal(key), MessageArg::literal("sections[" + std::to_string(end.place - 1) + "]." + std::string(key))});
  }
  const std::optional<std::string>& text = setting ? setting : end[column];
  if (!text) return {};
  try {
    return readBoundaries(*text, key, flows);
  } catch (const CalcError& error) {
    if (setting) throw CalcError(Problem{MessageId::ReachSetting, std::string(kFile), {MessageArg::nested(error.problem())}});
    throw CalcError(rowProblem(file, end, error.problem(), kFile));
  }
}

}  // namespace

Reach readReach(std::string_view text, const ReachSettings& settings) {
  const ReachFile file = readReachFile(text, kFile);
  const std::size_t n = file.rows.size();
  if (n < 2 || n > kMaxReachSections) fail(MessageId::ReachSectionCount, kFile, {MessageArg::literal(std::to_string(n))});
  std::vector<Problem> problems;
  std::vector<SectionRow> rows;
  rows.reserve(n);
  for (std::size_t k = 0; k < n; ++k) {
    RowReader reader(file, file.rows[k], problems);
    rows.push_back(readRow(reader));
    if (k > 0 && rows[k].station && rows[k - 1].station && compare(*rows[k].station, *rows[k - 1].station) <= 0) {
      reader.keep(MessageId::StationsNotIncreasing, Column::Station,
                  {MessageArg::value(rows[k].station->toDouble()), MessageArg::value(rows[k - 1].station->toDouble())});
    }
    if (k + 1 < n && reader.cell(Column::Downstream)) reader.keep(MessageId::BoundaryOnlyAtEnd, Column::Downstream, {MessageArg::term("end")});
    if (k > 0 && reader.cell(Column::Upstream)) reader.keep(MessageId::BoundaryOnlyAtEnd, Column::Upstream, {MessageArg::term("start")});
    if (!rows[k].flows.empty() && k > 0 && !rows[0].flows.empty() && rows[k].flows.size() != rows[0].flows.size()) {
      reader.keep(MessageId::FlowCount, Column::Q,
                  {MessageArg::literal(std::to_string(rows[k].flows.size())), MessageArg::literal(std::to_string(rows[0].flows.size()))});
    }
    if (k == 0 && rows[0].flows.empty() && !settings.flows && !file.flows) reader.keep(MessageId::FirstFlowMissing, Column::Q);
  }
  if (!problems.empty()) throw CalcError(problems);

  // The flows: the input's or the JSON setting's the same all along, else the rows'.
  const std::optional<std::string>& given = settings.flows ? settings.flows : file.flows;
  bool rowFlows = false;
  for (const SectionRow& row : rows) rowFlows = rowFlows || !row.flows.empty();
  if (given && rowFlows) fail(MessageId::EitherInput, settings.flows ? "flows" : kFile, {MessageArg::field("flows"), MessageArg::literal("Q")});
  if (given) {
    rows[0].flows = flowTexts(*given);
    for (const std::string& flow : rows[0].flows) {
      Problem problem;
      problem.field = "flows";
      const std::optional<double> Q = readNumber(flow, problem);
      if (!Q) throw CalcError(settings.flows ? problem : Problem{MessageId::ReachSetting, std::string(kFile), {MessageArg::nested(problem)}});
      if (!(*Q > 0)) fail(MessageId::NotPositive, "flows");
    }
    if (rows[0].flows.empty()) fail(MessageId::MissingInput, "flows");
  }

  Reach reach;
  reach.rule = settings.rule.value_or(FrictionRule::AverageConveyance);
  if (!settings.rule && file.friction) {
    const std::optional<FrictionRule> named = frictionRuleNamed(*file.friction);
    if (!named) {
      const Problem problem{MessageId::UnknownChoice, "friction",
                            {MessageArg::literal(frictionRuleChoices()), MessageArg::literal(quoteForMessage(*file.friction))}};
      throw CalcError(Problem{MessageId::ReachSetting, std::string(kFile), {MessageArg::nested(problem)}});
    }
    reach.rule = *named;
  }
  const double manning = unitsOf(settings.units).manning;
  for (std::size_t k = 0; k < n; ++k) {
    reach.chain.nodes.push_back(nodeOf(file.rows[k], rows[k], settings.units));
    ReachSection section = rows[k].section;
    for (std::size_t s = 0; s < kSides; ++s) {
      section.lengths[s] = k + 1 == n           ? Real(0)
                           : rows[k].lengths[s] ? rows[k].lengths[s]->toReal()
                                                : difference(*rows[k + 1].station, *rows[k].station);
    }
    if (k + 1 < n) {
      Links links;
      links.push_back(std::make_unique<FrictionLoss>(section.lengths, reach.rule, manning));
      links.push_back(std::make_unique<ContractionLoss>(section.contraction, section.expansion));
      reach.chain.gaps.push_back(std::move(links));
    }
    reach.sections.push_back(section);
  }

  const std::size_t flowCount = rows[0].flows.size();
  if (flowCount > kMaxReachFlows) fail(MessageId::ReachFlowCount, settings.flows ? "flows" : kFile, {MessageArg::literal(std::to_string(flowCount))});
  std::vector<Boundary> down = boundariesOf(file, file.rows.back(), settings.downstream, file.downstream, Column::Downstream, flowCount);
  std::vector<Boundary> up = boundariesOf(file, file.rows.front(), settings.upstream, file.upstream, Column::Upstream, flowCount);
  if (down.empty() && up.empty()) {
    fail(MessageId::TargetOrLength, "downstream", {MessageArg::field("downstream"), MessageArg::field("upstream")});
  }
  for (std::size_t f = 0; f < flowCount; ++f) {
    ReachFlow flow;
    flow.name = rows[0].flows[f];
    for (const ReachFlow& other : reach.flows) {
      if (other.name == flow.name) flow.name += "(" + std::to_string(f + 1) + ")";
    }
    Real Q;
    for (const SectionRow& row : rows) {
      Problem unused;  // each was read above
      if (!row.flows.empty()) Q = Real(readNumber(row.flows[f], unused).value_or(0));
      flow.Q.push_back(Q);
    }
    if (!down.empty()) flow.downstream = down[f];
    if (!up.empty()) flow.upstream = up[f];
    reach.flows.push_back(std::move(flow));
  }
  return reach;
}

FlowSurface computeFlow(const Reach& reach, const ReachFlow& flow) {
  const Chain& chain = reach.chain;
  FlowSurface result;
  result.along = flowAlong(chain, flow.Q);
  std::optional<Real> first, last;
  if (flow.upstream) first = boundaryDepth(*flow.upstream, chain.nodes.front(), flow.Q.front(), "upstream");
  if (flow.downstream) last = boundaryDepth(*flow.downstream, chain.nodes.back(), flow.Q.back(), "downstream");
  result.surface = mixedSurface(chain, result.along, first, last);
  return result;
}

}  // namespace channelflow::calc
