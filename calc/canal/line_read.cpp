// Reading a canal line: its file's rows into the plan's stations, the
// sections, the flow segments, the structures and the chain of nodes.
#include <algorithm>
#include <cmath>

#include "calc/canal/canal_line.h"
#include "calc/canal/line_file.h"
#include "calc/canal/line_links.h"
#include "calc/design/enlargement_table.h"
#include "calc/flow/uniform_solvers.h"
#include "calc/line/friction_loss.h"
#include "calc/structures/transition.h"
#include "calc/toolkit/inputs.h"

namespace channelflow::calc {
namespace {

using Column = LineColumn;
using enum NodeKind;
constexpr std::string_view kFile = "file";
constexpr std::size_t kMostProblems = 10;

struct KindName {
  NodeKind kind;
  std::string_view key, chinese;
};

// clang-format off
constexpr std::array<KindName, 16> kKinds{{
  {Start,       "start",        "起点"},
  {Ip,          "ip",           "IP"},
  {Node,        "node",         "节点"},
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

bool isInlet(NodeKind k) { return k == SiphonIn || k == AqueductIn || k == TunnelIn || k == CulvertIn || k == ChuteIn; }
bool isOutlet(NodeKind k) {
  return k == SiphonOut || k == AqueductOut || k == TunnelOut || k == CulvertOut || k == ChuteOut;
}
NodeKind outletOf(NodeKind k) { return static_cast<NodeKind>(static_cast<int>(k) + 1); }

StructureType structureOf(NodeKind k) {
  switch (k) {
    case SiphonIn:
    case SiphonOut: return StructureType::Siphon;
    case AqueductIn:
    case AqueductOut: return StructureType::Aqueduct;
    case TunnelIn:
    case TunnelOut: return StructureType::Tunnel;
    case CulvertIn:
    case CulvertOut: return StructureType::Culvert;
    case ChuteIn:
    case ChuteOut: return StructureType::Chute;
    case Drop: return StructureType::Drop;
    default: return StructureType::Gate;
  }
}

// The columns of a canal section, which a row gives where a new one starts.
constexpr std::array<Column, 10> kSectionColumns{Column::Section, Column::B, Column::M, Column::D, Column::R,
                                                 Column::H,       Column::Ra, Column::Type, Column::N, Column::I};
constexpr std::array<Column, 4> kBankColumns{Column::Freeboard, Column::Height, Column::VMin, Column::VMax};
constexpr std::array<Column, 7> kTransitionColumns{Column::Form, Column::InletForm, Column::Xi1, Column::Theta1,
                                                   Column::OutletForm, Column::Xi2, Column::Theta2};

// The columns a row of this kind takes beyond name, kind, station and plan.
bool takes(NodeKind kind, Column c) {
  const bool section = std::find(kSectionColumns.begin(), kSectionColumns.end(), c) != kSectionColumns.end();
  const bool bank = std::find(kBankColumns.begin(), kBankColumns.end(), c) != kBankColumns.end();
  const bool flow = c == Column::Q || c == Column::Qj || c == Column::Qmin;
  const bool canalRow = kind == Start || kind == Ip || kind == Node || kind == Offtake || isOutlet(kind) || kind == Drop;
  if (c == Column::Rc) return kind == Ip;
  if (c == Column::Loss) return kind != Start && kind != Drop && !isOutlet(kind) && kind != ChuteIn;
  if (canalRow && (section || bank || flow)) return true;
  if (kind == Gate) return flow || c == Column::WeirM || c == Column::B || c == Column::Hold;
  if (c == Column::Form || c == Column::Xi1 || c == Column::Xi2) {
    if (canalRow && kind != Start && kind != Drop && !isOutlet(kind)) return true;
  }
  switch (kind) {
    case SiphonIn:
      return c == Column::D || c == Column::B || c == Column::H || c == Column::N || c == Column::L ||
             c == Column::Barrels || c == Column::Bend || c == Column::Entrance || c == Column::InletZeta ||
             c == Column::GateSlots || c == Column::SlotZeta || c == Column::Rack || c == Column::OutletRatio ||
             c == Column::OutletZeta || c == Column::Bypass || c == Column::VNp || c == Column::InletCrown ||
             c == Column::OutletCrown ||
             std::find(kTransitionColumns.begin(), kTransitionColumns.end(), c) != kTransitionColumns.end();
    case AqueductIn:
      return c == Column::Trough || c == Column::B || c == Column::R || c == Column::N || c == Column::I ||
             c == Column::L || c == Column::Height ||
             std::find(kTransitionColumns.begin(), kTransitionColumns.end(), c) != kTransitionColumns.end();
    case TunnelIn:
      return c == Column::Section || c == Column::D || c == Column::B || c == Column::H || c == Column::Ra ||
             c == Column::R || c == Column::Type || c == Column::N || c == Column::I || c == Column::L ||
             std::find(kTransitionColumns.begin(), kTransitionColumns.end(), c) != kTransitionColumns.end();
    case CulvertIn:
      return c == Column::Barrel || c == Column::B || c == Column::H || c == Column::D || c == Column::Ra ||
             c == Column::N || c == Column::I || c == Column::L ||
             std::find(kTransitionColumns.begin(), kTransitionColumns.end(), c) != kTransitionColumns.end();
    case ChuteIn:
      return c == Column::B || c == Column::M || c == Column::N || c == Column::I || c == Column::L || c == Column::Xi1;
    case Drop: return c == Column::P || c == Column::CrestWidth || c == Column::Inlet;
    default: return false;
  }
}

// One row's cells read, each problem kept at its row and column.
class RowReader {
 public:
  RowReader(const LineRow& row, std::vector<Problem>& problems) : row_(row), problems_(problems) {}

  void keep(Problem cell) {
    ok_ = false;
    if (problems_.size() < kMostProblems) problems_.push_back(lineRowProblem(row_, std::move(cell), kFile));
  }
  void keep(MessageId id, Column column, std::vector<MessageArg> args = {}) {
    keep({id, std::string(lineColumnKey(column)), std::move(args)});
  }
  bool ok() const { return ok_; }
  const LineRow& row() const { return row_; }
  const std::optional<std::string>& cell(Column column) const { return row_[column]; }
  bool has(Column column) const { return row_[column].has_value(); }

  std::optional<numeric::Decimal> decimal(Column column) {
    if (!has(column)) return std::nullopt;
    Problem problem;
    problem.field = std::string(lineColumnKey(column));
    std::optional<numeric::Decimal> value = readDecimal(*cell(column), problem);
    if (!value) keep(std::move(problem));
    return value;
  }

  // A number: > 0 when `positive`, else >= 0.
  std::optional<double> number(Column column, bool positive) {
    if (!has(column)) return std::nullopt;
    Problem problem;
    problem.field = std::string(lineColumnKey(column));
    const std::optional<double> value = readNumber(*cell(column), problem);
    if (!value) {
      keep(std::move(problem));
    } else if (positive ? !(*value > 0) : *value < 0) {
      keep(positive ? MessageId::NotPositive : MessageId::Negative, column);
      return std::nullopt;
    }
    return value;
  }

  std::optional<int> whole(Column column) {
    const std::optional<double> value = number(column, false);
    if (!value) return std::nullopt;
    if (*value != std::floor(*value) || *value > 1000) {
      keep(MessageId::LineWholeNumber, column, {MessageArg::literal(quoteForMessage(*cell(column)))});
      return std::nullopt;
    }
    return static_cast<int>(*value);
  }

  // A slope as a number or as 1/N (practice writes slopes as 1/3000).
  std::optional<Real> slope(Column column) {
    if (!has(column)) return std::nullopt;
    const std::string& text = *cell(column);
    const std::size_t slash = text.find('/');
    Problem problem;
    problem.field = std::string(lineColumnKey(column));
    if (slash == std::string::npos) {
      const std::optional<double> value = readNumber(text, problem);
      if (!value) {
        keep(std::move(problem));
        return std::nullopt;
      }
      return Real(*value);
    }
    const std::optional<double> over = readNumber(std::string_view(text).substr(0, slash), problem);
    const std::optional<double> under = over ? readNumber(std::string_view(text).substr(slash + 1), problem) : std::nullopt;
    if (!over || !under || !(*under > 0)) {
      keep(MessageId::SlopeSyntax, column, {MessageArg::literal(quoteForMessage(text))});
      return std::nullopt;
    }
    return Real(*over) / Real(*under);
  }

  // Numbers apart by ':', `count` of them, each > 0 but the last `nonNegative`.
  std::optional<std::vector<double>> fields(std::string_view text, Column column, std::size_t count,
                                            std::string_view syntax) {
    std::vector<double> values;
    std::size_t start = 0;
    while (true) {
      const std::size_t colon = text.find(':', start);
      Problem unused;
      const std::optional<double> value =
          readNumber(text.substr(start, colon == std::string_view::npos ? std::string_view::npos : colon - start), unused);
      if (!value || *value < 0) break;
      values.push_back(*value);
      if (colon == std::string_view::npos) break;
      start = colon + 1;
    }
    if (values.size() != count || (colon(text) + 1 != count)) {
      keep(MessageId::LineListSyntax, column, {MessageArg::literal(quoteForMessage(text)), MessageArg::literal(syntax)});
      return std::nullopt;
    }
    return values;
  }

 private:
  static std::size_t colon(std::string_view text) { return static_cast<std::size_t>(std::count(text.begin(), text.end(), ':')); }

  const LineRow& row_;
  std::vector<Problem>& problems_;
  bool ok_ = true;
};

// "K2+834.662" (any letters before the kilometres), or metres.
std::optional<numeric::Decimal> readStation(RowReader& reader, std::string& prefix) {
  if (!reader.has(Column::Station)) return std::nullopt;
  const std::string& text = *reader.cell(Column::Station);
  const std::size_t plus = text.find('+');
  if (plus == std::string::npos) return reader.decimal(Column::Station);
  std::size_t digits = 0;
  while (digits < plus && !(text[digits] >= '0' && text[digits] <= '9')) ++digits;
  const std::string_view km = std::string_view(text).substr(digits, plus - digits);
  const std::string_view metres = std::string_view(text).substr(plus + 1);
  const std::size_t point = metres.find('.');
  const std::string_view whole = metres.substr(0, point);
  const auto allDigits = [](std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
  };
  const bool fraction = point == std::string_view::npos || allDigits(metres.substr(point + 1));
  if (!allDigits(km) || km.size() > 9 || !allDigits(whole) || whole.size() > 3 || !fraction) {
    reader.keep(MessageId::StationSyntax, Column::Station, {MessageArg::literal(quoteForMessage(text))});
    return std::nullopt;
  }
  if (prefix.empty()) prefix = text.substr(0, digits);
  const long long value = std::stoll(std::string(km)) * 1000 + std::stoll(std::string(whole));
  std::string plain = std::to_string(value);
  if (point != std::string_view::npos) plain += std::string(metres.substr(point));
  Problem problem;
  problem.field = "station";
  const std::optional<numeric::Decimal> station = readDecimal(plain, problem);
  if (!station) reader.keep(std::move(problem));
  return station;
}

// What a row says, read.
struct RowRead {
  NodeKind kind = Node;
  std::optional<numeric::Decimal> station, x, y;
  Real Rc;
  std::optional<double> Q, Qj, Qmin;
  std::optional<Real> loss;
  bool newSection = false;
};

// The canal section's cells as they carry down the line: each column's last
// text, a change of shape leaving its size behind.
using SectionCells = std::array<std::optional<std::string>, kSectionColumns.size()>;

Inputs inputsOf(const SectionCells& cells, std::initializer_list<Column> skip = {}) {
  Inputs inputs;
  for (std::size_t k = 0; k < kSectionColumns.size(); ++k) {
    const Column c = kSectionColumns[k];
    if (!cells[k] || c == Column::I || std::find(skip.begin(), skip.end(), c) != skip.end()) continue;
    inputs.set(lineColumnKey(c), *cells[k]);
  }
  return inputs;
}

// The channel of `inputs` (a section's keys), its slope and g; problems kept at the row.
std::optional<Channel> channelOf(RowReader& reader, const Inputs& inputs, std::optional<Real> slope, double g) {
  try {
    InputReader in(inputs);
    Channel c = in.channel({}, SlopeUse::None);
    in.finish();
    if (!slope) {
      reader.keep(MessageId::MissingInput, Column::I);
      return std::nullopt;
    }
    if (!(*slope > Real(0))) {
      reader.keep(MessageId::NoUniformFlow, Column::I);
      return std::nullopt;
    }
    c.i = *slope;
    c.g = g;
    return c;
  } catch (const CalcError& error) {
    for (const Problem& problem : error.problems()) reader.keep(problem);
    return std::nullopt;
  }
}

std::optional<LineSection> canalSection(RowReader& reader, SectionCells& carried, const LineSection* before,
                                        double g) {
  SectionCells cells = carried;
  const std::optional<std::string>& shape = reader.cell(Column::Section);
  const bool reshaped = shape && carried[0] != shape;
  for (std::size_t k = 0; k < kSectionColumns.size(); ++k) {
    const Column c = kSectionColumns[k];
    if (reader.has(c)) {
      cells[k] = reader.cell(c);
    } else if (reshaped && c != Column::N && c != Column::I) {
      cells[k].reset();
    }
  }
  carried = cells;
  std::optional<Real> slope = reader.slope(Column::I);
  if (!reader.has(Column::I) && before) slope = before->channel.i;
  std::optional<Channel> channel = channelOf(reader, inputsOf(cells), slope, g);
  if (!channel) return std::nullopt;
  LineSection section;
  section.channel = *channel;
  if (before) {
    section.vMin = before->vMin;
    section.vMax = before->vMax;
    section.freeboard = before->freeboard;
  }
  return section;
}

void readBank(RowReader& reader, LineSection& section) {
  if (const auto v = reader.number(Column::VMin, false)) section.vMin = *v;
  if (const auto v = reader.number(Column::VMax, true)) section.vMax = *v;
  if (const auto f = reader.number(Column::Freeboard, false)) section.freeboard = Real(*f);
  if (const auto h = reader.number(Column::Height, true)) section.height = Real(*h);
}

// A transition's spec from its columns: a form, or a typed ξ, with its angle.
structures::TransitionSpec transitionSpec(RowReader& reader, Column form, Column xi, Column angle) {
  structures::TransitionSpec spec;
  if (reader.has(form)) {
    spec.form = *reader.cell(form);
  } else if (reader.has(Column::Form)) {
    spec.form = *reader.cell(Column::Form);
  }
  if (const auto v = reader.number(xi, false)) spec.xi = *v;
  if (const auto v = reader.number(angle, false)) spec.angle = *v;
  return spec;
}

// ξ of one end, or its default form's when nothing is given: practice's
// reverse warped surface (curved warped in Table K.1.2, warped at 0.1/0.3
// borrowed from M.0.3-3's range for culverts).
Real transitionXiOf(RowReader& reader, structures::TransitionFamily family, structures::TransitionEnd end,
                    structures::TransitionSpec spec, std::string& form) {
  using structures::TransitionEnd;
  using structures::TransitionFamily;
  const bool inlet = end == TransitionEnd::Inlet;
  if (spec.form.empty() && std::isnan(spec.xi)) {
    spec.form = family == TransitionFamily::Siphon    ? "reverse-warped"
                : family == TransitionFamily::Aqueduct ? "curved-warped"
                                                       : "warped";
    if (family == TransitionFamily::Culvert) spec.xi = inlet ? 0.1 : 0.3;
  }
  form = spec.form;
  try {
    return structures::transitionXi(family, end, spec,
                                    inlet ? structures::TransitionFields{"inlet-form", "xi1", "theta1"}
                                          : structures::TransitionFields{"outlet-form", "xi2", "theta2"});
  } catch (const CalcError& error) {
    reader.keep(error.problem());
    return Real(0);
  }
}

// The bends "R:θ;R:θ" of a siphon's barrels.
std::vector<structures::Bend> readBends(RowReader& reader) {
  std::vector<structures::Bend> bends;
  if (!reader.has(Column::Bend)) return bends;
  std::string_view text = *reader.cell(Column::Bend);
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find(';', start), text.size());
    std::string_view item = text.substr(start, end - start);
    while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
    while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
    if (!item.empty()) {
      const auto values = reader.fields(item, Column::Bend, 2, "R:θ;R:θ");
      if (!values) return bends;
      bends.push_back({(*values)[0], (*values)[1]});
    }
    start = end + 1;
  }
  return bends;
}

// A siphon's barrels, from the siphon question's columns.
void readSiphon(RowReader& reader, LineStructure& s, double g) {
  structures::SiphonInput& in = s.siphon;
  in.g = g;
  in.D = reader.number(Column::D, true).value_or(0);
  in.B = reader.number(Column::B, true).value_or(0);
  in.H = reader.number(Column::H, true).value_or(0);
  in.n = reader.number(Column::N, true).value_or(0);
  in.barrels = reader.whole(Column::Barrels).value_or(1);
  if (in.barrels < 1) reader.keep(MessageId::NotPositive, Column::Barrels);
  if (reader.has(Column::Entrance)) in.inletForm = *reader.cell(Column::Entrance);
  in.inletZeta = reader.number(Column::InletZeta, false).value_or(NAN);
  in.gateSlots = reader.whole(Column::GateSlots).value_or(0);
  in.slotZeta = reader.number(Column::SlotZeta, false).value_or(0.1);
  if (reader.has(Column::Rack)) {
    if (const auto rack = reader.fields(*reader.cell(Column::Rack), Column::Rack, 4, "β:s:b:α")) {
      in.rack = structures::Rack{(*rack)[0], (*rack)[1], (*rack)[2], 0, 0, 0, (*rack)[3], 0};
    }
  }
  in.bends = readBends(reader);
  in.outletRatio = reader.number(Column::OutletRatio, true).value_or(0);
  in.outletZeta = reader.number(Column::OutletZeta, false).value_or(NAN);
  in.bypasses = reader.whole(Column::Bypass).value_or(0);
  in.vnp = reader.number(Column::VNp, true).value_or(NAN);
  if (const auto crown = reader.decimal(Column::InletCrown)) s.inletCrown = crown->toReal();
  if (const auto crown = reader.decimal(Column::OutletCrown)) s.outletCrown = crown->toReal();
  if (const auto L = reader.number(Column::L, true)) in.L = *L;
  using structures::TransitionEnd;
  using structures::TransitionFamily;
  s.xi1 = transitionXiOf(reader, TransitionFamily::Siphon, TransitionEnd::Inlet,
                         transitionSpec(reader, Column::InletForm, Column::Xi1, Column::Theta1), s.inletForm);
  s.xi2 = transitionXiOf(reader, TransitionFamily::Siphon, TransitionEnd::Outlet,
                         transitionSpec(reader, Column::OutletForm, Column::Xi2, Column::Theta2), s.outletForm);
}

// An aqueduct's trough, a tunnel's or a culvert's barrel, or a chute.
void readBarrel(RowReader& reader, LineStructure& s, NodeKind kind, double g) {
  using structures::TransitionEnd;
  using structures::TransitionFamily;
  Inputs inputs;
  const auto copy = [&](Column from, std::string_view key) {
    if (reader.has(from)) inputs.set(key, *reader.cell(from));
  };
  copy(Column::N, "n");
  TransitionFamily family = TransitionFamily::Aqueduct;
  if (kind == AqueductIn) {
    const std::string trough = reader.cell(Column::Trough).value_or("rectangle");
    if (trough != "rectangle" && trough != "u") {
      reader.keep(MessageId::UnknownChoice, Column::Trough,
                  {MessageArg::literal("rectangle|u"), MessageArg::literal(quoteForMessage(trough))});
      return;
    }
    s.trough = trough;
    if (trough == "rectangle") {
      inputs.set("section", "trapezoid").set("m", "0");
      copy(Column::B, "B");
    } else {
      inputs.set("section", "u").set("m", "0");
      copy(Column::R, "r");
    }
    if (const auto h = reader.number(Column::Height, true)) s.height = Real(*h);
  } else if (kind == TunnelIn) {
    copy(Column::Section, "section");
    if (!reader.has(Column::Section)) inputs.set("section", "circle");
    for (const auto& [c, key] : {std::pair{Column::D, "D"}, std::pair{Column::B, "B"}, std::pair{Column::H, "H"},
                                 std::pair{Column::Ra, "Ra"}, std::pair{Column::R, "r"}, std::pair{Column::Type, "type"}}) {
      copy(c, key);
    }
  } else if (kind == CulvertIn) {
    family = TransitionFamily::Culvert;
    const std::string barrel = reader.cell(Column::Barrel).value_or("rectangle");
    if (barrel == "rectangle") {
      inputs.set("section", "trapezoid").set("m", "0");
      copy(Column::B, "B");
      s.box = true;
      if (!reader.has(Column::H)) reader.keep(MessageId::MissingInput, Column::H);
      if (const auto H = reader.number(Column::H, true)) s.crown = Real(*H);
    } else if (barrel == "circle") {
      inputs.set("section", "circle");
      copy(Column::D, "D");
    } else if (barrel == "arch") {
      inputs.set("section", "arch");
      copy(Column::B, "B");
      copy(Column::H, "H");
      copy(Column::Ra, "Ra");
    } else {
      reader.keep(MessageId::UnknownChoice, Column::Barrel,
                  {MessageArg::literal("rectangle|circle|arch"), MessageArg::literal(quoteForMessage(barrel))});
      return;
    }
    if (!reader.has(Column::N)) inputs.set("n", "0.014");
  } else {  // a chute: a trapezoid
    inputs.set("section", "trapezoid");
    copy(Column::B, "B");
    copy(Column::M, "m");
  }
  const std::optional<Channel> barrel = channelOf(reader, inputs, reader.slope(Column::I), g);
  if (!barrel) return;
  s.barrel = *barrel;
  if (kind == TunnelIn && !isClosed(s.barrel.shape)) {
    reader.keep(MessageId::TunnelNotClosed, Column::Section);
    return;
  }
  if (isClosed(s.barrel.shape)) s.crown = crownDepth(s.barrel.shape, s.barrel.size);
  if (kind == ChuteIn) {
    s.xi1 = Real(reader.number(Column::Xi1, false).value_or(0));
    return;
  }
  s.xi1 = transitionXiOf(reader, family, TransitionEnd::Inlet,
                         transitionSpec(reader, Column::InletForm, Column::Xi1, Column::Theta1), s.inletForm);
  s.xi2 = transitionXiOf(reader, family, TransitionEnd::Outlet,
                         transitionSpec(reader, Column::OutletForm, Column::Xi2, Column::Theta2), s.outletForm);
}

// Whether an inlet row gives its structure's parameters; without them the structure's loss is reserved.
bool givesParameters(const RowReader& reader, NodeKind kind) {
  switch (kind) {
    case SiphonIn: return reader.has(Column::D) || reader.has(Column::B);
    case AqueductIn: return reader.has(Column::B) || reader.has(Column::R);
    case TunnelIn: return reader.has(Column::D) || reader.has(Column::B) || reader.has(Column::R);
    case CulvertIn: return reader.has(Column::B) || reader.has(Column::D);
    default: return true;
  }
}

void readGate(RowReader& reader, LineStructure& s, double g) {
  s.type = StructureType::Gate;
  if (reader.has(Column::WeirM) || reader.has(Column::B)) {
    if (!reader.has(Column::WeirM)) reader.keep(MessageId::MissingInput, Column::WeirM);
    if (!reader.has(Column::B)) reader.keep(MessageId::MissingInput, Column::B);
    if (reader.has(Column::Loss)) reader.keep(MessageId::EitherInput, Column::Loss, {MessageArg::field("loss"), MessageArg::field("weir-m")});
    structures::GateOpening opening;
    opening.B = reader.number(Column::B, true).value_or(0);
    opening.m = reader.number(Column::WeirM, true).value_or(0);
    opening.g = g;
    s.opening = opening;
  }
  if (reader.has(Column::Hold)) {
    if (*reader.cell(Column::Hold) == "design") {
      s.holdDesign = true;
    } else {
      s.hold = reader.decimal(Column::Hold);
    }
  }
}

void readDrop(RowReader& reader, LineStructure& s, double g) {
  s.type = StructureType::Drop;
  if (!reader.has(Column::P)) reader.keep(MessageId::MissingInput, Column::P);
  s.fall = Real(reader.number(Column::P, true).value_or(0));
  if (reader.has(Column::CrestWidth) || reader.has(Column::Inlet)) {
    structures::DropInput crest;
    crest.g = g;
    crest.b = reader.number(Column::CrestWidth, true).value_or(0);
    if (!reader.has(Column::CrestWidth)) reader.keep(MessageId::MissingInput, Column::CrestWidth);
    const std::string inlet = reader.cell(Column::Inlet).value_or("warped");
    if (inlet == "warped") {
      crest.inlet = structures::CrestInlet::Warped;
    } else if (inlet == "splayed") {
      crest.inlet = structures::CrestInlet::Splayed;
    } else if (inlet == "cross-wall") {
      crest.inlet = structures::CrestInlet::CrossWall;
    } else {
      reader.keep(MessageId::UnknownChoice, Column::Inlet,
                  {MessageArg::literal("warped|splayed|cross-wall"), MessageArg::literal(quoteForMessage(inlet))});
    }
    crest.P = s.fall.toDouble();
    s.crest = crest;
  }
}

// The flows of a segment: Qj from Table 6.3.4 (its smaller P) and Qmin at
// 0.4 Q (§6.3.5's least) where not given.
std::optional<LineFlows> segmentFlows(RowReader& reader, const RowRead& r) {
  LineFlows flows;
  flows.Q[0] = Real(*r.Q);
  if (r.Qj) {
    if (*r.Qj < *r.Q) reader.keep(MessageId::EnlargedBelowDesign, Column::Qj);
    flows.Q[1] = Real(*r.Qj);
  } else if (const design::EnlargementRow* row = design::enlargementRow(*r.Q)) {
    flows.enlargedFromTable = true;
    flows.enlarge = row->smaller;
    flows.Q[1] = Real(*r.Q) * (Real(1) + Real(row->smaller) / 100);
  } else {
    reader.keep(MessageId::LineNoEnlargement, Column::Qj, {MessageArg::value(*r.Q)});
  }
  if (r.Qmin) {
    if (*r.Qmin > *r.Q) reader.keep(MessageId::MinimumAboveDesign, Column::Qmin);
    flows.Q[2] = Real(*r.Qmin);
  } else {
    flows.minimumByRatio = true;
    flows.Q[2] = Real(*r.Q) * Real(0.4);
  }
  if (!reader.ok()) return std::nullopt;
  return flows;
}

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
    r.kind = first ? Start : Node;
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

// The chain built row by row: each row's nodes (the one the water arrives
// at and the one it leaves from, the same one where nothing changes), the
// gaps between them, and the sections, segments and structures they stand in.
class Assembly {
 public:
  Assembly(CanalLine& line, const std::vector<LineRow>& rows, const std::vector<RowRead>& reads,
           std::vector<Problem>& problems)
      : line_(line), rows_(rows), reads_(reads), problems_(problems), manning_(unitsOf(UnitSystem::SI).manning) {}

  void add(std::size_t k) {
    RowReader reader(rows_[k], problems_);
    const RowRead& r = reads_[k];
    LineRowInfo& info = line_.rows[k];
    const NodeKind kind = r.kind;
    if (open_) {
      const LineStructure& o = line_.structures[*open_];
      const NodeKind inlet = line_.rows[o.inRow].kind;
      if (isOutlet(kind) ? outletOf(inlet) != kind : !(kind == Ip && o.type != StructureType::Chute)) {
        reader.keep(isOutlet(kind) ? MessageId::OutletWithoutInlet : MessageId::RowInsideStructure, Column::Kind,
                    {MessageArg::term(nodeKindKey(isOutlet(kind) ? kind : inlet)),
                     MessageArg::literal(std::to_string(rows_[o.inRow].place))});
        return;
      }
    } else if (isOutlet(kind)) {
      reader.keep(MessageId::OutletWithoutInlet, Column::Kind, {MessageArg::term(nodeKindKey(kind)), MessageArg::literal("-")});
      return;
    }
    const std::optional<std::size_t> arriving = segment_;
    // An inlet opens its structure once its own nodes stand, whatever else the row says.
    std::optional<std::size_t> inlet;
    struct Opener {
      std::optional<std::size_t>& open;
      std::optional<std::size_t>& inlet;
      std::size_t& inside;
      ~Opener() {
        if (inlet) {
          open = inlet;
          inside = 0;
        }
      }
    } opener{open_, inlet, inside_};
    sectionAndFlow(reader, r);
    if (!reader.ok() || !canal_ || !segment_) return;
    if (isInlet(kind) || kind == Gate || kind == Drop) {
      info.structure = newStructure(reader, k, r);
      if (isInlet(kind)) inlet = info.structure;
      if (!reader.ok()) return;
    } else if (isOutlet(kind)) {
      info.structure = open_;
      line_.structures[*open_].outRow = k;
    }
    if (k == 0) {
      info.up = info.down = addNode(k, canalChannel(), *segment_, canal_, std::nullopt);
      return;
    }
    if (open_ && kind == Ip && line_.structures[*open_].type == StructureType::Siphon) {
      // The siphon's barrels bend where the line does: their bends are its own (bend).
      info.note = Problem{MessageId::IpInsideSiphon, "", {}};
      info.inChain = false;
      info.up = info.down = line_.chain.nodes.size() - 1;
      return;
    }
    if (!gapInto(k, reader, r, *arriving)) return;
    across(k, reader, r);
    if (isOutlet(kind)) open_.reset();
    if (open_ && kind == Ip) ++inside_;
  }

  void finish() {
    if (open_ && problems_.size() < kMostProblems) {
      const LineStructure& o = line_.structures[*open_];
      problems_.push_back(lineRowProblem(
          rows_[o.inRow], {MessageId::InletWithoutOutlet, "kind", {MessageArg::term(nodeKindKey(outletOf(line_.rows[o.inRow].kind)))}},
          kFile));
    }
  }

 private:
  const Channel& canalChannel() const { return line_.sections[*canal_].channel; }

  std::size_t addNode(std::size_t row, const Channel& channel, std::size_t segment, std::optional<std::size_t> section,
                      std::optional<std::size_t> structure) {
    calc::Node node;
    node.station = *reads_[row].station;
    node.name = line_.rows[row].name;
    node.channel = channel;
    line_.chain.nodes.push_back(std::move(node));
    line_.nodes.push_back({row, segment, section, structure});
    return line_.chain.nodes.size() - 1;
  }

  void addGap(GapKind kind, Booking booking, std::optional<std::size_t> structure, Links links) {
    line_.gaps.push_back({kind, booking, structure});
    line_.chain.gaps.push_back(std::move(links));
  }

  void sectionAndFlow(RowReader& reader, const RowRead& r) {
    const double g = line_.settings.g;
    if (r.newSection) {
      std::optional<LineSection> section = canalSection(reader, carried_, canal_ ? &line_.sections[*canal_] : nullptr, g);
      if (section) {
        readBank(reader, *section);
        line_.sections.push_back(std::move(*section));
        canal_ = line_.sections.size() - 1;
      }
    } else if (canal_ && !isInlet(r.kind) && std::any_of(kBankColumns.begin(), kBankColumns.end(), [&](Column c) { return reader.has(c); })) {
      LineSection section = line_.sections[*canal_];
      section.height.reset();
      readBank(reader, section);
      line_.sections.push_back(std::move(section));
      canal_ = line_.sections.size() - 1;
    }
    if (r.Q) {
      if (std::optional<LineFlows> flows = segmentFlows(reader, r)) {
        line_.segments.push_back(*flows);
        segment_ = line_.segments.size() - 1;
      }
    }
  }

  std::size_t newStructure(RowReader& reader, std::size_t k, const RowRead& r) {
    const double g = line_.settings.g;
    const NodeKind kind = r.kind;
    LineStructure s;
    s.type = structureOf(kind);
    s.inRow = s.outRow = k;
    s.allotted = r.loss;
    if (kind == Gate) {
      readGate(reader, s, g);
      if (!s.opening) {
        s.gateLoss = r.loss.value_or(Real(structures::kDefaultGateLoss));
        if (!r.loss) line_.rows[k].note = Problem{MessageId::GateLossTaken, "", {MessageArg::value(structures::kDefaultGateLoss)}};
      }
      s.allotted.reset();
    } else if (kind == Drop) {
      readDrop(reader, s, g);
      s.allotted.reset();
    } else if (!givesParameters(reader, kind) && kind != ChuteIn) {
      if (!r.loss) reader.keep(MessageId::ReservedOnly, Column::Loss, {MessageArg::term(structureTypeKey(s.type))});
      s.reservedOnly = true;
    } else if (kind == SiphonIn) {
      readSiphon(reader, s, g);
    } else {
      readBarrel(reader, s, kind, g);
    }
    if (const auto L = reader.number(Column::L, true)) s.L = Real(*L);
    line_.structures.push_back(std::move(s));
    return line_.structures.size() - 1;
  }

  // The siphon's barrels at the flows of its segment, and its link; false when they cannot be computed.
  bool siphonLink(LineStructure& o, const Real& span, Links& links) {
    RowReader inlet(rows_[o.inRow], problems_);
    structures::SiphonInput& in = o.siphon;
    if (!(in.L > 0)) in.L = span.toDouble();
    o.L = Real(in.L);
    const LineFlows& flows = line_.segments[line_.nodes[line_.rows[o.inRow].up].segment];
    in.flows = {flows.Q[0].toDouble(), flows.Q[1].toDouble(), 0, flows.Q[2].toDouble()};
    try {
      if (!(in.outletRatio > 0) && std::isnan(in.outletZeta)) {
        // Table L.1.4-5's ratio from the downstream canal at the design flow.
        const Channel& down = canalChannel();
        const Real h = normalDepths(down, flows.Q[0]).front();
        const Real pipe = in.D > 0 ? Real(numeric::kPi) * Real(in.D) * Real(in.D) / 4 : Real(in.B) * Real(in.H);
        in.outletRatio = (pipe * Real(in.barrels) / geometry(down.shape, down.size, h).A).toDouble();
      }
      o.siphonResult = structures::siphon(in);
    } catch (const CalcError& error) {
      inlet.keep(error.problem());
      return false;
    }
    const structures::SiphonResult& r = o.siphonResult;
    links.push_back(std::make_unique<SiphonLoss>(r.zeta.sum + r.flows.front().friction, r.area * Real(r.barrels), o.xi2,
                                                 line_.settings.g));
    return true;
  }

  bool gapInto(std::size_t k, RowReader& reader, const RowRead& r, std::size_t arriving) {
    LineRowInfo& info = line_.rows[k];
    const std::size_t before = line_.chain.nodes.size() - 1;
    const LineNode from = line_.nodes[before];
    const Real length = difference(*reads_[k].station, *reads_[k - 1].station);
    Links links;
    GapKind gap = GapKind::Step;
    Booking booking = Booking::Reach;
    std::optional<std::size_t> structure;
    Channel channel = line_.chain.nodes[before].channel;
    std::optional<std::size_t> section = from.section, inside = from.structure;
    const auto friction = [&](const Real& L) {
      links.push_back(std::make_unique<FrictionLoss>(L, line_.settings.rule, manning_));
    };
    if (open_) {
      LineStructure& o = line_.structures[*open_];
      structure = open_;
      booking = Booking::Barrel;
      const bool outlet = isOutlet(r.kind);
      if (outlet) {
        const Real span = difference(*reads_[k].station, *reads_[o.inRow].station);
        if (!(o.L > Real(0))) o.L = span;
        if (o.reservedOnly || o.type == StructureType::Siphon) {
          channel = canalChannel();
          section = canal_;
          inside.reset();
        }
        if (o.reservedOnly) {
          links.push_back(std::make_unique<FixedLoss>(*o.allotted));
        } else if (o.type == StructureType::Siphon) {
          booking = Booking::Siphon;
          if (!siphonLink(o, span, links)) return false;
        } else if (o.type == StructureType::Chute) {
          gap = GapKind::ChuteBarrel;
        } else {
          friction(inside_ == 0 ? o.L : length);
        }
      } else if (!o.reservedOnly) {
        friction(length);
      }
    } else {
      friction(length);
    }
    if (info.curve && info.curve->Lc > Real(0)) {
      links.push_back(std::make_unique<BendLoss>(info.curve->Lc, r.Rc, line_.settings.rule, manning_));
    }
    if (r.loss && !info.structure) {
      info.reserved = r.loss;
      links.push_back(std::make_unique<FixedLoss>(*r.loss));
    }
    (void)reader;
    addGap(gap, booking, structure, std::move(links));
    info.up = addNode(k, channel, arriving, section, inside);
    return true;
  }

  void across(std::size_t k, RowReader& reader, const RowRead& r) {
    LineRowInfo& info = line_.rows[k];
    const NodeKind kind = r.kind;
    const LineStructure* s = info.structure ? &line_.structures[*info.structure] : nullptr;
    const LineNode upNode = line_.nodes[info.up];
    const bool barrel = s && !s->reservedOnly &&
                        (s->type == StructureType::Aqueduct || s->type == StructureType::Tunnel ||
                         s->type == StructureType::Culvert || s->type == StructureType::Chute);
    const auto point = [&](GapKind gap, Links links, const Channel& channel, std::optional<std::size_t> section,
                           std::optional<std::size_t> inside) {
      addGap(gap, Booking::Point, info.structure, std::move(links));
      info.down = addNode(k, channel, *segment_, section, inside);
    };
    const auto transition = [](const Real& faster, const Real& slower) {
      Links links;
      links.push_back(std::make_unique<TransitionLoss>(faster, slower));
      return links;
    };
    if (kind == Gate) {
      point(GapKind::Gate, {}, canalChannel(), canal_, std::nullopt);
    } else if (kind == Drop) {
      point(GapKind::DropFall, {}, canalChannel(), canal_, std::nullopt);
    } else if (isInlet(kind)) {
      if (barrel) {
        point(kind == ChuteIn ? GapKind::ChuteInlet : GapKind::Step, transition(s->xi1, s->xi1), s->barrel, std::nullopt,
              info.structure);
      } else {
        info.down = info.up;
      }
    } else if (isOutlet(kind) && barrel) {
      if (kind == ChuteOut) {
        point(GapKind::ChuteExit, {}, canalChannel(), canal_, std::nullopt);
      } else {
        point(GapKind::Step, transition(s->xi2, s->xi2), canalChannel(), canal_, std::nullopt);
      }
    } else if (upNode.structure) {
      info.down = info.up;  // an IP within a barrel
    } else if (upNode.section != canal_) {
      // Between two canals: ξ1 where the water speeds up, ξ2 where it slows (Table K.1.2's forms).
      Real faster(reader.number(Column::Xi1, false).value_or(0)), slower(reader.number(Column::Xi2, false).value_or(0));
      if (reader.has(Column::Form)) {
        const std::string& key = *reader.cell(Column::Form);
        const structures::TransitionForm* form = structures::findTransitionForm(structures::TransitionFamily::Aqueduct, key);
        if (!form) {
          reader.keep(MessageId::UnknownForm, Column::Form,
                      {MessageArg::literal(quoteForMessage(key)), MessageArg::literal("K.1.2"),
                       MessageArg::literal("curved-warped, straight-warped, arc-wall, splayed, square")});
          return;
        }
        const bool ranged = form->inlet.low != form->inlet.high;
        if (ranged && !(reader.has(Column::Xi1) && reader.has(Column::Xi2))) {
          reader.keep(MessageId::RangedFormNeedsXi, reader.has(Column::Xi1) ? Column::Xi2 : Column::Xi1,
                      {MessageArg::literal(quoteForMessage(key)), MessageArg::value(form->inlet.low), MessageArg::value(form->outlet.high)});
          return;
        }
        if (!reader.has(Column::Xi1)) faster = Real(form->inlet.low);
        if (!reader.has(Column::Xi2)) slower = Real(form->outlet.low);
      }
      point(GapKind::Step, transition(faster, slower), canalChannel(), canal_, std::nullopt);
    } else if (upNode.segment != *segment_) {
      point(GapKind::Continuity, {}, canalChannel(), canal_, std::nullopt);
    } else {
      info.down = info.up;
    }
  }

  CanalLine& line_;
  const std::vector<LineRow>& rows_;
  const std::vector<RowRead>& reads_;
  std::vector<Problem>& problems_;
  double manning_;
  SectionCells carried_;
  std::optional<std::size_t> canal_, segment_, open_;
  std::size_t inside_ = 0;  // the IPs within the open structure
};

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
  for (const KindName& k : kKinds) list += (list.empty() ? "" : "|") + std::string(k.key);
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
  Assembly assembly(line, rows, reads, problems);
  for (std::size_t k = 0; k < n; ++k) assembly.add(k);
  assembly.finish();
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
