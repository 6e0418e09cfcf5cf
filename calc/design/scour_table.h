// Appendix C of GB 50288-2018 (渠道允许不冲流速): the allowable non-scouring
// velocity, Table C.0.1 for cohesive soils (at R = 1 m, times R^α), C.0.2
// for non-cohesive soils and C.0.3 for rock (by water depth), C.0.4 for
// seepage-control linings (its membranes under an earth cover times R^α).
//
// Doubtful cells of the copy read: C.0.3's first row reads 砾石 (gravel) in a
// table of rocks, taken as 砾岩 (conglomerate); C.0.4's 浆砌石 is taken as
// mortared rubble. C.0.2's note also asks for R^α on top of its depth
// columns, which would count the depth twice: its rows are read by depth
// only.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "calc/toolkit/catalog.h"

namespace channelflow::calc::design {

enum class ScourBasis : std::uint8_t {
  Radius,       // C.0.1: the value at R = 1 m, times R^α
  Depth,        // C.0.2, C.0.3: by water depth, columns at 0.4, 1, 2 and 3 m
  Fixed,        // C.0.4
  CoverRadius,  // C.0.4's membranes under an earth cover: times R^α
};

// How a cell is printed: "0.60～0.80", "2.0", "< 8.00", "> 3.20".
enum class Bound : std::uint8_t { Range, Single, Below, Above };

struct VelocityCell {
  double low = 0, high = 0;  // m/s; equal but for a range
  Bound bound = Bound::Single;
};

struct ScourRow {
  std::string_view key;             // a --soil key (C.0.1 to C.0.3), or C.0.4's own
  std::string_view table;           // "C.0.1"
  Text group;                       // C.0.4's class; empty elsewhere
  Text name;
  ScourBasis basis;
  std::array<VelocityCell, 4> v;    // by depth for Depth; v[0] otherwise
  double grainFrom, grainTo;        // C.0.2: grain size in mm (grainTo 0: above grainFrom)
  std::array<std::string_view, 2> cover;  // C.0.4's membranes: the --soil keys of the cover
};

// The water depths of the Depth columns, in metres; the last is "3 m and deeper" in C.0.2.
inline constexpr std::array<double, 4> kScourDepths{0.4, 1, 2, 3};

std::span<const ScourRow> scourTable();
const ScourRow* findScourRow(std::string_view key);
// "0.60～0.80" as "0.6～0.8", "2", "< 8", "> 3.2".
std::string cellText(const VelocityCell& cell);
// C.0.2's grain size: "0.005～0.05", "> 200"; empty for the other tables.
std::string grainText(const ScourRow& row);

// The C.0.4 membrane row of an earth cover of this soil; nullptr for none.
const ScourRow* membraneCoverRow(std::string_view soil);

}  // namespace channelflow::calc::design
