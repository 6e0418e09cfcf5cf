// A canal line's file: CSV, one row a node in station order, read into rows
// of cells by column before any value is read. The header names the columns
// (in English or Chinese, in any order); a structure's row carries its
// parameters under the structure question's option names.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/toolkit/problem.h"

namespace channelflow::calc {

enum class LineColumn : std::uint8_t {
  Name, Kind, Station, X, Y, Rc,
  // The section that starts at the row (a structure's own on its inlet row).
  Section, B, M, D, R, H, Ra, Type, N, I,
  // The flows of the segment that starts at the row.
  Q, Qj, Qmin,
  // Losses and transitions.
  Loss, Form, InletForm, Xi1, Theta1, OutletForm, Xi2, Theta2,
  // Structures: a siphon's barrels, an aqueduct's trough, a culvert's barrel.
  L, Barrels, Bend, Entrance, InletZeta, GateSlots, SlotZeta, Rack, OutletRatio, OutletZeta, Bypass, VNp,
  InletCrown, OutletCrown, Trough, Barrel,
  // A gate, a drop.
  WeirM, Hold, P, CrestWidth, Inlet,
  // The bank and the velocities allowed.
  Freeboard, Height, VMin, VMax,
  Count
};
inline constexpr std::size_t kLineColumns = static_cast<std::size_t>(LineColumn::Count);

// The column's key: its CSV name, as the command line's option of that name.
std::string_view lineColumnKey(LineColumn column);
// The column's Chinese name, which a header may use in place of its key.
std::string_view lineColumnChinese(LineColumn column);
// Every column's key, ", " apart.
std::string lineColumnList();

struct LineRow {
  int place = 0;  // the CSV record (the header is 1)
  std::array<std::optional<std::string>, kLineColumns> cells;  // the cells given, blanks trimmed

  const std::optional<std::string>& operator[](LineColumn column) const {
    return cells[static_cast<std::size_t>(column)];
  }
};

// Reads the rows. Throws CalcError naming `field` for a header that names an
// unknown column or one twice, or has neither station nor x, with the
// problems of unreadable records (the first ten).
std::vector<LineRow> readLineFile(std::string_view text, std::string_view field);

// A problem of a row's cell, placed at its row: "第 5 行：Rc 必须大于零".
Problem lineRowProblem(const LineRow& row, Problem cell, std::string_view field);

}  // namespace channelflow::calc
