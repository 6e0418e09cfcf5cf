#include "calc/design/enlargement_table.h"

#include <array>

namespace channelflow::calc::design {
namespace {

// clang-format off
constexpr std::array<EnlargementRow, 6> kEnlargement{{
  {0,   1,   30, 35},
  {1,   5,   25, 30},
  {5,   20,  20, 25},
  {20,  50,  15, 20},
  {50,  100, 10, 15},
  {100, 300, 5,  10},
}};
// clang-format on

}  // namespace

std::span<const EnlargementRow> enlargementTable() { return kEnlargement; }

const EnlargementRow* enlargementRow(double Q) {
  for (const EnlargementRow& row : kEnlargement) {
    if (Q >= row.fromQ && Q < row.toQ) return &row;
  }
  return nullptr;
}

}  // namespace channelflow::calc::design
