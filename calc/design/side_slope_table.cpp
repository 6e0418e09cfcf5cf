#include "calc/design/side_slope_table.h"

namespace channelflow::calc::design {
namespace {

// clang-format off
constexpr std::array<SideSlopeRow, 6> kSideSlopes{{
  {{"稍胶结的卵石", "slightly cemented cobbles"},      {"cemented-cobbles"},                                  {1.00, 1.00, 1.00}},
  {{"夹沙的卵石或砾石", "cobbles or gravel with sand"}, {"sandy-gravel"},                                      {1.25, 1.50, 1.50}},
  {{"黏土、重壤土", "clay, heavy loam"},                {"clay", "heavy-loam"},                                {1.00, 1.00, 1.25}},
  {{"中壤土", "medium loam"},                           {"medium-loam"},                                       {1.25, 1.25, 1.50}},
  {{"轻壤土、沙壤土", "light loam, sandy loam"},        {"light-loam", "sandy-loam"},                          {1.50, 1.50, 1.75}},
  {{"沙土", "sand"},                                    {"sand", "fine-sand", "medium-sand", "coarse-sand"},   {1.75, 2.00, 2.25}},
}};
// clang-format on

}  // namespace

std::span<const SideSlopeRow> sideSlopeTable() { return kSideSlopes; }

const SideSlopeRow* sideSlopeRow(std::string_view soil) {
  for (const SideSlopeRow& row : kSideSlopes) {
    for (std::string_view key : row.soils) {
      if (!key.empty() && key == soil) return &row;
    }
  }
  return nullptr;
}

std::size_t sideSlopeColumn(double h) { return h < 1 ? 0 : h < 2 ? 1 : 2; }

}  // namespace channelflow::calc::design
