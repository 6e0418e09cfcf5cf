// Reading a canal line: its file's rows, the plan's stations, and then the
// sections, segments, structures and chain (calc/canal/line_rows.h).
#include <cmath>

#include "calc/canal/line_rows.h"

namespace channelflow::calc {
namespace {

using namespace canal;

struct KindName {
  NodeKind kind;
  std::string_view key, chinese;
};

// clang-format off
constexpr std::array<KindName, 16> kKinds{{
  {Start,       "start",        "起点"},
  {Ip,          "ip",           "IP"},
  {NodeKind::Node,        "node",         "节点"},
  {Gate,        "gate",         "节制闸"},
  {Offtake,     "offtake",      "分水口"},
  {SiphonIn,    "siphon-in",    "倒虹吸进口"},
  {SiphonOut,   "siphon-out",   "倒虹吸出口"},
  {AqueductIn,  "aqueduct-in",  "渡槽进口"},
  {AqueductOut, "aqueduct-out", "渡槽出口"},
  {TunnelIn,    "tunnel-in",    "隧洞进口"},
  {TunnelOut,   "tunnel-out",   "隧洞出口"},
  {CulvertIn,   "culvert-in",   "涵洞进口"},
  {CulvertOut,  "culvert-out",  "涵洞出口"},
  {Drop,        "drop",         "跌水"},
  {ChuteIn,     "chute-in",     "陡坡进口"},
  {ChuteOut,    "chute-out",    "陡坡出口"},
}};
// clang-format on

// The plan: each row's station from the coordinates where they are given.
void readPlan(std::vector<RowRead>& reads, const std::vector<LineRow>& rows, std::vector<LineRowInfo>& infos,
              std::vector<Problem>& problems) {
  std::vector<PlanVertex> vertices;
  std::vector<std::size_t> vertexRow;
  std::size_t lastWithXY = 0;
  for (std::size_t k = 0; k < reads.size(); ++k) {
    if (reads[k].x) lastWithXY = k;
  }
  for (std::size_t k = 0; k < reads.size(); ++k) {
    const RowRead& r = reads[k];
    if (!r.x) continue;
    if (k == 0 || r.kind == Ip || k == lastWithXY) {
      vertices.push_back({r.x->toReal(), r.y->toReal(), r.kind == Ip ? r.Rc : Real(0)});
      vertexRow.push_back(k);
    }
  }
  const auto keep = [&](std::size_t k, Problem cell) {
    if (problems.size() < kMostProblems) problems.push_back(lineRowProblem(rows[k], std::move(cell), kFile));
  };
  const Real start = reads[0].station ? reads[0].station->toReal() : Real(0);
  const Plan plan = planOf(vertices, start);
  for (std::size_t v : plan.coincident) keep(vertexRow[v], {MessageId::PointsCoincide, "x", {}});
  for (std::size_t v : plan.overlapping) {
    const PlanCurve& c = plan.curves[v];
    keep(vertexRow[v], {MessageId::CurvesOverlap, "Rc",
                        {MessageArg::value((plan.curves[v - 1].T + c.T).toDouble()), MessageArg::value(c.spacing.toDouble())}});
  }
  if (!problems.empty()) return;
  if (vertexRow.back() != lastWithXY || reads[lastWithXY].kind == Ip) {
    keep(lastWithXY, {MessageId::IpNeedsNext, "x", {}});
    return;
  }
  std::size_t next = 0;  // the vertex ahead
  for (std::size_t k = 0; k < reads.size(); ++k) {
    RowRead& r = reads[k];
    if (!r.x) continue;
    infos[k].x = r.x->toReal();
    infos[k].y = r.y->toReal();
    Real station;
    if (next < vertexRow.size() && vertexRow[next] == k) {
      station = plan.curves[next].MC;
      if (r.kind == Ip) infos[k].curve = plan.curves[next];
      ++next;
    } else {
      const std::optional<Real> on = stationOnLeg(plan, vertices, next - 1, *infos[k].x, *infos[k].y);
      if (!on) {
        keep(k, {MessageId::PointOnCurve, "x", {}});
        continue;
      }
      station = *on;
    }
    if (k == 0) continue;  // its station is the start's, as typed
    r.station = numeric::Decimal::ofReal(station);
    infos[k].stationComputed = true;
  }
}

RowRead readRow(RowReader& reader, bool first) {
  RowRead r;
  if (reader.has(Column::Kind)) {
    if (const std::optional<NodeKind> kind = nodeKindNamed(*reader.cell(Column::Kind))) {
      r.kind = *kind;
    } else {
      reader.keep(MessageId::UnknownNodeKind, Column::Kind,
                  {MessageArg::literal(quoteForMessage(*reader.cell(Column::Kind))), MessageArg::literal(nodeKindChoices())});
    }
  } else {
    r.kind = first ? Start : NodeKind::Node;
  }
  if (first && r.kind != Start) reader.keep(MessageId::FirstRowStart, Column::Kind);
  if (!first && r.kind == Start) reader.keep(MessageId::FirstRowStart, Column::Kind);
  for (std::size_t c = 0; c < kLineColumns; ++c) {
    const auto column = static_cast<Column>(c);
    if (column == Column::Name || column == Column::Kind || column == Column::Station || column == Column::X ||
        column == Column::Y || !reader.has(column) || takes(r.kind, column)) {
      continue;
    }
    reader.keep(MessageId::ColumnNotTaken, column, {MessageArg::term(nodeKindKey(r.kind))});
  }
  if (reader.has(Column::X) != reader.has(Column::Y)) {
    reader.keep(MessageId::InputsTogether, reader.has(Column::X) ? Column::Y : Column::X,
                {MessageArg::field("x"), MessageArg::field("y")});
  }
  r.x = reader.decimal(Column::X);
  r.y = reader.decimal(Column::Y);
  if (r.kind == Ip && reader.has(Column::Rc) && !reader.has(Column::X)) reader.keep(MessageId::IpNeedsCoordinates, Column::Rc);
  if (reader.has(Column::X) && reader.has(Column::Station) && !first) {
    reader.keep(MessageId::EitherInput, Column::Station, {MessageArg::field("station"), MessageArg::field("x")});
  }
  if (r.kind == Ip) r.Rc = Real(reader.number(Column::Rc, false).value_or(0));
  r.Q = reader.number(Column::Q, true);
  r.Qj = reader.number(Column::Qj, true);
  r.Qmin = reader.number(Column::Qmin, true);
  if ((r.Qj || r.Qmin) && !r.Q) reader.keep(MessageId::FlowWithoutQ, r.Qj ? Column::Qj : Column::Qmin);
  if (first && !r.Q) reader.keep(MessageId::MissingInput, Column::Q);
  if (const auto loss = reader.number(Column::Loss, false)) r.loss = Real(*loss);
  for (Column c : kSectionColumns) r.newSection = r.newSection || (reader.has(c) && !isInlet(r.kind) && r.kind != Gate);
  if (first && !r.newSection) reader.keep(MessageId::FirstRowSection, Column::Section);
  return r;
}

// The level the chain is marched from: the head's, the tail's, or a gate's.
std::optional<std::size_t> controlNodeOf(const CanalLine& line) {
  const LineSettings& s = line.settings;
  if (s.headLevel && s.controlLevel) {
    fail(MessageId::EitherInput, "level", {MessageArg::field("level"), MessageArg::field("control-level")});
  }
  if (!s.headLevel && !s.controlLevel) fail(MessageId::LevelNeeded, "level", {MessageArg::field("level"), MessageArg::field("control-level")});
  if (s.controlAt && !s.controlLevel) fail(MessageId::MissingInput, "control-level");
  if (s.headLevel) return 0;
  if (!s.controlAt) return line.chain.nodes.size() - 1;
  for (const LineRowInfo& row : line.rows) {
    if (row.kind == Gate && row.name == *s.controlAt) return row.up;
  }
  fail(MessageId::ControlNotGate, "control-at", {MessageArg::literal(quoteForMessage(*s.controlAt))});
}

}  // namespace

std::string_view nodeKindKey(NodeKind kind) { return kKinds[static_cast<std::size_t>(kind)].key; }

std::optional<NodeKind> nodeKindNamed(std::string_view text) {
  for (const KindName& k : kKinds) {
    if (text == k.key || text == k.chinese) return k.kind;
  }
  if (text == "IP" || text == "交点") return Ip;
  return std::nullopt;
}

std::string nodeKindChoices() {
  std::string list;
  for (const KindName& k : kKinds) {
    if (!list.empty()) list += '|';
    list += k.key;
  }
  return list;
}

std::string_view structureTypeKey(StructureType type) {
  static constexpr std::array<std::string_view, 7> kKeys{"siphon", "aqueduct", "tunnel", "culvert", "gate", "drop", "chute"};
  return kKeys[static_cast<std::size_t>(type)];
}

CanalLine readCanalLine(std::string_view text, const LineSettings& settings) {
  const std::vector<LineRow> rows = readLineFile(text, kFile);
  const std::size_t n = rows.size();
  if (n < 2 || n > kMaxLineRows) fail(MessageId::LineRowCount, kFile, {MessageArg::literal(std::to_string(n))});
  CanalLine line;
  line.settings = settings;
  line.rows.resize(n);
  std::vector<Problem> problems;
  std::vector<RowRead> reads;
  reads.reserve(n);
  std::string prefix;
  bool anyXY = false;
  for (std::size_t k = 0; k < n; ++k) {
    RowReader reader(rows[k], problems);
    reads.push_back(readRow(reader, k == 0));
    reads[k].station = readStation(reader, prefix);
    anyXY = anyXY || reads[k].x.has_value();
    line.rows[k].kind = reads[k].kind;
    line.rows[k].name = rows[k][Column::Name].value_or("");
  }
  if (!problems.empty()) throw CalcError(problems);
  if (!prefix.empty()) line.stakePrefix = prefix;

  // Stations: typed, or from the plan.
  if (anyXY) {
    if (!reads[0].x) {
      problems.push_back(lineRowProblem(rows[0], {MessageId::CoordinatesNeedStart, "x", {}}, kFile));
      throw CalcError(problems);
    }
    readPlan(reads, rows, line.rows, problems);
    if (!problems.empty()) throw CalcError(problems);
  }
  for (std::size_t k = 0; k < n; ++k) {
    RowReader reader(rows[k], problems);
    if (!reads[k].station) {
      if (k > 0 || !anyXY) reader.keep(MessageId::StationOrCoordinates, Column::Station);
      if (k == 0 && anyXY) reads[0].station = numeric::Decimal(0.0);
    }
    if (k > 0 && reads[k].station && reads[k - 1].station && compare(*reads[k].station, *reads[k - 1].station) < 0) {
      reader.keep(MessageId::StationBehind, Column::Station,
                  {MessageArg::value(reads[k].station->toDouble()), MessageArg::value(reads[k - 1].station->toDouble())});
    }
  }
  if (!problems.empty()) throw CalcError(problems);

  // Sections, flows, structures and the chain.
  assembleChain(line, rows, reads, problems);
  if (!problems.empty()) throw CalcError(problems);
  line.controlNode = controlNodeOf(line);
  return line;
}

std::string stakeText(const numeric::Decimal& station, std::string_view prefix) {
  const std::string metres = numeric::formatFixed(station.toDouble(), 3);
  const bool negative = !metres.empty() && metres[0] == '-';
  std::string digits = negative ? metres.substr(1) : metres;
  const std::size_t point = digits.find('.');
  std::string whole = digits.substr(0, point);
  while (whole.size() < 4) whole.insert(whole.begin(), '0');
  std::string text(prefix);
  if (negative) text += '-';
  text += whole.substr(0, whole.size() - 3) + "+" + whole.substr(whole.size() - 3) + digits.substr(point);
  return text;
}

}  // namespace channelflow::calc
