// The soils --soil names: each soil and rock row of Appendix C (Tables C.0.1
// to C.0.3, whose keys they share) and the few soils only Table 6.4.4 (and
// C.0.4's earth covers) name.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "calc/design/scour_table.h"
#include "calc/design/side_slope_table.h"

namespace channelflow::calc::design {

struct OtherSoil {
  std::string_view key;
  Text name;
};

std::span<const OtherSoil> otherSoils();

struct Soil {
  std::string_view key;
  Text name;
  const ScourRow* scour = nullptr;           // its row of C.0.1 to C.0.3, if any
  const SideSlopeRow* sideSlope = nullptr;   // its row of Table 6.4.4, if any
  bool rock = false;                         // a rock of Table C.0.3, not an earth canal's soil
};

// Nothing for a key that names no soil.
std::optional<Soil> findSoil(std::string_view key);

}  // namespace channelflow::calc::design
