// Table 6.4.4 of GB 50288-2018 (挖方渠道的最小边坡系数): the least side slope
// of a trapezoidal canal in cut, by soil and water depth, for depths up to
// 3 m; deeper canals need a stability analysis.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "calc/toolkit/catalog.h"

namespace channelflow::calc::design {

struct SideSlopeRow {
  Text soil;                               // as the table names it: "黏土、重壤土"
  std::array<std::string_view, 4> soils;   // the --soil keys it covers
  std::array<double, 3> m;                 // h < 1 m, 1 ≤ h < 2 m, 2 ≤ h ≤ 3 m
};

inline constexpr double kSideSlopeDepthLimit = 3;  // m

std::span<const SideSlopeRow> sideSlopeTable();

// The row covering a soil key; nullptr for a soil the table does not name.
const SideSlopeRow* sideSlopeRow(std::string_view soil);

// The depth column of h ≥ 0: 0, 1 or 2 (h above 3 m is the last column's).
std::size_t sideSlopeColumn(double h);

}  // namespace channelflow::calc::design
