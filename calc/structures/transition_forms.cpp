// Readings of the printed tables (canal-line.md §15):
// - Table L.1.2's degree signs are lost in the copy ("12.50", "150～370",
//   "100～170"): read 12.5°, 15°–37° and 10°–17° (items 6, 17).
// - The three tables give different ξ for similar forms and none says how a
//   ranged ξ varies; each family keeps its own table, and a ranged ξ runs
//   linearly from the low end at the low angle to the high end at the high
//   angle, where the table gives angles (item 7). Values some practice tools
//   carry that are in none of the tables (直线形扭曲面 0.20/0.30) are not
//   copied.
#include "calc/structures/transition_forms.h"

#include <array>

namespace channelflow::calc::structures {
namespace {

using enum TransitionFamily;

// clang-format off
constexpr std::array<TransitionForm, 12> kForms{{
  // Table K.1.2 (aqueducts).
  {Aqueduct, "curved-warped",   {"曲线形反弯扭曲面", "curved reverse warped surface"}, {0.1, 0.1},   {0.2, 0.2},  {},         {},         0},
  {Aqueduct, "straight-warped", {"直线形扭曲面", "straight-line warped surface"},      {0.05, 0.3},  {0.3, 0.5},  {15, 37},   {10, 17},   0},
  {Aqueduct, "arc-wall",        {"圆弧直墙", "quarter-circle and straight wall"},     {0.2, 0.2},   {0.5, 0.5},  {},         {},         0},
  {Aqueduct, "splayed",         {"八字形", "splayed walls"},                         {0.3, 0.3},   {0.5, 0.5},  {},         {},         0},
  {Aqueduct, "square",          {"直角形", "square (abrupt)"},                       {0.4, 0.4},   {0.75, 0.75}, {},        {},         0},
  // Table L.1.2 (inverted siphons): the first three for θ1, θ2 <= 12.5°.
  {Siphon,   "reverse-warped",  {"反弯扭曲面", "reverse warped surface"},             {0.10, 0.10}, {0.20, 0.20}, {},        {},         12.5},
  {Siphon,   "quarter-circle",  {"1/4 圆弧", "quarter circle"},                      {0.15, 0.15}, {0.25, 0.25}, {},        {},         12.5},
  {Siphon,   "square-head",     {"方头型", "square head"},                           {0.30, 0.30}, {0.75, 0.75}, {},        {},         12.5},
  {Siphon,   "straight-warped", {"直线扭曲面", "straight warped surface"},            {0.05, 0.30}, {0.30, 0.50}, {15, 37}, {10, 17},   0},
  // Table M.0.3-3 (culverts): the warped form's range comes without angles.
  {Culvert,  "warped",          {"扭曲面", "warped surface"},                        {0.1, 0.2},   {0.3, 0.5},  {},         {},         0},
  {Culvert,  "splayed-wall",    {"八字斜墙", "splayed wall"},                        {0.2, 0.2},   {0.5, 0.5},  {},         {},         0},
  {Culvert,  "arc-wall",        {"圆弧直墙", "quarter-circle and straight wall"},     {0.2, 0.2},   {0.5, 0.5},  {},         {},         0},
}};
// clang-format on

}  // namespace

std::string_view familyTable(TransitionFamily family) {
  switch (family) {
    case Aqueduct: return "K.1.2";
    case Siphon: return "L.1.2";
    case Culvert: return "M.0.3-3";
  }
  return "";
}

std::span<const TransitionForm> transitionForms() { return kForms; }

const TransitionForm* findTransitionForm(TransitionFamily family, std::string_view key) {
  for (const TransitionForm& form : kForms) {
    if (form.family == family && form.key == key) return &form;
  }
  return nullptr;
}

}  // namespace channelflow::calc::structures
