// Reading a canal line's rows (calc/canal/line_read.cpp and the files
// beside it): a row's cells read with each problem kept at its row and
// column, what a row says, the sections and structures it starts, and the
// chain of nodes built from them. Within the canal room only.
#pragma once

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "calc/canal/canal_line.h"
#include "calc/canal/line_file.h"
#include "calc/toolkit/inputs.h"

namespace channelflow::calc::canal {

using Column = LineColumn;
using enum NodeKind;
inline constexpr std::string_view kFile = "file";
inline constexpr std::size_t kMostProblems = 10;

inline bool isInlet(NodeKind k) { return k == SiphonIn || k == AqueductIn || k == TunnelIn || k == CulvertIn || k == ChuteIn; }
inline bool isOutlet(NodeKind k) {
  return k == SiphonOut || k == AqueductOut || k == TunnelOut || k == CulvertOut || k == ChuteOut;
}
inline NodeKind outletOf(NodeKind k) { return static_cast<NodeKind>(static_cast<int>(k) + 1); }

inline StructureType structureOf(NodeKind k) {
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
inline constexpr std::array<Column, 10> kSectionColumns{Column::Section, Column::B, Column::M, Column::D, Column::R,
                                                 Column::H,       Column::Ra, Column::Type, Column::N, Column::I};
inline constexpr std::array<Column, 4> kBankColumns{Column::Freeboard, Column::Height, Column::VMin, Column::VMax};
inline constexpr std::array<Column, 7> kTransitionColumns{Column::Form, Column::InletForm, Column::Xi1, Column::Theta1,
                                                   Column::OutletForm, Column::Xi2, Column::Theta2};

// The columns a row of this kind takes beyond name, kind, station and plan.
bool takes(NodeKind kind, Column column);

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

// "K2+834.662" (any letters before the kilometres, the first kept as the
// line's prefix), or metres.
std::optional<numeric::Decimal> readStation(RowReader& reader, std::string& prefix);

// The canal section a row starts, what it does not give carried from the
// one before; nothing where it cannot be read (the problems kept).
std::optional<LineSection> canalSection(RowReader& reader, SectionCells& carried, const LineSection* before, double g);
// Its velocities allowed, freeboard and depth adopted.
void readBank(RowReader& reader, LineSection& section);

// Whether an inlet row gives its structure's parameters; without them the structure's loss is reserved.
bool givesParameters(const RowReader& reader, NodeKind kind);
void readSiphon(RowReader& reader, LineStructure& s, double g);
// An aqueduct's trough, a tunnel's or a culvert's barrel, or a chute.
void readBarrel(RowReader& reader, LineStructure& s, NodeKind kind, double g);
// A chute's bed is steep at the design flow (§12.3.3): its normal depth below its critical depth.
void requireSteep(RowReader& reader, const Channel& chute, const Real& Q);
void readGate(RowReader& reader, LineStructure& s, double g);
void readDrop(RowReader& reader, LineStructure& s, double g);

// The flows of a segment: Qj from Table 6.3.4 (its smaller P) and Qmin at
// 0.4 Q (§6.3.5's least) where not given.
std::optional<LineFlows> segmentFlows(RowReader& reader, const RowRead& r);

// The chain of nodes, the gaps between them, the sections, segments and
// structures, from the rows read; each problem kept at its row.
void assembleChain(CanalLine& line, const std::vector<LineRow>& rows, const std::vector<RowRead>& reads,
                   std::vector<Problem>& problems);

}  // namespace channelflow::calc::canal
