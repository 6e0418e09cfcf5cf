#include "calc/design/soils.h"

#include <array>

namespace channelflow::calc::design {
namespace {

// clang-format off
constexpr std::array<OtherSoil, 4> kOtherSoils{{
  {"sandy-loam",       {"沙壤土", "sandy loam"}},
  {"sand",             {"沙土", "sand"}},
  {"cemented-cobbles", {"稍胶结的卵石", "slightly cemented cobbles"}},
  {"sandy-gravel",     {"夹沙的卵石或砾石（沙砾料）", "cobbles or gravel with sand"}},
}};
// clang-format on

}  // namespace

std::span<const OtherSoil> otherSoils() { return kOtherSoils; }

std::optional<Soil> findSoil(std::string_view key) {
  // The key kept is the table's own, which outlives the text it was found by.
  Soil soil{{}, {}, nullptr, sideSlopeRow(key), false};
  if (const ScourRow* row = findScourRow(key); row && row->table != "C.0.4") {
    soil.key = row->key;
    soil.name = row->name;
    soil.scour = row;
    soil.rock = row->table == "C.0.3";
    return soil;
  }
  for (const OtherSoil& other : kOtherSoils) {
    if (other.key == key) {
      soil.key = other.key;
      soil.name = other.name;
      return soil;
    }
  }
  return std::nullopt;
}

}  // namespace channelflow::calc::design
