// A river reach's file, CSV or JSON, read into rows of cells by column
// before any value is read: one row a cross-section, upstream first. CSV has
// a header naming its columns (in English or Chinese, in any order); JSON is
// an object {"sections": [{column: value, ...}, ...]} whose members may also
// give the flows, the boundaries and the friction slope, its points either
// the text of the points column or an array [[x, z, n], [x, z], ...].
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/toolkit/problem.h"

namespace channelflow::calc {

enum class ReachColumn : std::uint8_t {
  Station,        // grows downstream
  Name,
  Points,         // "x,z[,n] x,z ...": the section as the points input takes it
  N,              // the n of segments whose point gives none
  LeftBank,       // the stations of the points where the channel's banks stand
  RightBank,
  LengthLeft,     // the lengths to the next section down, by side
  LengthChannel,
  LengthRight,
  Contraction,    // the coefficients of the reach to the next section down
  Expansion,
  Q,              // the flows from this section down, where they change: "120;300"
  Downstream,     // the last section's boundary conditions, a flow's each
  Upstream,       // the first section's
  Count
};
inline constexpr std::size_t kReachColumns = static_cast<std::size_t>(ReachColumn::Count);

// The column's key: its CSV name and JSON member.
std::string_view reachColumnKey(ReachColumn column);
// Its Chinese name, which a CSV header may use instead.
std::string_view reachColumnChinese(ReachColumn column);

struct ReachRow {
  int place = 0;  // a CSV file's row (its header row 1), a JSON file's section (the first 1)
  std::array<std::optional<std::string>, kReachColumns> cells;  // the cells given, blanks trimmed

  const std::optional<std::string>& operator[](ReachColumn column) const {
    return cells[static_cast<std::size_t>(column)];
  }
};

struct ReachFile {
  bool json = false;
  std::vector<ReachRow> rows;
  // A JSON file's settings beside its sections.
  std::optional<std::string> flows, downstream, upstream, friction;
};

// Reads the text (JSON when it starts with "{"). Throws CalcError naming
// `field`, with every problem of its rows (the first ten).
ReachFile readReachFile(std::string_view text, std::string_view field);

// A problem of a row's cell, placed at its row: "第 5 行：L_channel 必须大于零".
Problem rowProblem(const ReachFile& file, const ReachRow& row, Problem cell, std::string_view field);

}  // namespace channelflow::calc
